#pragma once
// The routing of received frames to their reply handlers: 51 entries in the protocol's
// order, closed by an entry whose code is 255.
//
// Dispatch walks the table from the top and stops, unhandled, at the first entry whose
// code is above 254; the first entry whose code equals the routing code and that has a
// handler wins. The ignored codes (0x70, 0xB7, 0xF1, 0x60, 0xB0, 0xE2) are listed without
// a handler, so they are looked up and dropped silently, as is a code not in the table.
// A frame shorter than its entry's family needs (a short datagram routed to the block
// or trace entry) is dropped, never read past its end.
//
// Thread: a handler runs on the thread that found the frame: the serial connection
// thread or the UDP receive thread while connecting, identifying and serving single
// requests; the UI thread (the 10 ms frame-ring dispatch) in monitoring mode. Only one
// thread dispatches at a time (exactly one reader thread runs, and the monitoring thread
// dispatches nothing).

#include "FrameScanner.h"
#include "ReplyContext.h"

#include <array>
#include <span>

namespace hesk::link {

enum class FrameFamily : uint8_t { Command, Trace, Block, Boot };

using ReplyHandler = void (*)(ReplyContext& context, std::span<const uint8_t> frame);

struct DispatchEntry {
    int code;               // 0..254, or 255 for the end entry
    FrameFamily family;     // what the handler reads: the minimum frame length
    ReplyHandler handler;   // nullptr for ignored codes and the end entry
};

class FrameDispatchTable final : public FrameSink {
public:
    static constexpr int kEndCode = 255;
    static constexpr size_t kEntryCount = 51;

    explicit FrameDispatchTable(ReplyContext context);

    // The table in order: 51 entries and the end entry.
    static std::span<const DispatchEntry, kEntryCount + 1> entries();

    // True if a handler ran.
    bool dispatch(uint8_t routingCode, std::span<const uint8_t> frame);
    void frameFound(uint8_t routingCode, std::span<const uint8_t> frame) override { dispatch(routingCode, frame); }

    ReplyContext& context() { return m_context; }
    WorkflowPorts& ports() { return m_context.ports; }

private:
    ReplyContext m_context;
};

size_t minimumFrameLength(FrameFamily family);

}  // namespace hesk::link

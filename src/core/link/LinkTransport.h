#pragma once
// One interface over the two ways to the device: the serial port (termios) and the UDP
// socket. A transport is a thin owner of one file descriptor: the link's reader thread
// waits on descriptor() together with its stop signal, then calls receive().
//
// Thread: send() may be called from any thread (reply handlers on a reader thread, the
// UI thread); receive() only from the one reader thread; open and close from the
// link's owning thread while no reader thread runs on the transport.

#include <cstdint>
#include <span>

namespace hesk::link {

class LinkTransport {
public:
    virtual ~LinkTransport() = default;

    // Sends all bytes (one datagram for UDP). Returns 0 or an errno value.
    virtual int send(std::span<const uint8_t> bytes) = 0;

    // Reads what is there without blocking: for the serial port up to buffer.size()
    // bytes; for UDP one datagram (cut to the buffer). Returns the byte count, 0 when
    // nothing is there, or -errno on failure.
    virtual long receive(std::span<uint8_t> buffer) = 0;

    // Drops received bytes not read yet (serial purge; UDP: nothing).
    virtual void purgeReceive() = 0;

    // The descriptor that becomes readable when data arrive; -1 when closed.
    virtual int descriptor() const = 0;

    virtual bool isOpen() const = 0;
    virtual void close() = 0;
};

}  // namespace hesk::link

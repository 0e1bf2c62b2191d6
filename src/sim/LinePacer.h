#pragma once
// Paces the bytes of a simulated serial line like a real one: 10 bit times per byte
// (start bit, 8 data bits, stop bit) at the configured baud rate. Deadlines are
// absolute: while the line is busy, byte k of the run is due at run start + (k + 1) x
// byte time, so late wake-ups never stretch the transfer; an idle line starts a new run
// at the time the next bytes are queued. With baud 0 every byte is due at once (the
// pacer is then only the queue in front of a line that may be full).

#include "SimTime.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace hesk::sim {

class LinePacer {
public:
    explicit LinePacer(uint32_t baud = 0) : m_baud(baud) {}

    void enqueue(std::span<const uint8_t> bytes, SimTime now);
    // Number of queued bytes whose deadline is not after `now`.
    size_t due(SimTime now) const;
    // The first `n` queued bytes (n at most backlog()), to be written to the line.
    std::vector<uint8_t> peek(size_t n) const;
    // Takes `n` bytes written to the line off the queue.
    void consume(size_t n);
    // Deadline of the first queued byte; nothing when the queue is empty.
    std::optional<SimTime> nextDeadline() const;
    size_t backlog() const { return m_bytes.size(); }
    uint32_t baud() const { return m_baud; }

    // Deadline of the byte with the given position in the current run.
    SimTime deadlineOf(uint64_t slot) const;

private:
    uint32_t m_baud;
    std::deque<uint8_t> m_bytes;
    SimTime m_runStart{0};
    uint64_t m_firstSlot = 0;  // run slot of the first queued byte
    uint64_t m_nextSlot = 0;   // run slot of the next byte to queue
};

}  // namespace hesk::sim

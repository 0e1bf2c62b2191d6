#pragma once
// Where the drive's components put what they send, and a queue of frames that leave as
// the line has room (uploads, recorder data, fault data): a burst never runs far ahead
// of the line, so a request that arrives meanwhile is answered soon.

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace hesk::sim {

class FrameEmitter {
public:
    virtual ~FrameEmitter() = default;
    // One frame (or, during a download, raw echo bytes) onto the line.
    virtual void emitFrame(std::span<const uint8_t> frame) = 0;
};

class FrameStream {
public:
    void push(std::span<const uint8_t> frame) { m_frames.emplace_back(frame.begin(), frame.end()); }
    void clear() { m_frames.clear(); }
    bool empty() const { return m_frames.empty(); }
    size_t size() const { return m_frames.size(); }

    // Emits frames while the budget lasts (at least one frame when the budget is not 0);
    // returns the bytes emitted.
    size_t pump(FrameEmitter& out, size_t budget);

private:
    std::deque<std::vector<uint8_t>> m_frames;
};

}  // namespace hesk::sim

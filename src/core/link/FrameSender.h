#pragma once
// Where reply handlers send their answers (boot answers, echoes, follow-up requests).
// CDeviceLink implements it over the open transport; tests and the simulator plug in
// their own.

#include <cstdint>
#include <span>

namespace hesk::link {

class FrameSender {
public:
    virtual ~FrameSender() = default;
    // Writes the XOR of bytes 0..size-2 into the last byte, then sends the whole frame.
    // Returns 0 or a system error code. Callable from any thread.
    virtual int SendFrame(std::span<uint8_t> frame) = 0;
};

}  // namespace hesk::link

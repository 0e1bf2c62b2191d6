#pragma once
// The drive's side of a parameter upload: after the start request (0x2B, echoed by the
// drive) it sends the length frame F2 2C Llow Lhigh 00 00 00 and waits for the tool's
// echo of it, then the block frames of the upload block (UploadImage.h) as the line has
// room, then the end frame F2 2E, which the tool echoes too. Length and end are sent
// again after kRetry without their echo, kAttempts times in all; then the drive gives up.

#include "DriveTables.h"
#include "FrameStream.h"
#include "SimTime.h"

#include <cstdint>
#include <vector>

namespace hesk::sim {

class UploadSender {
public:
    static constexpr SimTime kRetry = seconds(1.0);
    static constexpr int kAttempts = 3;

    enum class Phase { Idle, AwaitLengthEcho, Streaming, AwaitEndEcho };

    void start(const DriveTables& tables, SimTime now, FrameEmitter& out);
    void lengthEchoed();  // 0x2C from the tool
    void endEchoed();     // 0x2E from the tool
    void cancel();

    // Blocks within the byte budget, the end after the last block, repeats after kRetry;
    // returns the bytes emitted.
    size_t advance(SimTime now, FrameEmitter& out, size_t budget);

    Phase phase() const { return m_phase; }

private:
    void sendLength(SimTime now, FrameEmitter& out);
    void sendEnd(SimTime now, FrameEmitter& out);

    Phase m_phase = Phase::Idle;
    std::vector<uint8_t> m_block;
    FrameStream m_frames;
    SimTime m_sentAt{0};
    int m_attempts = 0;
};

}  // namespace hesk::sim

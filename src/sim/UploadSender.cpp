#include "UploadSender.h"

#include "UploadImage.h"
#include "link/FrameCodec.h"

namespace hesk::sim {

void UploadSender::start(const DriveTables& tables, SimTime now, FrameEmitter& out)
{
    m_frames.clear();
    m_block = uploadBlock(tables);
    m_attempts = 0;
    sendLength(now, out);
}

void UploadSender::lengthEchoed()
{
    if (m_phase != Phase::AwaitLengthEcho)
        return;
    for (const auto& frame : uploadBlockFrames(m_block))
        m_frames.push(frame);
    m_phase = Phase::Streaming;
}

void UploadSender::endEchoed()
{
    if (m_phase == Phase::AwaitEndEcho)
        m_phase = Phase::Idle;
}

void UploadSender::cancel()
{
    m_frames.clear();
    m_phase = Phase::Idle;
}

size_t UploadSender::advance(SimTime now, FrameEmitter& out, size_t budget)
{
    size_t sent = 0;
    if (m_phase == Phase::Streaming) {
        sent = m_frames.pump(out, budget);
        if (m_frames.empty()) {
            m_attempts = 0;
            sendEnd(now, out);
        }
        return sent;
    }
    if ((m_phase == Phase::AwaitLengthEcho || m_phase == Phase::AwaitEndEcho) && now - m_sentAt >= kRetry) {
        if (m_attempts >= kAttempts)
            m_phase = Phase::Idle;
        else if (m_phase == Phase::AwaitLengthEcho)
            sendLength(now, out);
        else
            sendEnd(now, out);
    }
    return sent;
}

void UploadSender::sendLength(SimTime now, FrameEmitter& out)
{
    const auto length = static_cast<uint16_t>(m_block.size());
    // The one little-endian field of the protocol: low byte first.
    const link::CommandFrame frame = link::commandFrame(link::code::UploadLength, static_cast<uint8_t>(length & 0xFF),
                                                        static_cast<uint8_t>(length >> 8));
    out.emitFrame(frame);
    m_phase = Phase::AwaitLengthEcho;
    m_sentAt = now;
    ++m_attempts;
}

void UploadSender::sendEnd(SimTime now, FrameEmitter& out)
{
    const link::CommandFrame frame = link::commandFrame(link::code::UploadEnd);
    out.emitFrame(frame);
    m_phase = Phase::AwaitEndEcho;
    m_sentAt = now;
    ++m_attempts;
}

}  // namespace hesk::sim

#include "ReceivePipeline.h"

#include <array>

namespace hesk::link {

ReceivePipeline::ReceivePipeline()
    : m_received(kReceiveRingSize)
    , m_frames(kFrameRingSize)
    , m_connectionScratch(new uint8_t[kReceiveRingSize])
    , m_extractionScratch(new uint8_t[kReceiveRingSize])
{
}

int32_t ReceivePipeline::putReceived(std::span<const uint8_t> bytes)
{
    const std::lock_guard guard(m_lock);
    return m_received.put(bytes);
}

int32_t ReceivePipeline::copyReceived(uint8_t* scratch)
{
    const std::lock_guard guard(m_lock);
    return m_received.copyOut({scratch, static_cast<size_t>(kReceiveRingSize)});
}

void ReceivePipeline::takeReceived(int32_t n)
{
    const std::lock_guard guard(m_lock);
    m_received.take(n);  // never more than it holds; clears the full flag
}

int32_t ReceivePipeline::parseSerialFrames(FrameSink& sink)
{
    const int32_t held = copyReceived(m_connectionScratch.get());
    int32_t frames = 0;
    const size_t scanned = scanSerialFrames(
        std::span<const uint8_t>(m_connectionScratch.get(), static_cast<size_t>(held)),
        [&](uint8_t routing, std::span<const uint8_t> frame) {
            ++frames;
            sink.frameFound(routing, frame);
        });
    takeReceived(static_cast<int32_t>(scanned));
    return frames;
}

int32_t ReceivePipeline::extractFrames()
{
    const int32_t held = copyReceived(m_extractionScratch.get());
    int32_t frames = 0;
    const size_t scanned = scanMonitoringFrames(
        std::span<const uint8_t>(m_extractionScratch.get(), static_cast<size_t>(held)),
        [&](uint8_t, std::span<const uint8_t> frame) {
            // Whole frames only: a frame cut by a full ring would shift every later frame.
            if (m_frames.putAll(frame))
                ++frames;
            else
                ++m_droppedFrames;
        });
    takeReceived(static_cast<int32_t>(scanned));
    return frames;
}

int32_t ReceivePipeline::dispatchFrameRing(FrameSink& sink)
{
    const int32_t held = m_frames.count();
    std::array<uint8_t, kBlockFrameSize> frame;
    int32_t walked = 0;
    int32_t frames = 0;
    while (held - walked >= 2) {
        const uint8_t second = m_frames.at(walked + 1);
        const auto length = static_cast<int32_t>(commandFamilyLength(second));
        if (held - walked < length)
            break;  // cannot happen with whole-frame puts; never read past the frames
        m_frames.copyOut({frame.data(), static_cast<size_t>(length)}, walked);
        sink.frameFound(second, {frame.data(), static_cast<size_t>(length)});
        walked += length;
        ++frames;
    }
    m_frames.take(held);
    return frames;
}

void ReceivePipeline::clearReceived()
{
    const std::lock_guard guard(m_lock);
    m_received.clear();
}

void ReceivePipeline::clearFrames()
{
    m_frames.clear();
}

int32_t ReceivePipeline::receivedCount() const
{
    const std::lock_guard guard(m_lock);
    return m_received.count();
}

}  // namespace hesk::link

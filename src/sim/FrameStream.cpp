#include "FrameStream.h"

namespace hesk::sim {

size_t FrameStream::pump(FrameEmitter& out, size_t budget)
{
    size_t sent = 0;
    while (!m_frames.empty() && sent < budget) {
        const std::vector<uint8_t>& frame = m_frames.front();
        out.emitFrame(frame);
        sent += frame.size();
        m_frames.pop_front();
    }
    return sent;
}

}  // namespace hesk::sim

#include "DownloadTransfer.h"

#include <algorithm>

namespace hesk::files {

QByteArray DownloadTransfer::blockAt(const QByteArray& image, std::size_t position)
{
    QByteArray block(static_cast<qsizetype>(kBlockSize), static_cast<char>(0xFF));
    const std::size_t size = static_cast<std::size_t>(image.size());
    if (position < size) {
        const std::size_t n = std::min(kBlockSize, size - position);
        std::copy_n(image.constData() + position, n, block.data());
    }
    return block;
}

QByteArray DownloadTransfer::nextBlock()
{
    m_block = blockAt(m_image, m_position);
    m_position += kBlockSize;
    m_echo.clear();
    m_phase = Phase::AwaitBlockEcho;
    return m_block;
}

QByteArray DownloadTransfer::start()
{
    m_position = 0;
    m_acknowledged = 0;
    m_repeats = 0;
    return nextBlock();
}

QByteArray DownloadTransfer::received(std::span<const uint8_t> bytes)
{
    QByteArray out;
    for (uint8_t byte : bytes) {
        switch (m_phase) {
        case Phase::AwaitBlockEcho:
            m_echo.append(static_cast<char>(byte));
            if (static_cast<std::size_t>(m_echo.size()) < kBlockSize)
                break;
            if (m_echo != m_block) {
                m_control = static_cast<uint8_t>(Control::Repeat);
                m_position -= kBlockSize;
                ++m_repeats;
            } else {
                m_control = static_cast<uint8_t>(m_position >= imageSize() ? Control::End : Control::Next);
            }
            m_phase = Phase::AwaitControlEcho;
            out.append(static_cast<char>(m_control));
            break;
        case Phase::AwaitControlEcho:
            if (byte != m_control) {
                out.append(static_cast<char>(m_control));  // the drive did not take it: again
                break;
            }
            if (m_control != static_cast<uint8_t>(Control::Repeat))
                ++m_acknowledged;
            if (m_control == static_cast<uint8_t>(Control::End)) {
                m_phase = Phase::Finished;
                m_position = imageSize();
                return out;
            }
            out.append(nextBlock());
            break;
        case Phase::Idle:
        case Phase::Finished:
            break;  // stray bytes
        }
    }
    return out;
}

}  // namespace hesk::files

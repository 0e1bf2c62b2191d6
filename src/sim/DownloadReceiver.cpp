#include "DownloadReceiver.h"

namespace hesk::sim {

namespace {

uint16_t bigWord(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

}  // namespace

std::optional<DownloadImage> parseDownloadImage(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 4)
        return std::nullopt;
    const size_t valueCount = bigWord(bytes, 0);
    const size_t connectionCount = bigWord(bytes, 2);
    if (4 + 4 * (valueCount + connectionCount) > bytes.size())
        return std::nullopt;
    DownloadImage image;
    size_t at = 4;
    for (size_t i = 0; i < valueCount; ++i, at += 4)
        image.values.push_back({bigWord(bytes, at), bigWord(bytes, at + 2)});
    for (size_t i = 0; i < connectionCount; ++i, at += 4)
        image.connections.push_back({bigWord(bytes, at), bigWord(bytes, at + 2)});
    return image;
}

void DownloadReceiver::begin(SimTime now, DownloadFaults faults)
{
    m_active = true;
    m_faults = faults;
    m_blocksEchoed = 0;
    m_awaitingControl = false;
    m_lastByte = now;
    m_block.clear();
    m_image.clear();
}

DownloadReceiver::Progress DownloadReceiver::receive(std::span<const uint8_t> bytes, SimTime now, FrameEmitter& out)
{
    if (!m_active)
        return {Outcome::BrokenOff, 0};
    if (!bytes.empty())
        m_lastByte = now;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (m_faults.stopAfterBlocks && m_blocksEchoed >= *m_faults.stopAfterBlocks)
            return {Outcome::Running, bytes.size()};  // gone silent: takes bytes, says nothing
        const uint8_t byte = bytes[i];
        if (m_awaitingControl) {
            const uint8_t echo[1] = {byte};
            out.emitFrame(echo);
            if (byte > 2)
                continue;  // not a control byte: echoed, the tool sends it again
            m_awaitingControl = false;
            if (byte == 1)
                m_image.resize(m_image.size() - kBlockSize);  // the block comes again
            if (byte == 2) {
                m_active = false;
                return {Outcome::Finished, i + 1};
            }
            continue;
        }
        m_block.push_back(byte);
        if (m_block.size() == kBlockSize) {
            ++m_blocksEchoed;
            if (m_faults.badEchoAlways || m_faults.badEchoBlock == m_blocksEchoed) {
                std::vector<uint8_t> wrong = m_block;
                wrong[wrong.size() / 2] ^= 0x01;
                out.emitFrame(wrong);
            } else {
                out.emitFrame(m_block);
            }
            m_image.insert(m_image.end(), m_block.begin(), m_block.end());
            m_block.clear();
            m_awaitingControl = true;
        }
    }
    return {Outcome::Running, bytes.size()};
}

DownloadReceiver::Outcome DownloadReceiver::advance(SimTime now)
{
    if (!m_active)
        return Outcome::Running;
    if (now - m_lastByte >= kIdleTimeout) {
        m_active = false;
        return Outcome::BrokenOff;
    }
    return Outcome::Running;
}

}  // namespace hesk::sim

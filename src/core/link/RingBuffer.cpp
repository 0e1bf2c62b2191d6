#include "RingBuffer.h"

#include <algorithm>
#include <cstring>

namespace hesk::link {

RingBuffer::RingBuffer(int32_t capacity)
    : m_capacity(std::max<int32_t>(capacity, 1))
    , m_data(new uint8_t[static_cast<size_t>(m_capacity)])
{
}

bool RingBuffer::put(uint8_t byte)
{
    // The full test looks at the count, not only at the flag, so a full ring can never
    // overwrite bytes that were not taken yet.
    if (m_count >= m_capacity)
        return false;
    m_data[static_cast<size_t>(m_writeIndex)] = byte;
    if (++m_writeIndex == m_capacity)
        m_writeIndex = 0;
    ++m_count;
    if (m_writeIndex == m_readIndex)
        m_full = true;
    return true;
}

int32_t RingBuffer::put(std::span<const uint8_t> bytes)
{
    const auto stored = static_cast<int32_t>(std::min<size_t>(bytes.size(), static_cast<size_t>(freeSpace())));
    int32_t done = 0;
    while (done < stored) {
        const int32_t chunk = std::min(stored - done, m_capacity - m_writeIndex);
        std::memcpy(&m_data[static_cast<size_t>(m_writeIndex)], bytes.data() + done, static_cast<size_t>(chunk));
        m_writeIndex += chunk;
        if (m_writeIndex == m_capacity)
            m_writeIndex = 0;
        done += chunk;
    }
    m_count += stored;
    if (stored > 0 && m_writeIndex == m_readIndex)
        m_full = true;
    return stored;
}

bool RingBuffer::putAll(std::span<const uint8_t> bytes)
{
    if (bytes.size() > static_cast<size_t>(freeSpace()))
        return false;
    put(bytes);
    return true;
}

int32_t RingBuffer::take(int32_t n)
{
    const int32_t taken = std::clamp(n, 0, m_count);
    if (taken == 0)
        return 0;  // a take of nothing leaves the full flag as it is
    m_readIndex += taken;
    if (m_readIndex >= m_capacity)
        m_readIndex -= m_capacity;
    m_count -= taken;
    m_full = false;
    return taken;
}

int32_t RingBuffer::copyOut(std::span<uint8_t> out, int32_t offset) const
{
    if (offset < 0 || offset >= m_count)
        return 0;
    const auto wanted = static_cast<int32_t>(std::min<size_t>(out.size(), static_cast<size_t>(m_count - offset)));
    int32_t position = m_readIndex + offset;
    if (position >= m_capacity)
        position -= m_capacity;
    int32_t done = 0;
    while (done < wanted) {
        const int32_t chunk = std::min(wanted - done, m_capacity - position);
        std::memcpy(out.data() + done, &m_data[static_cast<size_t>(position)], static_cast<size_t>(chunk));
        done += chunk;
        position += chunk;
        if (position == m_capacity)
            position = 0;
    }
    return wanted;
}

uint8_t RingBuffer::at(int32_t offset) const
{
    if (offset < 0 || offset >= m_count)
        return 0;
    int32_t position = m_readIndex + offset;
    if (position >= m_capacity)
        position -= m_capacity;
    return m_data[static_cast<size_t>(position)];
}

void RingBuffer::clear()
{
    m_readIndex = 0;
    m_writeIndex = 0;
    m_count = 0;
    m_full = false;
}

}  // namespace hesk::link

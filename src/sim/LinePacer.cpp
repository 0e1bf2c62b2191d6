#include "LinePacer.h"

#include <algorithm>

namespace hesk::sim {

SimTime LinePacer::deadlineOf(uint64_t slot) const
{
    if (m_baud == 0)
        return m_runStart;
    // 10 bits per byte: (slot + 1) x 10 / baud seconds after the run start.
    const uint64_t micros = (slot + 1) * 10ull * 1000000ull / m_baud;
    return m_runStart + SimTime(static_cast<SimTime::rep>(micros));
}

void LinePacer::enqueue(std::span<const uint8_t> bytes, SimTime now)
{
    if (bytes.empty())
        return;
    // The line went idle when its last byte's deadline passed: a new run starts now.
    const bool idle = m_nextSlot == 0 || deadlineOf(m_nextSlot - 1) <= now;
    if (m_bytes.empty() && idle) {
        m_runStart = now;
        m_firstSlot = 0;
        m_nextSlot = 0;
    }
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    m_nextSlot += bytes.size();
}

size_t LinePacer::due(SimTime now) const
{
    if (m_bytes.empty())
        return 0;
    if (m_baud == 0)
        return m_bytes.size();
    const SimTime elapsed = now - m_runStart;
    if (elapsed.count() < 0)
        return 0;
    // Estimate from the elapsed time, then settle on the exact deadlines.
    const uint64_t passedSlots = static_cast<uint64_t>(elapsed.count()) * m_baud / 10000000ull;
    size_t n = passedSlots > m_firstSlot
                   ? static_cast<size_t>(std::min<uint64_t>(passedSlots - m_firstSlot, m_bytes.size()))
                   : 0;
    while (n < m_bytes.size() && deadlineOf(m_firstSlot + n) <= now)
        ++n;
    while (n > 0 && deadlineOf(m_firstSlot + n - 1) > now)
        --n;
    return n;
}

std::vector<uint8_t> LinePacer::peek(size_t n) const
{
    n = std::min(n, m_bytes.size());
    return {m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(n)};
}

void LinePacer::consume(size_t n)
{
    n = std::min(n, m_bytes.size());
    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(n));
    m_firstSlot += n;
}

std::optional<SimTime> LinePacer::nextDeadline() const
{
    if (m_bytes.empty())
        return std::nullopt;
    return deadlineOf(m_firstSlot);
}

}  // namespace hesk::sim

#include "FaultDataStore.h"

namespace hesk::link {

FaultDataStore::FaultDataStore()
    : m_ring(kRingCapacity)
{
    m_words.reserve(1024);
}

void FaultDataStore::appendHeader(uint8_t b2, uint8_t b3, uint8_t b4)
{
    const std::array<uint8_t, 7> header{0xAA, 0x00, 0x00, 0x00, b2, b3, b4};
    const std::lock_guard guard(m_lock);
    m_ring.put(header);
}

void FaultDataStore::appendData(std::span<const uint8_t, 4> bytes)
{
    const std::lock_guard guard(m_lock);
    ++m_records;
    m_ring.put(bytes);
}

void FaultDataStore::appendWords(uint16_t first, uint16_t second)
{
    const std::lock_guard guard(m_lock);
    ++m_records;
    if (m_words.size() + 2 > kMaxWords)
        return;
    m_words.push_back(first);
    m_words.push_back(second);
}

std::vector<uint8_t> FaultDataStore::ringBytes() const
{
    const std::lock_guard guard(m_lock);
    std::vector<uint8_t> bytes(static_cast<size_t>(m_ring.count()));
    m_ring.copyOut(bytes);
    return bytes;
}

int32_t FaultDataStore::ringCount() const
{
    const std::lock_guard guard(m_lock);
    return m_ring.count();
}

std::vector<uint16_t> FaultDataStore::words() const
{
    const std::lock_guard guard(m_lock);
    return m_words;
}

int64_t FaultDataStore::recordCount() const
{
    const std::lock_guard guard(m_lock);
    return m_records;
}

void FaultDataStore::clear()
{
    const std::lock_guard guard(m_lock);
    m_ring.clear();
    m_words.clear();
    m_records = 0;
}

FaultDataStore::Snapshot FaultDataStore::snapshot() const
{
    return {ringBytes(), words()};
}

void FaultDataStore::restore(const Snapshot& snapshot)
{
    const std::lock_guard guard(m_lock);
    m_ring.clear();
    m_ring.put(snapshot.ring);
    m_words = snapshot.words;
}

}  // namespace hesk::link

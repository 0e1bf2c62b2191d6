#include "ValueTables.h"

namespace hesk::link {

bool ValueTable::store(uint32_t address, uint16_t value)
{
    if (address >= kSize)
        return false;
    m_words[address].store(value, std::memory_order_relaxed);
    m_received[address / 64].fetch_or(uint64_t{1} << (address % 64), std::memory_order_relaxed);
    return true;
}

bool ValueTable::received(uint32_t address) const
{
    if (address >= kSize)
        return false;
    return (m_received[address / 64].load(std::memory_order_relaxed) >> (address % 64)) & 1u;
}

std::optional<uint16_t> ValueTable::receivedValue(uint32_t address) const
{
    if (!received(address))
        return std::nullopt;
    return m_words[address].load(std::memory_order_relaxed);
}

void ValueTable::forget(uint32_t address)
{
    if (address < kSize)
        m_received[address / 64].fetch_and(~(uint64_t{1} << (address % 64)), std::memory_order_relaxed);
}

void ValueTable::forgetAll()
{
    for (auto& marks : m_received)
        marks.store(0, std::memory_order_relaxed);
}

void OnlineValueTables::forgetReceived()
{
    parameters.forgetAll();
    readOnly.forgetAll();
    connections.forgetAll();
}

std::optional<uint16_t> ValueTable::value(uint32_t address) const
{
    if (address >= kSize)
        return std::nullopt;
    return m_words[address].load(std::memory_order_relaxed);
}

void ValueTable::clear()
{
    for (auto& word : m_words)
        word.store(0, std::memory_order_relaxed);
    forgetAll();
}

uint16_t storedConnectionValue(uint16_t received)
{
    if (received == 0)
        return 0x8000;
    return static_cast<uint16_t>(0x10000u - received);
}

}  // namespace hesk::link

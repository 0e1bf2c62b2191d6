#include "ValueTables.h"

namespace hesk::link {

bool ValueTable::store(uint32_t address, uint16_t value)
{
    if (address >= kSize)
        return false;
    m_words[address].store(value, std::memory_order_relaxed);
    m_reported[address].store(true, std::memory_order_relaxed);
    return true;
}

std::optional<uint16_t> ValueTable::value(uint32_t address) const
{
    if (address >= kSize)
        return std::nullopt;
    return m_words[address].load(std::memory_order_relaxed);
}

bool ValueTable::reported(uint32_t address) const
{
    return address < kSize && m_reported[address].load(std::memory_order_relaxed);
}

void ValueTable::clear()
{
    for (auto& word : m_words)
        word.store(0, std::memory_order_relaxed);
    for (auto& flag : m_reported)
        flag.store(false, std::memory_order_relaxed);
}

uint16_t storedConnectionValue(uint16_t received)
{
    if (received == 0)
        return 0x8000;
    return static_cast<uint16_t>(0x10000u - received);
}

}  // namespace hesk::link

#pragma once
// A bit-coded value as the bit editor shows it: one row per bit of the parameter's type,
// the word read from the value text, and the value text of a composed word in the
// type's format (hexadecimal "0X0003", binary "1", decimal "3").

#include "model/ProjectRecords.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace hesk::editing {

// Bits of the type: 1 for "B1", 8 for "V1" and "NK", 16 for every other type.
int bitCount(const model::HeskParameterElement& parameter);

// The word of a value text in the type's radix ("0x0003", "0X0003", "1", "-1"); nothing
// for a text that is no number of the radix or does not fit the type's bits. An empty
// text (no value known yet) is the word 0.
std::optional<uint16_t> bitWordFromText(const model::HeskParameterElement& parameter, const QString& text);

// The value text of a word, as the value editor would accept it.
QString bitWordText(const model::HeskParameterElement& parameter, uint16_t word);

constexpr bool bitSet(uint16_t word, int bit) { return ((word >> bit) & 1u) != 0; }
constexpr uint16_t withBit(uint16_t word, int bit, bool on)
{
    return on ? static_cast<uint16_t>(word | (1u << bit)) : static_cast<uint16_t>(word & ~(1u << bit));
}

}  // namespace hesk::editing

#pragma once
// Formats a raw 16-bit value of the device as text, by data-type name and radix:
// percentages (N2), scaled reals (E2, G2/G3, H2/H3), integers, bits, hexadecimal words
// (shown upper-case, "0X00FF") and times (T2, scaled by the project's time bases).

#include "HeskProject.h"
#include "ParameterTypes.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace hesk::model {

using TimeBases = std::array<int32_t, kTimeBaseCount>;

// The text for the raw word, or nothing when the type (or a hexadecimal type at the
// binary radix) has no format: the caller then keeps the text it had. Type names are
// compared exactly, case-sensitively.
//
// "T2": raw (unsigned) × timeBases[2] × timeBases[0] / 1000 with "%f". The product is
// widened beyond 32 bits, so large time bases cannot wrap into a wrong (even negative)
// time; the division by 1000 is real, so sub-millisecond times keep their fraction.
std::optional<QString> formatRawValue(const QString& typeName, uint16_t raw, Radix radix,
                                      const TimeBases& timeBases);

// The same, returning previousText when the type has no format.
QString formatRawValueOr(const QString& typeName, uint16_t raw, Radix radix,
                         const TimeBases& timeBases, const QString& previousText);

}  // namespace hesk::model

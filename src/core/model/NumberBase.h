#pragma once
// Conversions between number bases as the bit and word editors use them: hexadecimal
// text to binary text through the nibble table, binary text to decimal text and
// hexadecimal text to decimal text.
//
// Texts are read strictly: a hexadecimal text may carry the prefix "0x" or "0X" and must
// have at least one digit; a binary text has only "0" and "1". At most 64 bits (16 hex
// digits) are converted; anything else gives nothing.
//
// Signed results take the text's own width as the two's-complement width: "0xFF" is -1,
// "0x00FF" is 255, "1000000000000000" is -32768 and "0xFF00" is -256.

#include <QString>

#include <cstdint>
#include <optional>

namespace hesk::model {

enum class Signedness { Unsigned, Signed };

// "0000" ... "1111" for hex digit values 0 to 15.
QString nibbleBits(int digitValue);

// "0x00FF" -> "0000000011111111"; four bits per digit, leading zeros kept.
std::optional<QString> hexToBinary(const QString& hexText);

std::optional<QString> binaryToDecimal(const QString& binaryText, Signedness signedness);
std::optional<QString> hexToDecimal(const QString& hexText, Signedness signedness);

// The same conversions as numbers, for range checks.
std::optional<uint64_t> binaryToUnsigned(const QString& binaryText);
std::optional<uint64_t> hexToUnsigned(const QString& hexText);

}  // namespace hesk::model

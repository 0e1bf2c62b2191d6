#include "NumberBase.h"

#include <array>

namespace hesk::model {

namespace {

constexpr int kMaxBits = 64;

constexpr std::array<const char*, 16> kNibbles{
    "0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111",
    "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111",
};

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

QString hexDigits(const QString& hexText)
{
    if (hexText.startsWith(QLatin1String("0x")) || hexText.startsWith(QLatin1String("0X")))
        return hexText.mid(2);
    return hexText;
}

bool isBinaryText(const QString& text)
{
    if (text.isEmpty() || text.size() > kMaxBits)
        return false;
    for (QChar c : text)
        if (c != QLatin1Char('0') && c != QLatin1Char('1'))
            return false;
    return true;
}

}  // namespace

QString nibbleBits(int digitValue)
{
    if (digitValue < 0 || digitValue > 15)
        return {};
    return QString::fromLatin1(kNibbles[static_cast<std::size_t>(digitValue)]);
}

std::optional<QString> hexToBinary(const QString& hexText)
{
    const QString digits = hexDigits(hexText);
    if (digits.isEmpty() || digits.size() * 4 > kMaxBits)
        return std::nullopt;
    QString bits;
    bits.reserve(digits.size() * 4);
    for (QChar c : digits) {
        const int value = hexDigitValue(c);
        if (value < 0)
            return std::nullopt;
        bits += nibbleBits(value);
    }
    return bits;
}

std::optional<uint64_t> binaryToUnsigned(const QString& binaryText)
{
    if (!isBinaryText(binaryText))
        return std::nullopt;
    uint64_t value = 0;
    for (QChar c : binaryText)
        value = (value << 1) | (c == QLatin1Char('1') ? 1u : 0u);
    return value;
}

std::optional<uint64_t> hexToUnsigned(const QString& hexText)
{
    const std::optional<QString> bits = hexToBinary(hexText);
    if (!bits)
        return std::nullopt;
    return binaryToUnsigned(*bits);
}

std::optional<QString> binaryToDecimal(const QString& binaryText, Signedness signedness)
{
    const std::optional<uint64_t> value = binaryToUnsigned(binaryText);
    if (!value)
        return std::nullopt;
    const bool negative = signedness == Signedness::Signed && binaryText.front() == QLatin1Char('1');
    if (!negative)
        return QString::number(*value);
    // Two's complement of the text's width: value - 2^width, computed as -(2^width - value)
    // so that a 64-bit width needs no wider type.
    const int width = static_cast<int>(binaryText.size());
    const uint64_t modulus = width == kMaxBits ? 0 : (uint64_t{1} << width);
    const uint64_t magnitude = modulus - *value;  // wraps correctly for width 64
    return QLatin1Char('-') + QString::number(magnitude);
}

std::optional<QString> hexToDecimal(const QString& hexText, Signedness signedness)
{
    const std::optional<QString> bits = hexToBinary(hexText);
    if (!bits)
        return std::nullopt;
    return binaryToDecimal(*bits, signedness);
}

}  // namespace hesk::model

#include "model/ValueFormat.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace hesk::model;

namespace {

constexpr TimeBases kNoTimeBases{};

struct FormatCase {
    const char* type;
    uint16_t raw;
    Radix radix;
    const char* expected;  // nullptr: no format, the caller keeps its text
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.type << " 0x" << std::hex << c.raw << std::dec << " radix" << static_cast<int>(c.radix);
}

class FormatRawValue : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatRawValue, showsTheWordAsTheTypeSays)
{
    const FormatCase& c = GetParam();
    const std::optional<QString> text =
        formatRawValue(QString::fromLatin1(c.type), c.raw, c.radix, kNoTimeBases);
    if (c.expected == nullptr)
        EXPECT_FALSE(text.has_value()) << c.type << " " << c.raw << " gave " << text->toStdString();
    else
        EXPECT_EQ(text, QString::fromLatin1(c.expected)) << c.type << " " << c.raw;
}

constexpr Radix kHex = Radix::Hexadecimal;
constexpr Radix kDec = Radix::Decimal;
constexpr Radix kBin = Radix::Binary;

INSTANTIATE_TEST_SUITE_P(
    Words, FormatRawValue,
    ::testing::Values(FormatCase{"V2", 0x00FF, kHex, "0X00FF"}, FormatCase{"V2", 0xabcd, kHex, "0XABCD"},
                      FormatCase{"V2", 0xFFFF, kDec, "65535"}, FormatCase{"V2", 0x00FF, kBin, nullptr},
                      FormatCase{"GT", 0x1234, kHex, "0X1234"}, FormatCase{"GT", 0x8000, kDec, "32768"},
                      FormatCase{"GT", 1, kBin, nullptr}, FormatCase{"V1", 0x12AB, kHex, "0XAB"},
                      FormatCase{"V1", 0x1205, kHex, "0X05"}, FormatCase{"V1", 0x12FF, kDec, "255"},
                      FormatCase{"V1", 0x12FF, kBin, nullptr}, FormatCase{"NK", 0x000A, kHex, "0X0A"},
                      FormatCase{"NK", 0x1234, kDec, "0X1234"}, FormatCase{"NK", 0, kBin, "0X00"}));

INSTANTIATE_TEST_SUITE_P(
    Integers, FormatRawValue,
    ::testing::Values(FormatCase{"I2", 0xFFFF, kDec, "-1"}, FormatCase{"I2", 0x8000, kHex, "-32768"},
                      FormatCase{"I2", 0x7FFF, kBin, "32767"}, FormatCase{"CH", 0xFFFE, kDec, "-2"},
                      FormatCase{"O2", 5, kDec, "5"}, FormatCase{"O2", 0, kDec, "0"},
                      FormatCase{"O2", 0xFFFF, kDec, "0"}, FormatCase{"O2", 0x7FFF, kHex, "32767"},
                      FormatCase{"B1", 1, kBin, "1"}, FormatCase{"B1", 0, kBin, "0"},
                      FormatCase{"B1", 0xFFFF, kBin, "0"}, FormatCase{"B1", 0x8000, kDec, "0"},
                      FormatCase{"B1", 0x0100, kBin, "1"}));

INSTANTIATE_TEST_SUITE_P(
    Reals, FormatRawValue,
    ::testing::Values(FormatCase{"N2", 16384, kDec, "100.000000"}, FormatCase{"N2", 0xC000, kDec, "-100.000000"},
                      FormatCase{"N2", 8192, kHex, "50.000000"}, FormatCase{"N2", 0, kBin, "0.000000"},
                      FormatCase{"E2", 12800, kDec, "100.003125"}, FormatCase{"E2", 0xFFFF, kDec, "-0.007813"},
                      FormatCase{"G2", 8, kDec, "1.000000"}, FormatCase{"G3", 0xFFFF, kDec, "8191.875000"},
                      FormatCase{"G2", 3, kHex, "0.375000"}, FormatCase{"H2", 1000, kDec, "32.000000"},
                      FormatCase{"H3", 0xFFFF, kDec, "2097.120000"}, FormatCase{"H2", 1, kDec, "0.032000"}));

INSTANTIATE_TEST_SUITE_P(
    UnknownTypes, FormatRawValue,
    ::testing::Values(FormatCase{"n2", 16384, kDec, nullptr}, FormatCase{"XX", 1, kDec, nullptr},
                      FormatCase{"", 1, kHex, nullptr}, FormatCase{"V2 ", 1, kHex, nullptr}));

TEST(FormatTime, scalesByTimeBasesTwoAndZero)
{
    TimeBases bases{125, 0, 8, 0, 0, 0};
    EXPECT_EQ(formatRawValue(QStringLiteral("T2"), 1, Radix::Decimal, bases), QStringLiteral("1.000000"));
    EXPECT_EQ(formatRawValue(QStringLiteral("T2"), 0xFFFF, Radix::Decimal, bases),
              QStringLiteral("65535.000000"));
    bases = {125, 99, 1, 99, 99, 99};
    EXPECT_EQ(formatRawValue(QStringLiteral("T2"), 3, Radix::Hexadecimal, bases), QStringLiteral("0.375000"));
    EXPECT_EQ(formatRawValue(QStringLiteral("T2"), 0, Radix::Decimal, bases), QStringLiteral("0.000000"));
}

TEST(FormatTime, largeProductsDoNotWrapAround)
{
    // 65535 × 1000 × 1000 exceeds 32 bits; a wrapped product would show a wrong or
    // even negative time.
    const TimeBases bases{1000, 0, 1000, 0, 0, 0};
    EXPECT_EQ(formatRawValue(QStringLiteral("T2"), 0xFFFF, Radix::Decimal, bases),
              QStringLiteral("65535000.000000"));
    const TimeBases huge{2147483647, 0, 2147483647, 0, 0, 0};
    const QString text = *formatRawValue(QStringLiteral("T2"), 0xFFFF, Radix::Decimal, huge);
    EXPECT_FALSE(text.startsWith(QLatin1Char('-')));
    EXPECT_NEAR(text.toDouble(), 65535.0 * 2147483647.0 * 2147483647.0 / 1000.0, 1e12);
}

TEST(FormatRawValueOr, keepsThePreviousTextForUnknownTypes)
{
    EXPECT_EQ(formatRawValueOr(QStringLiteral("ZZ"), 5, Radix::Decimal, kNoTimeBases, QStringLiteral("old")),
              QStringLiteral("old"));
    EXPECT_EQ(formatRawValueOr(QStringLiteral("V2"), 5, Radix::Binary, kNoTimeBases, QStringLiteral("old")),
              QStringLiteral("old"));
    EXPECT_EQ(formatRawValueOr(QStringLiteral("I2"), 5, Radix::Decimal, kNoTimeBases, QStringLiteral("old")),
              QStringLiteral("5"));
}

}  // namespace

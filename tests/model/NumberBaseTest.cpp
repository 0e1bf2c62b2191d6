#include "model/NumberBase.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace hesk::model;

namespace {

TEST(NumberBase, nibbleTableByDigitValue)
{
    const char* table[] = {"0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111",
                           "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111"};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(nibbleBits(i), QString::fromLatin1(table[i])) << i;
    EXPECT_TRUE(nibbleBits(16).isEmpty());
    EXPECT_TRUE(nibbleBits(-1).isEmpty());
}

struct HexCase {
    const char* hex;
    const char* binary;    // nullptr: refused
    const char* unsignedText;
    const char* signedText;
};

void PrintTo(const HexCase& c, std::ostream* os)
{
    *os << '"' << c.hex << '"';
}

class HexConversion : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexConversion, convertsThroughTheNibbleTable)
{
    const HexCase& c = GetParam();
    const QString hex = QString::fromLatin1(c.hex);
    if (c.binary == nullptr) {
        EXPECT_FALSE(hexToBinary(hex).has_value()) << c.hex;
        EXPECT_FALSE(hexToDecimal(hex, Signedness::Unsigned).has_value()) << c.hex;
        EXPECT_FALSE(hexToUnsigned(hex).has_value()) << c.hex;
        return;
    }
    EXPECT_EQ(hexToBinary(hex), QString::fromLatin1(c.binary)) << c.hex;
    EXPECT_EQ(hexToDecimal(hex, Signedness::Unsigned), QString::fromLatin1(c.unsignedText)) << c.hex;
    EXPECT_EQ(hexToDecimal(hex, Signedness::Signed), QString::fromLatin1(c.signedText)) << c.hex;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HexConversion,
    ::testing::Values(
        HexCase{"0x00FF", "0000000011111111", "255", "255"},
        HexCase{"0XFF", "11111111", "255", "-1"},
        HexCase{"ff", "11111111", "255", "-1"},
        HexCase{"0x8000", "1000000000000000", "32768", "-32768"},
        HexCase{"0xFF00", "1111111100000000", "65280", "-256"},
        HexCase{"0x7fff", "0111111111111111", "32767", "32767"},
        HexCase{"0x0", "0000", "0", "0"},
        HexCase{"0xA", "1010", "10", "-6"},
        HexCase{"0xFFFFFFFFFFFFFFFF", "1111111111111111111111111111111111111111111111111111111111111111",
                "18446744073709551615", "-1"},
        HexCase{"0x8000000000000000", "1000000000000000000000000000000000000000000000000000000000000000",
                "9223372036854775808", "-9223372036854775808"},
        HexCase{"0x", nullptr, nullptr, nullptr}, HexCase{"", nullptr, nullptr, nullptr},
        HexCase{"0xG1", nullptr, nullptr, nullptr}, HexCase{"0x 1", nullptr, nullptr, nullptr},
        HexCase{"-0x1", nullptr, nullptr, nullptr},
        HexCase{"0x10000000000000000", nullptr, nullptr, nullptr}));

TEST(BinaryConversion, widthOfTheTextIsTheSignWidth)
{
    EXPECT_EQ(binaryToDecimal(QStringLiteral("1"), Signedness::Unsigned), QStringLiteral("1"));
    EXPECT_EQ(binaryToDecimal(QStringLiteral("1"), Signedness::Signed), QStringLiteral("-1"));
    EXPECT_EQ(binaryToDecimal(QStringLiteral("01"), Signedness::Signed), QStringLiteral("1"));
    EXPECT_EQ(binaryToDecimal(QStringLiteral("100000000"), Signedness::Signed), QStringLiteral("-256"));
    EXPECT_EQ(binaryToDecimal(QStringLiteral("1000000000000000"), Signedness::Signed), QStringLiteral("-32768"));
    EXPECT_EQ(binaryToDecimal(QStringLiteral("1111111111111111"), Signedness::Unsigned), QStringLiteral("65535"));
    EXPECT_EQ(binaryToUnsigned(QStringLiteral("0000000000000101")), 5u);
}

TEST(BinaryConversion, refusesOtherCharactersAndOverlongTexts)
{
    for (const QString& text : {QString(), QStringLiteral("2"), QStringLiteral("10 1"),
                                QStringLiteral("0b1"), QString(65, QLatin1Char('1'))}) {
        EXPECT_FALSE(binaryToDecimal(text, Signedness::Unsigned).has_value()) << text.toStdString();
        EXPECT_FALSE(binaryToUnsigned(text).has_value()) << text.toStdString();
    }
}

}  // namespace

// Bit-coded values: the bits of each type, words read from value texts, texts of
// composed words, and the bit editor's OK going the value editor's way.

#include "EditingFixture.h"

#include "editing/BitWord.h"

namespace hesk::editing::test {
namespace {

TEST(BitWord, bitsPerType)
{
    EXPECT_EQ(bitCount(definition(53, 0, true, 0)), 16);  // V2
    EXPECT_EQ(bitCount(definition(53, 6, true, 0)), 8);   // V1
    EXPECT_EQ(bitCount(definition(53, 8, true, 0)), 8);   // NK
    EXPECT_EQ(bitCount(definition(53, 2, true, 0)), 1);   // B1
    EXPECT_EQ(bitCount(definition(53, 3, true, 0)), 16);  // I2
}

TEST(BitWord, wordsFromTexts)
{
    const model::HeskParameterElement v2 = definition(53, 0, true, 0);
    const model::HeskParameterElement v1 = definition(53, 6, true, 0);
    const model::HeskParameterElement i2 = definition(53, 3, true, 0);
    EXPECT_EQ(bitWordFromText(v2, QStringLiteral("0x0003")), uint16_t{3});
    EXPECT_EQ(bitWordFromText(v2, QStringLiteral("0XFFFF")), uint16_t{0xFFFF});
    EXPECT_EQ(bitWordFromText(v2, QString()), uint16_t{0});
    EXPECT_EQ(bitWordFromText(v2, QStringLiteral("3")), std::nullopt);       // no prefix
    EXPECT_EQ(bitWordFromText(v2, QStringLiteral("0x10000")), std::nullopt);  // beyond 16 bits
    EXPECT_EQ(bitWordFromText(v1, QStringLiteral("0x1FF")), std::nullopt);    // beyond 8 bits
    EXPECT_EQ(bitWordFromText(i2, QStringLiteral("-1")), uint16_t{0xFFFF});
    EXPECT_EQ(bitWordFromText(i2, QStringLiteral("1.5")), std::nullopt);
}

TEST(BitWord, textsOfWordsAndBits)
{
    EXPECT_EQ(bitWordText(definition(53, 0, true, 0), 0x00AB), QStringLiteral("0X00AB"));
    EXPECT_EQ(bitWordText(definition(53, 6, true, 0), 0x0B), QStringLiteral("0X0B"));
    EXPECT_EQ(bitWordText(definition(53, 2, true, 0), 1), QStringLiteral("1"));
    EXPECT_EQ(bitWordText(definition(53, 3, true, 0), 0xFFFF), QStringLiteral("-1"));
    EXPECT_EQ(bitWordText(definition(53, 9, true, 0), 0xFFFF), QStringLiteral("65535"));  // GT, unsigned
    EXPECT_EQ(withBit(0x0001, 1, true), 0x0003);
    EXPECT_EQ(withBit(0x0003, 0, false), 0x0002);
    EXPECT_TRUE(bitSet(0x8000, 15));
    EXPECT_FALSE(bitSet(0x8000, 14));
}

class BitEdit : public EditingTest {};

TEST_F(BitEdit, composedWordIsStoredOfflineOrWrittenOnline)
{
    EditEnvironment offlineEnv = offlineEnvironment();
    const EditOutcome stored = applyBitWord(offlineEnv, element("P0053"), withBit(0x0001, 1, true));
    EXPECT_TRUE(stored.applied);
    EXPECT_EQ(offline.value(QStringLiteral("P0053")), stored.text);
    EXPECT_EQ(bitWordFromText(element("P0053"), stored.text), uint16_t{3});

    EditEnvironment onlineEnv = onlineEnvironment();
    EXPECT_TRUE(applyBitWord(onlineEnv, element("P0053"), 0x0002).applied);
    EXPECT_EQ(frames(), std::vector<std::string>{"03 0000 0002"});
    EXPECT_EQ(tables.parameters.valueOr0(0), 2);

    drive.answers = {false};
    EXPECT_FALSE(applyBitWord(onlineEnv, element("P0053"), 0x0006).applied);
    EXPECT_EQ(tables.parameters.valueOr0(0), 2);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("警告:在线修改参数值失败！")});
}

}  // namespace
}  // namespace hesk::editing::test

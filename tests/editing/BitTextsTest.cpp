// The bit meanings the bit editor shows, read from the definition's comment.

#include "EditingFixture.h"

#include "editing/BitTexts.h"

namespace hesk::editing::test {
namespace {

model::HeskParameterElement word(uint16_t typeCode, const QString& comment)
{
    model::HeskParameterElement e = definition(550, typeCode, false, 0);
    e.comment = comment;
    return e;
}

TEST(BitTexts, commentsInTheConventionNameTheirBits)
{
    struct Case {
        const char* comment;
        std::map<int, QString> named;  // every other bit is empty
    };
    const Case cases[] = {
        // Entries on one line, separated by semicolons, after a remark that names no bit.
        {"控制字1 Bit0: ON/OFF1; Bit1: OFF2; Bit2: OFF3",
         {{0, QStringLiteral("ON/OFF1")}, {1, QStringLiteral("OFF2")}, {2, QStringLiteral("OFF3")}}},
        // One per line, full-width colons, CR LF, bits out of order and with gaps.
        {"Bit3：故障\r\nBit0：准备合闸\nbit 15 : 最高位",
         {{0, QStringLiteral("准备合闸")}, {3, QStringLiteral("故障")}, {15, QStringLiteral("最高位")}}},
        // A marker ends the text before it even without a separator; full-width semicolon.
        {"BIT1:a Bit2:b；Bit4:  c  ", {{1, QStringLiteral("a")}, {2, QStringLiteral("b")}, {4, QStringLiteral("c")}}},
        // The first text of a bit counts; a marker after a Latin letter is none; beyond the
        // type's 16 bits nothing is named.
        {"Bit5: first; Bit5: second; xBit6: no; Bit16: none; Bit99: none", {{5, QStringLiteral("first")}}},
        // No marker, or an empty text.
        {"控制字1，参见手册", {}},
        {"", {}},
        {"Bit7:", {}},
    };
    for (const Case& c : cases) {
        const std::vector<QString> texts = bitTexts(word(0, QString::fromUtf8(c.comment)));
        ASSERT_EQ(texts.size(), 16u) << c.comment;
        for (int bit = 0; bit < 16; ++bit) {
            const auto it = c.named.find(bit);
            EXPECT_EQ(texts[static_cast<std::size_t>(bit)], it == c.named.end() ? QString() : it->second)
                << c.comment << " bit " << bit;
        }
    }
}

TEST(BitTexts, oneTextPerBitOfTheType)
{
    const QString comment = QStringLiteral("Bit0: on; Bit7: top; Bit8: beyond");
    const std::vector<QString> v1 = bitTexts(word(6, comment));  // V1: 8 bits
    ASSERT_EQ(v1.size(), 8u);
    EXPECT_EQ(v1[0], QStringLiteral("on"));
    EXPECT_EQ(v1[7], QStringLiteral("top"));
    const std::vector<QString> b1 = bitTexts(word(2, comment));  // B1: 1 bit
    EXPECT_EQ(b1, std::vector<QString>{QStringLiteral("on")});
}

}  // namespace
}  // namespace hesk::editing::test

#include "model/ArchiveReader.h"
#include "model/HeskStringCodec.h"

#include "ByteBuilder.h"

#include <gtest/gtest.h>

#include <string>

using hesk::model::ArchiveReader;
using hesk::testsupport::ByteBuilder;
namespace codec = hesk::model::HeskStringCodec;

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text));
}

QString repeated(QChar c, qsizetype n)
{
    return QString(n, c);
}

// ---- writing: always the UTF-16 form with the shortest length field ----

struct WriteCase {
    const char* label;
    QString text;
    QByteArray expectedPrefix;  // mark and length field
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.label; }

class StringCodecWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(StringCodecWrite, writesMarkLengthAndLittleEndianUnits)
{
    const WriteCase& c = GetParam();
    const QByteArray encoded = codec::encode(c.text);

    ASSERT_EQ(encoded.size(), c.expectedPrefix.size() + 2 * c.text.size());
    EXPECT_EQ(encoded.left(c.expectedPrefix.size()).toHex(' '), c.expectedPrefix.toHex(' '));
    EXPECT_EQ(encoded.mid(c.expectedPrefix.size()), ByteBuilder().utf16Units(c.text).data());
    EXPECT_EQ(codec::encodedSize(c.text), encoded.size());

    const auto decoded = codec::decode(encoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->text, c.text);
    EXPECT_EQ(decoded->consumed, encoded.size());
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, StringCodecWrite,
    testing::Values(WriteCase{"empty", QString(), hex("fffeff00")},
                    WriteCase{"ascii", QStringLiteral("A"), hex("fffeff01")},
                    WriteCase{"chinese", QStringLiteral("中文"), hex("fffeff02")},
                    WriteCase{"bomAndSurrogatePairKept", QStringLiteral("\uFEFFx\U0001F600"), hex("fffeff04")},
                    WriteCase{"longestOneByteLength", repeated('a', 254), hex("fffefffe")},
                    WriteCase{"firstUInt16Length", repeated('a', 255), hex("fffeffffff00")},
                    WriteCase{"threeHundred", repeated('a', 300), hex("fffeffff2c01")},
                    WriteCase{"longestUInt16Length", repeated('a', 0xFFFD), hex("fffefffffdff")},
                    WriteCase{"firstUInt32Length", repeated('a', 0xFFFE), hex("fffeffffffff feff0000")}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.label); });

TEST(StringCodec, emptyTextIsTheFourBytesOfTheMarkAndZero)
{
    EXPECT_EQ(codec::encode(QString()), hex("fffeff00"));
    EXPECT_EQ(codec::encode(QStringLiteral("")), hex("fffeff00"));
}

TEST(StringCodec, writeAppendsToExistingBytes)
{
    QByteArray out("\x01\x02", 2);
    codec::write(out, QStringLiteral("Z"));
    EXPECT_EQ(out, hex("0102 fffeff01 5a00"));
}

// ---- reading: every form a file may hold ----

QByteArray gbk(const char* utf8Text)
{
    // The GBK bytes are spelled out so that the test does not rely on our own decoder.
    if (std::string(utf8Text) == "中文")
        return hex("d6d0cec4");
    if (std::string(utf8Text) == "电压")
        return hex("b5e7d1b9");
    return QByteArray(utf8Text);
}

struct ReadCase {
    const char* label;
    QByteArray bytes;
    QString expected;
    qsizetype consumed;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.label; }

class StringCodecRead : public testing::TestWithParam<ReadCase> {};

TEST_P(StringCodecRead, decodesTextAndConsumesExactlyItsBytes)
{
    const ReadCase& c = GetParam();
    QByteArray bytes = c.bytes;
    bytes.append("\xAA\xBB", 2);  // a following field must stay unread

    ArchiveReader reader(bytes);
    const QString text = reader.readText();
    ASSERT_FALSE(reader.failed());
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(reader.position(), c.consumed);
    EXPECT_EQ(reader.readUInt16(), 0xBBAA);
}

const QString k300 = repeated('x', 300);

INSTANTIATE_TEST_SUITE_P(
    Forms, StringCodecRead,
    testing::Values(
        ReadCase{"utf16Empty", hex("fffeff00"), QString(), 4},
        ReadCase{"utf16OneByteLength", ByteBuilder().text(QStringLiteral("转速")), QStringLiteral("转速"), 8},
        ReadCase{"utf16UInt16Length", ByteBuilder().raw({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}).utf16Units(k300), k300,
                 6 + 600},
        ReadCase{"utf16UInt32Length", ByteBuilder().textWithUInt32Length(QStringLiteral("AB")), QStringLiteral("AB"),
                 10 + 4},
        ReadCase{"utf16UInt64Length",
                 ByteBuilder().raw({0xFF, 0xFE, 0xFF, 0xFF}).u16(0xFFFF).u32(0xFFFFFFFF).u64(2).utf16Units(u"AB"),
                 QStringLiteral("AB"), 18 + 4},
        ReadCase{"utf16SmallLengthInUInt16Field", ByteBuilder().raw({0xFF, 0xFE, 0xFF, 0xFF}).u16(1).utf16Units(u"Q"),
                 QStringLiteral("Q"), 6 + 2},
        ReadCase{"ansiEmpty", hex("00"), QString(), 1},
        ReadCase{"ansiAscii", ByteBuilder().ansiText("V1.14"), QStringLiteral("V1.14"), 6},
        ReadCase{"ansiGbkChinese", ByteBuilder().ansiText(gbk("中文")), QStringLiteral("中文"), 5},
        ReadCase{"ansiMixedGbk", ByteBuilder().ansiText("U_" + gbk("电压")), QStringLiteral("U_电压"), 7},
        ReadCase{"ansiUInt16Length", ByteBuilder().u8(0xFF).u16(300).raw(k300.toLatin1()), k300, 3 + 300},
        ReadCase{"ansiUInt32Length", ByteBuilder().u8(0xFF).u16(0xFFFF).u32(3).raw("abc"), QStringLiteral("abc"),
                 7 + 3},
        ReadCase{"ansiUInt64Length", ByteBuilder().u8(0xFF).u16(0xFFFF).u32(0xFFFFFFFF).u64(3).raw("abc"),
                 QStringLiteral("abc"), 15 + 3}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.label); });

TEST(StringCodec, utf16LengthFieldOf0xFFFEAfterTheMarkIsALength)
{
    // After the mark a second FF FE is not a mark again: it is the length 0xFFFE.
    const QString text = repeated(QChar(0x4E2D), 0xFFFE);
    const QByteArray bytes = ByteBuilder().raw({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF}).utf16Units(text);
    const auto decoded = codec::decode(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->text, text);
    EXPECT_EQ(decoded->consumed, bytes.size());
}

TEST(StringCodec, invalidGbkBytesBecomeReplacementCharactersNotAnError)
{
    const auto decoded = codec::decode(ByteBuilder().ansiText(hex("41 80 42")).data());
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->text.startsWith(QLatin1Char('A')));
    EXPECT_TRUE(decoded->text.endsWith(QLatin1Char('B')));
    EXPECT_TRUE(decoded->text.contains(QChar(QChar::ReplacementCharacter)));
}

// ---- malformed texts fail the reader instead of reading past the end ----

struct MalformedCase {
    const char* label;
    QByteArray bytes;
};

void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.label; }

class StringCodecMalformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(StringCodecMalformed, failsTheReaderAndReturnsEmptyText)
{
    ArchiveReader reader(GetParam().bytes);
    EXPECT_TRUE(reader.readText().isEmpty());
    EXPECT_TRUE(reader.failed());
    EXPECT_LE(reader.position(), GetParam().bytes.size());
    EXPECT_FALSE(codec::decode(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StringCodecMalformed,
    testing::Values(MalformedCase{"noBytes", QByteArray()},
                    MalformedCase{"ansiShorterThanLength", ByteBuilder().u8(5).raw("ab")},
                    MalformedCase{"utf16MissingUnit", ByteBuilder().raw({0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00})},
                    MalformedCase{"utf16HalfUnit", ByteBuilder().raw({0xFF, 0xFE, 0xFF, 0x01, 0x41})},
                    MalformedCase{"markCutOff", ByteBuilder().raw({0xFF, 0xFE})},
                    MalformedCase{"lengthByteMissingAfterMark", ByteBuilder().raw({0xFF, 0xFE, 0xFF})},
                    MalformedCase{"uint16LengthCutOff", ByteBuilder().raw({0xFF, 0xFE, 0xFF, 0xFF, 0x2C})},
                    MalformedCase{"uint32LengthCutOff", ByteBuilder().raw({0xFF, 0xFF, 0xFF, 0x03, 0x00})},
                    MalformedCase{"ansiLengthBeyondData", ByteBuilder().u8(0xFF).u16(0xFFFF).u32(0x80000000).raw("abc")},
                    MalformedCase{"utf16LengthBeyondData",
                                  ByteBuilder().raw({0xFF, 0xFE, 0xFF, 0xFF}).u16(0xFFFF).u32(0x7FFFFFFF).raw("abcd")},
                    MalformedCase{"uint64LengthHuge",
                                  ByteBuilder().u8(0xFF).u16(0xFFFF).u32(0xFFFFFFFF).u64(~0ull).raw("abc")},
                    MalformedCase{"utf16UInt64LengthOverflowsByteCount",
                                  ByteBuilder().raw({0xFF, 0xFE, 0xFF, 0xFF}).u16(0xFFFF).u32(0xFFFFFFFF).u64(
                                      0x8000000000000001ull).raw("abcd")}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return std::string(info.param.label); });

}  // namespace

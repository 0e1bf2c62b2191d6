// Records read from fixtures that are built byte by byte in file order, compared with
// records built member by member; writing a record back must give the fixture's bytes.

#include "model/ProjectRecordCodec.h"

#include "ByteBuilder.h"
#include "ProjectFileFixtures.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <functional>
#include <limits>

using namespace hesk::model;
using hesk::testsupport::ByteBuilder;
using namespace hesk::testsupport::fixtures;

namespace {

template <typename Record>
Record readOne(const QByteArray& bytes, bool* atEnd = nullptr)
{
    ArchiveReader reader(bytes);
    Record record;
    readRecord(reader, record);
    EXPECT_FALSE(reader.failed());
    if (atEnd)
        *atEnd = reader.atEnd();
    return record;
}

template <typename Record>
QByteArray writeOne(const Record& record)
{
    ArchiveWriter writer;
    writeRecord(writer, record);
    return writer.data();
}

// ---- ports and connections: short and long form chosen by the unsigned version ----

struct FormCase {
    int32_t version;
    bool longForm;
};

void PrintTo(const FormCase& c, std::ostream* os)
{
    *os << "version " << c.version << (c.longForm ? " (long form)" : " (short form)");
}

std::string formName(const testing::TestParamInfo<FormCase>& info)
{
    const std::string version = info.param.version < 0 ? "Minus" + std::to_string(-int64_t{info.param.version})
                                                       : std::to_string(info.param.version);
    return "version" + version + (info.param.longForm ? "Long" : "Short");
}

class RecordForms : public testing::TestWithParam<FormCase> {};

TEST_P(RecordForms, portHasTheFieldsOfItsFormAndWritesThemBack)
{
    ByteBuilder bytes;
    appendPort(bytes, GetParam().version, GetParam().longForm);
    bool atEnd = false;
    const auto port = readOne<HeskPort>(bytes, &atEnd);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(port, expectedPort(GetParam().version, GetParam().longForm));
    EXPECT_EQ(writeOne(port), bytes.data());
}

TEST_P(RecordForms, connectionHasTheFieldsOfItsFormAndWritesThemBack)
{
    ByteBuilder bytes;
    appendConnection(bytes, GetParam().version, GetParam().longForm);
    bool atEnd = false;
    const auto connection = readOne<HeskConnection>(bytes, &atEnd);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(connection, expectedConnection(GetParam().version, GetParam().longForm));
    EXPECT_EQ(writeOne(connection), bytes.data());
}

INSTANTIATE_TEST_SUITE_P(Versions, RecordForms,
                         testing::Values(FormCase{0, false}, FormCase{1, false}, FormCase{2, true},
                                         FormCase{7, true}, FormCase{-1, true},
                                         FormCase{std::numeric_limits<int32_t>::min(), true}),
                         formName);

TEST(RecordForms, shortFormPortIsFollowedDirectlyByTheNextField)
{
    ByteBuilder bytes;
    appendPort(bytes, 1, false);
    bytes.i32(0x600DF00D);
    ArchiveReader reader(bytes.data());
    HeskPort port;
    readRecord(reader, port);
    EXPECT_EQ(reader.readInt32(), 0x600DF00D);
    EXPECT_TRUE(reader.atEnd());
}

TEST(RecordForms, writerKeepsTheFormOfTheVersionHeldInMemory)
{
    HeskPort port = expectedPort(1, true);  // long-form members set, but version 1
    HeskConnection connection = expectedConnection(0, true);
    ByteBuilder shortPort, shortConnection;
    appendPort(shortPort, 1, false);
    appendConnection(shortConnection, 0, false);
    EXPECT_EQ(writeOne(port), shortPort.data());
    EXPECT_EQ(writeOne(connection), shortConnection.data());
    EXPECT_EQ(port.version, 1);
}

// ---- field order of the larger records ----

TEST(RecordFields, parameterElementFieldsAreReadInFileOrder)
{
    ByteBuilder b;
    b.i32(-7).u16(1234).u16(3).u16(4).u16(8191).u16(5).u16(6).u16(1).u16(2).u16(9);
    b.text("src1").text("cur").text("rawMax").text("rawMin").text("注释").text("名称");
    b.text("s7").text("s8").text("s9").text("s10").text("s11").text("factory").text("t12");
    b.i32(10).i32(2).text("rev").text("fwd").text("max").text("min").i32(11);
    b.text("3").text("V").text("1").text("refKey").text("0").text("t13").text("t14").text("t15");

    HeskParameterElement e;
    e.version = -7, e.number = 1234, e.subIndex = 3, e.typeCode = 4, e.address = 8191;
    e.word5 = 5, e.word6 = 6, e.settable = 1, e.connectionFlag = 2, e.word9 = 9;
    e.sourceText1 = "src1", e.currentValueText = "cur", e.rawMaxText = "rawMax", e.rawMinText = "rawMin";
    e.comment = QStringLiteral("注释"), e.name = QStringLiteral("名称");
    e.sourceTexts7to11 = {"s7", "s8", "s9", "s10", "s11"};
    e.factoryValue = "factory", e.text12 = "t12", e.word10 = 10, e.decimals = 2;
    e.reverseFormula = "rev", e.forwardFormula = "fwd", e.maxText = "max", e.minText = "min", e.word11 = 11;
    e.commandType = "3", e.unit = "V", e.importFlag = "1", e.referenceKey = "refKey", e.auxFlag = "0";
    e.texts13to15 = {"t13", "t14", "t15"};

    bool atEnd = false;
    EXPECT_EQ(readOne<HeskParameterElement>(b, &atEnd), e);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(writeOne(e), b.data());
}

TEST(RecordFields, programTreeIsReadOnItsOwnInFileOrder)
{
    ByteBuilder b;
    appendProgram(b);
    bool atEnd = false;
    EXPECT_EQ(readOne<HeskProgram>(b, &atEnd), expectedProgram());
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(writeOne(expectedProgram()), b.data());
}

TEST(RecordFields, temporaryElementIsNineWordsThenElevenTexts)
{
    ByteBuilder b;
    TTemporaryElement expected;
    for (uint16_t i = 0; i < 9; ++i) {
        b.u16(static_cast<uint16_t>(100 + i));
        expected.words[i] = static_cast<uint16_t>(100 + i);
    }
    for (int i = 0; i < 11; ++i) {
        const QString text = QStringLiteral("文本%1").arg(i);
        b.text(text);
        expected.texts[static_cast<std::size_t>(i)] = text;
    }
    bool atEnd = false;
    EXPECT_EQ(readOne<TTemporaryElement>(b, &atEnd), expected);
    EXPECT_TRUE(atEnd);
    EXPECT_EQ(writeOne(expected), b.data());
}

TEST(RecordFields, ubaseRowIsFortyFourTexts)
{
    ByteBuilder b;
    UbaseInfo expected;
    for (int i = 0; i < kUbaseColumns; ++i) {
        b.text(QString::number(i * 10));
        expected.columns[static_cast<std::size_t>(i)] = QString::number(i * 10);
    }
    bool atEnd = false;
    EXPECT_EQ(readOne<UbaseInfo>(b, &atEnd), expected);
    EXPECT_TRUE(atEnd);
}

// ---- smallest records: the count bound must accept every record a file can hold ----

struct MinimalCase {
    const char* label;
    qsizetype minBytes;
    std::function<void(ByteBuilder&)> appendMinimal;  // all texts empty 8-bit, arrays empty
    std::function<bool(ArchiveReader&)> readTwo;      // reads a count-prefixed array
};

void PrintTo(const MinimalCase& c, std::ostream* os) { *os << c.label; }

void emptyTexts(ByteBuilder& b, int n)
{
    for (int i = 0; i < n; ++i)
        b.emptyAnsiText();
}

template <typename Record>
std::function<bool(ArchiveReader&)> readArrayOf(qsizetype minBytes)
{
    return [minBytes](ArchiveReader& reader) {
        std::vector<Record> records;
        readRecordArray(reader, records, minBytes);
        return records.size() == 2;
    };
}

class MinimalRecords : public testing::TestWithParam<MinimalCase> {};

TEST_P(MinimalRecords, boundEqualsSmallestRecordAndAnExactFitIsAccepted)
{
    const MinimalCase& c = GetParam();
    ByteBuilder one;
    c.appendMinimal(one);
    EXPECT_EQ(one.size(), c.minBytes);

    ByteBuilder two;
    two.count(2);
    c.appendMinimal(two);
    c.appendMinimal(two);
    ArchiveReader reader(two.data());
    EXPECT_TRUE(c.readTwo(reader));
    EXPECT_FALSE(reader.failed());
    EXPECT_TRUE(reader.atEnd());
}

INSTANTIATE_TEST_SUITE_P(
    Records, MinimalRecords,
    testing::Values(
        MinimalCase{"point", kMinPointBytes, [](ByteBuilder& b) { b.i32(0).i32(0); }, readArrayOf<HeskPoint>(kMinPointBytes)},
        MinimalCase{"port", kMinPortBytes,
                    [](ByteBuilder& b) {
                        b.i32(1);
                        emptyTexts(b, 2), b.i32(0), emptyTexts(b, 1), b.i32(0), emptyTexts(b, 3), b.i32(0);
                        emptyTexts(b, 2), b.i32(0), emptyTexts(b, 2), b.i32(0), emptyTexts(b, 2);
                        b.i32(0).i32(0).u16(0);
                    },
                    readArrayOf<HeskPort>(kMinPortBytes)},
        MinimalCase{"connection", kMinConnectionBytes,
                    [](ByteBuilder& b) {
                        b.i32(0);
                        emptyTexts(b, 1), b.i32(0).i32(0).i32(0).i32(0), emptyTexts(b, 8), b.count(0);
                        emptyTexts(b, 2), b.i32(0).i32(0);
                    },
                    readArrayOf<HeskConnection>(kMinConnectionBytes)},
        MinimalCase{"explain", kMinExplainBytes,
                    [](ByteBuilder& b) { b.i32(0), emptyTexts(b, 1), b.i32(0).i32(0).i32(0).i32(0), emptyTexts(b, 1); },
                    readArrayOf<HeskExplain>(kMinExplainBytes)},
        MinimalCase{"block", kMinBlockBytes,
                    [](ByteBuilder& b) {
                        b.i32(0), emptyTexts(b, 6), b.i32(0).i32(0).i32(0).i32(0).i32(0).i32(0), emptyTexts(b, 3);
                        b.count(0).count(0), emptyTexts(b, 1), b.i32(0).i32(0), emptyTexts(b, 2), b.i32(0);
                    },
                    readArrayOf<HeskBlock>(kMinBlockBytes)},
        MinimalCase{"page", kMinPageBytes,
                    [](ByteBuilder& b) {
                        b.i32(0), emptyTexts(b, 1), b.i32(0), emptyTexts(b, 1), b.count(0).count(0).count(0).i32(0);
                    },
                    readArrayOf<HeskPage>(kMinPageBytes)},
        MinimalCase{"package", kMinPackageBytes, [](ByteBuilder& b) { b.i32(0), emptyTexts(b, 2), b.count(0); },
                    readArrayOf<HeskPackage>(kMinPackageBytes)},
        MinimalCase{"parameterElement", kMinElementBytes,
                    [](ByteBuilder& b) {
                        b.i32(0).u16(0).u16(0).u16(0).u16(0).u16(0).u16(0).u16(0).u16(0).u16(0);
                        emptyTexts(b, 13), b.i32(0).i32(0), emptyTexts(b, 4), b.i32(0), emptyTexts(b, 8);
                    },
                    readArrayOf<HeskParameterElement>(kMinElementBytes)},
        MinimalCase{"ubaseRow", kMinUbaseBytes, [](ByteBuilder& b) { emptyTexts(b, kUbaseColumns); },
                    readArrayOf<UbaseInfo>(kMinUbaseBytes)},
        MinimalCase{"temporaryElement", kMinTemporaryElementBytes,
                    [](ByteBuilder& b) {
                        for (int i = 0; i < 9; ++i)
                            b.u16(0);
                        emptyTexts(b, 11);
                    },
                    readArrayOf<TTemporaryElement>(kMinTemporaryElementBytes)}),
    [](const testing::TestParamInfo<MinimalCase>& info) { return std::string(info.param.label); });

}  // namespace

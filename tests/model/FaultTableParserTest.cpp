// Reading one fault table file: the template rule for empty cells, escapes, comments,
// line ends, and malformed lines that must be reported without disturbing the rest.

#include "model/FaultTableParser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

namespace hesk::model {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QByteArray kHeader = "word\tbit\tcode\tname\tdescription\tremedy\n";

QByteArray table(const QString& body) { return kHeader + body.toUtf8(); }

TEST(FaultTableParser, emptyCellsKeepThePreviousEntrysValues)
{
    const FaultTableParseResult result = parseFaultTable(table(
        "r0943.0\t0\tF025\tA相驱动故障\tA相驱动发生故障\t检查：1.驱动连线；2.IGBT是否存在问题\n"
        "r0943.0\t1\tF026\tB相驱动故障\tB相驱动发生故障\t\n"
        "\t2\tF027\tC相驱动故障\t\t\n"
        "r0943.1\t\t\t\t\t检查：输入直流电压\n"));
    EXPECT_TRUE(result.ok());
    ASSERT_EQ(result.entries.size(), 4u);
    const FaultAlarm& f026 = result.entries[1];
    const FaultAlarm& f027 = result.entries[2];
    const FaultAlarm& last = result.entries[3];
    EXPECT_EQ(f026.remedy, result.entries[0].remedy);
    EXPECT_EQ(f027, (FaultAlarm{"r0943.0", 2, "F027", "C相驱动故障", "B相驱动发生故障",
                                "检查：1.驱动连线；2.IGBT是否存在问题"}));
    EXPECT_EQ(last, (FaultAlarm{"r0943.1", 2, "F027", "C相驱动故障", "B相驱动发生故障", "检查：输入直流电压"}));
}

TEST(FaultTableParser, codeMayStayEmptyWhenNoEntrySetsIt)
{
    const FaultTableParseResult result = parseFaultTable(table(
        "r0943.0\t0\t\t被测装置散热器超温\t过温保护\t检查：风机\n"
        "r0943.0\t1\t\t被测装置电容空腔超温\t\t\n"));
    EXPECT_TRUE(result.ok());
    ASSERT_EQ(result.entries.size(), 2u);
    EXPECT_TRUE(result.entries[1].code.isEmpty());
    EXPECT_EQ(result.entries[1].description, QStringLiteral("过温保护"));
}

TEST(FaultTableParser, escapesCommentsBlankLinesAndLineEnds)
{
    QByteArray bytes = "\xEF\xBB\xBF" + kHeader;
    bytes.replace('\n', "\r\n");
    bytes += QStringLiteral("# comment\r\n"
                            "\r\n"
                            "r0943.2\t15\tA711\t从站7过流告警\t第一行\\n第二行\t检查：1.a\\tb；2.c\\\\d\r\n")
                 .toUtf8();
    const FaultTableParseResult result = parseFaultTable(bytes);
    EXPECT_TRUE(result.ok());
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_EQ(result.entries[0].word, QStringLiteral("r0943.2"));
    EXPECT_EQ(result.entries[0].bit, 15);
    EXPECT_EQ(result.entries[0].description, QStringLiteral("第一行\n第二行"));
    EXPECT_EQ(result.entries[0].remedy, QStringLiteral("检查：1.a\tb；2.c\\d"));
}

struct MalformedLine {
    const char* what;
    QString line;
};

// Each malformed line sits between two good ones. It must be reported with its line
// number, and the entry after it must carry the texts of the entry before it.
TEST(FaultTableParser, malformedLineIsSkippedAndLeavesTheTemplateAlone)
{
    const std::vector<MalformedLine> cases = {
        {"too few cells", "r0943.0\t1\tF026\t坏名称\t坏原因"},
        {"too many cells", "r0943.0\t1\tF026\t坏名称\t坏原因\t坏办法\t多余"},
        {"bit not a number", "r0943.0\tx\tF026\t坏名称\t坏原因\t坏办法"},
        {"bit above 15", "r0943.0\t16\tF026\t坏名称\t坏原因\t坏办法"},
        {"negative bit", "r0943.0\t-1\tF026\t坏名称\t坏原因\t坏办法"},
        {"bit with leading zero", "r0943.0\t01\tF026\t坏名称\t坏原因\t坏办法"},
        {"word of another parameter", "r0944.0\t1\tF026\t坏名称\t坏原因\t坏办法"},
        {"word index above 15", "r0943.16\t1\tF026\t坏名称\t坏原因\t坏办法"},
        {"code with a wrong letter", "r0943.0\t1\tX026\t坏名称\t坏原因\t坏办法"},
        {"code too short", "r0943.0\t1\tF26\t坏名称\t坏原因\t坏办法"},
        {"unknown escape", "r0943.0\t1\tF026\t坏\\q名称\t坏原因\t坏办法"},
        {"trailing backslash", "r0943.0\t1\tF026\t坏名称\t坏原因\t坏办法\\"},
    };
    for (const MalformedLine& c : cases) {
        SCOPED_TRACE(c.what);
        const FaultTableParseResult result = parseFaultTable(table(
            QStringLiteral("r0943.0\t0\tF025\t好名称\t好原因\t检查：好\n") + c.line +
            QStringLiteral("\nr0943.0\t2\tF027\t\t\t\n")));
        ASSERT_EQ(result.issues.size(), 1u);
        EXPECT_EQ(result.issues[0].line, 3);
        EXPECT_FALSE(result.issues[0].message.isEmpty());
        ASSERT_EQ(result.entries.size(), 2u);
        EXPECT_EQ(result.entries[1], (FaultAlarm{"r0943.0", 2, "F027", "好名称", "好原因", "检查：好"}));
    }
}

TEST(FaultTableParser, firstEntryMustSetWordAndTexts)
{
    const FaultTableParseResult noWord = parseFaultTable(table("\t0\tF025\t名称\t原因\t检查：办法\n"));
    EXPECT_THAT(noWord.entries, IsEmpty());
    ASSERT_EQ(noWord.issues.size(), 1u);
    EXPECT_EQ(noWord.issues[0].line, 2);

    const FaultTableParseResult noRemedy = parseFaultTable(table("r0943.0\t0\tF025\t名称\t原因\t\n"));
    EXPECT_THAT(noRemedy.entries, IsEmpty());
    EXPECT_EQ(noRemedy.issues.size(), 1u);
}

TEST(FaultTableParser, missingOrWrongHeaderRejectsTheFile)
{
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("r0943.0\t0\tF025\t名称\t原因\t检查：办法\n"),
          QByteArray("word\tbit\tname\tcode\tdescription\tremedy\nr0943.0\t0\tF025\t名称\t原因\t检查：办法\n")}) {
        const FaultTableParseResult result = parseFaultTable(bytes);
        EXPECT_THAT(result.entries, IsEmpty());
        ASSERT_EQ(result.issues.size(), 1u);
        EXPECT_EQ(result.issues[0].line, 1);
    }
}

TEST(FaultTableParser, invalidUtf8IsReportedAndTheRestStillLoads)
{
    QByteArray bytes = table("r0943.0\t0\tF025\t名称\t原因\t检查：办法\n");
    bytes += "r0943.0\t1\tF026\t\xFF\xFE\t\t\n";
    const FaultTableParseResult result = parseFaultTable(bytes);
    ASSERT_EQ(result.issues.size(), 1u);
    EXPECT_EQ(result.issues[0].line, 0);
    EXPECT_EQ(result.entries.size(), 2u);
}

TEST(FaultTableParser, faultWordIndexAcceptsOnlyCanonicalKeyTexts)
{
    const std::vector<std::pair<QString, std::optional<int>>> cases = {
        {"r0943.0", 0},         {"r0943.15", 15},        {"r0943.16", std::nullopt},
        {"r0943.", std::nullopt}, {"r0943.01", std::nullopt}, {"r0943.+1", std::nullopt},
        {"r0943.-1", std::nullopt}, {"P0943.0", std::nullopt}, {"r0943.0 ", std::nullopt},
        {"", std::nullopt}};
    for (const auto& [text, index] : cases)
        EXPECT_EQ(faultWordIndex(text), index) << text.toStdString();
}

TEST(FaultTableParser, codePattern)
{
    for (const char* good : {"F025", "A711", "F000", "A999"})
        EXPECT_TRUE(isFaultAlarmCode(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "f025", "F25", "F0255", "B025", "F02x", "AF25"})
        EXPECT_FALSE(isFaultAlarmCode(QString::fromLatin1(bad))) << bad;
}

}  // namespace
}  // namespace hesk::model

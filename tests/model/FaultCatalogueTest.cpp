// The fault and alarm catalogue: the compiled-in tables checked against the documented
// code lists and fixed rows, table selection per device class and firmware, and the
// explanation of fault word values.

#include "model/FaultCatalogue.h"
#include "model/FaultTableLibrary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <tuple>

// Readable values in failure messages (internal linkage: other test files may have their own).
static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace hesk::model {

static void PrintTo(const FaultAlarm& e, std::ostream* os)
{
    *os << e.word.toStdString() << '/' << e.bit << ' ' << e.code.toStdString() << ' ' << e.name.toStdString();
}

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// Expands a code list as the catalogue documents it: "A011 A111 … A711" stands for the
// master (hundreds digit 0) and every unit up to the code after the ellipsis.
QStringList expandCodeList(const QString& listed)
{
    const QStringList tokens = listed.split(u' ', Qt::SkipEmptyParts);
    QStringList codes;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i] != QStringLiteral("…")) {
            codes << tokens[i];
            continue;
        }
        const QString before = tokens.at(i - 1);
        const QString after = tokens.at(i + 1);
        const int from = before.mid(1, 1).toInt() + 1;
        const int to = after.mid(1, 1).toInt() - 1;
        for (int unit = from; unit <= to; ++unit)
            codes << before.left(1) + QString::number(unit) + before.mid(2);
    }
    return codes;
}

// The codes of a table in order, where a run of equal codes listed in `repeating`
// counts once (F011 has one entry per phase, F107 one per self-test).
QStringList codeSequence(const std::vector<FaultAlarm>& table, const QSet<QString>& repeating = {})
{
    QStringList codes;
    for (const FaultAlarm& entry : table) {
        if (!codes.isEmpty() && codes.last() == entry.code && repeating.contains(entry.code))
            continue;
        codes << entry.code;
    }
    return codes;
}

QStringList codesOf(const std::vector<FaultAlarm>& entries)
{
    QStringList codes;
    for (const FaultAlarm& entry : entries)
        codes << entry.code;
    return codes;
}

QStringList namesOf(const std::vector<FaultAlarm>& entries)
{
    QStringList names;
    for (const FaultAlarm& entry : entries)
        names << entry.name;
    return names;
}

QString word(int index) { return QStringLiteral("r0943.%1").arg(index); }

const QString kInverterCodes = QStringLiteral(
    "F025 F026 F027 F011 F006 F008 F015 F012 F023 F053 F021 F103 F107 F020 F002 F099 F037 F059 F035 F036 "
    "F082 F062 F063 F005 F056 F087 F022 F148 F149 F150 F151 F061 F925 F926 F927 F065 F029 F024 F114 F055 "
    "F092 F093 "
    "A023 A033 A034 A042 A043 A036 A014 A083 A049 A078 A037 A015 A016 A005 A103 A080 A061 A062 A063 A064 "
    "A022 A122 A222 A322 A422 A522 A622 A722 A011 A111 … A711 A012 A112 … A712 A013 A113 … A713 A029 "
    "A025 A125 A225 A060 A024 A325 A425 A525 A625 A725 A002");
const QString kFeedbackRectifierCodes = QStringLiteral(
    "F028 F005 F008 F006 F002 F029 F062 F011 F016 F023 F025 F026 F027 F003 F004 F001 F018 F015 F020 F082 "
    "F035 F072 F059 F024 F030 A003 A004 A008 A015 A016 A017 A022 A049 A063 A034");
const QString kBasicRectifierCodes = QStringLiteral(
    "F008 F006 F002 F029 F062 F011 F023 F001 F020 F082 F035 F072 F059 F024 F030 "
    "A008 A015 A017 A022 A049 A063");
const QString kActiveRectifierCodes = QStringLiteral(
    "F025 F026 F027 F011 F029 F023 F022 F028 F039 F002 F030 F001 F006 F008 F013 F003 F004 F009 F062 F056 "
    "F082 F035 F010 F021 F121 F221 F321 F421 F521 F621 F721 F059 F031 F123 … F723 F024 F124 … F724 "
    "A014 A114 … A714 A020 A120 … A720 A021 A040 A047 A049 A022 A122 … A722 A025 A125 … A725 A063 A013 "
    "A005 A071 … A771 A072 … A772 A023 A087 A002 A073 … A773 A074 … A574");

// One library for the whole suite: parsing the tables once is the library's purpose.
class FaultCatalogueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library = std::make_unique<FaultTableLibrary>(); }
    static void TearDownTestSuite() { library.reset(); }

    static const std::vector<FaultAlarm>& table(FaultTableId id) { return *library->table(id); }

    static std::unique_ptr<FaultTableLibrary> library;
};
std::unique_ptr<FaultTableLibrary> FaultCatalogueTest::library;

TEST(FaultCodeListExpansion, expandsUnitGroupsAroundTheEllipsis)
{
    EXPECT_EQ(expandCodeList(QStringLiteral("A011 A111 … A711 A029")),
              QStringList({"A011", "A111", "A211", "A311", "A411", "A511", "A611", "A711", "A029"}));
    EXPECT_EQ(expandCodeList(QStringLiteral("A073 … A773 A074 … A574")).size(), 8 + 6);
    EXPECT_EQ(expandCodeList(QStringLiteral("F123 … F723")).first(), QStringLiteral("F123"));
}

TEST_F(FaultCatalogueTest, everyTableLoadsWithoutIssues)
{
    for (const FaultTableLoadIssue& issue : library->issues())
        ADD_FAILURE() << issue.fileName.toStdString() << ':' << issue.line << ": " << issue.message.toStdString();
    for (FaultTableId id : kAllFaultTables)
        EXPECT_FALSE(table(id).empty()) << faultTableFileName(id).toStdString();
}

TEST_F(FaultCatalogueTest, quotedInverterRowsAreExact)
{
    const std::vector<FaultAlarm> expected = {
        {"r0943.0", 0, "F025", "A相驱动故障", "A相驱动发生故障", "检查：1.驱动连线；2.IGBT是否存在问题"},
        {"r0943.0", 3, "F011", "A相过流故障", "A相电流超过过流关机阈值",
         QStringLiteral("检查：1.变频器输出是否短路或有接地故障；2.负载处于过载状态；") +
             QStringLiteral("3.电机与变频器是否匹配；4.是否动态要求高")},
        {"r0943.0", 6, "F006", "过压故障",
         "（过压门槛1.3Udc）直流电压范围关机阈值(510-650V 820V)(890-930V 1220V)", "检查：电源电压或输入直流电压"},
        {"r0943.0", 7, "F008", "欠压故障", "直流母线电压降到其值得76%以下，当动能缓冲使能时，降至61%。",
         "检查：输入直流电压"},
    };
    const std::vector<FaultAlarm>& inverter = table(FaultTableId::Inverter);
    for (const FaultAlarm& row : expected) {
        const auto found = std::find_if(inverter.begin(), inverter.end(), [&](const FaultAlarm& e) {
            return e.word == row.word && e.bit == row.bit;
        });
        ASSERT_NE(found, inverter.end()) << row.code.toStdString();
        EXPECT_EQ(*found, row);
    }
}

TEST_F(FaultCatalogueTest, inverterFixedBitsOfTheFirstWord)
{
    const std::vector<FaultAlarm>& inverter = table(FaultTableId::Inverter);
    std::vector<std::tuple<QString, int32_t, QString>> firstEight;
    for (const FaultAlarm& e : inverter) {
        if (e.word == word(0) && e.bit < 8)
            firstEight.emplace_back(e.code, e.bit, e.name);
    }
    EXPECT_THAT(firstEight, ElementsAre(std::tuple(QString("F025"), 0, QString("A相驱动故障")),
                                        std::tuple(QString("F026"), 1, QString("B相驱动故障")),
                                        std::tuple(QString("F027"), 2, QString("C相驱动故障")),
                                        std::tuple(QString("F011"), 3, QString("A相过流故障")),
                                        std::tuple(QString("F011"), 4, QString("B相过流故障")),
                                        std::tuple(QString("F011"), 5, QString("C相过流故障")),
                                        std::tuple(QString("F006"), 6, QString("过压故障")),
                                        std::tuple(QString("F008"), 7, QString("欠压故障"))));
}

TEST_F(FaultCatalogueTest, driveFaultsCarryTheRemedyOfF025)
{
    const std::vector<FaultAlarm>& inverter = table(FaultTableId::Inverter);
    ASSERT_GE(inverter.size(), 3u);
    EXPECT_EQ(inverter[1].code, QStringLiteral("F026"));
    EXPECT_EQ(inverter[2].code, QStringLiteral("F027"));
    EXPECT_EQ(inverter[1].remedy, inverter[0].remedy);
    EXPECT_EQ(inverter[2].remedy, inverter[0].remedy);
    EXPECT_EQ(inverter[2].description, QStringLiteral("C相驱动发生故障"));
}

struct CodeOrderCase {
    FaultTableId table;
    QString listedCodes;
    QSet<QString> repeatingCodes;
};

TEST_F(FaultCatalogueTest, codeSequenceFollowsTheListedOrder)
{
    const std::vector<CodeOrderCase> cases = {
        {FaultTableId::Inverter, kInverterCodes, {"F011", "F107"}},
        {FaultTableId::FeedbackRectifier, kFeedbackRectifierCodes, {}},
        {FaultTableId::ActiveRectifierOld, kActiveRectifierCodes, {}},
        {FaultTableId::ActiveRectifier, kActiveRectifierCodes, {}},
        {FaultTableId::BasicRectifier, kBasicRectifierCodes, {}},
    };
    for (const CodeOrderCase& c : cases) {
        SCOPED_TRACE(faultTableFileName(c.table).toStdString());
        EXPECT_EQ(codeSequence(table(c.table), c.repeatingCodes), expandCodeList(c.listedCodes));
    }
}

TEST_F(FaultCatalogueTest, inverterRepeatsF011PerPhaseAndF107PerSelfTest)
{
    const std::vector<FaultAlarm>& inverter = table(FaultTableId::Inverter);
    std::vector<std::pair<QString, int32_t>> f011;
    std::vector<FaultAlarm> f107;
    for (const FaultAlarm& e : inverter) {
        if (e.code == QStringLiteral("F011"))
            f011.emplace_back(e.word, e.bit);
        if (e.code == QStringLiteral("F107"))
            f107.push_back(e);
    }
    EXPECT_THAT(f011, ElementsAre(std::pair(word(0), 3), std::pair(word(0), 4), std::pair(word(0), 5)));

    // One summary bit in the fault words, then the self-tests bit by bit in r0943.3.
    ASSERT_GE(f107.size(), 2u);
    EXPECT_NE(f107.front().word, word(3));
    for (std::size_t i = 1; i < f107.size(); ++i) {
        EXPECT_EQ(f107[i].word, word(3));
        EXPECT_EQ(f107[i].bit, static_cast<int32_t>(i - 1));
    }
    const auto inWord3 = std::count_if(inverter.begin(), inverter.end(),
                                       [](const FaultAlarm& e) { return e.word == QStringLiteral("r0943.3"); });
    EXPECT_EQ(static_cast<std::size_t>(inWord3), f107.size() - 1) << "r0943.3 holds only F107 details";
}

TEST_F(FaultCatalogueTest, testBenchEntriesStartWithTheListedNames)
{
    const QStringList listed = {"被测装置散热器超温", "被测装置电容空腔超温", "被测装置进风口超温",
                                "被测装置预留通道超温", "被测装置U相IGBT超温", "被测装置V相IGBT超温",
                                "被测装置W相IGBT超温", "直流电压过压", "直流电压欠压",
                                "主站校零故障", "被测装置直流电压不匹配", "陪测装置直流电压不匹配",
                                "直流电压充电超时"};
    const QStringList names = namesOf(table(FaultTableId::TestBench));
    ASSERT_GT(names.size(), listed.size());
    EXPECT_EQ(names.mid(0, listed.size()), listed);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size()) << "names are unique";
}

struct WordRule {
    FaultTableId table;
    std::set<int> faultWords;  // words that F codes may use
    std::set<int> alarmWords;  // words that A codes may use
};

TEST_F(FaultCatalogueTest, everyEntryIsWellFormedForItsClass)
{
    const std::vector<WordRule> rules = {
        {FaultTableId::Inverter, {0, 1, 2, 3}, {9, 10, 11, 12, 13}},
        {FaultTableId::FeedbackRectifier, {0, 1}, {7}},
        {FaultTableId::BasicRectifier, {0, 1}, {7}},
        {FaultTableId::ActiveRectifierOld, {0, 1, 2}, {8, 9, 10, 11, 12, 13, 14, 15}},
        {FaultTableId::ActiveRectifier, {0, 1, 2}, {8, 9, 10, 11, 12, 13, 14, 15}},
    };
    const QRegularExpression codePattern(QStringLiteral("^[FA]\\d{3}$"));
    for (const WordRule& rule : rules) {
        SCOPED_TRACE(faultTableFileName(rule.table).toStdString());
        std::set<std::tuple<QString, int32_t, QString>> seen;
        for (const FaultAlarm& e : table(rule.table)) {
            SCOPED_TRACE(e.code.toStdString() + " " + e.name.toStdString());
            EXPECT_TRUE(codePattern.match(e.code).hasMatch());
            const std::optional<int> index = faultWordIndex(e.word);
            ASSERT_TRUE(index.has_value());
            const std::set<int>& allowed = e.code.startsWith(u'F') ? rule.faultWords : rule.alarmWords;
            EXPECT_TRUE(allowed.count(*index)) << e.word.toStdString();
            EXPECT_GE(e.bit, 0);
            EXPECT_LE(e.bit, 15);
            EXPECT_FALSE(e.name.isEmpty());
            EXPECT_FALSE(e.description.isEmpty());
            EXPECT_TRUE(e.remedy.startsWith(QStringLiteral("检查："))) << e.remedy.toStdString();
            EXPECT_TRUE(seen.emplace(e.word, e.bit, e.code).second) << "duplicate entry";
        }
    }

    const QSet<QString> protectionClasses = {"过温保护", "保护用", "可屏蔽"};
    std::set<std::pair<QString, int32_t>> seenBits;
    for (const FaultAlarm& e : table(FaultTableId::TestBench)) {
        SCOPED_TRACE(e.name.toStdString());
        EXPECT_TRUE(e.code.isEmpty());
        const std::optional<int> index = faultWordIndex(e.word);
        ASSERT_TRUE(index.has_value());
        EXPECT_LE(*index, 2);
        EXPECT_GE(e.bit, 0);
        EXPECT_LE(e.bit, 15);
        EXPECT_TRUE(protectionClasses.contains(e.description)) << e.description.toStdString();
        EXPECT_TRUE(e.remedy.startsWith(QStringLiteral("检查：")));
        EXPECT_TRUE(seenBits.emplace(e.word, e.bit).second) << "duplicate bit";
    }
}

TEST_F(FaultCatalogueTest, explainsInverterFirstWord)
{
    FaultCatalogue catalogue(*library);
    catalogue.build(DeviceClass::Inverter, QStringLiteral("V1.14.18"));

    EXPECT_THAT(codesOf(catalogue.explain(word(0), 0x0001)), ElementsAre("F025"));
    EXPECT_THAT(namesOf(catalogue.explain(word(0), 0x0038)),
                ElementsAre("A相过流故障", "B相过流故障", "C相过流故障"));
    EXPECT_THAT(codesOf(catalogue.explain(word(0), 0x00C1)), ElementsAre("F025", "F006", "F008"));
    EXPECT_THAT(catalogue.explain(word(0), 0x0000), IsEmpty());
}

TEST_F(FaultCatalogueTest, explainsSelfTestBitsOfF107)
{
    FaultCatalogue catalogue(*library);
    catalogue.build(DeviceClass::Inverter, ActiveRectifierFirmware::Later);
    const std::vector<FaultAlarm> explained = catalogue.explain(word(3), 0x0011);
    ASSERT_EQ(explained.size(), 2u);
    EXPECT_EQ(explained[0].bit, 0);
    EXPECT_EQ(explained[1].bit, 4);
    EXPECT_EQ(explained[0].code, QStringLiteral("F107"));
    EXPECT_EQ(explained[1].code, QStringLiteral("F107"));
    EXPECT_NE(explained[0].name, explained[1].name);
}

TEST_F(FaultCatalogueTest, setBitsWithoutEntriesYieldNothing)
{
    FaultCatalogue catalogue(*library);
    catalogue.build(DeviceClass::Inverter, ActiveRectifierFirmware::Later);
    // r0943.2 uses bits 0 to 11; r0943.4 to r0943.8 carry nothing for the inverter.
    EXPECT_THAT(catalogue.explain(word(2), 0xF000), IsEmpty());
    EXPECT_THAT(codesOf(catalogue.explain(word(2), 0xF001)), ElementsAre("F151"));
    for (int index : {4, 5, 6, 7, 8, 14, 15})
        EXPECT_THAT(catalogue.explain(word(index), 0xFFFF), IsEmpty()) << index;
    EXPECT_THAT(catalogue.explain(QStringLiteral("r0943.00"), 0xFFFF), IsEmpty());
    EXPECT_THAT(catalogue.explain(QString(), 0xFFFF), IsEmpty());
}

TEST_F(FaultCatalogueTest, activeRectifierTableFollowsTheFirmwareGeneration)
{
    const std::vector<FaultAlarm>& oldTable = table(FaultTableId::ActiveRectifierOld);
    const std::vector<FaultAlarm>& laterTable = table(FaultTableId::ActiveRectifier);
    ASSERT_NE(oldTable, laterTable) << "the selection below must be able to tell them apart";

    const std::vector<std::pair<QString, bool>> versions = {
        {"V2.01.06", true}, {"V2.01.07", true}, {"V2.02.07", true}, {"V2.11.03", false},
        {"V2.13.05", false}, {"V2.14.04", false}, {"", false}};
    FaultCatalogue catalogue(*library);
    for (const auto& [version, old] : versions) {
        SCOPED_TRACE(version.toStdString());
        catalogue.build(DeviceClass::ActiveRectifier, version);
        EXPECT_EQ(catalogue.entries(), old ? oldTable : laterTable);
    }

    // The later firmware has the inlet-temperature alarms in r0943.14; the old one has
    // no r0943.14 at all.
    catalogue.build(DeviceClass::ActiveRectifier, QStringLiteral("V2.13.05"));
    EXPECT_THAT(codesOf(catalogue.explain(word(14), 0x0001)), ElementsAre("A074"));
    catalogue.build(DeviceClass::ActiveRectifier, QStringLiteral("V2.02.07"));
    EXPECT_THAT(catalogue.explain(word(14), 0xFFFF), IsEmpty());
}

TEST_F(FaultCatalogueTest, eachDeviceClassGetsItsTable)
{
    const std::vector<std::pair<DeviceClass, FaultTableId>> classes = {
        {DeviceClass::Inverter, FaultTableId::Inverter},
        {DeviceClass::FeedbackRectifier, FaultTableId::FeedbackRectifier},
        {DeviceClass::ActiveRectifier, FaultTableId::ActiveRectifier},
        {DeviceClass::BasicRectifier, FaultTableId::BasicRectifier},
        {DeviceClass::TestBench, FaultTableId::TestBench},
    };
    FaultCatalogue catalogue(*library);
    for (const auto& [deviceClass, id] : classes) {
        catalogue.build(deviceClass, ActiveRectifierFirmware::Later);
        EXPECT_EQ(catalogue.entries(), table(id)) << faultTableFileName(id).toStdString();
    }
}

TEST_F(FaultCatalogueTest, classZeroAndUnknownClassesYieldNothing)
{
    FaultCatalogue catalogue(*library);
    EXPECT_THAT(catalogue.entries(), IsEmpty()) << "a new catalogue is empty";

    catalogue.build(DeviceClass::Inverter, ActiveRectifierFirmware::Later);
    ASSERT_FALSE(catalogue.entries().empty());
    catalogue.build(DeviceClass::None, QStringLiteral("V1.14.18"));
    EXPECT_THAT(catalogue.entries(), IsEmpty()) << "a rebuild replaces the previous table";
    for (int index = 0; index < 16; ++index)
        EXPECT_THAT(catalogue.explain(word(index), 0xFFFF), IsEmpty());

    catalogue.build(static_cast<DeviceClass>(9), ActiveRectifierFirmware::Old);
    EXPECT_THAT(catalogue.entries(), IsEmpty());

    catalogue.build(DeviceClass::TestBench, ActiveRectifierFirmware::Later);
    catalogue.clear();
    EXPECT_THAT(catalogue.entries(), IsEmpty());
}

TEST_F(FaultCatalogueTest, rebuildSharesTheParsedTable)
{
    FaultCatalogue first(*library);
    FaultCatalogue second(*library);
    first.build(DeviceClass::Inverter, ActiveRectifierFirmware::Later);
    second.build(DeviceClass::Inverter, ActiveRectifierFirmware::Later);
    EXPECT_EQ(&first.entries(), &second.entries()) << "no copy, no second parse";
    EXPECT_EQ(&first.entries(), library->table(FaultTableId::Inverter).get());
}

// A folder with only a small inverter table: a shared bit, table order unlike bit order,
// one malformed line and five missing files.
TEST(FaultTableLibraryFolder, loadsWhatItCanAndReportsTheRest)
{
    const FaultTableLibrary library(QStringLiteral(HESK_TEST_FIXTURES "/faults-small"));

    std::map<QString, std::vector<int>> issueLines;
    for (const FaultTableLoadIssue& issue : library.issues())
        issueLines[issue.fileName].push_back(issue.line);
    EXPECT_EQ(issueLines.size(), 6u);
    EXPECT_THAT(issueLines[QStringLiteral("inverter.tsv")], ElementsAre(6));
    EXPECT_THAT(issueLines[QStringLiteral("test-bench.tsv")], ElementsAre(0));

    FaultCatalogue catalogue(library);
    catalogue.build(DeviceClass::Inverter, ActiveRectifierFirmware::Later);
    ASSERT_THAT(codesOf(catalogue.entries()), ElementsAre("F901", "F902", "A903", "F905"));
    // The malformed line left no trace: F905 carries A903's texts.
    EXPECT_EQ(catalogue.entries()[3].remedy, QStringLiteral("检查：丙"));
    EXPECT_EQ(catalogue.entries()[1].remedy, QStringLiteral("检查：1.甲；2.乙"));

    EXPECT_THAT(codesOf(catalogue.explain(word(0), 1u << 5)), ElementsAre("F901", "A903"));
    EXPECT_THAT(codesOf(catalogue.explain(word(0), (1u << 5) | (1u << 2))), ElementsAre("F901", "F902", "A903"))
        << "table order, not bit order";

    catalogue.build(DeviceClass::FeedbackRectifier, ActiveRectifierFirmware::Later);
    EXPECT_THAT(catalogue.entries(), IsEmpty());
    EXPECT_THAT(catalogue.explain(word(0), 0xFFFF), IsEmpty());
}

TEST(FaultTableLibraryFolder, missingFolderGivesEmptyTables)
{
    const FaultTableLibrary library(QStringLiteral("/nonexistent/fault/tables"));
    EXPECT_EQ(library.issues().size(), kAllFaultTables.size());
    for (FaultTableId id : kAllFaultTables) {
        ASSERT_NE(library.table(id), nullptr);
        EXPECT_TRUE(library.table(id)->empty());
    }
}

}  // namespace
}  // namespace hesk::model

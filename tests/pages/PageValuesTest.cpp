// The value column of a page: online texts from the drive's words (type formats,
// decimals, formulas, connections), offline texts from the offline value set, the
// colouring against the factory value, and what a refresh recomputes.

#include "PageFixtures.h"

#include "online/ReadRequests.h"

#include "pages/FactoryDifferences.h"
#include "pages/ParameterPage.h"
#include "pages/ValueComparison.h"

#include "link/ValueTables.h"
#include "model/PageCatalogue.h"
#include "model/ParameterNumbering.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace hesk;
using namespace hesk::pages;
using hesk::pages::test::definition;

namespace {

class FixedFormulas final : public model::FormulaContext {
public:
    std::optional<QString> referenceValue(const QString& keyText) const override
    {
        const auto it = references.find(keyText);
        return it == references.end() ? std::nullopt : std::optional<QString>(it->second);
    }
    QString baseValue(model::BaseValueKind) const override { return QStringLiteral("540"); }
    std::map<QString, QString> references;
};

enum Row {
    OutputFrequency,  // r0002, N2, 1 decimal
    ReferenceCurrent, // P0350, N2, 2 decimals, factory 100
    SpeedSource,      // P0222.1, connection, factory K0091
    RatedVoltage,     // r0071, no device address
    RatedFrequency,   // P0107, formula P0107/100, 2 decimals, factory 50.00
    DigitalInputs,    // r0019, V2
    MotorTemperature, // r0009, G2, 1 decimal, factory 0.0
    EncoderSpeed,     // r8091 = K0091, the connected output, address 426
};

model::HeskProject valueProject()
{
    model::HeskProject p;
    auto outputFrequency = definition(2, model::kNoSubIndex, false, 1, 1);
    outputFrequency.decimals = 1;
    auto referenceCurrent = definition(350, model::kNoSubIndex, true, 5, 1);
    referenceCurrent.decimals = 2;
    referenceCurrent.factoryValue = QStringLiteral("100");
    auto speedSource = definition(222, 1, true, 7, 1);
    speedSource.connectionFlag = 1;
    speedSource.factoryValue = QStringLiteral("K0091");
    auto ratedVoltage = definition(71, model::kNoSubIndex, false, 0xFFFF, 3);
    ratedVoltage.word10 = 1;
    auto ratedFrequency = definition(107, model::kNoSubIndex, true, 9, 9);
    ratedFrequency.commandType = QStringLiteral("3");
    ratedFrequency.reverseFormula = QStringLiteral("P0107/100");
    ratedFrequency.forwardFormula = QStringLiteral("P0107*100");
    ratedFrequency.decimals = 2;
    ratedFrequency.factoryValue = QStringLiteral("50.00");
    auto digitalInputs = definition(19, model::kNoSubIndex, false, 3, 0);
    auto motorTemperature = definition(9, model::kNoSubIndex, false, 10, 10);
    motorTemperature.decimals = 1;
    motorTemperature.factoryValue = QStringLiteral("0.0");
    auto encoderSpeed = definition(8091, model::kNoSubIndex, false, 426, 1);
    encoderSpeed.decimals = 2;
    p.elements = {outputFrequency, referenceCurrent, speedSource, ratedVoltage, ratedFrequency,
                  digitalInputs,   motorTemperature, encoderSpeed};
    // Keep the order of the enum above (a custom list gives the rows in list order).
    p.customParameters = {2, 350, 222, 71, 107, 19, 9, 8091};
    p.sortElements();
    return p;
}

class PageValues : public ::testing::Test {
protected:
    PageValues() : project(valueProject()), page(project, model::DeviceClass::Inverter, model::pages::kCustom) {}

    ValueSource online(bool approximate = false) const
    {
        ValueSource source;
        source.tables = tables.get();
        source.formulas = &formulas;
        source.approximateComparison = approximate;
        return source;
    }
    ValueSource offline(bool approximate = false) const
    {
        ValueSource source;
        source.offline = &offlineValues;
        source.approximateComparison = approximate;
        return source;
    }
    QString value(Row row) const { return page.text(row, ColumnValue); }
    // The drive reported a word of 0 for every value row with a device address.
    void reportZeroes()
    {
        for (uint32_t address : {1u, 3u, 10u, 426u})
            tables->readOnly.store(address, 0);
        for (uint32_t address : {5u, 9u})
            tables->parameters.store(address, 0);
    }
    bool differs(Row row) const { return page.row(row).valueDiffers; }

    model::HeskProject project;
    ParameterPage page;
    std::unique_ptr<link::OnlineValueTables> tables = std::make_unique<link::OnlineValueTables>();
    FixedFormulas formulas;
    OfflineValueSet offlineValues;
};

}  // namespace

TEST_F(PageValues, onlineTextsFollowTypeDecimalsFormulasAndConnections)
{
    tables->readOnly.store(1, 8192);               // 50 % of 100 Hz
    tables->parameters.store(5, 16384);            // 100 %
    tables->connections.store(7, link::storedConnectionValue(426));
    tables->parameters.store(9, 5000);             // 50.00 Hz through the formula
    tables->readOnly.store(3, 0x00FF);
    tables->readOnly.store(10, 1);                 // 0.125 degrees
    tables->readOnly.store(426, static_cast<uint16_t>(-1638));
    formulas.references[QStringLiteral("r0071")] = QStringLiteral("400");
    ASSERT_EQ(page.rowCount(), 8);

    page.refreshAllValues(online());
    EXPECT_EQ(value(OutputFrequency), QStringLiteral("50.0"));
    EXPECT_EQ(value(ReferenceCurrent), QStringLiteral("100.00"));
    EXPECT_EQ(value(SpeedSource), QStringLiteral("K0091"));
    EXPECT_EQ(value(RatedVoltage), QStringLiteral("400"));
    EXPECT_EQ(value(RatedFrequency), QStringLiteral("50.00"));
    EXPECT_EQ(value(DigitalInputs), QStringLiteral("0X00FF"));
    EXPECT_EQ(value(MotorTemperature), QStringLiteral("0.1"));
    EXPECT_EQ(value(EncoderSpeed), QStringLiteral("-10.00"));
}

TEST_F(PageValues, connectionNotReportedYetShowsNothing)
{
    // Before the first poll the table holds 0, which no reply stores.
    page.refreshAllValues(online());
    EXPECT_EQ(value(SpeedSource), QString());
    EXPECT_TRUE(differs(SpeedSource));
}

TEST_F(PageValues, valuesNotReportedSinceTheConnectAreBlankNotZero)
{
    formulas.references[QStringLiteral("r0071")] = QStringLiteral("400");
    page.refreshAllValues(online());
    for (Row row : {OutputFrequency, ReferenceCurrent, RatedFrequency, DigitalInputs, MotorTemperature, EncoderSpeed})
        EXPECT_EQ(value(row), QString()) << row;
    // A definition without device address shows what the formulas hold.
    EXPECT_EQ(value(RatedVoltage), QStringLiteral("400"));

    tables->readOnly.store(1, 0);
    tables->parameters.store(9, 0);
    page.refreshAllValues(online());
    EXPECT_EQ(value(OutputFrequency), QStringLiteral("0.0"));
    EXPECT_EQ(value(RatedFrequency), QStringLiteral("0.00"));
    EXPECT_EQ(value(ReferenceCurrent), QString());

    // A new connection: blank again until the drive reports, even the same word.
    tables->forgetReceived();
    page.refreshAllValues(online());
    EXPECT_EQ(value(OutputFrequency), QString());
    tables->readOnly.store(1, 0);
    page.refreshAllValues(online());
    EXPECT_EQ(value(OutputFrequency), QStringLiteral("0.0"));
}

TEST(PageFormulaFailure, showsWrongParameterAndLogsWhyOncePerRow)
{
    model::HeskProject project;
    auto current = definition(305, model::kNoSubIndex, true, 20, 1);  // N2: 8192 would read 50.00
    current.commandType = QStringLiteral("3");
    current.reverseFormula = QStringLiteral("P0305*P0109.1/100");
    current.forwardFormula = QStringLiteral("P0305*100/P0109.1");
    current.decimals = 2;
    project.elements = {current};
    project.customParameters = {305};
    ParameterPage page(project, model::DeviceClass::Inverter, model::pages::kCustom);
    auto tables = std::make_unique<link::OnlineValueTables>();
    tables->parameters.store(20, 8192);
    FixedFormulas formulas;  // P0109.1 has no value
    test::RecordingLog log;
    ValueSource source;
    source.tables = tables.get();
    source.formulas = &formulas;
    source.log = &log;

    page.refreshAllValues(source);
    EXPECT_EQ(page.text(0, ColumnValue), QStringLiteral("WrongParameter"));
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].level, 3);
    EXPECT_TRUE(log.lines[0].text.contains(QStringLiteral("P0305"))) << log.lines[0].text.toStdString();
    EXPECT_TRUE(log.lines[0].text.contains(QStringLiteral("P0109.1"))) << log.lines[0].text.toStdString();

    // Every refresh recomputes a formula row, but the reason is logged only once.
    tables->parameters.store(20, 4096);
    for (int i = 0; i < 3; ++i)
        page.refreshAllValues(source);
    EXPECT_EQ(page.text(0, ColumnValue), QStringLiteral("WrongParameter"));
    EXPECT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(pages::displayValueText(current, 4096, project.timeBases, formulas), QStringLiteral("WrongParameter"));

    // Once the reference resolves, the value is the formula's.
    formulas.references[QStringLiteral("P0109.1")] = QStringLiteral("2");
    page.refreshAllValues(source);
    EXPECT_EQ(page.text(0, ColumnValue), QStringLiteral("81.92"));
}

TEST_F(PageValues, connectionToAnUnknownAddressShowsError)
{
    tables->connections.store(7, link::storedConnectionValue(1234));
    page.refreshAllValues(online());
    EXPECT_EQ(value(SpeedSource), QStringLiteral("error"));
    // 0x8000 names address 0, which no read-only definition here has either.
    tables->connections.store(7, 0x8000);
    page.refreshAllValues(online());
    EXPECT_EQ(value(SpeedSource), QStringLiteral("error"));
}

TEST_F(PageValues, smallNegativeValueRoundedToZeroHasNoSign)
{
    tables->readOnly.store(1, static_cast<uint16_t>(-1));  // -0.0061 %
    page.refreshAllValues(online());
    EXPECT_EQ(value(OutputFrequency), QStringLiteral("0.0"));
}

TEST_F(PageValues, offlineTextsComeFromTheOfflineSet)
{
    offlineValues.set(QStringLiteral("P0350"), QStringLiteral("80.00"));
    offlineValues.set(QStringLiteral("P0222.1"), QStringLiteral("K0091"));
    page.refreshAllValues(offline());
    EXPECT_EQ(value(ReferenceCurrent), QStringLiteral("80.00"));
    EXPECT_EQ(value(SpeedSource), QStringLiteral("K0091"));
    EXPECT_EQ(value(OutputFrequency), QString());  // no offline value
    EXPECT_TRUE(differs(ReferenceCurrent));
    EXPECT_FALSE(differs(SpeedSource));
}

TEST_F(PageValues, colouringComparesWithTheFactoryValue)
{
    tables->parameters.store(5, 16384);  // 100.00 against factory "100"
    tables->connections.store(7, link::storedConnectionValue(426));
    tables->parameters.store(9, 5000);   // 50.00 against "50.00"
    tables->readOnly.store(10, 0);       // 0.0 against "0.0"
    page.refreshAllValues(online(false));
    EXPECT_TRUE(differs(ReferenceCurrent)) << "text compare: 100.00 is not 100";
    EXPECT_FALSE(differs(SpeedSource));
    EXPECT_FALSE(differs(RatedFrequency));
    EXPECT_FALSE(differs(MotorTemperature));
    // Approximately equal numbers count as equal once the switch is on.
    page.refreshAllValues(online(true));
    EXPECT_FALSE(differs(ReferenceCurrent));
    // 1.0 against 0.0 is beyond the G2 tolerance of 1/8.
    tables->readOnly.store(10, 8);
    page.refreshAllValues(online(true));
    EXPECT_TRUE(differs(MotorTemperature));
}

TEST_F(PageValues, changedFromFactoryCountsOnlySettableRowsWhoseValueIsKnown)
{
    // Settable with a factory value: P0350 (100), P0222.1 (K0091), P0107 (50.00). The
    // measured r0009 has a factory text but no factory state to differ from.
    offlineValues.set(QStringLiteral("P0350"), QStringLiteral("80.00"));
    offlineValues.set(QStringLiteral("P0222.1"), QStringLiteral("K0091"));
    page.refreshAllValues(offline());
    EXPECT_EQ(countFactoryDifferences(page), (FactoryDifferenceCount{1, 2, 3}));
    EXPECT_EQ(factoryDifferenceText(countFactoryDifferences(page)), QStringLiteral("与出厂值不同：1 项（已读取 2/3）"));
    EXPECT_TRUE(differsFromFactory(page.row(ReferenceCurrent)));
    EXPECT_FALSE(differsFromFactory(page.row(SpeedSource)));
    EXPECT_FALSE(differsFromFactory(page.row(RatedFrequency))) << "no value is not a changed value";
    EXPECT_TRUE(differs(RatedFrequency)) << "although the page colours the blank value";
    offlineValues.set(QStringLiteral("P0107"), QStringLiteral("60.00"));
    page.refreshAllValues(offline());
    EXPECT_EQ(factoryDifferenceText(countFactoryDifferences(page)), QStringLiteral("与出厂值不同：2 项"));

    // Online nothing is known before the drive answers; then the page's comparison decides.
    page.refreshAllValues(online());
    EXPECT_EQ(countFactoryDifferences(page), (FactoryDifferenceCount{0, 0, 3}));
    // 100.00 against "100" is the factory value, although the page colours it when the
    // approximate comparison is off.
    tables->parameters.store(5, 16384);
    tables->connections.store(7, link::storedConnectionValue(426));
    page.refreshAllValues(online(false));
    EXPECT_TRUE(differs(ReferenceCurrent));
    EXPECT_EQ(countFactoryDifferences(page), (FactoryDifferenceCount{0, 2, 3}));
    tables->parameters.store(5, 16384 + 82);  // 100.50
    page.refreshAllValues(online(true));
    EXPECT_EQ(countFactoryDifferences(page), (FactoryDifferenceCount{1, 2, 3}));
    // The same number written otherwise is no change, whatever the display type; hex
    // digits count by value whatever the case of the prefix.
    PageRow hex;
    hex.element.settable = 1;
    hex.element.factoryValue = QStringLiteral("0x0003");
    hex.stale = false;
    hex.valueText = QStringLiteral("0X0003");
    EXPECT_FALSE(differsFromFactory(hex));
    hex.valueText = QStringLiteral("0X0013");
    EXPECT_TRUE(differsFromFactory(hex));
    offlineValues.set(QStringLiteral("P0222.1"), QStringLiteral("K0091"));
    offlineValues.set(QStringLiteral("P0350"), QStringLiteral("100.000"));
    offlineValues.set(QStringLiteral("P0107"), QStringLiteral("50"));
    page.refreshAllValues(offline());
    EXPECT_EQ(countFactoryDifferences(page), (FactoryDifferenceCount{0, 3, 3}));
    page.refreshAllValues(online(true));
    // A row not refreshed since the source changed is not counted as known.
    page.refreshValues(online(false), ReferenceCurrent, ReferenceCurrent);
    EXPECT_EQ(countFactoryDifferences(page), (FactoryDifferenceCount{1, 1, 3}));
}

TEST_F(PageValues, refreshReportsOnlyTheRowsThatChanged)
{
    reportZeroes();
    ChangedRows changed = page.refreshAllValues(online());
    ASSERT_TRUE(changed.any());
    EXPECT_EQ(changed.first, 0);

    changed = page.refreshAllValues(online());
    EXPECT_FALSE(changed.any());

    tables->readOnly.store(3, 0x0001);
    changed = page.refreshAllValues(online());
    EXPECT_EQ(changed.first, DigitalInputs);
    EXPECT_EQ(changed.last, DigitalInputs);

    // A refresh of a range leaves the rest alone.
    tables->readOnly.store(3, 0x0002);
    tables->readOnly.store(1, 100);
    changed = page.refreshValues(online(), 0, 1);
    EXPECT_EQ(changed.first, OutputFrequency);
    EXPECT_EQ(changed.last, OutputFrequency);
    EXPECT_EQ(value(DigitalInputs), QStringLiteral("0X0001"));
}

TEST_F(PageValues, formulaRowsFollowTheirReferencesWithoutAWordChange)
{
    model::HeskProject p;
    auto scaled = definition(107, model::kNoSubIndex, true, 9, 9);
    scaled.commandType = QStringLiteral("3");
    scaled.reverseFormula = QStringLiteral("P0107*P0071");
    scaled.decimals = 1;
    p.elements = {scaled};
    ParameterPage formulaPage(p, model::DeviceClass::Inverter, model::pages::kAll);
    tables->parameters.store(9, 3);
    formulas.references[QStringLiteral("P0071")] = QStringLiteral("2");
    formulaPage.refreshAllValues(online());
    EXPECT_EQ(formulaPage.text(0, ColumnValue), QStringLiteral("6.0"));
    formulas.references[QStringLiteral("P0071")] = QStringLiteral("4");
    EXPECT_TRUE(formulaPage.refreshAllValues(online()).any());
    EXPECT_EQ(formulaPage.text(0, ColumnValue), QStringLiteral("12.0"));
}

TEST_F(PageValues, sourceChangesRecomputeEveryRow)
{
    reportZeroes();
    page.refreshAllValues(online());
    // Online -> offline: every row takes its offline text.
    ChangedRows changed = page.refreshAllValues(offline());
    EXPECT_TRUE(changed.any());
    EXPECT_EQ(value(ReferenceCurrent), QString());

    // A change of the offline set reaches the page.
    offlineValues.set(QStringLiteral("P0350"), QStringLiteral("90.00"));
    changed = page.refreshAllValues(offline());
    EXPECT_EQ(changed.first, ReferenceCurrent);
    EXPECT_EQ(changed.last, ReferenceCurrent);

    // A new formula generation converts again even though no word changed.
    tables->parameters.store(5, 8192);
    ValueSource source = online();
    page.refreshAllValues(source);
    EXPECT_EQ(value(ReferenceCurrent), QStringLiteral("50.00"));
    source.formulaGeneration = 1;
    page.refreshAllValues(source);
    EXPECT_EQ(value(ReferenceCurrent), QStringLiteral("50.00"));
    EXPECT_FALSE(page.refreshAllValues(source).any());
}

TEST_F(PageValues, pollListHasOneRequestPerDefinitionAndSkipsRowsWithoutAddress)
{
    project.customParameters = {350, 350, 2, 222, 71, 2};
    page.rebuild();
    ASSERT_EQ(page.rowCount(), 6);
    online::FrameList list;
    list.push(link::readParameterRequest(4000));  // anything from before goes
    page.buildPollList(list);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.at(0)[1], 0x01);  // P0350: parameter table
    EXPECT_EQ(list.at(0)[3], 5);
    EXPECT_EQ(list.referenceCount(0), 2);
    EXPECT_EQ(list.at(1)[1], 0x06);  // r0002: read-only table
    EXPECT_EQ(list.at(1)[3], 1);
    EXPECT_EQ(list.referenceCount(1), 2);
    EXPECT_EQ(list.at(2)[1], 0x17);  // P0222.1: connection table
    EXPECT_EQ(list.at(2)[3], 7);
}

TEST(PagePollList, allParametersOfTheLargestSampleHaveUniqueRequests)
{
    const auto opened = test::openSample(QStringLiteral("VRA1/VRA1V11418"));
    const ParameterPage page(opened->project(), opened->deviceClass(), model::pages::kAll);
    online::FrameList list;
    page.buildPollList(list);
    int withAddress = 0;
    for (const PageRow& row : page.rows())
        withAddress += row.element.address < link::kAddressLimit ? 1 : 0;
    EXPECT_EQ(static_cast<int>(list.size()), withAddress);
    for (std::size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list.referenceCount(i), 1);
}

TEST(PagePollList, rowsInViewFirstThenTheMarginBelowAndAboveWithinThePage)
{
    const auto opened = test::openSample(QStringLiteral("VRA1/VRA1V11418"));
    const ParameterPage page(opened->project(), opened->deviceClass(), model::pages::kAll);
    ASSERT_EQ(page.rowCount(), 2054);
    ASSERT_EQ(ParameterPage::kPollMargin, 3);
    ASSERT_EQ(ParameterPage::kRowsBeforeLayout, 30);
    // The requests of rows from..to that have an address, in row order.
    const auto requests = [&](int from, int to) {
        std::vector<link::CommandFrame> frames;
        for (int row = from; row <= to; ++row)
            if (page.row(row).element.address < link::kAddressLimit)
                frames.push_back(online::readRequestFor(page.row(row).element));
        return frames;
    };
    const auto join = [](std::initializer_list<std::vector<link::CommandFrame>> parts) {
        std::vector<link::CommandFrame> all;
        for (const auto& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    struct Case {
        const char* name;
        RowSpan inView;
        std::vector<link::CommandFrame> expected;
        RowSpan polled;
    };
    const Case cases[] = {
        {"in the middle", {1000, 1029}, join({requests(1000, 1029), requests(1030, 1032), requests(997, 999)}), {997, 1032}},
        {"at the top", {0, 29}, join({requests(0, 29), requests(30, 32)}), {0, 32}},
        {"at the end", {2040, 2053}, join({requests(2040, 2053), requests(2037, 2039)}), {2037, 2053}},
        {"not laid out yet", {-1, -1}, join({requests(0, 29), requests(30, 32)}), {0, 32}},
        {"past the end", {5000, 6000}, join({requests(2053, 2053), requests(2050, 2052)}), {2050, 2053}},
        {"upside down", {1000, 10}, join({requests(1000, 1029), requests(1030, 1032), requests(997, 999)}), {997, 1032}},
        {"a single row", {500, 500}, join({requests(500, 500), requests(501, 503), requests(497, 499)}), {497, 503}},
    };
    online::FrameList list;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.push(link::readParameterRequest(4000));  // what the list held before goes
        list.advance();
        page.buildPollList(list, c.inView);
        std::vector<link::CommandFrame> frames;
        for (std::size_t i = 0; i < list.size(); ++i)
            frames.push_back(list.at(i));
        EXPECT_EQ(frames, c.expected);
        EXPECT_FALSE(frames.empty());
        EXPECT_EQ(list.cursorIndex(), -1);
        EXPECT_EQ(page.polledRows(c.inView), c.polled);
    }
}

TEST_F(PageValues, aPageWithoutRowsPollsNothingWhateverTheView)
{
    project.customParameters.clear();
    page.rebuild();
    ASSERT_EQ(page.rowCount(), 0);
    online::FrameList list;
    list.push(link::readParameterRequest(4000));
    page.buildPollList(list, RowSpan{0, 20});
    EXPECT_TRUE(list.empty());
    const RowSpan polled = page.polledRows(RowSpan{0, 20});
    EXPECT_GT(polled.first, polled.last);
}

// Equal values with and without approximate comparison.
struct EqualCase {
    const char* name;
    uint16_t typeCode;
    const char* commandType;
    bool connection;
    const char* a;
    const char* b;
    bool equalExact;
    bool equalApproximate;
};

class ApproximateComparison : public ::testing::TestWithParam<EqualCase> {};

TEST_P(ApproximateComparison, decidesAsTheTypeAllows)
{
    const EqualCase& c = GetParam();
    model::HeskParameterElement element = definition(100, model::kNoSubIndex, true, 0, c.typeCode);
    element.commandType = QString::fromLatin1(c.commandType);
    element.connectionFlag = c.connection ? 1 : 0;
    const QString a = QString::fromLatin1(c.a);
    const QString b = QString::fromLatin1(c.b);
    EXPECT_EQ(valuesEqual(element, a, b, false), c.equalExact) << c.name;
    EXPECT_EQ(valuesEqual(element, a, b, true), c.equalApproximate) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ApproximateComparison,
    ::testing::Values(
        EqualCase{"same text", 1, "", false, "1.00", "1.00", true, true},
        EqualCase{"G2 within 1/8", 10, "", false, "0.10", "0.005", false, true},
        EqualCase{"G3 at 1/8 exactly", 24, "", false, "0.125", "0", false, false},
        EqualCase{"N2 within", 1, "", false, "100.00", "100", false, true},
        EqualCase{"N2 just below tolerance", 1, "", false, "0.006", "0", false, true},
        EqualCase{"N2 at tolerance", 1, "", false, "0.006103515625", "0", false, false},
        EqualCase{"E2 within", 4, "", false, "0.5", "0.507", false, true},
        EqualCase{"E2 beyond", 4, "", false, "0.5", "0.508", false, false},
        EqualCase{"H2 within", 11, "", false, "3.2", "3.23", false, true},
        EqualCase{"H3 beyond", 25, "", false, "3.2", "3.24", false, false},
        EqualCase{"I2 is text", 3, "", false, "5", "5.0", false, false},
        EqualCase{"T2 is text", 7, "", false, "1.0", "1", false, false},
        EqualCase{"formula parameter is text", 1, "3", false, "100.00", "100", false, false},
        EqualCase{"connection is text", 1, "", true, "K0091", "K0091 ", false, false},
        EqualCase{"empty side", 1, "", false, "", "0", false, false},
        EqualCase{"not a number", 1, "", false, "abc", "0", false, false}),
    [](const ::testing::TestParamInfo<EqualCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(ConnectionTexts, aFactoryValueWordReadsAsTheFactoryValueInEverySample)
{
    // For every connection input whose factory value names an output, the word that
    // connects that output must show online exactly as the factory value column does
    // (P0941: "K0000" both, not "r0001" for the read-only value at the same address).
    for (const char* sample : {"VRA1/VRA1V11418", "VRA1/VRA1V11517"}) {
        const auto opened = test::openSample(QString::fromLatin1(sample));
        const model::HeskProject& project = opened->project();
        const ConnectionSources sources(project, opened->deviceClass());
        std::map<QString, uint16_t> outputAddress;
        for (const model::HeskParameterElement& e : project.elements)
            if (!e.isSettable())
                outputAddress.try_emplace(model::displayNumber(opened->deviceClass(), e, false), e.address);
        int checked = 0;
        for (const model::HeskParameterElement& input : project.elements) {
            if (!input.isSettable() || !input.isConnection())
                continue;
            const QString factory = input.factoryValue.trimmed();
            const auto it = outputAddress.find(factory);
            if (it == outputAddress.end())
                continue;
            const uint16_t word = link::storedConnectionValue(it->second);
            EXPECT_EQ(sources.sourceText(word), factory)
                << sample << " " << model::displayNumber(opened->deviceClass(), input, true).toStdString();
            ++checked;
        }
        EXPECT_GT(checked, 0) << sample;
    }
}

TEST(ConnectionTexts, anOutputSharingItsAddressWithAReadOnlyValueIsNamedAsAnOutput)
{
    // r0001 and the connector K0000 (8000) at address 0: the word for address 0 names
    // K0000, as a factory value and the connection editor do, whichever comes first.
    model::HeskProject project;
    project.elements = {definition(1, model::kNoSubIndex, false, 0, 1), definition(8000, model::kNoSubIndex, false, 0, 1),
                        definition(2, model::kNoSubIndex, false, 5, 1)};
    project.sortElements();
    const ConnectionSources sources(project, model::DeviceClass::Inverter);
    EXPECT_EQ(sources.sourceText(link::storedConnectionValue(0)), QStringLiteral("K0000"));
    EXPECT_EQ(sources.sourceText(link::storedConnectionValue(5)), QStringLiteral("r0002"));
}

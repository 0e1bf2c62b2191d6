// The installed sample projects (data/projects/<code>/<key>/<key>.tmprj, built by
// tools/make-sample-projects.sh through project creation) hold what every later
// workflow relies on: the right device class, rows on every page, sound device tables,
// its special parameters, connection sources, base values that P0070 selects, formulas
// that convert, factory values inside their limits and every data type.

#include "QtPrinters.h"

#include "model/BaseValues.h"
#include "model/DeviceCatalogue.h"
#include "model/FaultTableLibrary.h"
#include "model/InputValidation.h"
#include "model/OpenedProject.h"
#include "model/PageCatalogue.h"
#include "model/ParameterNumbering.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"
#include "model/ProjectLocator.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace hesk::model;

namespace {

QString projectsRoot()
{
    return QStringLiteral(HESK_SOURCE_DIR "/data/projects");
}

std::vector<std::string> installedProjects()
{
    std::vector<std::string> paths;
    QDirIterator it(projectsRoot(), {QStringLiteral("*.tmprj")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.push_back(QDir(projectsRoot()).relativeFilePath(it.next()).toStdString());
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::set<uint16_t> subIndicesOf(const HeskProject& project, uint16_t number)
{
    std::set<uint16_t> subs;
    for (const HeskParameterElement& e : project.elements)
        if (e.number == number)
            subs.insert(e.subIndex);
    return subs;
}

std::set<uint16_t> range(int first, int last)
{
    std::set<uint16_t> subs;
    for (int s = first; s <= last; ++s)
        subs.insert(static_cast<uint16_t>(s));
    return subs;
}

// Key texts that the pages, edit rules, control panel, quick commissioning, download,
// recorder and fault list look up, per device class.
QStringList specialKeys(DeviceClass deviceClass)
{
    QStringList keys = {QStringLiteral("P0053"), QStringLiteral("P0060"), QStringLiteral("P0070"),
                        QStringLiteral("r0001"), QStringLiteral("r0006.0"), QStringLiteral("r0820"),
                        QStringLiteral("r0828"), QStringLiteral("P0970"), QStringLiteral("P7000.4"),
                        QStringLiteral("P7000.5"), QStringLiteral("r0943.0"), QStringLiteral("r0943.2")};
    auto add = [&keys](std::initializer_list<const char*> list) {
        for (const char* key : list)
            keys << QString::fromLatin1(key);
    };
    switch (deviceClass) {
    case DeviceClass::Inverter:
        add({"P0089", "P0848.0", "P0848.5", "P0100.1", "P0100.4", "P0107.1", "P0107.4", "P0109.1", "P0109.4",
             "P0115", "P0130.1", "P0201", "P0340.1", "P0348", "P0350", "P0351", "P0352", "P0353", "P0354",
             "P0368", "P0372", "P0514", "P0702", "P0749", "P0830", "P0880", "P0956", "P7030", "P7200",
             "P7000.15", "r0002", "r0004", "r0007", "r0011", "r0012", "r0013", "r0015", "r0126", "r0550",
             "r0071", "r0072", "r0073", "r0943.9", "r0943.19", "r0943.20", "P0941.0", "P0941.14", "P0942.0",
             "P0942.14", "P0435", "P0436", "P0955", "P0957", "P0461", "P0466.1", "P0466.2", "P0468", "P0590",
             "P0443.1", "P0554.2", "P0568.1", "P0569.1", "P0222.1", "P0576.1", "P0579.2", "P0890.1",
             "P0890.2", "P0900.2", "P0325.1", "P0128.4", "r0733.16", "P0734.11", "r0735.1"});
        break;
    case DeviceClass::ActiveRectifier:
        add({"P0089", "P0848.0", "P0848.5", "r0071", "r0072", "P0073", "P0075", "P0080", "P0081", "P0084",
             "P0890.1", "P0890.3", "P0900.2", "P0372", "P0749", "P0956", "P0942.0", "P0950", "P0951",
             "P0955", "P0957", "r0943.8", "r0943.15", "r0733.16", "P0734.1"});
        break;
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier:
        add({"P0089", "P0848.0", "P0848.5", "P0071", "r0072", "r0073", "r0350", "r0351", "P0942.0",
             "P0950", "r0943.7", "r0733.16", "P0734.1"});
        break;
    case DeviceClass::TestBench:
    case DeviceClass::None:
        break;
    }
    return keys;
}

// The row of the base-value table that a power-unit code selects.
const UbaseInfo* baseRow(const HeskProject& project, const QString& key)
{
    for (const UbaseInfo& row : project.ubaseTable)
        if (row.columns[0] == key)
            return &row;
    return nullptr;
}

class InstalledSampleProject : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        const QString path = QDir(projectsRoot()).filePath(QString::fromStdString(GetParam()));
        const auto failure = opened_.open(path);
        ASSERT_FALSE(failure.has_value()) << failure->text.toStdString();
    }

    const HeskProject& project() const { return opened_.project(); }
    DeviceClass deviceClass() const { return opened_.deviceClass(); }
    const HeskParameterElement* find(const QString& key) const { return opened_.find(key); }

    // The values a drive fresh from the factory reports for what formulas refer to:
    // P0071..P0073 and the motor data sets' P0109 from their factory values, r0071 and
    // r0072 (rated output of the power unit) from the selected base-value row.
    void supplyFactoryReferences()
    {
        FormulaState& formulas = opened_.formulas();
        for (const QString& key : FormulaState::suppliedKeyTexts())
            if (const HeskParameterElement* e = find(key); e && e->isSettable())
                formulas.setReferenceValue(key, e->factoryValue);
        const HeskParameterElement* powerUnit = find(QStringLiteral("P0070"));
        const UbaseInfo* row = powerUnit ? baseRow(project(), powerUnit->factoryValue) : nullptr;
        if (row && deviceClass() == DeviceClass::Inverter) {
            formulas.setReferenceValue(QStringLiteral("r0071"), row->columns[3]);
            formulas.setReferenceValue(QStringLiteral("r0072"), row->columns[2]);
        } else if (row && deviceClass() == DeviceClass::ActiveRectifier) {
            formulas.setReferenceValue(QStringLiteral("r0071"), row->columns[15]);
            formulas.setReferenceValue(QStringLiteral("r0072"), row->columns[16]);
        } else if (row) {
            formulas.setReferenceValue(QStringLiteral("r0072"), row->columns[17]);
        }
        formulas.setActiveDataSet(1);
    }

    hesk::model::FaultTableLibrary faultTables_;
    OpenedProject opened_{faultTables_};
};

TEST_P(InstalledSampleProject, identityMatchesItsFolderAndDeviceClass)
{
    const HeskProjectHeader& h = project().header;
    const QString code = shortCodeForDeviceType(h.deviceType);
    ASSERT_FALSE(code.isEmpty()) << h.deviceType.toStdString();
    const QString key = ProjectLocator::projectKey(code, h.deviceVersion);
    EXPECT_EQ(QString::fromStdString(GetParam()), QStringLiteral("%1/%2/%2.tmprj").arg(code, key));
    EXPECT_TRUE(firmwareVersions(h.deviceType).contains(h.deviceVersion));
    EXPECT_EQ(h.creatorVersion, QStringLiteral("V2.16.35"));
    const std::map<QString, DeviceClass> classOfCode = {
        {QStringLiteral("VRA1"), DeviceClass::Inverter}, {QStringLiteral("SLM"), DeviceClass::FeedbackRectifier},
        {QStringLiteral("AIC"), DeviceClass::ActiveRectifier}, {QStringLiteral("BLM"), DeviceClass::BasicRectifier},
        {QStringLiteral("PTB"), DeviceClass::TestBench}};
    EXPECT_EQ(deviceClass(), classOfCode.at(code)) << h.cpuType.toStdString();
    EXPECT_GT(project().timeBases[0], 0) << "base sampling time TA";
    EXPECT_NE(h.programId, 0);
}

TEST_P(InstalledSampleProject, everyPageOfTheDeviceClassHasRows)
{
    const PageCatalogue catalogue(deviceClass());
    for (const QString& page : catalogue.pageNames()) {
        if (page == pages::kCustom)
            continue;
        EXPECT_FALSE(catalogue.rows(project(), page).empty()) << page.toStdString();
    }

    // Every number that a group page lists is defined: a probe project with one
    // definition per number (with and without sub-index 1) shows the page's numbers.
    HeskProject probe;
    for (int n = 1; n <= 9999; ++n) {
        for (uint16_t sub : {kNoSubIndex, uint16_t{1}}) {
            HeskParameterElement e;
            e.number = static_cast<uint16_t>(n);
            e.subIndex = sub;
            probe.elements.push_back(e);
        }
    }
    std::set<uint16_t> defined;
    for (const HeskParameterElement& e : project().elements)
        defined.insert(e.number);
    for (const QString& page : catalogue.pageNames()) {
        if (page == pages::kCustom || page == pages::kAll || page == pages::kSettable || page == pages::kReadOnly)
            continue;
        const auto listed = catalogue.rows(probe, page);
        EXPECT_FALSE(listed.empty()) << page.toStdString();
        for (std::size_t i : listed)
            EXPECT_EQ(defined.count(probe.elements[i].number), 1u)
                << page.toStdString() << " lists " << probe.elements[i].number;
    }
    if (!catalogue.hasPage(QStringLiteral("DP通讯")))
        return;
    // The project holds bus words beyond 10, which the DP page leaves out.
    bool beyondTen = false;
    for (const HeskParameterElement& e : project().elements)
        beyondTen = beyondTen || (e.number >= 733 && e.number <= 735 && e.hasSubIndex() && e.subIndex > 10);
    EXPECT_TRUE(beyondTen);
    for (std::size_t i : catalogue.rows(project(), QStringLiteral("DP通讯"))) {
        const HeskParameterElement& e = project().elements[i];
        if (e.number >= 733 && e.number <= 735) {
            EXPECT_TRUE(e.subIndex >= 1 && e.subIndex <= 10) << keyText(e).toStdString();
        }
    }
}

TEST_P(InstalledSampleProject, addressesAreUniquePerTableAndWordTablesMatchTheSlots)
{
    std::set<std::pair<uint16_t, uint16_t>> keys;
    std::set<uint16_t> settable, readOnly;
    for (const HeskParameterElement& e : project().elements) {
        EXPECT_TRUE(keys.insert({e.number, e.subIndex}).second) << "defined twice: " << keyText(e).toStdString();
        if (e.word10 != 0)
            continue;  // the fixed r0071..r0073 of project creation have no device slot
        auto& table = e.isSettable() ? settable : readOnly;
        EXPECT_TRUE(table.insert(e.address).second) << "address used twice: " << keyText(e).toStdString();
    }
    // Slots 0..n-1 without gaps, one word-table entry each: an upload block of
    // A = 2 x N in, B = 2 x N out and C = A bytes matches the project.
    ASSERT_FALSE(settable.empty());
    ASSERT_FALSE(readOnly.empty());
    EXPECT_EQ(*settable.rbegin() + 1u, settable.size());
    EXPECT_EQ(*readOnly.rbegin() + 1u, readOnly.size());
    EXPECT_EQ(project().wordTableB.size(), settable.size());
    EXPECT_EQ(project().wordTableA.size(), readOnly.size());
    EXPECT_LE(settable.size(), 8192u);
    EXPECT_LE(readOnly.size(), 8192u);
    EXPECT_LE(12 + 4 * settable.size() + 2 * readOnly.size(), 49152u) << "upload receive buffer";
}

TEST_P(InstalledSampleProject, specialParametersArePresentWithTheirShapes)
{
    for (const QString& key : specialKeys(deviceClass()))
        EXPECT_NE(find(key), nullptr) << key.toStdString();
    // The drive's fault indicator, the recorder's fault trigger.
    const auto indicator = subIndicesOf(project(), 9106);
    EXPECT_EQ(indicator, std::set<uint16_t>{kNoSubIndex});

    struct Shape {
        uint16_t number;
        std::set<uint16_t> subIndices;
    };
    std::vector<Shape> shapes = {{7000, range(0, 15)}};
    switch (deviceClass()) {
    case DeviceClass::Inverter:
        for (uint16_t n : {100, 101, 102, 107, 109, 151, 283, 340, 452, 453})
            shapes.push_back({n, range(1, 4)});      // motor data sets
        for (uint16_t n : {462, 464, 492, 498, 2001})
            shapes.push_back({n, range(1, 4)});      // function data sets
        for (uint16_t n : {222, 443, 554, 568})
            shapes.push_back({n, range(1, 2)});      // BICO data sets
        shapes.push_back({466, range(1, 2)});
        shapes.push_back({943, range(0, 20)});
        shapes.push_back({941, range(0, 14)});
        shapes.push_back({942, range(0, 14)});
        break;
    case DeviceClass::ActiveRectifier:
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier:
        shapes.push_back({943, range(0, 15)});
        break;
    case DeviceClass::TestBench:
    case DeviceClass::None:
        shapes.push_back({943, range(0, 7)});
        break;
    }
    if (deviceClass() != DeviceClass::TestBench) {
        shapes.push_back({848, range(0, 5)});
        for (uint16_t n : {733, 734, 735})
            shapes.push_back({n, range(1, 16)});
    }
    for (const Shape& shape : shapes)
        EXPECT_EQ(subIndicesOf(project(), shape.number), shape.subIndices) << "number " << shape.number;
}

TEST_P(InstalledSampleProject, connectionInputsNameExistingConnectorsAndBinectors)
{
    std::map<QString, const HeskParameterElement*> sources;  // "K0091" -> r8091
    int connectors = 0, binectors = 0;
    for (const HeskParameterElement& e : project().elements) {
        if (e.isSettable() || e.hasSubIndex())
            continue;
        const int n = e.number;
        const bool connector = (n >= 8000 && n <= 8999) || (n >= 3001 && n <= 3099) || (n >= 6001 && n <= 6099)
                            || (n >= 7001 && n <= 7099);
        const bool binector = (n >= 9000 && n <= 9999) || (n % 100 <= 31 && n / 100 >= 31 && n / 100 <= 79);
        if (!connector && !binector)
            continue;
        const QChar letter = connector ? QLatin1Char('K') : QLatin1Char('B');
        const int digits = n >= 8000 ? n - (connector ? 8000 : 9000) : n;
        const QString text = QStringLiteral("%1%2").arg(letter).arg(digits, 4, 10, QLatin1Char('0'));
        const QString shown = displayNumber(deviceClass(), e, false);
        if (deviceClass() != DeviceClass::TestBench) {
            if (shown != text)
                continue;  // a plain r parameter of this class's numbering
            EXPECT_EQ(typeName(e.typeCode) == QLatin1String("B1"), letter == QLatin1Char('B')) << text.toStdString();
        }
        sources[text] = &e;
        (connector ? connectors : binectors) += 1;
    }
    int inputs = 0;
    for (const HeskParameterElement& e : project().elements) {
        if (!e.isConnection())
            continue;
        ++inputs;
        EXPECT_TRUE(e.isSettable()) << keyText(e).toStdString();
        EXPECT_EQ(sources.count(e.factoryValue), 1u) << keyText(e).toStdString() << " -> " << e.factoryValue.toStdString();
    }
    EXPECT_GT(inputs, 0);
    const int minimum = deviceClass() == DeviceClass::Inverter ? 100 : deviceClass() == DeviceClass::TestBench ? 4 : 20;
    EXPECT_GE(connectors, minimum) << "connector choices";
    EXPECT_GE(binectors, minimum) << "binector choices";
    if (deviceClass() == DeviceClass::Inverter) {
        EXPECT_EQ(find(QStringLiteral("P0222.1"))->factoryValue, QStringLiteral("K0091"));
    }
}

TEST_P(InstalledSampleProject, powerUnitCodeSelectsABaseValueRow)
{
    const HeskParameterElement* powerUnit = find(QStringLiteral("P0070"));
    ASSERT_NE(powerUnit, nullptr);
    ASSERT_NE(baseRow(project(), powerUnit->factoryValue), nullptr) << powerUnit->factoryValue.toStdString();
    EXPECT_EQ(powerUnit->currentValueText, powerUnit->factoryValue);
    std::set<QString> keysSeen;
    for (const UbaseInfo& row : project().ubaseTable) {
        EXPECT_TRUE(keysSeen.insert(row.columns[0]).second) << "key twice: " << row.columns[0].toStdString();
        bool ok = false;
        const int key = row.columns[0].toInt(&ok);
        EXPECT_TRUE(ok && key >= powerUnit->minText.toInt() && key <= powerUnit->maxText.toInt())
            << "a key P0070 cannot hold: " << row.columns[0].toStdString();
    }
    const BaseValues& bases = opened_.formulas().baseValues();
    if (deviceClass() == DeviceClass::TestBench)
        return;  // no base values
    EXPECT_NE(bases.value(BaseValueKind::DcVoltage), kWrongParameter);
    if (deviceClass() == DeviceClass::Inverter || deviceClass() == DeviceClass::ActiveRectifier) {
        EXPECT_NE(bases.value(BaseValueKind::Voltage), kWrongParameter);
    }
    if (deviceClass() == DeviceClass::Inverter) {
        EXPECT_NE(bases.value(BaseValueKind::Torque), kWrongParameter);
    }
}

TEST_P(InstalledSampleProject, formulaParametersConvertWithTheBaseValues)
{
    supplyFactoryReferences();
    const FormulaState& context = opened_.formulas();
    QString allFormulas;
    int formulas = 0;
    for (const HeskParameterElement& e : project().elements) {
        if (!e.usesFormulas())
            continue;
        ++formulas;
        const std::string key = keyText(e).toStdString();
        allFormulas += e.reverseFormula + QLatin1Char(' ') + e.forwardFormula + QLatin1Char(' ');
        const EffectiveLimits limits = displayLimits(e, context);
        bool lowerOk = false, upperOk = false;
        const double lower = limits.lower.toDouble(&lowerOk), upper = limits.upper.toDouble(&upperOk);
        EXPECT_TRUE(lowerOk && upperOk && lower <= upper) << key << " [" << limits.lower.toStdString() << ", "
                                                          << limits.upper.toStdString() << "]";
        const DisplayedValue shown = displayRawValue(e, 1000, project().timeBases, context);
        EXPECT_FALSE(shown.conversionFailed) << key;
        if (!e.isSettable() || e.factoryValue.isEmpty())
            continue;
        // factory text -> device word -> text -> the same word (within one step)
        const RawConversion raw = rawFromDisplayText(e, e.factoryValue, project().timeBases, context);
        ASSERT_TRUE(raw.raw.has_value()) << key << " " << e.factoryValue.toStdString();
        const DisplayedValue back = displayRawValue(e, *raw.raw, project().timeBases, context);
        ASSERT_FALSE(back.conversionFailed) << key;
        const RawConversion again = rawFromDisplayText(e, back.text, project().timeBases, context);
        ASSERT_TRUE(again.raw.has_value()) << key << " " << back.text.toStdString();
        EXPECT_LE(std::abs(static_cast<int16_t>(*again.raw - *raw.raw)), 1) << key << " " << back.text.toStdString();
    }
    EXPECT_GT(formulas, 0);
    QStringList tokens;
    switch (deviceClass()) {
    case DeviceClass::Inverter:
        tokens = {QStringLiteral("UDCn"), QStringLiteral("Ubase/"), QStringLiteral("UbaseT"),
                  QStringLiteral("r0072"), QStringLiteral("P0109"), QStringLiteral("log2(")};
        break;
    case DeviceClass::ActiveRectifier:
        tokens = {QStringLiteral("UDCn"), QStringLiteral("Ubase/"), QStringLiteral("r0072")};
        break;
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier:
        tokens = {QStringLiteral("UDCn"), QStringLiteral("P0071"), QStringLiteral("r0072")};
        break;
    case DeviceClass::TestBench:
    case DeviceClass::None:
        break;
    }
    for (const QString& token : tokens)
        EXPECT_TRUE(allFormulas.contains(token)) << token.toStdString();
}

// As opened, before any drive has answered (offline, heskmon param show --raw): the
// computed rated output r0071..r0073, the project's own references and the first data
// set reach the formulas, so every formula parameter converts. Rectifier r0072 and
// r0073 are the drive's own parameters and only convert once it reported them.
TEST_P(InstalledSampleProject, formulaParametersConvertAsOpened)
{
    const FormulaState& context = opened_.formulas();
    for (const HeskParameterElement& e : project().elements) {
        if (!e.usesFormulas())
            continue;
        const QString formulas = e.reverseFormula + e.forwardFormula;
        if ((deviceClass() == DeviceClass::FeedbackRectifier || deviceClass() == DeviceClass::BasicRectifier)
            && formulas.contains(QStringLiteral("r007")))
            continue;
        const DisplayedValue shown = displayRawValue(e, 1000, project().timeBases, context);
        EXPECT_FALSE(shown.conversionFailed) << keyText(e).toStdString() << " " << e.reverseFormula.toStdString();
    }
    if (deviceClass() == DeviceClass::Inverter) {
        const HeskParameterElement* current = find(QStringLiteral("r0004"));
        ASSERT_NE(current, nullptr);
        const UbaseInfo* row = baseRow(project(), find(QStringLiteral("P0070"))->factoryValue);
        ASSERT_NE(row, nullptr);
        // 16384 is the rated current of the power unit.
        EXPECT_EQ(displayRawValue(*current, 16384, project().timeBases, context).text.toDouble(),
                  row->columns[2].toDouble());
    }
}

TEST_P(InstalledSampleProject, factoryValuesLieInsideTheirLimitsAndAllowedSets)
{
    supplyFactoryReferences();
    for (const HeskParameterElement& e : project().elements) {
        if (!e.isSettable() || e.isConnection())
            continue;
        const std::string key = keyText(e).toStdString();
        ASSERT_FALSE(e.factoryValue.isEmpty()) << key;
        const EffectiveLimits limits = displayLimits(e, opened_.formulas());
        const QString type = typeName(e.typeCode);
        const ValidationResult check =
            validateInput(e.factoryValue, limits.lower, limits.upper, e.decimals, radixOf(type), type);
        EXPECT_TRUE(check.accepted()) << key << " " << e.factoryValue.toStdString() << " in ["
                                      << limits.lower.toStdString() << ", " << limits.upper.toStdString()
                                      << "]: " << check.resultText().toStdString();
    }
    // Allowed sets of the editor for named options and of the parameter file import.
    struct Allowed {
        const char* key;
        QStringList values;
    };
    std::vector<Allowed> allowed;
    if (deviceClass() == DeviceClass::Inverter) {
        const QStringList dataSetLevels = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                           QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
        allowed = {{"P0060", {"1", "2", "5", "7", "8"}},
                   {"P0100.1", dataSetLevels},
                   {"P0115", dataSetLevels},
                   {"P0130.1", {"10", "11"}},
                   {"P0201", {"1", "2", "4"}},
                   {"P0340.1", {"1.25", "1.5", "2", "2.5", "3", "5", "10"}},
                   {"P0368", {"0", "1", "2", "3", "4", "6"}},
                   {"P0702", {"0", "3", "4"}},
                   // a one-digit text stands for digit.0 (the workbook stores 0.0 as the number 0)
                   {"P0749", {"0", "1", "2", "3", "4", "5", "0.0", "0.7", "1.0", "1.3", "2.0", "2.3", "3.0",
                              "3.3", "4.0", "4.3", "5.0", "5.3"}},
                   {"P0830", {"0", "2", "5", "8", "15", "20"}},
                   {"P0970", {"0", "1"}}};
    } else if (deviceClass() != DeviceClass::TestBench) {
        allowed = {{"P0060", {"1", "2", "5", "8"}}, {"P0970", {"0", "1"}}};
    }
    for (const Allowed& a : allowed) {
        const HeskParameterElement* e = find(QString::fromLatin1(a.key));
        ASSERT_NE(e, nullptr) << a.key;
        EXPECT_TRUE(a.values.contains(e->factoryValue)) << a.key << " " << e->factoryValue.toStdString();
    }
}

// Words whose bits mean something carry their bit texts in the comment, one line per
// bit, "Bit" + decimal bit number + ": " + text, bits ascending; the bit editor and the
// control panel's lamps read them.
TEST_P(InstalledSampleProject, bitWordsCarryOneLinePerBit)
{
    std::map<QString, std::set<int>> required;  // key -> bits that must be described
    switch (deviceClass()) {
    case DeviceClass::Inverter:
        required = {{QStringLiteral("P0053"), {0, 1, 2, 3}},
                    {QStringLiteral("r0019"), {0, 1, 2, 3, 4, 5, 6, 7}},
                    {QStringLiteral("r0020"), {0, 1, 2, 3}},
                    {QStringLiteral("r0550"), {0, 1, 2, 3, 4, 5, 6}},
                    {QStringLiteral("r0551"), {0, 1, 2, 3, 4, 5, 6}},
                    {QStringLiteral("r0552"), {0, 1, 2, 3, 4, 5, 6, 7, 10}},
                    {QStringLiteral("r0553"), {0, 1, 2, 3, 4}},
                    {QStringLiteral("P7000.5"), {4, 5}}};
        break;
    case DeviceClass::TestBench:
        required = {{QStringLiteral("P0053"), {1}}, {QStringLiteral("r0550"), {0, 1, 2, 3}}};
        break;
    case DeviceClass::None:
        return;
    default:
        required = {{QStringLiteral("P0053"), {0, 1, 2}}, {QStringLiteral("r0550"), {0, 1, 2, 3}}};
        break;
    }
    const QRegularExpression line(QStringLiteral("^Bit(\\d{1,2}): (\\S.*)$"));
    for (const auto& [key, bits] : required) {
        const HeskParameterElement* e = find(key);
        ASSERT_NE(e, nullptr) << key.toStdString();
        std::set<int> described;
        int previous = -1;
        for (const QString& text : e->comment.split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch m = line.match(text);
            ASSERT_TRUE(m.hasMatch()) << key.toStdString() << ": " << text.toStdString();
            const int bit = m.captured(1).toInt();
            EXPECT_GT(bit, previous) << key.toStdString();
            EXPECT_LT(bit, 16) << key.toStdString();
            previous = bit;
            described.insert(bit);
        }
        for (int bit : bits)
            EXPECT_TRUE(described.count(bit)) << key.toStdString() << " bit " << bit;
    }
}

TEST_P(InstalledSampleProject, everyDataTypeOccurs)
{
    std::set<uint16_t> types;
    for (const HeskParameterElement& e : project().elements)
        types.insert(e.typeCode);
    for (uint16_t code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 24, 25})
        EXPECT_EQ(types.count(code), 1u) << "type " << typeName(code).toStdString();
}

TEST_P(InstalledSampleProject, workbookRowsGaveNamesUnitsAndRowLabels)
{
    int withoutRow = 0;
    for (const HeskParameterElement& e : project().elements) {
        const std::string key = keyText(e).toStdString();
        // Every name is one a person reads, never the program's symbol.
        EXPECT_FALSE(e.name.isEmpty()) << key;
        EXPECT_FALSE(e.name.startsWith(QLatin1String("PAR_")) || e.name.startsWith(QLatin1String("SIG_"))) << key;
        if (e.referenceKey.isEmpty()) {
            ++withoutRow;  // internal diagnostics that the workbook does not list
            EXPECT_TRUE(e.number >= 990 && e.number <= 994) << key;
            continue;
        }
        const QString label = QStringLiteral("%1|%2|").arg(e.number, 4, 10, QLatin1Char('0'))
                                  .arg(e.hasSubIndex() ? e.subIndex : 0, 3, 10, QLatin1Char('0'));
        EXPECT_TRUE(e.referenceKey.size() == 12 && e.referenceKey.startsWith(label) && e.referenceKey.endsWith(QLatin1Char('|')))
            << key << " " << e.referenceKey.toStdString();
        EXPECT_EQ(e.auxFlag, e.hasSubIndex() ? QStringLiteral("1") : QStringLiteral("0")) << key;
        EXPECT_EQ(e.usesFormulas(), !e.reverseFormula.isEmpty()) << key;
        if (!e.usesFormulas()) {
            EXPECT_TRUE(e.forwardFormula.isEmpty()) << key << " keeps a formula without command type 3";
        }
    }
    EXPECT_EQ(withoutRow, 5);
    // The withdrawn and the repeated rows of the workbook did not win.
    if (const HeskParameterElement* e = find(QStringLiteral("P0101.1"))) {
        EXPECT_FALSE(e->name.startsWith(QStringLiteral("作废"))) << e->name.toStdString();
    }
    const HeskParameterElement* menu = find(QStringLiteral("P0060"));
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->name.contains(QStringLiteral("重复"))) << menu->name.toStdString();
    EXPECT_EQ(menu->factoryValue, QStringLiteral("1"));
}

TEST_P(InstalledSampleProject, programTreeHoldsBothRecordForms)
{
    bool shortPort = false, longPort = false, shortLine = false, longLine = false;
    int blocks = 0;
    for (const HeskPackage& package : project().program.packages) {
        for (const HeskPage& page : package.pages) {
            blocks += static_cast<int>(page.blocks.size());
            for (const HeskBlock& block : page.blocks)
                for (const auto* ports : {&block.firstPorts, &block.secondPorts})
                    for (const HeskPort& port : *ports)
                        (port.hasLongForm() ? longPort : shortPort) = true;
            for (const HeskConnection& line : page.connections)
                (line.hasLongForm() ? longLine : shortLine) = true;
        }
    }
    EXPECT_GT(blocks, 0);
    EXPECT_TRUE(shortPort && longPort);
    EXPECT_TRUE(shortLine && longLine);
}

INSTANTIATE_TEST_SUITE_P(DataProjects, InstalledSampleProject, testing::ValuesIn(installedProjects()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return QFileInfo(QString::fromStdString(info.param)).completeBaseName().toStdString();
                         });

TEST(InstalledSampleProjects, everyDeviceTypeAndFallbackVersionIsInstalled)
{
    const ProjectLocator locator(projectsRoot());
    const std::vector<std::pair<const char*, const char*>> wanted = {
        {"VRA1", "V1.14.18"}, {"VRA1", "V1.15.17"}, {"SLM", "V2.01.11"}, {"AIC", "V2.02.07"},
        {"AIC", "V2.13.08"},  {"BLM", "V2.00.01"},  {"PTB", "V1.00.00"}};
    for (const auto& [code, version] : wanted) {
        const ProjectLocateResult found = locator.locate(QString::fromLatin1(code), QString::fromLatin1(version));
        EXPECT_EQ(found.status, ProjectLocateStatus::Found) << code << " " << version;
    }
    // Versions without a project of their own fall back to the installed ones.
    EXPECT_EQ(locator.locate(QStringLiteral("AIC"), QStringLiteral("V2.01.07")).status, ProjectLocateStatus::FoundFallback);
    EXPECT_EQ(locator.locate(QStringLiteral("SLM"), QStringLiteral("V2.00.04")).status, ProjectLocateStatus::FoundFallback);
    EXPECT_GE(installedProjects().size(), wanted.size());
}

}  // namespace

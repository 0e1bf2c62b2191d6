// Filling the rules' context from an opened project and the drive's words: which
// definitions are read per device type, 0 for what is missing, nothing looked up offline,
// and whether P0848 counts as indexed.

#include "editing/EditContextSource.h"

#include "model/FaultTableLibrary.h"
#include "model/ProjectFile.h"

#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace hesk::editing {
namespace {

using model::HeskParameterElement;

HeskParameterElement definition(uint16_t number, bool settable, uint16_t address, uint16_t sub = model::kNoSubIndex)
{
    HeskParameterElement e;
    e.number = number;
    e.subIndex = sub;
    e.settable = settable ? 1 : 0;
    e.address = address;
    e.typeCode = 3;
    e.name = QStringLiteral("参数%1").arg(number);
    return e;
}

class EditContextSource : public ::testing::Test {
protected:
    // A project of the CPU type with the rule parameters the test names.
    const model::OpenedProject& open(const char* cpuType, std::vector<HeskParameterElement> elements)
    {
        model::HeskProject project;
        project.header.deviceType = QStringLiteral("VRA1");
        project.header.deviceVersion = QStringLiteral("V1.14.18");
        project.header.cpuType = QString::fromLatin1(cpuType);
        project.elements = std::move(elements);
        project.sortElements();
        const QString path = dir.filePath(QStringLiteral("rules.tmprj"));
        EXPECT_FALSE(model::saveProject(path, project).has_value());
        EXPECT_FALSE(opened.open(path).has_value());
        return opened;
    }

    // Words by address; lookups are counted.
    RawWordLookup words(QHash<uint16_t, uint16_t> byAddress)
    {
        return [this, byAddress](const HeskParameterElement& e) -> std::optional<uint16_t> {
            ++lookups;
            if (!byAddress.contains(e.address))
                return std::nullopt;
            return byAddress.value(e.address);
        };
    }

    QTemporaryDir dir;
    model::FaultTableLibrary faultTables;
    model::OpenedProject opened{faultTables};
    int lookups = 0;
};

std::vector<HeskParameterElement> allRuleParameters()
{
    return {definition(53, true, 10), definition(60, true, 11), definition(1, false, 12),
            definition(11, false, 13), definition(89, true, 14), definition(100, true, 15, 1)};
}

TEST_F(EditContextSource, inverterReadsAllFiveInOrder)
{
    const model::OpenedProject& project = open("HESK6500", allRuleParameters());
    std::vector<uint16_t> numbers;
    for (const HeskParameterElement* e : ruleValueParameters(project))
        numbers.push_back(e->number);
    EXPECT_EQ(numbers, (std::vector<uint16_t>{53, 60, 1, 11, 89}));

    const EditContext c = editContext(project, true, words({{10, 6}, {11, 5}, {12, 9}, {13, 2}, {14, 3}}));
    EXPECT_EQ(c.deviceClass, model::DeviceClass::Inverter);
    EXPECT_TRUE(c.online);
    EXPECT_EQ(c.values.accessWord, 6);
    EXPECT_EQ(c.values.menuLevel, 5);
    EXPECT_EQ(c.values.operatingState, 9);
    EXPECT_EQ(c.values.activeDataSet, 2);
    EXPECT_EQ(c.values.slaveCount, 3);
    EXPECT_TRUE(c.values.extendedAccess());
    EXPECT_FALSE(c.values.running());
}

TEST_F(EditContextSource, rectifiersReadOnlyTheirThree)
{
    const model::OpenedProject& project = open("HESK6504", allRuleParameters());
    std::vector<uint16_t> numbers;
    for (const HeskParameterElement* e : ruleValueParameters(project))
        numbers.push_back(e->number);
    EXPECT_EQ(numbers, (std::vector<uint16_t>{53, 60, 1}));
    const DriveRuleValues v = driveRuleValues(project, words({{10, 2}, {11, 8}, {12, 12}, {13, 2}, {14, 3}}));
    EXPECT_EQ(v.menuLevel, 8);
    EXPECT_EQ(v.operatingState, 12);
    EXPECT_EQ(v.activeDataSet, 0);
    EXPECT_EQ(v.slaveCount, 0);
}

TEST_F(EditContextSource, missingDefinitionsAndUnknownWordsCountAsZero)
{
    // No r0011 and no P0089 in the project; P0060's word unknown.
    const model::OpenedProject& project =
        open("HESK6500", {definition(53, true, 10), definition(60, true, 11), definition(1, false, 12)});
    EXPECT_EQ(ruleValueParameters(project).size(), 3u);
    const DriveRuleValues v = driveRuleValues(project, words({{10, 2}, {12, 11}, {13, 4}, {14, 4}}));
    EXPECT_EQ(v.accessWord, 2);
    EXPECT_EQ(v.menuLevel, 0);
    EXPECT_EQ(v.operatingState, 11);
    EXPECT_EQ(v.activeDataSet, 0);
    EXPECT_EQ(v.slaveCount, 0);
}

TEST_F(EditContextSource, offlineLooksUpNothing)
{
    const model::OpenedProject& project = open("HESK6500", allRuleParameters());
    const EditContext c = editContext(project, false, words({{10, 2}, {11, 5}}), {6, false});
    EXPECT_EQ(lookups, 0);
    EXPECT_FALSE(c.online);
    EXPECT_EQ(c.values.accessWord, 0);
    EXPECT_EQ(c.values.menuLevel, 0);
    EXPECT_TRUE(c.recorder.transferring());
}

TEST_F(EditContextSource, theTestBenchReadsNothing)
{
    const model::OpenedProject& project = open("HESK6505", allRuleParameters());
    EXPECT_TRUE(ruleValueParameters(project).empty());
}

// Before an online edit decides, only what the drive has not reported is read: the rule
// inputs first, then the edited parameter, each once.
TEST_F(EditContextSource, onlyUnreportedEditInputsAreRead)
{
    const model::OpenedProject& project = open("HESK6500", allRuleParameters());
    const HeskParameterElement& p0100 = *project.find(QStringLiteral("P0100.1"));
    const HeskParameterElement& p0053 = *project.find(QStringLiteral("P0053"));
    const auto numbers = [](const std::vector<const HeskParameterElement*>& elements) {
        std::vector<uint16_t> out;
        for (const HeskParameterElement* e : elements)
            out.push_back(e->number);
        return out;
    };
    struct Case {
        const HeskParameterElement* edited;
        std::vector<uint16_t> reportedAddresses;
        std::vector<uint16_t> read;
    };
    const Case cases[] = {
        {&p0100, {}, {53, 60, 1, 11, 89, 100}},              // right after the connect
        {&p0100, {10, 11, 12, 13, 14, 15}, {}},              // after the polls came round
        {&p0100, {10, 12, 13, 14}, {60, 100}},               // some reported
        {&p0053, {}, {53, 60, 1, 11, 89}},                   // an edited rule input once
        {&p0053, {11, 12, 13, 14}, {53}},
    };
    for (const Case& c : cases) {
        const std::vector<uint16_t>& reported = c.reportedAddresses;
        const auto read = unreportedEditInputs(project, *c.edited, [&](const HeskParameterElement& e) {
            return std::find(reported.begin(), reported.end(), e.address) != reported.end();
        });
        EXPECT_EQ(numbers(read), c.read) << c.edited->number << " with " << reported.size() << " reported";
    }
    // A rectifier's edit needs no r0011 or P0089.
    const model::OpenedProject& rectifier = open("HESK6504", allRuleParameters());
    const auto read = unreportedEditInputs(rectifier, *rectifier.find(QStringLiteral("P0100.1")),
                                           [](const HeskParameterElement&) { return false; });
    EXPECT_EQ(numbers(read), (std::vector<uint16_t>{53, 60, 1, 100}));
}

TEST(SlaveParametersIndexed, onlyWhenEveryP0848HasASubIndex)
{
    model::HeskProject project;
    EXPECT_FALSE(slaveParametersIndexed(project));  // no P0848 at all
    project.elements = {definition(848, true, 1, 1), definition(848, true, 2, 2)};
    EXPECT_TRUE(slaveParametersIndexed(project));
    project.elements.push_back(definition(848, true, 3));
    EXPECT_FALSE(slaveParametersIndexed(project));
    project.elements = {definition(848, true, 3), definition(849, true, 4, 1)};
    EXPECT_FALSE(slaveParametersIndexed(project));
}

}  // namespace
}  // namespace hesk::editing

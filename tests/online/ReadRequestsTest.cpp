// Read requests per parameter definition, the system poll plan of an opened project and
// which cycle of the system list reads the references.

#include "online/ReadRequests.h"
#include "online/SystemPolling.h"

#include "editing/EditContextSource.h"
#include "model/FaultTableLibrary.h"
#include "model/ProjectFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace hesk::online {
namespace {

using link::CommandFrame;

model::HeskParameterElement element(uint16_t number, uint16_t subIndex, uint16_t address, uint16_t settable,
                                    uint16_t connectionFlag = 0)
{
    model::HeskParameterElement e;
    e.number = number;
    e.subIndex = subIndex;
    e.address = address;
    e.settable = settable;
    e.connectionFlag = connectionFlag;
    return e;
}

struct RequestCase {
    const char* name;
    uint16_t settable;
    uint16_t connectionFlag;
    uint16_t address;
    uint8_t code;
};

void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }

class ReadRequestFor : public ::testing::TestWithParam<RequestCase> {};

TEST_P(ReadRequestFor, choosesTheCodeFromSettableAndConnectionFlag)
{
    const RequestCase& c = GetParam();
    const CommandFrame frame = readRequestFor(element(100, model::kNoSubIndex, c.address, c.settable, c.connectionFlag));
    const uint8_t hi = static_cast<uint8_t>(c.address >> 8);
    const uint8_t lo = static_cast<uint8_t>(c.address & 0xFF);
    const uint8_t check = static_cast<uint8_t>(0xF2 ^ c.code ^ hi ^ lo);
    EXPECT_EQ(frame, (CommandFrame{0xF2, c.code, hi, lo, 0, 0, 0, check}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadRequestFor,
    ::testing::Values(RequestCase{"readOnly", 0, 0, 0x0123, 0x06},
                      RequestCase{"readOnlyEvenWithConnectionFlag", 0, 1, 0x0456, 0x06},
                      RequestCase{"settable", 1, 0, 0x1FFF, 0x01},
                      RequestCase{"settableAnyNonZero", 7, 0, 0x0002, 0x01},
                      RequestCase{"connection", 1, 1, 0x0A0B, 0x17},
                      RequestCase{"addressZero", 1, 0, 0x0000, 0x01}),
    [](const auto& info) { return std::string(info.param.name); });

// A small project: behaviour inputs (one a connection parameter), references (one
// without a device address), fault words, and one parameter polled by neither part.
model::HeskProject smallProject()
{
    model::HeskProject project;
    project.elements = {
        element(1, model::kNoSubIndex, 0x0101, 0),      // r0001
        element(60, model::kNoSubIndex, 0x0060, 1),     // P0060
        element(53, model::kNoSubIndex, 0x0053, 1, 1),  // P0053, a connection parameter
        element(70, model::kNoSubIndex, 0x0070, 1),     // P0070
        element(71, model::kNoSubIndex, 0x2001, 0),     // r0071, no device address
        element(109, model::kNoSubIndex, 0x0109, 1),    // P0109
        element(109, 2, 0x0209, 1),                     // P0109.2
        element(350, model::kNoSubIndex, 0x0350, 1),    // P0350
        element(943, 0, 0x0943, 0),                     // r0943.0
        element(943, 3, 0x0946, 0),                     // r0943.3
        element(943, 20, 0x0957, 0),                    // r0943.20
        element(2, model::kNoSubIndex, 0x0102, 0),      // r0002, the control panel's
        element(999, model::kNoSubIndex, 0x0999, 1),    // P0999
    };
    project.sortElements();
    return project;
}

// In key order: P0053, P0060, r0001, then the fault words asked for.
const std::vector<CommandFrame> kEveryCycle = {
    link::cpuLoadReferenceRequest(),     link::cpuIdleRequest(),       link::readConnectionRequest(0x0053),
    link::readParameterRequest(0x0060),  link::readReadOnlyRequest(0x0101), link::readReadOnlyRequest(0x0943),
    link::readReadOnlyRequest(0x0957),
};
// P0070, P0109, P0109.2, P0350; r0071 has no address to read.
const std::vector<CommandFrame> kReferences = {
    link::readParameterRequest(0x0070), link::readParameterRequest(0x0109), link::readParameterRequest(0x0209),
    link::readParameterRequest(0x0350),
};

std::vector<CommandFrame> framesOf(const FrameList& list)
{
    std::vector<CommandFrame> frames;
    for (size_t i = 0; i < list.size(); ++i)
        frames.push_back(list.at(i));
    return frames;
}

std::vector<CommandFrame> joined(std::vector<CommandFrame> a, const std::vector<CommandFrame>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(SystemPollPlan, everyCycleTheCpuLoadTheEditRuleInputsAndTheFaultWordsReferencesApart)
{
    const SystemPollPlan plan = systemPollPlan(smallProject(), {QStringLiteral("r0943.0"), QStringLiteral("r0943.20")});
    EXPECT_EQ(plan.everyCycle, kEveryCycle);
    EXPECT_EQ(plan.references, kReferences);
    // Nothing else is polled: neither the fault word the catalogue does not name nor the
    // control panel's values.
    for (const auto* part : {&plan.everyCycle, &plan.references}) {
        EXPECT_EQ(std::count(part->begin(), part->end(), link::readReadOnlyRequest(0x0946)), 0);
        EXPECT_EQ(std::count(part->begin(), part->end(), link::readReadOnlyRequest(0x0102)), 0);
    }
    EXPECT_EQ(behaviourKeyTexts(), (QStringList{"P0053", "P0060", "r0001", "r0011", "P0089"}));
}

TEST(SystemPollPlan, aProjectWithoutAnyOfThemPollsOnlyTheCpuLoad)
{
    model::HeskProject project;
    project.elements = {element(999, model::kNoSubIndex, 1, 1)};
    const SystemPollPlan plan = systemPollPlan(project, {QStringLiteral("r0943.0")});
    EXPECT_EQ(plan.everyCycle, (std::vector<CommandFrame>{link::cpuLoadReferenceRequest(), link::cpuIdleRequest()}));
    EXPECT_TRUE(plan.references.empty());
}

TEST(SystemPollPlan, faultWordsAreThoseTheCatalogueExplainsBySubIndex)
{
    const model::FaultTableLibrary library;
    model::FaultCatalogue inverter(library);
    inverter.build(model::DeviceClass::Inverter, QStringLiteral("V1.14.18"));
    EXPECT_EQ(catalogueFaultWords(inverter), (QStringList{"r0943.0", "r0943.1", "r0943.2", "r0943.3", "r0943.9",
                                                          "r0943.10", "r0943.11", "r0943.12", "r0943.13"}));
    model::FaultCatalogue none(library);
    EXPECT_TRUE(catalogueFaultWords(none).isEmpty());
}

TEST(SystemPollList, filledWithOrWithoutTheReferencesReplacingWhatItHeld)
{
    const SystemPollPlan plan = systemPollPlan(smallProject(), {QStringLiteral("r0943.0"), QStringLiteral("r0943.20")});
    for (const bool withReferences : {true, false}) {
        SCOPED_TRACE(withReferences);
        FrameList list;
        list.push(link::readParameterRequest(0x0999));
        list.advance();
        fillSystemPollList(list, plan, withReferences);
        EXPECT_EQ(framesOf(list), withReferences ? joined(kEveryCycle, kReferences) : kEveryCycle);
        EXPECT_EQ(list.cursorIndex(), -1);
    }
}

TEST(SystemPollList, isBuiltFromAnOpenedProjectFileWithTheReferences)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("small.tmprj"));
    ASSERT_FALSE(model::saveProject(path, smallProject()).has_value());
    const model::FaultTableLibrary faultTables;
    model::OpenedProject opened(faultTables);
    ASSERT_FALSE(opened.open(path).has_value());
    FrameList list;
    buildSystemPollList(list, opened);
    // A project without a device class has no fault catalogue: no fault word is read.
    const std::vector<CommandFrame> behaviour(kEveryCycle.begin(), kEveryCycle.begin() + 5);
    EXPECT_EQ(framesOf(list), joined(behaviour, kReferences));
}

// ---- which cycle reads the references ------------------------------------------------

TEST(SystemPolling, referencesAtConnectThenEveryTenthCycleAndAfterARequest)
{
    const SystemPollPlan plan = systemPollPlan(smallProject(), {QStringLiteral("r0943.0"), QStringLiteral("r0943.20")});
    FrameList list;
    SystemPolling polling;
    polling.start(list, plan);
    EXPECT_TRUE(polling.referencesInList());
    EXPECT_EQ(framesOf(list), joined(kEveryCycle, kReferences));

    std::vector<bool> cycles;
    for (int cycle = 1; cycle <= 21; ++cycle) {
        polling.nextCycle(list);
        cycles.push_back(polling.referencesInList());
        EXPECT_EQ(framesOf(list), polling.referencesInList() ? joined(kEveryCycle, kReferences) : kEveryCycle)
            << "cycle " << cycle;
    }
    std::vector<bool> expected(21, false);
    expected[9] = expected[19] = true;
    EXPECT_EQ(cycles, expected);

    // Asked for: the coming cycle, and the count of ten starts again there.
    polling.nextCycle(list);
    polling.requestReferences();
    polling.nextCycle(list);
    EXPECT_TRUE(polling.referencesInList());
    for (int cycle = 1; cycle < SystemPolling::kReferenceCycles; ++cycle) {
        polling.nextCycle(list);
        EXPECT_FALSE(polling.referencesInList()) << cycle;
    }
    polling.nextCycle(list);
    EXPECT_TRUE(polling.referencesInList());

    // A cycle under way keeps its list: nothing is refilled while the composition stays.
    polling.nextCycle(list);
    list.advance();
    polling.nextCycle(list);
    EXPECT_EQ(list.cursorIndex(), 0);
}

TEST(SystemPolling, aWriteToAReferenceAddressIsRecognised)
{
    SystemPolling polling;
    FrameList list;
    polling.start(list, systemPollPlan(smallProject(), {}));
    for (const uint16_t address : {0x0070, 0x0109, 0x0209, 0x0350})
        EXPECT_TRUE(polling.isReferenceAddress(address)) << address;
    for (const uint16_t address : {0x0060, 0x0999, 0x2001})
        EXPECT_FALSE(polling.isReferenceAddress(address)) << address;
}

// The edit rules decide on polled words: every input they read is in the system poll list
// of every installed sample that has it, so a double-click needs no read of its own.
TEST(SystemPollList, holdsEveryEditRuleInput)
{
    const model::FaultTableLibrary faultTables;
    for (const char* sample : {"VRA1/VRA1V11418", "AIC/AICV21308", "SLM/SLMV20111"}) {
        const QString key = QString::fromLatin1(sample).section(QLatin1Char('/'), 1);
        model::OpenedProject opened(faultTables);
        ASSERT_FALSE(opened.open(QStringLiteral(HESK_SOURCE_DIR "/data/projects/") + QString::fromLatin1(sample)
                                 + QLatin1Char('/') + key + QStringLiteral(".tmprj"))
                         .has_value())
            << sample;
        FrameList list;
        buildSystemPollList(list, opened);
        const std::vector<const model::HeskParameterElement*> inputs = editing::ruleValueParameters(opened);
        EXPECT_GE(inputs.size(), 3u) << sample;
        for (const model::HeskParameterElement* input : inputs)
            EXPECT_GE(list.indexOf(readRequestFor(*input)), 0) << sample << " " << input->number;
    }
}

// Each read code's reply fills its own table.
TEST(ReadRequests, theTableOfEachReadCode)
{
    link::OnlineValueTables tables;
    EXPECT_EQ(&valueTableFor(tables, element(1, model::kNoSubIndex, 0, 0)), &tables.readOnly);
    EXPECT_EQ(&valueTableFor(tables, element(100, model::kNoSubIndex, 0, 1)), &tables.parameters);
    EXPECT_EQ(&valueTableFor(tables, element(554, model::kNoSubIndex, 0, 1, 1)), &tables.connections);
}

}  // namespace
}  // namespace hesk::online

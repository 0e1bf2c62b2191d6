// Read requests per parameter definition and the system poll list of an opened project.

#include "online/ReadRequests.h"

#include "editing/EditContextSource.h"
#include "model/FaultTableLibrary.h"
#include "model/ProjectFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

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

// A small project: some special parameters (one a connection parameter), one that is
// no special parameter, and most specials missing.
model::HeskProject smallProject()
{
    model::HeskProject project;
    project.elements = {
        element(1, model::kNoSubIndex, 0x0101, 0),   // r0001
        element(60, model::kNoSubIndex, 0x0060, 1),  // P0060
        element(53, model::kNoSubIndex, 0x0053, 1, 1),  // P0053, a connection parameter
        element(109, model::kNoSubIndex, 0x0109, 1),  // P0109
        element(109, 2, 0x0209, 1),                   // P0109.2
        element(943, 0, 0x0943, 0),                   // r0943.0
        element(943, 20, 0x0957, 0),                  // r0943.20
        element(999, model::kNoSubIndex, 0x0999, 1),  // P0999, not special
    };
    project.sortElements();
    return project;
}

// The order of the standard key list: P0053, P0060, P0109, P0109.2, r0001, r0943.0,
// r0943.20.
const std::vector<CommandFrame> kExpectedPoll = {
    link::cpuLoadReferenceRequest(),      link::cpuIdleRequest(),
    link::readConnectionRequest(0x0053),  link::readParameterRequest(0x0060),
    link::readParameterRequest(0x0109),   link::readParameterRequest(0x0209),
    link::readReadOnlyRequest(0x0101),    link::readReadOnlyRequest(0x0943),
    link::readReadOnlyRequest(0x0957),
};

std::vector<CommandFrame> framesOf(const FrameList& list)
{
    std::vector<CommandFrame> frames;
    for (size_t i = 0; i < list.size(); ++i)
        frames.push_back(list.at(i));
    return frames;
}

TEST(SystemPollList, cpuLoadFirstThenThePresentSpecialsInListOrder)
{
    const model::HeskProject project = smallProject();
    const model::SpecialParameterTable specials(project);
    FrameList list;
    buildSystemPollList(list, project, specials);
    EXPECT_EQ(framesOf(list), kExpectedPoll);
    EXPECT_EQ(list.cursorIndex(), -1);
}

TEST(SystemPollList, replacesWhatTheListHeld)
{
    const model::HeskProject project = smallProject();
    FrameList list;
    list.push(link::readParameterRequest(0x0999));
    list.advance();
    buildSystemPollList(list, project, model::SpecialParameterTable(project));
    EXPECT_EQ(framesOf(list), kExpectedPoll);
    EXPECT_EQ(list.cursorIndex(), -1);
}

TEST(SystemPollList, aProjectWithoutSpecialsPollsOnlyTheCpuLoad)
{
    model::HeskProject project;
    project.elements = {element(999, model::kNoSubIndex, 1, 1)};
    FrameList list;
    buildSystemPollList(list, project, model::SpecialParameterTable(project));
    EXPECT_EQ(framesOf(list), (std::vector<CommandFrame>{link::cpuLoadReferenceRequest(), link::cpuIdleRequest()}));
}

TEST(SystemPollList, isBuiltFromAnOpenedProjectFile)
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
    EXPECT_EQ(framesOf(list), kExpectedPoll);
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

#include "model/ParameterNumbering.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace hesk::model;

namespace {

HeskParameterElement element(uint16_t number, uint16_t settable, uint16_t subIndex = kNoSubIndex)
{
    HeskParameterElement e;
    e.number = number;
    e.settable = settable;
    e.subIndex = subIndex;
    return e;
}

constexpr DeviceClass kInv = DeviceClass::Inverter;
constexpr DeviceClass kSlm = DeviceClass::FeedbackRectifier;
constexpr DeviceClass kAic = DeviceClass::ActiveRectifier;
constexpr DeviceClass kBlm = DeviceClass::BasicRectifier;

struct NumberCase {
    DeviceClass deviceClass;
    uint16_t number;
    uint16_t settable;
    const char* expected;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << "class" << static_cast<int>(c.deviceClass) << " " << c.number << " settable" << c.settable;
}

class DisplayNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(DisplayNumber, followsTheRangesOfTheClass)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(displayNumber(c.deviceClass, element(c.number, c.settable), false),
              QString::fromLatin1(c.expected))
        << "class " << static_cast<int>(c.deviceClass) << " number " << c.number;
}

INSTANTIATE_TEST_SUITE_P(
    SettableInEveryClass, DisplayNumber,
    ::testing::Values(NumberCase{kInv, 2005, 1, "U005"}, NumberCase{kAic, 2000, 1, "U000"},
                      NumberCase{kSlm, 2999, 1, "U999"}, NumberCase{kBlm, 1999, 1, "P1999"},
                      NumberCase{kInv, 3000, 1, "P3000"}, NumberCase{kInv, 53, 1, "P0053"},
                      NumberCase{kInv, 8012, 1, "P8012"}, NumberCase{kAic, 9003, 1, "P9003"},
                      // every nonzero settable flag is a P parameter, as in the key text
                      NumberCase{kInv, 100, 2, "P0100"}));

INSTANTIATE_TEST_SUITE_P(
    ReadOnlyCommonRanges, DisplayNumber,
    ::testing::Values(NumberCase{kInv, 2005, 0, "n005"}, NumberCase{kSlm, 2999, 0, "n999"},
                      NumberCase{kInv, 8012, 0, "K0012"}, NumberCase{kAic, 8000, 0, "K0000"},
                      NumberCase{kBlm, 8999, 0, "K0999"}, NumberCase{kInv, 9003, 0, "B0003"},
                      NumberCase{kSlm, 9999, 0, "B0999"}, NumberCase{kInv, 1, 0, "r0001"},
                      NumberCase{kAic, 10000, 0, "r10000"}, NumberCase{kInv, 65535, 0, "r65535"}));

INSTANTIATE_TEST_SUITE_P(
    Inverter, DisplayNumber,
    ::testing::Values(NumberCase{kInv, 3000, 0, "r3000"}, NumberCase{kInv, 3001, 0, "K3001"},
                      NumberCase{kInv, 3099, 0, "K3099"}, NumberCase{kInv, 6001, 0, "K6001"},
                      NumberCase{kInv, 6099, 0, "K6099"}, NumberCase{kInv, 7001, 0, "K7001"},
                      NumberCase{kInv, 7099, 0, "K7099"}, NumberCase{kInv, 3100, 0, "B3100"},
                      NumberCase{kInv, 3105, 0, "B3105"}, NumberCase{kInv, 3115, 0, "B3115"},
                      NumberCase{kInv, 3116, 0, "r3116"}, NumberCase{kInv, 3199, 0, "r3199"},
                      NumberCase{kInv, 3205, 0, "B3205"}, NumberCase{kInv, 3900, 0, "B3900"},
                      NumberCase{kInv, 3915, 0, "B3915"}, NumberCase{kInv, 3916, 0, "r3916"},
                      NumberCase{kInv, 4000, 0, "r4000"}, NumberCase{kInv, 6100, 0, "B6100"},
                      NumberCase{kInv, 6915, 0, "B6915"}, NumberCase{kInv, 6950, 0, "r6950"},
                      NumberCase{kInv, 7100, 0, "B7100"}, NumberCase{kInv, 7131, 0, "r7131"},
                      NumberCase{kInv, 7815, 0, "B7815"}, NumberCase{kInv, 7816, 0, "r7816"},
                      NumberCase{kInv, 7900, 0, "B7900"}, NumberCase{kInv, 7915, 0, "B7915"},
                      NumberCase{kInv, 7916, 0, "r7916"}, NumberCase{kInv, 5100, 0, "r5100"}));

INSTANTIATE_TEST_SUITE_P(
    Rectifiers, DisplayNumber,
    ::testing::Values(NumberCase{kSlm, 3001, 0, "K3001"}, NumberCase{kSlm, 3028, 0, "K3028"},
                      NumberCase{kSlm, 3029, 0, "r3029"}, NumberCase{kSlm, 3105, 0, "B3105"},
                      NumberCase{kSlm, 3116, 0, "r3116"}, NumberCase{kSlm, 3205, 0, "r3205"},
                      NumberCase{kSlm, 7001, 0, "r7001"}, NumberCase{kSlm, 7100, 0, "r7100"},
                      NumberCase{kBlm, 3028, 0, "K3028"}, NumberCase{kBlm, 3115, 0, "B3115"},
                      NumberCase{kBlm, 7010, 0, "r7010"}, NumberCase{kAic, 3028, 0, "K3028"},
                      NumberCase{kAic, 3029, 0, "r3029"}, NumberCase{kAic, 7001, 0, "K7001"},
                      NumberCase{kAic, 7016, 0, "K7016"}, NumberCase{kAic, 7017, 0, "r7017"},
                      NumberCase{kAic, 7099, 0, "r7099"}, NumberCase{kAic, 7100, 0, "B7100"},
                      NumberCase{kAic, 7131, 0, "B7131"}, NumberCase{kAic, 7132, 0, "r7132"},
                      NumberCase{kAic, 3205, 0, "r3205"}, NumberCase{kAic, 6001, 0, "r6001"}));

TEST(DisplayNumberSubIndex, threeDigitSuffixOnlyWhenAskedAndPresent)
{
    EXPECT_EQ(displayNumber(kInv, element(107, 1, 0), true), QStringLiteral("P0107.000"));
    EXPECT_EQ(displayNumber(kInv, element(107, 1, 1), true), QStringLiteral("P0107.001"));
    EXPECT_EQ(displayNumber(kAic, element(943, 0, 19), true), QStringLiteral("r0943.019"));
    EXPECT_EQ(displayNumber(kInv, element(2005, 0, 254), true), QStringLiteral("n005.254"));
    EXPECT_EQ(displayNumber(kInv, element(107, 1, 1), false), QStringLiteral("P0107"));
    EXPECT_EQ(displayNumber(kInv, element(107, 1, kNoSubIndex), true), QStringLiteral("P0107"));
}

TEST(DisplayNumberClasses, noneAndTestBenchHaveNoLetters)
{
    for (DeviceClass c : {DeviceClass::None, DeviceClass::TestBench})
        for (const HeskParameterElement& e : {element(100, 1), element(2005, 1), element(8012, 0),
                                             element(1, 0, 3)})
            EXPECT_TRUE(displayNumber(c, e, true).isEmpty()) << static_cast<int>(c) << " " << e.number;
}

TEST(DisplayNumberProject, classComesFromTheProjectsCpuType)
{
    HeskProject project;
    project.header.cpuType = QStringLiteral("HESK6500");  // inverter
    EXPECT_EQ(displayNumber(project, element(3205, 0), false), QStringLiteral("B3205"));
    project.header.cpuType = QStringLiteral("HESK6501");  // feedback rectifier
    EXPECT_EQ(displayNumber(project, element(3205, 0), false), QStringLiteral("r3205"));
    project.header.cpuType = QStringLiteral("DSP2812");  // class 0
    EXPECT_TRUE(displayNumber(project, element(3205, 0), false).isEmpty());
}

}  // namespace

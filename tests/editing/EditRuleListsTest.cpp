// The inverter's forbidden menu levels and the fixed number lists behind the rules.

#include "editing/EditRuleLists.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace hesk::editing {
namespace {

using model::DeviceClass;

TEST(ForbiddenMenuLevels, areBuiltInOrderAndLoseTheirLastSlash)
{
    struct Case {
        uint16_t number;
        const char* text;
    };
    const Case cases[] = {
        {53, ""},            // the access word and the menu level itself: no level forbidden
        {60, ""},
        {100, "1/7/2/8"},    // 1/7 list, changeable at 5
        {103, "2/8"},        // not in the 1/7 list, changeable at 5
        {109, "1/7/2/8"},
        {300, "2/5/8"},      // in no list
        {366, "1/7/5/8"},    // no "2/"
        {970, "1/7/5/8"},
        {70, "1/7/2/5"},     // changeable at 8
        {848, "1/7/2/5"},
        {383, "2/8"},        // changeable at 5, not in the 1/7 list
        {115, "2/8"},
        {7000, "1/7/2/5/8"},
        {880, "1/7/2/5/8"},
        {739, "1/7/2/5/8"},
        {979, "1/7/2/8"},
        {0, "2/5/8"},
        {65535, "2/5/8"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(forbiddenMenuLevels(c.number), QString::fromLatin1(c.text)) << c.number;
}

TEST(EditRuleLists, runningAndDataSetListsHaveTheirSizesAndNoDuplicates)
{
    for (const auto list : {notChangeableWhileRunningNumbers(), motorDataSetNumbers()}) {
        EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
        EXPECT_EQ(std::adjacent_find(list.begin(), list.end()), list.end());
    }
    EXPECT_EQ(notChangeableWhileRunningNumbers().size(), 68u);
    EXPECT_EQ(motorDataSetNumbers().size(), 83u);
    // Ranges are complete at both ends, and the lookup agrees with the list.
    for (uint16_t n = 100; n <= 109; ++n) {
        EXPECT_TRUE(isNotChangeableWhileRunning(n)) << n;
        EXPECT_TRUE(isMotorDataSetParameter(n)) << n;
    }
    EXPECT_FALSE(isNotChangeableWhileRunning(99));
    EXPECT_FALSE(isNotChangeableWhileRunning(110));
    EXPECT_TRUE(isNotChangeableWhileRunning(7000));
    EXPECT_TRUE(isNotChangeableWhileRunning(60));
    EXPECT_FALSE(isNotChangeableWhileRunning(53));
    EXPECT_TRUE(isMotorDataSetParameter(806));
    EXPECT_FALSE(isMotorDataSetParameter(807));
    EXPECT_FALSE(isMotorDataSetParameter(117));
}

TEST(EditRuleLists, levelOneAndSevenListLeavesOut103)
{
    EXPECT_TRUE(isNotChangeableAtLevels1And7(102));
    EXPECT_FALSE(isNotChangeableAtLevels1And7(103));
    EXPECT_TRUE(isNotChangeableAtLevels1And7(104));
    EXPECT_TRUE(isNotChangeableAtLevels1And7(7000));
    EXPECT_TRUE(isChangeableAtLevel5(103));
}

TEST(EditRuleLists, systemParametersDependOnTheDeviceType)
{
    struct Case {
        DeviceClass deviceClass;
        uint16_t number;
        bool system;
    };
    const Case cases[] = {
        {DeviceClass::Inverter, 435, true},          {DeviceClass::Inverter, 436, true},
        {DeviceClass::Inverter, 942, true},          {DeviceClass::Inverter, 955, true},
        {DeviceClass::Inverter, 957, true},          {DeviceClass::Inverter, 950, false},
        {DeviceClass::Inverter, 7000, false},        {DeviceClass::FeedbackRectifier, 942, true},
        {DeviceClass::FeedbackRectifier, 950, true}, {DeviceClass::FeedbackRectifier, 955, false},
        {DeviceClass::BasicRectifier, 950, true},    {DeviceClass::BasicRectifier, 951, false},
        {DeviceClass::ActiveRectifier, 942, true},   {DeviceClass::ActiveRectifier, 950, true},
        {DeviceClass::ActiveRectifier, 951, true},   {DeviceClass::ActiveRectifier, 955, true},
        {DeviceClass::ActiveRectifier, 957, true},   {DeviceClass::ActiveRectifier, 435, false},
        {DeviceClass::TestBench, 942, false},        {DeviceClass::None, 942, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isSystemParameterNumber(c.deviceClass, c.number), c.system)
            << static_cast<int>(c.deviceClass) << " " << c.number;
}

TEST(EditRuleLists, rectifierLevelListsBelongToTheirDeviceTypes)
{
    EXPECT_TRUE(isRectifierLevel5Parameter(DeviceClass::ActiveRectifier, 889));
    EXPECT_FALSE(isRectifierLevel5Parameter(DeviceClass::FeedbackRectifier, 889));
    EXPECT_TRUE(isRectifierLevel5Parameter(DeviceClass::BasicRectifier, 918));
    EXPECT_TRUE(isRectifierLevel8Parameter(DeviceClass::ActiveRectifier, 848));
    EXPECT_FALSE(isRectifierLevel5Parameter(DeviceClass::ActiveRectifier, 848));
    EXPECT_TRUE(isRectifierLevel5Parameter(DeviceClass::FeedbackRectifier, 848));
    EXPECT_TRUE(isRectifierLevel8Parameter(DeviceClass::FeedbackRectifier, 844));
    EXPECT_FALSE(isRectifierLevel8Parameter(DeviceClass::FeedbackRectifier, 842));
    EXPECT_FALSE(isRectifierLevel5Parameter(DeviceClass::Inverter, 52));
    EXPECT_FALSE(isRectifierLevel8Parameter(DeviceClass::Inverter, 70));
}

}  // namespace
}  // namespace hesk::editing

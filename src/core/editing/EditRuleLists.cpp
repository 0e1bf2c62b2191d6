#include "EditRuleLists.h"

#include <algorithm>
#include <array>

namespace hesk::editing {

namespace {

using model::DeviceClass;

// Every list is sorted so that a look-up is a binary search; the tests check the order.
template <std::size_t N>
bool listed(const std::array<uint16_t, N>& list, uint16_t number)
{
    return std::binary_search(list.begin(), list.end(), number);
}

constexpr auto kInverterSystem = std::to_array<uint16_t>({435, 436, 942, 955, 957});
constexpr auto kFeedbackAndBasicSystem = std::to_array<uint16_t>({942, 950});
constexpr auto kActiveRectifierSystem = std::to_array<uint16_t>({942, 950, 951, 955, 957});

constexpr auto kNotAtLevels1And7 = std::to_array<uint16_t>({
    70,  89,  90,  91,  100, 101, 102, 104, 105, 106, 107, 108, 109, 113, 130, 142, 143, 151, 201,
    202, 203, 204, 292, 320, 333, 340, 341, 349, 350, 351, 352, 353, 354, 359, 366, 368, 400, 452,
    453, 739, 848, 880, 890, 900, 901, 907, 908, 909, 910, 920, 942, 945, 950, 970, 977, 979, 7000});

constexpr auto kChangeableAtLevel5 = std::to_array<uint16_t>({
    100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 113, 115, 130, 142, 143, 151, 201, 202, 203, 204, 292, 320, 333,
    340, 341, 350, 351, 352, 353, 354, 368, 383, 384, 400, 452, 453, 907, 908, 909, 910, 920, 977, 979});

constexpr auto kChangeableAtLevel8 = std::to_array<uint16_t>({70, 90, 91, 349, 359, 848, 890, 900, 901});

constexpr auto kNotWhileRunning = std::to_array<uint16_t>({
    60,  70,  89,  90,  91,  100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 113, 115,
    142, 151, 201, 202, 292, 318, 320, 333, 340, 341, 349, 350, 351, 352, 353, 354, 359,
    362, 363, 364, 366, 368, 372, 400, 425, 426, 431, 432, 452, 453, 514, 515, 517, 603,
    631, 632, 638, 740, 743, 749, 751, 806, 848, 880, 890, 900, 901, 920, 952, 970, 7000});

constexpr auto kMotorDataSet = std::to_array<uint16_t>({
    100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 113, 116, 120, 121, 122, 127, 128, 151, 215, 216, 221,
    223, 233, 234, 235, 236, 240, 246, 250, 253, 254, 258, 259, 278, 279, 280, 283, 284, 287, 291, 293, 295,
    301, 303, 305, 313, 314, 315, 316, 318, 319, 322, 325, 326, 330, 331, 332, 334, 335, 336, 340, 342, 344,
    380, 381, 383, 452, 453, 471, 515, 516, 517, 518, 519, 523, 536, 602, 603, 760, 761, 762, 805, 806});

constexpr auto kActiveRectifierLevel5 = std::to_array<uint16_t>({73,  74,  80,  81,  83,  84,  110, 115, 129,
                                                             131, 199, 283, 284, 339, 342, 349, 888, 889});
constexpr auto kActiveRectifierLevel8 = std::to_array<uint16_t>({70, 75, 89, 848, 890, 900, 901});
constexpr auto kFeedbackAndBasicLevel5 = std::to_array<uint16_t>({52,  81,  83,  145, 161, 187, 188, 189,
                                                              190, 193, 194, 195, 198, 199, 206, 224,
                                                              225, 591, 600, 601, 602, 719, 848, 918});
constexpr auto kFeedbackAndBasicLevel8 = std::to_array<uint16_t>({70, 71, 89, 196, 197, 835, 838, 839, 840, 841, 843, 844});

constexpr auto kInverterSpecialEditor = std::to_array<uint16_t>({60,  70,  100, 115, 130, 201, 340, 348,
                                                             368, 372, 514, 702, 830, 956, 970});
constexpr auto kActiveRectifierSpecialEditor = std::to_array<uint16_t>({60, 70, 372, 956, 970});
constexpr auto kFeedbackAndBasicSpecialEditor = std::to_array<uint16_t>({60, 70, 970});

template <std::size_t N>
constexpr bool strictlyAscending(const std::array<uint16_t, N>& list)
{
    return std::adjacent_find(list.begin(), list.end(), [](uint16_t a, uint16_t b) { return a >= b; }) == list.end();
}
static_assert(strictlyAscending(kInverterSystem));
static_assert(strictlyAscending(kFeedbackAndBasicSystem));
static_assert(strictlyAscending(kActiveRectifierSystem));
static_assert(strictlyAscending(kNotAtLevels1And7));
static_assert(strictlyAscending(kChangeableAtLevel5));
static_assert(strictlyAscending(kChangeableAtLevel8));
static_assert(strictlyAscending(kNotWhileRunning));
static_assert(strictlyAscending(kMotorDataSet));
static_assert(strictlyAscending(kActiveRectifierLevel5));
static_assert(strictlyAscending(kActiveRectifierLevel8));
static_assert(strictlyAscending(kFeedbackAndBasicLevel5));
static_assert(strictlyAscending(kFeedbackAndBasicLevel8));
static_assert(strictlyAscending(kInverterSpecialEditor));
static_assert(strictlyAscending(kActiveRectifierSpecialEditor));
static_assert(strictlyAscending(kFeedbackAndBasicSpecialEditor));
static_assert(kNotWhileRunning.size() == 68 && kMotorDataSet.size() == 83);

bool isFeedbackOrBasic(DeviceClass deviceClass)
{
    return deviceClass == DeviceClass::FeedbackRectifier || deviceClass == DeviceClass::BasicRectifier;
}

}  // namespace

bool isSystemParameterNumber(DeviceClass deviceClass, uint16_t number)
{
    if (deviceClass == DeviceClass::Inverter)
        return listed(kInverterSystem, number);
    if (deviceClass == DeviceClass::ActiveRectifier)
        return listed(kActiveRectifierSystem, number);
    if (isFeedbackOrBasic(deviceClass))
        return listed(kFeedbackAndBasicSystem, number);
    return false;
}

bool isNotChangeableAtLevels1And7(uint16_t number) { return listed(kNotAtLevels1And7, number); }
bool isChangeableAtLevel5(uint16_t number) { return listed(kChangeableAtLevel5, number); }
bool isChangeableAtLevel8(uint16_t number) { return listed(kChangeableAtLevel8, number); }
bool isNotChangeableWhileRunning(uint16_t number) { return listed(kNotWhileRunning, number); }
bool isMotorDataSetParameter(uint16_t number) { return listed(kMotorDataSet, number); }

QString forbiddenMenuLevels(uint16_t number)
{
    QString text;
    if (isNotChangeableAtLevels1And7(number))
        text += QStringLiteral("1/7/");
    if (number != 53 && number != 60) {
        if (number != 366 && number != 970)
            text += QStringLiteral("2/");
        if (!isChangeableAtLevel5(number))
            text += QStringLiteral("5/");
        if (!isChangeableAtLevel8(number))
            text += QStringLiteral("8/");
    }
    if (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    return text;
}

bool isRectifierLevel5Parameter(DeviceClass deviceClass, uint16_t number)
{
    if (deviceClass == DeviceClass::ActiveRectifier)
        return listed(kActiveRectifierLevel5, number);
    if (isFeedbackOrBasic(deviceClass))
        return listed(kFeedbackAndBasicLevel5, number);
    return false;
}

bool isRectifierLevel8Parameter(DeviceClass deviceClass, uint16_t number)
{
    if (deviceClass == DeviceClass::ActiveRectifier)
        return listed(kActiveRectifierLevel8, number);
    if (isFeedbackOrBasic(deviceClass))
        return listed(kFeedbackAndBasicLevel8, number);
    return false;
}

bool opensSpecialValueEditor(DeviceClass deviceClass, uint16_t number)
{
    if (deviceClass == DeviceClass::Inverter)
        return listed(kInverterSpecialEditor, number);
    if (deviceClass == DeviceClass::ActiveRectifier)
        return listed(kActiveRectifierSpecialEditor, number);
    if (isFeedbackOrBasic(deviceClass))
        return listed(kFeedbackAndBasicSpecialEditor, number);
    return false;
}

std::span<const uint16_t> notChangeableWhileRunningNumbers() { return kNotWhileRunning; }
std::span<const uint16_t> motorDataSetNumbers() { return kMotorDataSet; }

}  // namespace hesk::editing

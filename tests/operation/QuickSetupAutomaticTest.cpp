// The wizard's automatic settings: when they are refused and with which message, and
// what they write for the active data sets.

#include "operation/QuickSetupAutomatic.h"

#include <gtest/gtest.h>

namespace hesk::operation {
namespace {

const QString kStep4 = QStringLiteral(
    "当前状态下，不能进行自动设置参数操作！\n\n状态提示：\n    1.请检查设备是否处于运行状态。\n"
    "    2.请检查参数修改权限是否设置。\n    3.修改菜单选择P60的值不为2/8。");
const QString kStep3 = QStringLiteral(
    "当前状态下，不能进行自动设置参数操作！\n\n提示：\n    1.请检查设备是否处于运行状态。\n"
    "    2.请检查参数修改权限是否设置。\n    3.修改菜单选择P60的值为1/5/7。");

TEST(QuickSetupAutomatic, refusalMessagesCarryTheHintsOfTheirStep)
{
    const model::UserMessage motor = automaticSettingRefusalMessage(AutomaticSetting::MotorData);
    EXPECT_EQ(motor.text, kStep4);
    EXPECT_EQ(motor.kind, model::MessageKind::Warning);
    EXPECT_EQ(automaticSettingRefusalMessage(AutomaticSetting::DataSets).text, kStep3);
}

TEST(QuickSetupAutomatic, refusedWhileRunningWithoutRightOrAtMenuLevelTwoOrEight)
{
    const std::optional<uint16_t> unknown;
    const struct {
        std::optional<uint16_t> state, access, level;
        bool refused;
    } cases[] = {
        {9, 2, 1, false},     {9, 2, 5, false},  {9, 2, 7, false},  {9, 0xFFFF, 1, false},
        {10, 2, 1, true},     {14, 2, 5, true},  {9, 2, 2, true},   {9, 2, 8, true},
        {9, 0, 1, true},      {9, 0xFFFD, 1, true},
        {unknown, 2, 1, false}, {9, unknown, 1, true}, {9, 2, unknown, false},
        // r0001 is a signed word: a negative state is not running.
        {0xFFFF, 2, 1, false},
    };
    for (const AutomaticSetting setting : {AutomaticSetting::DataSets, AutomaticSetting::MotorData})
        for (const auto& c : cases) {
            const std::optional<model::UserMessage> refusal =
                automaticSettingRefusal(setting, {c.state, c.access, c.level});
            EXPECT_EQ(refusal.has_value(), c.refused)
                << "state " << c.state.value_or(999) << " access " << c.access.value_or(999) << " level "
                << c.level.value_or(999);
            if (refusal) {
                EXPECT_EQ(refusal->text, automaticSettingRefusalMessage(setting).text);
            }
        }
}

TEST(QuickSetupAutomatic, writesSelectDataSetOneOrAskForTheMotorCalculation)
{
    EXPECT_EQ(automaticSettingWrites(AutomaticSetting::MotorData, {3, 2, 4}),
              (std::vector<AutomaticWrite>{{QStringLiteral("P0115"), QStringLiteral("1")}}));
    // The bits of the active BICO data set, the BICO source last.
    EXPECT_EQ(automaticSettingWrites(AutomaticSetting::DataSets, {3, 2, 4}),
              (std::vector<AutomaticWrite>{{QStringLiteral("P0579.2"), QStringLiteral("B0000")},
                                           {QStringLiteral("P0578.2"), QStringLiteral("B0000")},
                                           {QStringLiteral("P0577.2"), QStringLiteral("B0000")},
                                           {QStringLiteral("P0576.2"), QStringLiteral("B0000")},
                                           {QStringLiteral("P0590"), QStringLiteral("B0000")}}));
    EXPECT_EQ(automaticSettingWrites(AutomaticSetting::DataSets, {1, 1, 1}).front().key, QStringLiteral("P0579.1"));
}

}  // namespace
}  // namespace hesk::operation

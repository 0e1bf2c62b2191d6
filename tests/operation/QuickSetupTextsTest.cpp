// The texts the wizard shows for coded values, for every coded parameter and the values
// at and beyond the ends of its list.

#include "operation/QuickSetupTexts.h"

#include <gtest/gtest.h>

namespace hesk::operation {
namespace {

model::HeskParameterElement parameter(uint16_t number, bool settable)
{
    model::HeskParameterElement e;
    e.number = number;
    e.settable = settable ? 1 : 0;
    return e;
}

TEST(QuickSetupTexts, codedParametersShowTheirTexts)
{
    const struct {
        uint16_t number;
        bool settable;
        uint16_t raw;
        std::optional<QString> text;
    } cases[] = {
        {1, false, 9, QStringLiteral("启动待机")},
        {1, false, 14, QStringLiteral("运行")},
        {1, false, 45, QStringLiteral("漏感识别")},
        {1, false, 48, QStringLiteral("静态辨识")},
        {970, true, 1, QStringLiteral("正在复位...")},
        {970, true, 0, QStringLiteral("复位完成")},
        {100, true, 0, QStringLiteral("v/f控制")},
        {100, true, 1, QStringLiteral("纺织应用的v/f控制")},
        {100, true, 2, QStringLiteral("频率控制（不带码盘）")},
        {100, true, 3, QStringLiteral("速度控制（带码盘）")},
        {100, true, 4, QStringLiteral("转矩控制")},
        {100, true, 5, QStringLiteral("未知")},
        {100, true, 0xFFFF, QStringLiteral("未知")},
        {368, true, 0, QStringLiteral("小键盘")},
        {368, true, 1, QStringLiteral("模拟量输入和端子排")},
        {368, true, 2, QStringLiteral("固定设定值和端子排")},
        {368, true, 3, QStringLiteral("电动电位计和端子排")},
        {368, true, 4, QStringLiteral("USS通讯")},
        {368, true, 5, QStringLiteral("未知")},
        {368, true, 6, QStringLiteral("Profibus DP通讯")},
        {368, true, 7, QStringLiteral("未知")},
        {130, true, 11, QStringLiteral("带编码器")},
        {130, true, 10, std::nullopt},
        {115, true, 0, QStringLiteral(" -- ")},
        {115, true, 1, QStringLiteral("1 [自动参数设置]")},
        {115, true, 2, QStringLiteral("2 [静止测量]")},
        {115, true, 3, QStringLiteral("3 [完全电机辨识]")},
        {115, true, 4, QStringLiteral("4 [旋转测量]")},
        {115, true, 5, QStringLiteral("5 [转动惯量测量]")},
        {115, true, 6, std::nullopt},
        // Same numbers on the other side (P0001, r0100) and an uncoded parameter.
        {1, true, 9, std::nullopt},
        {100, false, 1, std::nullopt},
        {105, true, 1, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(codedValueText(parameter(c.number, c.settable), c.raw), c.text)
            << (c.settable ? 'P' : 'r') << c.number << " = " << c.raw;
}

TEST(QuickSetupTexts, productTypeByDeviceClass)
{
    const QString cpu = QStringLiteral("HESK6500");
    EXPECT_EQ(productTypeText(model::DeviceClass::FeedbackRectifier, cpu), QStringLiteral("整流回馈电源"));
    EXPECT_EQ(productTypeText(model::DeviceClass::ActiveRectifier, cpu), QStringLiteral("有源整流电源"));
    EXPECT_EQ(productTypeText(model::DeviceClass::BasicRectifier, cpu), QStringLiteral("基本型整流电源"));
    EXPECT_EQ(productTypeText(model::DeviceClass::Inverter, cpu), cpu);
    EXPECT_EQ(productTypeText(model::DeviceClass::None, cpu), QStringLiteral("未知"));
}

}  // namespace
}  // namespace hesk::operation

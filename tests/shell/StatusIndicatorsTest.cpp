// Status pane 0 (what the work area shows) and the device state indicator of pane 4.

#include "QtPrinters.h"

#include "shell/DeviceStateIndicator.h"
#include "shell/StatusTexts.h"

#include <gtest/gtest.h>

using namespace hesk::shell;

namespace {

TEST(PageStatusTextTest, followsProjectAndPageWindow)
{
    EXPECT_EQ(initialPageStatusText(), QStringLiteral("窗口未打开，请双击左侧树菜单"));
    const QString noProject = QStringLiteral("未打开工程：请在菜单栏打开工程");
    const QString noWindow = QStringLiteral("未打开窗口：请双击左侧树菜单");
    EXPECT_EQ(pageStatusText(false, std::nullopt), noProject);
    EXPECT_EQ(pageStatusText(false, QStringLiteral("P参数")), noProject);  // a leftover window text counts for nothing
    EXPECT_EQ(pageStatusText(true, std::nullopt), noWindow);
    EXPECT_EQ(pageStatusText(true, QString()), noWindow);  // a window that is no page
    EXPECT_EQ(pageStatusText(true, QStringLiteral("P参数")), QStringLiteral("P参数"));
    const QString custom = QStringLiteral("自定义参数：右键列表区域，可插入、删除、更改参数");
    EXPECT_EQ(pageStatusText(true, custom), custom);
}

struct StateCase {
    int state;
    const char* text;
    std::optional<Rgb> colour;
    bool blinks;
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << "state " << c.state; }


class DeviceStateTest : public ::testing::TestWithParam<StateCase> {};

TEST_P(DeviceStateTest, showsTextColourAndBlink)
{
    const StateCase& c = GetParam();
    DeviceStateIndicator indicator;
    if (c.state != 0) {
        ASSERT_TRUE(indicator.setState(c.state));
    }
    EXPECT_EQ(indicator.text(), QString::fromUtf8(c.text));
    EXPECT_EQ(indicator.stateColour(), c.colour);
    EXPECT_EQ(indicator.background(), c.colour);
    EXPECT_EQ(indicator.blinking(), c.blinks);
    indicator.blinkTick();
    // Blinking alternates with the button face (no colour); steady states keep theirs.
    EXPECT_EQ(indicator.background(), c.blinks ? std::nullopt : c.colour);
    indicator.blinkTick();
    EXPECT_EQ(indicator.background(), c.colour);
}

INSTANTIATE_TEST_SUITE_P(States, DeviceStateTest,
                         ::testing::Values(StateCase{0, "", std::nullopt, false},
                                           StateCase{1, "      正常", Rgb{0, 128, 0}, false},
                                           StateCase{2, "      故障", Rgb{255, 0, 0}, true},
                                           StateCase{3, "      报警", Rgb{255, 255, 0}, true}),
                         [](const auto& info) { return "state" + std::to_string(info.param.state); });

TEST(DeviceStateIndicatorTest, sameStateAgainChangesNothingAndTheBlinkGoesOn)
{
    DeviceStateIndicator indicator;
    ASSERT_TRUE(indicator.setState(2));
    indicator.blinkTick();
    ASSERT_EQ(indicator.background(), std::nullopt);

    EXPECT_FALSE(indicator.setState(2));

    EXPECT_EQ(indicator.background(), std::nullopt);  // still in its off phase
    indicator.blinkTick();
    EXPECT_EQ(indicator.background(), (Rgb{255, 0, 0}));
}

TEST(DeviceStateIndicatorTest, aNewStateShowsItsColourAtOnce)
{
    DeviceStateIndicator indicator;
    indicator.setState(2);
    indicator.blinkTick();  // off phase
    EXPECT_TRUE(indicator.setState(3));
    EXPECT_EQ(indicator.background(), (Rgb{255, 255, 0}));
    EXPECT_TRUE(indicator.setState(1));
    EXPECT_FALSE(indicator.blinking());
    EXPECT_TRUE(indicator.setState(0));
    EXPECT_EQ(indicator.text(), QString());
    EXPECT_EQ(indicator.background(), std::nullopt);
}

TEST(DeviceStateIndicatorTest, valuesOutsideTheStatesAreIgnored)
{
    DeviceStateIndicator indicator;
    indicator.setState(3);
    EXPECT_FALSE(indicator.setState(4));
    EXPECT_FALSE(indicator.setState(-1));
    EXPECT_EQ(indicator.state(), DeviceState::Alarm);
    EXPECT_EQ(DeviceStateIndicator::initialText(), QStringLiteral("正常"));
}

}  // namespace

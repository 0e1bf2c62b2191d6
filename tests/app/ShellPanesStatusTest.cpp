// The status bar panes: initial texts, the connection panes and their widths, and the
// device state indicator with its blink.

#include "QtPrinters.h"

#include "frame/StatusPanes.h"

#include <QApplication>
#include <QStatusBar>

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::app;

namespace {

class StatusPanesTest : public ::testing::Test {
protected:
    QColor indicatorColour() const { return panes->pane(4)->palette().color(QPalette::Window); }
    QColor buttonFace() const { return QApplication::palette(panes->pane(4)).color(QPalette::Button); }

    QStatusBar bar;
    StatusPanes* panes = new StatusPanes(&bar);
};

TEST_F(StatusPanesTest, initialTexts)
{
    const QStringList expected{QStringLiteral("窗口未打开，请双击左侧树菜单"), QStringLiteral("在线"),
                               QStringLiteral("程序状态:未知"), QStringLiteral("CPU使用率: 未知"), QStringLiteral("正常")};
    for (int i = 0; i < StatusPanes::kPaneCount; ++i)
        EXPECT_EQ(panes->pane(i)->text(), expected[i]) << i;
}

TEST_F(StatusPanesTest, connectionPanesTakeTheirTextsAndScaledWidths)
{
    online::PaneState state;
    state.online = true;
    state.monitoring = true;
    state.mode = online::InterfaceMode::Serial;
    state.portName = QStringLiteral("COM3");
    state.baudRate = QStringLiteral("38400");
    state.cpuLoad = QStringLiteral("CPU负荷:37.50%");

    panes->setConnection(state, 2560);

    EXPECT_EQ(panes->pane(1)->text(), QStringLiteral("在线(COM3 | 38400bps)"));
    EXPECT_EQ(panes->pane(2)->text(), QStringLiteral("程序状态:运行中"));
    EXPECT_EQ(panes->pane(3)->text(), QStringLiteral("CPU负荷:37.50%"));
    EXPECT_EQ(panes->pane(1)->minimumWidth(), 400);
    EXPECT_EQ(panes->pane(2)->minimumWidth(), 240);
    EXPECT_EQ(panes->pane(3)->minimumWidth(), 220);
}

TEST_F(StatusPanesTest, narrowScreenNeverCutsTheText)
{
    online::PaneState state;  // offline, nothing set
    panes->setConnection(state, 320);
    QLabel* connection = panes->pane(1);
    EXPECT_EQ(connection->text(), QStringLiteral("离线：端口没有设置！"));
    EXPECT_GE(connection->minimumWidth(), connection->fontMetrics().horizontalAdvance(connection->text()));
}

TEST_F(StatusPanesTest, faultBlinksBetweenRedAndButtonFace)
{
    panes->setDeviceState(2);
    EXPECT_EQ(panes->pane(4)->text(), QStringLiteral("      故障"));
    EXPECT_EQ(indicatorColour(), QColor(255, 0, 0));
    EXPECT_TRUE(panes->blinkRunning());

    panes->blinkTick();
    EXPECT_EQ(indicatorColour(), buttonFace());

    panes->setDeviceState(2);  // no change: the blink keeps its phase
    EXPECT_EQ(indicatorColour(), buttonFace());
    EXPECT_TRUE(panes->blinkRunning());
    panes->blinkTick();
    EXPECT_EQ(indicatorColour(), QColor(255, 0, 0));
}

TEST_F(StatusPanesTest, normalAndNoneAreSteady)
{
    panes->setDeviceState(3);
    EXPECT_EQ(indicatorColour(), QColor(255, 255, 0));
    panes->setDeviceState(1);
    EXPECT_EQ(panes->pane(4)->text(), QStringLiteral("      正常"));
    EXPECT_EQ(indicatorColour(), QColor(0, 128, 0));
    EXPECT_FALSE(panes->blinkRunning());
    panes->setDeviceState(0);
    EXPECT_EQ(panes->pane(4)->text(), QString());
    EXPECT_EQ(indicatorColour(), buttonFace());
    EXPECT_FALSE(panes->blinkRunning());
}

}  // namespace

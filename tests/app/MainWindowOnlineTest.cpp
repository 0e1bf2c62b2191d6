// The main window online against the real simulated drive on a pseudo-terminal:
// connect from the menu, the connection panes, the commands of the online state, exit
// refused, and back offline.

#include "MainWindowFixture.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include <QRegularExpression>

using namespace hesk;
using namespace hesk::app;
using namespace hesk::app::test;
using shell::Command;

namespace {

class MainWindowOnlineTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), sim::test::writeSimProject(dir.path()), QStringLiteral("--pty")}))
            << sim.error().toStdString();
        online::InterfaceSettings settings({iniPath(), {}});
        ASSERT_TRUE(settings.setMode(online::InterfaceMode::Serial).ok());
        ASSERT_TRUE(settings.setSerialPort(sim.readyLine(), QStringLiteral("38400")).ok());
        window->show();
        ASSERT_TRUE(window->openProjectFile(QDir(dir.path()).filePath(QStringLiteral("sim.tmprj"))));
    }
    void TearDown() override
    {
        if (window && window->session().isOnline())
            window->runCommand(Command::Disconnect);
        MainWindowTest::TearDown();
        sim.stop();
    }

    sim::test::SimProcess sim;
};

TEST_F(MainWindowOnlineTest, connectShowsTheLinkInThePanesAndLocksCloseAndExit)
{
    window->refreshStatus();
    EXPECT_EQ(pane(1), QStringLiteral("离线，串口已设置：(%1 | 38400bps)").arg(sim.readyLine()));

    window->runCommand(Command::Connect);

    ASSERT_TRUE(window->session().isOnline()) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(prompt.messages().empty());
    EXPECT_EQ(pane(1), QStringLiteral("在线(%1 | 38400bps)").arg(sim.readyLine()));
    EXPECT_EQ(pane(2), QStringLiteral("程序状态:运行中"));
    // The supervision shows the drive's CPU load once the first second has passed.
    const QRegularExpression load(QStringLiteral("^CPU负荷:\\d+\\.\\d\\d%$"));
    EXPECT_TRUE(sim::test::pumpUntil([&] { return load.match(pane(3)).hasMatch(); }, std::chrono::seconds(5)))
        << pane(3).toStdString();

    EXPECT_TRUE(enabled(Command::Disconnect));
    EXPECT_TRUE(enabled(Command::FindParameter));
    EXPECT_TRUE(enabled(Command::Download));
    EXPECT_FALSE(enabled(Command::Connect));
    EXPECT_FALSE(enabled(Command::CloseProject));
    EXPECT_FALSE(enabled(Command::Exit));
    EXPECT_FALSE(enabled(Command::PortSettings));
    EXPECT_FALSE(window->close());
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("程序在线，请先断开连接，再关闭程序！"));

    window->runCommand(Command::Disconnect);

    EXPECT_FALSE(window->session().isOnline());
    EXPECT_EQ(pane(1), QStringLiteral("离线，串口已设置：(%1 | 38400bps)").arg(sim.readyLine()));
    EXPECT_EQ(pane(2), QStringLiteral("程序状态:未知"));
    EXPECT_EQ(pane(3), QStringLiteral("CPU负荷:未知"));
    EXPECT_TRUE(enabled(Command::CloseProject));
    window->logPane()->drain();
    EXPECT_TRUE(window->logPane()->toPlainText().contains(QStringLiteral("连接成功")));
}

}  // namespace

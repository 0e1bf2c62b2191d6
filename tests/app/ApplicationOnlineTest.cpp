// The whole application (main window, parameter pages, dialog commands) against the
// real simulated drive on a pseudo-terminal: connect from the menu, open a page from the
// project tree, and watch its values follow the drive while the motor ramps up; the
// status panes online and back offline.

#include "MainWindowFixture.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "ApplicationWindows.h"
#include "pages/PageColumns.h"
#include "pages/ParameterPageModel.h"
#include "pages/ParameterPageWindow.h"

namespace hesk::app::test {
namespace {

using shell::Command;
using namespace std::chrono_literals;

class ApplicationOnlineTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window.reset();  // the application brings its own window
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), sim::test::writeSimProject(dir.path()), QStringLiteral("--pty")}))
            << sim.error().toStdString();
        online::InterfaceSettings settings({iniPath(), {}});
        ASSERT_TRUE(settings.setMode(online::InterfaceMode::Serial).ok());
        ASSERT_TRUE(settings.setSerialPort(sim.readyLine(), QStringLiteral("38400")).ok());
        MainWindowSetup s = setup();
        s.statusPeriod = std::chrono::milliseconds(200);
        application = std::make_unique<ApplicationWindows>(s);
        application->window().show();
        ASSERT_TRUE(application->window().openProjectFile(QDir(dir.path()).filePath(QStringLiteral("sim.tmprj"))));
    }
    void TearDown() override
    {
        if (application && application->window().session().isOnline())
            application->window().runCommand(Command::Disconnect);
        application.reset();
        sim.stop();
        MainWindowTest::TearDown();
    }

    // The value column's text of the row showing `number` on the page.
    static QString valueOf(ParameterPageWindow& page, const QString& number)
    {
        ParameterPageModel& model = *page.model();
        for (int row = 0; row < model.rowCount(); ++row)
            if (model.index(row, pages::ColumnNumber).data().toString() == number)
                return model.index(row, pages::ColumnValue).data().toString();
        return QStringLiteral("<no row %1>").arg(number);
    }

    sim::test::SimProcess sim;
    std::unique_ptr<ApplicationWindows> application;
};

TEST_F(ApplicationOnlineTest, aPageFollowsTheDriveOnline)
{
    MainWindow& w = application->window();
    w.runCommand(Command::Connect);
    ASSERT_TRUE(w.session().isOnline()) << messageTexts().join(QLatin1Char('|')).toStdString();

    auto* page = qobject_cast<ParameterPageWindow*>(w.openPage(QStringLiteral("r参数")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(w.statusPanes()->pane(0)->text(), QStringLiteral("r参数"));
    // The page on show is polled: r0820 arrives from the drive.
    ASSERT_TRUE(sim::test::pumpUntil([&] { return valueOf(*page, QStringLiteral("r0820")) == QStringLiteral("125"); }, 5s))
        << valueOf(*page, QStringLiteral("r0820")).toStdString();
    EXPECT_EQ(valueOf(*page, QStringLiteral("r0001")), QStringLiteral("9"));

    // The motor runs toward 25 Hz: the output frequency on the page moves.
    for (const char* command : {"set P7030 8192", "set P0880 1", "set P7000.5 1"})
        ASSERT_TRUE(sim.command(QLatin1String(command)).startsWith(QLatin1String("ok"))) << command;
    ASSERT_TRUE(sim::test::pumpUntil([&] { return valueOf(*page, QStringLiteral("r0001")) == QStringLiteral("14"); }, 5s));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return valueOf(*page, QStringLiteral("r0002")) == QStringLiteral("25.00"); }, 8s))
        << valueOf(*page, QStringLiteral("r0002")).toStdString();

    EXPECT_TRUE(w.statusPanes()->pane(1)->text().startsWith(QStringLiteral("在线(")));
    EXPECT_EQ(w.statusPanes()->pane(2)->text(), QStringLiteral("程序状态:运行中"));
    sim.command(QStringLiteral("set P7000.5 0"));
    w.runCommand(Command::Disconnect);
    EXPECT_FALSE(w.session().isOnline());
    w.refreshStatus();
    EXPECT_EQ(w.statusPanes()->pane(2)->text(), QStringLiteral("程序状态:未知"));
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(QLatin1Char('|')).toStdString();
}

}  // namespace
}  // namespace hesk::app::test

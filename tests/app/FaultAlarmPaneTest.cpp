// The fault and alarm pane against the real simulated drive running the installed
// inverter sample: a trip and an alarm listed in catalogue order with their icons and
// texts after the session's 3-second refresh, status pane 4 blinking "故障", "刷新", and
// "故障复位" emptying the list until the words change, then "正常".
//
// With HESK_FAULT_LIST_SCREENSHOT set to a path, the window with the list showing the
// fault and the alarm is saved there (docs/fault-list.png is taken this way under Xvfb).

#include "MainWindowFixture.h"
#include "SimProcess.h"

#include "ApplicationWindows.h"
#include "frame/StatusPanes.h"

#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace hesk::app::test {
namespace {

using shell::Command;
using namespace std::chrono_literals;

const QString kSample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

class FaultAlarmPaneTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window.reset();  // the application brings its own window
        projectPath = dir.filePath(QStringLiteral("VRA1V11418.tmprj"));
        ASSERT_TRUE(QFile::copy(kSample, projectPath));
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), projectPath, QStringLiteral("--pty")}))
            << sim.error().toStdString();
        online::InterfaceSettings settings({iniPath(), {}});
        ASSERT_TRUE(settings.setMode(online::InterfaceMode::Serial).ok());
        ASSERT_TRUE(settings.setSerialPort(sim.readyLine(), QStringLiteral("38400")).ok());
        application = std::make_unique<ApplicationWindows>(setup());
        main().show();
        ASSERT_TRUE(main().openProjectFile(projectPath));
        main().runCommand(Command::Connect);
        ASSERT_TRUE(main().session().isOnline()) << messageTexts().join(QLatin1Char('|')).toStdString();
        main().dock(MainWindow::Pane::FaultList)->show();
        main().dock(MainWindow::Pane::FaultList)->raise();
    }
    void TearDown() override
    {
        if (application && main().session().isOnline())
            main().runCommand(Command::Disconnect);
        application.reset();
        sim.stop();
        MainWindowTest::TearDown();
    }

    MainWindow& main() { return application->window(); }
    QTreeWidget* list() { return application->faultPane().listWidget(); }
    QString pane4() { return main().statusPanes()->pane(4)->text(); }
    QStringList column(int c)
    {
        QStringList texts;
        for (int row = 0; row < list()->topLevelItemCount(); ++row)
            texts << list()->topLevelItem(row)->text(c);
        return texts;
    }
    void simSays(const char* command)
    {
        ASSERT_TRUE(sim.command(QString::fromLatin1(command)).startsWith(QLatin1String("ok"))) << command;
    }

    QString projectPath;
    sim::test::SimProcess sim;
    std::unique_ptr<ApplicationWindows> application;
};

TEST_F(FaultAlarmPaneTest, listsATripAndAnAlarmAndTheResetClearsThem)
{
    QStringList headers;
    for (int c = 0; c < list()->columnCount(); ++c)
        headers << list()->headerItem()->text(c);
    EXPECT_EQ(headers, (QStringList{QString(), "设备类型", "设备版本", "故障/报警码", "故障/报警码含义", "故障/报警原因",
                                    "解决措施"}));
    // The first collection after the connect: nothing active.
    ASSERT_TRUE(sim::test::pumpUntil([&] { return pane4() == QStringLiteral("      正常"); }, 10s)) << pane4().toStdString();
    EXPECT_FALSE(main().statusPanes()->blinkRunning());
    EXPECT_EQ(list()->topLevelItemCount(), 0);

    simSays("fault set 9.3");
    simSays("fault set 0.7");
    // The session's 3-second refresh collects the words (no test call in between).
    ASSERT_TRUE(sim::test::pumpUntil([&] { return list()->topLevelItemCount() == 2; }, 10s));
    EXPECT_EQ(column(0), (QStringList{"1", "2"}));
    EXPECT_EQ(column(1), (QStringList{"VRA1", "VRA1"}));
    EXPECT_EQ(column(2), (QStringList{"V1.14.18", "V1.14.18"}));
    EXPECT_EQ(column(3), (QStringList{"F008", "A042"}));
    EXPECT_EQ(column(4), (QStringList{"欠压故障", "电机过载告警"}));
    EXPECT_EQ(list()->topLevelItem(0)->text(5), QStringLiteral("直流母线电压降到其值得76%以下，当动能缓冲使能时，降至61%。"));
    EXPECT_EQ(list()->topLevelItem(0)->text(6), QStringLiteral("检查：输入直流电压"));
    EXPECT_FALSE(list()->topLevelItem(0)->icon(0).isNull());
    EXPECT_FALSE(list()->topLevelItem(1)->icon(0).isNull());
    EXPECT_NE(list()->topLevelItem(0)->icon(0).cacheKey(), list()->topLevelItem(1)->icon(0).cacheKey());
    EXPECT_EQ(pane4(), QStringLiteral("      故障"));
    EXPECT_TRUE(main().statusPanes()->blinkRunning());

    if (const QByteArray shot = qgetenv("HESK_FAULT_LIST_SCREENSHOT"); !shot.isEmpty()) {
        main().resize(1280, 800);
        sim::test::pumpUntil([] { return false; }, 300ms);
        main().grab().save(QString::fromLocal8Bit(shot));
    }

    // "刷新" rebuilds from the latest values.
    list()->clear();
    application->faultPane().refreshButton()->click();
    EXPECT_EQ(list()->topLevelItemCount(), 2);

    // "故障复位": the panel's reset pulse; the list empties at once.
    application->faultPane().resetButton()->click();
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !application->controlPanel().busy(); }, 10s));
    EXPECT_EQ(messageTexts().last(), QStringLiteral("故障复位成功！"));
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_EQ(sim.command(QStringLiteral("get r0943.0")), QStringLiteral("ok r0943.0=0"));
    // The words changed: normal, steady.
    ASSERT_TRUE(sim::test::pumpUntil([&] { return pane4() == QStringLiteral("      正常"); }, 10s)) << pane4().toStdString();
    EXPECT_FALSE(main().statusPanes()->blinkRunning());
    EXPECT_EQ(list()->topLevelItemCount(), 0);

    // Only an alarm: 报警.
    simSays("fault set 10.1");
    ASSERT_TRUE(sim::test::pumpUntil([&] { return pane4() == QStringLiteral("      报警"); }, 10s)) << pane4().toStdString();
    EXPECT_TRUE(main().statusPanes()->blinkRunning());
    EXPECT_EQ(list()->topLevelItemCount(), 1);

    // Offline: nothing is shown.
    main().runCommand(Command::Disconnect);
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_TRUE(pane4().trimmed().isEmpty());
}

}  // namespace
}  // namespace hesk::app::test

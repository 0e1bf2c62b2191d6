// The control panel pane against the real simulated drive running the installed inverter
// sample: take control, the setpoint in each unit reaching the drive, start with its
// check, the actual values following the motor, a trip stopped by the refresh and reset,
// release; the factory restore from the menu with its progress dialog.
//
// With HESK_CONTROL_PANEL_SCREENSHOT set to a path, the window with the panel and the
// motor running is saved there (docs/control-panel.png is taken this way under Xvfb).

#include "MainWindowFixture.h"
#include "SimProcess.h"

#include "ApplicationWindows.h"
#include "editors/ValueEditorDialog.h"
#include "operation/ControlPanelPane.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cmath>

namespace hesk::app::test {
namespace {

using shell::Command;
using namespace std::chrono_literals;

const QString kSample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

class ControlPanelPaneTest : public MainWindowTest {
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
        main().dock(MainWindow::Pane::ControlPanel)->show();
        // The panel's values arrive with the system poll; a first cycle brings them.
        ASSERT_TRUE(refreshUntil([&] { return !panel().view().stateText.isEmpty() && panel().view().motorDataSet; }, 10s));
    }
    void TearDown() override
    {
        if (application && main().session().isOnline()) {
            if (panel().controlHeld()) {
                panel().release(true);
                sim::test::pumpUntil([&] { return !panel().busy(); }, 10s);
            }
            main().runCommand(Command::Disconnect);
        }
        application.reset();
        sim.stop();
        MainWindowTest::TearDown();
    }

    MainWindow& main() { return application->window(); }
    operation::ControlPanel& panel() { return application->controlPanel(); }
    ControlPanelPane& pane() { return application->controlPanelPane(); }
    QString simGet(const QString& key)
    {
        const QString reply = sim.command(QStringLiteral("get ") + key);
        return reply.mid(reply.indexOf(QLatin1Char('=')) + 1);
    }
    // Pumps events and refreshes the panel (as its 3-second timer does) until `done`.
    bool refreshUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
    {
        return sim::test::pumpUntil(
            [&] {
                panel().refresh();
                return done();
            },
            timeout);
    }
    bool waitIdle() { return sim::test::pumpUntil([&] { return !panel().busy(); }, 15s); }
    // The setpoint editor opens on a click; the test types and presses OK.
    void enterSetpoint(const QString& text)
    {
        pane().setDialogOpened([this, text](QDialog* dialog) {
            QTimer::singleShot(0, dialog, [this, dialog, text] {
                auto* editor = static_cast<ValueEditorDialog*>(dialog);
                editor->valueEdit()->setText(text);
                editor->accept();
                if (editor->isVisible()) {  // refused: the message says why
                    ADD_FAILURE() << "the setpoint editor refused " << text.toStdString() << ": "
                                  << editor->rangeLabel()->text().toStdString() << " "
                                  << messageTexts().join(QLatin1Char('|')).toStdString();
                    editor->reject();
                }
            });
        });
        pane().editSetpoint();
        pane().setDialogOpened({});
    }

    QString projectPath;
    sim::test::SimProcess sim;
    std::unique_ptr<ApplicationWindows> application;
};

TEST_F(ControlPanelPaneTest, takeSetpointInEachUnitStartTripResetAndRelease)
{
    EXPECT_EQ(pane().takeButton()->text(), QStringLiteral("获取电机控制权"));
    EXPECT_FALSE(pane().setpointEdit()->isEnabled());
    EXPECT_EQ(pane().stateLabel()->text(), QStringLiteral("启动待机"));
    EXPECT_EQ(pane().deviceStatusLabel()->text(), QStringLiteral("正常"));
    EXPECT_EQ(pane().motorDataSetCombo()->currentText(), QStringLiteral("MDS1"));

    // Take: the question, then P7030 = 0 and P0880 = 1 on the drive.
    prompt.answer(model::PromptAnswer::Ok);
    pane().takeButton()->click();
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(panel().controlHeld()) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(simGet(QStringLiteral("P0880")), QStringLiteral("1"));
    EXPECT_EQ(pane().takeButton()->text(), QStringLiteral("释放电机控制权"));
    EXPECT_TRUE(pane().startButton()->property("active").toBool());
    EXPECT_FALSE(pane().stopButton()->property("active").toBool());
    EXPECT_TRUE(pane().autoReleaseBox()->isChecked());
    EXPECT_EQ(pane().setpointEdit()->text(), QStringLiteral("0"));

    // The setpoint in each unit: the drive's P7030 holds the percentage of the reference
    // speed (3000 r/min at P0353 = 100 %), 16384 per 100 %.
    struct Case {
        operation::SetpointUnit unit;
        const char* typed;
        double percent;
    };
    const Case cases[] = {
        {operation::SetpointUnit::Rpm, "900", 30.0},
        {operation::SetpointUnit::HzPercent, "20", 20.0},
        {operation::SetpointUnit::RpmPercent, "25", 25.0},
        {operation::SetpointUnit::Hz, "40", 40.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        pane().unitCombo()->setCurrentIndex(static_cast<int>(c.unit));
        enterSetpoint(QString::fromLatin1(c.typed));
        EXPECT_NEAR(static_cast<int16_t>(simGet(QStringLiteral("P7030")).toInt()), c.percent * 163.84, 1.0);
        EXPECT_FALSE(pane().setpointEdit()->text().isEmpty());
    }
    // The unit change converts the text: 40 % of 3000 r/min is 1200 r/min.
    pane().unitCombo()->setCurrentIndex(static_cast<int>(operation::SetpointUnit::Rpm));
    EXPECT_NEAR(pane().setpointEdit()->text().toDouble(), 1200.0, 0.5) << pane().setpointEdit()->text().toStdString();
    EXPECT_EQ(pane().actualCaption()->text(), QStringLiteral("实际转速(r/min)")) << messageTexts().join(QLatin1Char('|')).toStdString();

    // Start: the start check passes once the drive runs; the speed follows the setpoint.
    pane().startButton()->click();
    ASSERT_TRUE(waitIdle());
    EXPECT_TRUE(panel().runCommanded()) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(simGet(QStringLiteral("P7000.5")), QStringLiteral("1"));
    EXPECT_TRUE(pane().stopButton()->property("active").toBool());
    ASSERT_TRUE(refreshUntil([&] { return std::abs(pane().actualValue()->text().toDouble() - 1200.0) < 30.0; }, 15s))
        << pane().actualValue()->text().toStdString() << "; " << sim.command(QStringLiteral("status")).toStdString();
    EXPECT_EQ(pane().stateLabel()->text(), QStringLiteral("运行"));
    EXPECT_GT(pane().currentValue()->text().toDouble(), 0.0);
    EXPECT_TRUE(pane().lampLit(0));  // ON/OFF1
    EXPECT_TRUE(pane().lampLit(3));  // pulses enabled

    if (const QByteArray shot = qgetenv("HESK_CONTROL_PANEL_SCREENSHOT"); !shot.isEmpty()) {
        main().resize(1280, 800);
        main().resizeDocks({main().dock(MainWindow::Pane::Project)}, {260}, Qt::Horizontal);
        main().dock(MainWindow::Pane::ControlPanel)->raise();
        QApplication::processEvents();
        main().grab().save(QString::fromLocal8Bit(shot));
    }

    // Stop, and start again for the trip below.
    pane().stopButton()->click();
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(panel().runCommanded());
    EXPECT_EQ(simGet(QStringLiteral("P7000.5")), QStringLiteral("0"));
    EXPECT_TRUE(pane().startButton()->property("active").toBool());
    EXPECT_FALSE(pane().stopButton()->property("active").toBool());
    ASSERT_TRUE(refreshUntil([&] { return pane().stateLabel()->text() == QStringLiteral("启动待机"); }, 15s))
        << pane().stateLabel()->text().toStdString();
    pane().startButton()->click();
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(panel().runCommanded()) << messageTexts().join(QLatin1Char('|')).toStdString();

    // A trip: the refresh sees the drive out of operation and takes the start back.
    ASSERT_TRUE(sim.command(QStringLiteral("fault set 0.3")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(refreshUntil([&] { return !panel().runCommanded() && !panel().busy(); }, 10s));
    EXPECT_EQ(simGet(QStringLiteral("P7000.5")), QStringLiteral("0"));
    EXPECT_FALSE(pane().stopButton()->property("active").toBool());
    EXPECT_EQ(pane().stateLabel()->text(), QStringLiteral("故障"));
    // The fault word comes with the next poll of the system list.
    EXPECT_TRUE(refreshUntil([&] { return pane().deviceStatusLabel()->text() == QStringLiteral("F011 A相过流故障"); }, 10s))
        << pane().deviceStatusLabel()->text().toStdString();

    // Fault reset: the pulse on P7000.4 clears the drive's fault.
    pane().resetButton()->click();
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(messageTexts().last(), QStringLiteral("故障复位成功！"));
    ASSERT_TRUE(refreshUntil([&] { return pane().deviceStatusLabel()->text() == QStringLiteral("正常"); }, 10s));

    // Release: P0880 back to 0, the button and pictures back.
    pane().takeButton()->click();
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(panel().controlHeld());
    EXPECT_EQ(simGet(QStringLiteral("P0880")), QStringLiteral("0"));
    EXPECT_EQ(pane().takeButton()->text(), QStringLiteral("获取电机控制权"));
    EXPECT_FALSE(pane().startButton()->property("active").toBool());
    EXPECT_FALSE(pane().setpointEdit()->isEnabled());
}

TEST_F(ControlPanelPaneTest, refusalsBeforeControlAndTheCancelledQuestion)
{
    // The menu level forbids control.
    ASSERT_TRUE(sim.command(QStringLiteral("set P0060 5")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(main().session().readParameters(std::vector{panel().parameters().menuLevel}));
    pane().takeButton()->click();
    EXPECT_EQ(messageTexts().last(), QStringLiteral("在P60=2/5/8时，不允许获取电机控制权！"));
    EXPECT_FALSE(panel().busy());
    ASSERT_TRUE(sim.command(QStringLiteral("set P0060 1")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(main().session().readParameters(std::vector{panel().parameters().menuLevel}));

    // Start and stop without control; Cancel on the question leaves the keypad in charge.
    pane().startButton()->click();
    EXPECT_EQ(messageTexts().last(), QStringLiteral("请您先获取电机控制权，再启动电机！"));
    pane().stopButton()->click();
    EXPECT_EQ(messageTexts().last(), QStringLiteral("请您先获取电机控制权，再停止电机！"));
    prompt.answer(model::PromptAnswer::Cancel);
    pane().takeButton()->click();
    EXPECT_FALSE(panel().busy());
    EXPECT_FALSE(panel().controlHeld());
    EXPECT_EQ(simGet(QStringLiteral("P0880")), QStringLiteral("0"));
}

TEST_F(ControlPanelPaneTest, deactivatedApplicationReleasesWithStopWhenTheBoxIsTicked)
{
    prompt.answer(model::PromptAnswer::Ok);
    pane().takeButton()->click();
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(panel().controlHeld());
    panel().applicationDeactivated();
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(panel().controlHeld());
    EXPECT_EQ(simGet(QStringLiteral("P0880")), QStringLiteral("0"));

    // Unticked, control stays.
    prompt.answer(model::PromptAnswer::Ok);
    pane().takeButton()->click();
    ASSERT_TRUE(waitIdle());
    pane().autoReleaseBox()->setChecked(false);
    panel().applicationDeactivated();
    EXPECT_FALSE(panel().busy());
    EXPECT_TRUE(panel().controlHeld());
}

TEST_F(ControlPanelPaneTest, factoryRestoreFromTheMenuRunsItsProgressDialog)
{
    main().refreshCommands();
    EXPECT_TRUE(main().action(Command::FactoryRestore)->isEnabled());
    // P0060 must be 2 for a restore.
    main().runCommand(Command::FactoryRestore);
    EXPECT_EQ(messageTexts().last(), QStringLiteral("参数菜单P60不为2，不允许执行恢复出厂设置操作！"));

    ASSERT_TRUE(sim.command(QStringLiteral("set P0060 2")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(sim.command(QStringLiteral("set P0089 3")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(main().session().readParameters(std::vector{panel().parameters().menuLevel}));
    prompt.answer(model::PromptAnswer::Yes);
    main().runCommand(Command::FactoryRestore);
    ASSERT_NE(application->restore().progressDialog(), nullptr);
    EXPECT_TRUE(application->restore().progressDialog()->isVisible());
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !application->restore().workflow().running(); }, 20s));
    EXPECT_EQ(messageTexts().last(), QStringLiteral("HESKMonitor恢复出厂设置成功！"));
    EXPECT_EQ(simGet(QStringLiteral("P0089")), QStringLiteral("0"));
    EXPECT_EQ(simGet(QStringLiteral("P0060")), QStringLiteral("1"));
}

}  // namespace
}  // namespace hesk::app::test

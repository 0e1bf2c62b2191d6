// The trigger recorder's window against the real simulated drive: 立即启动 and 触发启动
// from its command strip, the curves drawn with the trigger at 0 ms, the data file
// exported and imported again identically, and the refusals without data.
//
// With HESK_RECORDER_SCREENSHOT set to a path, the window with a triggered motor start and
// two cursors is saved there as a PNG (run under Xvfb with QT_QPA_PLATFORM=xcb).

#include "SampleApplicationFixture.h"

#include "ApplicationWindows.h"
#include "charts/ChartView.h"
#include "charts/WaveformPanel.h"
#include "recording/TriggerDataFile.h"

#include <QFile>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>

namespace hesk::app::test {
namespace {

using shell::Command;
using namespace std::chrono_literals;

class TriggerRecorderWindowTest : public SampleApplicationTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        startWith({QStringLiteral("--variant"), QStringLiteral("1")});
    }
    recording::TriggerSettings settingsOn(const QStringList& channels)
    {
        recording::TriggerSettings s = recording::defaultTriggerSettings(application->window().session().project());
        for (int i = 0; i < recording::kRecorderChannels; ++i) {
            s.channels[static_cast<size_t>(i)] = {};
            if (i < channels.size())
                s.channels[static_cast<size_t>(i)] =
                    *recording::channelFor(application->window().session().project(), channels[i]);
        }
        return s;
    }
    void click(TriggerRecorderWindow& w, const char* text)
    {
        QPushButton* button = w.button(QString::fromUtf8(text));
        ASSERT_NE(button, nullptr) << text;
        ASSERT_TRUE(button->isEnabled()) << text;
        button->click();
    }
};

TEST_F(TriggerRecorderWindowTest, immediateAndTriggeredRecordingsAreDrawnAndRoundTripThroughTheDataFile)
{
    MainWindow& w = application->window();
    // The tree's 触发录波 leaf is built now and opens the window.
    application->showRecorder();
    TriggerRecorderWindow& recorderWindow = application->recorderWindow();
    recorderWindow.exportData(dir.filePath(QStringLiteral("nothing.txt")));
    EXPECT_EQ(messageTexts().back(), QStringLiteral("当前缓冲没有数据！"));
    recorderWindow.showInformation();
    EXPECT_EQ(messageTexts().back(), QStringLiteral("当前缓冲没有数据，无记录信息！"));
    EXPECT_FALSE(recorderWindow.button(QStringLiteral("立即启动"))->isEnabled()) << "offline";

    w.runCommand(Command::Connect);
    ASSERT_TRUE(w.session().isOnline()) << messageTexts().join(QLatin1Char('|')).toStdString();
    application->recorder().setSettings(settingsOn({QStringLiteral("K0021"), QStringLiteral("K0081")}));
    click(recorderWindow, "立即启动");
    ASSERT_TRUE(sim::test::pumpUntil([&] { return recorderWindow.hasData(); }, 60s)) << recorderWindow.statusText().toStdString();
    const WaveformPanel& panel = *recorderWindow.panel();
    const recording::SeriesPoints* first = panel.chart()->seriesPoints(panel.seriesId(1));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->x.size(), 4096);  // 8192 samples shared by two channels
    EXPECT_DOUBLE_EQ(first->x.front(), 0.0) << "an immediate start has its trigger at the first sample";
    EXPECT_TRUE(recorderWindow.unsaved());

    // The data file reads back as the recording it was written from.
    const QString file = dir.filePath(QStringLiteral("run.txt"));
    ASSERT_TRUE(recorderWindow.exportData(file));
    EXPECT_FALSE(recorderWindow.unsaved());
    const recording::TriggerRecording shown = *recorderWindow.recording();
    ASSERT_TRUE(recorderWindow.importData(file));
    EXPECT_EQ(*recorderWindow.recording(), shown);

    // Armed on the output frequency, then the motor starts: the trigger sample is at 0 ms
    // with the pre-trigger samples before it.
    recording::TriggerSettings armed = settingsOn({QStringLiteral("K0021"), QStringLiteral("K0022"),
                                                   QStringLiteral("K0081"), QStringLiteral("K0024")});
    armed.preTrigger = 20;
    armed.samplingPeriod = 8;  // 1 ms a sample: two seconds of the start
    armed.condition1On = 1;
    armed.condition1Parameter = QStringLiteral("K0021");
    armed.condition1Address = static_cast<uint16_t>(w.session().project().find(QStringLiteral("K0021"))->address);
    armed.conditionOperator = static_cast<int>(recording::TriggerOperator::Greater);
    armed.value = QStringLiteral("2");
    application->recorder().setSettings(armed);
    click(recorderWindow, "触发启动");
    ASSERT_EQ(application->recorder().state(), 5) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(recorderWindow.button(QStringLiteral("停止"))->isEnabled());
    sim::test::pumpUntil([] { return false; }, 300ms);
    for (const char* command : {"set P7030 8192", "set P0880 1", "set P7000.5 1"})
        ASSERT_TRUE(sim.command(QLatin1String(command)).startsWith(QLatin1String("ok"))) << command;
    ASSERT_TRUE(sim::test::pumpUntil([&] { return recorderWindow.recording()->information.condition != shown.information.condition; }, 60s))
        << recorderWindow.statusText().toStdString();
    const recording::TriggerRecording& triggered = *recorderWindow.recording();
    EXPECT_EQ(triggered.information.condition, QStringLiteral("K0021 > 2"));
    EXPECT_EQ(triggered.channels[0].triggerPosition, 409);  // 20 x 81.92 / 4
    const recording::SeriesPoints* frequency = panel.chart()->seriesPoints(panel.seriesId(1));
    ASSERT_NE(frequency, nullptr);
    ASSERT_EQ(frequency->x.size(), 2048);
    EXPECT_LT(frequency->x.front(), 0.0);
    EXPECT_DOUBLE_EQ(frequency->x[409], 0.0);
    EXPECT_GT(frequency->y.back(), frequency->y[409]) << "the frequency ramps up after the trigger";

    if (const QByteArray shot = qgetenv("HESK_RECORDER_SCREENSHOT"); !shot.isEmpty()) {
        ChartView* chart = panel.chart();
        recorderWindow.panel()->yRangeCombo()->setCurrentText(QStringLiteral("100"));
        chart->setCursorsEnabled(true);
        chart->setCursorPosition(ChartView::Cursor::X1, 0.0);
        chart->setCursorPosition(ChartView::Cursor::X2, frequency->x.back() * 0.6);
        recorderWindow.resize(1280, 760);
        QApplication::processEvents();
        recorderWindow.grab().save(QString::fromLocal8Bit(shot));
    }
}

}  // namespace
}  // namespace hesk::app::test

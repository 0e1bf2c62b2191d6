// The fault-waveform pane against the real simulated drive: a trip, 上传故障数据 with its
// progress dialog, the faults listed with the newest marked, the meaning of the tripped
// bit from the catalogue, the curves; the file exported and opened again identically;
// the refusals without data.
//
// The drive board's upload from the menu: enabled without a project and offline, not
// while monitoring; the inverter project opened by itself and the board's record shown.
//
// With HESK_FAULT_WAVEFORM_SCREENSHOT (the drive's record) or HESK_FAULT_BOARD_SCREENSHOT
// (the drive board's) set to a path, the main window with the pane and the waveform
// window are saved there as one PNG (run under Xvfb with QT_QPA_PLATFORM=xcb).

#include "SampleApplicationFixture.h"

#include "ApplicationWindows.h"
#include "charts/ChartView.h"
#include "frame/StatusPanes.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPainter>

namespace hesk::app::test {
namespace {

using shell::Command;
using namespace std::chrono_literals;

class FaultWaveformPaneTest : public SampleApplicationTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        startWith({});
    }

    // The main window with the pane under the waveform window, as one PNG at the path in
    // the environment variable `variable` (nothing when it is not set).
    void screenshot(const char* variable)
    {
        const QByteArray shot = qgetenv(variable);
        if (shot.isEmpty())
            return;
        MainWindow& w = application->window();
        FaultWaveformPane& pane = application->faultWaveformPane();
        w.dock(MainWindow::Pane::FaultWaveform)->show();
        w.dock(MainWindow::Pane::FaultWaveform)->raise();
        w.resize(1280, 800);
        pane.waveformWindow()->resize(1280, 520);
        QApplication::processEvents();
        const QPixmap main = w.grab();
        const QPixmap curves = pane.waveformWindow()->grab();
        QPixmap both(std::max(main.width(), curves.width()), main.height() + curves.height());
        both.fill(Qt::white);
        QPainter painter(&both);
        painter.drawPixmap(0, 0, curves);
        painter.drawPixmap(0, curves.height(), main);
        painter.end();
        both.save(QString::fromLocal8Bit(shot));
    }
};

TEST_F(FaultWaveformPaneTest, aTripIsUploadedListedDrawnAndRoundTripsThroughTheFile)
{
    MainWindow& w = application->window();
    FaultWaveformPane& pane = application->faultWaveformPane();
    EXPECT_FALSE(pane.exportData(dir.filePath(QStringLiteral("none.txt"))));
    EXPECT_EQ(messageTexts().back(), QStringLiteral("当前缓冲没有数据！"));
    EXPECT_FALSE(pane.upload());
    EXPECT_EQ(messageTexts().back(), QStringLiteral("您当前没有连接设备，请连接设备后重新尝试！"));

    w.runCommand(Command::Connect);
    ASSERT_TRUE(w.session().isOnline()) << messageTexts().join(QLatin1Char('|')).toStdString();
    for (const char* command : {"set P7030 6554", "set P0880 1", "set P7000.5 1"})
        ASSERT_TRUE(sim.command(QLatin1String(command)).startsWith(QLatin1String("ok"))) << command;
    sim::test::pumpUntil([] { return false; }, 1500ms);
    ASSERT_TRUE(sim.command(QStringLiteral("fault set 0.7")).startsWith(QLatin1String("ok")));
    sim::test::pumpUntil([] { return false; }, 500ms);
    ASSERT_TRUE(sim.command(QStringLiteral("set P7000.5 0")).startsWith(QLatin1String("ok")));
    // The drive must stand for the upload, as the tool last read it.
    const model::HeskParameterElement* state = w.session().project().find(QStringLiteral("r0001"));
    ASSERT_NE(state, nullptr);
    ASSERT_TRUE(sim::test::pumpUntil([&] { return w.session().onlineRaw(*state).value_or(14) < 10; }, 10s));

    ASSERT_TRUE(pane.upload()) << messageTexts().join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(sim::test::pumpUntil([&] { return pane.record().has_value(); }, 30s)) << messageTexts().join(QLatin1Char('|')).toStdString();
    const recording::FaultRecord uploaded = *pane.record();
    ASSERT_GE(uploaded.faults.size(), 2u) << "the fault from before power-up and the trip";
    QListWidget* faults = pane.faultList();
    ASSERT_EQ(faults->count(), static_cast<int>(uploaded.faults.size()));
    EXPECT_TRUE(faults->item(faults->count() - 1)->text().endsWith(QStringLiteral("(最近的故障)")));
    EXPECT_EQ(faults->currentRow(), faults->count() - 1);
    ASSERT_GE(pane.meaningList()->count(), 1);
    EXPECT_TRUE(pane.meaningList()->item(0)->text().startsWith(QStringLiteral("F"))) << pane.meaningList()->item(0)->text().toStdString();
    const recording::FaultEntry& newest = uploaded.faults.back();
    ASSERT_FALSE(newest.channels.empty());
    ASSERT_EQ(pane.curves().size(), newest.channels.size());
    const recording::SeriesPoints* curve = pane.chart()->seriesPoints(pane.curves().front());
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->y.size(), static_cast<qsizetype>(newest.channels.front().samples.size()));

    const QString file = dir.filePath(QStringLiteral("FAULTDATA.txt"));
    ASSERT_TRUE(pane.exportData(file));
    EXPECT_TRUE(messageTexts().back().startsWith(QStringLiteral("数据成功导出至：")));
    w.runCommand(Command::Disconnect);
    pane.clear();
    ASSERT_TRUE(pane.openFile(file)) << messageTexts().join(QLatin1Char('|')).toStdString();
    // The file keeps the fault words exactly and the samples to three decimals.
    const recording::FaultRecord& reopened = *pane.record();
    ASSERT_EQ(reopened.faults.size(), uploaded.faults.size());
    for (std::size_t f = 0; f < uploaded.faults.size(); ++f) {
        EXPECT_EQ(reopened.faults[f].faultWords, uploaded.faults[f].faultWords);
        ASSERT_EQ(reopened.faults[f].channels.size(), uploaded.faults[f].channels.size());
        for (std::size_t c = 0; c < uploaded.faults[f].channels.size(); ++c) {
            const auto& a = reopened.faults[f].channels[c].samples;
            const auto& b = uploaded.faults[f].channels[c].samples;
            ASSERT_EQ(a.size(), b.size());
            for (std::size_t k = 0; k < a.size(); ++k)
                ASSERT_NEAR(a[k], b[k], 0.0006) << f << '/' << c << '/' << k;
        }
    }

    screenshot("HESK_FAULT_WAVEFORM_SCREENSHOT");
}

TEST_F(FaultWaveformPaneTest, theDriveBoardUploadFromTheMenuFillsThePane)
{
    MainWindow& w = application->window();
    FaultWaveformPane& pane = application->faultWaveformPane();
    QAction* entry = w.action(Command::UploadBoardFaultWaveform);
    ASSERT_NE(entry, nullptr);
    w.refreshCommands();
    EXPECT_TRUE(entry->isEnabled()) << "a project open, offline";
    w.runCommand(Command::Connect);
    ASSERT_TRUE(w.session().isMonitoring()) << messageTexts().join(QLatin1Char('|')).toStdString();
    w.refreshCommands();
    EXPECT_FALSE(entry->isEnabled()) << "monitoring";
    w.runCommand(Command::Disconnect);
    w.runCommand(Command::CloseProject);
    ASSERT_FALSE(w.session().project().isOpen());
    w.refreshCommands();
    EXPECT_TRUE(entry->isEnabled()) << "no project";

    ASSERT_TRUE(sim.command(QStringLiteral("fault set 0.6")).startsWith(QLatin1String("ok")));
    sim::test::pumpUntil([] { return false; }, 400ms);  // the samples after the trip
    w.dock(MainWindow::Pane::FaultWaveform)->hide();
    const qsizetype before = messageTexts().size();
    entry->trigger();
    ASSERT_TRUE(sim::test::pumpUntil([&] { return pane.record().has_value(); }, 30s))
        << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(messageTexts().mid(before), QStringList{QStringLiteral("所有故障数据上传完毕！")});
    // The inverter project was opened for it, the pane shown.
    EXPECT_TRUE(w.session().project().isOpen());
    EXPECT_EQ(w.session().project().project().header.deviceType, QStringLiteral("VRA1"));
    EXPECT_FALSE(w.dock(MainWindow::Pane::FaultWaveform)->isHidden());

    const recording::FaultRecord& record = *pane.record();
    EXPECT_TRUE(record.driveBoard);
    ASSERT_EQ(record.faults.size(), 2u);
    QListWidget* faults = pane.faultList();
    ASSERT_EQ(faults->count(), 2);
    EXPECT_EQ(faults->item(1)->text(), QStringLiteral("第2次故障(最近的故障)"));
    EXPECT_EQ(faults->currentRow(), 1);
    const QString status = pane.statusLabel()->text();
    EXPECT_TRUE(status.contains(QStringLiteral("已运行0天0小时0分钟"))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("共发生2次故障"))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("共上电1次"))) << status.toStdString();
    // One curve per channel of the newest fault: two analog, six digital ones.
    ASSERT_EQ(pane.curves().size(), 8u);
    QStringList names;
    for (const recording::FaultChannel& c : record.faults.back().channels)
        if (c.digital)
            names << c.name;
    EXPECT_EQ(names.size(), 6);

    // The board's port is closed again and the session offline as before.
    EXPECT_FALSE(w.session().isOnline());
    EXPECT_FALSE(w.session().isListening());
    w.refreshCommands();
    EXPECT_TRUE(w.action(Command::Connect)->isEnabled());
    EXPECT_FALSE(w.statusPanes()->pane(1)->text().startsWith(QStringLiteral("在线(")))
        << w.statusPanes()->pane(1)->text().toStdString();
    screenshot("HESK_FAULT_BOARD_SCREENSHOT");
}

}  // namespace
}  // namespace hesk::app::test

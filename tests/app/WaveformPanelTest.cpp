// The waveform panel: recorded words drawn as channels, the per-channel show box, colour
// and bit combo, the Y-range combo, the cursor readout, the lock button and the axis
// dialog.
//
// With HESK_CHART_SCREENSHOT set to a path, a synthetic motor start (four channels, one in
// bit mode, both cursors on) is saved there as a picture of the panel.
#include "charts/ChartView.h"
#include "charts/PlotLibrary.h"
#include "charts/WaveformPanel.h"

#include "DialogTestSupport.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "recording/CursorReadout.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

#include <cmath>

namespace hesk::app::test {
namespace {

using apptest::child;
using apptest::click;
using apptest::ModalWatcher;
using apptest::typeText;

const QStringList kYRangeItems{QStringLiteral("0.001"), QStringLiteral("0.01"), QStringLiteral("0.1"),
                               QStringLiteral("1"),     QStringLiteral("10"),   QStringLiteral("100"),
                               QStringLiteral("1000"),  QStringLiteral("10000")};

uint16_t percentWord(double percent)
{
    return static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::clamp(percent, -200.0, 199.99) * 163.84)));
}

// A motor started at the trigger: the speed ramps to 80 %, the phase current (its
// frequency following the speed) peaks at the start and settles at the load, the DC link
// dips and recovers, and the status word's bit 2 ("running") rises at the trigger.
// 1024 samples 2 ms apart (TA 200 us x 10), trigger at sample 256.
std::vector<recording::WaveformChannel> motorStart()
{
    constexpr int samples = 1024;
    constexpr int trigger = 256;
    std::vector<recording::WaveformChannel> channels(4);
    channels[0].label = QStringLiteral("r0002 转速实际值");
    channels[1].label = QStringLiteral("r0068 输出电流");
    channels[2].label = QStringLiteral("r0026 直流母线电压");
    channels[3].label = QStringLiteral("r0052 状态字1");
    for (auto& channel : channels) {
        channel.triggerPosition = trigger;
        channel.words.reserve(samples);
    }
    double phase = 0.0;
    for (int k = 0; k < samples; ++k) {
        const double t = (k - trigger) * 2.0;  // ms
        const double on = t >= 0.0 ? 1.0 : 0.0;
        const double speed = on * 80.0 * (1.0 - std::exp(-t / 300.0));
        const double noise = std::sin(k * 2.7) * 0.6 + std::sin(k * 0.77) * 0.4;
        // Phase frequency: 2 Hz at standstill up to 40 Hz at 80 % speed.
        phase += 2.0 * 3.14159265 * (2.0 + speed * 0.475) * 0.002 * on;
        const double amplitude = on * (30.0 + 70.0 * std::exp(-t / 250.0));
        const double current = amplitude * std::sin(phase) + noise;
        const double dcLink = 75.0 - on * 9.0 * std::exp(-t / 200.0) * (1.0 - std::exp(-t / 20.0)) + noise * 0.5;
        channels[0].words.push_back(percentWord(speed + noise * 0.3));
        channels[1].words.push_back(percentWord(current));
        channels[2].words.push_back(percentWord(dcLink));
        channels[3].words.push_back(static_cast<uint16_t>(0x0031 | (t >= 0.0 ? 0x0004 : 0) | (t >= 40.0 ? 0x0800 : 0)));
    }
    return channels;
}

class WaveformPanelTest : public ::testing::Test {
protected:
    WaveformPanelTest()
        : panel(4, kYRangeItems, QStringLiteral("10"), prompt)
    {
        panel.resize(1100, 720);
        panel.show();
    }

    ChartView& chart() { return *panel.chart(); }
    const recording::SeriesPoints& points(int channel) { return *chart().seriesPoints(panel.seriesId(channel)); }
    QString text(const char* name) { return child<QLabel>(panel, name)->text(); }

    testsupport::ScriptedPrompt prompt;
    WaveformPanel panel;
};

TEST_F(WaveformPanelTest, channelsAreDrawnAroundTheTriggerInPercent)
{
    std::vector<recording::WaveformChannel> channels(2);
    channels[0] = {QStringLiteral("CH1 speed"), {0x4000, 0x8000, 0x0000, 0xC000}, 1};
    channels[1] = {QString(), {0x1000, 0x2000}, 0};
    panel.setChannels(channels, recording::sampleIntervalMs(400, 10));

    EXPECT_EQ(points(1).x, (QList<double>{-4.0, 0.0, 4.0, 8.0}));
    EXPECT_EQ(points(1).y, (QList<double>{100.0, -200.0, 0.0, -100.0}));
    EXPECT_EQ(points(2).x, (QList<double>{0.0, 4.0}));
    EXPECT_TRUE(points(3).empty());
    EXPECT_EQ(chart().range().xMin, -4.0);
    EXPECT_EQ(chart().range().xMax, 8.0);
    EXPECT_EQ(text("channelLabel1"), QStringLiteral("CH1 speed"));
    EXPECT_EQ(text("channelLabel2"), QStringLiteral("通道2"));
    EXPECT_EQ(text("channelLabel3"), QStringLiteral("通道3无数据信号"));
    EXPECT_EQ(text("channelLabel4"), QStringLiteral("通道4无数据信号"));

    // New data spans its own time again after a fixed range.
    chart().setXRange(100.0, 200.0);
    panel.setChannels(channels, 1.0);
    EXPECT_EQ(chart().range().xMin, -1.0);
    EXPECT_EQ(chart().range().xMax, 2.0);
}

TEST_F(WaveformPanelTest, uncheckingShowHidesTheChannelsCurve)
{
    panel.setChannels(motorStart(), 2.0);
    QSignalSpy changed(&panel, &WaveformPanel::channelDisplayChanged);
    click(child<QCheckBox>(panel, "showCheck2"));
    EXPECT_FALSE(panel.channelVisible(2));
    EXPECT_FALSE(chart().seriesVisible(panel.seriesId(2)));
    EXPECT_FALSE(chart().plot()->graph(1)->visible());
    EXPECT_TRUE(chart().seriesVisible(panel.seriesId(1)));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 2);

    panel.setChannelVisible(2, true);
    EXPECT_TRUE(child<QCheckBox>(panel, "showCheck2")->isChecked());
    EXPECT_TRUE(chart().plot()->graph(1)->visible());
}

TEST_F(WaveformPanelTest, choosingABitMovesTheChannelToTheDigitalAxisAndNoneMovesItBack)
{
    panel.setChannels(motorStart(), 2.0);
    const int series = panel.seriesId(4);
    QComboBox* bits = child<QComboBox>(panel, "bitCombo4");
    ASSERT_EQ(bits->count(), 17);

    bits->setCurrentIndex(bits->findData(2));
    Q_EMIT bits->activated(bits->currentIndex());
    EXPECT_EQ(panel.channelBit(4), 2);
    EXPECT_EQ(chart().seriesAxis(series), ChartView::Axis::Digital);
    ASSERT_TRUE(chart().digitalBand(series));
    EXPECT_EQ(chart().plot()->graph(3)->valueAxis(), chart().plot()->yAxis2);
    // Bit 2 is 0 before the trigger and 1 from it on.
    EXPECT_EQ(points(4).y.front(), 0.0);
    EXPECT_EQ(points(4).y.back(), 1.0);
    EXPECT_EQ(chart().plot()->graph(3)->data()->constBegin()->value, chart().digitalBand(series)->low);

    bits->setCurrentIndex(0);
    Q_EMIT bits->activated(0);
    EXPECT_EQ(panel.channelBit(4), std::nullopt);
    EXPECT_EQ(chart().seriesAxis(series), ChartView::Axis::Analog);
    EXPECT_FALSE(chart().digitalBand(series));
    EXPECT_EQ(chart().plot()->graph(3)->valueAxis(), chart().plot()->yAxis);
    EXPECT_NEAR(points(4).y.back(), 0x0835 / 163.84, 1e-9);
}

TEST_F(WaveformPanelTest, yRangeItemShowsPlusMinusThatManyPercent)
{
    EXPECT_EQ(child<QComboBox>(panel, "yRangeCombo")->currentText(), QStringLiteral("10"));
    EXPECT_EQ(chart().range().yMin, -10.0);
    EXPECT_EQ(chart().range().yMax, 10.0);
    QComboBox* combo = child<QComboBox>(panel, "yRangeCombo");
    combo->setCurrentIndex(combo->findText(QStringLiteral("0.001")));
    Q_EMIT combo->activated(combo->currentIndex());
    EXPECT_EQ(chart().range().yMin, -0.001);
    EXPECT_EQ(chart().range().yMax, 0.001);
    // New data keeps the chosen range.
    panel.setChannels(motorStart(), 2.0);
    EXPECT_EQ(chart().range().yMax, 0.001);
}

TEST_F(WaveformPanelTest, readoutFollowsTheCursorsAndTheFirstShownChannel)
{
    panel.setChannels(motorStart(), 2.0);
    EXPECT_EQ(text("x1Text"), QString());
    click(child<QPushButton>(panel, "cursorButton"));
    ASSERT_TRUE(chart().cursorsEnabled());

    chart().setCursorPosition(ChartView::Cursor::X1, -10.0);
    chart().setCursorPosition(ChartView::Cursor::X2, -9.5);
    EXPECT_EQ(text("x1Text"), QStringLiteral("-10.000"));
    EXPECT_EQ(text("x2Text"), QStringLiteral("-9.500"));
    EXPECT_EQ(text("dxText"), QStringLiteral("0.500"));
    EXPECT_EQ(text("dxUnitText"), QStringLiteral("(500.0 us)"));

    chart().setCursorPosition(ChartView::Cursor::X2, 1000.0);
    const recording::SeriesPoints speed = points(1);
    EXPECT_EQ(text("y2Text"), recording::cursorValueText(recording::seriesValueAt(speed, 1000.0)));
    EXPECT_EQ(text("dxUnitText"), QStringLiteral("(1.0 s)"));

    // Channel 1 hidden: the values come from channel 2.
    click(child<QCheckBox>(panel, "showCheck1"));
    EXPECT_EQ(text("y2Text"), recording::cursorValueText(recording::seriesValueAt(points(2), 1000.0)));
    EXPECT_NE(text("y2Text"), recording::cursorValueText(recording::seriesValueAt(speed, 1000.0)));

    click(child<QPushButton>(panel, "cursorButton"));
    EXPECT_EQ(text("x1Text"), QString());
    EXPECT_EQ(text("y2Text"), QString());
}

TEST_F(WaveformPanelTest, lockButtonLocksTheCursorsAndSaysHowToUndoIt)
{
    QPushButton* lock = child<QPushButton>(panel, "lockButton");
    EXPECT_EQ(lock->text(), QStringLiteral("游标锁定"));
    click(lock);
    EXPECT_TRUE(chart().cursorsLocked());
    EXPECT_EQ(lock->text(), QStringLiteral("解除锁定"));
    click(lock);
    EXPECT_FALSE(chart().cursorsLocked());
    EXPECT_EQ(lock->text(), QStringLiteral("游标锁定"));
}

TEST_F(WaveformPanelTest, axisRangeDialogFixesBothAxes)
{
    panel.setChannels(motorStart(), 2.0);
    ModalWatcher watcher([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("修改坐标轴范围"));
        EXPECT_EQ(child<QLineEdit>(*dialog, "xMinEdit")->text(), QStringLiteral("-512.000000"));
        typeText(child<QLineEdit>(*dialog, "xMinEdit"), QStringLiteral("-20"));
        typeText(child<QLineEdit>(*dialog, "xMaxEdit"), QStringLiteral("300"));
        typeText(child<QLineEdit>(*dialog, "yMinEdit"), QStringLiteral("-150"));
        typeText(child<QLineEdit>(*dialog, "yMaxEdit"), QStringLiteral("150"));
        click(child<QPushButton>(*dialog, "okButton"));
    });
    click(child<QPushButton>(panel, "axisRangeButton"));
    EXPECT_TRUE(watcher.opened());
    EXPECT_EQ(chart().range(), (recording::AxisRange{-20.0, 300.0, -150.0, 150.0}));
    EXPECT_FALSE(chart().xAutoRange());
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(WaveformPanelTest, colourSwatchOpensTheColourDialogAndRecoloursTheCurve)
{
    ModalWatcher watcher([](QWidget* dialog) {
        auto* colours = qobject_cast<QColorDialog*>(dialog);
        ASSERT_NE(colours, nullptr);
        colours->setCurrentColor(QColor(10, 20, 30));
        colours->accept();
    });
    click(child<QToolButton>(panel, "colourSwatch3"));
    EXPECT_TRUE(watcher.opened());
    EXPECT_EQ(panel.channelColour(3), QColor(10, 20, 30));
    EXPECT_EQ(chart().seriesColour(panel.seriesId(3)), QColor(10, 20, 30));
    EXPECT_NE(chart().seriesColour(panel.seriesId(2)), QColor(10, 20, 30));
}

TEST_F(WaveformPanelTest, motorStartPicture)
{
    panel.setChannels(motorStart(), recording::sampleIntervalMs(200, 10));
    panel.setChannelBit(4, 2);
    QComboBox* combo = child<QComboBox>(panel, "yRangeCombo");
    combo->setCurrentIndex(combo->findText(QStringLiteral("100")));
    Q_EMIT combo->activated(combo->currentIndex());
    click(child<QPushButton>(panel, "cursorButton"));
    chart().setCursorPosition(ChartView::Cursor::X1, 0.0);
    chart().setCursorPosition(ChartView::Cursor::X2, 600.0);
    chart().setTitle(QStringLiteral("2026-12-11  04:10:00"));
    chart().replot();
    EXPECT_EQ(text("dxUnitText"), QStringLiteral("(600.0 ms)"));
    if (const QByteArray shot = qgetenv("HESK_CHART_SCREENSHOT"); !shot.isEmpty()) {
        QApplication::processEvents();
        chart().replot();
        EXPECT_TRUE(panel.grab().save(QString::fromLocal8Bit(shot)));
    }
}

}  // namespace
}  // namespace hesk::app::test

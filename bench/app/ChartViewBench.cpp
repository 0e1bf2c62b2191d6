// The recorder chart with four channels of 8192 samples (a full recording), offscreen, in a
// 1100 x 600 view:
//   Replot        one full redraw of the four curves; goal < 20 ms
//   NewRecording  the four channels' points replaced and redrawn; goal < 20 ms
//   CursorDrag    one step of a cursor drag: the cursor moved, its layer redrawn and the
//                 widget repainted by the event loop; the curves are not redrawn
// Run from the build tree: build/default/bench/ChartViewBench.

#include "charts/ChartView.h"
#include "charts/PlotLibrary.h"

#include "recording/ChannelSeries.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using hesk::app::ChartView;

constexpr int kSamples = 8192;

std::vector<hesk::recording::WaveformChannel> recording(int variant)
{
    std::vector<hesk::recording::WaveformChannel> channels(4);
    for (int c = 0; c < 4; ++c) {
        channels[c].triggerPosition = kSamples / 4;
        for (int k = 0; k < kSamples; ++k) {
            const double value = 80.0 * std::sin(k * (0.01 + 0.003 * c) + variant) + 5.0 * std::sin(k * 1.7 + c);
            channels[c].words.push_back(static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 163.84))));
        }
    }
    return channels;
}

struct Rig {
    ChartView view;
    int series[4] = {};

    Rig()
    {
        view.resize(1100, 600);
        const QColor colours[4] = {Qt::red, Qt::blue, Qt::darkGreen, Qt::magenta};
        for (int c = 0; c < 4; ++c)
            series[c] = view.addSeries(QStringLiteral("CH%1").arg(c + 1), colours[c]);
        load(0);
        view.setYRange(-100.0, 100.0);
        view.show();
        QApplication::processEvents();
        view.replot();
    }

    void load(int variant)
    {
        const auto channels = recording(variant);
        for (int c = 0; c < 4; ++c)
            view.setSeriesPoints(series[c], hesk::recording::channelSeries(channels[c], 0.4));
    }
};

void BM_Replot(benchmark::State& state)
{
    Rig rig;
    for (auto _ : state)
        rig.view.replot();
}
BENCHMARK(BM_Replot)->Unit(benchmark::kMillisecond);

void BM_NewRecording(benchmark::State& state)
{
    Rig rig;
    int variant = 0;
    for (auto _ : state) {
        rig.load(++variant % 2);
        rig.view.replot();
    }
}
BENCHMARK(BM_NewRecording)->Unit(benchmark::kMillisecond);

void BM_CursorDrag(benchmark::State& state)
{
    Rig rig;
    rig.view.setCursorsEnabled(true);
    QApplication::processEvents();
    rig.view.replot();
    const auto range = rig.view.range();
    double x = range.xMin;
    const double step = (range.xMax - range.xMin) / 500.0;
    for (auto _ : state) {
        x += step;
        if (x > range.xMax)
            x = range.xMin;
        rig.view.setCursorPosition(ChartView::Cursor::X1, x);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_CursorDrag)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

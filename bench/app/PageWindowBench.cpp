// The parameter page window of "所有参数" on the largest installed sample project
// (VRA1V11418, 2054 definitions), offscreen:
//   OpenAllParameters  create the window, show it and let the event loop lay it out and
//                      paint it once; goal < 150 ms
//   RefreshTick        one tick of the refresh timer while online, every word of the
//                      tables changed since the last tick (so every row in view is
//                      converted and repainted), including the repaint; goal < 5 ms
// Run from the build tree: build/default/bench/PageWindowBench.

#include "../QuietSeams.h"
#include "pages/ParameterListView.h"
#include "pages/ParameterPageModel.h"
#include "pages/ParameterPageWindow.h"
#include "pages/ParameterPageWindows.h"

#include "model/FaultTableLibrary.h"
#include "model/PageCatalogue.h"
#include "shell/MonitorSession.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const QString kProject = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

using hesk::bench::QuietLog;
using hesk::bench::QuietPrompt;

struct Rig {
    QTemporaryDir dir;
    QuietLog log;
    QuietPrompt prompt;
    hesk::model::FaultTableLibrary faults;
    hesk::pages::OfflineValueSet offline;
    std::unique_ptr<hesk::shell::MonitorSession> session;
    std::unique_ptr<hesk::app::ParameterPageWindows> pages;

    Rig()
    {
        session = std::make_unique<hesk::shell::MonitorSession>(
            faults, log, prompt, hesk::online::InterfaceSettings({dir.filePath(QStringLiteral("interfacecfg.ini")), {}}));
        if (const auto failure = session->project().open(kProject)) {
            std::fprintf(stderr, "%s\n", qPrintable(failure->text));
            std::abort();
        }
        pages = std::make_unique<hesk::app::ParameterPageWindows>(*session, prompt, log, offline);
    }
    ~Rig() { session->link().state().online.store(false); }

    hesk::app::ParameterPageWindow* openAll()
    {
        auto* window = static_cast<hesk::app::ParameterPageWindow*>(
            pages->createPageWindow(hesk::model::pages::kAll, nullptr));
        window->resize(1280, 800);
        window->show();
        QApplication::processEvents();
        return window;
    }
};

void changeEveryWord(hesk::link::OnlineValueTables& tables, uint16_t step)
{
    for (uint32_t address = 0; address < hesk::link::ValueTable::kSize; ++address) {
        tables.parameters.store(address, static_cast<uint16_t>(address + step));
        tables.readOnly.store(address, static_cast<uint16_t>(address * 3 + step));
    }
}

void BM_OpenAllParameters(benchmark::State& state)
{
    Rig rig;
    for (auto _ : state) {
        auto* window = rig.openAll();
        rig.pages->pageActivated(window);
        QApplication::processEvents();
        state.PauseTiming();
        rig.pages->pageActivated(nullptr);
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAllParameters)->Unit(benchmark::kMillisecond);

void BM_RefreshTick(benchmark::State& state)
{
    Rig rig;
    auto* window = rig.openAll();
    rig.pages->pageActivated(window);
    rig.session->link().state().online.store(true);
    QApplication::processEvents();
    const int firstInView = window->view()->rowAt(0);
    const int lastInView = window->view()->rowAt(window->view()->viewport()->height() - 1);
    uint16_t step = 1;
    int changedRows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        changeEveryWord(rig.session->values(), step++);
        state.ResumeTiming();
        const hesk::pages::ChangedRows changed = window->refreshVisibleValues();
        QApplication::processEvents();  // the repaint of the changed cells
        changedRows = changed.any() ? changed.last - changed.first + 1 : 0;
    }
    state.counters["rowsInView"] = lastInView - firstInView + 1;
    state.counters["rowsChanged"] = changedRows;
    delete window;
}
BENCHMARK(BM_RefreshTick)->Unit(benchmark::kMicrosecond);

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

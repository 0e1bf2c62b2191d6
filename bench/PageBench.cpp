// The core side of a parameter page on the largest installed sample project (VRA1V11418,
// 2054 definitions), "所有参数":
//   BuildAllParameters   the rows with their texts and the page poll list, as when the
//                        page is opened
//   RefreshVisibleRows   one refresh of the 40 rows in view, every word changed
//   RefreshAllRows       a refresh of every row, every word changed (the worst case)
// The widget side (window, view, paint) is measured by PageWindowBench.

#include "link/ValueTables.h"
#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"
#include "model/PageCatalogue.h"
#include "online/FrameList.h"
#include "pages/ParameterPage.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const QString kProject = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
constexpr int kRowsInView = 40;

struct Sample {
    hesk::model::FaultTableLibrary faults;
    hesk::model::OpenedProject opened{faults};

    Sample()
    {
        if (const auto failure = opened.open(kProject)) {
            std::fprintf(stderr, "%s\n", qPrintable(failure->text));
            std::abort();
        }
    }
};

Sample& sample()
{
    static Sample s;
    return s;
}

void changeEveryWord(hesk::link::OnlineValueTables& tables, uint16_t step)
{
    for (uint32_t address = 0; address < hesk::link::ValueTable::kSize; ++address) {
        tables.parameters.store(address, static_cast<uint16_t>(address + step));
        tables.readOnly.store(address, static_cast<uint16_t>(address * 3 + step));
        tables.connections.store(address, static_cast<uint16_t>(-(static_cast<int>(step % 500) + 1)));
    }
}

void BM_BuildAllParameters(benchmark::State& state)
{
    Sample& s = sample();
    for (auto _ : state) {
        hesk::pages::ParameterPage page(s.opened.project(), s.opened.deviceClass(), hesk::model::pages::kAll);
        hesk::online::FrameList list;
        page.buildPollList(list);
        benchmark::DoNotOptimize(list.size());
    }
}
BENCHMARK(BM_BuildAllParameters)->Unit(benchmark::kMillisecond);

void refresh(benchmark::State& state, int rows)
{
    Sample& s = sample();
    hesk::pages::ParameterPage page(s.opened.project(), s.opened.deviceClass(), hesk::model::pages::kAll);
    auto tables = std::make_unique<hesk::link::OnlineValueTables>();
    hesk::pages::ValueSource source;
    source.tables = tables.get();
    source.formulas = &s.opened.formulas();
    source.approximateComparison = true;
    uint16_t step = 1;
    for (auto _ : state) {
        state.PauseTiming();
        changeEveryWord(*tables, step++);
        state.ResumeTiming();
        benchmark::DoNotOptimize(page.refreshValues(source, 0, rows - 1));
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_RefreshVisibleRows(benchmark::State& state)
{
    refresh(state, kRowsInView);
}
BENCHMARK(BM_RefreshVisibleRows)->Unit(benchmark::kMicrosecond);

void BM_RefreshAllRows(benchmark::State& state)
{
    refresh(state, sample().opened.project().elements.size());
}
BENCHMARK(BM_RefreshAllRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

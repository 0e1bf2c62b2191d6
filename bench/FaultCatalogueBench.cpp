// Cost of the fault catalogue: parsing every compiled-in table once (start-up), and
// rebuilding a project's catalogue from the parsed tables (every project open).

#include "model/FaultCatalogue.h"
#include "model/FaultTableLibrary.h"

#include <benchmark/benchmark.h>

namespace {

using namespace hesk::model;

void parseAllTables(benchmark::State& state)
{
    for (auto _ : state) {
        FaultTableLibrary library;
        benchmark::DoNotOptimize(library.table(FaultTableId::Inverter)->size());
    }
}
BENCHMARK(parseAllTables);

void rebuildCatalogueOnProjectOpen(benchmark::State& state)
{
    const FaultTableLibrary library;
    FaultCatalogue catalogue(library);
    for (auto _ : state) {
        catalogue.build(DeviceClass::ActiveRectifier, QStringLiteral("V2.13.05"));
        benchmark::DoNotOptimize(catalogue.entries().size());
    }
}
BENCHMARK(rebuildCatalogueOnProjectOpen);

void explainAlarmWord(benchmark::State& state)
{
    const FaultTableLibrary library;
    FaultCatalogue catalogue(library);
    catalogue.build(DeviceClass::Inverter, ActiveRectifierFirmware::Later);
    for (auto _ : state)
        benchmark::DoNotOptimize(catalogue.explain(QStringLiteral("r0943.11"), 0xFFFF));
}
BENCHMARK(explainAlarmWord);

}  // namespace

BENCHMARK_MAIN();

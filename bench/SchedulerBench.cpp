// Cost of the scheduler's bookkeeping: building a page poll list of N parameters (every
// push compares against the listed frames) and one scheduler tick that sends a poll
// frame to a sender that does nothing. The line allows 40 frames per second, so a tick
// only has to stay far below 25 ms; the list build runs whenever a page is shown.

#include "online/FrameList.h"
#include "online/SendScheduler.h"

#include <benchmark/benchmark.h>

namespace {

using hesk::online::FrameList;

class NullSender final : public hesk::link::FrameSender {
public:
    int SendFrame(std::span<uint8_t>) override { return 0; }
};

class NullRetryTimer final : public hesk::online::RetryTimer {
public:
    void arm(std::chrono::milliseconds) override {}
    void kill() override {}
};

void fillPage(FrameList& list, int parameters)
{
    // Every parameter twice, as when a page shows a value in two places.
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < parameters; ++i)
            list.push(hesk::link::readParameterRequest(static_cast<uint16_t>(i)));
}

void BM_BuildPagePollList(benchmark::State& state)
{
    const int parameters = static_cast<int>(state.range(0));
    for (auto _ : state) {
        FrameList list;
        fillPage(list, parameters);
        benchmark::DoNotOptimize(list.count());
    }
    state.SetItemsProcessed(state.iterations() * parameters * 2);
}
BENCHMARK(BM_BuildPagePollList)->Arg(50)->Arg(200)->Arg(1000);

void BM_PollTick(benchmark::State& state)
{
    NullSender sender;
    NullRetryTimer timer;
    hesk::link::LinkState link;
    hesk::model::NullLogSink log;
    hesk::online::SendScheduler scheduler(sender, link, log, timer);
    FrameList page;
    fillPage(page, static_cast<int>(state.range(0)));
    scheduler.installPagePollList(&page);
    for (auto _ : state) {
        scheduler.tick();
        scheduler.clearPageCycle();
    }
}
BENCHMARK(BM_PollTick)->Arg(200);

}  // namespace

BENCHMARK_MAIN();

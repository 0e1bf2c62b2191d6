// Manual-reset events and the waits that keep the Qt event loop running.

#include "LinkPeers.h"
#include "link/PumpedWait.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

namespace hesk::link {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(ManualResetEvent, staysSetUntilResetAndTimesOutWhenClear)
{
    ManualResetEvent event;
    EXPECT_FALSE(event.waitFor(10ms));
    event.set();
    EXPECT_TRUE(event.waitFor(0ms));
    EXPECT_TRUE(event.waitFor(0ms));  // manual reset: still set
    event.reset();
    EXPECT_FALSE(event.isSet());
}

TEST(ManualResetEvent, setOnAnotherThreadWakesABlockedWaiter)
{
    ManualResetEvent event;
    std::thread setter([&] {
        std::this_thread::sleep_for(20ms);
        event.set();
    });
    EXPECT_TRUE(event.waitFor(5s));
    setter.join();
}

TEST(PumpedWait, keepsTimersRunningUntilAnotherThreadSetsTheEvent)
{
    ManualResetEvent event;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);
    std::thread setter([&] {
        std::this_thread::sleep_for(80ms);
        event.set();
    });
    EXPECT_TRUE(waitPumping(event, 5s));
    setter.join();
    EXPECT_GT(ticks, 2) << "the owning thread's timers must keep running during the wait";
}

TEST(PumpedWait, returnsTheIndexOfTheEventThatWasSet)
{
    ManualResetEvent confirmed;
    ManualResetEvent failed;
    QTimer::singleShot(10, [&] { failed.set(); });  // set from this thread's own event loop
    EXPECT_EQ(waitAnyPumping({&confirmed, &failed}, 5s), std::optional<size_t>(1));
    confirmed.set();
    EXPECT_EQ(waitAnyPumping({&confirmed, &failed}), std::optional<size_t>(0));
}

TEST(PumpedWait, timesOutWhenNothingIsSet)
{
    ManualResetEvent event;
    const auto start = Clock::now();
    EXPECT_FALSE(waitAnyPumping({&event}, 50ms).has_value());
    EXPECT_GE(Clock::now() - start, 50ms);
}

}  // namespace
}  // namespace hesk::link

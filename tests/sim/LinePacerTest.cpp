// Serial pacing: 10 bit times per byte, absolute deadlines within a run, a new run after
// the line went idle, and no pacing at baud 0.

#include "sim/LinePacer.h"

#include <gtest/gtest.h>

namespace hesk::sim {
namespace {

using std::chrono::microseconds;

const uint8_t kEight[8] = {1, 2, 3, 4, 5, 6, 7, 8};

TEST(LinePacer, bytesFallDueOneByteTimeApart)
{
    LinePacer pacer(9600);  // 10 bits: 1041.67 us per byte
    pacer.enqueue(kEight, SimTime(1000));
    EXPECT_EQ(pacer.due(SimTime(1000)), 0u);
    EXPECT_EQ(pacer.nextDeadline(), SimTime(1000 + 1041));
    EXPECT_EQ(pacer.due(SimTime(1000 + 1041)), 1u);
    EXPECT_EQ(pacer.due(SimTime(1000 + 2082)), 1u);  // byte 2 is due at 2083
    EXPECT_EQ(pacer.due(SimTime(1000 + 2083)), 2u);
    EXPECT_EQ(pacer.due(SimTime(1000 + 8333)), 8u);  // 8 x 1041.67
    EXPECT_EQ(pacer.due(SimTime(1000 + 8332)), 7u);
}

TEST(LinePacer, lateWakeUpsDoNotStretchTheRun)
{
    LinePacer pacer(38400);  // 260.4 us per byte
    std::vector<uint8_t> data(100, 0x55);
    pacer.enqueue(data, SimTime(0));
    // The writer wakes late and takes what is due each time; the run still ends on time.
    SimTime now(0);
    size_t written = 0;
    while (pacer.backlog() > 0) {
        now += microseconds(3000);
        const size_t due = pacer.due(now);
        pacer.consume(due);
        written += due;
    }
    EXPECT_EQ(written, 100u);
    EXPECT_EQ(pacer.deadlineOf(99), SimTime(26041));  // 100 x 10 / 38400 s
}

TEST(LinePacer, bytesQueuedWhileBusyContinueTheRunAndAnIdleLineStartsANewOne)
{
    LinePacer pacer(10000);  // exactly 1000 us per byte
    pacer.enqueue(kEight, SimTime(0));
    pacer.consume(pacer.due(SimTime(3000)));  // 3 bytes out
    pacer.enqueue(kEight, SimTime(3500));     // line still busy
    EXPECT_EQ(pacer.nextDeadline(), SimTime(4000));
    EXPECT_EQ(pacer.due(SimTime(16000)), 13u);  // 16 bytes end at 16000
    pacer.consume(13);
    EXPECT_EQ(pacer.backlog(), 0u);
    pacer.enqueue(kEight, SimTime(50000));  // idle: a new run
    EXPECT_EQ(pacer.nextDeadline(), SimTime(51000));
    EXPECT_EQ(pacer.peek(2), (std::vector<uint8_t>{1, 2}));
}

TEST(LinePacer, baudZeroSendsAtOnce)
{
    LinePacer pacer(0);
    pacer.enqueue(kEight, SimTime(5));
    EXPECT_EQ(pacer.due(SimTime(5)), 8u);
    pacer.consume(3);  // a full line took only three
    EXPECT_EQ(pacer.backlog(), 5u);
    EXPECT_EQ(pacer.peek(10), (std::vector<uint8_t>{4, 5, 6, 7, 8}));
}

}  // namespace
}  // namespace hesk::sim

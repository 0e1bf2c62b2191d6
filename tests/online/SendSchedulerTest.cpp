// The send scheduler: one frame per tick, writes before polls, the system list before
// the page list, cycle flags, pausing, and the write pipeline with its echo, confirm,
// retries and failure. "The wire" is every frame the scheduler handed to the sender.

#include "SchedulerFakes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ostream>
#include <string>

namespace hesk::online {
namespace {

using namespace std::chrono_literals;
using testing::RecordingLog;
using testing::SchedulerRig;
using link::CommandFrame;

CommandFrame pollRequest(uint16_t address) { return link::readParameterRequest(address); }
CommandFrame writeRequest(uint16_t address, uint16_t value) { return link::writeValueRequest(address, value); }
const CommandFrame kConfirm = link::modifyConfirmRequest();
const CommandFrame kNoWrite{};

using Wire = std::vector<CommandFrame>;

class SendSchedulerTest : public ::testing::Test {
protected:
    void fillSystemList(std::initializer_list<uint16_t> addresses)
    {
        for (uint16_t address : addresses)
            scheduler.systemPollList().push(pollRequest(address));
    }
    static void fill(FrameList& list, std::initializer_list<uint16_t> addresses)
    {
        for (uint16_t address : addresses)
            list.push(pollRequest(address));
    }
    // Timer 5 fires: only ever when armed, as a real single-shot timer.
    void fireRetry()
    {
        ASSERT_TRUE(rig.retryTimer.armed) << "the retry timer was not running";
        rig.retryTimer.armed = false;
        scheduler.retryTimeout();
    }
    Wire ticksOnWire(int count) { return ticksOnWireOf(rig, count); }
    static Wire ticksOnWireOf(SchedulerRig& of, int count)
    {
        of.ticks(count);
        return of.wire.take();
    }
    std::vector<RecordingLog::Line> logLines() const { return rig.log.lines(); }

    SchedulerRig rig;
    SendScheduler& scheduler = rig.scheduler;
};

// ---- polling ------------------------------------------------------------------------

TEST_F(SendSchedulerTest, aSystemListOfFiveFramesLeavesInFiveTicksThenWaitsForTimer6)
{
    fillSystemList({1, 2, 3, 4, 5});
    FrameList emptyPage;
    scheduler.installPagePollList(&emptyPage);
    const Wire cycle{pollRequest(1), pollRequest(2), pollRequest(3), pollRequest(4), pollRequest(5)};
    for (size_t i = 0; i < cycle.size(); ++i)
        EXPECT_EQ(ticksOnWire(1), Wire{cycle[i]}) << "tick " << i + 1;
    EXPECT_TRUE(ticksOnWire(40).empty());
    scheduler.clearPageCycle();  // timer 3 does not restart the system list
    EXPECT_TRUE(ticksOnWire(5).empty());
    scheduler.clearSystemCycle();
    EXPECT_EQ(ticksOnWire(10), cycle);
}

TEST_F(SendSchedulerTest, theSystemListIsServedBeforeThePageList)
{
    fillSystemList({1, 2});
    FrameList page;
    fill(page, {11, 12, 13});
    scheduler.installPagePollList(&page);
    EXPECT_EQ(ticksOnWire(8), (Wire{pollRequest(1), pollRequest(2), pollRequest(11), pollRequest(12), pollRequest(13)}));

    // Both cycles restarted: the system list goes first again.
    scheduler.clearPageCycle();
    scheduler.clearSystemCycle();
    EXPECT_EQ(ticksOnWire(8), (Wire{pollRequest(1), pollRequest(2), pollRequest(11), pollRequest(12), pollRequest(13)}));

    // Only the page cycle restarted.
    scheduler.clearPageCycle();
    EXPECT_EQ(ticksOnWire(8), (Wire{pollRequest(11), pollRequest(12), pollRequest(13)}));
}

TEST_F(SendSchedulerTest, aPageCycleCutShortBySystemFramesResumesWhereItStopped)
{
    fillSystemList({1, 2});
    FrameList page;
    fill(page, {11, 12, 13, 14});
    scheduler.installPagePollList(&page);
    EXPECT_EQ(ticksOnWire(4), (Wire{pollRequest(1), pollRequest(2), pollRequest(11), pollRequest(12)}));
    scheduler.clearSystemCycle();
    EXPECT_EQ(ticksOnWire(6), (Wire{pollRequest(1), pollRequest(2), pollRequest(13), pollRequest(14)}));
}

TEST_F(SendSchedulerTest, aPageCycleRestartedWhileItRunsGoesRoundAgainAtOnce)
{
    fillSystemList({1, 2, 3});
    FrameList page;
    fill(page, {11, 12, 13});
    scheduler.installPagePollList(&page);
    EXPECT_EQ(ticksOnWire(4), (Wire{pollRequest(1), pollRequest(2), pollRequest(3), pollRequest(11)}));
    // Timer 3 while the page cycle runs (the system frames took its first ticks): the
    // restart is not lost, the next cycle follows this one without a further second.
    scheduler.clearPageCycle();
    EXPECT_EQ(ticksOnWire(10), (Wire{pollRequest(12), pollRequest(13), pollRequest(11), pollRequest(12), pollRequest(13)}));
    EXPECT_TRUE(scheduler.pageCycleDone());
    // A restart after the cycle ended starts one cycle, as ever.
    scheduler.clearPageCycle();
    EXPECT_EQ(ticksOnWire(10), (Wire{pollRequest(11), pollRequest(12), pollRequest(13)}));
    // Another page installed meanwhile starts without a pending restart.
    scheduler.clearPageCycle();
    FrameList other;
    fill(other, {21, 22});
    EXPECT_EQ(ticksOnWire(1), Wire{pollRequest(11)});
    scheduler.clearPageCycle();
    scheduler.installPagePollList(&other);
    EXPECT_EQ(ticksOnWire(10), (Wire{pollRequest(21), pollRequest(22)}));
}

TEST_F(SendSchedulerTest, anotherPageReplacesThePollListAndNoPageStopsIt)
{
    FrameList first;
    fill(first, {11, 12, 13});
    FrameList second;
    fill(second, {21, 22});
    scheduler.installPagePollList(&first);
    EXPECT_EQ(ticksOnWire(1), Wire{pollRequest(11)});
    scheduler.installPagePollList(&second);
    EXPECT_EQ(ticksOnWire(5), (Wire{pollRequest(21), pollRequest(22)}));
    scheduler.clearPageCycle();
    scheduler.installPagePollList(nullptr);
    EXPECT_TRUE(ticksOnWire(5).empty());
}

TEST_F(SendSchedulerTest, aParameterShownTwiceIsPolledOncePerCycle)
{
    FrameList page;
    fill(page, {11, 12, 11, 13, 12});
    scheduler.installPagePollList(&page);
    EXPECT_EQ(ticksOnWire(10), (Wire{pollRequest(11), pollRequest(12), pollRequest(13)}));
}

TEST_F(SendSchedulerTest, pausedPollingSilencesBothListsButNotWrites)
{
    fillSystemList({1, 2});
    FrameList page;
    fill(page, {11});
    scheduler.installPagePollList(&page);
    scheduler.setPollingPaused(true);
    EXPECT_TRUE(scheduler.pollingPaused());
    EXPECT_TRUE(ticksOnWire(5).empty());
    scheduler.queueWrite(writeRequest(0x40, 7));
    EXPECT_EQ(ticksOnWire(5), Wire{writeRequest(0x40, 7)});
    scheduler.setPollingPaused(false);
    EXPECT_EQ(ticksOnWire(5), (Wire{pollRequest(1), pollRequest(2), pollRequest(11)}));
}

TEST_F(SendSchedulerTest, aHeldLineSendsNothingAndARetryDueMeanwhileWaitsForTheRelease)
{
    fillSystemList({1});
    scheduler.queueWrite(writeRequest(0x40, 7));
    EXPECT_EQ(ticksOnWire(1), Wire{writeRequest(0x40, 7)});
    scheduler.setLineHeld(true);
    EXPECT_TRUE(scheduler.lineHeld());
    scheduler.queueWrite(writeRequest(0x41, 8));
    fireRetry();  // the first write's echo is overdue while a transfer owns the line
    EXPECT_EQ(scheduler.writeRetryCount(), 1);
    EXPECT_TRUE(rig.retryTimer.armed);
    EXPECT_TRUE(ticksOnWire(10).empty());
    EXPECT_TRUE(logLines().empty());
    scheduler.setLineHeld(false);
    fireRetry();
    EXPECT_EQ(scheduler.writeRetryCount(), 2);
    EXPECT_EQ(ticksOnWire(2), (Wire{writeRequest(0x40, 7), pollRequest(1)}));
    scheduler.setLineHeld(true);
    scheduler.reset();
    EXPECT_FALSE(scheduler.lineHeld());
}

TEST_F(SendSchedulerTest, pollSendsLeaveTheRetryTimerAlone)
{
    fillSystemList({1, 2, 3});
    rig.ticks(3);
    EXPECT_TRUE(rig.retryTimer.periods.empty());
}

TEST_F(SendSchedulerTest, theLastPollSendResultIsKept)
{
    fillSystemList({1, 2, 3});
    rig.wire.queueResults({0, EIO, 0});
    rig.ticks(1);
    EXPECT_EQ(scheduler.lastPollSendError(), 0);
    rig.ticks(1);
    EXPECT_EQ(scheduler.lastPollSendError(), EIO);
    rig.ticks(1);
    EXPECT_EQ(scheduler.lastPollSendError(), 0) << "each poll send replaces the result";

    scheduler.clearSystemCycle();
    rig.wire.queueResults({ENODEV});
    rig.ticks(1);
    EXPECT_EQ(scheduler.lastPollSendError(), ENODEV);
    scheduler.clearLastPollSendError();
    EXPECT_EQ(scheduler.lastPollSendError(), 0);
}

TEST_F(SendSchedulerTest, aFailingWriteSendIsNoPollSendError)
{
    scheduler.queueWrite(writeRequest(0x40, 7));
    rig.wire.queueResults({EIO});
    rig.ticks(1);
    EXPECT_EQ(rig.wire.sent(), Wire{writeRequest(0x40, 7)});
    EXPECT_EQ(scheduler.lastPollSendError(), 0);
}

// ---- write pipeline -----------------------------------------------------------------

TEST_F(SendSchedulerTest, aWriteIsEchoedConfirmedAndAnswered)
{
    const CommandFrame w = writeRequest(0x40, 0x1234);
    scheduler.queueWrite(w);
    EXPECT_EQ(scheduler.pendingWrites(), 1u);
    EXPECT_TRUE(scheduler.writeIdle());

    EXPECT_EQ(ticksOnWire(1), Wire{w});
    EXPECT_EQ(scheduler.pendingWrites(), 0u);
    EXPECT_FALSE(scheduler.writeIdle());
    EXPECT_EQ(scheduler.writeInProgress(), w);
    EXPECT_EQ(scheduler.writeRetryCount(), 1);
    EXPECT_TRUE(rig.retryTimer.armed);
    EXPECT_EQ(rig.retryTimer.periods, std::vector{SendScheduler::kRetryPeriod});

    rig.receive(w);  // the echo
    EXPECT_EQ(scheduler.writeRetryCount(), 0);
    EXPECT_EQ(scheduler.confirmRetryCount(), 1);
    EXPECT_EQ(ticksOnWire(1), Wire{kConfirm});
    EXPECT_EQ(rig.retryTimer.periods.size(), 2u) << "the confirm send arms the timer again";

    rig.receiveConfirmAnswer();
    EXPECT_EQ(scheduler.confirmRetryCount(), 0);
    EXPECT_TRUE(scheduler.writeIdle());
    EXPECT_FALSE(rig.retryTimer.armed);
    EXPECT_TRUE(rig.link.modifyConfirmed.isSet());
    EXPECT_FALSE(rig.link.modifyFailed.isSet());
    EXPECT_TRUE(ticksOnWire(5).empty());
    EXPECT_TRUE(logLines().empty());
}

TEST_F(SendSchedulerTest, writesGoBeforePollsAndPollsContinueWhileAWriteIsAnswered)
{
    fillSystemList({1, 2, 3});
    const CommandFrame w = writeRequest(0x40, 5);
    EXPECT_EQ(ticksOnWire(1), Wire{pollRequest(1)});
    scheduler.queueWrite(w);
    EXPECT_EQ(ticksOnWire(1), Wire{w});
    EXPECT_EQ(ticksOnWire(1), Wire{pollRequest(2)}) << "nothing from slot 0 while the echo is awaited";
    rig.receive(w);
    EXPECT_EQ(ticksOnWire(1), Wire{kConfirm});
    EXPECT_EQ(ticksOnWire(1), Wire{pollRequest(3)});
}

TEST_F(SendSchedulerTest, twoIdenticalWritesAreBothCarriedOutInTurn)
{
    fillSystemList({1, 2, 3, 4, 5, 6, 7, 8});
    const CommandFrame w = writeRequest(0x40, 9);
    scheduler.queueWrite(w);
    scheduler.queueWrite(w);
    EXPECT_EQ(scheduler.pendingWrites(), 2u);

    Wire slotZero;
    auto run = [&](int count) {
        for (const CommandFrame& frame : ticksOnWire(count))
            if (frame[1] != link::code::ReadParameter)
                slotZero.push_back(frame);
    };
    run(3);
    EXPECT_EQ(scheduler.pendingWrites(), 1u) << "the second waits for the first to finish";
    rig.receive(w);
    run(3);
    EXPECT_EQ(scheduler.pendingWrites(), 1u);
    rig.receiveConfirmAnswer();
    run(3);
    EXPECT_EQ(scheduler.pendingWrites(), 0u);
    rig.receive(w);
    run(3);
    rig.receiveConfirmAnswer();
    EXPECT_EQ(slotZero, (Wire{w, kConfirm, w, kConfirm}));
    EXPECT_TRUE(scheduler.writeIdle());
    EXPECT_TRUE(logLines().empty());
}

TEST_F(SendSchedulerTest, anEchoDifferingInByteSixIsIgnoredAndTheWriteIsSentAgain)
{
    const CommandFrame w = writeRequest(0x40, 9);
    scheduler.queueWrite(w);
    EXPECT_EQ(ticksOnWire(1), Wire{w});
    CommandFrame echo = w;
    echo[6] = 1;
    link::sealFrame(echo);
    rig.receive(echo);
    EXPECT_EQ(scheduler.writeRetryCount(), 1);
    EXPECT_EQ(scheduler.confirmRetryCount(), 0);
    EXPECT_TRUE(ticksOnWire(3).empty()) << "no confirm for a foreign echo";
    fireRetry();
    EXPECT_EQ(ticksOnWire(3), Wire{w});
    EXPECT_EQ(logLines(), (std::vector<RecordingLog::Line>{{QStringLiteral("<错误>变量修改超时,重试"), 3}}));
}

struct FailureTexts {
    const char* name;
    bool faultDataMode;
    const char* writeRetry;
    const char* confirmRetry;
    const char* failure;
};

void PrintTo(const FailureTexts& c, std::ostream* os) { *os << c.name; }

class WriteFailure : public SendSchedulerTest, public ::testing::WithParamInterface<FailureTexts> {
protected:
    CommandFrame startWrite()
    {
        const CommandFrame w = GetParam().faultDataMode ? link::faultDataTriggerRequest(1) : writeRequest(0x40, 9);
        scheduler.setFaultDataMode(GetParam().faultDataMode);
        scheduler.queueWrite(w);
        return w;
    }
    std::vector<RecordingLog::Line> expectedLines(const char* retry) const
    {
        return {{QString::fromUtf8(retry), 3}, {QString::fromUtf8(retry), 3},
                {QString::fromUtf8(GetParam().failure), 3}};
    }
    void expectFailedState(const CommandFrame& w)
    {
        EXPECT_TRUE(scheduler.writeIdle());
        EXPECT_EQ(scheduler.writeRetryCount(), 0);
        EXPECT_EQ(scheduler.confirmRetryCount(), 0);
        EXPECT_FALSE(scheduler.faultDataMode()) << "a failure ends the fault-data mode";
        // A failed fault-data trigger keeps its frame; a failed write is cleared.
        EXPECT_EQ(scheduler.writeInProgress(), GetParam().faultDataMode ? w : kNoWrite);
        EXPECT_TRUE(rig.link.modifyFailed.isSet());
        EXPECT_FALSE(rig.link.modifyConfirmed.isSet());
        EXPECT_FALSE(rig.retryTimer.armed);
        EXPECT_TRUE(ticksOnWire(5).empty());
    }
};

TEST_P(WriteFailure, noEchoAtAllThreeSendsTwoRetryLinesThenFailure)
{
    const CommandFrame w = startWrite();
    EXPECT_EQ(ticksOnWire(1), Wire{w});
    for (int attempt = 2; attempt <= 3; ++attempt) {
        fireRetry();
        EXPECT_EQ(scheduler.writeRetryCount(), attempt);
        EXPECT_FALSE(rig.link.modifyFailed.isSet());
        EXPECT_EQ(ticksOnWire(2), Wire{w}) << "attempt " << attempt;
    }
    fireRetry();
    EXPECT_EQ(logLines(), expectedLines(GetParam().writeRetry));
    expectFailedState(w);
}

TEST_P(WriteFailure, echoButNoConfirmAnswerThreeConfirmsTwoRetryLinesThenFailure)
{
    const CommandFrame w = startWrite();
    EXPECT_EQ(ticksOnWire(1), Wire{w});
    rig.receive(w);
    EXPECT_EQ(ticksOnWire(2), Wire{kConfirm});
    for (int attempt = 2; attempt <= 3; ++attempt) {
        fireRetry();
        EXPECT_EQ(scheduler.confirmRetryCount(), attempt);
        EXPECT_EQ(ticksOnWire(2), Wire{kConfirm}) << "attempt " << attempt;
    }
    fireRetry();
    EXPECT_EQ(logLines(), expectedLines(GetParam().confirmRetry));
    expectFailedState(w);
}

TEST_P(WriteFailure, aLateEchoAfterTheFailureStartsNoConfirm)
{
    const CommandFrame w = startWrite();
    rig.ticks(1);
    for (int i = 0; i < 3; ++i) {
        fireRetry();
        rig.ticks(1);
    }
    ASSERT_TRUE(rig.link.modifyFailed.isSet());
    rig.wire.take();
    rig.receive(w);
    EXPECT_EQ(scheduler.confirmRetryCount(), 0);
    EXPECT_TRUE(ticksOnWire(3).empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, WriteFailure,
                         ::testing::Values(FailureTexts{"parameterWrite", false, "<错误>变量修改超时,重试",
                                                        "<错误>MDY_CONFIRM确认超时,重试", "<错误>修改失败"},
                                           FailureTexts{"faultDataTrigger", true, "<错误>故障数据触发超时,重试",
                                                        "<错误>故障数据确认回复超时,重试",
                                                        "<错误>故障数据触发失败"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SendSchedulerTest, theNextQueuedWriteStartsAfterAFailure)
{
    const CommandFrame first = writeRequest(0x40, 1);
    const CommandFrame second = writeRequest(0x41, 2);
    scheduler.queueWrite(first);
    scheduler.queueWrite(second);
    rig.ticks(1);
    for (int i = 0; i < 3; ++i) {
        fireRetry();
        rig.ticks(1);
    }
    EXPECT_EQ(rig.wire.take(), (Wire{first, first, first, second}));
    EXPECT_EQ(scheduler.writeInProgress(), second);
    EXPECT_EQ(scheduler.writeRetryCount(), 1);
    EXPECT_TRUE(rig.retryTimer.armed);
}

TEST_F(SendSchedulerTest, anEchoOfEachOfTwoSendsQueuesOneConfirm)
{
    const CommandFrame w = writeRequest(0x40, 9);
    scheduler.queueWrite(w);
    rig.ticks(1);
    fireRetry();
    rig.ticks(1);  // second send
    rig.receive(w);
    rig.receive(w);  // the echo of the second send
    EXPECT_EQ(scheduler.confirmRetryCount(), 1);
    EXPECT_EQ(rig.wire.take(), (Wire{w, w}));
    EXPECT_EQ(ticksOnWire(3), Wire{kConfirm});
}

TEST_F(SendSchedulerTest, anEchoBeforeTheRetryIsSentLetsTheRetryGoFirst)
{
    const CommandFrame w = writeRequest(0x40, 9);
    scheduler.queueWrite(w);
    rig.ticks(1);
    fireRetry();  // the retry waits on the send list
    rig.receive(w);
    EXPECT_EQ(ticksOnWire(3), (Wire{w, w, kConfirm}));
    rig.receiveConfirmAnswer();
    EXPECT_TRUE(scheduler.writeIdle());
}

TEST_F(SendSchedulerTest, aStrayConfirmAnswerDoesNotEndAWriteAwaitingItsEcho)
{
    const CommandFrame w = writeRequest(0x40, 9);
    scheduler.queueWrite(w);
    EXPECT_EQ(ticksOnWire(1), Wire{w});
    rig.link.modifyConfirmed.reset();
    rig.receiveConfirmAnswer();
    EXPECT_FALSE(rig.link.modifyConfirmed.isSet());  // nobody waiting is told "confirmed"
    EXPECT_FALSE(scheduler.writeIdle());
    EXPECT_TRUE(rig.retryTimer.armed);
    EXPECT_EQ(scheduler.writeRetryCount(), 1);
    fireRetry();
    EXPECT_EQ(ticksOnWire(1), Wire{w});
}

TEST_F(SendSchedulerTest, aTimeOutWithNothingInFlightOnlyStopsTheTimer)
{
    rig.retryTimer.armed = true;
    fireRetry();
    EXPECT_TRUE(logLines().empty());
    EXPECT_TRUE(ticksOnWire(3).empty());
    EXPECT_FALSE(rig.link.modifyFailed.isSet());
    EXPECT_EQ(rig.retryTimer.kills, 1);
}

TEST_F(SendSchedulerTest, resetReturnsToTheStateOfAFreshConnect)
{
    fillSystemList({1, 2});
    FrameList page;
    fill(page, {11});
    scheduler.installPagePollList(&page);
    scheduler.queueWrite(writeRequest(0x40, 1));
    scheduler.queueWrite(writeRequest(0x41, 2));
    rig.wire.queueResults({0, EIO});
    rig.ticks(2);
    rig.receive(writeRequest(0x40, 1));
    scheduler.setPollingPaused(true);
    scheduler.setFaultDataMode(true);
    ASSERT_EQ(scheduler.lastPollSendError(), EIO);
    ASSERT_EQ(scheduler.confirmRetryCount(), 1);

    scheduler.reset();
    EXPECT_TRUE(scheduler.writeIdle());
    EXPECT_EQ(scheduler.writeInProgress(), kNoWrite);
    EXPECT_EQ(scheduler.writeRetryCount(), 0);
    EXPECT_EQ(scheduler.confirmRetryCount(), 0);
    EXPECT_EQ(scheduler.pendingWrites(), 0u);
    EXPECT_FALSE(scheduler.pollingPaused());
    EXPECT_FALSE(scheduler.faultDataMode());
    EXPECT_EQ(scheduler.lastPollSendError(), 0);
    EXPECT_TRUE(scheduler.systemPollList().empty());
    EXPECT_FALSE(rig.retryTimer.armed);
    rig.wire.take();
    EXPECT_TRUE(ticksOnWire(5).empty()) << "no send list, system list or page list left";

    // The cycle flags start clear: a new system list goes out at once.
    fillSystemList({1});
    EXPECT_EQ(ticksOnWire(2), Wire{pollRequest(1)});
}

// A write that cannot be answered any more (the link closed, the scheduler reset) fails:
// the one in progress and every queued one, with modify-failed for whoever waits.
TEST_F(SendSchedulerTest, resetAndAbandonFailTheWriteInProgressAndTheQueuedOnes)
{
    const QString reason = QStringLiteral("<错误>连接已断开，未完成的修改被取消");
    struct Case {
        const char* name;
        bool reset;
        bool echoed;  // the write awaits its confirm, not its echo
    };
    const std::vector<Case> cases = {
        {"abandon, awaiting the echo", false, false},
        {"abandon, awaiting the confirm", false, true},
        {"reset, awaiting the echo", true, false},
        {"reset, awaiting the confirm", true, true},
    };
    for (const Case& c : cases) {
        SchedulerRig rig;
        SendScheduler& s = rig.scheduler;
        rig.scheduler.systemPollList().push(pollRequest(7));
        const CommandFrame w = writeRequest(0x40, 1);
        s.queueWrite(w);
        s.queueWrite(writeRequest(0x41, 2));
        rig.ticks(1);
        if (c.echoed) {
            rig.receive(w);
            rig.ticks(1);
        }
        rig.wire.take();
        ASSERT_FALSE(s.writeIdle()) << c.name;
        ASSERT_FALSE(rig.link.modifyFailed.isSet()) << c.name;

        if (c.reset)
            s.reset();
        else
            s.abandonWrites(reason);
        EXPECT_TRUE(rig.link.modifyFailed.isSet()) << c.name;
        EXPECT_FALSE(rig.link.modifyConfirmed.isSet()) << c.name;
        const QString first = c.reset ? QStringLiteral("<错误>通信已重置，未完成的修改被取消") : reason;
        EXPECT_EQ(rig.log.lines(), (std::vector<RecordingLog::Line>{{first, 3}, {QStringLiteral("<错误>修改失败"), 3}}))
            << c.name;
        EXPECT_TRUE(s.writeIdle()) << c.name;
        EXPECT_EQ(s.pendingWrites(), 0u) << c.name;
        EXPECT_EQ(s.writeInProgress(), kNoWrite) << c.name;
        EXPECT_EQ(s.writeRetryCount(), 0) << c.name;
        EXPECT_EQ(s.confirmRetryCount(), 0) << c.name;
        EXPECT_FALSE(rig.retryTimer.armed) << c.name;
        // A late echo or confirm answer finds nothing to carry on.
        rig.link.modifyFailed.reset();
        rig.receive(w);
        rig.receiveConfirmAnswer();
        EXPECT_FALSE(rig.link.modifyConfirmed.isSet()) << c.name;
        // No write, retry or confirm is left to send; the poll list stays unless reset.
        const Wire polls = c.reset ? Wire{} : Wire{pollRequest(7)};
        EXPECT_EQ(ticksOnWireOf(rig, 4), polls) << c.name;
    }
}

TEST_F(SendSchedulerTest, abandonWithNoWriteSaysNothing)
{
    scheduler.abandonWrites(QStringLiteral("<错误>连接已断开，未完成的修改被取消"));
    scheduler.reset();
    EXPECT_TRUE(logLines().empty());
    EXPECT_FALSE(rig.link.modifyFailed.isSet());
}

// The backstop of a modify wait covers every write still to be carried out.
TEST_F(SendSchedulerTest, theModifyWaitDeadlineGrowsWithTheWritesAhead)
{
    const auto longest = SendScheduler::kLongestWrite;
    const auto slack = SendScheduler::kModifyWaitSlack;
    EXPECT_EQ(longest, 2250ms);
    EXPECT_EQ(scheduler.modifyWaitDeadline(), longest + slack) << "nothing queued: one write";
    scheduler.queueWrite(writeRequest(0x40, 1));
    EXPECT_EQ(scheduler.modifyWaitDeadline(), longest + slack);
    rig.ticks(1);  // in progress
    scheduler.queueWrite(writeRequest(0x41, 2));
    scheduler.queueWrite(writeRequest(0x42, 3));
    EXPECT_EQ(scheduler.modifyWaitDeadline(), 3 * longest + slack);
}

}  // namespace
}  // namespace hesk::online

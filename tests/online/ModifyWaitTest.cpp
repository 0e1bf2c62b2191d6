// WaitModifyResult: the pumped wait for the end of a write, alone and with the scheduler
// driven by real Qt timers and a device answering on its own thread (as the UDP receive
// thread does).

#include "SchedulerFakes.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <thread>

namespace hesk::online {
namespace {

using namespace std::chrono_literals;
using testing::RecordingLog;
using testing::SchedulerRigOf;

// Timer 5 as the session builds it: every call is posted, so calls from any thread take
// effect in the order they were made. The period may be shortened for tests.
class QueuedRetryTimer final : public RetryTimer {
public:
    QueuedRetryTimer() { m_timer.setSingleShot(true); }
    void connectTo(SendScheduler& scheduler, std::chrono::milliseconds period)
    {
        m_period = period;
        QObject::connect(&m_timer, &QTimer::timeout, [&scheduler] { scheduler.retryTimeout(); });
    }
    // Posted by name as the session's timer does (a posted functor reads as a race to the
    // thread sanitizer).
    void arm(std::chrono::milliseconds) override
    {
        QMetaObject::invokeMethod(&m_timer, "start", Qt::QueuedConnection, Q_ARG(int, static_cast<int>(m_period.count())));
    }
    void kill() override { QMetaObject::invokeMethod(&m_timer, "stop", Qt::QueuedConnection); }

private:
    QTimer m_timer;
    std::chrono::milliseconds m_period = SendScheduler::kRetryPeriod;
};

// A device on its own thread: echoes writes and answers MDY_CONFIRM through the real
// reply handlers, on that thread.
class DeviceThread {
public:
    explicit DeviceThread(link::FrameDispatchTable& table) : m_table(table), m_thread([this] { run(); }) {}
    ~DeviceThread()
    {
        {
            const std::lock_guard lock(m_lock);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    void deliver(const link::CommandFrame& frame)
    {
        {
            const std::lock_guard lock(m_lock);
            m_inbox.push_back(frame);
        }
        m_changed.notify_all();
    }
    std::thread::id id() const { return m_thread.get_id(); }

private:
    void run()
    {
        for (;;) {
            link::CommandFrame frame;
            {
                std::unique_lock lock(m_lock);
                m_changed.wait(lock, [this] { return m_stop || !m_inbox.empty(); });
                if (m_stop)
                    return;
                frame = m_inbox.front();
                m_inbox.pop_front();
            }
            if (frame[1] == link::code::WriteValue)
                m_table.dispatch(frame[1], frame);
            else if (frame[1] == link::code::ModifyConfirm)
                m_table.dispatch(frame[1], link::commandFrame(link::code::ModifyConfirm));
        }
    }

    link::FrameDispatchTable& m_table;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<link::CommandFrame> m_inbox;
    bool m_stop = false;
    std::thread m_thread;  // last: starts when everything above exists
};

class ModifyWait : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_online";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr)
            m_app = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

    // Timer 1, faster than the real 25 ms to keep the test short.
    void startTicking(SendScheduler& scheduler)
    {
        QObject::connect(&m_ticker, &QTimer::timeout, [&scheduler] { scheduler.tick(); });
        m_ticker.start(1ms);
    }

    link::LinkState m_link;
    QTimer m_ticker;

private:
    std::unique_ptr<QCoreApplication> m_app;
};

TEST_F(ModifyWait, returnsTrueWhenAnotherThreadSignalsTheConfirmation)
{
    std::thread setter;
    QTimer::singleShot(0, [&] { setter = std::thread([&] { m_link.modifyConfirmed.set(); }); });
    EXPECT_TRUE(WaitModifyResult(m_link));
    setter.join();
}

TEST_F(ModifyWait, returnsFalseWhenAQueuedCallSignalsTheFailure)
{
    QTimer::singleShot(0, [&] { m_link.modifyFailed.set(); });
    EXPECT_FALSE(WaitModifyResult(m_link));
}

TEST_F(ModifyWait, forgetsTheOutcomeOfAnEarlierWrite)
{
    m_link.modifyConfirmed.set();
    QTimer::singleShot(0, [&] { m_link.modifyFailed.set(); });
    EXPECT_FALSE(WaitModifyResult(m_link));

    // Now the failure is the stale one.
    QTimer::singleShot(0, [&] { m_link.modifyConfirmed.set(); });
    EXPECT_TRUE(WaitModifyResult(m_link));
}

TEST_F(ModifyWait, aWriteAnsweredFromTheReaderThreadIsConfirmed)
{
    SchedulerRigOf<QueuedRetryTimer> rig;
    rig.retryTimer.connectTo(rig.scheduler, SendScheduler::kRetryPeriod);
    DeviceThread device(rig.table);
    rig.wire.onSend([&](const link::CommandFrame& frame) { device.deliver(frame); });
    startTicking(rig.scheduler);

    const link::CommandFrame w = link::writeValueRequest(0x40, 0x0102);
    rig.scheduler.queueWrite(w);
    EXPECT_TRUE(WaitModifyResult(rig.link));
    m_ticker.stop();
    rig.wire.onSend({});

    EXPECT_TRUE(rig.scheduler.writeIdle());
    const std::vector<link::CommandFrame> wire = rig.wire.sent();
    ASSERT_GE(wire.size(), 2u);
    EXPECT_EQ(wire.front(), w);
    EXPECT_EQ(wire.back(), link::modifyConfirmRequest());
}

TEST_F(ModifyWait, aWriteNobodyAnswersFailsAfterThreeSends)
{
    SchedulerRigOf<QueuedRetryTimer> rig;
    rig.retryTimer.connectTo(rig.scheduler, 10ms);  // shortened retry period
    startTicking(rig.scheduler);

    const link::CommandFrame w = link::writeValueRequest(0x40, 0x0102);
    rig.scheduler.queueWrite(w);
    EXPECT_FALSE(WaitModifyResult(rig.link));
    m_ticker.stop();

    EXPECT_EQ(rig.wire.sent(), (std::vector<link::CommandFrame>{w, w, w}));
    const QString retry = QStringLiteral("<错误>变量修改超时,重试");
    EXPECT_EQ(rig.log.lines(), (std::vector<RecordingLog::Line>{
                                   {retry, 3}, {retry, 3}, {QStringLiteral("<错误>修改失败"), 3}}));
}

TEST_F(ModifyWait, aWaitThatNothingEndsStopsAtItsDeadline)
{
    EXPECT_EQ(waitModifyOutcome(m_link, 30ms), ModifyOutcome::DeadlinePassed);
    EXPECT_FALSE(WaitModifyResult(m_link, 30ms));
}

// A write whose retries can no longer run (the scheduler reset while it waits for its
// echo) ends the wait as failed, long before the deadline.
TEST_F(ModifyWait, resettingTheSchedulerEndsTheWaitAsFailed)
{
    SchedulerRigOf<QueuedRetryTimer> rig;
    rig.retryTimer.connectTo(rig.scheduler, SendScheduler::kRetryPeriod);
    startTicking(rig.scheduler);
    rig.scheduler.queueWrite(link::writeValueRequest(0x40, 0x0102));
    QTimer::singleShot(20ms, [&] {
        EXPECT_FALSE(rig.scheduler.writeIdle()) << "the write was not sent yet";
        rig.scheduler.reset();
    });
    EXPECT_EQ(waitModifyOutcome(rig.link, 10s), ModifyOutcome::Failed);
    m_ticker.stop();
    EXPECT_TRUE(rig.log.contains(QStringLiteral("<错误>修改失败"), 3));
}

}  // namespace
}  // namespace hesk::online

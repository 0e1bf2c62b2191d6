// Single reads, confirmed writes and the pumped request against the real simulated
// drive: values land in their tables, a write reaches the drive and is confirmed, a
// write that is never echoed or never confirmed fails after exactly three tries with
// the retry log lines, and a read answered with another address runs into its time-out.

#include "SessionFixture.h"

#include "link/FrameCodec.h"

#include <QElapsedTimer>
#include <QTimer>

namespace hesk::session::test {
namespace {

using sim::test::kP0100;
using sim::test::kP7030;

class OnlineAccess : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        startSerialSim();
        openSession();
        ASSERT_TRUE(connect());
    }
    std::vector<const model::HeskParameterElement*> elements(std::initializer_list<const char*> keys) const
    {
        std::vector<const model::HeskParameterElement*> list;
        for (const char* key : keys)
            list.push_back(&element(key));
        return list;
    }
    bool simHonours(const QString& command)
    {
        return sim.command(command).startsWith(QLatin1String("ok"));
    }
};

TEST_F(OnlineAccess, singleReadsFillTheirTablesAndTheSessionKeepsMonitoring)
{
    EXPECT_TRUE(session->readParameters(elements({"P0070", "P0100", "r0006.0", "r0820", "P0554"})));
    EXPECT_EQ(session->values().parameters.valueOr0(sim::test::kP0070), 37);
    EXPECT_EQ(session->values().parameters.valueOr0(kP0100), 0x1000);
    EXPECT_EQ(session->values().readOnly.valueOr0(sim::test::kR0006), 540);
    EXPECT_EQ(session->values().readOnly.valueOr0(sim::test::kR0820), 125);
    EXPECT_EQ(session->values().connections.valueOr0(sim::test::kP0554), 0xFFFF);  // source 1, stored negated
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::Monitoring);
    EXPECT_TRUE(session->monitoringTimersActive());

    // The variants with a fixed code.
    EXPECT_TRUE(session->readValues(elements({"P0100"}), true));
    EXPECT_TRUE(session->readReadOnlyValues(elements({"r0001"})));
    EXPECT_TRUE(session->readConnectionValues(elements({"P0554"})));
    EXPECT_EQ(session->values().readOnly.valueOr0(sim::test::kR0001), 9);
}

// A new connect starts from tables that hold nothing the drive reported: words of an
// earlier connection (perhaps another drive) are not taken for this drive's.
TEST_F(OnlineAccess, aConnectStartsFromNothingReported)
{
    ASSERT_TRUE(session->readParameters(elements({"P0100", "r0820"})));
    ASSERT_TRUE(session->values().parameters.received(kP0100));
    ASSERT_TRUE(session->disconnectDevice());
    EXPECT_TRUE(session->values().parameters.received(kP0100));  // offline the words stay

    ASSERT_TRUE(connect());

    EXPECT_FALSE(session->values().parameters.received(kP0100));
    EXPECT_FALSE(session->values().readOnly.received(sim::test::kR0820));
    EXPECT_EQ(session->values().parameters.valueOr0(kP0100), 0);
    // The polls bring them again.
    EXPECT_TRUE(sim::test::pumpUntil([&] { return session->values().parameters.received(sim::test::kP0060); }, 5s));
}

TEST_F(OnlineAccess, aReadThatIsNeverAnsweredFailsAndKeepsWhatAnswered)
{
    session->values().readOnly.store(sim::test::kR0820, 0);
    // r0820 answers; then the drive goes quiet: the read after it fails, 4 x 500 ms.
    std::vector<const model::HeskParameterElement*> list = elements({"r0820"});
    ASSERT_TRUE(session->readParameters(list));
    sim.command(QStringLiteral("mute on"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(session->readParameters(elements({"r0006.0", "r0001"})));
    EXPECT_GE(clock.elapsed(), 1900);
    EXPECT_LT(clock.elapsed(), 3500);  // the second read was not tried
    EXPECT_EQ(session->values().readOnly.valueOr0(sim::test::kR0820), 125);
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::Monitoring);
}

TEST_F(OnlineAccess, aReadAnsweredWithAnotherAddressRunsIntoItsTimeOut)
{
    if (!simHonours(QStringLiteral("misaddress on")))
        GTEST_SKIP() << "the simulator cannot answer with another address";
    // Every answer carries the address after the one asked for: stored there, and the
    // wait goes on to its time-out.
    EXPECT_FALSE(session->readParameters(elements({"r0006.0"})));
    sim.command(QStringLiteral("misaddress off"));
    EXPECT_TRUE(session->readParameters(elements({"r0006.0"})));
    EXPECT_EQ(session->values().readOnly.valueOr0(sim::test::kR0006), 540);
}

TEST_F(OnlineAccess, aConfirmedWriteReachesTheDrive)
{
    session->values().parameters.store(kP7030, 0x2000);
    EXPECT_TRUE(session->write(link::writeValueRequest(kP7030, 0x2000)));
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=8192"));
    // Two identical writes queued one after the other are both carried out.
    session->scheduler().queueWrite(link::writeValueRequest(kP0100, 0x0800));
    EXPECT_TRUE(session->write(link::writeValueRequest(kP0100, 0x0800)));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return session->scheduler().writeIdle() && session->scheduler().pendingWrites() == 0; }, 2s));
    EXPECT_EQ(sim.command(QStringLiteral("get P0100")), QStringLiteral("ok P0100=2048"));
    EXPECT_EQ(log.count(QStringLiteral("<错误>修改失败")), 0);
}

// A single read that a timer starts inside a confirmed write's wait is refused: its switch to
// the connection thread would take the write's echo. The write is confirmed all the same.
TEST_F(OnlineAccess, aReadInsideAWritesWaitIsRefusedAndTheWriteGoesThrough)
{
    std::optional<bool> nestedRead;
    QTimer::singleShot(0, [&] { nestedRead = session->readParameters(elements({"P0100"})); });
    session->values().parameters.store(kP7030, 0x1800);
    EXPECT_TRUE(session->write(link::writeValueRequest(kP7030, 0x1800)));
    ASSERT_TRUE(nestedRead.has_value()) << "the timer did not run inside the write's wait";
    EXPECT_FALSE(*nestedRead);
    EXPECT_TRUE(log.contains(QStringLiteral("<错误>正在修改参数，不能读取参数"), 3));
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=6144"));
    EXPECT_TRUE(session->readParameters(elements({"P0100"})));  // once the write ended
}

TEST_F(OnlineAccess, writeRetriesWhenTheDriveDoesNotEchoOrDoesNotConfirm)
{
    struct Case {
        const char* ignore;
        QString retryLine;
    };
    const std::vector<Case> cases = {
        {"0x03", QStringLiteral("<错误>变量修改超时,重试")},
        {"0x08", QStringLiteral("<错误>MDY_CONFIRM确认超时,重试")},
    };
    for (const Case& c : cases) {
        if (!simHonours(QStringLiteral("ignore %1").arg(QLatin1String(c.ignore))))
            GTEST_SKIP() << "the simulator cannot ignore a request code";
        const QString before = sim.command(QStringLiteral("status"));
        EXPECT_FALSE(session->write(link::writeValueRequest(kP0100, 0x0400))) << c.ignore;
        EXPECT_EQ(log.count(c.retryLine), 2) << c.ignore;
        EXPECT_EQ(log.count(QStringLiteral("<错误>修改失败")), 1) << c.ignore;
        EXPECT_TRUE(log.contains(c.retryLine, 3));
        EXPECT_TRUE(session->scheduler().writeIdle());
        EXPECT_EQ(session->scheduler().writeInProgress(), link::CommandFrame{});
        sim.command(QStringLiteral("ignore off"));
        // The pipeline is free again: the next write goes through.
        EXPECT_TRUE(session->write(link::writeValueRequest(kP0100, 0x1000))) << c.ignore;
        log.clear();
    }
}

TEST_F(OnlineAccess, pumpedRequestsKeepTheEventLoopRunning)
{
    int ticks = 0;
    QTimer counter;
    QObject::connect(&counter, &QTimer::timeout, [&] { ++ticks; });
    counter.start(10);
    session->SendAndWaitPumping(link::heartbeatSupervisionRequest(true), 2, 1000ms);
    EXPECT_EQ(session->link().replyStatus(), link::ReplyStatus::Success);
    sim.command(QStringLiteral("mute on"));
    const int before = ticks;
    session->SendAndWaitPumping(link::heartbeatSupervisionRequest(false), 2, 200ms);
    EXPECT_EQ(session->link().replyStatus(), link::ReplyStatus::Pending);
    EXPECT_GT(ticks, before + 10);  // 400 ms of waiting ran the loop
    EXPECT_TRUE(session->monitoringTimersActive());
}

TEST_F(OnlineAccess, formulasFollowThePowerUnitTheDriveReports)
{
    // The system poll list reads P0070; the supervision feeds it to the formulas.
    ASSERT_TRUE(sim::test::pumpUntil([&] { return session->project().formulas().firstRecomputationDone(); }, 5s));
}

}  // namespace
}  // namespace hesk::session::test

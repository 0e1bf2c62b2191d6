// Stopping and starting the link's reader threads: what a queued call that runs inside
// the wait for a reader thread to end may do (nothing that changes the link), a reader
// that is not started without its stop signal, and the arming of a single read after
// the reply event is reset.

#include "HoldingLog.h"
#include "LinkFakes.h"
#include "LinkPeers.h"
#include "link/CDeviceLink.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace hesk::link {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::pumpUntil;
using test::SerialPeer;

std::vector<Bytes> answerReads(uint8_t routing, std::span<const uint8_t> frame)
{
    if (routing != code::ReadParameter)
        return {};
    const CommandFrame answer = addressFrame(code::ReadParameter, wordAt(frame, 2), 0x0BAD);
    return {Bytes(answer.begin(), answer.end())};
}

class ReaderStop : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(peer.valid()); }
    void TearDown() override
    {
        link.close();
        peer.stop();
    }
    QString portPath() const { return QString::fromStdString(peer.slavePath()); }

    SerialPeer peer;
    test::RecordingLog log;
    testsupport::HoldingLog holding{log};
    CDeviceLink link{holding};
    OnlineValueTables values;
    ConnectionState connection;
    SleepingPause pause;
    FrameDispatchTable table{ReplyContext{link.state(), link, values, connection, link.faultData(), log, pause, {}}};

    ReaderStop() { link.setDispatchTable(&table); }
};

TEST_F(ReaderStop, aCallRunningInsideTheStopWaitCannotStartStopCloseOrOpen)
{
    ASSERT_TRUE(link.openSerial(portPath(), QStringLiteral("115200")));
    peer.start(answerReads);
    ASSERT_TRUE(link.startMonitoringThread());

    struct Attempt {
        const char* name;
        std::function<bool()> call;
        bool result = true;
    };
    std::vector<Attempt> attempts = {
        {"start the connection thread", [&] { return link.startConnectionThread(); }},
        {"start the monitoring thread", [&] { return link.startMonitoringThread(); }},
        {"stop the reader", [&] { return link.stopReaderThread(); }},
        {"close", [&] { return link.close(); }},
        {"open again", [&] { return link.openSerial(portPath(), QStringLiteral("115200")); }},
    };
    bool stoppingSeen = false;
    holding.holdAt(QStringLiteral("结束跟踪监听线程"), [&] {
        stoppingSeen = link.stoppingReader();
        for (Attempt& attempt : attempts)
            attempt.result = attempt.call();
    });
    ASSERT_TRUE(link.stopMonitoringThread());
    ASSERT_TRUE(holding.ranWhileHeld()) << "the queued call did not run inside the stop wait";
    EXPECT_TRUE(stoppingSeen);
    for (const Attempt& attempt : attempts)
        EXPECT_FALSE(attempt.result) << attempt.name;
    const std::vector<QString> refusals = {
        QStringLiteral("<错误>接收线程正在停止，不能启动接收线程"),
        QStringLiteral("<错误>接收线程正在停止，不能停止接收线程"),
        QStringLiteral("<错误>接收线程正在停止，不能关闭端口"),
        QStringLiteral("<错误>接收线程正在停止，不能打开端口"),
    };
    for (const QString& line : refusals)
        EXPECT_TRUE(log.contains(line, 3)) << line.toStdString();
    EXPECT_EQ(log.count(QStringLiteral("开启连接线程")), 0) << "no thread was started inside the wait";

    // The stop completed, and nothing of it was undone: no reader, the port still open.
    EXPECT_FALSE(link.stoppingReader());
    EXPECT_EQ(link.readerThread(), ReaderThread::None);
    EXPECT_FALSE(link.state().monitoringThreadRunning.load());
    EXPECT_EQ(link.mode(), LinkMode::Serial);
    // The link goes on as before: a new reader starts and a single read is answered.
    ASSERT_TRUE(link.startConnectionThread());
    link.state().connectInProgress.store(true);
    CommandFrame read = readParameterRequest(0x0042);
    link.SendAndWait(read, 4, 1000ms, [&] {
        connection.awaitedAddress.store(0x0042);
        connection.singleReadWaiting.store(true);
    });
    EXPECT_EQ(link.replyStatus(), ReplyStatus::Success);
    EXPECT_EQ(values.parameters.value(0x0042), 0x0BAD);
}

// The descriptors of the process are used up while the link is made, so its stop signal
// (an eventfd) cannot be created.
std::unique_ptr<CDeviceLink> linkWithoutDescriptors(model::LogSink& log, bool& stopSignalFailed)
{
    rlimit saved{};
    getrlimit(RLIMIT_NOFILE, &saved);
    rlimit low = saved;
    low.rlim_cur = std::min<rlim_t>(saved.rlim_cur, 512);
    setrlimit(RLIMIT_NOFILE, &low);
    std::vector<int> taken;
    for (int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC); fd >= 0; fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC))
        taken.push_back(fd);
    auto made = std::make_unique<CDeviceLink>(log);
    stopSignalFailed = !StopSignal().valid();
    for (int fd : taken)
        ::close(fd);
    setrlimit(RLIMIT_NOFILE, &saved);
    return made;
}

TEST(ReaderStart, noReaderIsStartedWithoutItsStopSignal)
{
    test::RecordingLog log;
    bool stopSignalFailed = false;
    const std::unique_ptr<CDeviceLink> link = linkWithoutDescriptors(log, stopSignalFailed);
    ASSERT_TRUE(stopSignalFailed) << "the descriptors were not used up";

    const std::vector<std::pair<const char*, std::function<bool()>>> starts = {
        {"connection", [&] { return link->startConnectionThread(); }},
        {"monitoring", [&] { return link->startMonitoringThread(); }},
        {"udp receive", [&] { return link->startUdpReceiveThread(); }},
    };
    for (const auto& [name, start] : starts) {
        EXPECT_FALSE(start()) << name;
        EXPECT_EQ(link->readerThread(), ReaderThread::None) << name;
    }
    EXPECT_EQ(log.count(QStringLiteral("<错误>停止信号创建失败，不能启动接收线程")), 3);
    EXPECT_FALSE(log.contains(QStringLiteral("开启连接线程")));
    EXPECT_FALSE(link->state().connectionThreadRunning.load());
    // Nothing runs that could not be stopped: closing returns.
    EXPECT_TRUE(link->close());
}

// Single reads arm the reply handler from inside SendAndWait, after the reply event was
// reset. Here the answer arrives the moment the read is armed (as a poll reply for the
// same address may): it must end the wait at once, not be wiped out by the reset.
TEST(SingleReadArming, anAnswerThatComesAsSoonAsTheReadIsArmedEndsTheWait)
{
    test::RecordingLog log;
    CDeviceLink link(log);  // no port: sending does nothing, answers come from the test
    OnlineValueTables values;
    ConnectionState connection;
    SleepingPause pause;
    FrameDispatchTable table{ReplyContext{link.state(), link, values, connection, link.faultData(), log, pause, {}}};
    link.setDispatchTable(&table);

    struct Case {
        const char* name;
        bool answerWhenArmed;
        ReplyStatus status;
        int arms;  // armed again in every attempt
    };
    const std::vector<Case> cases = {
        {"answered when armed", true, ReplyStatus::Success, 1},
        {"never answered", false, ReplyStatus::Pending, 4},
    };
    for (const Case& c : cases) {
        int arms = 0;
        CommandFrame read = readParameterRequest(0x0042);
        link.SendAndWait(read, 4, 20ms, [&] {
            ++arms;
            connection.awaitedAddress.store(0x0042);
            connection.singleReadWaiting.store(true);
            if (c.answerWhenArmed)
                link.dispatch(code::ReadParameter, addressFrame(code::ReadParameter, 0x0042, 0x0123));
        });
        EXPECT_EQ(link.replyStatus(), c.status) << c.name;
        EXPECT_EQ(arms, c.arms) << c.name;
        // Woken by the answer, not ended by the time-out with the answer's wake-up reset.
        EXPECT_EQ(link.state().replyEvent.isSet(), c.answerWhenArmed) << c.name;
    }
    EXPECT_EQ(values.parameters.value(0x0042), 0x0123);
}

}  // namespace
}  // namespace hesk::link

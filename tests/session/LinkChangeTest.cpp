// Commands that reach the session while its link waits for a reader thread to end (a
// queued call running inside that wait) are refused and leave the session as it was;
// a write still waiting when the session disconnects fails at once. Against the real
// simulated drive.

#include "SessionFixture.h"

#include "HoldingLog.h"
#include "link/FrameCodec.h"

namespace hesk::session::test {
namespace {

using sim::test::kP0100;

const QString kMonitoringEnds = QStringLiteral("结束跟踪监听线程");

class LinkChange : public SessionTest {
protected:
    // The session logs through the holding log, which keeps every line in `log`.
    void openHeldSession(shell::SessionTimings timings = {})
    {
        session = std::make_unique<shell::MonitorSession>(faultTables, holding, prompt, settingsFile(), timings);
        session->setHooks(&hooks);
        const auto failure = session->project().open(projectPath);
        ASSERT_FALSE(failure.has_value()) << failure->text.toStdString();
    }
    std::vector<const model::HeskParameterElement*> elements(std::initializer_list<const char*> keys) const
    {
        std::vector<const model::HeskParameterElement*> list;
        for (const char* key : keys)
            list.push_back(&element(key));
        return list;
    }
    void expectOnlineAndMonitoring()
    {
        EXPECT_TRUE(session->isOnline());
        EXPECT_TRUE(session->isMonitoring());
        EXPECT_EQ(session->link().readerThread(), link::ReaderThread::Monitoring);
        EXPECT_FALSE(session->link().stoppingReader());
        EXPECT_TRUE(session->monitoringTimersActive());
    }

    testsupport::HoldingLog holding{log};
};

TEST_F(LinkChange, commandsQueuedIntoAThreadSwitchAreRefusedAndTheReadCompletes)
{
    startSerialSim();
    openHeldSession();
    ASSERT_TRUE(connect());

    // The single read switches to the connection thread: while the monitoring thread is
    // being stopped, a queued call tries a read, a write, a pumped request and a
    // disconnect.
    bool nestedRead = true;
    bool nestedWrite = true;
    bool nestedDisconnect = true;
    link::ReplyStatus nestedRequest = link::ReplyStatus::Success;
    holding.holdAt(kMonitoringEnds, [&] {
        nestedRead = session->readParameters(elements({"r0820"}));
        nestedWrite = session->write(link::writeValueRequest(kP0100, 0x0800));
        session->SendAndWaitPumping(link::heartbeatSupervisionRequest(true), 2, 200ms);
        nestedRequest = session->link().replyStatus();
        nestedDisconnect = session->disconnectDevice();
    });
    session->values().parameters.store(kP0100, 0);
    EXPECT_TRUE(session->readParameters(elements({"P0100"})));
    ASSERT_TRUE(holding.ranWhileHeld()) << "the queued call did not run inside the stop wait";

    EXPECT_FALSE(nestedRead);
    EXPECT_FALSE(nestedWrite);
    EXPECT_EQ(nestedRequest, link::ReplyStatus::Pending);
    EXPECT_FALSE(nestedDisconnect);
    for (const char* request : {"读取参数", "修改参数", "发送请求", "断开连接"}) {
        const QString line = QStringLiteral("<错误>通信线程正在切换，不能%1").arg(QString::fromUtf8(request));
        EXPECT_TRUE(log.contains(line, 3)) << line.toStdString();
    }
    EXPECT_EQ(session->scheduler().pendingWrites(), 0u) << "the refused write was not queued";
    EXPECT_EQ(sim.command(QStringLiteral("get P0100")), QStringLiteral("ok P0100=4096"));

    // The outer read got its answer and the session is back as it was.
    EXPECT_EQ(session->values().parameters.valueOr0(kP0100), 0x1000);
    expectOnlineAndMonitoring();
    EXPECT_EQ(hooks.recorderOfflineCalls, 0);
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(u'|').toStdString();
    // Everything refused inside works now.
    EXPECT_TRUE(session->readParameters(elements({"r0820"})));
    EXPECT_TRUE(session->write(link::writeValueRequest(kP0100, 0x0800)));
    EXPECT_TRUE(session->disconnectDevice());
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None);
}

TEST_F(LinkChange, aDisconnectInsideTheHealthCheckReopenIsRefusedAndThePortComesBack)
{
    const QString linkPath = dir.filePath(QStringLiteral("drive"));
    startSerialSim({QStringLiteral("--link"), linkPath});
    online::InterfaceSettings settings = settingsFile();
    settings.setSerialPort(linkPath, QStringLiteral("38400"));
    shell::SessionTimings timings;
    timings.supervision = 100ms;
    timings.healthCheck = 300ms;
    openHeldSession(timings);
    ASSERT_TRUE(connect());

    bool disconnected = true;
    bool offlineInside = false;
    holding.holdAt(kMonitoringEnds, [&] {
        disconnected = session->disconnectDevice();
        offlineInside = !session->isOnline();
    });
    const QString replug = sim.command(QStringLiteral("replug"));
    if (!replug.startsWith(QLatin1String("ok")))
        GTEST_SKIP() << "the simulator cannot replug its line";
    // The next poll send fails; the health check stops the reader to reopen the port.
    ASSERT_TRUE(sim::test::pumpUntil([&] { return log.contains(QStringLiteral("成功初始化串口"), 1); }, 5s));
    ASSERT_TRUE(holding.ranWhileHeld());
    EXPECT_FALSE(disconnected);
    EXPECT_FALSE(offlineInside);
    EXPECT_TRUE(log.contains(QStringLiteral("<错误>通信线程正在切换，不能断开连接"), 3));
    // Online with its port back, as the session says; a disconnect now goes through.
    expectOnlineAndMonitoring();
    EXPECT_TRUE(session->readParameters(elements({"r0820"})));
    EXPECT_TRUE(session->disconnectDevice());
    EXPECT_FALSE(session->isOnline());
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None);
    const int reopens = log.count(QStringLiteral("成功初始化串口"));
    sim::test::pumpUntil([] { return false; }, 700ms);  // two health-check periods
    EXPECT_EQ(log.count(QStringLiteral("成功初始化串口")), reopens) << "no reopen after the disconnect";
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None);
}

TEST_F(LinkChange, aWriteWaitingWhileTheSessionDisconnectsFailsAtOnce)
{
    startSerialSim();
    openHeldSession();
    // The drive never echoes a write: only the disconnect can end the write early. In the
    // first case the disconnect comes while the write is sent and awaits its echo, in the
    // second while it is still queued behind another write.
    struct Case {
        const char* name;
        bool whileQueued;
    };
    for (const Case c : {Case{"in progress", false}, Case{"queued", true}}) {
        ASSERT_TRUE(connect()) << c.name;
        ASSERT_TRUE(sim.command(QStringLiteral("ignore 0x03")).startsWith(QLatin1String("ok")));
        log.clear();
        if (c.whileQueued)
            session->scheduler().queueWrite(link::writeValueRequest(sim::test::kP7030, 0x0001));
        const size_t queuedBehind = c.whileQueued ? 1 : 0;
        QTimer watch;
        bool disconnected = false;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (session->scheduler().writeIdle() || session->scheduler().pendingWrites() != queuedBehind)
                return;
            watch.stop();
            disconnected = session->disconnectDevice();
        });
        watch.start(1);
        EXPECT_FALSE(session->write(link::writeValueRequest(kP0100, 0x0400))) << c.name;
        EXPECT_TRUE(disconnected) << c.name;
        EXPECT_FALSE(session->isOnline()) << c.name;
        EXPECT_EQ(log.count(QStringLiteral("<错误>连接已断开，未完成的修改被取消")), 1) << c.name;
        EXPECT_EQ(log.count(QStringLiteral("<错误>修改失败")), 1) << c.name;
        EXPECT_EQ(log.count(QStringLiteral("<错误>变量修改超时,重试")), 0) << c.name << ": ended by a retry";
        EXPECT_FALSE(log.contains(QStringLiteral("<错误>修改等待超时"))) << c.name;
        EXPECT_TRUE(session->scheduler().writeIdle()) << c.name;
        EXPECT_EQ(session->scheduler().pendingWrites(), 0u) << c.name;
        sim.command(QStringLiteral("ignore off"));
    }
    // The pipeline is whole after a reconnect.
    ASSERT_TRUE(connect());
    EXPECT_TRUE(session->write(link::writeValueRequest(kP0100, 0x0400)));
}

// A write made inside a pumped request, which holds the scheduler for its time: nothing
// sends the write, so its wait ends at the backstop, and the write is given up rather
// than sent once the scheduler runs again.
TEST_F(LinkChange, aWriteTheSchedulerNeverSendsEndsAtTheBackstopAndIsGivenUp)
{
    startSerialSim();
    openHeldSession();
    ASSERT_TRUE(connect());
    std::optional<bool> written;
    QTimer::singleShot(0, [&] { written = session->write(link::writeValueRequest(kP0100, 0x0400)); });
    session->SendAndWaitPumping(link::heartbeatSupervisionRequest(true), 1, 100ms);
    ASSERT_TRUE(written.has_value()) << "the write did not run inside the pumped request";
    EXPECT_FALSE(*written);
    EXPECT_EQ(log.userLines().filter(QStringLiteral("<错误>")),
              (QStringList{QStringLiteral("<错误>修改等待超时"), QStringLiteral("<错误>未完成的修改被取消"),
                           QStringLiteral("<错误>修改失败")}));
    EXPECT_EQ(session->scheduler().pendingWrites(), 0u);
    EXPECT_TRUE(session->scheduler().writeIdle());
    ASSERT_TRUE(session->monitoringTimersActive());
    sim::test::pumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(sim.command(QStringLiteral("get P0100")), QStringLiteral("ok P0100=4096")) << "the given-up write was sent";
    expectOnlineAndMonitoring();
}

}  // namespace
}  // namespace hesk::session::test

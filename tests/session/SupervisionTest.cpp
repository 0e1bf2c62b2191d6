// Disconnect refusals, the supervision's dead-link handling with its messages and the
// motor-control bookkeeping, the CPU load and the serial health check, against the real
// simulated drive. The supervision runs every 100 ms here instead of every second; the
// counting is the same.

#include "SessionFixture.h"

namespace hesk::session::test {
namespace {

using model::MessageKind;
using model::UserMessage;

shell::SessionTimings fastSupervision()
{
    shell::SessionTimings timings;
    timings.supervision = 100ms;
    timings.healthCheck = 300ms;
    return timings;
}

TEST_F(SessionTest, disconnectIsRefusedWhileControlIsHeldOrARecordingRuns)
{
    startSerialSim();
    openSession();
    ASSERT_TRUE(connect());
    hooks.controlHeld = true;
    EXPECT_FALSE(session->disconnectDevice());
    hooks.controlHeld = false;
    hooks.recorderState = 5;
    EXPECT_FALSE(session->disconnectDevice());
    hooks.recorderState = 4;  // armed but not recording: no refusal
    EXPECT_TRUE(session->disconnectDevice());
    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral("在获取电机控制权情况下不允许断开连接，请先释放电机控制权！"),
                                           QStringLiteral("正在进行触发录波，不允许断开连接，请先停止触发录波！")}));
    EXPECT_EQ(prompt.messages()[0].title, QStringLiteral("警告"));
    EXPECT_EQ(prompt.messages()[1], (UserMessage{MessageKind::Information, QStringLiteral("信息"), messageTexts()[1]}));
}

TEST_F(SessionTest, aDriveThatDiesIsDeclaredDeadAfterTwentySilentTicks)
{
    startSerialSim();
    openSession(fastSupervision());
    ASSERT_TRUE(connect());
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !session->paneState().cpuLoad.isEmpty(); }, 3s));
    hooks.controlHeld = true;
    hooks.recorderState = 2;
    sim.command(QStringLiteral("mute on"));
    // 20 ticks of 100 ms without a value reply; well before, the drive is still online.
    sim::test::pumpUntil([] { return false; }, 1000ms);
    EXPECT_TRUE(session->isOnline());
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !session->isOnline(); }, 4s));
    EXPECT_TRUE(log.contains(QStringLiteral("设备发生异常断开！"), 3));
    EXPECT_EQ(hooks.controlDropped, 1);
    EXPECT_EQ(hooks.recordingsAborted, 1);
    EXPECT_EQ(hooks.controlPagesReset, 1);
    EXPECT_EQ(prompt.messages(),
              (std::vector<UserMessage>{
                  {MessageKind::Warning, QStringLiteral("警告"),
                   QStringLiteral("HESKMonitor异常掉线，可通过小键盘停止电机，设置P880=0恢复小键盘转速给定！")},
                  {MessageKind::Warning, QStringLiteral("警告"), QStringLiteral(" 请检查通讯线路！ ")}}));
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None);
    EXPECT_FALSE(session->monitoringTimersActive());
}

TEST_F(SessionTest, withoutMotorControlOnlyTheLineAdviceIsShown)
{
    startSerialSim();
    openSession(fastSupervision());
    ASSERT_TRUE(connect());
    sim.command(QStringLiteral("mute on"));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !session->isOnline(); }, 5s));
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral(" 请检查通讯线路！ ")});
    EXPECT_EQ(hooks.controlDropped, 0);
    EXPECT_EQ(hooks.recordingsAborted, 0);
}

TEST_F(SessionTest, pausedPollingOrARecordingIsNoDeadLink)
{
    startSerialSim();
    openSession(fastSupervision());
    ASSERT_TRUE(connect());
    session->scheduler().setPollingPaused(true);
    sim.command(QStringLiteral("mute on"));
    sim::test::pumpUntil([] { return false; }, 3s);
    EXPECT_TRUE(session->isOnline());
    EXPECT_EQ(session->deadSeconds(), 0);

    // Polling runs again but a recording owns the line: the silence still does not count.
    session->scheduler().setPollingPaused(false);
    session->setRecordingActive(true);
    sim::test::pumpUntil([] { return false; }, 3s);
    EXPECT_TRUE(session->isOnline());
    EXPECT_EQ(session->deadSeconds(), 0);
    EXPECT_TRUE(prompt.messages().empty());

    // A disconnect ends whatever recording held the flag.
    ASSERT_TRUE(session->disconnectDevice());
    EXPECT_FALSE(session->recordingActive());
}

TEST_F(SessionTest, controlHeldAtAForbiddenMenuLevelIsSignalledEverySecond)
{
    startSerialSim();
    openSession(fastSupervision());
    ASSERT_TRUE(connect());
    hooks.controlHeld = true;
    sim.command(QStringLiteral("set P0060 5"));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return hooks.menuLevelNotices >= 2; }, 5s));
    sim.command(QStringLiteral("set P0060 3"));
    ASSERT_TRUE(sim::test::pumpUntil(
        [&] { return session->values().parameters.valueOr0(sim::test::kP0060) == 3; }, 5s));
    const int notices = hooks.menuLevelNotices;
    sim::test::pumpUntil([] { return false; }, 500ms);
    EXPECT_EQ(hooks.menuLevelNotices, notices);
    hooks.controlHeld = false;
}

TEST_F(SessionTest, theSystemListReadsTheReferencesAtConnectThenOnlyWhenDueOrAfterTheirWrite)
{
    startSerialSim();
    shell::SessionTimings timings;
    timings.healthCheck = 1h;  // the cycles are driven by hand
    openSession(timings);
    ASSERT_TRUE(connect());
    const online::FrameList& list = session->scheduler().systemPollList();
    const auto polled = [&](const link::CommandFrame& request) { return list.indexOf(request) >= 0; };
    const link::CommandFrame powerUnit = link::readParameterRequest(sim::test::kP0070);
    const link::CommandFrame slaves = link::readParameterRequest(sim::test::kP0089);
    // At connect: the edit-rule inputs and the formula references; the control panel's
    // values are no longer read every cycle.
    EXPECT_TRUE(polled(powerUnit));
    EXPECT_TRUE(polled(slaves));
    EXPECT_TRUE(polled(link::readReadOnlyRequest(sim::test::kR0001)));
    EXPECT_FALSE(polled(link::readReadOnlyRequest(sim::test::kR0002)));
    EXPECT_FALSE(polled(link::readParameterRequest(sim::test::kP0880)));

    session->healthCheckTick();
    EXPECT_FALSE(polled(powerUnit));
    EXPECT_TRUE(polled(slaves));

    // A confirmed write to P0070 (the drive derives other references from it): the next
    // cycle reads the references, the one after it no longer.
    EXPECT_TRUE(session->write(link::writeValueRequest(sim::test::kP0070, 3)));
    session->healthCheckTick();
    EXPECT_TRUE(polled(powerUnit));
    session->healthCheckTick();
    EXPECT_FALSE(polled(powerUnit));
    // Another write reads nothing more.
    EXPECT_TRUE(session->write(link::writeValueRequest(sim::test::kP0100, 0x0800)));
    session->healthCheckTick();
    EXPECT_FALSE(polled(powerUnit));
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(u'|').toStdString();
}

TEST_F(SessionTest, theHealthCheckRefreshesAndReopensAfterAFailedPollSend)
{
    const QString linkPath = dir.filePath(QStringLiteral("drive"));
    startSerialSim({QStringLiteral("--link"), linkPath});
    online::InterfaceSettings settings = settingsFile();
    settings.setSerialPort(linkPath, QStringLiteral("38400"));
    openSession(fastSupervision());
    ASSERT_TRUE(connect());
    ASSERT_TRUE(sim::test::pumpUntil([&] { return hooks.periodicRefreshes >= 2; }, 3s));
    const QString replug = sim.command(QStringLiteral("replug"));
    if (!replug.startsWith(QLatin1String("ok")))
        GTEST_SKIP() << "the simulator cannot replug its line";
    // The next poll send fails, the health check reopens the port behind the same link.
    ASSERT_TRUE(sim::test::pumpUntil([&] { return log.contains(QStringLiteral("成功初始化串口"), 1); }, 5s));
    EXPECT_TRUE(log.contains(QStringLiteral("<错误>串口异常，程序自动重开串口"), 3));
    EXPECT_TRUE(session->isOnline());
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::Monitoring);
    // Values flow again over the new line.
    session->values().readOnly.store(sim::test::kR0820, 0);
    std::vector<const model::HeskParameterElement*> r0820{&element("r0820")};
    EXPECT_TRUE(session->readParameters(r0820));
    EXPECT_EQ(session->values().readOnly.valueOr0(sim::test::kR0820), 125);
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(u'|').toStdString();
}

TEST_F(SessionTest, aPortThatStaysAwayIsTriedAgainUntilItIsBack)
{
    const QString linkPath = dir.filePath(QStringLiteral("drive"));
    startSerialSim({QStringLiteral("--link"), linkPath});
    online::InterfaceSettings settings = settingsFile();
    settings.setSerialPort(linkPath, QStringLiteral("38400"));
    shell::SessionTimings timings = fastSupervision();
    timings.deadLinkSeconds = 1000;  // the silence while unplugged is no dead link here
    openSession(timings);
    ASSERT_TRUE(connect());
    ASSERT_EQ(sim.command(QStringLiteral("unplug")), QStringLiteral("ok"));
    // Poll sends fail, every health check tries to reopen and fails while unplugged.
    ASSERT_TRUE(sim::test::pumpUntil(
        [&] { return log.count(QStringLiteral("<错误>串口异常，程序自动重开串口")) >= 2; }, 5s));
    EXPECT_FALSE(log.contains(QStringLiteral("成功初始化串口"), 1));
    EXPECT_TRUE(session->isOnline());  // the reopen keeps the state
    ASSERT_TRUE(sim.command(QStringLiteral("plug")).startsWith(QLatin1String("ok /dev/")));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return log.contains(QStringLiteral("成功初始化串口"), 1); }, 5s));
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::Monitoring);
    std::vector<const model::HeskParameterElement*> r0820{&element("r0820")};
    EXPECT_TRUE(session->readParameters(r0820));
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(u'|').toStdString();
}

}  // namespace
}  // namespace hesk::session::test

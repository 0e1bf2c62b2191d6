// The control panel and the factory restore against the real simulated drive running the
// installed inverter sample: refusals in their order, a write the drive never takes, a
// start the drive does not follow, a setpoint outside its limits in each unit, the link
// dying while control is held, and the restore keeping its retention entries.

#include "SessionFixture.h"

#include "operation/ControlPanel.h"
#include "operation/FactoryRestore.h"
#include "operation/PanelHooks.h"

#include <QFile>

namespace hesk::session::test {
namespace {

const QString kSample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

using operation::ControlPanel;
using operation::SetpointUnit;

class ControlPanelTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        projectPath = dir.filePath(QStringLiteral("VRA1V11418.tmprj"));
        ASSERT_TRUE(QFile::copy(kSample, projectPath));
        startSerialSim();
        shell::SessionTimings timings;
        timings.deadLinkSeconds = 2;
        openSession(timings);
        panel = std::make_unique<ControlPanel>(*session, prompt);
        panelHooks = std::make_unique<operation::PanelHooks>(*panel);
        session->setHooks(panelHooks.get());
    }
    void TearDown() override
    {
        if (session && session->isOnline() && panel->controlHeld()) {
            panel->release(true);
            waitIdle();
        }
        if (session)
            session->setHooks(nullptr);
        panel.reset();
        SessionTest::TearDown();
    }
    void connectAndRead()
    {
        ASSERT_TRUE(connect()) << messageTexts().join(QLatin1Char('|')).toStdString();
        ASSERT_TRUE(session->readParameters(panel->parameters().watched()));
        session->refreshFormulas();
    }
    bool simSays(const QString& command) { return sim.command(command).startsWith(QLatin1String("ok")); }
    QString simGet(const QString& key)
    {
        const QString reply = sim.command(QStringLiteral("get ") + key);
        return reply.mid(reply.indexOf(QLatin1Char('=')) + 1);
    }
    bool waitIdle() { return sim::test::pumpUntil([&] { return !panel->busy(); }, 20s); }
    void take()
    {
        prompt.answer(model::PromptAnswer::Ok);
        ASSERT_TRUE(panel->takeOrRelease());
        ASSERT_TRUE(waitIdle());
        ASSERT_TRUE(panel->controlHeld()) << messageTexts().join(QLatin1Char('|')).toStdString();
    }
    QString lastMessage() const { return prompt.messages().empty() ? QString() : prompt.messages().back().text; }

    std::unique_ptr<ControlPanel> panel;
    std::unique_ptr<operation::PanelHooks> panelHooks;
};

TEST_F(ControlPanelTest, takeIsRefusedOfflineAtMenuLevelsTwoFiveEightAndWhileRunning)
{
    EXPECT_FALSE(panel->takeOrRelease());
    EXPECT_EQ(lastMessage(), QStringLiteral("离线状态下，不允许获取电机控制权！"));
    connectAndRead();
    for (const char* level : {"2", "5", "8"}) {
        ASSERT_TRUE(simSays(QStringLiteral("set P0060 ") + QLatin1String(level)));
        ASSERT_TRUE(session->readParameters(std::vector{panel->parameters().menuLevel}));
        EXPECT_FALSE(panel->takeOrRelease()) << level;
        EXPECT_EQ(lastMessage(), QStringLiteral("在P60=2/5/8时，不允许获取电机控制权！")) << level;
    }
    ASSERT_TRUE(simSays(QStringLiteral("set P0060 1")));
    ASSERT_TRUE(session->readParameters(std::vector{panel->parameters().menuLevel}));

    // Running: neither take nor release (the state check comes before the held test).
    take();
    ASSERT_TRUE(panel->start());
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(panel->runCommanded()) << lastMessage().toStdString();
    ASSERT_TRUE(session->readParameters(std::vector{panel->parameters().state}));
    EXPECT_FALSE(panel->takeOrRelease());
    EXPECT_EQ(lastMessage(), QStringLiteral("在装置运行状态下，不允许获取或者释放电机控制权！"));
    EXPECT_TRUE(panel->controlHeld());
    EXPECT_FALSE(panel->start());
    EXPECT_EQ(lastMessage(), QStringLiteral("电机已经启动！"));
}

TEST_F(ControlPanelTest, aWriteTheDriveNeverTakesEndsTheTakeWithoutControl)
{
    connectAndRead();
    ASSERT_TRUE(simSays(QStringLiteral("ignore 0x03")));
    prompt.answer(model::PromptAnswer::Ok);
    ASSERT_TRUE(panel->takeOrRelease());
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(panel->controlHeld());
    EXPECT_EQ(lastMessage(), QStringLiteral("在线修改参数值失败！"));
    EXPECT_EQ(simGet(QStringLiteral("P0880")), QStringLiteral("0"));
    ASSERT_TRUE(simSays(QStringLiteral("ignore off")));
}

TEST_F(ControlPanelTest, aStartTheDriveDoesNotFollowIsTakenBack)
{
    connectAndRead();
    take();
    ASSERT_TRUE(simSays(QStringLiteral("fault set 0.3")));  // a tripped drive does not start
    ASSERT_TRUE(panel->start());
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(lastMessage(), QStringLiteral("电机启动失败，请您重新尝试！"));
    EXPECT_FALSE(panel->runCommanded());
    EXPECT_TRUE(panel->motorStopped());
    EXPECT_EQ(simGet(QStringLiteral("P7000.5")), QStringLiteral("0"));
    EXPECT_FALSE(panel->stop());
    EXPECT_EQ(lastMessage(), QStringLiteral("电机已经停止！"));
}

TEST_F(ControlPanelTest, aStartWithAnIdentificationRequestedRunsItsStepsAndEndsInStandby)
{
    connectAndRead();
    ASSERT_TRUE(simSays(QStringLiteral("set P0115 3")));
    take();
    ASSERT_TRUE(panel->start());
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(panel->runCommanded()) << lastMessage().toStdString();  // 45 counts as running
    // The drive walks its identification states, then waits in standby with the request
    // cleared; the refresh sees it out of operation and takes the start command back.
    std::vector<int> seen;
    ASSERT_TRUE(sim::test::pumpUntil(
        [&] {
            const int state = simGet(QStringLiteral("r0001")).toInt();
            if (seen.empty() || seen.back() != state)
                seen.push_back(state);
            return state == 9;
        },
        15s));
    // The start check may take the first step's time: what was seen is the sequence's tail.
    const std::vector<int> steps{45, 47, 48, 49, 9};
    const auto first = std::find(steps.begin(), steps.end(), seen.front());
    ASSERT_LE(first - steps.begin(), 1) << ::testing::PrintToString(seen);
    EXPECT_EQ(seen, std::vector<int>(first, steps.end())) << ::testing::PrintToString(seen);
    EXPECT_EQ(simGet(QStringLiteral("P0115")), QStringLiteral("0"));
    ASSERT_TRUE(sim::test::pumpUntil(
        [&] {
            panel->refresh();  // the values come with the session's own polling
            return !panel->runCommanded() && !panel->busy();
        },
        10s));
    EXPECT_EQ(simGet(QStringLiteral("P7000.5")), QStringLiteral("0")) << [&] {
        std::string lines;
        for (const auto& line : log.lines())
            lines += line.text.toStdString() + "\n";
        return lines;
    }();
    EXPECT_EQ(panel->view().stateText, QStringLiteral("启动待机"));
}

TEST_F(ControlPanelTest, setpointsOutsideTheLimitsOfEachUnitAreRefusedAndNothingIsWritten)
{
    connectAndRead();
    EXPECT_FALSE(panel->writeSetpoint(QStringLiteral("10")));
    EXPECT_EQ(lastMessage(), QStringLiteral("没有获取电机控制权，不允许转速设定！"));
    take();
    struct Case {
        SetpointUnit unit;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {SetpointUnit::Hz, "250", false},        {SetpointUnit::Hz, "-150", true},
        {SetpointUnit::HzPercent, "199.995", false}, {SetpointUnit::HzPercent, "-200", true},
        {SetpointUnit::Rpm, "60000", false},     {SetpointUnit::Rpm, "1500", true},
        {SetpointUnit::RpmPercent, "-200.5", false}, {SetpointUnit::RpmPercent, "10", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in unit " + std::to_string(static_cast<int>(c.unit)));
        ASSERT_TRUE(panel->writeSetpoint(QStringLiteral("0")));
        panel->changeUnit(c.unit);
        const std::size_t before = prompt.messages().size();
        EXPECT_EQ(panel->writeSetpoint(QString::fromLatin1(c.text)), c.accepted) << lastMessage().toStdString();
        if (!c.accepted) {
            EXPECT_GT(prompt.messages().size(), before) << "a refusal says why";
            EXPECT_EQ(simGet(QStringLiteral("P7030")), QStringLiteral("0"));
        } else {
            EXPECT_NE(simGet(QStringLiteral("P7030")), QStringLiteral("0"));
        }
    }
}

TEST_F(ControlPanelTest, theLinkDyingWhileControlIsHeldAdvisesTheKeypadAndDropsControl)
{
    connectAndRead();
    take();
    ASSERT_TRUE(simSays(QStringLiteral("mute on")));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !session->isOnline(); }, 15s));
    EXPECT_FALSE(panel->controlHeld());
    EXPECT_TRUE(messageTexts().contains(
        QStringLiteral("HESKMonitor异常掉线，可通过小键盘停止电机，设置P880=0恢复小键盘转速给定！")))
        << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(panel->view().stateText, QStringLiteral("未知"));
}

TEST_F(ControlPanelTest, aDisconnectBeforeTheFirstStepEndsTheCommandAsFailed)
{
    connectAndRead();
    std::optional<bool> finished;
    QObject::connect(panel.get(), &ControlPanel::commandFinished,
                     [&](operation::PanelCommand, bool success) { finished = success; });
    prompt.answer(model::PromptAnswer::Ok);
    ASSERT_TRUE(panel->takeOrRelease());  // the first write waits for its 25 ms
    ASSERT_TRUE(panel->busy());
    ASSERT_TRUE(session->disconnectDevice());
    ASSERT_TRUE(finished.has_value()) << "nobody hears that the take ended";
    EXPECT_FALSE(*finished);
    EXPECT_FALSE(panel->busy());
    EXPECT_FALSE(panel->controlHeld());
    sim::test::pumpUntil([] { return false; }, 100ms);  // the step's timer comes and does nothing
    EXPECT_EQ(simGet(QStringLiteral("P0880")), QStringLiteral("0"));
}

TEST_F(ControlPanelTest, restoreRefusalsComeInTheirOrder)
{
    connectAndRead();
    operation::FactoryRestore restore(*session, prompt);
    struct Case {
        const char* right;
        const char* level;
        const char* message;
    };
    const Case cases[] = {
        // P0060 = 2 but no modification right: the right's message, not the menu's.
        {"0", "2", "未设置参数修改权限，不允许执行恢复出厂设置操作！"},
        {"6", "1", "参数菜单P60不为2，不允许执行恢复出厂设置操作！"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(simSays(QStringLiteral("set P0053 ") + QLatin1String(c.right)));
        ASSERT_TRUE(simSays(QStringLiteral("set P0060 ") + QLatin1String(c.level)));
        EXPECT_FALSE(restore.start());
        EXPECT_EQ(lastMessage(), QString::fromUtf8(c.message));
    }
    // Control held comes last among the refusals.
    ASSERT_TRUE(simSays(QStringLiteral("set P0053 6")));
    ASSERT_TRUE(simSays(QStringLiteral("set P0060 1")));
    ASSERT_TRUE(session->readParameters(std::vector{panel->parameters().menuLevel}));
    take();
    ASSERT_TRUE(simSays(QStringLiteral("set P0060 2")));
    EXPECT_FALSE(restore.start());
    EXPECT_EQ(lastMessage(), QStringLiteral("请先释放控制权，再进行恢复出厂设置操作！"));
}

TEST_F(ControlPanelTest, restoreKeepsTheRetentionEntriesAndResetsTheRest)
{
    connectAndRead();
    ASSERT_TRUE(simSays(QStringLiteral("set P0941.0 K0002")));
    ASSERT_TRUE(simSays(QStringLiteral("set P0942.0 123")));
    ASSERT_TRUE(simSays(QStringLiteral("set P0089 3")));
    ASSERT_TRUE(simSays(QStringLiteral("set P0060 2")));
    const QString source = simGet(QStringLiteral("P0941.0"));
    operation::FactoryRestore restore(*session, prompt);
    std::optional<bool> result;
    QObject::connect(&restore, &operation::FactoryRestore::finished, [&](bool success) { result = success; });
    int last = 0;
    QObject::connect(&restore, &operation::FactoryRestore::progress, [&](int position, int) { last = position; });
    prompt.answer(model::PromptAnswer::Yes);
    ASSERT_TRUE(restore.start());
    ASSERT_TRUE(sim::test::pumpUntil([&] { return result.has_value(); }, 20s));
    EXPECT_TRUE(*result);
    EXPECT_EQ(last, operation::FactoryRestore::kRange);
    EXPECT_EQ(lastMessage(), QStringLiteral("HESKMonitor恢复出厂设置成功！"));
    EXPECT_EQ(simGet(QStringLiteral("P0089")), QStringLiteral("0"));
    EXPECT_EQ(simGet(QStringLiteral("P0060")), QStringLiteral("1"));
    EXPECT_EQ(simGet(QStringLiteral("P0941.0")), source);
    EXPECT_EQ(simGet(QStringLiteral("P0942.0")), QStringLiteral("123"));
}

TEST_F(ControlPanelTest, aRestoreTheDriveDoesNotConfirmFails)
{
    connectAndRead();
    ASSERT_TRUE(simSays(QStringLiteral("set P0060 2")));
    ASSERT_TRUE(simSays(QStringLiteral("ignore 0x30")));
    operation::FactoryRestore restore(*session, prompt);
    std::optional<bool> result;
    QObject::connect(&restore, &operation::FactoryRestore::finished, [&](bool success) { result = success; });
    prompt.answer(model::PromptAnswer::Yes);
    ASSERT_TRUE(restore.start());
    ASSERT_TRUE(sim::test::pumpUntil([&] { return result.has_value(); }, 20s));
    EXPECT_FALSE(*result);
    EXPECT_EQ(lastMessage(), QStringLiteral("HESKMonitor恢复出厂设置失败，请您重新尝试！"));
    EXPECT_EQ(simGet(QStringLiteral("P0060")), QStringLiteral("2"));
}

}  // namespace
}  // namespace hesk::session::test

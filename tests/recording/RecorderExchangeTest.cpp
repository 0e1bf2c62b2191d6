// The trigger recorder against the real simulated drive: immediate and triggered starts
// on both device variants, the samples checked against what the drive did (the motor's
// speed after a start, the trigger sample), a data frame with a bad check, stop while
// armed, a drive that falls silent, the deferred echo during a control-panel operation,
// the link dropping, and one recording over UDP.

#include "RecorderSessionFixture.h"

#include <QElapsedTimer>
#include <QThread>

#include <atomic>

namespace hesk::recording::test {
namespace {

const QString kInverter = installedProject("VRA1", "VRA1V11418");

double percentOf(uint16_t word) { return TriggerRecording::analogValue(word); }

class RecorderVariants : public RecorderSession, public ::testing::WithParamInterface<int> {};

TEST_P(RecorderVariants, immediateStartRecordsTheRunningMotor)
{
    connectTo(kInverter, {QStringLiteral("--variant"), QString::number(GetParam())});
    runMotor(6554);  // 40 % of 3000 r/min
    waitFor([] { return false; }, 2500ms);  // the ramp to 40 Hz takes 2 s
    TriggerSettings s = settingsOn({{0, "K0081"}, {1, "K0032"}, {3, "K0021"}});
    s.samplingPeriod = 2;
    recorder->setSettings(s);
    ASSERT_TRUE(recorder->start(TriggerRecorder::StartKind::Immediate)) << messageTexts().join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(waitFor([&] { return !recordings.empty(); }, 60s)) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(recorder->state(), 0);
    EXPECT_EQ(endings, 1);
    EXPECT_FALSE(session->recordingActive());
    EXPECT_TRUE(prompt.messages().empty());
    EXPECT_TRUE(log.contains(QStringLiteral("触发录波立即启动成功")));
    EXPECT_TRUE(log.contains(QStringLiteral("触发录波数据接收完毕")));

    const TriggerRecording& r = recordings.front();
    // Three channels share the 8192 samples: 2730 each; channel 3 has none.
    EXPECT_EQ(r.channels[0].words.size(), 2730u);
    EXPECT_EQ(r.channels[1].words.size(), 2730u);
    EXPECT_TRUE(r.channels[2].words.empty());
    EXPECT_EQ(r.channels[2].label, QStringLiteral("通道3无数据信号"));
    EXPECT_EQ(r.channels[3].words.size(), 2730u);
    EXPECT_EQ(r.channels[0].triggerPosition, 0);
    // The speed: about 1194 r/min of 3000 (slip), every sample; the frequency 40 Hz of 50.
    for (uint16_t w : r.channels[0].words)
        ASSERT_NEAR(percentOf(w), 39.8, 0.4);
    for (uint16_t w : r.channels[3].words)
        ASSERT_NEAR(percentOf(w), 80.0, 0.05);
    // The status word as the drive reports it in r0550 (running).
    const QString status = simulator.command(QStringLiteral("get r0550"));  // "ok r0550=N"
    const auto running = static_cast<uint16_t>(status.section(QLatin1Char('='), 1).toUInt());
    EXPECT_NE(running, 0);
    for (uint16_t w : r.channels[1].words)
        ASSERT_EQ(w, running);
    // The record information: TA of the drive (r0820 through its conversion), period 2.
    EXPECT_EQ(r.information.baseTime, session->project().project().timeBases[0]);
    EXPECT_EQ(r.information.sampling, QStringLiteral("2"));
    EXPECT_EQ(r.information.condition, QStringLiteral("Start Immediately"));
    ASSERT_EQ(r.information.references.size(), 5u);
    EXPECT_EQ(r.information.references[0].name, QStringLiteral("P0350"));
    EXPECT_EQ(r.information.references[0].value, QStringLiteral("100.000"));
    EXPECT_EQ(r.deviceStyle, QStringLiteral("VRA1"));
}

TEST_P(RecorderVariants, triggeredStartCatchesTheMotorStartAtTheTriggerSample)
{
    connectTo(kInverter, {QStringLiteral("--variant"), QString::number(GetParam())});
    TriggerSettings s = settingsOn({{0, "K0021"}, {2, "K0081"}});
    s.preTrigger = 25;  // 25 x 81.92 / 2 = 1024 samples before the trigger
    s.condition1On = 1;
    s.condition1Parameter = QStringLiteral("K0021");
    s.condition1Address = address("K0021");
    s.conditionOperator = static_cast<int>(TriggerOperator::Greater);
    s.value = QStringLiteral("5");
    recorder->setSettings(s);
    ASSERT_TRUE(recorder->start(TriggerRecorder::StartKind::Triggered)) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(recorder->state(), 5);
    EXPECT_TRUE(log.contains(QStringLiteral("触发录波触发启动成功")));
    waitFor([] { return false; }, 300ms);  // the pre-trigger ring fills
    EXPECT_EQ(recorder->state(), 5);
    runMotor(6554);
    ASSERT_TRUE(waitFor([&] { return !recordings.empty(); }, 60s)) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("接收到设备条件触发信号,回复")));
    const TriggerRecording& r = recordings.front();
    ASSERT_EQ(r.channels[0].words.size(), 4096u);
    ASSERT_EQ(r.channels[2].words.size(), 4096u);
    EXPECT_EQ(r.channels[0].triggerPosition, 1024);
    EXPECT_EQ(r.channels[2].triggerPosition, 1024);
    // The trigger sample is the first above 5 % (819), the one before is not.
    const uint16_t limit = *conditionWord(5.0);
    EXPECT_GT(int16_t(r.channels[0].words[1024]), int16_t(limit));
    EXPECT_LE(int16_t(r.channels[0].words[1023]), int16_t(limit));
    EXPECT_DOUBLE_EQ(r.sampleTimeMs(r.channels[0], 1024), 0.0);
    EXPECT_LT(r.sampleTimeMs(r.channels[0], 0), 0.0);
    // Before the start the motor stood; after it the frequency ramps at 20 Hz/s.
    EXPECT_LT(int16_t(r.channels[0].words[0]), int16_t(limit));
    EXPECT_GT(r.channels[0].words.back(), r.channels[0].words[1024]);
    EXPECT_EQ(r.information.condition, QStringLiteral("K0021 > 5"));
    EXPECT_EQ(recorder->state(), 0);
    EXPECT_FALSE(session->recordingActive());
}

INSTANTIATE_TEST_SUITE_P(DeviceVariant, RecorderVariants, ::testing::Values(0, 1));

TEST_F(RecorderSession, dataFrameWithBadCheckEndsTheRecordingWithAMessage)
{
    RecorderTimings fast;
    fast.receptionTick = 50ms;
    connectTo(kInverter, {QStringLiteral("--variant"), QStringLiteral("1")}, false, fast);
    recorder->setSettings(settingsOn({{0, "K0021"}}));
    ASSERT_TRUE(recorder->start(TriggerRecorder::StartKind::Immediate));
    ASSERT_TRUE(simulator.command(QStringLiteral("noise 0.02")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(waitFor([&] { return !prompt.messages().empty(); }, 30s));
    EXPECT_EQ(prompt.messages().front(), model::UserMessage::error(QStringLiteral("下位机上传的数据有错，本次录波失败！")));
    EXPECT_TRUE(log.contains(QStringLiteral("触发录波上传的数据有错！")));
    EXPECT_TRUE(recordings.empty());
    EXPECT_EQ(recorder->state(), 0);
}

TEST_F(RecorderSession, stopWhileArmedSendsStopAndTakesItsReplyInStateZero)
{
    connectTo(kInverter, {});
    TriggerSettings s = settingsOn({{0, "K0021"}});
    s.faultTriggerOn = 1;
    recorder->setSettings(s);
    recorder->stop();
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("当前状态，不允许停止操作！")});
    ASSERT_TRUE(recorder->start(TriggerRecorder::StartKind::Triggered));
    ASSERT_EQ(recorder->state(), 5);
    EXPECT_FALSE(session->disconnectDevice());  // refused while a recording runs
    recorder->stop();
    EXPECT_EQ(recorder->state(), 0);
    EXPECT_TRUE(log.contains(QStringLiteral("接收触发录波停止命令")));
    EXPECT_TRUE(log.contains(QStringLiteral("触发录波停止成功")));
    EXPECT_FALSE(session->recordingActive());
    EXPECT_EQ(endings, 1);
    EXPECT_TRUE(session->disconnectDevice());
}

TEST_F(RecorderSession, driveThatFallsSilentMidRecordingTimesOut)
{
    RecorderTimings fast;
    fast.receptionTick = 30ms;
    connectTo(kInverter, {QStringLiteral("--variant"), QStringLiteral("0")}, false, fast);
    recorder->setSettings(settingsOn({{0, "K0021"}}));
    ASSERT_TRUE(recorder->start(TriggerRecorder::StartKind::Immediate));
    // The data flow (the first exchanges), then the drive goes quiet.
    ASSERT_TRUE(waitFor([&] { return log.contains(QStringLiteral("接收到设备触发录波数据校验信息")); }, 10s));
    ASSERT_TRUE(simulator.command(QStringLiteral("mute on")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(waitFor([&] { return !prompt.messages().empty(); }, 10s));
    EXPECT_EQ(prompt.messages().front(), model::UserMessage::error(QStringLiteral("触发录波数据上传超时，请您重新尝试！")));
    EXPECT_EQ(recorder->state(), 0);
    EXPECT_FALSE(session->recordingActive());
    EXPECT_TRUE(recordings.empty());
}

TEST_F(RecorderSession, unansweredStartsFailWithTheirMessages)
{
    connectTo(kInverter, {});
    recorder->setSettings(settingsOn({{0, "K0021"}}));
    ASSERT_TRUE(simulator.command(QStringLiteral("ignore 0x34")).startsWith(QLatin1String("ok")));
    // Nobody answers the start: the immediate start fails at once.
    EXPECT_FALSE(recorder->start(TriggerRecorder::StartKind::Immediate));
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("设备回复超时，立即启动失败！")});
    EXPECT_EQ(recorder->state(), 0);
    // Settings that go unanswered fail the triggered start the same way.
    ASSERT_TRUE(simulator.command(QStringLiteral("ignore 0x31")).startsWith(QLatin1String("ok")));
    TriggerSettings s = settingsOn({{0, "K0021"}});
    s.faultTriggerOn = 1;
    recorder->setSettings(s);
    EXPECT_FALSE(recorder->start(TriggerRecorder::StartKind::Triggered));
    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral("设备回复超时，立即启动失败！"),
                                           QStringLiteral("设备回复超时，触发启动失败！")}));
    EXPECT_FALSE(session->recordingActive());
    EXPECT_FALSE(session->scheduler().pollingPaused());
}

TEST_F(RecorderSession, noDataAfterTheStartEndsWithTheWaitTimer)
{
    RecorderTimings fast;
    fast.waitPerPeriod = 100ms;  // x sampling period 3
    connectTo(kInverter, {}, false, fast);
    TriggerSettings s = settingsOn({{0, "K0021"}});
    s.samplingPeriod = 3;
    recorder->setSettings(s);
    ASSERT_TRUE(recorder->start(TriggerRecorder::StartKind::Immediate));
    ASSERT_EQ(recorder->state(), 6);
    ASSERT_TRUE(simulator.command(QStringLiteral("mute on")).startsWith(QLatin1String("ok")));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(waitFor([&] { return !prompt.messages().empty(); }, 10s));
    EXPECT_GE(clock.elapsed(), 250);  // 3 x 100 ms from the start reply
    EXPECT_EQ(prompt.messages().front(),
              model::UserMessage::error(QStringLiteral("等待触发录波数据上传超时，请您重新尝试！")));
    EXPECT_EQ(recorder->state(), 0);
    EXPECT_EQ(endings, 1);
    EXPECT_FALSE(session->recordingActive());
}

TEST_F(RecorderSession, dataInformationDuringAControlPanelOperationIsEchoedWhenItEnds)
{
    connectTo(kInverter, {QStringLiteral("--variant"), QStringLiteral("0")});
    std::atomic<bool> panelBusy{false};
    recorder->setControlOperationRunning([&] { return panelBusy.load(); });
    recorder->setSettings(settingsOn({{0, "K0021"}}));
    ASSERT_TRUE(recorder->start(TriggerRecorder::StartKind::Immediate));
    ASSERT_TRUE(waitFor([&] { return log.contains(QStringLiteral("接收到设备触发录波数据校验信息")); }, 10s));
    panelBusy.store(true);
    const int echoes = log.count(QStringLiteral("接收到设备触发录波数据信息,回复"));
    // The next data information is kept: no echo, the recorder stays in state 6.
    waitFor([] { return false; }, 300ms);
    const int heldEchoes = log.count(QStringLiteral("接收到设备触发录波数据信息,回复"));
    EXPECT_LE(heldEchoes, echoes + 1);  // at most the one already on its way
    waitFor([] { return false; }, 300ms);
    EXPECT_EQ(log.count(QStringLiteral("接收到设备触发录波数据信息,回复")), heldEchoes);
    EXPECT_EQ(recorder->state(), 6);
    panelBusy.store(false);
    recorder->controlOperationEnded();
    EXPECT_EQ(log.count(QStringLiteral("接收到设备触发录波数据信息,回复")), heldEchoes + 1);
    ASSERT_TRUE(waitFor([&] { return !recordings.empty(); }, 90s)) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(recordings.front().channels[0].words.size(), 8192u);
}

TEST_F(RecorderSession, linkDropAbortsTheRecording)
{
    connectTo(kInverter, {});
    TriggerSettings s = settingsOn({{0, "K0021"}});
    s.faultTriggerOn = 1;
    recorder->setSettings(s);
    ASSERT_TRUE(recorder->start(TriggerRecorder::StartKind::Triggered));
    ASSERT_EQ(recorder->state(), 5);
    ASSERT_TRUE(simulator.command(QStringLiteral("mute on")).startsWith(QLatin1String("ok")));
    // Armed, the polls go on and the supervision counts the silence: 20 s without an
    // answer is a dead link, which aborts the recorder (no stop frame on a dead line).
    waitFor([] { return false; }, 50ms);
    int ticks = 0;
    while (recorder->state() == 5 && ticks < 25) {
        session->supervisionTick();
        ++ticks;
    }
    EXPECT_GE(ticks, 20);
    EXPECT_EQ(recorder->state(), 0);
    EXPECT_EQ(endings, 1);
    EXPECT_FALSE(session->isOnline());
    EXPECT_FALSE(session->recordingActive());
    EXPECT_FALSE(session->link().immediateDispatch());
    EXPECT_FALSE(log.contains(QStringLiteral("触发录波停止成功")));
    EXPECT_TRUE(messageTexts().contains(QStringLiteral(" 请检查通讯线路！ ")));
}

TEST_F(RecorderSession, continuousModeArmsAgainSavesEachRecordingAndGuardsTheDisk)
{
    connectTo(kInverter, {});
    TriggerSettings s = settingsOn({{0, "K0001"}});  // fixed 100 %: every sample triggers
    s.condition1On = 1;
    s.condition1Parameter = QStringLiteral("K0001");
    s.condition1Address = address("K0001");
    s.conditionOperator = static_cast<int>(TriggerOperator::Equal);
    s.value = QStringLiteral("100");
    s.startMode = continuousTriggerText();
    s.savePath = dir.filePath(QStringLiteral("series"));
    recorder->setSettings(s);
    // Room for the first recording; then the disk is full.
    int asked = 0;
    recorder->setFreeSpace([&](const QString&) { return ++asked == 1 ? kAutoSaveMinimumFree : qint64(0); });
    std::vector<bool> displayed;
    QStringList saved;
    QObject::connect(recorder.get(), &TriggerRecorder::recordingComplete, recorder.get(),
                     [&](const TriggerRecording&, bool display) { displayed.push_back(display); });
    QObject::connect(recorder.get(), &TriggerRecorder::recordingSaved, recorder.get(),
                     [&](const QString& path) { saved << path; });
    ASSERT_TRUE(recorder->start(TriggerRecorder::StartKind::Triggered));
    ASSERT_TRUE(waitFor([&] { return displayed.size() >= 2; }, 30s)) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(displayed[0], true);
    EXPECT_EQ(displayed[1], false);  // later recordings are only saved
    EXPECT_EQ(saved.size(), 1);
    // The second save deleted the first recording and still found no room.
    EXPECT_TRUE(log.contains(QStringLiteral("磁盘空间不足，自动删除触发录波文件")));
    EXPECT_TRUE(messageTexts().contains(QStringLiteral("磁盘空间不足，自动保存触发录波文件失败！")));
    EXPECT_FALSE(QFile::exists(saved.value(0)));
    EXPECT_GE(recorder->continuousCount(), 2);
    EXPECT_GE(recorder->state(), 5);  // armed again (or already receiving the next)
    EXPECT_EQ(endings, 0);
    recorder->stop();
    EXPECT_EQ(recorder->state(), 0);
    EXPECT_EQ(endings, 1);
}

TEST_F(RecorderSession, faultTriggerOverUdp)
{
    // The Ethernet connect does not identify the drive: the recorder asks for the device
    // variant itself, so a variant-1 drive's 16-byte data frames are taken.
    connectTo(kInverter, {QStringLiteral("--variant"), QStringLiteral("1")}, true);
    EXPECT_EQ(session->connection().deviceVariantFlag.load(), 0);
    TriggerSettings s = settingsOn({{0, "K0032"}, {1, "K0023"}});
    s.faultTriggerOn = 1;
    s.preTrigger = 50;
    recorder->setSettings(s);
    ASSERT_TRUE(recorder->start(TriggerRecorder::StartKind::Triggered)) << messageTexts().join(QLatin1Char('|')).toStdString();
    waitFor([] { return false; }, 400ms);
    ASSERT_TRUE(simulator.command(QStringLiteral("fault set 0.0")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(waitFor([&] { return !recordings.empty(); }, 30s)) << messageTexts().join(QLatin1Char('|')).toStdString() << [&] {
        std::string all;
        for (const auto& l : log.lines())
            all += l.text.toStdString() + "\n";
        return all;
    }() << simulator.command(QStringLiteral("status")).toStdString();
    const TriggerRecording& r = recordings.front();
    EXPECT_EQ(r.channels[0].triggerPosition, 2048);
    EXPECT_EQ(r.information.condition, QStringLiteral("Fault Trigger"));
    EXPECT_EQ(session->connection().deviceVariantFlag.load(), 1);
    EXPECT_NE(r.channels[0].words[2048], r.channels[0].words[0]);  // the status word changed with the fault
}

}  // namespace
}  // namespace hesk::recording::test

// The real link against the real hesk-drive-sim on a pseudo-terminal: identification,
// reads into the right tables, write echo and MDY_CONFIRM, the motor answering commands,
// trace frames of a recording, line noise without a wrong value stored, the symbolic
// link, the control socket and the paced line.

#include "LinkHarness.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "link/FrameCodec.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace hesk::sim::test {
namespace {

using namespace std::chrono_literals;
using link::ReplyStatus;

class SerialLinkIntegration : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureQtApplication();
        ASSERT_TRUE(dir.isValid());
        project = writeSimProject(dir.path());
    }
    void startSim(const QStringList& extra = {})
    {
        ASSERT_TRUE(sim.start(QStringList{QStringLiteral("--project"), project, QStringLiteral("--pty")} + extra))
            << sim.error().toStdString();
        ASSERT_TRUE(sim.readyLine().startsWith(QStringLiteral("/dev/"))) << sim.readyLine().toStdString();
    }
    void openLink(const QString& path = {})
    {
        ASSERT_TRUE(h.link.openSerial(path.isEmpty() ? sim.readyLine() : path, QStringLiteral("115200")));
    }
    void connectionThread()
    {
        h.link.state().connectInProgress.store(true);
        h.link.startConnectionThread();
    }
    void monitoring()
    {
        h.link.startMonitoringThread();
        h.link.startDispatchTimer();
    }
    void send(link::CommandFrame frame) { ASSERT_EQ(h.link.SendFrame(frame), 0); }
    ReplyStatus sendAndWait(link::CommandFrame frame, int attempts = 4, std::chrono::milliseconds timeout = 1000ms)
    {
        h.link.SendAndWait(frame, attempts, timeout);
        return h.link.replyStatus();
    }
    // Reads r0001 until it shows the state (polling like a page would).
    bool stateBecomes(uint16_t state, std::chrono::milliseconds timeout)
    {
        return pumpUntil(
            [&] {
                link::CommandFrame read = link::readReadOnlyRequest(kR0001);
                h.link.SendFrame(read);
                return h.values.readOnly.valueOr0(kR0001) == state;
            },
            timeout);
    }
    bool confirmedWrite(uint16_t address, uint16_t value) { return h.confirmedWrite(address, value, 3s); }

    QTemporaryDir dir;
    QString project;
    SimProcess sim;
    LinkHarness h{{}, 2};  // the recording below has two channels
};

TEST_F(SerialLinkIntegration, identificationExchange)
{
    startSim();
    openLink();
    connectionThread();
    EXPECT_EQ(sendAndWait(link::cpuTypeRequest()), ReplyStatus::Success);
    EXPECT_EQ(h.connection.deviceCpuType.load(), kCpuCode);
    EXPECT_EQ(h.connection.deviceVariantFlag.load(), 1);
    EXPECT_EQ(h.connection.deviceFlag.load(), 0);

    h.connection.checkProgramId.store(true);
    h.connection.projectProgramId.store(kProgramId);
    EXPECT_EQ(sendAndWait(link::programIdentifierRequest()), ReplyStatus::Success);

    EXPECT_EQ(sim.command(QStringLiteral("last-download failed")), QStringLiteral("ok"));
    EXPECT_EQ(sendAndWait(link::programIdentifierRequest()), ReplyStatus::LastDownloadFailed);
    sim.command(QStringLiteral("last-restore failed"));
    EXPECT_EQ(sendAndWait(link::programIdentifierRequest()), ReplyStatus::DownloadAndRestoreFailed);
    sim.command(QStringLiteral("program-id 0x1111"));
    EXPECT_EQ(sendAndWait(link::programIdentifierRequest()), ReplyStatus::IdentifierCheckFailed);
    EXPECT_EQ(h.connection.deviceProgramId.load(), 0x1111);

    sim.command(QStringLiteral("cpu-type 0x6501"));
    sim.command(QStringLiteral("variant 0"));
    sim.command(QStringLiteral("device-flag 1"));
    EXPECT_EQ(sendAndWait(link::cpuTypeRequest()), ReplyStatus::Success);
    EXPECT_EQ(h.connection.deviceCpuType.load(), 0x6501);
    EXPECT_EQ(h.connection.deviceVariantFlag.load(), 0);
    EXPECT_EQ(h.connection.deviceFlag.load(), 1);
}

TEST_F(SerialLinkIntegration, slowBootAndMuteLeaveTheSenderWithoutAnswer)
{
    startSim({QStringLiteral("--boot-delay"), QStringLiteral("1.5")});
    openLink();
    connectionThread();
    EXPECT_EQ(sendAndWait(link::cpuTypeRequest(), 1, 300ms), ReplyStatus::Pending);
    EXPECT_EQ(sendAndWait(link::cpuTypeRequest(), 4, 1000ms), ReplyStatus::Success);
    sim.command(QStringLiteral("mute on"));
    EXPECT_EQ(sendAndWait(link::cpuTypeRequest(), 2, 300ms), ReplyStatus::Pending);
    sim.command(QStringLiteral("mute off"));
    EXPECT_EQ(sendAndWait(link::cpuTypeRequest(), 2, 1000ms), ReplyStatus::Success);
}

TEST_F(SerialLinkIntegration, readsLandInTheirTables)
{
    startSim();
    openLink();
    monitoring();
    for (uint16_t a = 0; a < kSettableCount; ++a)
        send(link::readParameterRequest(a));
    for (uint16_t a = 0; a < kReadOnlyCount; ++a)
        send(link::readReadOnlyRequest(a));
    send(link::readConnectionRequest(kP0554));
    send(link::readConnectionRequest(kP0100));
    ASSERT_TRUE(pumpUntil([&] { return h.values.connections.valueOr0(kP0100) != 0; }, 5s));
    EXPECT_EQ(h.values.parameters.valueOr0(kP0053), 0x0003);
    EXPECT_EQ(h.values.parameters.valueOr0(kP0070), 37);
    EXPECT_EQ(h.values.parameters.valueOr0(kP0100), 0x1000);  // 25 %
    EXPECT_EQ(h.values.readOnly.valueOr0(kR0001), 9);
    EXPECT_EQ(h.values.readOnly.valueOr0(kR0006), 540);
    EXPECT_EQ(h.values.readOnly.valueOr0(kR0550), 0x0006);
    EXPECT_EQ(h.values.readOnly.valueOr0(kR0820), 125);
    EXPECT_EQ(h.values.connections.valueOr0(kP0554), 0xFFFF);  // K0002: source 1, stored negated
    EXPECT_EQ(h.values.connections.valueOr0(kP0100), 0x8000);  // no connection: source 0
}

TEST_F(SerialLinkIntegration, writeEchoConfirmAndTheMotorFollows)
{
    startSim();
    openLink();
    monitoring();
    ASSERT_TRUE(confirmedWrite(kP7030, 0x2000));  // 25 Hz
    EXPECT_EQ(h.writes.echoes.load(), 1);
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=8192"));
    send(link::readParameterRequest(kP7030));
    ASSERT_TRUE(pumpUntil([&] { return h.values.parameters.valueOr0(kP7030) == 0x2000; }, 3s));

    ASSERT_TRUE(confirmedWrite(kP0880, 1));
    ASSERT_TRUE(confirmedWrite(kP7000_5, 1));
    EXPECT_TRUE(stateBecomes(14, 5s));
    ASSERT_TRUE(pumpUntil(
        [&] {
            link::CommandFrame read = link::readReadOnlyRequest(kR0002);
            h.link.SendFrame(read);
            return h.values.readOnly.valueOr0(kR0002) == 0x2000;  // 25 Hz reached
        },
        5s));
    sim.command(QStringLiteral("fault set 0.3"));
    EXPECT_TRUE(stateBecomes(7, 3s));
    ASSERT_TRUE(confirmedWrite(kP7000_4, 1));
    EXPECT_TRUE(stateBecomes(9, 3s));
}

TEST_F(SerialLinkIntegration, traceFramesOfAnImmediateRecording)
{
    startSim({QStringLiteral("--baud"), QStringLiteral("115200")});
    LinkHarness& l = h;
    l.connection.deviceVariantFlag.store(1);  // as the 0xF0 answer reports it
    openLink();
    monitoring();
    send(link::triggerChannelRequest(1, kR0006));  // 540 V
    send(link::triggerChannelRequest(2, kR0820));  // 125
    send(link::triggerDataRequest(1));
    l.recorder.setState(4);
    send(link::triggerImmediateStartRequest());
    ASSERT_TRUE(pumpUntil([&] { return l.recorder.state() == 6; }, 3s));
    // 0.5 s of recording, then 1366 frames of 16 bytes at 11520 bytes/s.
    ASSERT_TRUE(pumpUntil([&] { return l.recorder.complete(); }, 20s));
    EXPECT_EQ(l.recorder.rejected.load(), 0);
    EXPECT_EQ(l.recorder.samples(0), std::vector<uint16_t>(4096, 540));
    EXPECT_EQ(l.recorder.samples(1), std::vector<uint16_t>(4096, 125));
    EXPECT_TRUE(l.log.contains(QStringLiteral("触发录波数据接收完毕")));
}

TEST_F(SerialLinkIntegration, uploadThroughTheLinksEchoes)
{
    startSim({QStringLiteral("--baud"), QStringLiteral("115200")});
    openLink();
    monitoring();
    send(link::uploadStartRequest());
    ASSERT_TRUE(pumpUntil([&] { return h.upload.ended.load(); }, 5s));
    EXPECT_EQ(h.upload.length.load(), 112);  // 12 + 2 x 10 + 2 x 30 + 2 x 10
    const std::vector<uint8_t> data = h.upload.data();
    ASSERT_EQ(data.size(), 128u);  // two blocks
    auto word = [&](size_t at) { return static_cast<uint16_t>(data[at] | (data[at + 1] << 8)); };
    EXPECT_EQ(word(2), 20);                                 // A
    EXPECT_EQ(word(6), 60);                                 // B
    EXPECT_EQ(word(10), 20);                                // C
    EXPECT_EQ(word(12 + 2 * kP0070), 37);                   // settable
    EXPECT_EQ(word(12 + 20 + 2 * kR0006), 540);             // read-only
    EXPECT_EQ(word(12 + 20 + 60 + 2 * kP0554), 0xFFFF);     // connection, negated
    // The tool echoed the end: the drive does not send it again.
    const QString status = sim.command(QStringLiteral("status"));
    pumpUntil([] { return false; }, 1500ms);
    EXPECT_EQ(sim.command(QStringLiteral("status")).section(QStringLiteral("sent="), 1).section(QLatin1Char(' '), 0, 0),
              status.section(QStringLiteral("sent="), 1).section(QLatin1Char(' '), 0, 0));
}

TEST_F(SerialLinkIntegration, faultDataThroughTheConfirmedTrigger)
{
    startSim({QStringLiteral("--baud"), QStringLiteral("115200")});
    openLink();
    monitoring();
    const link::CommandFrame trigger = link::faultDataTriggerRequest(0);
    h.writes.begin(trigger);
    send(trigger);
    ASSERT_TRUE(pumpUntil([&] { return h.faultTransfer.complete.load(); }, 5s));
    EXPECT_TRUE(h.faultTransfer.started.load());
    EXPECT_EQ(h.writes.confirms.load(), 1);
    // Four channel blocks: each a 7-byte header and 256 samples of 2 bytes.
    const std::vector<uint8_t> ring = h.link.faultData().ringBytes();
    ASSERT_EQ(ring.size(), 4u * (7 + 512));
    EXPECT_EQ(std::vector<uint8_t>(ring.begin(), ring.begin() + 7), (std::vector<uint8_t>{0xAA, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(ring.begin() + 519, ring.begin() + 526), (std::vector<uint8_t>{0xAA, 0, 0, 0, 1, 0, 0}));
    const std::vector<uint16_t> words = h.link.faultData().words();
    ASSERT_EQ(words.size(), 12u);
    EXPECT_EQ(words[0], 1u << 3);  // the fault from before power-up: r0943.0 bit 3
    EXPECT_TRUE(h.log.contains(QStringLiteral("故障数据接收完毕！")));
}

TEST_F(SerialLinkIntegration, noiseAtOnePercentStoresNoWrongValue)
{
    startSim({QStringLiteral("--noise"), QStringLiteral("1%"), QStringLiteral("--seed"), QStringLiteral("11")});
    openLink();
    monitoring();
    // What the drive holds at standby.
    std::map<uint16_t, uint16_t> settable = {{kP0053, 3}, {kP0060, 1}, {kP0070, 37}, {kP0089, 0}, {kP0100, 0x1000},
                                             {kP0554, 0}, {kP0880, 0}, {kP7000_4, 0}, {kP7000_5, 0}, {kP7030, 0}};
    std::map<uint16_t, uint16_t> readOnly;
    for (uint16_t a = 0; a < kReadOnlyCount; ++a)
        readOnly[a] = 0;
    readOnly[kR0001] = 9;
    readOnly[kR0006] = 540;
    readOnly[kR0550] = 6;
    readOnly[kR0820] = 125;
    constexpr uint16_t kUnanswered = 0xDEAD;
    for (const auto& [a, v] : settable)
        h.values.parameters.store(a, kUnanswered);
    for (const auto& [a, v] : readOnly)
        h.values.readOnly.store(a, kUnanswered);

    for (int round = 0; round < 25; ++round) {
        for (const auto& [a, v] : settable)
            send(link::readParameterRequest(a));
        for (const auto& [a, v] : readOnly)
            send(link::readReadOnlyRequest(a));
        pumpUntil([] { return false; }, 40ms);
    }
    pumpUntil([] { return false; }, 300ms);

    int answered = 0;
    for (uint32_t a = 0; a < link::kAddressLimit; ++a) {
        const auto p = settable.find(static_cast<uint16_t>(a));
        const uint16_t pv = h.values.parameters.valueOr0(a);
        if (p == settable.end()) {
            EXPECT_EQ(pv, 0) << "settable " << a;  // a frame forged by noise
        } else {
            EXPECT_TRUE(pv == p->second || pv == kUnanswered) << "settable " << a << " = " << pv;
            answered += pv == p->second ? 1 : 0;
        }
        const auto r = readOnly.find(static_cast<uint16_t>(a));
        const uint16_t rv = h.values.readOnly.valueOr0(a);
        if (r == readOnly.end()) {
            EXPECT_EQ(rv, 0) << "read-only " << a;
        } else {
            EXPECT_TRUE(rv == r->second || rv == kUnanswered) << "read-only " << a << " = " << rv;
            answered += rv == r->second ? 1 : 0;
        }
        EXPECT_EQ(h.values.connections.valueOr0(a), 0) << "connection " << a;
    }
    EXPECT_EQ(answered, static_cast<int>(settable.size() + readOnly.size()));  // 25 tries each
    const QString status = sim.command(QStringLiteral("status"));
    const QString corrupted = status.section(QStringLiteral("corrupted="), 1).section(QLatin1Char(' '), 0, 0);
    EXPECT_GT(corrupted.toInt(), 0) << status.toStdString();
}

TEST_F(SerialLinkIntegration, symbolicLinkControlSocketAndPacedLine)
{
    const QString linkPath = dir.filePath(QStringLiteral("drive"));
    const QString controlPath = dir.filePath(QStringLiteral("control.sock"));
    startSim({QStringLiteral("--link"), linkPath, QStringLiteral("--control"), controlPath, QStringLiteral("--baud"),
              QStringLiteral("9600")});
    EXPECT_EQ(QFileInfo(linkPath).symLinkTarget(), sim.readyLine());
    openLink(linkPath);
    monitoring();

    QLocalSocket control;
    control.connectToServer(controlPath);
    ASSERT_TRUE(control.waitForConnected(3000));
    control.write("get r0820\n");
    ASSERT_TRUE(pumpUntil([&] { return control.canReadLine(); }, 3s));
    EXPECT_EQ(control.readLine().trimmed(), QByteArray("ok r0820=125"));

    // 60 answers of 8 bytes at 9600 baud need at least 60 x 8 x 10 / 9600 = 0.5 s.
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 60; ++i)
        send(link::readReadOnlyRequest(static_cast<uint16_t>(kR0943 + i % 21)));
    send(link::readReadOnlyRequest(kR0820));
    ASSERT_TRUE(pumpUntil([&] { return h.values.readOnly.valueOr0(kR0820) == 125; }, 5s));
    EXPECT_GE(clock.elapsed(), 500);

    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(QFileInfo(linkPath).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(controlPath));
}

TEST(SimProgram, helpAndRefusedStarts)
{
    using testsupport::runProcess;
    const testsupport::ProcessRun help = runProcess(QStringLiteral(HESK_SIM_PATH), {QStringLiteral("--help")});
    ASSERT_TRUE(help.finished);
    EXPECT_EQ(help.exitCode, 0);
    const QString text = QString::fromLocal8Bit(help.out);
    EXPECT_TRUE(text.contains(QStringLiteral("--pty")));
    EXPECT_TRUE(text.contains(QStringLiteral("fault set W.B")));

    const testsupport::ProcessRun bad = runProcess(QStringLiteral(HESK_SIM_PATH), {QStringLiteral("--pty")});
    ASSERT_TRUE(bad.finished);
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(QString::fromLocal8Bit(bad.err).contains(QStringLiteral("--project")));

    const testsupport::ProcessRun missing = runProcess(
        QStringLiteral(HESK_SIM_PATH),
        {QStringLiteral("--project"), QStringLiteral("/nonexistent/x.tmprj"), QStringLiteral("--pty")});
    ASSERT_TRUE(missing.finished);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(QString::fromLocal8Bit(missing.err).contains(QStringLiteral("不存在，装载失败！")));
}

}  // namespace
}  // namespace hesk::sim::test

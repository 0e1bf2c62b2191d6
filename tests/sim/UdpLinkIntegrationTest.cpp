// The real link against the real hesk-drive-sim on UDP loopback: the connect request,
// reads into the right tables, write echo and MDY_CONFIRM, trace frames, CRC-checked
// datagrams under noise and dropped answers. The simulated drive
// listens on its own loopback address and a free port; the link binds 127.0.0.1 on a
// port the system picks, so parallel test runs never collide.

#include "LinkHarness.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "link/FrameCodec.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::sim::test {
namespace {

using namespace std::chrono_literals;
using link::ReplyStatus;

class UdpLinkIntegration : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureQtApplication();
        ASSERT_TRUE(dir.isValid());
        project = writeSimProject(dir.path());
        // A loopback address and port of our own; try again if another run holds them.
        for (int attempt = 0; attempt < 5 && !started; ++attempt) {
            address = QStringLiteral("127.0.0.%1").arg(2 + QRandomGenerator::global()->bounded(250));
            port = static_cast<uint16_t>(20000 + QRandomGenerator::global()->bounded(40000));
            started = sim.start({QStringLiteral("--project"), project, QStringLiteral("--udp"),
                                 QStringLiteral("%1:%2").arg(address).arg(port)});
        }
        ASSERT_TRUE(started) << sim.error().toStdString();
        EXPECT_EQ(sim.readyLine(), QStringLiteral("udp %1:%2").arg(address).arg(port));
        h = std::make_unique<LinkHarness>(
            link::UdpEndpoints{QHostAddress(QStringLiteral("127.0.0.1")), 0, QHostAddress(address), port});
        ASSERT_TRUE(h->link.openUdp());
        h->link.state().connectInProgress.store(true);
        h->link.state().connectionThreadRunning.store(true);
        h->link.state().udpRunning.store(true);
        h->link.startUdpReceiveThread();
    }
    void TearDown() override { h.reset(); }

    bool send(link::CommandFrame frame) { return h->link.SendFrame(frame) == 0; }

    ReplyStatus connect()
    {
        link::CommandFrame request = link::ethernetConnectRequest();
        h->link.SendAndWait(request, 2, 500ms);
        return h->link.replyStatus();
    }

    QTemporaryDir dir;
    QString project;
    QString address;
    uint16_t port = 0;
    bool started = false;
    SimProcess sim;
    std::unique_ptr<LinkHarness> h;
};

TEST_F(UdpLinkIntegration, connectRequestIsAnsweredThroughTheStandByEntry)
{
    EXPECT_EQ(connect(), ReplyStatus::Success);
    // The handler logs after it woke the sender.
    EXPECT_TRUE(pumpUntil([&] { return h->log.contains(QStringLiteral("接收StandBy信号,回复")); }, 2s));
}

TEST_F(UdpLinkIntegration, onlyDatagramsWithAGoodCrcAreDispatched)
{
    // Every byte corrupted: the drive answers, but no answer passes the CRC check.
    EXPECT_EQ(sim.command(QStringLiteral("noise 100%")), QStringLiteral("ok noise=1"));
    EXPECT_EQ(connect(), ReplyStatus::Pending);
    const QString status = sim.command(QStringLiteral("status"));
    EXPECT_FALSE(status.contains(QStringLiteral(" sent=0 "))) << status.toStdString();
    sim.command(QStringLiteral("noise 0"));
    EXPECT_EQ(connect(), ReplyStatus::Success);
    sim.command(QStringLiteral("drop 100%"));
    EXPECT_EQ(connect(), ReplyStatus::Pending);
}

TEST_F(UdpLinkIntegration, heartbeatCommandIsAnswered)
{
    link::CommandFrame start = link::heartbeatSupervisionRequest(true);
    h->link.SendAndWait(start, 2, 1000ms);
    EXPECT_EQ(h->link.replyStatus(), ReplyStatus::Success);
    sim.command(QStringLiteral("mute on"));
    link::CommandFrame stop = link::heartbeatSupervisionRequest(false);
    h->link.SendAndWait(stop, 1, 300ms);
    EXPECT_EQ(h->link.replyStatus(), ReplyStatus::Pending);
    EXPECT_EQ(sim.command(QStringLiteral("mute off")), QStringLiteral("ok"));
    h->link.SendAndWait(stop, 2, 1000ms);
    EXPECT_EQ(h->link.replyStatus(), ReplyStatus::Success);
    EXPECT_EQ(connect(), ReplyStatus::Success);
}

TEST_F(UdpLinkIntegration, ignoredCodeAndNoAdapterToPull)
{
    EXPECT_EQ(sim.command(QStringLiteral("ignore 0x39")), QStringLiteral("ok ignore=0x39"));
    link::CommandFrame start = link::heartbeatSupervisionRequest(true);
    h->link.SendAndWait(start, 1, 300ms);
    EXPECT_EQ(h->link.replyStatus(), ReplyStatus::Pending);
    EXPECT_EQ(connect(), ReplyStatus::Success);  // other requests are answered
    const QString status = sim.command(QStringLiteral("status"));
    EXPECT_TRUE(status.contains(QStringLiteral(" ignored=1 ignore=0x39 "))) << status.toStdString();
    EXPECT_FALSE(status.contains(QStringLiteral("line=")));
    EXPECT_TRUE(sim.command(QStringLiteral("replug")).startsWith(QStringLiteral("error: ")));
}

TEST_F(UdpLinkIntegration, readsLandInTheirTables)
{
    for (uint16_t a = 0; a < kSettableCount; ++a)
        ASSERT_TRUE(send(link::readParameterRequest(a)));
    for (uint16_t a = 0; a < kReadOnlyCount; ++a)
        ASSERT_TRUE(send(link::readReadOnlyRequest(a)));
    ASSERT_TRUE(send(link::readConnectionRequest(kP0554)));
    ASSERT_TRUE(pumpUntil([&] { return h->values.connections.valueOr0(kP0554) != 0; }, 3s));
    ASSERT_TRUE(pumpUntil([&] { return h->values.readOnly.valueOr0(kR0820) != 0; }, 3s));
    EXPECT_EQ(h->values.parameters.valueOr0(kP0053), 0x0003);
    EXPECT_EQ(h->values.parameters.valueOr0(kP0070), 37);
    EXPECT_EQ(h->values.parameters.valueOr0(kP0100), 0x1000);
    EXPECT_EQ(h->values.readOnly.valueOr0(kR0001), 9);
    EXPECT_EQ(h->values.readOnly.valueOr0(kR0006), 540);
    EXPECT_EQ(h->values.readOnly.valueOr0(kR0820), 125);
    EXPECT_EQ(h->values.connections.valueOr0(kP0554), 0xFFFF);
}

TEST_F(UdpLinkIntegration, writeEchoAndConfirm)
{
    ASSERT_TRUE(h->confirmedWrite(kP7030, 0x2000, 3s));
    EXPECT_EQ(h->writes.echoes.load(), 1);
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=8192"));
}

TEST_F(UdpLinkIntegration, traceFramesOfAnImmediateRecording)
{
    h->connection.deviceVariantFlag.store(1);
    ASSERT_TRUE(send(link::triggerChannelRequest(1, kR0006)));
    ASSERT_TRUE(send(link::triggerDataRequest(1)));
    h->recorder.setState(4);
    ASSERT_TRUE(send(link::triggerImmediateStartRequest()));
    ASSERT_TRUE(pumpUntil([&] { return h->recorder.complete(); }, 10s));
    EXPECT_EQ(h->recorder.rejected.load(), 0);
    EXPECT_EQ(h->recorder.samples(0), std::vector<uint16_t>(8192, 540));
}

TEST_F(UdpLinkIntegration, noiseAtOnePercentStoresNoWrongValue)
{
    EXPECT_EQ(sim.command(QStringLiteral("noise 1%")), QStringLiteral("ok noise=0.01"));
    constexpr uint16_t kUnanswered = 0xDEAD;
    for (uint16_t a = 0; a < kReadOnlyCount; ++a)
        h->values.readOnly.store(a, kUnanswered);
    for (int round = 0; round < 20; ++round) {
        for (uint16_t a = 0; a < kReadOnlyCount; ++a)
            send(link::readReadOnlyRequest(a));
        pumpUntil([] { return false; }, 20ms);
    }
    pumpUntil([] { return false; }, 300ms);
    int answered = 0;
    for (uint32_t a = 0; a < link::kAddressLimit; ++a) {
        const uint16_t v = h->values.readOnly.valueOr0(a);
        const uint16_t expected = a == kR0001 ? 9 : a == kR0006 ? 540 : a == kR0550 ? 6 : a == kR0820 ? 125 : 0;
        if (a >= kReadOnlyCount) {
            EXPECT_EQ(v, 0) << "read-only " << a;  // an address forged by noise
        } else {
            EXPECT_TRUE(v == expected || v == kUnanswered) << "read-only " << a << " = " << v;
            answered += v == expected ? 1 : 0;
        }
        EXPECT_EQ(h->values.parameters.valueOr0(a), 0) << "settable " << a;
    }
    EXPECT_EQ(answered, kReadOnlyCount);
    const QString status = sim.command(QStringLiteral("status"));
    EXPECT_GT(status.section(QStringLiteral("corrupted="), 1).section(QLatin1Char(' '), 0, 0).toInt(), 0)
        << status.toStdString();
}

}  // namespace
}  // namespace hesk::sim::test

// The real link against the real hesk-drive-sim on UDP loopback. The simulated drive
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

}  // namespace
}  // namespace hesk::sim::test

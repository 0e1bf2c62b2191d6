// The board check's probe over a real pseudo-terminal whose far end the test plays with
// the frame codec: answers the simulated drive does not give (a boot-protocol answer to
// the identifier request, a CPU type request left unanswered), the frames on the line,
// the port held only while the probe runs, and the log lines of its connection thread.

#include "LinkFakes.h"
#include "LinkPeers.h"
#include "OpenDescriptors.h"

#include "online/DeviceSearch.h"
#include "online/LinkDeviceProbe.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace hesk::link {
namespace {

using online::DeviceProbeResult;
using Status = online::DeviceProbeResult::Status;
using test::Bytes;
using test::SerialPeer;

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& frame)
{
    return Bytes(frame.begin(), frame.end());
}

const Bytes kIdentifierRequest{0xF2, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE};
const Bytes kCpuTypeRequest{0xF2, 0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFC};

struct PeerCase {
    const char* name;
    bool answerIdentifier;        // F2 0C 12 34 ...
    bool identifierInBootProtocol;  // 02 06 90 00 00 (no program) instead
    bool answerCpuType;           // F2 0E 00 00 00 71 ...
    DeviceProbeResult expected;
    std::vector<Bytes> sentByProbe;  // the frames the probe put on the line, in order
};

void PrintTo(const PeerCase& c, std::ostream* os)
{
    *os << c.name;
}

class LinkDeviceProbePeerTest : public ::testing::TestWithParam<PeerCase> {};

TEST_P(LinkDeviceProbePeerTest, reportsWhatTheFarEndAnsweredAndReleasesThePort)
{
    const PeerCase& c = GetParam();
    SerialPeer peer;
    ASSERT_TRUE(peer.valid());
    const QString port = QString::fromStdString(peer.slavePath());
    const int idle = testsupport::openDescriptorsOn(port);  // the peer keeps the slave open
    std::atomic<int> heldDuringExchange{-1};
    peer.start([&](uint8_t routing, std::span<const uint8_t>) -> std::vector<Bytes> {
        if (routing == code::ProgramIdentifier) {
            heldDuringExchange = testsupport::openDescriptorsOn(port);
            if (c.identifierInBootProtocol)
                return {bytes(bootFrame(boot::NoProgram))};
            if (c.answerIdentifier)
                return {bytes(commandFrame(code::ProgramIdentifier, 0x12, 0x34))};
        }
        if (routing == code::CpuTypeWord && c.answerCpuType)
            return {bytes(commandFrame(code::CpuTypeWord, 0, 0, 0x00, 0x71))};
        return {};
    });

    test::RecordingLog log;
    online::LinkDeviceProbe probe(log);
    online::ConnectionSettings settings;
    settings.mode = online::InterfaceMode::Serial;
    settings.portName = settings.portPath = port;
    settings.baudRate = QStringLiteral("38400");
    DeviceProbeResult result;
    std::jthread worker([&](std::stop_token stop) { result = probe.probe(settings, stop); });
    worker.join();

    EXPECT_EQ(result.status, c.expected.status);
    EXPECT_EQ(result.programId, c.expected.programId);
    EXPECT_EQ(result.cpuType, c.expected.cpuType);
    EXPECT_EQ(heldDuringExchange.load(), idle + 1);
    EXPECT_EQ(testsupport::openDescriptorsOn(port), idle);
    peer.stop();
    std::vector<Bytes> sent = peer.received();
    if (c.identifierInBootProtocol && sent.size() > c.sentByProbe.size())
        sent.resize(c.sentByProbe.size());  // the reply handler's own boot answer follows
    EXPECT_EQ(sent, c.sentByProbe);
    EXPECT_TRUE(log.contains(QStringLiteral("开启连接线程")));
    EXPECT_TRUE(log.contains(QStringLiteral("结束连接线程")));
}

INSTANTIATE_TEST_SUITE_P(
    FarEnds, LinkDeviceProbePeerTest,
    ::testing::Values(
        PeerCase{"answersBoth", true, false, true, {Status::Identified, 0x1234, 0x0071},
                 {kIdentifierRequest, kCpuTypeRequest}},
        PeerCase{"leavesTheCpuTypeUnanswered", true, false, false, {Status::CpuTypeTimeout, 0x1234, 0},
                 {kIdentifierRequest, kCpuTypeRequest, kCpuTypeRequest, kCpuTypeRequest, kCpuTypeRequest}},
        PeerCase{"answersInTheBootProtocol", false, true, false, {Status::ProgramIdRefused, 0, 0},
                 {kIdentifierRequest}},
        PeerCase{"staysSilent", false, false, false, {Status::ProgramIdTimeout, 0, 0},
                 {kIdentifierRequest, kIdentifierRequest}}),
    [](const ::testing::TestParamInfo<PeerCase>& info) { return std::string(info.param.name); });

// The search dialog's 停止 (and its 30 s time-out) joins the search worker on the window's
// thread: a stop at any moment of the probe must end the worker at once, never after the
// request's remaining attempts.
TEST(LinkDeviceProbeStop, searchStoppedAtAnyMomentOfTheProbeEndsWithoutAnotherRequest)
{
    using namespace std::chrono_literals;
    SerialPeer peer;
    ASSERT_TRUE(peer.valid());
    std::atomic<int> identifierRequests{0};
    peer.start([&](uint8_t routing, std::span<const uint8_t>) -> std::vector<Bytes> {
        if (routing == code::ProgramIdentifier)
            ++identifierRequests;
        return {};  // a drive that never answers: each attempt waits its full second
    });
    online::ConnectionSettings settings;
    settings.mode = online::InterfaceMode::Serial;
    settings.portName = settings.portPath = QString::fromStdString(peer.slavePath());
    settings.baudRate = QStringLiteral("38400");
    online::DeviceSearchOptions options;
    options.loadSettings = [settings] { return settings; };
    test::RecordingLog log;
    online::LinkDeviceProbe probe(log);
    online::DeviceSearch search(options, probe);

    // -1: once the first request reached the drive; otherwise that many ms after start.
    for (const int moment : {0, 1, 2, 5, 10, 20, -1}) {
        SCOPED_TRACE(moment);
        const int before = identifierRequests.load();
        ASSERT_TRUE(search.start());
        if (moment < 0)
            ASSERT_TRUE(test::pumpUntil([&] { return identifierRequests.load() > before; }, 900ms));
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(moment));
        search.stop();
        EXPECT_FALSE(search.isRunning());
        // A second attempt would leave 1 s after the first: only one request at most.
        std::this_thread::sleep_for(50ms);
        EXPECT_LE(identifierRequests.load() - before, 1);
    }
    peer.stop();
}

}  // namespace
}  // namespace hesk::link

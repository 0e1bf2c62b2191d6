// CDeviceLink over a real pseudo-terminal pair: the test holds the master side and plays
// the drive with the frame codec; the link opens the slave path as it would open a port.

#include "LinkFakes.h"
#include "LinkPeers.h"
#include "link/CDeviceLink.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace hesk::link {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::pumpUntil;
using test::SerialPeer;

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& frame)
{
    return Bytes(frame.begin(), frame.end());
}

// Answers the identification requests and reads like a drive would.
std::vector<Bytes> driveAnswer(uint8_t routing, std::span<const uint8_t> frame)
{
    switch (routing) {
    case code::CpuType:
        return {bytes(commandFrame(code::CpuType, 0x00, 0x01))};
    case code::CpuTypeWord:
        return {bytes(commandFrame(code::CpuTypeWord, 0, 0, 0x67, 0x01))};
    case code::ProgramIdentifier:
        return {bytes(commandFrame(code::ProgramIdentifier, 0x12, 0x34))};
    case code::LastTransferFlags:
        return {bytes(commandFrame(code::LastTransferFlags, 0, 0, 0, 1, 1))};
    case code::ReadParameter:
        return {bytes(addressFrame(code::ReadParameter, wordAt(frame, 2), 0x0BAD))};
    default:
        return {};
    }
}

class SerialLinkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(peer.valid()); }
    void TearDown() override
    {
        link.close();  // the reader thread ends before the dispatch table goes
        peer.stop();
    }
    QString portPath() const { return QString::fromStdString(peer.slavePath()); }

    SerialPeer peer;
    test::RecordingLog log;
    CDeviceLink link{log};
    OnlineValueTables values;
    ConnectionState connection;
    SleepingPause pause;
    test::FakeRecorder recorder;
    test::FakeUpload upload;
    FrameDispatchTable table{ReplyContext{link.state(), link, values, connection, link.faultData(), log, pause,
                                          WorkflowPorts{nullptr, &recorder, &upload, nullptr, nullptr, nullptr}}};

    SerialLinkTest() { link.setDispatchTable(&table); }
};

TEST_F(SerialLinkTest, identificationExchangeRunsOnTheConnectionThread)
{
    ASSERT_TRUE(link.openSerial(portPath(), QStringLiteral("115200")));
    EXPECT_EQ(link.replyStatus(), ReplyStatus::Success);
    EXPECT_EQ(link.mode(), LinkMode::Serial);
    peer.start(driveAnswer);
    link.state().connectInProgress.store(true);
    link.startConnectionThread();
    EXPECT_EQ(link.readerThread(), ReaderThread::Connection);

    // 0xF0 is answered, its handler asks 0x0E, whose answer sets success without a wake.
    CommandFrame cpuType = cpuTypeRequest();
    cpuType[7] = 0;  // the sender computes the check itself
    link.SendAndWait(cpuType, 4, 300ms);
    EXPECT_EQ(link.replyStatus(), ReplyStatus::Success);
    EXPECT_EQ(connection.deviceCpuType.load(), 0x6701);
    EXPECT_EQ(connection.deviceFlag.load(), 1);

    connection.checkProgramId.store(true);
    connection.projectProgramId.store(0x1234);
    CommandFrame identifier = programIdentifierRequest();
    link.SendAndWait(identifier, 4, 1000ms);
    EXPECT_EQ(link.replyStatus(), ReplyStatus::DownloadAndRestoreFailed);

    link.stopConnectionThread();
    EXPECT_EQ(link.readerThread(), ReaderThread::None);
    EXPECT_FALSE(link.state().connectInProgress.load());
    EXPECT_EQ(peer.received(), (std::vector<Bytes>{
                                   {0xF2, 0xF0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02},
                                   {0xF2, 0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFC},
                                   {0xF2, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE},
                                   {0xF2, 0x2F, 0x00, 0x00, 0x00, 0x00, 0x00, 0xDD},
                               }));
    EXPECT_TRUE(log.contains(QStringLiteral("开启连接线程")));
    EXPECT_TRUE(log.contains(QStringLiteral("结束连接线程")));
}

TEST_F(SerialLinkTest, sendAndWaitWithoutAnAnswerUsesEveryAttempt)
{
    ASSERT_TRUE(link.openSerial(portPath(), QStringLiteral("9600")));
    peer.start(nullptr);  // a drive that never answers
    link.startConnectionThread();
    CommandFrame read = readParameterRequest(5);
    link.SendAndWait(read, 3, 40ms);
    EXPECT_EQ(link.replyStatus(), ReplyStatus::Pending);
    ASSERT_TRUE(pumpUntil([&] { return peer.received().size() >= 3; }, 2s));
    EXPECT_EQ(peer.received(), std::vector<Bytes>(3, bytes(readParameterRequest(5))));
}

TEST_F(SerialLinkTest, monitoringStoresValuesThroughNoiseSplitReadsAndBadFrames)
{
    ASSERT_TRUE(link.openSerial(portPath(), QStringLiteral("115200")));
    link.startMonitoringThread();
    link.startDispatchTimer();
    EXPECT_TRUE(link.state().monitoringThreadRunning.load());

    std::mt19937 random(20240611);
    std::map<uint16_t, uint16_t> parameters;
    std::map<uint16_t, uint16_t> readOnly;
    Bytes stream;
    auto append = [&](const Bytes& frame) { stream.insert(stream.end(), frame.begin(), frame.end()); };
    for (uint16_t i = 0; i < 200; ++i) {
        const bool settable = i % 2 == 0;
        const auto address = static_cast<uint16_t>(i * 37 % 8192);
        const auto value = static_cast<uint16_t>(random());
        Bytes good = bytes(addressFrame(settable ? code::ReadParameter : code::ReadReadOnly, address, value));
        append(good);
        (settable ? parameters : readOnly)[address] = value;
        if (i % 10 == 0) {
            Bytes bad = good;  // another value with a wrong check: must never be stored
            bad[5] ^= 0x40;
            append(bad);
        }
        if (random() % 100 == 0)
            stream.push_back(static_cast<uint8_t>(random()));  // line noise
    }
    append(bytes(addressFrame(code::ReadParameter, 0x2000, 0x5555)));  // beyond the table
    // Written in small pieces, so frames straddle the reads.
    for (size_t at = 0; at < stream.size();) {
        const size_t n = std::min<size_t>(1 + random() % 23, stream.size() - at);
        peer.write(std::span<const uint8_t>(stream).subspan(at, n));
        at += n;
    }
    const QString badAddress = QStringLiteral("<错误>请求参数值的回复帧中参数地址错误！");
    ASSERT_TRUE(pumpUntil([&] { return log.contains(badAddress); }, 5s));
    for (uint32_t address = 0; address < ValueTable::kSize; ++address) {
        const auto p = parameters.find(static_cast<uint16_t>(address));
        const auto r = readOnly.find(static_cast<uint16_t>(address));
        ASSERT_EQ(values.parameters.valueOr0(address), p == parameters.end() ? 0 : p->second) << address;
        ASSERT_EQ(values.readOnly.valueOr0(address), r == readOnly.end() ? 0 : r->second) << address;
    }
    EXPECT_TRUE(connection.linkAlive.load());
}

TEST_F(SerialLinkTest, traceAndBlockFramesAreDispatchedOnTheOwningThread)
{
    recorder.currentState = 6;
    connection.deviceVariantFlag.store(1);
    ASSERT_TRUE(link.openSerial(portPath(), QStringLiteral("115200")));
    link.startMonitoringThread();
    link.startDispatchTimer();
    std::array<uint8_t, 64> data{};
    data.fill(0x3C);
    Bytes stream = bytes(traceFrame(2, {10, 20, 30, 40, 50, 60}));
    const Bytes block = bytes(blockFrame(data));
    stream.insert(stream.end(), block.begin(), block.end());
    peer.write(stream);
    ASSERT_TRUE(pumpUntil([&] { return !recorder.records.empty() && !upload.blocks.empty(); }, 5s));
    EXPECT_EQ(recorder.records[0].channel, 2);
    EXPECT_EQ(recorder.records[0].words, (std::array<uint16_t, 6>{10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(upload.blocks[0], Bytes(64, 0x3C));
    EXPECT_EQ(upload.storeThread.load(), std::this_thread::get_id());
    link.stopMonitoringThread();
    EXPECT_TRUE(log.contains(QStringLiteral("开启跟踪监听线程")));
    EXPECT_TRUE(log.contains(QStringLiteral("结束跟踪监听线程")));
}

TEST_F(SerialLinkTest, portOpensAgainAfterCloseWhileTheOtherEndStaysOpen)
{
    ASSERT_TRUE(link.openSerial(portPath(), QStringLiteral("115200")));
    link.close();
    ASSERT_TRUE(link.openSerial(portPath(), QStringLiteral("115200")));
    peer.start(driveAnswer);
    link.startConnectionThread();
    link.state().connectInProgress.store(true);
    CommandFrame read = readParameterRequest(0x0042);
    connection.awaitedAddress.store(0x0042);
    connection.singleReadWaiting.store(true);
    link.SendAndWait(read, 4, 1000ms);
    EXPECT_EQ(link.replyStatus(), ReplyStatus::Success);
    EXPECT_EQ(values.parameters.value(0x0042), 0x0BAD);
}

TEST_F(SerialLinkTest, openFailuresLeaveStatus3AndNoPort)
{
    struct Case {
        QString path;
        QString baud;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("/dev/does-not-exist-hesk"), QStringLiteral("9600")},
        {portPath(), QStringLiteral("fast")},
        {portPath(), QStringLiteral("12345")},  // no such rate
        {QStringLiteral("/dev/null"), QStringLiteral("9600")},  // not a terminal
    };
    for (const Case& c : cases) {
        link.state().replyStatus.store(ReplyStatus::Success);
        EXPECT_FALSE(link.openSerial(c.path, c.baud)) << c.path.toStdString() << " " << c.baud.toStdString();
        EXPECT_EQ(link.replyStatus(), ReplyStatus::LinkNotOpened);
    }
    CommandFrame frame = cpuTypeRequest();
    EXPECT_EQ(link.SendFrame(frame), 0) << "no mode: nothing is sent";
}

TEST_F(SerialLinkTest, hangUpOfTheOtherEndLetsTheReaderStopCleanly)
{
    ASSERT_TRUE(link.openSerial(portPath(), QStringLiteral("115200")));
    link.startMonitoringThread();
    peer.hangUp();
    // The reader sees the hang-up; stopping it must still return promptly.
    link.stopMonitoringThread();
    EXPECT_EQ(link.readerThread(), ReaderThread::None);
    EXPECT_TRUE(log.contains(QStringLiteral("结束跟踪监听线程")));
    CommandFrame frame = cpuTypeRequest();
    EXPECT_NE(link.SendFrame(frame), 0) << "a write to a hung-up line reports its error";
}

TEST_F(SerialLinkTest, sendFrameSealsAndRefusesFramesTooShortToCarryACheck)
{
    std::array<uint8_t, 8> frame{0xF2, 0x01, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(link.SendFrame(frame), 0);
    EXPECT_EQ(frame[7], 0xE3);
    std::array<uint8_t, 1> tiny{0xF2};
    EXPECT_EQ(link.SendFrame(tiny), EINVAL);
}

}  // namespace
}  // namespace hesk::link

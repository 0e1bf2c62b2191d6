// CDeviceLink over UDP on loopback: the link binds 127.0.0.1, the test's peer plays the
// drive on 127.0.0.2 and answers with datagram frames built by the codec.

#include "LinkFakes.h"
#include "LinkPeers.h"
#include "link/CDeviceLink.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace hesk::link {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::pumpUntil;
using test::UdpPeer;

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& frame)
{
    return Bytes(frame.begin(), frame.end());
}

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Sends one datagram from address:port (port 0: any) to the link on 127.0.0.1; false when
// the socket could not be bound there or the datagram not sent.
bool sendFrom(const char* address, uint16_t port, uint16_t linkPort, const Bytes& datagram)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_port = htons(port);
    ::inet_pton(AF_INET, address, &from.sin_addr);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(linkPort);
    ::inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    const bool sent = ::bind(fd, reinterpret_cast<const sockaddr*>(&from), sizeof from) == 0
                      && ::sendto(fd, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                                  sizeof to) == static_cast<ssize_t>(datagram.size());
    ::close(fd);
    return sent;
}

std::vector<Bytes> answerConnect(uint8_t, std::span<const uint8_t> datagram)
{
    if (datagram.size() == 8 && datagram[0] == 0xF5 && datagram[3] == 0x51)
        return {ethernetConnectAnswer()};
    return {};
}

TEST(UdpEndpoints, defaultsServeLoopbackTestingOnPort8001)
{
    const UdpEndpoints endpoints;
    EXPECT_EQ(endpoints.localAddress, QHostAddress(QStringLiteral("127.0.0.1")));
    EXPECT_EQ(endpoints.remoteAddress, QHostAddress(QStringLiteral("127.0.0.2")));
    EXPECT_EQ(endpoints.localPort, 8001);
    EXPECT_EQ(endpoints.remotePort, 8001);
}

class UdpLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(peer.valid());
        ASSERT_TRUE(link.openUdp());
        EXPECT_EQ(link.mode(), LinkMode::Udp);
        link.state().connectInProgress.store(true);
        link.state().connectionThreadRunning.store(true);
        link.startUdpReceiveThread();
    }
    void TearDown() override
    {
        link.close();
        peer.stop();
    }
    // Lets the peer learn the link's address: the link always speaks first.
    void introduceLink()
    {
        CommandFrame hello = heartbeatSupervisionRequest(true);
        ASSERT_EQ(link.SendFrame(hello), 0);
        ASSERT_TRUE(pumpUntil([&] { return !peer.received().empty(); }, 2s));
    }

    UdpPeer peer;
    test::RecordingLog log;
    // Port 0 on the link's side: parallel test runs never collide on a fixed port.
    CDeviceLink link{log, UdpEndpoints{QHostAddress(QStringLiteral("127.0.0.1")), 0,
                                       QHostAddress(QStringLiteral("127.0.0.2")), peer.port()}};
    OnlineValueTables values;
    ConnectionState connection;
    SleepingPause pause;
    test::FakeUpload upload;
    FrameDispatchTable table{ReplyContext{link.state(), link, values, connection, link.faultData(), log, pause,
                                          WorkflowPorts{nullptr, nullptr, &upload, nullptr, nullptr, nullptr}}};

    UdpLinkTest() { link.setDispatchTable(&table); }
};

TEST_F(UdpLinkTest, connectRequestIsAnsweredThroughTheStandByEntry)
{
    peer.start(answerConnect);
    CommandFrame connect = ethernetConnectRequest();
    connect[7] = 0;
    link.SendAndWait(connect, 4, 1000ms);
    EXPECT_EQ(link.replyStatus(), ReplyStatus::Success);
    ASSERT_TRUE(pumpUntil([&] { return peer.received().size() >= 2; }, 2s));
    EXPECT_EQ(peer.received()[0], (Bytes{0xF5, 0x0A, 0x01, 0x51, 0x00, 0x00, 0x00, 0xAF}));
    EXPECT_EQ(peer.received()[1], (Bytes{0x02, 0x06, 0x50, 0x00, 0x00, 0x54}));  // the StandBy answer
    EXPECT_TRUE(log.contains(QStringLiteral("开启连接线程")));
}

TEST_F(UdpLinkTest, onlyFramesWithAGoodCrcOrCode67AreDispatched)
{
    peer.start(nullptr);
    introduceLink();
    const Bytes payload{0x01, 0x02, 0x03, 0x04};
    const Bytes good = datagramFrame(0x00, code::FaultData, payload);
    Bytes badCrc = good;
    badCrc[badCrc.size() - 1] ^= 0xFF;
    Bytes shortLength = good;
    shortLength[1] = 9;
    Bytes beyond = datagramFrame(0x00, code::FaultData, payload);
    beyond[1] = 200;
    Bytes unchecked = datagramFrame(0x00, code::UncheckedDatagram, payload);
    unchecked.back() ^= 0xFF;  // 0x67 is not in the table: taken, then dropped there
    peer.sendToLink(join({good, badCrc}));
    peer.sendToLink(join({shortLength, unchecked, beyond}));
    // A last datagram with a header frame: once it is in, the ones before are too.
    peer.sendToLink(datagramFrame(0x00, code::FaultDataHeader, payload));
    ASSERT_TRUE(pumpUntil([&] { return link.faultData().ringCount() >= 11; }, 2s));
    // Handlers read a datagram frame by position: bytes 2..5 are byte 2, the code and
    // the first two payload bytes.
    EXPECT_EQ(link.faultData().ringBytes(), (Bytes{0x00, 0x15, 0x01, 0x02, 0xAA, 0x00, 0x00, 0x00, 0x00, 0x16, 0x01}));
    EXPECT_EQ(link.faultData().recordCount(), 1);
}

TEST_F(UdpLinkTest, datagramsFromAnyOtherSenderThanTheDeviceAreDropped)
{
    peer.start(nullptr);
    introduceLink();
    const auto valueReply = [](uint16_t address, uint16_t value) {
        return datagramFrame(0x00, code::ReadParameter, bytes(addressFrame(code::ReadParameter, address, value)));
    };
    // Another host, and another program on the device's own address: both aim a value
    // reply and a write confirmation at the link's port.
    struct Sender {
        const char* name;
        const char* address;
        uint16_t port;
    };
    const Sender intruders[] = {
        {"another address, the device's port", "127.0.0.3", peer.port()},
        {"the device's address, another port", "127.0.0.2", 0},
    };
    uint16_t address = 100;
    for (const Sender& intruder : intruders) {
        SCOPED_TRACE(intruder.name);
        ASSERT_TRUE(sendFrom(intruder.address, intruder.port, link.boundUdpPort(), valueReply(address, 0x1234)));
        ASSERT_TRUE(sendFrom(intruder.address, intruder.port, link.boundUdpPort(),
                             datagramFrame(0x00, code::ModifyConfirm, bytes(modifyConfirmRequest()))));
        // The device's own reply, sent after the intruder's: once it is stored, the
        // intruder's datagrams have been taken off the socket too.
        peer.sendToLink(valueReply(address + 1, 0x5678));
        ASSERT_TRUE(pumpUntil([&] { return values.parameters.valueOr0(address + 1) == 0x5678; }, 2s));
        EXPECT_EQ(values.parameters.valueOr0(address), 0);
        EXPECT_FALSE(link.state().modifyConfirmed.isSet());
        address += 2;
    }
}

TEST_F(UdpLinkTest, handlersRunOnTheReceiveThread)
{
    peer.start(nullptr);
    introduceLink();
    const Bytes data(64, 0x21);
    peer.sendToLink(datagramFrame(0x00, code::UploadBlock, data));
    ASSERT_TRUE(pumpUntil([&] { return upload.storeCount.load() > 0; }, 2s));
    EXPECT_NE(upload.storeThread.load(), std::this_thread::get_id());
}

TEST_F(UdpLinkTest, openingTwiceFailsWithStatus3AndKeepsTheOpenSocket)
{
    EXPECT_FALSE(link.openUdp());
    EXPECT_EQ(link.replyStatus(), ReplyStatus::LinkNotOpened);
    peer.start(nullptr);
    CommandFrame frame = cpuTypeRequest();
    EXPECT_EQ(link.SendFrame(frame), 0);
    ASSERT_TRUE(pumpUntil([&] { return !peer.received().empty(); }, 2s));
    EXPECT_EQ(peer.received()[0], bytes(cpuTypeRequest()));
}

TEST_F(UdpLinkTest, closeEndsTheThreadClearsFlagsAndAllowsANewOpen)
{
    link.state().online.store(true);
    link.close();
    EXPECT_EQ(link.readerThread(), ReaderThread::None);
    EXPECT_FALSE(link.state().udpRunning.load());
    EXPECT_FALSE(link.state().online.load());
    EXPECT_FALSE(link.state().connectInProgress.load());
    EXPECT_FALSE(link.state().connectionThreadRunning.load());
    EXPECT_TRUE(log.contains(QStringLiteral("结束连接线程")));
    EXPECT_TRUE(link.openUdp());
}

}  // namespace
}  // namespace hesk::link

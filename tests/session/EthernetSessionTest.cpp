// The Ethernet connect against the real simulated drive on UDP loopback: the connect
// exchange, the panes, polling, single reads and a confirmed write over datagrams, and
// the time-out when the drive does not answer.

#include "SessionFixture.h"

#include "link/FrameCodec.h"

#include <QRandomGenerator>

namespace hesk::session::test {
namespace {

using model::MessageKind;
using model::UserMessage;

class EthernetSession : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        // A loopback address and port of our own; the tool side binds a port the system
        // picks, so parallel runs never collide.
        bool started = false;
        for (int attempt = 0; attempt < 5 && !started; ++attempt) {
            address = QStringLiteral("127.0.0.%1").arg(2 + QRandomGenerator::global()->bounded(250));
            port = static_cast<uint16_t>(20000 + QRandomGenerator::global()->bounded(40000));
            started = sim.start({QStringLiteral("--project"), projectPath, QStringLiteral("--udp"),
                                 QStringLiteral("%1:%2").arg(address).arg(port)});
        }
        ASSERT_TRUE(started) << sim.error().toStdString();
        openSession();
        online::ConnectionSettings settings;
        settings.mode = online::InterfaceMode::Ethernet;
        settings.udp = {QStringLiteral("127.0.0.1"), 0, address, port};
        session->overrideConnectionSettings(settings);
    }
    QString address;
    uint16_t port = 0;
};

TEST_F(EthernetSession, connectPollReadAndWriteOverDatagrams)
{
    ASSERT_TRUE(connect());
    EXPECT_EQ(log.userLines(),
              (QStringList{QStringLiteral("开始连接..."), QStringLiteral("已加载通信设置"), QStringLiteral("连接成功")}));
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::UdpReceive);
    const online::PaneState panes = session->paneState();
    EXPECT_EQ(online::connectionPane(panes, 1280).text, QStringLiteral("在线，通信接口：以太网"));
    EXPECT_EQ(online::programStatePane(panes, 1280).text, QStringLiteral("程序状态:运行中"));
    // The system poll list runs over datagrams too.
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !session->paneState().cpuLoad.isEmpty(); }, 4s));

    std::vector<const model::HeskParameterElement*> list{&element("r0006.0"), &element("P0070")};
    EXPECT_TRUE(session->readParameters(list));
    EXPECT_EQ(session->values().readOnly.valueOr0(sim::test::kR0006), 540);
    EXPECT_EQ(session->values().parameters.valueOr0(sim::test::kP0070), 37);

    EXPECT_TRUE(session->write(link::writeValueRequest(sim::test::kP7030, 0x1000)));
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=4096"));
    EXPECT_TRUE(session->disconnectDevice());
    EXPECT_EQ(online::connectionPane(session->paneState(), 1280).text, QStringLiteral("离线，通信接口：以太网"));
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(EthernetSession, aDriveThatDoesNotAnswerTimesOut)
{
    sim.command(QStringLiteral("mute on"));
    EXPECT_FALSE(connect());
    EXPECT_TRUE(log.contains(QStringLiteral("<错误>连接超时"), 3));
    EXPECT_TRUE(log.contains(QStringLiteral("断开连接"), 2));
    EXPECT_EQ(prompt.messages(),
              (std::vector<UserMessage>{{MessageKind::Error, QStringLiteral("错误"), QStringLiteral("连接超时！")}}));
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None);
}

TEST_F(EthernetSession, aSocketThatCannotBeBound)
{
    online::ConnectionSettings settings;
    settings.mode = online::InterfaceMode::Ethernet;
    settings.udp = {QStringLiteral("192.0.2.1"), 0, address, port};  // not an address of this machine
    session->overrideConnectionSettings(settings);
    EXPECT_FALSE(connect());
    EXPECT_TRUE(log.contains(QStringLiteral("<错误>网口打开失败"), 3));
    EXPECT_EQ(prompt.messages(),
              (std::vector<UserMessage>{{MessageKind::Error, QStringLiteral("错误"), QStringLiteral("网口打开失败！")}}));
}

}  // namespace
}  // namespace hesk::session::test

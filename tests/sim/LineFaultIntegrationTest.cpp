// The real link against the real hesk-drive-sim behind a stable name (--link): the
// serial adapter pulled and plugged back at run time, and the drive taking no notice of
// some requests or answering reads for the wrong address.

#include "LinkHarness.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "link/FrameCodec.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace hesk::sim::test {
namespace {

using namespace std::chrono_literals;
using link::ReplyStatus;

class LineFaultIntegration : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureQtApplication();
        ASSERT_TRUE(dir.isValid());
        project = writeSimProject(dir.path());
        linkPath = dir.filePath(QStringLiteral("drive"));
    }
    void TearDown() override
    {
        if (heldFd >= 0)
            ::close(heldFd);
    }
    void startSim(const QStringList& extra = {})
    {
        ASSERT_TRUE(sim.start(QStringList{QStringLiteral("--project"), project, QStringLiteral("--pty"),
                                          QStringLiteral("--link"), linkPath}
                              + extra))
            << sim.error().toStdString();
        ASSERT_TRUE(sim.readyLine().startsWith(QStringLiteral("/dev/"))) << sim.readyLine().toStdString();
    }
    void openLink() { ASSERT_TRUE(h.link.openSerial(linkPath, QStringLiteral("115200"))); }
    void monitoring()
    {
        h.link.startMonitoringThread();
        h.link.startDispatchTimer();
    }
    void connectionThread()
    {
        h.link.state().connectInProgress.store(true);
        h.link.startConnectionThread();
    }
    ReplyStatus sendAndWait(link::CommandFrame frame, int attempts, std::chrono::milliseconds timeout)
    {
        h.link.SendAndWait(frame, attempts, timeout);
        return h.link.replyStatus();
    }
    // Reads r0820 (125) through the monitoring link: the line talks.
    bool lineTalks()
    {
        h.values.readOnly.store(kR0820, 0);
        return pumpUntil(
            [&] {
                link::CommandFrame read = link::readReadOnlyRequest(kR0820);
                h.link.SendFrame(read);
                return h.values.readOnly.valueOr0(kR0820) == 125;
            },
            3s);
    }
    QString linkTarget() const { return QFileInfo(linkPath).symLinkTarget(); }

    QTemporaryDir dir;
    QString project;
    QString linkPath;
    SimProcess sim;
    LinkHarness h;
    int heldFd = -1;
};

TEST_F(LineFaultIntegration, replugPutsANewDeviceBehindTheSameName)
{
    startSim();
    const QString oldDevice = sim.readyLine();
    ASSERT_EQ(linkTarget(), oldDevice);
    // A plain descriptor on the old device, held across the replug as a tool holds its port.
    heldFd = ::open(linkPath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(heldFd, 0);
    openLink();
    monitoring();
    ASSERT_TRUE(lineTalks());
    EXPECT_EQ(sim.command(QStringLiteral("set P7030 8192")), QStringLiteral("ok P7030=8192"));

    const QString reply = sim.command(QStringLiteral("replug"));
    ASSERT_TRUE(reply.startsWith(QStringLiteral("ok /dev/"))) << reply.toStdString();
    const QString newDevice = reply.mid(3);
    EXPECT_NE(newDevice, oldDevice);
    EXPECT_EQ(linkTarget(), newDevice);
    EXPECT_FALSE(QFileInfo::exists(oldDevice));  // the old device went away with its adapter
    EXPECT_TRUE(sim.command(QStringLiteral("status")).endsWith(QStringLiteral(" line=") + newDevice));

    // Writes on the old device fail, through the link and through a plain descriptor.
    link::CommandFrame read = link::readParameterRequest(kP7030);
    EXPECT_EQ(h.link.SendFrame(read), EIO);
    const uint8_t request[] = {0xF2, 0x0C, 0, 0, 0, 0, 0, 0xFE};
    errno = 0;
    EXPECT_EQ(::write(heldFd, request, sizeof request), -1);
    EXPECT_EQ(errno, EIO);

    // The port reopened on the stable name reaches the same drive, which kept its values.
    h.link.close();
    openLink();
    monitoring();
    EXPECT_TRUE(lineTalks());
    h.values.parameters.store(kP7030, 0);
    read = link::readParameterRequest(kP7030);
    h.link.SendFrame(read);
    EXPECT_TRUE(pumpUntil([&] { return h.values.parameters.valueOr0(kP7030) == 0x2000; }, 3s));

    // A second replug works the same way.
    const QString again = sim.command(QStringLiteral("replug"));
    ASSERT_TRUE(again.startsWith(QStringLiteral("ok /dev/"))) << again.toStdString();
    EXPECT_EQ(linkTarget(), again.mid(3));
    h.link.close();
    openLink();
    monitoring();
    EXPECT_TRUE(lineTalks());

    h.link.close();
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(QFileInfo(linkPath).isSymLink());
}

TEST_F(LineFaultIntegration, unplugTakesTheNameAwayAndPlugBringsANewDevice)
{
    startSim();
    openLink();
    monitoring();
    ASSERT_TRUE(lineTalks());

    EXPECT_EQ(sim.command(QStringLiteral("unplug")), QStringLiteral("ok"));
    EXPECT_FALSE(QFileInfo(linkPath).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(sim.readyLine()));
    link::CommandFrame read = link::readReadOnlyRequest(kR0820);
    EXPECT_EQ(h.link.SendFrame(read), EIO);
    EXPECT_TRUE(sim.command(QStringLiteral("status")).endsWith(QStringLiteral(" line=unplugged")));
    EXPECT_TRUE(sim.command(QStringLiteral("unplug")).startsWith(QStringLiteral("error: ")));
    h.link.close();
    EXPECT_FALSE(h.link.openSerial(linkPath, QStringLiteral("115200")));  // nothing behind the name

    const QString reply = sim.command(QStringLiteral("plug"));
    ASSERT_TRUE(reply.startsWith(QStringLiteral("ok /dev/"))) << reply.toStdString();
    EXPECT_EQ(linkTarget(), reply.mid(3));
    EXPECT_TRUE(sim.command(QStringLiteral("plug")).startsWith(QStringLiteral("error: ")));
    openLink();
    monitoring();
    EXPECT_TRUE(lineTalks());
}

TEST_F(LineFaultIntegration, ignoredCpuTypeWordLeavesTheConnectRequestUnanswered)
{
    startSim({QStringLiteral("--ignore"), QStringLiteral("0x0E")});
    openLink();
    connectionThread();
    // 0xF0 is answered, and the link asks 0x0E, which never is.
    EXPECT_EQ(sendAndWait(link::cpuTypeRequest(), 2, 300ms), ReplyStatus::Pending);
    EXPECT_EQ(sendAndWait(link::programIdentifierRequest(), 2, 1000ms), ReplyStatus::Success);
    EXPECT_EQ(h.connection.deviceProgramId.load(), kProgramId);
    EXPECT_EQ(sim.command(QStringLiteral("ignore off")), QStringLiteral("ok ignore=none"));
    EXPECT_EQ(sendAndWait(link::cpuTypeRequest(), 2, 1000ms), ReplyStatus::Success);
    EXPECT_EQ(h.connection.deviceCpuType.load(), kCpuCode);
}

TEST_F(LineFaultIntegration, echoedWriteWithoutConfirmAnswerIsNotApplied)
{
    startSim();
    EXPECT_EQ(sim.command(QStringLiteral("ignore 0x08")), QStringLiteral("ok ignore=0x08"));
    openLink();
    monitoring();
    const link::CommandFrame frame = link::writeValueRequest(kP7030, 0x2000);
    h.writes.begin(frame);
    link::CommandFrame copy = frame;
    ASSERT_EQ(h.link.SendFrame(copy), 0);
    ASSERT_TRUE(pumpUntil([&] { return h.writes.echoes.load() == 1; }, 3s));  // the echo sends MDY_CONFIRM
    EXPECT_FALSE(pumpUntil([&] { return h.writes.confirms.load() > 0; }, 500ms));
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=0"));
    EXPECT_TRUE(sim.command(QStringLiteral("status")).contains(QStringLiteral(" ignored=1 ")));
}

TEST_F(LineFaultIntegration, misaddressedReadAnswerLandsAtTheOtherAddress)
{
    startSim({QStringLiteral("--misaddress")});
    openLink();
    monitoring();
    constexpr uint16_t kUnanswered = 0xDEAD;
    h.values.parameters.store(kP0060, kUnanswered);
    h.values.parameters.store(kP0070, kUnanswered);
    link::CommandFrame read = link::readParameterRequest(kP0060);
    ASSERT_EQ(h.link.SendFrame(read), 0);
    ASSERT_TRUE(pumpUntil([&] { return h.values.parameters.valueOr0(kP0070) == 37; }, 3s));
    EXPECT_EQ(h.values.parameters.valueOr0(kP0060), kUnanswered);

    EXPECT_EQ(sim.command(QStringLiteral("misaddress off")), QStringLiteral("ok"));
    read = link::readParameterRequest(kP0060);
    h.link.SendFrame(read);
    EXPECT_TRUE(pumpUntil([&] { return h.values.parameters.valueOr0(kP0060) == 1; }, 3s));
}

}  // namespace
}  // namespace hesk::sim::test

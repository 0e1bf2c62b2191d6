// The control channel's commands and the program's options.

#include "SimTestSupport.h"
#include "sim/ControlCommand.h"
#include "sim/LinePlug.h"
#include "sim/SimOptions.h"

#include <gtest/gtest.h>

namespace hesk::sim::test {
namespace {

QString run(DriveHarness& h, const char* line, LinePlug* plug = nullptr)
{
    return executeControl(QString::fromUtf8(line), h.drive, h.now, plug).text;
}

// An adapter that hands out /dev/pts/7, 8, ... and records what it was asked to do.
class FakePlug final : public LinePlug {
public:
    PlugOutcome replug() override { return plugIn(QStringLiteral("replug")); }
    PlugOutcome unplug() override
    {
        calls << QStringLiteral("unplug");
        m_path.clear();
        return {true, {}};
    }
    PlugOutcome plug() override { return plugIn(QStringLiteral("plug")); }
    QString devicePath() const override { return m_path; }

    QStringList calls;
    QString failure;  // set: every plug-in fails with this reason

private:
    PlugOutcome plugIn(const QString& call)
    {
        calls << call;
        if (!failure.isEmpty())
            return {false, failure};
        m_path = QStringLiteral("/dev/pts/%1").arg(m_next++);
        return {true, m_path};
    }
    int m_next = 8;
    QString m_path = QStringLiteral("/dev/pts/7");
};

TEST(Control, commandsChangeTheBehaviour)
{
    DriveHarness h;
    DriveBehaviour& b = h.drive.behaviour();
    EXPECT_EQ(run(h, "noise 1%"), QStringLiteral("ok noise=0.01"));
    EXPECT_DOUBLE_EQ(b.noiseRate, 0.01);
    EXPECT_EQ(run(h, "drop 0.25"), QStringLiteral("ok drop=0.25"));
    EXPECT_DOUBLE_EQ(b.dropShare, 0.25);
    EXPECT_EQ(run(h, "mute on"), QStringLiteral("ok"));
    EXPECT_TRUE(b.mute);
    run(h, "mute off");
    EXPECT_FALSE(b.mute);
    h.now = seconds(10.0);
    run(h, "boot 5");
    EXPECT_EQ(b.silentUntil, seconds(15.0));
    run(h, "program-id 0x1111");
    EXPECT_EQ(h.drive.reportedProgramId(), 0x1111);
    run(h, "program-id project");
    EXPECT_EQ(h.drive.reportedProgramId(), kProgramId);
    run(h, "cpu-type 25857");
    EXPECT_EQ(h.drive.reportedCpuType(), 0x6501);
    run(h, "last-download failed");
    run(h, "last-restore failed");
    EXPECT_TRUE(b.lastDownloadFailed);
    EXPECT_TRUE(b.lastRestoreFailed);
    run(h, "last-download ok");
    EXPECT_FALSE(b.lastDownloadFailed);
    run(h, "variant 0");
    run(h, "device-flag 1");
    EXPECT_EQ(b.variantFlag, 0);
    EXPECT_EQ(b.deviceFlag, 1);
    run(h, "slaves 3");
    EXPECT_EQ(b.slaves, 3);
    EXPECT_EQ(h.settable(kP0089), 3);
}

TEST(Control, faultsAndParameterValues)
{
    DriveHarness h;
    EXPECT_EQ(run(h, "fault set 0.3"), QStringLiteral("ok r0943.0=8"));
    EXPECT_EQ(run(h, "get r0001"), QStringLiteral("ok r0001=7"));
    EXPECT_EQ(run(h, "fault clear 0.3"), QStringLiteral("ok r0943.0=0"));
    EXPECT_EQ(run(h, "set P7000.4 1"), QStringLiteral("ok P7000.4=1"));  // the reset edge
    EXPECT_EQ(run(h, "get r0001"), QStringLiteral("ok r0001=9"));
    EXPECT_EQ(run(h, "set P7030 0x2000"), QStringLiteral("ok P7030=8192"));
    EXPECT_EQ(h.settable(kP7030), 0x2000);
    EXPECT_TRUE(run(h, "status").startsWith(QStringLiteral("ok state=9 ")));
    EXPECT_TRUE(executeControl(QStringLiteral("quit"), h.drive, h.now).quit);
}

// The machine's load and a connection input's source by its connector text.
TEST(Control, loadAndConnectionSources)
{
    DriveHarness h;
    EXPECT_EQ(run(h, "load 30"), QStringLiteral("ok load=30.0"));
    EXPECT_TRUE(run(h, "status").contains(QStringLiteral(" mds=1 bds=1 fds=1 load=30.0")));
    for (const char* bad : {"load", "load 151", "load x", "load 1 2", "set P0554 K9999", "set P0554 X0002"})
        EXPECT_TRUE(run(h, bad).startsWith(QStringLiteral("error: "))) << bad;
    EXPECT_EQ(h.drive.model().extraLoad(), 30.0);
    // The fixture has no connector K0002 (r8002): its r0002 is the output.
    EXPECT_EQ(run(h, "set P0554 K0002"), QStringLiteral("ok P0554=1"));
    EXPECT_EQ(run(h, "set P0554 0"), QStringLiteral("ok P0554=0"));
    EXPECT_EQ(h.drive.tables().value(TableKind::Connection, kP0554), 0);

    // The load counts: at 50 Hz the torque is 10 + 30 + 30 % of the rated torque.
    h.write(kP0880, 1);
    h.write(kP7030, 16384);
    h.write(kP7000_5, 1);
    h.runFor(seconds(4.0));
    EXPECT_NEAR(h.drive.model().torque(), 70.0, 1e-9);
}

TEST(Control, badCommandsAreRefusedAndChangeNothing)
{
    DriveHarness h;
    const char* bad[] = {"", "noise 2", "noise -1%", "noise x", "drop", "mute maybe", "boot -1", "program-id 0x10000",
                         "variant 2", "device-flag", "slaves -1", "fault set 21.0", "fault set 0.16", "fault 0.1",
                         "fault toggle 0.1", "get P9999", "set r0001", "set r0001 70000", "launch"};
    for (const char* line : bad)
        EXPECT_TRUE(run(h, line).startsWith(QStringLiteral("error: "))) << line;
    const DriveBehaviour& b = h.drive.behaviour();
    EXPECT_EQ(b.noiseRate, 0.0);
    EXPECT_EQ(b.variantFlag, 1);
    EXPECT_FALSE(h.drive.model().anyFault());
}

TEST(Control, ignoredCodesAddUpAndOffClearsThem)
{
    DriveHarness h;
    const DriveBehaviour& b = h.drive.behaviour();
    EXPECT_EQ(run(h, "ignore 0x0E"), QStringLiteral("ok ignore=0x0E"));
    EXPECT_EQ(run(h, "ignore 0x08"), QStringLiteral("ok ignore=0x08,0x0E"));
    EXPECT_EQ(run(h, "ignore 0x03 0xf0"), QStringLiteral("ok ignore=0x03,0x08,0x0E,0xF0"));
    EXPECT_EQ(run(h, "ignore 0x0e"), QStringLiteral("ok ignore=0x03,0x08,0x0E,0xF0"));  // once is enough
    EXPECT_EQ(run(h, "ignore 0x0 0xFF"), QStringLiteral("ok ignore=0x00,0x03,0x08,0x0E,0xF0,0xFF"));
    EXPECT_EQ(b.ignoredCodes.count(), 6u);
    EXPECT_TRUE(b.ignores(0x00));
    EXPECT_TRUE(b.ignores(0xFF));
    EXPECT_FALSE(b.ignores(0x0C));
    EXPECT_TRUE(run(h, "status").contains(QStringLiteral(" ignore=0x00,0x03,0x08,0x0E,0xF0,0xFF ")));
    EXPECT_EQ(run(h, "ignore off"), QStringLiteral("ok ignore=none"));
    EXPECT_TRUE(b.ignoredCodes.none());
    EXPECT_TRUE(run(h, "status").contains(QStringLiteral(" ignore=none ")));
}

TEST(Control, misaddressSwitchesAndStatusReportsIt)
{
    DriveHarness h;
    EXPECT_TRUE(run(h, "status").contains(QStringLiteral(" misaddress=0")));
    EXPECT_EQ(run(h, "misaddress on"), QStringLiteral("ok"));
    EXPECT_TRUE(h.drive.behaviour().misaddress);
    EXPECT_TRUE(run(h, "status").contains(QStringLiteral(" misaddress=1")));
    EXPECT_EQ(run(h, "misaddress off"), QStringLiteral("ok"));
    EXPECT_FALSE(h.drive.behaviour().misaddress);
}

TEST(Control, badFaultSwitchesAreRefusedAndChangeNothing)
{
    DriveHarness h;
    FakePlug plug;
    run(h, "ignore 0x0C");
    const char* bad[] = {"ignore", "ignore 14", "ignore 0E", "ignore 0x", "ignore 0x100", "ignore 0x0G", "ignore 0x+1",
                         "ignore -0x1", "ignore 0x0E off", "ignore off 0x0E", "ignore off off", "ignore 0x0E x",
                         "misaddress", "misaddress yes", "misaddress on off", "replug now", "unplug 1", "plug in"};
    for (const char* line : bad)
        EXPECT_TRUE(run(h, line, &plug).startsWith(QStringLiteral("error: "))) << line;
    const DriveBehaviour& b = h.drive.behaviour();
    EXPECT_EQ(b.ignoredCodes.count(), 1u);  // a line with one bad code adds none of its codes
    EXPECT_TRUE(b.ignores(0x0C));
    EXPECT_FALSE(b.misaddress);
    EXPECT_TRUE(plug.calls.isEmpty());
}

TEST(Control, plugCommandsGoToTheLineAndNameTheNewDevice)
{
    DriveHarness h;
    FakePlug plug;
    EXPECT_TRUE(run(h, "status", &plug).endsWith(QStringLiteral(" line=/dev/pts/7")));
    EXPECT_EQ(run(h, "replug", &plug), QStringLiteral("ok /dev/pts/8"));
    EXPECT_EQ(run(h, "unplug", &plug), QStringLiteral("ok"));
    EXPECT_TRUE(run(h, "status", &plug).endsWith(QStringLiteral(" line=unplugged")));
    EXPECT_EQ(run(h, "plug", &plug), QStringLiteral("ok /dev/pts/9"));
    EXPECT_EQ(plug.calls, (QStringList{"replug", "unplug", "plug"}));
    plug.failure = QStringLiteral("openpty: out of devices");
    EXPECT_EQ(run(h, "replug", &plug), QStringLiteral("error: openpty: out of devices"));
}

TEST(Control, plugCommandsWithoutAPseudoTerminalAreRefused)
{
    DriveHarness h;
    for (const char* line : {"replug", "unplug", "plug"})
        EXPECT_EQ(run(h, line), QStringLiteral("error: %1 needs the pseudo-terminal line (--pty)").arg(line));
    EXPECT_FALSE(run(h, "status").contains(QStringLiteral("line=")));
}

TEST(SimOptionsTest, ignoredCodesAndMisaddressAtStart)
{
    const auto parsed = parseSimOptions({"--project", "a.tmprj", "--pty", "--ignore", "0x0E", "--ignore", "0x08",
                                         "--misaddress"});
    ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
    const DriveBehaviour& b = parsed.options->behaviour;
    EXPECT_EQ(b.ignoredCodes.count(), 2u);
    EXPECT_TRUE(b.ignores(0x0E));
    EXPECT_TRUE(b.ignores(0x08));
    EXPECT_TRUE(b.misaddress);
    const auto plain = parseSimOptions({"--project", "a.tmprj", "--pty"});
    ASSERT_TRUE(plain.options);
    EXPECT_TRUE(plain.options->behaviour.ignoredCodes.none());
    EXPECT_FALSE(plain.options->behaviour.misaddress);
    EXPECT_TRUE(simUsage().contains(QStringLiteral("--ignore CODE")));
    EXPECT_TRUE(simUsage().contains(QStringLiteral("replug | unplug | plug")));
}

TEST(SimOptionsTest, ptyAndUdpAndMisbehaviour)
{
    const auto parsed = parseSimOptions({"--project", "a.tmprj", "--pty", "--link", "/tmp/x", "--baud", "38400",
                                         "--noise", "1%", "--drop", "0.1", "--seed", "7", "--boot-delay", "2.5",
                                         "--program-id", "0x1234", "--cpu-type", "0x6501", "--last-download-failed",
                                         "--variant", "0", "--device-flag", "1", "--slaves", "2", "--fault", "0.3",
                                         "--fault", "20.15", "--control", "/tmp/c.sock", "--heartbeat-timeout", "5"});
    ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
    const SimOptions& o = *parsed.options;
    EXPECT_TRUE(o.pty);
    EXPECT_EQ(o.linkPath, QStringLiteral("/tmp/x"));
    EXPECT_EQ(o.baud, 38400u);
    EXPECT_DOUBLE_EQ(o.behaviour.noiseRate, 0.01);
    EXPECT_DOUBLE_EQ(o.behaviour.dropShare, 0.1);
    EXPECT_EQ(o.seed, 7u);
    EXPECT_DOUBLE_EQ(o.bootDelaySeconds, 2.5);
    EXPECT_EQ(o.behaviour.programId, 0x1234);
    EXPECT_EQ(o.behaviour.cpuType, 0x6501);
    EXPECT_TRUE(o.behaviour.lastDownloadFailed);
    EXPECT_FALSE(o.behaviour.lastRestoreFailed);
    EXPECT_EQ(o.behaviour.variantFlag, 0);
    EXPECT_EQ(o.behaviour.deviceFlag, 1);
    EXPECT_EQ(o.behaviour.slaves, 2);
    EXPECT_EQ(o.faults, (std::vector<std::pair<int, int>>{{0, 3}, {20, 15}}));
    EXPECT_EQ(o.controlPath, QStringLiteral("/tmp/c.sock"));
    EXPECT_EQ(o.behaviour.heartbeatTimeout, seconds(5.0));

    const auto udp = parseSimOptions({"--project", "a.tmprj", "--udp", "127.0.0.2"});
    ASSERT_TRUE(udp.options);
    EXPECT_EQ(udp.options->udpAddress, QStringLiteral("127.0.0.2"));
    EXPECT_EQ(udp.options->udpPort, 8001);
    const auto port = parseSimOptions({"--project", "a.tmprj", "--udp", "127.0.0.5:18001"});
    ASSERT_TRUE(port.options);
    EXPECT_EQ(port.options->udpPort, 18001);
}

TEST(SimOptionsTest, refusals)
{
    const QStringList cases[] = {
        {"--pty"},                                                  // no project
        {"--project", "a"},                                         // neither pty nor udp
        {"--project", "a", "--pty", "--udp", "127.0.0.2"},          // both
        {"--project", "a", "--udp", "127.0.0.2", "--link", "/x"},   // link without pty
        {"--project", "a", "--pty", "--baud", "0"},
        {"--project", "a", "--pty", "--noise", "150%"},
        {"--project", "a", "--pty", "--variant", "2"},
        {"--project", "a", "--pty", "--fault", "3"},
        {"--project", "a", "--udp", "127.0.0.2:0"},
        {"--project", "a", "--pty", "--frobnicate", "1"},
        {"--project", "a", "--pty", "--ignore", "14"},              // a code is hexadecimal
        {"--project", "a", "--pty", "--ignore", "0x100"},
        {"--project", "a", "--pty", "--ignore", "off"},
        {"--project", "a", "--pty", "--ignore"},
        {"--project", "a", "--pty", "extra"},
        {"--project"},
    };
    for (const QStringList& arguments : cases) {
        const auto parsed = parseSimOptions(arguments);
        EXPECT_FALSE(parsed.options) << arguments.join(' ').toStdString();
        EXPECT_FALSE(parsed.error.isEmpty());
    }
    const auto help = parseSimOptions({"--help"});
    ASSERT_TRUE(help.options);
    EXPECT_TRUE(help.options->help);
    EXPECT_TRUE(simUsage().contains(QStringLiteral("--boot-delay")));
}

TEST(LineFaultsTest, noiseAndDropRatesAndAFixedSeedRepeats)
{
    LineFaults faults(42);
    std::vector<uint8_t> bytes(100000, 0x5A);
    const size_t corrupted = faults.corrupt(bytes, 0.01);
    EXPECT_GT(corrupted, 800u);
    EXPECT_LT(corrupted, 1200u);
    EXPECT_EQ(static_cast<size_t>(std::count_if(bytes.begin(), bytes.end(), [](uint8_t b) { return b != 0x5A; })),
              corrupted);  // a corrupted byte always differs
    int dropped = 0;
    for (int i = 0; i < 10000; ++i)
        dropped += faults.dropFrame(0.25) ? 1 : 0;
    EXPECT_GT(dropped, 2300);
    EXPECT_LT(dropped, 2700);
    EXPECT_FALSE(faults.dropFrame(0.0));
    EXPECT_TRUE(faults.dropFrame(1.0));

    LineFaults a(7);
    LineFaults b(7);
    std::vector<uint8_t> x(1000, 0);
    std::vector<uint8_t> y(1000, 0);
    a.corrupt(x, 0.05);
    b.corrupt(y, 0.05);
    EXPECT_EQ(x, y);
}

TEST(LineFaultsTest, droppedFramesNeverReachTheLine)
{
    DriveBehaviour behaviour;
    behaviour.dropShare = 1.0;
    DriveHarness h(behaviour);
    EXPECT_TRUE(h.request("F2 0C 00 00 00 00 00 FE").empty());
    EXPECT_EQ(h.drive.counters().framesDropped, 1u);
    h.drive.behaviour().dropShare = 0.0;
    h.drive.behaviour().noiseRate = 1.0;
    const auto lines = h.request("F2 0C 00 00 00 00 00 FE");
    ASSERT_EQ(lines.size(), 1u);
    const Bytes sent = hex(lines[0].c_str());
    const Bytes clean = hex("F2 0C 4A 21 00 00 00 95");
    for (size_t i = 0; i < sent.size(); ++i)
        EXPECT_NE(sent[i], clean[i]);
    EXPECT_EQ(h.drive.counters().bytesCorrupted, 8u);
}

}  // namespace
}  // namespace hesk::sim::test

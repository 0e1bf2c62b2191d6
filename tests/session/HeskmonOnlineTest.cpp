// heskmon connect, read, write and watch: the real program against the real simulated
// drive, over a pseudo-terminal and over UDP loopback, with the simulator's small project
// (exact values) and with an installed sample project (the README's way).

#include "ChildProcess.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace hesk::session::test {
namespace {

using namespace std::chrono_literals;

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
    QJsonDocument json() const { return QJsonDocument::fromJson(out.toUtf8()); }
};

CliRun heskmon(const QStringList& args)
{
    const testsupport::ProcessRun process = testsupport::runProcess(QStringLiteral(HESK_CLI_PATH), args);
    CliRun run;
    run.exitCode = process.exitCode;
    run.out = QString::fromUtf8(process.out);
    run.err = QString::fromUtf8(process.err);
    return run;
}

class HeskmonOnline : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::test::ensureQtApplication();
        ASSERT_TRUE(dir.isValid());
        project = sim::test::writeSimProject(dir.path());
    }
    void startPty(const QString& projectFile)
    {
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), projectFile, QStringLiteral("--pty")}))
            << sim.error().toStdString();
        line = {QStringLiteral("--project"), projectFile, QStringLiteral("--port"), sim.readyLine()};
    }
    void startUdp()
    {
        bool started = false;
        for (int attempt = 0; attempt < 5 && !started; ++attempt) {
            const QString address = QStringLiteral("127.0.0.%1").arg(2 + QRandomGenerator::global()->bounded(250));
            const int port = 20000 + QRandomGenerator::global()->bounded(40000);
            const QString remote = QStringLiteral("%1:%2").arg(address).arg(port);
            started = sim.start({QStringLiteral("--project"), project, QStringLiteral("--udp"), remote});
            line = {QStringLiteral("--project"), project, QStringLiteral("--udp"), QStringLiteral("--udp-local"),
                    QStringLiteral("127.0.0.1:0"), QStringLiteral("--udp-remote"), remote};
        }
        ASSERT_TRUE(started) << sim.error().toStdString();
    }
    CliRun run(const QStringList& command, const QStringList& extra = {}) { return heskmon(command + line + extra); }

    QTemporaryDir dir;
    QString project;
    sim::test::SimProcess sim;
    QStringList line;  // --project and the link options
};

TEST_F(HeskmonOnline, connectShowsIdentificationAndStatus)
{
    startPty(project);
    const CliRun text = run({QStringLiteral("connect")});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.startsWith(QStringLiteral("在线(%1 | 38400bps)  程序状态:运行中  CPU负荷:").arg(sim.readyLine())))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(QStringLiteral("cpu type: 0x6500 HESK6500\nprogram id: 0x4A21\n")));
    EXPECT_TRUE(text.err.contains(QStringLiteral("log: 连接成功")));

    const CliRun json = run({QStringLiteral("connect"), QStringLiteral("--json")});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject result = json.json().object();
    EXPECT_TRUE(result[QStringLiteral("online")].toBool());
    EXPECT_EQ(result[QStringLiteral("cpuName")].toString(), QStringLiteral("HESK6500"));
    EXPECT_EQ(result[QStringLiteral("programId")].toString(), QStringLiteral("0x4A21"));
    EXPECT_EQ(result[QStringLiteral("variantFlag")].toInt(), 1);
}

TEST_F(HeskmonOnline, connectFailuresPrintTheMessagesAndExit1)
{
    startPty(project);
    sim.command(QStringLiteral("program-id 0x1111"));
    const CliRun mismatch = run({QStringLiteral("connect")});
    EXPECT_EQ(mismatch.exitCode, 1);
    EXPECT_TRUE(mismatch.err.contains(QStringLiteral("错误: 当前工程ID和下位机程序ID不符。")));
    EXPECT_TRUE(mismatch.out.isEmpty());

    line[3] = dir.filePath(QStringLiteral("missing-port"));
    const CliRun noPort = run({QStringLiteral("connect")});
    EXPECT_EQ(noPort.exitCode, 1);
    EXPECT_TRUE(noPort.err.contains(QStringLiteral("错误: 串口打开失败！")));

    const CliRun usage = heskmon({QStringLiteral("connect"), QStringLiteral("--port"), sim.readyLine()});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.err.contains(QStringLiteral("--project")));
}

TEST_F(HeskmonOnline, readShowsValuesAsThePagesDo)
{
    startPty(project);
    const CliRun text = run({QStringLiteral("read"), QStringLiteral("r0006.0"), QStringLiteral("P0070"),
                             QStringLiteral("P0554"), QStringLiteral("r0001")});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    const QStringList lines = text.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4) << text.out.toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" 540"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" 37"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(" source 1"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral(" 9"))) << lines[3].toStdString();

    const CliRun json = run({QStringLiteral("read"), QStringLiteral("r0820"), QStringLiteral("--json")});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject row = json.json().array().at(0).toObject();
    EXPECT_EQ(row[QStringLiteral("key")].toString(), QStringLiteral("r0820"));
    EXPECT_EQ(row[QStringLiteral("raw")].toString(), QStringLiteral("0x007D"));

    const CliRun unknown = run({QStringLiteral("read"), QStringLiteral("P9999")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("no parameter P9999")));

    sim.command(QStringLiteral("mute on"));
    const CliRun silent = run({QStringLiteral("read"), QStringLiteral("r0001")});
    EXPECT_EQ(silent.exitCode, 1);
    EXPECT_TRUE(silent.err.contains(QStringLiteral("连接超时")));
}

TEST_F(HeskmonOnline, writeValidatesThenWritesThroughTheConfirmedPipeline)
{
    startPty(project);
    const CliRun written = run({QStringLiteral("write"), QStringLiteral("P7030=25.00")});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_TRUE(written.out.trimmed().endsWith(QStringLiteral(" 25.00"))) << written.out.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=8192"));

    struct Case {
        const char* assignment;
        const char* error;
    };
    const std::vector<Case> refused = {
        {"P7030=abc", "error2"},
        {"P7030=25.123", "error4"},
        {"r0001=3", "r0001: 警告: 此类型的参数不允许修改！"},
        {"P0554=5", "connection"},
        {"P7030", "KEY=VALUE"},
    };
    for (const Case& c : refused) {
        const CliRun run1 = run({QStringLiteral("write"), QString::fromUtf8(c.assignment)});
        EXPECT_NE(run1.exitCode, 0) << c.assignment;
        EXPECT_TRUE(run1.err.contains(QString::fromUtf8(c.error))) << c.assignment << ": " << run1.err.toStdString();
    }
    // Nothing refused reached the drive.
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=8192"));
}

// The simulated drive starts with the access bit set (P0053 = 3), menu level 1 and the
// motor stopped (r0001 = 9); its P0100 has no sub-index, so no data set is inactive.
TEST_F(HeskmonOnline, writeFollowsTheEditRulesWithTheDrivesValues)
{
    startPty(project);
    const QString p0100Before = sim.command(QStringLiteral("get P0100"));
    ASSERT_EQ(p0100Before, QStringLiteral("ok P0100=4096"));

    // Menu level 1 forbids P0100; nothing of the call is written, not even the value
    // before it.
    const CliRun level1 = run({QStringLiteral("write"), QStringLiteral("P7030=10.00"), QStringLiteral("P0100=2")});
    EXPECT_EQ(level1.exitCode, 1);
    EXPECT_TRUE(level1.err.contains(QStringLiteral("P0100: HESKMonitor: 当参数菜单P60为 1/7/2/8 时，该参数不能被修改！")))
        << level1.err.toStdString();
    EXPECT_TRUE(level1.out.isEmpty());
    EXPECT_EQ(sim.command(QStringLiteral("get P0100")), p0100Before);
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=0"));

    // At level 5 it may be changed.
    sim.command(QStringLiteral("set P0060 5"));
    const CliRun level5 = run({QStringLiteral("write"), QStringLiteral("P0100=2")});
    ASSERT_EQ(level5.exitCode, 0) << level5.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P0100")), QStringLiteral("ok P0100=328"));

    // A menu level written earlier in the call counts for the values after it.
    sim.command(QStringLiteral("set P0060 1"));
    const CliRun inOrder = run({QStringLiteral("write"), QStringLiteral("P0060=5"), QStringLiteral("P0100=3")});
    ASSERT_EQ(inOrder.exitCode, 0) << inOrder.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P0060")), QStringLiteral("ok P0060=5"));
    EXPECT_EQ(sim.command(QStringLiteral("get P0100")), QStringLiteral("ok P0100=492"));

    // The menu level takes only its allowed values.
    const CliRun level3 = run({QStringLiteral("write"), QStringLiteral("P0060=3")});
    EXPECT_EQ(level3.exitCode, 1);
    EXPECT_TRUE(level3.err.contains(QStringLiteral("P0060: 警告: 数据不在范围内！"))) << level3.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P0060")), QStringLiteral("ok P0060=5"));

    // With the access bit clear only P0053 and P0060 may be changed.
    sim.command(QStringLiteral("set P0053 0"));
    const CliRun noAccess = run({QStringLiteral("write"), QStringLiteral("P7030=10.00")});
    EXPECT_EQ(noAccess.exitCode, 1);
    EXPECT_TRUE(noAccess.err.contains(QStringLiteral("P7030: HESKMonitor: 该参数在此权限状态下不能被修改！")))
        << noAccess.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=0"));
    const CliRun level = run({QStringLiteral("write"), QStringLiteral("P0060=1")});
    ASSERT_EQ(level.exitCode, 0) << level.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P0060")), QStringLiteral("ok P0060=1"));
}

TEST_F(HeskmonOnline, writeRefusesTheRunningListWhileTheMotorRuns)
{
    startPty(project);
    // The control panel's parameters are written as the panel writes them.
    const CliRun start = run({QStringLiteral("write"), QStringLiteral("--panel"), QStringLiteral("P7030=25.00"),
                              QStringLiteral("P0880=1"), QStringLiteral("P7000.5=1")});
    ASSERT_EQ(start.exitCode, 0) << start.err.toStdString();
    bool running = false;
    for (int attempt = 0; attempt < 40 && !running; ++attempt) {
        const QString state = sim.command(QStringLiteral("get r0001"));
        running = state.section(QLatin1Char('='), 1).toInt() >= 10;
        if (!running)
            QThread::msleep(250);
    }
    ASSERT_TRUE(running);

    for (const char* assignment : {"P0060=2", "P7000.5=0"}) {
        const CliRun refused = run({QStringLiteral("write"), QString::fromLatin1(assignment)});
        EXPECT_EQ(refused.exitCode, 1) << assignment;
        EXPECT_TRUE(refused.err.contains(QStringLiteral(": HESKMonitor: 该参数在此权限状态下不能被修改！\n")))
            << assignment << ": " << refused.err.toStdString();
    }
    EXPECT_EQ(sim.command(QStringLiteral("get P0060")), QStringLiteral("ok P0060=1"));
    EXPECT_EQ(sim.command(QStringLiteral("get P7000.5")), QStringLiteral("ok P7000.5=1"));

    // Not in the running list: changed while running.
    const CliRun setpoint = run({QStringLiteral("write"), QStringLiteral("P7030=20.00")});
    ASSERT_EQ(setpoint.exitCode, 0) << setpoint.err.toStdString();
    const CliRun stop = run({QStringLiteral("write"), QStringLiteral("--panel"), QStringLiteral("P7000.5=0")});
    ASSERT_EQ(stop.exitCode, 0) << stop.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P7000.5")), QStringLiteral("ok P7000.5=0"));
}

TEST_F(HeskmonOnline, watchPrintsChangesAsTheMotorRamps)
{
    startPty(project);
    // Run the motor at 25 Hz and let it get there.
    ASSERT_EQ(run({QStringLiteral("write"), QStringLiteral("--panel"), QStringLiteral("P7030=25.00"),
                   QStringLiteral("P0880=1"), QStringLiteral("P7000.5=1")})
                  .exitCode,
              0);
    ASSERT_TRUE(sim::test::pumpUntil(
        [&] { return sim.command(QStringLiteral("status")).contains(QStringLiteral(" frequency=25.00 ")); }, 10s));
    // The watch prints each line as it comes, also into a pipe: once its first line is
    // out, the setpoint drops to zero and the lines that follow show the motor ramping
    // down, however long the program took to connect.
    testsupport::ChildProcess watch;
    const QStringList arguments = QStringList{QStringLiteral("watch"), QStringLiteral("r0002"), QStringLiteral("r0001")} +
                                  line + QStringList{QStringLiteral("--seconds"), QStringLiteral("3")};
    ASSERT_TRUE(watch.start(QStringLiteral(HESK_CLI_PATH), arguments)) << watch.startError().toStdString();
    watch.closeInput();
    const std::optional<QByteArray> first = watch.readLine(30s);
    ASSERT_TRUE(first.has_value()) << watch.errorOutput().toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("set P7030 0")), QStringLiteral("ok P7030=0"));
    const QString out = QString::fromUtf8(*first + '\n' + watch.readRest(30s));
    ASSERT_EQ(watch.waitForExit(10s), std::optional<int>(0)) << watch.errorOutput().toStdString();
    const QStringList lines = out.trimmed().split(QLatin1Char('\n'));
    EXPECT_GE(lines.size(), 4) << out.toStdString();
    QStringList frequencies;
    for (const QString& l : lines)
        if (l.contains(QStringLiteral("r0002")))
            frequencies << l.section(QLatin1Char(' '), 2);
    frequencies.removeDuplicates();
    EXPECT_GE(frequencies.size(), 2) << out.toStdString();  // the value moved
}

TEST_F(HeskmonOnline, udpLoopbackConnectReadAndWrite)
{
    startUdp();
    const CliRun connected = run({QStringLiteral("connect")});
    ASSERT_EQ(connected.exitCode, 0) << connected.err.toStdString();
    EXPECT_TRUE(connected.out.startsWith(QStringLiteral("在线，通信接口：以太网  程序状态:运行中")))
        << connected.out.toStdString();
    const CliRun read = run({QStringLiteral("read"), QStringLiteral("r0006.0")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_TRUE(read.out.trimmed().endsWith(QStringLiteral(" 540")));
    const CliRun write = run({QStringLiteral("write"), QStringLiteral("P7030=12.50")});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=4096"));
}

TEST_F(HeskmonOnline, anInstalledSampleProjectConnects)
{
    const QString sample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
    startPty(sample);
    const CliRun read = run({QStringLiteral("read"), QStringLiteral("r0001"), QStringLiteral("P0070")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(read.out.trimmed().split(QLatin1Char('\n')).size(), 2) << read.out.toStdString();
}

}  // namespace
}  // namespace hesk::session::test

// heskmon connect, read, write and watch: the real program against the real simulated
// drive, over a pseudo-terminal and over UDP loopback, with the simulator's small project
// (exact values) and with an installed sample project (the README's way).

#include "ChildProcess.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "model/ProjectFile.h"
#include "pages/PageValueText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSet>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <optional>

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

model::HeskParameterElement& definition(model::HeskProject& project, const char* key)
{
    const std::optional<std::size_t> index = project.findByKeyText(QString::fromLatin1(key));
    EXPECT_TRUE(index.has_value()) << key;
    return project.elements.at(index.value_or(0));
}

// The simulator's project with what a page shows beside a value: names, units, the
// page's decimals for a percentage (P0100, N2: 16384 = 100 %), a formula on a
// reference the drive holds (r0820 = r0820 * P0072 / 1000, P0072 at settable address
// 10), and r0071 without device address as the fixed definitions have it.
QString writeDisplayProject(const QString& folder)
{
    model::HeskProject project = sim::test::simProject();
    model::HeskParameterElement& p0100 = definition(project, "P0100");
    p0100.name = QStringLiteral("给定百分比");
    p0100.unit = QStringLiteral("%");
    p0100.decimals = 2;
    definition(project, "r0002").unit = QStringLiteral("Hz");
    model::HeskParameterElement& r0820 = definition(project, "r0820");
    r0820.commandType = QStringLiteral("3");
    r0820.decimals = 2;
    r0820.reverseFormula = QStringLiteral("r0820*P0072/1000");
    r0820.forwardFormula = QStringLiteral("r0820*1000/P0072");
    model::HeskParameterElement p0072 = definition(project, "P0089");
    p0072.number = 72;
    p0072.address = sim::test::kSettableCount;
    p0072.factoryValue = p0072.currentValueText = QStringLiteral("200");
    project.elements.push_back(p0072);
    model::HeskParameterElement r0071 = definition(project, "r0015");
    r0071.number = 71;
    r0071.address = 0xFFFF;
    project.elements.push_back(r0071);
    project.sortElements();
    const QString path = QDir(folder).filePath(QStringLiteral("display.tmprj"));
    EXPECT_EQ(model::saveProject(path, project), std::nullopt);
    return path;
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
    const QStringList lines = text.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << text.out.toStdString();
    // A connection input shows the number of its source, as the page does.
    const model::HeskProject plain = sim::test::simProject();
    const QString source = pages::ConnectionSources(plain, model::DeviceClass::Inverter).sourceText(0xFFFF);
    ASSERT_FALSE(source.isEmpty());
    const QStringList expected = {QStringLiteral("r0006.000\t参数6\t540\t"), QStringLiteral("P0070\t参数70\t37\t"),
                                  QStringLiteral("P0554\t参数554\t%1\t").arg(source),
                                  QStringLiteral("r0001\t参数1\t9\t")};
    EXPECT_EQ(lines, expected) << text.out.toStdString();

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

// What a page shows: the page's decimals and unit beside number and name, a formula on
// the drive's reference values (read before the formula parameter), the raw word in
// the JSON.
TEST_F(HeskmonOnline, readPrintsNumberNameValueAndUnitAsThePageShowsThem)
{
    startPty(writeDisplayProject(dir.path()));
    ASSERT_EQ(sim.command(QStringLiteral("set P0100 6554")), QStringLiteral("ok P0100=6554"));  // 40.002441 %
    ASSERT_TRUE(sim.command(QStringLiteral("set P0072 200")).startsWith(QStringLiteral("ok")));
    // The drive reports its base time TA (125 us) through r0820's own conversion: the word
    // is 625, shown through the formula with the drive's P0072 as 625 x 200 / 1000.
    ASSERT_TRUE(sim::test::pumpUntil([&] { return sim.command(QStringLiteral("get r0820")) == QStringLiteral("ok r0820=625"); }, 5s))
        << sim.command(QStringLiteral("get r0820")).toStdString();

    const CliRun text =
        run({QStringLiteral("read"), QStringLiteral("P0100"), QStringLiteral("r0002"), QStringLiteral("r0820")});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_EQ(text.out, QStringLiteral("P0100\t给定百分比\t40.00\t%\n"
                                       "r0002\t参数2\t0.00\tHz\n"
                                       "r0820\t参数820\t125.00\t\n"));

    const CliRun json = run({QStringLiteral("read"), QStringLiteral("P0100"), QStringLiteral("--json")});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject row = json.json().array().at(0).toObject();
    EXPECT_EQ(row, (QJsonObject{{QStringLiteral("key"), QStringLiteral("P0100")},
                                {QStringLiteral("displayNumber"), QStringLiteral("P0100")},
                                {QStringLiteral("name"), QStringLiteral("给定百分比")},
                                {QStringLiteral("value"), QStringLiteral("40.00")},
                                {QStringLiteral("unit"), QStringLiteral("%")},
                                {QStringLiteral("raw"), QStringLiteral("0x199A")}}));
}

// A parameter without device address cannot be asked for: refused before any connect
// (no time-out), by read, watch and write alike, together with every other bad key.
TEST_F(HeskmonOnline, aParameterWithoutDeviceAddressIsRefusedBeforeConnecting)
{
    startPty(writeDisplayProject(dir.path()));
    const QString noAddress = QStringLiteral("heskmon: r0071 has no device address: the drive cannot be asked for it");
    const QList<QStringList> calls = {
        {QStringLiteral("read"), QStringLiteral("r0071")},
        {QStringLiteral("read"), QStringLiteral("r0001"), QStringLiteral("r0071"), QStringLiteral("P9999")},
        {QStringLiteral("watch"), QStringLiteral("r0071"), QStringLiteral("--seconds"), QStringLiteral("1")},
    };
    for (const QStringList& call : calls) {
        SCOPED_TRACE(call.join(QLatin1Char(' ')).toStdString());
        const CliRun refused = run(call);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.err.contains(noAddress + QLatin1Char('\n'))) << refused.err.toStdString();
        EXPECT_FALSE(refused.err.contains(QStringLiteral("请求数据超时"))) << refused.err.toStdString();
        EXPECT_FALSE(refused.err.contains(QStringLiteral("log: 开始连接"))) << refused.err.toStdString();
        EXPECT_TRUE(refused.out.isEmpty());
    }
    const CliRun both = run(calls[1]);
    EXPECT_TRUE(both.err.contains(QStringLiteral("heskmon: the project has no parameter P9999\n")));
    EXPECT_FALSE(both.err.contains(QStringLiteral("r0001")));

    const CliRun write = run({QStringLiteral("write"), QStringLiteral("r0071=3")});
    EXPECT_EQ(write.exitCode, 1);
    EXPECT_TRUE(write.err.contains(noAddress + QLatin1Char('\n'))) << write.err.toStdString();
    EXPECT_FALSE(write.err.contains(QStringLiteral("log: 开始连接"))) << write.err.toStdString();
}

// Every value is checked before anything is written: each refusal is named in the
// order of the call (offline ones and the drive's rules alike), then that nothing was
// written; the drive keeps its values.
TEST_F(HeskmonOnline, aWriteWithARefusalNamesEveryRefusalAndWritesNothing)
{
    startPty(project);
    const QString p0100Before = sim.command(QStringLiteral("get P0100"));
    const CliRun refused = run({QStringLiteral("write"), QStringLiteral("P7030=10.00"), QStringLiteral("P0100=2"),
                                QStringLiteral("P0060=3"), QStringLiteral("P9999=1"), QStringLiteral("P7030=25.00")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.isEmpty()) << refused.out.toStdString();
    QStringList messages;
    for (const QString& line : refused.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!line.startsWith(QStringLiteral("log: ")))
            messages << line;
    const QStringList expected = {
        QStringLiteral("P0100: HESKMonitor: 当参数菜单P60为 1/7/2/8 时，该参数不能被修改！"),
        QStringLiteral("P0060: 警告: 数据不在范围内！"),
        QStringLiteral("heskmon: the project has no parameter P9999"),
        QStringLiteral("heskmon: nothing was written: 3 of 5 values refused"),
    };
    EXPECT_EQ(messages, expected) << refused.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=0"));
    EXPECT_EQ(sim.command(QStringLiteral("get P0100")), p0100Before);
    EXPECT_EQ(sim.command(QStringLiteral("get P0060")), QStringLiteral("ok P0060=1"));

    // Refused without asking the drive: no connect at all.
    const CliRun offline = run({QStringLiteral("write"), QStringLiteral("P0060=3"), QStringLiteral("P7030=abc")});
    EXPECT_EQ(offline.exitCode, 1);
    EXPECT_TRUE(offline.err.contains(QStringLiteral("heskmon: nothing was written: 2 of 2 values refused")));
    EXPECT_FALSE(offline.err.contains(QStringLiteral("log: 开始连接"))) << offline.err.toStdString();
}

// A drive that does not confirm a write: the call stops there and says what was
// written and what was not.
TEST_F(HeskmonOnline, anUnconfirmedWriteSaysWhatWasAndWasNotWritten)
{
    startPty(project);
    ASSERT_TRUE(sim.command(QStringLiteral("ignore 0x08")).startsWith(QStringLiteral("ok")));
    const CliRun failed = run({QStringLiteral("write"), QStringLiteral("P7030=10.00"), QStringLiteral("P0060=5")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("P7030: 在线修改参数值失败！\n"))) << failed.err.toStdString();
    EXPECT_TRUE(failed.err.contains(QStringLiteral("heskmon: written: none; not written: P7030, P0060\n")))
        << failed.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=0"));
    EXPECT_EQ(sim.command(QStringLiteral("get P0060")), QStringLiteral("ok P0060=1"));
}

TEST_F(HeskmonOnline, writeValidatesThenWritesThroughTheConfirmedPipeline)
{
    startPty(project);
    const CliRun written = run({QStringLiteral("write"), QStringLiteral("P7030=25.00")});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(written.out, QStringLiteral("P7030\t参数7030\t25.00\t\n"));  // read back
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
    // Once the watch has printed its first line, the setpoint drops to zero: the lines
    // that follow show the motor ramping down, however long the program took to connect.
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
    EXPECT_GE(lines.size(), 3) << out.toStdString();  // the two starting values and a change
    QStringList frequencies;
    for (const QString& l : lines)
        if (l.section(QLatin1Char('\t'), 1, 1) == QStringLiteral("r0002"))
            frequencies << l.section(QLatin1Char('\t'), 3, 3);
    EXPECT_GE(frequencies.size(), 2) << out.toStdString();  // the value moved
    // Changes only: no two lines in a row show the same value.
    EXPECT_EQ(frequencies.size(), QSet<QString>(frequencies.begin(), frequencies.end()).size()) << out.toStdString();
}

// A value that stays is printed once; a change shows as one line with the new value;
// --every prints every value at its period instead.
TEST_F(HeskmonOnline, watchPrintsOnlyChangesUnlessAPeriodIsAsked)
{
    startPty(writeDisplayProject(dir.path()));
    testsupport::ChildProcess watch;
    ASSERT_TRUE(watch.start(QStringLiteral(HESK_CLI_PATH), QStringList{QStringLiteral("watch"), QStringLiteral("P0100"),
                                                                       QStringLiteral("r0001"), QStringLiteral("--seconds"),
                                                                       QStringLiteral("3.5")} + line))
        << watch.startError().toStdString();
    watch.closeInput();
    // The starting values are out before the drive's value changes.
    QByteArray printed;
    for (int i = 0; i < 2; ++i)
        if (const std::optional<QByteArray> started = watch.readLine(30s))
            printed += *started + '\n';
    ASSERT_EQ(printed.count('\n'), 2) << watch.errorOutput().toStdString();
    ASSERT_EQ(sim.command(QStringLiteral("set P0100 8192")), QStringLiteral("ok P0100=8192"));  // 50 %
    printed += watch.readRest(30s);
    EXPECT_EQ(watch.waitForExit(10s), std::optional<int>(0)) << watch.errorOutput().toStdString();
    const QStringList lines = QString::fromUtf8(printed).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << printed.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("0.0s\tP0100\t给定百分比\t25.00\t%"));
    EXPECT_EQ(lines[1], QStringLiteral("0.0s\tr0001\t参数1\t9\t"));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("s\tP0100\t给定百分比\t50.00\t%"))) << lines[2].toStdString();

    const CliRun periodic = run({QStringLiteral("watch"), QStringLiteral("r0001")},
                                {QStringLiteral("--seconds"), QStringLiteral("3.5"), QStringLiteral("--every"),
                                 QStringLiteral("1")});
    ASSERT_EQ(periodic.exitCode, 0) << periodic.err.toStdString();
    const QStringList repeated = periodic.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_GE(repeated.size(), 3) << periodic.out.toStdString();
    EXPECT_LE(repeated.size(), 4) << periodic.out.toStdString();
    for (const QString& l : repeated)
        EXPECT_TRUE(l.endsWith(QStringLiteral("s\tr0001\t参数1\t9\t"))) << l.toStdString();

    for (const char* every : {"0", "-1", "soon"}) {
        const CliRun usage = run({QStringLiteral("watch"), QStringLiteral("r0001"), QStringLiteral("--every"),
                                  QString::fromLatin1(every)});
        EXPECT_EQ(usage.exitCode, 2) << every;
    }
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
    EXPECT_EQ(read.out, QStringLiteral("r0006.000\t参数6\t540\t\n"));
    const CliRun write = run({QStringLiteral("write"), QStringLiteral("P7030=12.50")});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=4096"));
}

// The installed sample's motor data have one value per motor data set: the drive reports
// its active one (r0011, from its selection inputs) and only that one may be changed.
TEST_F(HeskmonOnline, motorDataOfTheActiveDataSetOnlyAreWritten)
{
    const QString sample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
    startPty(sample);
    ASSERT_TRUE(sim.command(QStringLiteral("set P0060 5")).startsWith(QLatin1String("ok")));
    const CliRun inactive = run({QStringLiteral("write"), QStringLiteral("P0100.2=3")});
    EXPECT_EQ(inactive.exitCode, 1);
    EXPECT_TRUE(inactive.err.contains(QStringLiteral("P0100.2: HESKMonitor: 该参数是未激活的电机数据组，不能被修改！")))
        << inactive.err.toStdString();
    const CliRun active = run({QStringLiteral("write"), QStringLiteral("P0100.1=3")});
    ASSERT_EQ(active.exitCode, 0) << active.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P0100.1")), QStringLiteral("ok P0100.1=3"));

    // Motor data set 2 selected (bit 0 from the fixed 1): now the second set is the one.
    ASSERT_TRUE(sim.command(QStringLiteral("set P0578.1 B0001")).startsWith(QLatin1String("ok")));
    const CliRun second = run({QStringLiteral("write"), QStringLiteral("P0100.2=3")});
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P0100.2")), QStringLiteral("ok P0100.2=3"));
    const CliRun first = run({QStringLiteral("write"), QStringLiteral("P0100.1=4")});
    EXPECT_EQ(first.exitCode, 1);
    EXPECT_EQ(sim.command(QStringLiteral("get P0100.1")), QStringLiteral("ok P0100.1=3"));
}

TEST_F(HeskmonOnline, anInstalledSampleProjectConnects)
{
    const QString sample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
    startPty(sample);
    const CliRun read = run({QStringLiteral("read"), QStringLiteral("r0001"), QStringLiteral("P0070")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(read.out.trimmed().split(QLatin1Char('\n')).size(), 2) << read.out.toStdString();
}

// A drive at its factory values has nothing changed, although many values read back in
// another form ("0.50" for "0.5"); a changed value and a changed connection are listed
// with their factory values, and the keys given narrow the list down.
TEST_F(HeskmonOnline, readChangedListsTheParametersThatDifferFromFactory)
{
    const QString sample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
    startPty(sample);
    const CliRun factory = run({QStringLiteral("read"), QStringLiteral("--changed")});
    ASSERT_EQ(factory.exitCode, 0) << factory.err.toStdString();
    EXPECT_EQ(factory.out, QStringLiteral("与出厂值不同：0 项\n"));

    ASSERT_TRUE(sim.command(QStringLiteral("set P0350 8192")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(sim.command(QStringLiteral("set P0232.1 K0091")).startsWith(QLatin1String("ok")));
    const CliRun changed = run({QStringLiteral("read"), QStringLiteral("--changed")});
    ASSERT_EQ(changed.exitCode, 0) << changed.err.toStdString();
    EXPECT_EQ(changed.out, QStringLiteral("P0232.001\t附加转速设定值来源\tK0091\t\tK0000\n"
                                          "P0350\t参考电流\t50.00\t%\t100\n"
                                          "与出厂值不同：2 项\n"));

    const CliRun narrowed = run({QStringLiteral("read"), QStringLiteral("--changed"), QStringLiteral("--json"),
                                 QStringLiteral("P0350"), QStringLiteral("P0060")});
    ASSERT_EQ(narrowed.exitCode, 0) << narrowed.err.toStdString();
    const QJsonArray rows = narrowed.json().array();
    ASSERT_EQ(rows.size(), 1) << narrowed.out.toStdString();
    EXPECT_EQ(rows[0][QStringLiteral("key")].toString(), QStringLiteral("P0350"));
    EXPECT_EQ(rows[0][QStringLiteral("factory")].toString(), QStringLiteral("100"));

    const CliRun measured = run({QStringLiteral("read"), QStringLiteral("--changed"), QStringLiteral("r0002")});
    EXPECT_EQ(measured.exitCode, 1);
    EXPECT_TRUE(measured.err.contains(QStringLiteral("none of the keys is a settable parameter"))) << measured.err.toStdString();
    const CliRun noPage = run({QStringLiteral("read"), QStringLiteral("--changed"), QStringLiteral("--page"), QStringLiteral("无此页")});
    EXPECT_EQ(noPage.exitCode, 1);
    EXPECT_TRUE(noPage.err.contains(QStringLiteral("the project has no page \"无此页\""))) << noPage.err.toStdString();
    const CliRun nothing = run({QStringLiteral("read")});
    EXPECT_EQ(nothing.exitCode, 2);
}

// The drive, a backup and the factory values side by side: after a backup, one value
// changed on the drive and one in the file; each row names the side that stands apart.
TEST_F(HeskmonOnline, dnlCompareDriveSetsTheDriveBesideAFileAndTheFactoryValues)
{
    const QString sample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
    startPty(sample);
    const QString backup = dir.filePath(QStringLiteral("backup.dnl"));
    ASSERT_EQ(run({QStringLiteral("upload"), QStringLiteral("-o"), backup}).exitCode, 0);
    QFile file(backup);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    ASSERT_TRUE(bytes.contains("0060|000|03|               1\r\n"));
    bytes.replace("0060|000|03|               1\r\n", "0060|000|03|               3\r\n");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    ASSERT_TRUE(sim.command(QStringLiteral("set P0350 8192")).startsWith(QLatin1String("ok")));

    const CliRun compared = run({QStringLiteral("dnl"), QStringLiteral("compare"), QStringLiteral("--drive"), backup,
                                 QStringLiteral("--approximate"), QStringLiteral("--json")});
    ASSERT_EQ(compared.exitCode, 0) << compared.err.toStdString();
    const QJsonObject result = compared.json().object();
    const QJsonArray rows = result[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 2) << compared.out.toStdString();
    EXPECT_EQ(rows[0][QStringLiteral("main")].toString(), QStringLiteral("0060"));
    EXPECT_EQ(rows[0][QStringLiteral("odd")].toString(), QStringLiteral("file"));
    EXPECT_EQ(rows[1][QStringLiteral("main")].toString(), QStringLiteral("0350"));
    EXPECT_EQ(rows[1][QStringLiteral("drive")].toString(), QStringLiteral("50.00"));
    EXPECT_EQ(rows[1][QStringLiteral("file")].toString(), QStringLiteral("100.00"));
    EXPECT_EQ(rows[1][QStringLiteral("factory")].toString(), QStringLiteral("100"));
    EXPECT_EQ(rows[1][QStringLiteral("odd")].toString(), QStringLiteral("drive"));
    EXPECT_EQ(result[QStringLiteral("different")].toInt(), 2);

    const CliRun equal = run({QStringLiteral("dnl"), QStringLiteral("compare"), QStringLiteral("--drive"), backup,
                              QStringLiteral("--approximate"), QStringLiteral("--filter"), QStringLiteral("equal")});
    ASSERT_EQ(equal.exitCode, 0) << equal.err.toStdString();
    EXPECT_TRUE(equal.out.contains(QStringLiteral("0089\t000\t")));
    const CliRun missing = run({QStringLiteral("dnl"), QStringLiteral("compare"), QStringLiteral("--drive"),
                                dir.filePath(QStringLiteral("none.dnl"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.contains(QStringLiteral("开始连接"))) << "the file is read before the drive is asked";
}

// The wiring offline is the factory one; online it is the drive's, so a source the drive
// was given shows in both directions.
TEST_F(HeskmonOnline, bicoShowsTheFactoryWiringOfflineAndTheDrivesOnline)
{
    const QString sample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
    const CliRun offline = heskmon({QStringLiteral("bico"), QStringLiteral("--project"), sample, QStringLiteral("--output"),
                                    QStringLiteral("K0091")});
    ASSERT_EQ(offline.exitCode, 0) << offline.err.toStdString();
    EXPECT_EQ(offline.out, QStringLiteral("P0222.001\t转速实际值来源\t<-\tK0091\t编码器转速实际值\n"
                                          "P0222.002\t转速实际值来源\t<-\tK0091\t编码器转速实际值\n"));
    const CliRun notAnInput = heskmon({QStringLiteral("bico"), QStringLiteral("--project"), sample,
                                       QStringLiteral("--input"), QStringLiteral("P0100")});
    EXPECT_EQ(notAnInput.exitCode, 1);
    EXPECT_TRUE(notAnInput.err.contains(QStringLiteral("P0100 is no connection input"))) << notAnInput.err.toStdString();

    startPty(sample);
    ASSERT_TRUE(sim.command(QStringLiteral("set P0232.1 K0091")).startsWith(QLatin1String("ok")));
    const CliRun fed = run({QStringLiteral("bico"), QStringLiteral("--output"), QStringLiteral("K0091"), QStringLiteral("--json")});
    ASSERT_EQ(fed.exitCode, 0) << fed.err.toStdString();
    QStringList inputs;
    for (const QJsonValue& row : fed.json().array()) {
        inputs << row[QStringLiteral("input")].toString();
        EXPECT_EQ(row[QStringLiteral("sourceName")].toString(), QStringLiteral("编码器转速实际值"));
    }
    EXPECT_EQ(inputs, (QStringList{QStringLiteral("P0222.001"), QStringLiteral("P0222.002"), QStringLiteral("P0232.001")}));
    const CliRun feeding = run({QStringLiteral("bico"), QStringLiteral("--input"), QStringLiteral("P0232.1")});
    ASSERT_EQ(feeding.exitCode, 0) << feeding.err.toStdString();
    EXPECT_TRUE(feeding.out.startsWith(QStringLiteral("P0232.001\t附加转速设定值来源\t<-\tK0091\t"))) << feeding.out.toStdString();
}

}  // namespace
}  // namespace hesk::session::test

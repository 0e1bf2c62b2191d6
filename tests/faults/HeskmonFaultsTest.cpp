// heskmon faultdata and heskmon faults --live against the real simulated drive running the
// installed inverter sample: a trip uploaded into a fault-data file that reads back, the
// active faults and alarms as the pane lists them, a drive that never confirms, and the
// drive board's record over its own port without a project.

#include "ChildProcess.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "recording/FaultDataFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk {
namespace {

const QString kSample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class HeskmonFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::test::ensureQtApplication();
        ASSERT_TRUE(dir.isValid());
        project = dir.filePath(QStringLiteral("VRA1V11418.tmprj"));
        ASSERT_TRUE(QFile::copy(kSample, project));
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), project, QStringLiteral("--pty")})) << sim.error().toStdString();
    }
    CliRun heskmon(const QStringList& args)
    {
        return heskmonExactly(args + QStringList{QStringLiteral("--project"), project, QStringLiteral("--port"),
                                                 sim.readyLine()});
    }
    CliRun heskmonExactly(const QStringList& args)
    {
        const testsupport::ProcessRun process = testsupport::runProcess(QStringLiteral(HESK_CLI_PATH), args);
        return {process.exitCode, QString::fromUtf8(process.out), QString::fromUtf8(process.err)};
    }
    void simSays(const char* command)
    {
        ASSERT_TRUE(sim.command(QString::fromLatin1(command)).startsWith(QLatin1String("ok"))) << command;
    }

    QTemporaryDir dir;
    QString project;
    sim::test::SimProcess sim;
};

TEST_F(HeskmonFaults, faultDataWritesTheTripIntoAFileThatReadsBack)
{
    simSays("fault set 0.7");
    const QString path = dir.filePath(QStringLiteral("FAULTDATA.txt"));
    const CliRun run = heskmon({QStringLiteral("--json"), QStringLiteral("faultdata"), QStringLiteral("-o"), path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject result = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(result.value(QStringLiteral("stationText")).toString(), QStringLiteral("主站故障"));
    const QJsonArray faults = result.value(QStringLiteral("faults")).toArray();
    ASSERT_EQ(faults.size(), 2);
    const QJsonObject newest = faults.at(1).toObject();
    EXPECT_EQ(newest.value(QStringLiteral("samples")).toInt(), 256);
    EXPECT_EQ(newest.value(QStringLiteral("codes")).toArray().at(0).toString(), QStringLiteral("F008 欠压故障"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("所有故障数据上传完毕！")));

    const recording::FaultFileRead read = recording::readFaultDataFile(path);
    ASSERT_TRUE(read.contents.has_value()) << read.message.toStdString();
    EXPECT_EQ(read.contents->header.deviceStyle, QStringLiteral("VRA1"));
    EXPECT_EQ(read.contents->header.deviceVersion, QStringLiteral("V1.14.18"));
    EXPECT_EQ(read.contents->record.faults.size(), 2u);
    EXPECT_EQ(read.contents->record.faults[1].faultWords.at(0), 0x0080);
}

TEST_F(HeskmonFaults, aDriveThatNeverConfirmsLeavesNoFile)
{
    simSays("ignore 0x08");
    const QString path = dir.filePath(QStringLiteral("FAULTDATA.txt"));
    const CliRun run = heskmon({QStringLiteral("faultdata"), QStringLiteral("-o"), path});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("故障数据触发超时，请您重新尝试！"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(HeskmonFaults, driveBoardUploadWithoutAProjectWritesTheBoardFile)
{
    simSays("fault set 0.7");
    const QString path = dir.filePath(QStringLiteral("BOARD.txt"));
    const QStringList common = {QStringLiteral("faultdata"), QStringLiteral("--drive-board"), QStringLiteral("-o"), path,
                                QStringLiteral("--root"), QStringLiteral(HESK_SOURCE_DIR "/data/projects")};
    const CliRun run = heskmonExactly(QStringList{QStringLiteral("--json")} + common
                                      + QStringList{QStringLiteral("--port"), sim.readyLine()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject result = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_TRUE(result.value(QStringLiteral("driveBoard")).toBool());
    const QJsonArray information = result.value(QStringLiteral("information")).toArray();
    ASSERT_EQ(information.size(), 3);
    EXPECT_TRUE(information.at(0).toString().startsWith(QStringLiteral("已运行0天0小时0分钟")));
    EXPECT_EQ(information.at(1).toString(), QStringLiteral("共发生2次故障"));
    EXPECT_EQ(information.at(2).toString(), QStringLiteral("共上电1次"));
    const QJsonArray faults = result.value(QStringLiteral("faults")).toArray();
    ASSERT_EQ(faults.size(), 2);
    for (const QJsonValue& fault : faults) {
        EXPECT_EQ(fault.toObject().value(QStringLiteral("channels")).toInt(), 8);
        EXPECT_EQ(fault.toObject().value(QStringLiteral("samples")).toInt(), 128);
    }
    EXPECT_TRUE(run.err.contains(QStringLiteral("未安装VRA1V11417工程"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("所有故障数据上传完毕！")));

    const recording::FaultFileRead read = recording::readFaultDataFile(path);
    ASSERT_TRUE(read.contents.has_value()) << read.message.toStdString();
    EXPECT_EQ(read.contents->header.deviceStyle, QStringLiteral("DriverBoard"));
    EXPECT_EQ(read.contents->header.deviceVersion, QStringLiteral("V1.00.00"));
    EXPECT_TRUE(read.contents->record.driveBoard);
    ASSERT_EQ(read.contents->record.faults.size(), 2u);
    int digital = 0;
    for (const recording::FaultChannel& c : read.contents->record.faults[1].channels)
        digital += c.digital && !c.name.isEmpty() ? 1 : 0;
    EXPECT_EQ(digital, 6);

    // Refused before anything is opened, and a port that cannot be opened: no file.
    struct Case {
        const char* name;
        QStringList extra;
        const char* says;
    };
    const std::vector<Case> cases = {
        {"over UDP", {QStringLiteral("--udp")}, "not with --udp"},
        {"with a station", {QStringLiteral("--port"), sim.readyLine(), QStringLiteral("--station"), QStringLiteral("1")},
         "not with --udp or --station"},
        {"no such port", {QStringLiteral("--port"), dir.filePath(QStringLiteral("no-such-port"))}, "驱动板串口打开失败！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QFile::remove(path) || !QFile::exists(path));
        const CliRun refused = heskmonExactly(common + c.extra);
        EXPECT_NE(refused.exitCode, 0);
        EXPECT_TRUE(refused.err.contains(QString::fromUtf8(c.says))) << refused.err.toStdString();
        EXPECT_FALSE(QFile::exists(path));
    }
}

TEST_F(HeskmonFaults, liveListsTheActiveFaultsAndAlarmsAsThePaneDoes)
{
    CliRun run = heskmon({QStringLiteral("faults"), QStringLiteral("--live")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("状态：正常\n"));

    simSays("fault set 0.7");
    simSays("fault set 0.3");
    simSays("fault set 9.3");
    run = heskmon({QStringLiteral("--json"), QStringLiteral("faults"), QStringLiteral("--live")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject list = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(list.value(QStringLiteral("status")).toString(), QStringLiteral("故障"));
    EXPECT_EQ(list.value(QStringLiteral("statusCode")).toInt(), 2);
    QStringList codes;
    for (const QJsonValue& row : list.value(QStringLiteral("rows")).toArray())
        codes << row.toObject().value(QStringLiteral("kind")).toString() + QLatin1Char(' ')
                     + row.toObject().value(QStringLiteral("code")).toString();
    EXPECT_EQ(codes, (QStringList{"fault F011", "fault F008", "alarm A042"}));

    // Only the alarm left once the faults are reset: 报警.
    simSays("set P7000.4 1");
    simSays("fault set 9.3");
    run = heskmon({QStringLiteral("faults"), QStringLiteral("--live")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("状态：报警\n1\t报警\tVRA1\tV1.14.18\tA042\t"))) << run.out.toStdString();
}

TEST_F(HeskmonFaults, liveRefusesAProjectFileArgumentAndWordsNeedTheFile)
{
    EXPECT_NE(heskmon({QStringLiteral("faults"), QStringLiteral("--live"), project}).exitCode, 0);
    const testsupport::ProcessRun offline =
        testsupport::runProcess(QStringLiteral(HESK_CLI_PATH), {QStringLiteral("faults"), project});
    EXPECT_NE(offline.exitCode, 0);
}

}  // namespace
}  // namespace hesk

// heskmon control and heskmon restore against the real simulated drive running the
// installed inverter sample: a start that releases control again at its end, control kept
// across calls with --keep, the status as JSON, a refused take, and the restore.

#include "ChildProcess.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include <QFile>
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

class HeskmonControl : public ::testing::Test {
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
        const QStringList all = args + QStringList{QStringLiteral("--project"), project, QStringLiteral("--port"), sim.readyLine()};
        const testsupport::ProcessRun process = testsupport::runProcess(QStringLiteral(HESK_CLI_PATH), all);
        return {process.exitCode, QString::fromUtf8(process.out), QString::fromUtf8(process.err)};
    }
    QString simGet(const QString& key)
    {
        const QString reply = sim.command(QStringLiteral("get ") + key);
        return reply.mid(reply.indexOf(QLatin1Char('=')) + 1);
    }
    QJsonObject status()
    {
        const CliRun run = heskmon({QStringLiteral("--json"), QStringLiteral("control"), QStringLiteral("status")});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    }

    QTemporaryDir dir;
    QString project;
    sim::test::SimProcess sim;
};

TEST_F(HeskmonControl, startRunsTheMotorAndReleasesControlAtTheEnd)
{
    const CliRun run = heskmon({QStringLiteral("control"), QStringLiteral("start"), QStringLiteral("--yes"),
                                QStringLiteral("--seconds"), QStringLiteral("1")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("运行状态：\t运行"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("控制权：\tHESKMonitor"))) << run.out.toStdString();
    // Released with the motor stopped: the keypad has the drive again.
    EXPECT_EQ(simGet(QStringLiteral("P0880")), QStringLiteral("0"));
    EXPECT_EQ(simGet(QStringLiteral("P7000.5")), QStringLiteral("0"));
}

TEST_F(HeskmonControl, controlKeptAcrossCallsWithTheSetpointInRpmThenStoppedAndReleased)
{
    CliRun run = heskmon({QStringLiteral("control"), QStringLiteral("setpoint"), QStringLiteral("900"),
                          QStringLiteral("--unit"), QStringLiteral("rpm"), QStringLiteral("--keep"), QStringLiteral("--yes")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("control stays with the tool"))) << run.err.toStdString();
    EXPECT_EQ(simGet(QStringLiteral("P0880")), QStringLiteral("1"));
    EXPECT_NEAR(simGet(QStringLiteral("P7030")).toInt(), 30.0 * 163.84, 1.0);  // 900 of 3000 r/min

    run = heskmon({QStringLiteral("control"), QStringLiteral("start"), QStringLiteral("--keep"), QStringLiteral("--seconds"),
                   QStringLiteral("2")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject shown = status();
    EXPECT_EQ(shown.value(QStringLiteral("state")).toString(), QStringLiteral("运行"));
    EXPECT_TRUE(shown.value(QStringLiteral("controlHeld")).toBool());
    EXPECT_TRUE(shown.value(QStringLiteral("runCommanded")).toBool());
    EXPECT_TRUE(shown.value(QStringLiteral("lamps")).toObject().value(QStringLiteral("脉冲使能")).toBool());

    run = heskmon({QStringLiteral("control"), QStringLiteral("stop")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(simGet(QStringLiteral("P7000.5")), QStringLiteral("0"));
    EXPECT_EQ(simGet(QStringLiteral("P0880")), QStringLiteral("0"));  // released at the end
}

TEST_F(HeskmonControl, aTrippedDriveIsResetWithoutTakingControl)
{
    ASSERT_TRUE(sim.command(QStringLiteral("fault set 0.3")).startsWith(QLatin1String("ok")));
    QJsonObject shown = status();
    EXPECT_EQ(shown.value(QStringLiteral("state")).toString(), QStringLiteral("故障"));
    EXPECT_EQ(shown.value(QStringLiteral("deviceStatus")).toString(), QStringLiteral("F011 A相过流故障"));
    const CliRun run = heskmon({QStringLiteral("control"), QStringLiteral("reset")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("故障复位成功！"))) << run.err.toStdString();
    EXPECT_EQ(simGet(QStringLiteral("P0880")), QStringLiteral("0"));
    shown = status();
    EXPECT_EQ(shown.value(QStringLiteral("state")).toString(), QStringLiteral("启动待机"));
    EXPECT_EQ(shown.value(QStringLiteral("deviceStatus")).toString(), QStringLiteral("正常"));
}

TEST_F(HeskmonControl, aRefusedTakeAndABadUnitFail)
{
    ASSERT_TRUE(sim.command(QStringLiteral("set P0060 8")).startsWith(QLatin1String("ok")));
    CliRun run = heskmon({QStringLiteral("control"), QStringLiteral("take"), QStringLiteral("--yes")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("在P60=2/5/8时，不允许获取电机控制权！"))) << run.err.toStdString();
    run = heskmon({QStringLiteral("control"), QStringLiteral("setpoint"), QStringLiteral("10"), QStringLiteral("--unit"),
                   QStringLiteral("mph")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--unit"))) << run.err.toStdString();
}

TEST_F(HeskmonControl, restoreRunsWithItsQuestionAnsweredAndIsRefusedWithoutIt)
{
    ASSERT_TRUE(sim.command(QStringLiteral("set P0060 2")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(sim.command(QStringLiteral("set P0089 3")).startsWith(QLatin1String("ok")));
    CliRun run = heskmon({QStringLiteral("restore")});
    EXPECT_EQ(run.exitCode, 1);  // the question is dismissed without --yes
    EXPECT_EQ(simGet(QStringLiteral("P0089")), QStringLiteral("3"));
    run = heskmon({QStringLiteral("restore"), QStringLiteral("--yes")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QStringLiteral("restored"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("restore: 2000/2000 (100%)"))) << run.err.toStdString();
    EXPECT_EQ(simGet(QStringLiteral("P0089")), QStringLiteral("0"));
}

}  // namespace
}  // namespace hesk

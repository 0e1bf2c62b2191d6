// heskmon record against the real simulated drive running the installed inverter sample:
// an immediate recording into a data file that reads back, a start armed on the motor's
// start, continuous recordings into a folder, and the refusals of bad arguments.

#include "ChildProcess.h"
#include "SimProcess.h"

#include "recording/TriggerDataFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <thread>

#include <gtest/gtest.h>

namespace hesk {
namespace {

const QString kSample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class HeskmonRecord : public ::testing::Test {
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
        const QStringList all = QStringList{QStringLiteral("record")} + args
                                + QStringList{QStringLiteral("--project"), project, QStringLiteral("--port"), sim.readyLine()};
        const testsupport::ProcessRun process = testsupport::runProcess(QStringLiteral(HESK_CLI_PATH), all);
        return {process.exitCode, QString::fromUtf8(process.out), QString::fromUtf8(process.err)};
    }
    std::optional<recording::TriggerRecording> read(const QString& path)
    {
        auto result = recording::readTriggerDataFile(path);
        if (auto* r = std::get_if<recording::TriggerRecording>(&result))
            return *r;
        ADD_FAILURE() << std::get<model::UserMessage>(result).text.toStdString();
        return std::nullopt;
    }
    void runMotor()
    {
        for (const char* c : {"set P7030 6554", "set P0880 1", "set P7000.5 1"})
            ASSERT_TRUE(sim.command(QString::fromLatin1(c)).startsWith(QLatin1String("ok")));
    }

    QTemporaryDir dir;
    QString project;
    sim::test::SimProcess sim;
};

TEST_F(HeskmonRecord, immediateRecordingWritesTheDataFile)
{
    runMotor();
    sim::test::pumpUntil([] { return false; }, std::chrono::milliseconds(2500));
    const QString file = dir.filePath(QStringLiteral("run.txt"));
    const CliRun run = heskmon({QStringLiteral("--json"), QStringLiteral("--channel"), QStringLiteral("K0081"),
                                QStringLiteral("--channel"), QStringLiteral("K0021"), QStringLiteral("--period"),
                                QStringLiteral("4"), QStringLiteral("-o"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString() << run.out.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(json.value(QStringLiteral("file")).toString(), file);
    EXPECT_EQ(json.value(QStringLiteral("condition")).toString(), QStringLiteral("Start Immediately"));
    EXPECT_DOUBLE_EQ(json.value(QStringLiteral("sampleIntervalMs")).toDouble(), 0.5);  // 4 x 125 us
    ASSERT_EQ(json.value(QStringLiteral("channels")).toArray().size(), 2);
    const std::optional<recording::TriggerRecording> r = read(file);
    ASSERT_TRUE(r.has_value());
    ASSERT_EQ(r->channels[0].words.size(), 4096u);
    ASSERT_EQ(r->channels[1].words.size(), 4096u);
    EXPECT_TRUE(r->channels[2].words.empty());
    EXPECT_EQ(r->channels[2].label, QStringLiteral("通道3无数据信号"));
    EXPECT_NEAR(recording::TriggerRecording::analogValue(r->channels[0].words.back()), 39.8, 0.4);  // 1194 of 3000 r/min
    EXPECT_NEAR(recording::TriggerRecording::analogValue(r->channels[1].words.back()), 80.0, 0.05);  // 40 of 50 Hz
    EXPECT_TRUE(r->channels[0].label.startsWith(QStringLiteral("K0081")));
}

TEST_F(HeskmonRecord, armedRecordingCatchesTheMotorStart)
{
    const QString file = dir.filePath(QStringLiteral("start.txt"));
    testsupport::ProcessRun run;
    std::thread cli([&] {
        run = testsupport::runProcess(QStringLiteral(HESK_CLI_PATH),
                                      {QStringLiteral("record"), QStringLiteral("--channel"), QStringLiteral("K0021"),
                                       QStringLiteral("--trigger"), QStringLiteral("K0021>5"), QStringLiteral("--pretrigger"),
                                       QStringLiteral("10"), QStringLiteral("--seconds"), QStringLiteral("30"),
                                       QStringLiteral("-o"), file, QStringLiteral("--project"), project,
                                       QStringLiteral("--port"), sim.readyLine()});
    });
    // Armed (the drive's recorder waits), then the motor starts.
    sim::test::pumpUntil([&] { return sim.command(QStringLiteral("status")).contains(QLatin1String("recorder=2")); },
                         std::chrono::seconds(10));
    sim::test::pumpUntil([] { return false; }, std::chrono::milliseconds(300));
    runMotor();
    cli.join();
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::optional<recording::TriggerRecording> r = read(file);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->channels[0].triggerPosition, 819);  // 10 x 81.92
    EXPECT_GT(int16_t(r->channels[0].words[819]), int16_t(*recording::conditionWord(5.0)));
    EXPECT_LT(int16_t(r->channels[0].words[0]), int16_t(*recording::conditionWord(5.0)));  // still below the condition
    EXPECT_EQ(r->information.condition, QStringLiteral("K0021 > 5"));
}

TEST_F(HeskmonRecord, continuousRecordingsGoIntoTheFolder)
{
    runMotor();
    const QString folder = dir.filePath(QStringLiteral("series"));
    const CliRun run = heskmon({QStringLiteral("--channel"), QStringLiteral("K0001"), QStringLiteral("--trigger"),
                                QStringLiteral("K0001=100"), QStringLiteral("--continuous"), folder,
                                QStringLiteral("--count"), QStringLiteral("2"), QStringLiteral("--seconds"),
                                QStringLiteral("30")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList files = QDir(folder).entryList({QStringLiteral("TrigRec_*.txt")}, QDir::Files);
    EXPECT_GE(files.size(), 2);
    EXPECT_EQ(run.out.trimmed().split(QLatin1Char('\n')).size(), 2);
    for (const QString& name : files) {
        const std::optional<recording::TriggerRecording> r = read(QDir(folder).filePath(name));
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->channels[0].words.size(), 8192u);
        EXPECT_EQ(r->channels[0].words.front(), 0x4000);  // K0001, fixed 100 %
    }
}

TEST_F(HeskmonRecord, badArgumentsAreRefusedBeforeAnythingIsSent)
{
    const QString file = dir.filePath(QStringLiteral("x.txt"));
    const struct { QStringList args; const char* message; } cases[] = {
        {{QStringLiteral("-o"), file}, "通道设置不能为空，请您至少激活一条通道！"},
        {{QStringLiteral("--channel"), QStringLiteral("K0999"), QStringLiteral("-o"), file}, "no parameter K0999"},
        {{QStringLiteral("--channel"), QStringLiteral("K0021")}, "-o FILE.txt"},
        {{QStringLiteral("--channel"), QStringLiteral("K0021"), QStringLiteral("--period"), QStringLiteral("100"),
          QStringLiteral("-o"), file}, "采样周期超过范围1~99，请重新设置！"},
        {{QStringLiteral("--channel"), QStringLiteral("K0021"), QStringLiteral("--trigger"), QStringLiteral("K0021>"),
          QStringLiteral("-o"), file}, "--trigger takes"},
        {{QStringLiteral("--channel"), QStringLiteral("K0021"), QStringLiteral("--trigger"), QStringLiteral("K0021>200"),
          QStringLiteral("-o"), file}, "-200~199.996"},
        {{QStringLiteral("--channel"), QStringLiteral("K0021"), QStringLiteral("--trigger"), QStringLiteral("K0021[16]=1"),
          QStringLiteral("-o"), file}, "0~15"},
        {{QStringLiteral("--channel"), QStringLiteral("K0021"), QStringLiteral("--trigger"), QStringLiteral("B0010=2"),
          QStringLiteral("-o"), file}, "B0010=0 or B0010=1"},
        {{QStringLiteral("--channel"), QStringLiteral("K0021"), QStringLiteral("--pretrigger"), QStringLiteral("10"),
          QStringLiteral("-o"), file}, "need --trigger"},
        {{QStringLiteral("--channel"), QStringLiteral("K0021"), QStringLiteral("--trigger"), QStringLiteral("fault"),
          QStringLiteral("--pretrigger"), QStringLiteral("101"), QStringLiteral("-o"), file}, "预触发设置超过范围0~100"},
        {{QStringLiteral("--channel"), QStringLiteral("K0021"), QStringLiteral("--seconds"), QStringLiteral("0"),
          QStringLiteral("-o"), file}, "--seconds takes a whole number"},
    };
    for (const auto& c : cases) {
        const CliRun run = heskmon(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << c.message << "\n" << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(sim.command(QStringLiteral("status")).contains(QLatin1String("requests=0"))) << sim.command(QStringLiteral("status")).toStdString();
}

}  // namespace
}  // namespace hesk

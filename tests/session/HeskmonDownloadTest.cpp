// heskmon download against the real simulated drive on a pseudo-terminal: the four counts
// and the failed rows as text and JSON, the value on the drive afterwards, a bad option.
#include "ChildProcess.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "files/DnlFormat.h"
#include "model/ProjectFile.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk {
namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun heskmon(const QStringList& args)
{
    const testsupport::ProcessRun process = testsupport::runProcess(QStringLiteral(HESK_CLI_PATH), args);
    return {process.exitCode, QString::fromUtf8(process.out), QString::fromUtf8(process.err)};
}

class HeskmonDownload : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::test::ensureQtApplication();
        ASSERT_TRUE(dir.isValid());
        model::HeskProject labelled = sim::test::simProject();
        for (model::HeskParameterElement& e : labelled.elements) {
            e.referenceKey = QStringLiteral("%1|%2|00|")
                                 .arg(e.number, 4, 10, QLatin1Char('0'))
                                 .arg(e.hasSubIndex() ? e.subIndex : 0, 3, 10, QLatin1Char('0'));
            e.auxFlag = e.hasSubIndex() ? QStringLiteral("1") : QStringLiteral("0");
        }
        project = dir.filePath(QStringLiteral("labelled.tmprj"));
        ASSERT_FALSE(model::saveProject(project, labelled).has_value());
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), project, QStringLiteral("--pty")})) << sim.error().toStdString();
        file = dir.filePath(QStringLiteral("set.dnl"));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(files::dnlHeaderBytes(QDateTime::currentDateTime(), QStringLiteral("VRA1"), labelled.header.deviceVersion));
        out.write(files::dnlRowBytes(QStringLiteral("0089|000|00|"), QStringLiteral("4")));
        out.write(files::dnlRowBytes(QStringLiteral("0554|000|00|"), QStringLiteral("9876")));  // no such source
    }
    CliRun download(const QStringList& extra)
    {
        return heskmon(QStringList{QStringLiteral("download"), QStringLiteral("--project"), project, QStringLiteral("--port"),
                                   sim.readyLine(), file}
                       + extra);
    }

    QTemporaryDir dir;
    QString project;
    QString file;
    sim::test::SimProcess sim;
};

TEST_F(HeskmonDownload, printsTheCountsAndTheFailedRows)
{
    const CliRun text = download({QStringLiteral("--serial-number"), QStringLiteral("no")});
    EXPECT_EQ(text.exitCode, 1) << text.err.toStdString();  // a row failed
    EXPECT_TRUE(text.out.contains(QStringLiteral("succeeded\t1"))) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(QStringLiteral("failed\t1")));
    EXPECT_TRUE(text.out.contains(QStringLiteral("failed: P0554")));
    EXPECT_TRUE(text.err.contains(QStringLiteral("正在下载参数...")));
    EXPECT_TRUE(text.err.contains(QStringLiteral("参数下载完成！")));
    EXPECT_EQ(sim.command(QStringLiteral("get P0089")), QStringLiteral("ok P0089=4"));

    const CliRun json = download({QStringLiteral("--json")});
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("succeeded")).toInt(), 1) << json.out.toStdString();
    EXPECT_EQ(o.value(QStringLiteral("failed")).toInt(), 1);
    EXPECT_EQ(o.value(QStringLiteral("downloadable")).toInt(),
              o.value(QStringLiteral("succeeded")).toInt() + o.value(QStringLiteral("failed")).toInt()
                  + o.value(QStringLiteral("missing")).toInt());
    EXPECT_GT(o.value(QStringLiteral("missing")).toInt(), 0);
}

TEST_F(HeskmonDownload, refusesABadSerialNumberAnswerAndIsListedInHelp)
{
    EXPECT_EQ(download({QStringLiteral("--serial-number"), QStringLiteral("maybe")}).exitCode, 2);
    EXPECT_EQ(sim.command(QStringLiteral("get P0089")), QStringLiteral("ok P0089=0"));
    const CliRun help = heskmon({QStringLiteral("help")});
    EXPECT_TRUE(help.out.contains(QStringLiteral("download --project P"))) << help.out.toStdString();
}

}  // namespace
}  // namespace hesk

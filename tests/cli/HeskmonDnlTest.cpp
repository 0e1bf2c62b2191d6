// heskmon dnl import and dnl compare against the installed inverter project: counts and
// failed rows, the saved offline file, compare with files and factory values, the
// filters, JSON and CSV, and the system's messages for bad files.

#include "QtPrinters.h"

#include "files/DnlFormat.h"
#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

CliRun heskmon(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(HESK_CLI_PATH), args);
    CliRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class HeskmonDnl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_FALSE(opened.open(project).has_value());
    }
    QByteArray row(const char* key, const char* value) const
    {
        const hesk::model::HeskParameterElement* e = opened.find(QString::fromLatin1(key));
        EXPECT_NE(e, nullptr) << key;
        return hesk::files::dnlRowBytes(e->referenceKey, QString::fromLatin1(value));
    }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray header()
    {
        return ";Data:  2026-12-05   Time:  12:15:00\r\n;Device Style:    VRA1\r\n;Device Version:    V1.14.18\r\n";
    }

    QTemporaryDir dir;
    const QString project = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
    hesk::model::FaultTableLibrary faults;
    hesk::model::OpenedProject opened{faults};
};

TEST_F(HeskmonDnl, importPrintsCountsAndFailedRowsAndSavesTheOfflineValues)
{
    const QString file = write(QStringLiteral("in.dnl"), header() + row("P0060", "5") + row("P0089", "9") +
                                                            "9999|000|00|               1\r\n" + row("P0232.1", "91"));
    const QString saved = dir.filePath(QStringLiteral("out.dnl"));
    const CliRun run = heskmon({"--json", "dnl", "import", "--project", project, file, "--save", saved});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json = run.json();
    EXPECT_EQ(json["rows"].toInt(), 4);
    EXPECT_EQ(json["imported"].toInt(), 3);
    EXPECT_EQ(json["failed"].toInt(), 1);
    const QJsonArray logged = json["logged"].toArray();
    ASSERT_EQ(logged.size(), 2);
    EXPECT_EQ(logged[0].toObject()["log"].toString(), QStringLiteral("修改值项值超过上限：") + QString::fromLatin1(row("P0089", "9")).trimmed());
    EXPECT_EQ(logged[1].toObject()["log"].toString(), QStringLiteral("<错误>未找到对应参数：9999|000|00|               1"));

    // The saved file holds the imported values in project order, in the file's form.
    QFile out(saved);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray bytes = out.readAll();
    EXPECT_TRUE(bytes.startsWith(";Data:  "));
    EXPECT_TRUE(bytes.endsWith(row("P0060", "5") + row("P0089", "7") + row("P0232.1", "91"))) << bytes.toStdString();

    const CliRun text = heskmon({"dnl", "import", "--project", project, file});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains(QStringLiteral("Failed     1")));
    EXPECT_TRUE(text.out.contains(QStringLiteral("导入失败信息详见日志。")));
}

TEST_F(HeskmonDnl, badFilesGiveTheSystemsMessages)
{
    CliRun run = heskmon({"dnl", "import", "--project", project, dir.filePath(QStringLiteral("missing.dnl"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("文件打开失败！"))) << run.err.toStdString();
    run = heskmon({"dnl", "import", "--project", project, write(QStringLiteral("junk.dnl"), QByteArray(100000, '\x01'))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("您所打开的文件没有有效项"))) << run.err.toStdString();
    // Another version asks; without --yes the question refuses the file.
    const QString older = write(QStringLiteral("older.dnl"),
                                QByteArray(";Device Style:    VRA1\r\n;Device Version:    V1.00.00\r\n") + row("P0060", "5"));
    run = heskmon({"dnl", "import", "--project", project, older});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(heskmon({"dnl", "import", "--project", project, older, "--yes"}).exitCode, 0);

    const QString unordered = write(QStringLiteral("unordered.dnl"), header() + row("P0089", "1") + row("P0060", "5"));
    run = heskmon({"dnl", "compare", "--project", project, unordered, "factory"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("文件中第 2 行参数的主参顺序不对，打开失败！"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("基准文件不能为空！")));
    const QString twice = write(QStringLiteral("twice.dnl"), header() + row("P0060", "5") + row("P0060", "5"));
    run = heskmon({"dnl", "compare", "--project", project, "factory", twice});
    EXPECT_TRUE(run.err.contains(QStringLiteral("文件第 2 行参数的辅参顺序不对或参数重复，打开失败！"))) << run.err.toStdString();
    EXPECT_EQ(heskmon({"dnl", "compare", "--project", project, "factory", "factory", "--filter", "some"}).exitCode, 2);
}

// The migration report of a file of another version: nothing is connected or sent; every
// row the download would not take and every parameter the file lacks is named.
TEST_F(HeskmonDnl, downloadReportOnlyPrintsTheMigrationReport)
{
    const QString older = write(QStringLiteral("older.dnl"),
                                QByteArray(";Device Style:    VRA1\r\n;Device Version:    V1.14.17\r\n") + row("P0060", "5")
                                    + row("P0089", "9") + "9999|000|00|               1\r\n");
    const CliRun text = heskmon({"download", "--project", project, older, "--report-only"});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    const QStringList lines = text.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("dnl文件版本V1.14.17与工程版本V1.14.18不同。文件共3行：1行工程不接受，1个值不被接受，0个值将被修正；")))
        << lines[0].toStdString();
    EXPECT_EQ(lines.filter(QStringLiteral("[工程不接受] 9999|000")).size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("[值不被接受]")).size(), 1);
    EXPECT_TRUE(lines.filter(QStringLiteral("[值不被接受]")).front().contains(QStringLiteral("0089|")));
    EXPECT_EQ(lines.filter(QStringLiteral("[文件中没有] P0350：")).size(), 1);
    EXPECT_FALSE(text.err.contains(QStringLiteral("开始连接"))) << "nothing is connected";

    const CliRun json = heskmon({"--json", "download", "--project", project, older, "--report-only"});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject report = json.json();
    EXPECT_TRUE(report["versionsDiffer"].toBool());
    EXPECT_EQ(report["rows"].toInt(), 3);
    EXPECT_EQ(report["items"].toArray().size(), lines.size() - 1);
    EXPECT_EQ(report["items"].toArray()[0].toObject()["kind"].toString(), QStringLiteral("refused"));
}

TEST_F(HeskmonDnl, compareAgainstFactoryValuesFiltersAndExportsCsv)
{
    const QString file = write(QStringLiteral("cmp.dnl"), header() + row("P0060", "5") + row("P0089", "0"));
    CliRun run = heskmon({"--json", "dnl", "compare", "--project", project, "factory", file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QJsonObject json = run.json();
    EXPECT_EQ(json["equal"].toInt(), 1);  // P0089's factory value is 0
    const QJsonArray rows = json["rows"].toArray();
    ASSERT_EQ(rows.size(), json["different"].toInt());
    bool p60 = false;
    for (const QJsonValue& r : rows)
        if (r.toObject()["main"].toString() == QLatin1String("0060")) {
            p60 = true;
            EXPECT_EQ(r.toObject()["base"].toString(), QStringLiteral("1"));
            EXPECT_EQ(r.toObject()["compare"].toString(), QStringLiteral("5"));
        }
    EXPECT_TRUE(p60);

    run = heskmon({"--json", "dnl", "compare", "--project", project, file, file, "--filter", "equal", "--csv",
                   dir.filePath(QStringLiteral("csv"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    json = run.json();
    EXPECT_EQ(json["different"].toInt(), 0);
    EXPECT_EQ(json["rows"].toArray().size(), 2);
    const QJsonArray csv = json["csv"].toArray();
    ASSERT_EQ(csv.size(), 1);
    EXPECT_TRUE(csv[0].toString().endsWith(QStringLiteral("_equal.csv")));
    EXPECT_TRUE(QFile::exists(csv[0].toString()));

    const CliRun help = heskmon({"help"});
    EXPECT_TRUE(help.out.contains(QStringLiteral("dnl import --project P FILE")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("dnl compare --project P BASE COMPARE")));
    EXPECT_TRUE(heskmon({"help", "dnl", "compare"}).out.contains(QStringLiteral("--filter")));
}

}  // namespace

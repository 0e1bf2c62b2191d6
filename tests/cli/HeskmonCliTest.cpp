// Runs the heskmon program on a project encoded byte by byte and checks what it prints
// and how it exits.

#include "CliProjectFixture.h"
#include "QtPrinters.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using hesk::testsupport::cli::inverterProjectBytes;

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

class HeskmonCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        project = dir.filePath("inverter.tmprj");
        write(project, inverterProjectBytes());
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static CliRun heskmon(const QStringList& args)
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

    QTemporaryDir dir;
    QString project;
};

TEST_F(HeskmonCli, projectInfoNamesHeaderCpuAndCounts)
{
    const CliRun run = heskmon({"project", "info", project, "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject info = run.json();
    EXPECT_EQ(info["deviceType"].toString(), "VRA1");
    EXPECT_EQ(info["deviceCode"].toString(), "VRA1");
    EXPECT_EQ(info["deviceVersion"].toString(), "V1.14.18");
    EXPECT_EQ(info["programId"].toInt(), 0x1234);
    EXPECT_EQ(info["cpuType"].toString(), "HESK6700");
    EXPECT_EQ(info["cpuCode"].toInt(), 0x6700);
    EXPECT_EQ(info["deviceClass"].toInt(), 1);
    const QJsonObject counts = info["counts"].toObject();
    EXPECT_EQ(counts["definitions"].toInt(), 14);
    EXPECT_EQ(counts["settable"].toInt(), 9);
    EXPECT_EQ(counts["connections"].toInt(), 1);
    EXPECT_EQ(counts["formulas"].toInt(), 2);
    EXPECT_EQ(counts["baseValueRows"].toInt(), 2);
    EXPECT_EQ(counts["customParameters"].toInt(), 2);

    const CliRun text = heskmon({"project", "info", project});
    ASSERT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains("HESK6700, code 0x6700, name HESK6700")) << text.out.toStdString();
}

TEST_F(HeskmonCli, projectParamsListsPagesInProjectOrder)
{
    struct Case {
        QString page;
        QStringList displayNumbers;
    };
    const std::vector<Case> cases = {
        {"所有参数", {"r0021", "P0053", "P0070", "P0100.000", "P0100.001", "P0101", "P0340", "P0554",
                      "P0848", "r0943.000", "U005", "n010", "K0012", "B0003"}},
        {"逆变器并联", {"P0070", "P0848"}},
        {"自定义参数", {"P0848", "P0100.000", "P0100.001"}},
        {"r参数", {"r0021", "r0943.000", "n010", "K0012", "B0003"}},
    };
    for (const Case& c : cases) {
        const CliRun run = heskmon({"project", "params", project, "--page", c.page, "--json"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        QStringList shown;
        for (const QJsonValue& row : run.json()["parameters"].toArray())
            shown << row.toObject()["displayNumber"].toString();
        EXPECT_EQ(shown, c.displayNumbers) << c.page.toStdString();
    }

    const CliRun row = heskmon({"project", "params", project, "--page", "逆变器并联", "--json"});
    const QJsonObject p0070 = row.json()["parameters"].toArray().first().toObject();
    EXPECT_EQ(p0070["key"].toString(), "P0070");
    EXPECT_EQ(p0070["name"].toString(), "功率单元代码");
    EXPECT_EQ(p0070["type"].toString(), "N2");
    EXPECT_EQ(p0070["min"].toString(), "0");
    EXPECT_EQ(p0070["max"].toString(), "200");
    EXPECT_EQ(p0070["factoryValue"].toString(), "37");

    const CliRun missing = heskmon({"project", "params", project, "--page", "装置并联"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("装置并联"));
}

TEST_F(HeskmonCli, paramShowConvertsRawWordsThroughTheSelectedBaseRow)
{
    CliRun run = heskmon({"param", "show", project, "r0021", "--raw", "8192", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.json()["value"].toString(), "270.00");
    EXPECT_EQ(run.json()["baseValues"].toObject()["UDCn"].toString(), "540");

    run = heskmon({"param", "show", project, "r0021", "--raw", "8192", "--base-row", "55", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.json()["value"].toString(), "300.00");

    run = heskmon({"param", "show", project, "r0021", "--raw", "0xE000", "--json"});
    EXPECT_EQ(run.json()["value"].toString(), "-270.00");

    // Types without formulas use the type's format with the definition's decimals, as
    // the page shows them; a display number finds the row too.
    run = heskmon({"param", "show", project, "P0100.001", "--raw", "16384", "--json"});
    EXPECT_EQ(run.json()["key"].toString(), "P0100.1");
    EXPECT_EQ(run.json()["value"].toString(), "100.00");
    run = heskmon({"param", "show", project, "P0101", "--raw", "6554", "--json"});
    EXPECT_EQ(run.json()["value"].toString(), "40.002");
    run = heskmon({"param", "show", project, "K0012", "--json"});
    EXPECT_EQ(run.json()["key"].toString(), "r8012");

    EXPECT_EQ(heskmon({"param", "show", project, "r0021", "--base-row", "99"}).exitCode, 1);
    EXPECT_EQ(heskmon({"param", "show", project, "P0999"}).exitCode, 1);
    EXPECT_EQ(heskmon({"param", "show", project, "r0021", "--raw", "70000"}).exitCode, 2);
}

TEST_F(HeskmonCli, paramCheckGivesAcceptedTextOrTheDialogMessage)
{
    struct Case {
        const char* key;
        const char* text;
        int exitCode;
        const char* result;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"P0100.0", "60.5", 0, "60.50", ""},
        {"P0100.0", " 1 2.5 ", 0, "12.50", ""},
        {"P0100.0", "100.00", 0, "100.00", ""},
        {"P0100.0", "100.01", 1, "error9", "数据不在范围内！"},
        {"P0100.0", "60.555", 1, "error4", "此类型参数值小数部分最多保留 2 位！"},
        {"P0100.0", "", 1, "error1", "数据不允许为空，请重新输入！"},
        {"P0100.0", "-0", 1, "error2", "数据格式不符合要求！"},
        {"U005", "1.", 1, "error5", "此参数类型只允许输入整数！"},
        {"P0053", "0x1", 0, "0x0001", ""},
        {"P0053", "0x", 1, "error2", "数据格式不符合要求！"},
    };
    for (const Case& c : cases) {
        const CliRun run = heskmon({"param", "check", project, c.key, QString::fromUtf8(c.text), "--json"});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.key << " " << c.text;
        EXPECT_EQ(run.json()["result"].toString(), QString::fromUtf8(c.result)) << c.key << " " << c.text;
        EXPECT_EQ(run.json()["message"].toString(), QString::fromUtf8(c.message)) << c.key << " " << c.text;
        if (c.exitCode != 0) {
            EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        }
    }
}

TEST_F(HeskmonCli, paramToRawUsesForwardFormulaOrTypeScaling)
{
    struct Case {
        QStringList args;
        int raw;
    };
    const std::vector<Case> cases = {
        {{"P0340", "270.0"}, 8192},                        // 270 * 16384 / 540
        {{"P0340", "300.0", "--base-row", "55"}, 8192},    // 300 * 16384 / 600
        {{"P0101", "50.000"}, 8192},                       // N2: 50 % of 16384
        {{"P0101", "-100"}, 0xC000},                       // negative percentages wrap to the word
        {{"P0053", "0x00ff"}, 255},
        {{"U005", "16"}, 16},
    };
    for (const Case& c : cases) {
        const CliRun run = heskmon(QStringList{"param", "to-raw", project} + c.args + QStringList{"--json"});
        ASSERT_EQ(run.exitCode, 0) << c.args.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(run.json()["raw"].toInt(), c.raw) << c.args.join(' ').toStdString();
    }
    const CliRun refused = heskmon({"param", "to-raw", project, "P0340", "2000"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("error9"));
}

TEST_F(HeskmonCli, faultsExplainTheSetBits)
{
    const CliRun run = heskmon({"faults", project, "r0943.0=0x0038", "r0943.1=0", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray words = run.json()["words"].toArray();
    ASSERT_EQ(words.size(), 2);
    QStringList codes;
    for (const QJsonValue& entry : words[0].toObject()["entries"].toArray())
        codes << entry.toObject()["code"].toString();
    EXPECT_EQ(codes, (QStringList{"F011", "F011", "F011"}));
    EXPECT_TRUE(words[1].toObject()["entries"].toArray().isEmpty());

    const CliRun text = heskmon({"faults", project, "r0943.0=1"});
    EXPECT_TRUE(text.out.contains("F025 A相驱动故障")) << text.out.toStdString();
    EXPECT_EQ(heskmon({"faults", project, "r0943.0"}).exitCode, 2);
    EXPECT_EQ(heskmon({"faults", project, "r0943.0=0x10000"}).exitCode, 2);
}

TEST_F(HeskmonCli, projectSaveRoundTripIsByteIdentical)
{
    const QString first = dir.filePath("first.tmprj");
    const QString second = dir.filePath("second.tmprj");
    ASSERT_EQ(heskmon({"project", "save", project, first}).exitCode, 0);
    ASSERT_EQ(heskmon({"project", "save", first, second}).exitCode, 0);
    EXPECT_FALSE(read(first).isEmpty());
    EXPECT_EQ(read(first), read(second));
    // Only the order of the definitions changed (they are saved sorted).
    EXPECT_EQ(read(first).size(), inverterProjectBytes().size());

    const CliRun failed = heskmon({"project", "save", project, dir.filePath("no/such/folder/x.tmprj")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err.trimmed(), "文件保存失败！");
}

TEST_F(HeskmonCli, loadFailuresPrintTheSystemMessage)
{
    const QString missing = dir.filePath("missing.tmprj");
    CliRun run = heskmon({"project", "info", missing});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(), QStringLiteral("文件%1不存在，装载失败！").arg(missing));

    const QString truncated = dir.filePath("truncated.tmprj");
    write(truncated, inverterProjectBytes().left(500));
    run = heskmon({"project", "info", truncated});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(), QStringLiteral("CPU项目文件%1错误，装载失败！").arg(truncated));
    EXPECT_TRUE(run.out.isEmpty());
}

TEST_F(HeskmonCli, usageErrorsAndHelp)
{
    EXPECT_EQ(heskmon({"project", "info"}).exitCode, 2);
    EXPECT_EQ(heskmon({"no-such-command"}).exitCode, 2);
    EXPECT_EQ(heskmon({"project", "info", project, "--page", "x"}).exitCode, 2);
    EXPECT_EQ(heskmon({"project", "params", project, "--page"}).exitCode, 2);

    const CliRun list = heskmon({"help"});
    EXPECT_EQ(list.exitCode, 0);
    for (const char* command : {"project info", "project params", "project save", "param show", "param check",
                                "param to-raw", "faults"})
        EXPECT_TRUE(list.out.contains(command)) << command;
    const CliRun one = heskmon({"help", "param", "show"});
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_TRUE(one.out.contains("conversionFailed"));
}

}  // namespace

// heskmon create and heskmon project find, run as a program: the project it writes,
// the system's messages on refusal, and where installed projects are looked for.

#include "CreationInputs.h"
#include "IntermediateFileBytes.h"
#include "QtPrinters.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace hesk::testsupport;
using namespace hesk::testsupport::creation;
namespace inter = hesk::testsupport::intermediate;

namespace {

struct CliCall {
    int exitCode = -1;
    QString out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

// Runs heskmon with HESK_PROJECTS_DIR set to projectsDir, or unset without one.
CliCall heskmon(const QStringList& args, const std::optional<QString>& projectsDir = std::nullopt)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("HESK_PROJECTS_DIR");
    if (projectsDir)
        env.insert("HESK_PROJECTS_DIR", *projectsDir);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(HESK_CLI_PATH), args);
    CliCall run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class HeskmonCreate : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        out = dir.filePath("projects/VRA1");
        inverter = dir.filePath("inverter.monitorary");
        ASSERT_TRUE(writeBytes(inverter, inter::intermediateFileBytes(inter::inverterSpec())));
        workbook = dir.filePath("Monitor.xlsx");
        ASSERT_TRUE(writeWorkbook(workbook, {paramSheet(inverterRows())}));
        ubase = dir.filePath("Ubase.xlsx");
        const QStringList header = inverterBaseHeader();
        ASSERT_TRUE(writeWorkbook(ubase, {baseSheet(header, {baseRowFor(header, "37")})}));
    }

    QStringList createArgs(const QString& name = "VRA1V11418") const
    {
        return {"create", "--device", "VRA1", "--version", "V1.14.18", "--name", name, "--intermediate", inverter,
                "--workbook", workbook, "--ubase", ubase, "--out", out};
    }

    static QStringList without(QStringList args, const QString& option)
    {
        const qsizetype at = args.indexOf(option);
        if (at >= 0)
            args.remove(at, 2);
        return args;
    }

    static QStringList with(QStringList args, const QString& option, const QString& value)
    {
        const qsizetype at = args.indexOf(option);
        if (at >= 0)
            args[at + 1] = value;
        else
            args << option << value;
        return args;
    }

    QStringList filesBelow(const QString& folder) const
    {
        QStringList files;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        return files;
    }

    QTemporaryDir dir;
    QString out, inverter, workbook, ubase;
};

TEST_F(HeskmonCreate, createsTheProjectThatProjectInfoThenReads)
{
    const CliCall run = heskmon(createArgs() << "--json");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject created = run.json();
    const QString path = QDir(out).absoluteFilePath("VRA1V11418/VRA1V11418.tmprj");
    EXPECT_EQ(created["path"].toString(), path);
    EXPECT_EQ(created["name"].toString(), "VRA1V11418");
    EXPECT_FALSE(created["replaced"].toBool());
    EXPECT_EQ(created["deviceCode"].toString(), "VRA1");
    EXPECT_EQ(created["creatorVersion"].toString(), "V2.16.35");
    EXPECT_EQ(created["cpuType"].toString(), "HESK6700");
    EXPECT_EQ(created["deviceClass"].toInt(), 1);
    const QJsonObject counts = created["counts"].toObject();
    EXPECT_EQ(counts["definitions"].toInt(), 10);
    EXPECT_EQ(counts["intermediateDefinitions"].toInt(), 7);
    EXPECT_EQ(counts["fixedDefinitions"].toInt(), 3);
    EXPECT_EQ(counts["workbookRows"].toInt(), 5);
    EXPECT_EQ(counts["skippedRows"].toInt(), 2);
    EXPECT_EQ(counts["mergedDefinitions"].toInt(), 3);
    EXPECT_EQ(counts["baseValueRows"].toInt(), 1);
    EXPECT_EQ(counts["formulas"].toInt(), 1);

    const CliCall info = heskmon({"project", "info", path, "--json"});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_EQ(info.json()["deviceClass"].toInt(), 1);
    EXPECT_EQ(info.json()["deviceVersion"].toString(), "V1.14.18");
    EXPECT_EQ(info.json()["counts"].toObject()["definitions"].toInt(), 10);

    const CliCall param = heskmon({"param", "show", path, "P0100", "--json"});
    ASSERT_EQ(param.exitCode, 0) << param.err.toStdString();
    EXPECT_EQ(param.json()["name"].toString(), "电机额定频率");

    // Text output names the file; a second run is refused, --replace replaces.
    EXPECT_EQ(heskmon(createArgs()).exitCode, 1);
    const CliCall replaced = heskmon(createArgs() << "--replace");
    ASSERT_EQ(replaced.exitCode, 0) << replaced.err.toStdString();
    EXPECT_TRUE(replaced.out.startsWith("Replaced " + path)) << replaced.out.toStdString();
}

TEST_F(HeskmonCreate, refusalsPrintTheSystemsMessageAndWriteNothing)
{
    const QString text = dir.filePath("text.xlsx");
    ASSERT_TRUE(writeBytes(text, "plain text"));
    const QString wrongExtension = dir.filePath("inverter.bin");
    ASSERT_TRUE(writeBytes(wrongExtension, readBytes(inverter)));
    const QString rectifier = dir.filePath("rectifier.monitorary");
    inter::IntermediateSpec spec = inter::inverterSpec();
    spec.cpuType = "HESK6504";
    ASSERT_TRUE(writeBytes(rectifier, inter::intermediateFileBytes(spec)));

    struct Case {
        QStringList args;
        QString firstLine;
    };
    const QStringList base = createArgs();
    const std::vector<Case> cases = {
        {with(with(base, "--device", "AIC"), "--version", "V2.13.08"), "此中间文件与您选择的设备类型不符，禁止加载！"},
        {with(base, "--intermediate", rectifier), "此中间文件与您选择的设备类型不符，禁止加载！"},
        {with(base, "--intermediate", wrongExtension), "项目文件" + wrongExtension + "错误，打开失败！"},
        {without(base, "--intermediate"), "请先加载中间文件！"},
        {without(without(without(base, "--intermediate"), "--workbook"), "--ubase"), "请加载中间文件！"},
        {without(base, "--workbook"), "请加载转换文件！"},
        {without(base, "--ubase"), "请加载Ubase文件！"},
        {without(base, "--name"), "项目名称不能为空！"},
        {without(base, "--out"), "请选择项目存储路径！"},
        {with(base, "--name", "../escape"), "项目名称最长12位字符，仅允许字母/下划线/数字！"},
        {with(base, "--name", "THIRTEEN_CHAR"), "项目名称最长12位字符，仅允许字母/下划线/数字！"},
        {with(base, "--workbook", text), "未发现Excel驱动，读取转换文件失败！"},
        {with(base, "--workbook", dir.filePath("none.xlsx")), "缺少所需文件！"},
        {with(base, "--ubase", workbook), "读取Ubase文件失败！"},
        {with(base, "--device", "XYZ"), "未知的设备类型XYZ！"},
        {with(base, "--version", "V0"), "设备类型VRA1没有版本V0！"},
    };
    for (const Case& c : cases) {
        const CliCall run = heskmon(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.firstLine.toStdString();
        EXPECT_EQ(run.err.section('\n', 0, 0), c.firstLine) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_TRUE(filesBelow(dir.filePath("projects")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("escape")));
    EXPECT_EQ(heskmon(without(base, "--device")).exitCode, 2);
}

TEST_F(HeskmonCreate, deviceAcceptsTheDeviceTypeTextAsWellAsTheCode)
{
    inter::IntermediateSpec spec = inter::inverterSpec();
    spec.cpuType = "HESK6504";
    const QString rectifier = dir.filePath("rectifier.monitorary");
    ASSERT_TRUE(writeBytes(rectifier, inter::intermediateFileBytes(spec)));
    const QStringList header{"P参数读取值", "型号", "直流电流", "额定功率", "电容功率系数", "直流电压", "交流电流标定系数",
                             "交流电压标定系数", "直流电压过压门槛", "直流电压标定系数", "单机网侧电感值",
                             "网侧交流电压", "网侧交流电流", "单机滤波电容值", "单机直流侧电容值"};
    const QString rectifierBase = dir.filePath("UbaseAIC.xlsx");
    ASSERT_TRUE(writeWorkbook(rectifierBase, {baseSheet(header, {baseRowFor(header, "3")})}));
    for (const QString& device : {QString("AIC"), QString("有源整流电源")}) {
        QStringList args = with(with(with(createArgs("AICV21308"), "--device", device), "--version", "V2.13.08"),
                                "--intermediate", rectifier);
        args = with(args, "--ubase", rectifierBase) << "--replace" << "--json";
        const CliCall run = heskmon(args);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.json()["deviceType"].toString(), "有源整流电源");
        EXPECT_EQ(run.json()["deviceClass"].toInt(), 3);
        EXPECT_EQ(run.json()["counts"].toObject()["fixedDefinitions"].toInt(), 2);
    }
}

TEST_F(HeskmonCreate, projectFindFollowsTheFolderRuleAndItsFallback)
{
    const QString root = dir.filePath("projects");
    ASSERT_EQ(heskmon(createArgs()).exitCode, 0);
    const QString installed = QDir(root).absoluteFilePath("VRA1/VRA1V11418/VRA1V11418.tmprj");

    CliCall run = heskmon({"project", "find", "VRA1", "V1.14.18", "--root", root, "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.json()["status"].toString(), "found");
    EXPECT_EQ(run.json()["path"].toString(), installed);
    EXPECT_EQ(run.json()["key"].toString(), "VRA1V11418");
    EXPECT_EQ(run.json()["deviceVersion"].toString(), "V1.14.18");
    EXPECT_EQ(run.json()["rootSource"].toString(), "option");

    run = heskmon({"project", "find", "VRA1", "V1.13.17", "--root", root, "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.json()["status"].toString(), "fallback");
    EXPECT_EQ(run.json()["path"].toString(), installed);
    EXPECT_EQ(run.json()["requestedPath"].toString(), QDir(root).absoluteFilePath("VRA1/VRA1V11317/VRA1V11317.tmprj"));

    run = heskmon({"project", "find", "SLM", "V2.01.10", "--root", root});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.section('\n', 0, 0),
              "文件" + QDir(root).absoluteFilePath("SLM/SLMV20111/SLMV20111.tmprj") + "不存在，装载失败！");
    EXPECT_EQ(heskmon({"project", "find", "XYZ", "V1.00.00", "--root", root}).exitCode, 1);
    EXPECT_EQ(heskmon({"project", "find", "VRA1", "V1.14.18", "--root", root}).out.section('\n', 0, 0),
              "Found    " + installed);

    // The environment names the root when --root does not; --root wins over it.
    run = heskmon({"project", "find", "VRA1", "V1.14.18", "--json"}, root);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.json()["rootSource"].toString(), "environment");
    run = heskmon({"project", "find", "VRA1", "V1.14.18", "--root", dir.filePath("empty")}, root);
    EXPECT_EQ(run.exitCode, 1);

    // Without either, a build tree looks in the source tree's data/projects.
    run = heskmon({"project", "find", "PTB", "V1.00.00", "--json"});
    const QString sourceRoot = QDir::cleanPath(QStringLiteral(HESK_SOURCE_DIR "/data/projects"));
    if (run.exitCode == 0) {
        EXPECT_EQ(run.json()["rootSource"].toString(), "source tree");
        EXPECT_EQ(run.json()["root"].toString(), sourceRoot);
    } else {
        EXPECT_TRUE(run.err.contains(sourceRoot + " (source tree)")) << run.err.toStdString();
    }

    const CliCall help = heskmon({"help", "project", "find"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("HESK_PROJECTS_DIR"));
    EXPECT_TRUE(help.out.contains("share/heskmonitor/projects"));
}

}  // namespace

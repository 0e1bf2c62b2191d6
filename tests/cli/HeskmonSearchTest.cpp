// heskmon search and heskmon ports, run as programs: the real device search against the
// real simulated drive on a pseudo-terminal, over a small root of installed sample
// projects; the texts the search dialog shows, the JSON fields and the exit codes.

#include "QtPrinters.h"
#include "SimProcess.h"

#include "online/InterfaceSettings.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPortInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using hesk::sim::test::SimProcess;

struct CliCall {
    int exitCode = -1;
    QString out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

CliCall run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    CliCall call;
    if (!process.waitForFinished(60000))
        return call;
    call.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    call.out = QString::fromUtf8(process.readAllStandardOutput());
    call.err = QString::fromUtf8(process.readAllStandardError());
    return call;
}

CliCall heskmon(const QStringList& args)
{
    return run(QStringLiteral(HESK_CLI_PATH), args);
}

QString sampleProject(const QString& key)
{
    return QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/%1/%1.tmprj").arg(key);
}

// Program identifier of the installed sample VRA1V11517 (V1.15.17), the drive's project.
constexpr int kSecondSampleId = 0x5B07;

const QString kTimeoutText = QStringLiteral("搜素设备超时，请您重新尝试！");

class HeskmonSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        hesk::sim::test::ensureQtApplication();
        ASSERT_TRUE(dir.isValid());
        root = dir.filePath("projects");
        // Two installed projects; the drive runs the second, so the walk passes the first.
        for (const QString& key : QStringList{"VRA1V11418", "VRA1V11517"}) {
            const QString folder = QStringLiteral("%1/VRA1/%2").arg(root, key);
            ASSERT_TRUE(QDir().mkpath(folder));
            ASSERT_TRUE(QFile::copy(sampleProject(key), QStringLiteral("%1/%2.tmprj").arg(folder, key)));
        }
        ASSERT_TRUE(sim.start({"--project", sampleProject("VRA1V11517"), "--pty"})) << sim.error().toStdString();
        port = sim.readyLine();
        ASSERT_TRUE(port.startsWith("/dev/")) << port.toStdString();
    }

    QStringList search(const QStringList& extra = {}) const
    {
        return QStringList{"search", "--port", port, "--root", root} + extra;
    }
    void command(const QString& line) { ASSERT_EQ(sim.command(line), "ok") << line.toStdString(); }
    QString projectPath(const QString& key) const { return QStringLiteral("%1/VRA1/%2/%2.tmprj").arg(root, key); }

    QTemporaryDir dir;
    QString root;
    SimProcess sim;
    QString port;
};

TEST_F(HeskmonSearch, findsTheProjectOfTheDriveAndPrintsTheResultLine)
{
    const CliCall call = heskmon(search());
    ASSERT_EQ(call.exitCode, 0) << call.err.toStdString();
    const QStringList lines = call.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], "  已搜索到设备：VRA1，V1.15.17");
    EXPECT_EQ(lines[1], "Project    " + projectPath("VRA1V11517"));
    EXPECT_TRUE(call.out.contains("ProgramId  0x5b07"));
    EXPECT_EQ(call.err, QString());
}

TEST_F(HeskmonSearch, jsonNamesTheProjectTheIdentifierAndThePort)
{
    const CliCall call = heskmon(search({"--json"}));
    ASSERT_EQ(call.exitCode, 0) << call.err.toStdString();
    const QJsonObject result = call.json();
    EXPECT_EQ(result["status"].toString(), "found");
    EXPECT_EQ(result["message"].toString(), "  已搜索到设备：VRA1，V1.15.17");
    EXPECT_EQ(result["resultText"].toString(), QString());
    EXPECT_EQ(result["programId"].toInt(), kSecondSampleId);
    EXPECT_EQ(result["port"].toString(), port);
    EXPECT_EQ(result["baudRate"].toString(), "38400");
    EXPECT_EQ(result["root"].toString(), root);
    EXPECT_EQ(result["rootSource"].toString(), "option");
    const QJsonObject project = result["project"].toObject();
    EXPECT_EQ(project["path"].toString(), projectPath("VRA1V11517"));
    EXPECT_EQ(project["deviceType"].toString(), "VRA1");
    EXPECT_EQ(project["deviceVersion"].toString(), "V1.15.17");
    EXPECT_EQ(project["programId"].toInt(), kSecondSampleId);
}

TEST_F(HeskmonSearch, deviceThatCannotBeFoundEndsWithTheDialogsTextAndExitCodeOne)
{
    struct Case {
        const char* name;
        QStringList simCommands;  // sent before the search
        QStringList arguments;  // empty: the drive's port
        QString text;
        QString status;
    };
    const Case cases[] = {
        {"silent drive", {"mute on"}, {}, "请求设备程序ID超时。", "error"},
        {"port that does not exist", {}, {"search", "--port", dir.filePath("no-such-port"), "--root", root},
         "串口打开失败！", "error"},
        {"no installed project carries the identifier", {"mute off", "program-id 0x4444"}, {}, kTimeoutText,
         "noProject"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& line : c.simCommands)
            command(line);
        const QStringList args = c.arguments.isEmpty() ? search() : c.arguments;
        const CliCall text = heskmon(args);
        EXPECT_EQ(text.exitCode, 1);
        EXPECT_EQ(text.out, QString());
        EXPECT_EQ(text.err.split('\n').value(0), c.text);

        const CliCall json = heskmon(args + QStringList{"--json"});
        EXPECT_EQ(json.exitCode, 1);
        EXPECT_EQ(json.json()["status"].toString(), c.status);
        EXPECT_EQ(json.json()["message"].toString(), c.text);
        EXPECT_FALSE(json.json().contains("project"));
    }
    // The drive that reported an identifier nobody carries: it is named.
    const CliCall json = heskmon(search({"--json"}));
    EXPECT_EQ(json.json()["programId"].toInt(), 0x4444);
    EXPECT_TRUE(heskmon(search()).err.contains("0x4444"));
}

TEST_F(HeskmonSearch, qb27BoardGetsTheAdviceForItsIdentifier)
{
    command("cpu-type 0x71");
    const CliCall call = heskmon(search());
    EXPECT_EQ(call.exitCode, 1);
    EXPECT_EQ(call.err.trimmed(), "当前设备为QB27控制板，设备版本号为5b07，\n请联系售后维护人员，打开对应版本的HESKMonitor工程，\n"
                                  "之后再进行设备连接等其它操作！");
    const CliCall json = heskmon(search({"--json"}));
    EXPECT_EQ(json.json()["status"].toString(), "qb27");
    EXPECT_EQ(json.json()["resultText"].toString(), "QB27板卡提示");
    EXPECT_EQ(json.json()["programId"].toInt(), kSecondSampleId);
}

TEST_F(HeskmonSearch, searchThatOutlastsItsTimeOutIsStopped)
{
    command("mute on");  // the identifier request takes 2 x 1000 ms
    const CliCall call = heskmon(search({"--timeout", "0.3", "--json"}));
    EXPECT_EQ(call.exitCode, 1);
    EXPECT_EQ(call.json()["status"].toString(), "timeout");
    EXPECT_EQ(call.json()["message"].toString(), kTimeoutText);
    EXPECT_FALSE(call.json().contains("resultText"));
    EXPECT_EQ(heskmon(search({"--timeout", "0.3"})).err.trimmed(), kTimeoutText);
}

TEST_F(HeskmonSearch, optionsThatCannotBeUsedAreRefusedAsUsage)
{
    const QStringList refused[] = {
        {"search", "--baud", "38400", "--root", root},  // the settings file names the rate
        search({"--baud", "fast"}),
        search({"--baud", "0"}),
        search({"--timeout", "0"}),
        search({"--timeout", "soon"}),
        {"search", "--port", "", "--root", root},
        search({"extra"}),
    };
    for (const QStringList& args : refused) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliCall call = heskmon(args);
        EXPECT_EQ(call.exitCode, 2);
        EXPECT_EQ(call.out, QString());
    }
    // A baud rate the line does not know opens no port.
    const CliCall odd = heskmon(search({"--baud", "12345"}));
    EXPECT_EQ(odd.exitCode, 1);
    EXPECT_EQ(odd.err.trimmed(), "串口打开失败！");
}

// Without --port the settings file beside the program decides. A copy of heskmon in a
// folder of its own reads its own "interfacecfg.ini" there.
class HeskmonSearchSettings : public HeskmonSearch {
protected:
    static void SetUpTestSuite()
    {
        s_bin = std::make_unique<QTemporaryDir>();
        s_program = s_bin->filePath("heskmon");
        if (!QFile::copy(QStringLiteral(HESK_CLI_PATH), s_program))
            s_program.clear();
    }
    static void TearDownTestSuite() { s_bin.reset(); }
    void SetUp() override
    {
        HeskmonSearch::SetUp();
        ASSERT_FALSE(s_program.isEmpty());
        QFile::remove(settingsPath());
    }
    void TearDown() override { QFile::remove(settingsPath()); }

    static QString settingsPath() { return s_bin->filePath("interfacecfg.ini"); }
    static hesk::online::InterfaceSettings settings() { return hesk::online::InterfaceSettings({settingsPath(), {}}); }

    static inline std::unique_ptr<QTemporaryDir> s_bin;
    static inline QString s_program;
};

TEST_F(HeskmonSearchSettings, portAndBaudRateComeFromTheSettingsFile)
{
    ASSERT_EQ(settings().setMode(hesk::online::InterfaceMode::Serial).status, hesk::online::IniWriteStatus::Written);
    ASSERT_EQ(settings().setSerialPort(port, "38400").status, hesk::online::IniWriteStatus::Written);
    const CliCall call = run(s_program, {"search", "--root", root, "--json"});
    ASSERT_EQ(call.exitCode, 0) << call.err.toStdString();
    EXPECT_EQ(call.json()["status"].toString(), "found");
    EXPECT_EQ(call.json()["port"].toString(), port);
    EXPECT_EQ(call.json()["project"].toObject()["path"].toString(), projectPath("VRA1V11517"));
}

TEST_F(HeskmonSearchSettings, settingsThatDoNotAllowAConnectAreReported)
{
    // No file at all, then a file in Ethernet mode (the board check asks serial only).
    CliCall call = run(s_program, {"search", "--root", root});
    EXPECT_EQ(call.exitCode, 1);
    EXPECT_EQ(call.err, QStringLiteral("通信设置加载失败！\nheskmon: the settings file %1 does not exist; give --port "
                                       "PATH, or set the port in the window (调试 > 端口设定)\n")
                            .arg(settingsPath()));
    call = run(s_program, {"search", "--root", root, "--json"});
    EXPECT_EQ(call.json()["settingsFile"].toString(), settingsPath());
    EXPECT_EQ(call.json()["settingsProblem"].toString(),
              QStringLiteral("heskmon: the settings file %1 does not exist").arg(settingsPath()));

    ASSERT_EQ(settings().setMode(hesk::online::InterfaceMode::Ethernet).status, hesk::online::IniWriteStatus::Written);
    call = run(s_program, {"search", "--root", root});
    EXPECT_EQ(call.exitCode, 1);
    EXPECT_EQ(call.err.trimmed(), "程序执行异常，请联系开发人员！");
}

TEST(HeskmonPorts, listsThePortsTheSystemReports)
{
    const CliCall call = heskmon({"ports", "--json"});
    ASSERT_EQ(call.exitCode, 0) << call.err.toStdString();
    const QJsonArray listed = call.json()["ports"].toArray();
    const QList<QSerialPortInfo> system = QSerialPortInfo::availablePorts();
    ASSERT_EQ(listed.size(), system.size());
    for (qsizetype i = 0; i < system.size(); ++i) {
        EXPECT_EQ(listed[i].toObject()["portName"].toString(), system[i].portName());
        EXPECT_EQ(listed[i].toObject()["systemLocation"].toString(), system[i].systemLocation());
    }

    const CliCall text = heskmon({"ports"});
    ASSERT_EQ(text.exitCode, 0);
    if (system.isEmpty()) {
        EXPECT_EQ(text.out.trimmed(), "当前机器上未检测到串口设备！");
    } else {
        const QStringList lines = text.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), system.size());
        for (qsizetype i = 0; i < system.size(); ++i)
            EXPECT_TRUE(lines[i].startsWith(system[i].portName() + '\t' + system[i].systemLocation()));
    }
}

}  // namespace

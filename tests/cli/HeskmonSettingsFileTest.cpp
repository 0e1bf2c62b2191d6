// heskmon connect and read without --port or --udp: the settings file beside the program
// decides, and when it allows no connect the message names the file and what it lacks.
// A copy of heskmon in a folder of its own reads its own "interfacecfg.ini" there.

#include "CliProjectFixture.h"
#include "QtPrinters.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliCall {
    int exitCode = -1;
    QString out;
    QString err;
};

class HeskmonSettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bin.isValid());
        program = bin.filePath(QStringLiteral("heskmon"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(HESK_CLI_PATH), program));
        project = bin.filePath(QStringLiteral("inverter.tmprj"));
        QFile file(project);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(hesk::testsupport::cli::inverterProjectBytes());
    }

    QString settingsPath() const { return bin.filePath(QStringLiteral("interfacecfg.ini")); }
    void writeSettings(const char* text) const
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    CliCall run(const QStringList& args) const
    {
        QProcess process;
        process.start(program, args);
        CliCall call;
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return call;
        }
        call.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        call.out = QString::fromUtf8(process.readAllStandardOutput());
        call.err = QString::fromUtf8(process.readAllStandardError());
        return call;
    }

    QTemporaryDir bin;
    QString program;
    QString project;
};

TEST_F(HeskmonSettingsFile, settingsThatAllowNoConnectAreNamedWithWhatTheyLack)
{
    struct Case {
        const char* name;
        const char* file;  // nullptr: no file
        QString reason;
    };
    const QString file = QStringLiteral("heskmon: the settings file %1").arg(settingsPath());
    const Case cases[] = {
        {"no file", nullptr, file + QStringLiteral(" does not exist")},
        {"no mode", "[232 MODE]\nPORTNAME=/dev/ttyS0\nBAUNDRATE=38400\n",
         file + QStringLiteral(" sets no MODE in [CURRENT MODE] (\"232\" or \"ETHERNET\")")},
        {"unknown mode", "[CURRENT MODE]\nMODE=RS485\n",
         file + QStringLiteral(" has MODE=RS485 in [CURRENT MODE]; \"232\" or \"ETHERNET\" is expected")},
        {"no port", "[CURRENT MODE]\nMODE=232\n[232 MODE]\nBAUNDRATE=38400\n",
         file + QStringLiteral(" names no PORTNAME in [232 MODE]")},
        {"bad baud rate", "[CURRENT MODE]\nMODE=232\n[232 MODE]\nPORTNAME=/dev/ttyS0\nBAUNDRATE=fast\n",
         file + QStringLiteral(" has BAUNDRATE=fast in [232 MODE]; a positive number is expected")},
        {"bad address", "[CURRENT MODE]\nMODE=ETHERNET\n[ETHERNET MODE]\nREMOTEIP=127.0.0.300\n",
         file + QStringLiteral(" has an address or port in [ETHERNET MODE] that is not valid")},
    };
    const QString hint = QStringLiteral("; give --port PATH or --udp, or set the port in the window (调试 > 端口设定)\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(settingsPath());
        if (c.file)
            writeSettings(c.file);
        for (const QStringList& args : {QStringList{QStringLiteral("connect"), QStringLiteral("--project"), project},
                                        QStringList{QStringLiteral("read"), QStringLiteral("--project"), project,
                                                    QStringLiteral("P0053")}}) {
            const CliCall call = run(args);
            EXPECT_EQ(call.exitCode, 1) << args.first().toStdString();
            // The system's message, then which file and why.
            EXPECT_TRUE(call.err.contains(QStringLiteral("警告: 通信设置加载失败！\n") + c.reason + hint))
                << call.err.toStdString();
            EXPECT_TRUE(call.out.isEmpty());
        }
    }
}

// Settings that allow a connect that then fails do not blame the file.
TEST_F(HeskmonSettingsFile, aFailingConnectWithUsableSettingsNamesNoSettingsProblem)
{
    writeSettings("[CURRENT MODE]\nMODE=232\n[232 MODE]\nPORTNAME=/nonexistent/tty\nBAUNDRATE=38400\n");
    const CliCall call = run({QStringLiteral("connect"), QStringLiteral("--project"), project});
    EXPECT_EQ(call.exitCode, 1);
    EXPECT_TRUE(call.err.contains(QStringLiteral("串口打开失败！"))) << call.err.toStdString();
    EXPECT_FALSE(call.err.contains(QStringLiteral("settings file"))) << call.err.toStdString();
}

}  // namespace

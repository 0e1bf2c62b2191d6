#pragma once
// The trigger recorder against the real hesk-drive-sim: the installed inverter sample (a
// copy in a temporary folder) or another installed project, the simulator on a
// pseudo-terminal (or UDP), a MonitorSession with the recorder attached as its port and
// its hooks, a scripted prompt and a recording log. Timings of the recorder are short
// where a test waits for a time-out.

#include "MessagePrinters.h"
#include "QtPrinters.h"
#include "RecordingLog.h"
#include "ScriptedPrompt.h"
#include "SimProcess.h"

#include "model/FaultTableLibrary.h"
#include "recording/RecorderSessionHooks.h"
#include "recording/TriggerRecorder.h"
#include "shell/MonitorSession.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace hesk::recording::test {

using namespace std::chrono_literals;

inline QString installedProject(const char* code, const char* key)
{
    return QStringLiteral(HESK_SOURCE_DIR "/data/projects/%1/%2/%2.tmprj").arg(QString::fromLatin1(code), QString::fromLatin1(key));
}

class RecorderSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::test::ensureQtApplication();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override
    {
        if (session)
            session->ports().recorder = nullptr;
        recorder.reset();
        session.reset();
        simulator.stop();
    }

    // Starts the drive on the project and connects a session with the recorder.
    void connectTo(const QString& source, const QStringList& simOptions, bool udp = false,
                   RecorderTimings timings = {})
    {
        projectPath = dir.filePath(QFileInfo(source).fileName());
        ASSERT_TRUE(QFile::copy(source, projectPath));
        online::ConnectionSettings c;
        if (udp) {
            // A loopback address and port of our own; the tool binds a port the system picks.
            bool started = false;
            for (int attempt = 0; attempt < 5 && !started; ++attempt) {
                const QString address = QStringLiteral("127.0.0.%1").arg(2 + QRandomGenerator::global()->bounded(250));
                const auto port = static_cast<uint16_t>(20000 + QRandomGenerator::global()->bounded(40000));
                started = simulator.start(QStringList{QStringLiteral("--project"), projectPath, QStringLiteral("--udp"),
                                                      QStringLiteral("%1:%2").arg(address).arg(port)}
                                          + simOptions);
                c.udp = {QStringLiteral("127.0.0.1"), 0, address, port};
            }
            ASSERT_TRUE(started) << simulator.error().toStdString();
            c.mode = online::InterfaceMode::Ethernet;
        } else {
            ASSERT_TRUE(simulator.start(QStringList{QStringLiteral("--project"), projectPath, QStringLiteral("--pty")}
                                        + simOptions))
                << simulator.error().toStdString();
            c.mode = online::InterfaceMode::Serial;
            c.portName = simulator.readyLine();
            c.portPath = online::portOpenPath(c.portName);
            c.baudRate = QStringLiteral("38400");
        }
        online::InterfaceSettings settings(online::SettingsLocation{dir.filePath(QStringLiteral("interfacecfg.ini")), {}});
        session = std::make_unique<shell::MonitorSession>(faultTables, log, prompt, settings);
        session->overrideConnectionSettings(c);
        recorder = std::make_unique<TriggerRecorder>(*session, prompt, timings);
        hooks = std::make_unique<RecorderSessionHooks>(*recorder);
        session->setHooks(hooks.get());
        session->ports().recorder = recorder.get();
        const auto failure = session->project().open(projectPath);
        ASSERT_FALSE(failure.has_value()) << failure->text.toStdString();
        ASSERT_TRUE(session->connectDevice()) << prompt.messages().size();
        QObject::connect(recorder.get(), &TriggerRecorder::recordingComplete, recorder.get(),
                         [this](const TriggerRecording& r, bool) { recordings.push_back(r); });
        QObject::connect(recorder.get(), &TriggerRecorder::ended, recorder.get(), [this] { ++endings; });
    }

    TriggerSettings settingsOn(std::initializer_list<std::pair<int, const char*>> channels)
    {
        TriggerSettings s = defaultTriggerSettings(session->project());
        for (auto& c : s.channels)
            c = {};
        for (const auto& [index, connector] : channels) {
            const auto channel = channelFor(session->project(), QString::fromLatin1(connector));
            EXPECT_TRUE(channel.has_value()) << connector;
            s.channels[size_t(index)] = channel.value_or(TRSETCHANEL{});
        }
        return s;
    }

    uint16_t address(const char* key) const { return session->project().find(QString::fromLatin1(key))->address; }

    // Runs the motor at the setpoint (raw P7030) through the simulator's console.
    void runMotor(int setpointRaw)
    {
        EXPECT_TRUE(simulator.command(QStringLiteral("set P7030 %1").arg(setpointRaw)).startsWith(QLatin1String("ok")));
        EXPECT_TRUE(simulator.command(QStringLiteral("set P0880 1")).startsWith(QLatin1String("ok")));
        EXPECT_TRUE(simulator.command(QStringLiteral("set P7000.5 1")).startsWith(QLatin1String("ok")));
    }

    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 20s)
    {
        return sim::test::pumpUntil(done, timeout);
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const model::UserMessage& m : prompt.messages())
            texts << m.text;
        return texts;
    }

    QTemporaryDir dir;
    QString projectPath;
    sim::test::SimProcess simulator;
    model::FaultTableLibrary faultTables;
    testsupport::RecordingLog log;
    testsupport::ScriptedPrompt prompt;
    std::unique_ptr<shell::MonitorSession> session;
    std::unique_ptr<TriggerRecorder> recorder;
    std::unique_ptr<RecorderSessionHooks> hooks;
    std::vector<TriggerRecording> recordings;
    int endings = 0;
};

}  // namespace hesk::recording::test

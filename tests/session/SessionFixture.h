#pragma once
// A MonitorSession against the real hesk-drive-sim: the simulator's small inverter
// project, a settings file in a temporary folder pointing at the simulator's
// pseudo-terminal (or UDP address), a scripted prompt that records every message, a
// log that keeps every line with its level, and hooks whose answers the test sets.

#include "RecordingLog.h"
#include "MessagePrinters.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "model/FaultTableLibrary.h"
#include "shell/MonitorSession.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

namespace hesk::session::test {

using namespace std::chrono_literals;

using RecordingLog = testsupport::RecordingLog;

class FakeHooks final : public online::SessionHooks {
public:
    bool offlineModified() const override { return modified; }
    bool saveOfflineValues() override
    {
        ++saves;
        return saveSucceeds;
    }
    void clearOfflineModifications() override
    {
        modified = false;
        ++modificationsCleared;
    }
    bool motorControlHeld() const override { return controlHeld; }
    void dropMotorControl() override
    {
        controlHeld = false;
        ++controlDropped;
    }
    void menuLevelWhileControlHeld() override { ++menuLevelNotices; }
    int triggerRecordingState() const override { return recorderState; }
    void abortTriggerRecording() override
    {
        recorderState = 0;
        ++recordingsAborted;
    }
    void recorderOnline() override { ++recorderOnlineCalls; }
    void recorderOffline() override { ++recorderOfflineCalls; }
    void resetControlPages() override { ++controlPagesReset; }
    void periodicRefresh() override { ++periodicRefreshes; }

    bool modified = false;
    bool saveSucceeds = true;
    bool controlHeld = false;
    int recorderState = 0;
    int saves = 0, modificationsCleared = 0, controlDropped = 0, menuLevelNotices = 0, recordingsAborted = 0;
    int recorderOnlineCalls = 0, recorderOfflineCalls = 0, controlPagesReset = 0, periodicRefreshes = 0;
};

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::test::ensureQtApplication();
        ASSERT_TRUE(dir.isValid());
        projectPath = sim::test::writeSimProject(dir.path());
    }
    void TearDown() override
    {
        session.reset();
        sim.stop();
    }

    online::SettingsLocation settingsLocation() const { return {dir.filePath(QStringLiteral("interfacecfg.ini")), {}}; }
    online::InterfaceSettings settingsFile() const { return online::InterfaceSettings(settingsLocation()); }

    // The simulator on a pseudo-terminal and the settings pointing at it.
    void startSerialSim(const QStringList& extra = {})
    {
        ASSERT_TRUE(sim.start(QStringList{QStringLiteral("--project"), projectPath, QStringLiteral("--pty")} + extra))
            << sim.error().toStdString();
        online::InterfaceSettings settings = settingsFile();
        ASSERT_EQ(settings.setMode(online::InterfaceMode::Serial).status, online::IniWriteStatus::Written);
        ASSERT_EQ(settings.setSerialPort(sim.readyLine(), QStringLiteral("38400")).status, online::IniWriteStatus::Written);
    }

    // A session with the project open; timings shortened where a test waits for them.
    void openSession(shell::SessionTimings timings = {})
    {
        session = std::make_unique<shell::MonitorSession>(faultTables, log, prompt, settingsFile(), timings);
        session->setHooks(&hooks);
        const auto failure = session->project().open(projectPath);
        ASSERT_FALSE(failure.has_value()) << failure->text.toStdString();
    }

    bool connect() { return session->connectDevice(); }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const model::UserMessage& m : prompt.messages())
            texts << m.text;
        return texts;
    }

    const model::HeskParameterElement& element(const char* key) const
    {
        const model::HeskParameterElement* e = session->project().find(QString::fromLatin1(key));
        EXPECT_NE(e, nullptr) << key;
        return *e;
    }

    QTemporaryDir dir;
    QString projectPath;
    sim::test::SimProcess sim;
    model::FaultTableLibrary faultTables;
    RecordingLog log;
    testsupport::ScriptedPrompt prompt;
    FakeHooks hooks;
    std::unique_ptr<shell::MonitorSession> session;
};

}  // namespace hesk::session::test

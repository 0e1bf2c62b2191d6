#pragma once
// Fixtures for the main window's decisions: installed sample projects copied into a
// temporary folder (opening a project creates its "logs" folder beside it), a session
// with a scripted prompt, and lifecycle hooks whose answers a test sets.

#include "MessagePrinters.h"
#include "LogTestSupport.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "model/FaultTableLibrary.h"
#include "model/ProjectFile.h"
#include "shell/LifecycleHooks.h"
#include "shell/MonitorSession.h"
#include "shell/ProjectLifecycle.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace hesk::shell::testing {

// data/projects/<code>/<key>/<key>.tmprj of the source tree.
inline QString installedProject(const char* code, const char* key)
{
    return QStringLiteral(HESK_SOURCE_DIR "/data/projects/%1/%2/%2.tmprj")
        .arg(QString::fromLatin1(code), QString::fromLatin1(key));
}

// Copies a file into folder (created when missing) under newName; returns the new path.
inline QString copyInto(const QString& source, const QString& folder, const QString& newName)
{
    QDir().mkpath(folder);
    const QString target = QDir(folder).filePath(newName);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(source, target)) << source.toStdString();
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

class FakeLifecycleHooks final : public LifecycleHooks {
public:
    bool offlineModified() const override { return offlineChanged; }
    bool saveOfflineValues() override
    {
        ++offlineSaves;
        return offlineSaveSucceeds;
    }
    void clearOfflineModifications() override
    {
        offlineChanged = false;
        ++offlineCleared;
    }
    void clearOfflineFileName() override { ++fileNamesCleared; }
    void discardOfflineValues() override { ++valuesDiscarded; }
    bool triggerDataUnsaved() const override { return triggerUnsaved; }
    bool saveTriggerData() override
    {
        ++triggerSaves;
        return triggerSaveSucceeds;
    }

    bool offlineChanged = false;
    bool offlineSaveSucceeds = true;
    bool triggerUnsaved = false;
    bool triggerSaveSucceeds = true;
    int offlineSaves = 0, offlineCleared = 0, fileNamesCleared = 0, triggerSaves = 0, valuesDiscarded = 0;
};

class LifecycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        session = std::make_unique<MonitorSession>(
            faultTables, log, prompt, online::InterfaceSettings({dir.filePath(QStringLiteral("interfacecfg.ini")), {}}));
        lifecycle = std::make_unique<ProjectLifecycle>(*session, log, prompt);
        lifecycle->setHooks(&hooks);
    }
    void TearDown() override
    {
        session->link().state().online.store(false);
        lifecycle.reset();
        session.reset();
    }

    QString projectFolder() const { return dir.filePath(QStringLiteral("project")); }
    // The inverter sample copied into the test's project folder.
    QString copyInverter(const QString& name = QStringLiteral("Drive.tmprj"))
    {
        return copyInto(installedProject("VRA1", "VRA1V11418"), projectFolder(), name);
    }
    void openInverter()
    {
        ASSERT_TRUE(lifecycle->openFile(copyInverter()));
        ASSERT_TRUE(prompt.messages().empty());
    }
    QStringList questionTexts() const
    {
        QStringList texts;
        for (const testsupport::PromptQuestion& q : prompt.questions())
            texts << q.text;
        return texts;
    }

    QTemporaryDir dir;
    model::FaultTableLibrary faultTables;
    Log log{manualOptions()};
    testsupport::ScriptedPrompt prompt;
    FakeLifecycleHooks hooks;
    std::unique_ptr<MonitorSession> session;
    std::unique_ptr<ProjectLifecycle> lifecycle;
};

}  // namespace hesk::shell::testing

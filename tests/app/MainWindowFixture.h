#pragma once
// A main window for widget tests: a scripted prompt, the settings file, the docking
// layout file and the help folder in a temporary folder (never the user's), a viewer that
// records what it would open, and periods long enough that the test drives the log pane
// and the status refresh itself.

#include "MessagePrinters.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "MainWindow.h"
#include "frame/LogPane.h"
#include "frame/ProjectTreePane.h"
#include "frame/StatusPanes.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace hesk::app::test {

class RecordingViewer final : public shell::DocumentViewer {
public:
    bool openManualTopic(const QString& path, int topic) override
    {
        calls << QStringLiteral("topic %1 %2").arg(topic).arg(path);
        return true;
    }
    bool openDocument(const QString& path) override
    {
        calls << QStringLiteral("open ") + path;
        return true;
    }
    QStringList calls;
};

// data/projects/<code>/<key>/<key>.tmprj of the source tree.
inline QString installedProject(const QString& code, const QString& key)
{
    return QStringLiteral(HESK_SOURCE_DIR "/data/projects/%1/%2/%2.tmprj").arg(code, key);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        makeWindow();
    }
    void TearDown() override
    {
        if (window)
            window->session().link().state().online.store(false);
        window.reset();
    }

    MainWindowSetup setup()
    {
        MainWindowSetup s;
        s.prompt = &prompt;
        s.interfaceSettings = {iniPath(), {}};
        s.layoutSettingsFile = dir.filePath(QStringLiteral("layout.ini"));
        s.helpFolders = {helpFolder()};
        s.documentViewer = &viewer;
        s.logOptions.writePeriod = std::chrono::hours(24);
        s.logPanePeriod = std::chrono::hours(24);
        s.statusPeriod = std::chrono::hours(24);
        return s;
    }
    void makeWindow() { window = std::make_unique<MainWindow>(setup()); }

    QString iniPath() const { return dir.filePath(QStringLiteral("interfacecfg.ini")); }
    QString helpFolder() const { return dir.filePath(QStringLiteral("help")); }

    // An installed sample project copied into the test's folder (opening it creates its
    // "logs" folder beside it).
    QString copyProject(const QString& code, const QString& key)
    {
        const QString folder = dir.filePath(QStringLiteral("projects/") + key);
        QDir().mkpath(folder);
        const QString target = QDir(folder).filePath(key + QStringLiteral(".tmprj"));
        QFile::remove(target);
        EXPECT_TRUE(QFile::copy(installedProject(code, key), target)) << key.toStdString();
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        return target;
    }
    void openInverter()
    {
        prompt.chooseFile(copyProject(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418")));
        window->runCommand(shell::Command::OpenProject);
        ASSERT_TRUE(window->lifecycle().projectOpen());
        ASSERT_TRUE(prompt.messages().empty());
    }

    bool enabled(shell::Command command) const { return window->action(command)->isEnabled(); }
    QString pane(int index) const { return window->statusPanes()->pane(index)->text(); }
    QStringList topLevelCaptions() const
    {
        QStringList captions;
        for (int i = 0; i < window->projectTree()->topLevelItemCount(); ++i)
            captions << window->projectTree()->topLevelItem(i)->text(0);
        return captions;
    }
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const model::UserMessage& m : prompt.messages())
            texts << m.text;
        return texts;
    }

    QTemporaryDir dir;
    testsupport::ScriptedPrompt prompt;
    RecordingViewer viewer;
    std::unique_ptr<MainWindow> window;
};

}  // namespace hesk::app::test

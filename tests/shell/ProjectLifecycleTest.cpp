// Opening, saving and closing a project and the questions before exit, with the
// installed sample projects, a real session and log, and a scripted prompt.

#include "ShellFixtures.h"

#include <QFileInfo>

using namespace hesk;
using namespace hesk::shell;
using namespace hesk::shell::testing;
using model::MessageKind;
using model::PromptAnswer;
using model::PromptButtons;
using model::UserMessage;

namespace {

const QString kAlreadyOpen = QStringLiteral("已经有项目打开，请先退出当前项目！");
const QString kProjectChanged = QStringLiteral("内容有修改,是否保存到工程文件？");
const QString kOfflineChanged = QStringLiteral("您的离线信息有修改,是否要保存到dnl文件？");
const QString kTriggerUnsaved = QStringLiteral("当前触发录波的数据是否保存？");

// ---- open -------------------------------------------------------------------------------

TEST_F(LifecycleTest, openCommandAsksForAnExistingProjectFileAndOpensIt)
{
    const QString path = copyInverter();
    prompt.chooseFile(path);

    ASSERT_TRUE(lifecycle->openCommand());

    ASSERT_EQ(prompt.fileDialogs().size(), 1u);
    const testsupport::FileDialogCall& call = prompt.fileDialogs().front();
    EXPECT_FALSE(call.save);
    EXPECT_EQ(call.spec.fileName, QStringLiteral("Monitor.tmprj"));
    EXPECT_EQ(call.spec.filter, QStringLiteral("项目文件(*.tmprj)"));
    EXPECT_EQ(call.spec.defaultSuffix, QStringLiteral("tmprj"));
    EXPECT_TRUE(prompt.messages().empty());
    EXPECT_TRUE(lifecycle->projectOpen());
    EXPECT_EQ(session->project().name(), QStringLiteral("Drive"));
    EXPECT_EQ(session->project().folder(), QFileInfo(projectFolder()).absoluteFilePath());
    EXPECT_EQ(session->project().deviceClass(), model::DeviceClass::Inverter);
    EXPECT_FALSE(lifecycle->projectModified());
}

TEST_F(LifecycleTest, openingStartsTheLogFileInTheProjectsLogsFolderWithTheStartLine)
{
    log.log(QStringLiteral("detail before the project"), 0);
    openInverter();

    EXPECT_EQ(log.threshold(), 1);
    EXPECT_EQ(log.logFolder(), QDir(projectFolder()).filePath(QStringLiteral("logs")));
    log.flush();
    const QString text = QString::fromUtf8(readAll(log.currentFilePath()));
    EXPECT_TRUE(text.contains(QStringLiteral("2024-03-05 07:08:09 ***** TLog Started *****\r\n"))) << text.toStdString();
    // Lines logged before any file was open reach the first file, ahead of the start line.
    EXPECT_LT(text.indexOf(QStringLiteral("detail before the project")), text.indexOf(QStringLiteral("TLog Started")));
    const LogPaneBatch pane = log.takePaneEntries(100);
    ASSERT_FALSE(pane.entries.empty());
    EXPECT_EQ(pane.entries.back().line, QStringLiteral("2024-03-05 07:08:09 ***** TLog Started *****"));
    EXPECT_EQ(pane.entries.back().level, 2);
}

// Sets an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QString& value) : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value.toUtf8());
    }
    ~ScopedEnvironment()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

TEST_F(LifecycleTest, aProjectInTheInstalledFolderLogsUnderTheUsersDataFolderAndSaysWhere)
{
    const QString userData = dir.filePath(QStringLiteral("userdata"));
    {
        // The temporary folder holding the project stands for the installed projects.
        const ScopedEnvironment root("HESK_PROJECTS_DIR", dir.path());
        const ScopedEnvironment data("XDG_DATA_HOME", userData);
        openInverter();
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(projectFolder()).filePath(QStringLiteral("logs"))));
    const QString folder = log.logFolder();
    EXPECT_TRUE(folder.startsWith(userData + QLatin1Char('/'))) << folder.toStdString();
    EXPECT_TRUE(folder.endsWith(QStringLiteral("/logs/project"))) << folder.toStdString();
    EXPECT_TRUE(QFileInfo(log.currentFilePath()).absolutePath().startsWith(folder));
    const LogPaneBatch pane = log.takePaneEntries(100);
    ASSERT_FALSE(pane.entries.empty());
    EXPECT_TRUE(pane.entries.back().line.contains(folder)) << pane.entries.back().line.toStdString();
}

TEST_F(LifecycleTest, openCommandWhileAProjectIsOpenIsRefusedBeforeTheFileDialog)
{
    openInverter();

    EXPECT_FALSE(lifecycle->openCommand());

    EXPECT_TRUE(prompt.fileDialogs().empty());
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front(), UserMessage::error(kAlreadyOpen));
    EXPECT_EQ(session->project().name(), QStringLiteral("Drive"));
}

TEST_F(LifecycleTest, openFileWhileAProjectIsOpenKeepsTheOpenProject)
{
    openInverter();
    const QString other = copyInto(installedProject("SLM", "SLMV20111"), projectFolder(), QStringLiteral("Other.tmprj"));

    EXPECT_FALSE(lifecycle->openFile(other));

    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front().text, kAlreadyOpen);
    EXPECT_EQ(session->project().name(), QStringLiteral("Drive"));
}

TEST_F(LifecycleTest, cancelledFileDialogOpensNothingAndSaysNothing)
{
    prompt.chooseFile(std::nullopt);
    EXPECT_FALSE(lifecycle->openCommand());
    EXPECT_TRUE(prompt.messages().empty());
    EXPECT_FALSE(lifecycle->projectOpen());
}

struct RefusedOpenCase {
    const char* name;
    const char* fileName;      // copied from the inverter sample, or absent when empty
    bool copy;
    MessageKind kind;
    const char* title;
    const char* textPattern;   // %1 is the path
};

void PrintTo(const RefusedOpenCase& c, std::ostream* os) { *os << c.name; }


class RefusedOpenTest : public LifecycleTest, public ::testing::WithParamInterface<RefusedOpenCase> {};

TEST_P(RefusedOpenTest, leavesNoProjectOpenAndNoLogFolder)
{
    const RefusedOpenCase& c = GetParam();
    const QString path = c.copy ? copyInverter(QString::fromUtf8(c.fileName))
                                : QDir(projectFolder()).filePath(QString::fromUtf8(c.fileName));
    prompt.chooseFile(path);

    EXPECT_FALSE(lifecycle->openCommand());

    ASSERT_EQ(prompt.messages().size(), 1u);
    const UserMessage& message = prompt.messages().front();
    EXPECT_EQ(message.kind, c.kind);
    EXPECT_EQ(message.title, QString::fromUtf8(c.title));
    EXPECT_EQ(message.text, QString::fromUtf8(c.textPattern).arg(path));
    EXPECT_FALSE(lifecycle->projectOpen());
    EXPECT_FALSE(QFileInfo::exists(QDir(projectFolder()).filePath(QStringLiteral("logs"))));
    EXPECT_EQ(log.threshold(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedOpenTest,
    ::testing::Values(
        // A parameter file chosen in the project dialog: the extension decides, not the content.
        RefusedOpenCase{"dnlExtension", "Drive.dnl", true, MessageKind::Error, "错误", "项目文件%1错误，打开失败！"},
        RefusedOpenCase{"noExtension", "Drive", true, MessageKind::Error, "错误", "项目文件%1错误，打开失败！"},
        RefusedOpenCase{"missingFile", "Gone.tmprj", false, MessageKind::Error, "错误", "文件%1不存在，装载失败！"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LifecycleTest, upperCaseExtensionIsAProjectFile)
{
    EXPECT_TRUE(lifecycle->openFile(copyInverter(QStringLiteral("DRIVE.TMPRJ"))));
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(LifecycleTest, damagedProjectFileShowsTheLoadersMessage)
{
    const QString path = QDir(projectFolder()).filePath(QStringLiteral("Broken.tmprj"));
    QDir().mkpath(projectFolder());
    writeFile(path, QByteArray("not a project"));

    EXPECT_FALSE(lifecycle->openFile(path));

    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front(), UserMessage::error(QStringLiteral("CPU项目文件%1错误，装载失败！").arg(path)));
    EXPECT_FALSE(lifecycle->projectOpen());
}

TEST_F(LifecycleTest, unknownCpuTypeIsRefusedAndTheProjectIsNotKept)
{
    model::HeskProject project;
    ASSERT_FALSE(model::loadProject(installedProject("VRA1", "VRA1V11418"), project).has_value());
    project.header.cpuType = QStringLiteral("HESK9999");
    QDir().mkpath(projectFolder());
    const QString path = QDir(projectFolder()).filePath(QStringLiteral("Strange.tmprj"));
    ASSERT_FALSE(model::saveProject(path, project).has_value());

    EXPECT_FALSE(lifecycle->openFile(path));

    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front(),
              UserMessage::warning(QStringLiteral("程序无法识别文件中的设备类型，请您重新选择其他工程文件！")));
    EXPECT_FALSE(lifecycle->projectOpen());
    EXPECT_TRUE(session->project().path().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QDir(projectFolder()).filePath(QStringLiteral("logs"))));
}

// ---- save -------------------------------------------------------------------------------

TEST_F(LifecycleTest, saveWritesAModifiedProjectBackToItsFileAndClearsTheMark)
{
    openInverter();
    const QString path = session->project().path();
    session->project().project().header.creatorVersion = QStringLiteral("changed here");
    lifecycle->setProjectModified(true);

    EXPECT_TRUE(lifecycle->save());

    EXPECT_FALSE(lifecycle->projectModified());
    model::HeskProject reread;
    ASSERT_FALSE(model::loadProject(path, reread).has_value());
    EXPECT_EQ(reread.header.creatorVersion, QStringLiteral("changed here"));
    EXPECT_EQ(hooks.offlineSaves, 0);
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(LifecycleTest, saveWithNothingModifiedWritesNothing)
{
    openInverter();
    const QByteArray before = readAll(session->project().path());
    QFile::remove(session->project().path());

    EXPECT_TRUE(lifecycle->save());

    EXPECT_FALSE(QFileInfo::exists(session->project().path()));
    EXPECT_FALSE(before.isEmpty());
    EXPECT_EQ(hooks.offlineSaves, 0);
}

TEST_F(LifecycleTest, saveWritesModifiedOfflineValuesAndClearsTheirMark)
{
    openInverter();
    hooks.offlineChanged = true;

    EXPECT_TRUE(lifecycle->save());

    EXPECT_EQ(hooks.offlineSaves, 1);
    EXPECT_FALSE(hooks.offlineChanged);
}

TEST_F(LifecycleTest, saveWithoutAProjectDoesNothing)
{
    hooks.offlineChanged = true;
    EXPECT_TRUE(lifecycle->save());
    EXPECT_EQ(hooks.offlineSaves, 0);
}

TEST_F(LifecycleTest, failedProjectSaveSaysSoKeepsTheMarkAndSkipsTheOfflineValues)
{
    openInverter();
    lifecycle->setProjectModified(true);
    hooks.offlineChanged = true;
    ASSERT_TRUE(QDir(projectFolder()).removeRecursively());  // nowhere to write

    EXPECT_FALSE(lifecycle->save());

    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front(), UserMessage::error(QStringLiteral("文件保存失败！")));
    EXPECT_TRUE(lifecycle->projectModified());
    EXPECT_EQ(hooks.offlineSaves, 0);
}

// ---- close ------------------------------------------------------------------------------

struct CloseCase {
    const char* name;
    bool projectModified;
    bool offlineModified;
    bool triggerUnsaved;
    std::vector<PromptAnswer> answers;
    std::vector<const QString*> questions;  // expected, in order
    bool closed;
    int projectSaves;  // 0 or 1: the project file was rewritten
    int offlineSaves;
    int triggerSaves;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }


class CloseTest : public LifecycleTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, asksInOrderAndStopsAtCancel)
{
    const CloseCase& c = GetParam();
    openInverter();
    const QString path = session->project().path();
    lifecycle->setProjectModified(c.projectModified);
    hooks.offlineChanged = c.offlineModified;
    hooks.triggerUnsaved = c.triggerUnsaved;
    // A project save shows in the file: remove it and see whether it comes back.
    QFile::remove(path);
    for (PromptAnswer answer : c.answers)
        prompt.answer(answer);

    EXPECT_EQ(lifecycle->closeProject(), c.closed);

    QStringList expected;
    for (const QString* q : c.questions)
        expected << *q;
    EXPECT_EQ(questionTexts(), expected);
    for (const testsupport::PromptQuestion& q : prompt.questions()) {
        EXPECT_EQ(q.title, QStringLiteral("提示"));
        EXPECT_EQ(q.buttons, PromptButtons::YesNoCancel);
    }
    EXPECT_EQ(lifecycle->projectOpen(), !c.closed);
    EXPECT_EQ(QFileInfo::exists(path) ? 1 : 0, c.projectSaves);
    EXPECT_EQ(hooks.offlineSaves, c.offlineSaves);
    EXPECT_EQ(hooks.triggerSaves, c.triggerSaves);
    if (c.closed) {
        EXPECT_FALSE(lifecycle->projectModified());
        EXPECT_FALSE(hooks.offlineChanged);
        EXPECT_GE(hooks.fileNamesCleared, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CloseTest,
    ::testing::Values(
        CloseCase{"nothingModified", false, false, false, {}, {}, true, 0, 0, 0},
        CloseCase{"noThenCancelKeepsTheProjectOpen", true, true, false, {PromptAnswer::No, PromptAnswer::Cancel},
                  {&kProjectChanged, &kOfflineChanged}, false, 0, 0, 0},
        CloseCase{"cancelAtFirstQuestionAsksNoMore", true, true, true, {PromptAnswer::Cancel}, {&kProjectChanged},
                  false, 0, 0, 0},
        CloseCase{"yesSavesTheProject", true, false, false, {PromptAnswer::Yes}, {&kProjectChanged}, true, 1, 0, 0},
        CloseCase{"noDiscardsTheOfflineValues", false, true, false, {PromptAnswer::No}, {&kOfflineChanged}, true, 0,
                  0, 0},
        CloseCase{"allThreeAnsweredYes", true, true, true, {PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::Yes},
                  {&kProjectChanged, &kOfflineChanged, &kTriggerUnsaved}, true, 1, 1, 1},
        CloseCase{"cancelAtTheRecorderKeepsWhatWasSaved", false, true, true, {PromptAnswer::Yes, PromptAnswer::Cancel},
                  {&kOfflineChanged, &kTriggerUnsaved}, false, 0, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LifecycleTest, failedOfflineSaveStopsTheClose)
{
    openInverter();
    hooks.offlineChanged = true;
    hooks.offlineSaveSucceeds = false;
    prompt.answer(PromptAnswer::Yes);

    EXPECT_FALSE(lifecycle->closeProject());

    EXPECT_TRUE(lifecycle->projectOpen());
    EXPECT_TRUE(hooks.offlineChanged);
    EXPECT_EQ(hooks.offlineSaves, 1);
}

TEST_F(LifecycleTest, failedTriggerDataSaveStopsTheClose)
{
    openInverter();
    hooks.triggerUnsaved = true;
    hooks.triggerSaveSucceeds = false;
    prompt.answer(PromptAnswer::Yes);

    EXPECT_FALSE(lifecycle->closeProject());
    EXPECT_TRUE(lifecycle->projectOpen());
}

TEST_F(LifecycleTest, failedProjectSaveStopsTheCloseInsteadOfLosingTheChanges)
{
    openInverter();
    lifecycle->setProjectModified(true);
    ASSERT_TRUE(QDir(projectFolder()).removeRecursively());
    prompt.answer(PromptAnswer::Yes);

    EXPECT_FALSE(lifecycle->closeProject());

    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front().text, QStringLiteral("文件保存失败！"));
    EXPECT_TRUE(lifecycle->projectOpen());
    EXPECT_TRUE(lifecycle->projectModified());
}

TEST_F(LifecycleTest, closeEmptiesTheFaultDataAndTheLogPane)
{
    openInverter();
    session->link().faultData().appendWords(1, 2);
    log.log(QStringLiteral("a line for the pane"), 2);

    ASSERT_TRUE(lifecycle->closeProject());

    EXPECT_EQ(session->link().faultData().recordCount(), 0);
    EXPECT_TRUE(session->link().faultData().words().empty());
    const LogPaneBatch pane = log.takePaneEntries(100);
    EXPECT_TRUE(pane.clearFirst);
    EXPECT_TRUE(pane.entries.empty());
    EXPECT_TRUE(session->project().path().isEmpty());
}

TEST_F(LifecycleTest, aClosedProjectCanBeOpenedAgain)
{
    openInverter();
    ASSERT_TRUE(lifecycle->closeProject());
    EXPECT_TRUE(lifecycle->openFile(QDir(projectFolder()).filePath(QStringLiteral("Drive.tmprj"))));
    EXPECT_TRUE(lifecycle->projectOpen());
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(LifecycleTest, closeIsRefusedWhileOnline)
{
    openInverter();
    lifecycle->setProjectModified(true);
    session->link().state().online.store(true);

    EXPECT_FALSE(lifecycle->closeProject());

    EXPECT_TRUE(prompt.questions().empty());
    EXPECT_TRUE(lifecycle->projectOpen());
}

// ---- exit -------------------------------------------------------------------------------

TEST_F(LifecycleTest, exitWhileOnlineIsRefusedWithoutQuestions)
{
    openInverter();
    lifecycle->setProjectModified(true);
    session->link().state().online.store(true);

    EXPECT_FALSE(lifecycle->confirmExit());

    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front(), UserMessage::warning(QStringLiteral("程序在线，请先断开连接，再关闭程序！")));
    EXPECT_TRUE(prompt.questions().empty());
}

TEST_F(LifecycleTest, exitAsksTheCloseQuestionsAndCancelKeepsTheApplication)
{
    openInverter();
    lifecycle->setProjectModified(true);
    hooks.offlineChanged = true;
    prompt.answer(PromptAnswer::No).answer(PromptAnswer::Cancel);

    EXPECT_FALSE(lifecycle->confirmExit());

    EXPECT_EQ(questionTexts(), (QStringList{kProjectChanged, kOfflineChanged}));
    EXPECT_TRUE(lifecycle->projectOpen());
}

TEST_F(LifecycleTest, exitWithoutProjectOrChangesMayCloseAtOnce)
{
    EXPECT_TRUE(lifecycle->confirmExit());
    EXPECT_TRUE(prompt.questions().empty());
    EXPECT_TRUE(prompt.messages().empty());
}

}  // namespace

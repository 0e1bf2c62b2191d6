// The approximate-comparison toggle and the help documents.

#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "shell/ApproximateComparisonSetting.h"
#include "shell/HelpDocuments.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::shell;
using model::MessageKind;

namespace {

class ApproximateComparisonTest : public ::testing::Test {
protected:
    QString ini() const { return dir.filePath(QStringLiteral("interfacecfg.ini")); }
    online::InterfaceSettings settings() const { return online::InterfaceSettings({ini(), {}}); }

    QTemporaryDir dir;
    testsupport::ScriptedPrompt prompt;
};

TEST_F(ApproximateComparisonTest, firstToggleCreatesTheFileSwitchesOnAndExplains)
{
    online::InterfaceSettings s = settings();
    ASSERT_FALSE(QFile::exists(ini()));
    ASSERT_FALSE(s.approximateComparison());

    EXPECT_TRUE(toggleApproximateComparison(s, prompt));

    EXPECT_TRUE(settings().approximateComparison());
    const online::IniFile::Loaded loaded = online::IniFile::load(ini());
    ASSERT_EQ(loaded.status, online::IniLoadStatus::Loaded);
    EXPECT_EQ(loaded.file.value(QStringLiteral("SETTING"), QStringLiteral("APPROX")), QStringLiteral("1"));
    ASSERT_EQ(prompt.messages().size(), 1u);
    const model::UserMessage& m = prompt.messages().front();
    EXPECT_EQ(m.kind, MessageKind::Warning);  // the exclamation icon
    EXPECT_EQ(m.title, QStringLiteral("提示"));
    EXPECT_EQ(m.text, QStringLiteral("设置此项后，功能会做以下调整：\n    在文件比较与参数列表刷新时，比较值会\n根据参数类型作精度的"
                                     "近似值判断。\n\n例如：\n    G3类型的参数精度为1/8，进行比较时若\n其差值小于1/8，则两值认定相等。"));
}

TEST_F(ApproximateComparisonTest, secondToggleWritesZeroSilently)
{
    online::InterfaceSettings s = settings();
    ASSERT_TRUE(toggleApproximateComparison(s, prompt));

    EXPECT_FALSE(toggleApproximateComparison(s, prompt));

    EXPECT_FALSE(settings().approximateComparison());
    EXPECT_EQ(online::IniFile::load(ini()).file.value(QStringLiteral("SETTING"), QStringLiteral("APPROX")),
              QStringLiteral("0"));
    EXPECT_EQ(prompt.messages().size(), 1u);  // only the explanation of the first toggle
}

TEST_F(ApproximateComparisonTest, unwritableFileKeepsTheSettingAndSaysSo)
{
    ASSERT_TRUE(QDir().mkpath(ini()));  // a folder where the file should be
    online::InterfaceSettings s = settings();

    EXPECT_FALSE(toggleApproximateComparison(s, prompt));

    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front(), (model::UserMessage{MessageKind::Error, QStringLiteral("错误"),
                                                             QStringLiteral("文件保存失败！")}));
}

class RecordingViewer final : public DocumentViewer {
public:
    bool openManualTopic(const QString& path, int topic) override
    {
        calls << QStringLiteral("topic %1 %2").arg(topic).arg(path);
        return starts;
    }
    bool openDocument(const QString& path) override
    {
        calls << QStringLiteral("open ") + path;
        return starts;
    }
    QStringList calls;
    bool starts = true;  // false: the desktop has no program for the file
};

class HelpDocumentsTest : public ::testing::Test {
protected:
    // <root>/bin is the executable's folder, <root>/share/heskmonitor/docs the installed documents.
    QString bin() const { return dir.filePath(QStringLiteral("bin")); }
    QString put(const QString& folder, HelpDocument document) { return put(folder, helpDocumentFileName(document)); }
    QString put(const QString& folder, const QString& relativePath)
    {
        const QString path = QDir(folder).filePath(relativePath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return QFileInfo(path).absoluteFilePath();
    }
    HelpCommands commands() { return HelpCommands(helpDocumentFolders(bin()), viewer, prompt); }
    QString shareDocs() const { return QDir(dir.path()).absoluteFilePath(QStringLiteral("share/heskmonitor/docs")); }

    QTemporaryDir dir;
    RecordingViewer viewer;
    testsupport::ScriptedPrompt prompt;
};

TEST_F(HelpDocumentsTest, fileNames)
{
    EXPECT_EQ(helpDocumentFileName(HelpDocument::UserManual), QStringLiteral("HESKMonitor用户手册.chm"));
    EXPECT_EQ(helpDocumentFileName(HelpDocument::ControllerDescription), QStringLiteral("VRA1控制器说明V10601.pdf"));
    EXPECT_EQ(manualTopicLocation(QStringLiteral("/opt/h/HESKMonitor用户手册.chm"), 1),
              QStringLiteral("/opt/h/HESKMonitor用户手册.chm::/_1.htm"));
}

TEST_F(HelpDocumentsTest, foldersBesideTheExecutableInDocsAndInShare)
{
    QDir().mkpath(bin());
    EXPECT_EQ(helpDocumentFolders(bin()),
              (QStringList{QDir(bin()).absolutePath(), QDir(bin()).absoluteFilePath(QStringLiteral("docs")),
                           QDir(dir.path()).absoluteFilePath(QStringLiteral("share/heskmonitor/docs"))}));
}

TEST_F(HelpDocumentsTest, theExecutablesFolderComesFirst)
{
    const QString shared = put(dir.filePath(QStringLiteral("share/heskmonitor/docs")), HelpDocument::UserManual);
    EXPECT_EQ(findHelpDocument(HelpDocument::UserManual, helpDocumentFolders(bin())), shared);
    const QString docs = put(QDir(bin()).filePath(QStringLiteral("docs")), HelpDocument::UserManual);
    EXPECT_EQ(findHelpDocument(HelpDocument::UserManual, helpDocumentFolders(bin())), docs);
    const QString beside = put(bin(), HelpDocument::UserManual);
    EXPECT_EQ(findHelpDocument(HelpDocument::UserManual, helpDocumentFolders(bin())), beside);
}

TEST_F(HelpDocumentsTest, manualOpensAtTheAskedTopic)
{
    const QString manual = put(QDir(bin()).filePath(QStringLiteral("docs")), HelpDocument::UserManual);
    HelpCommands help = commands();
    EXPECT_TRUE(help.openHelpTopic(1));
    EXPECT_TRUE(help.openHelpTopic(1207));
    EXPECT_EQ(viewer.calls, (QStringList{QStringLiteral("topic 1 ") + manual, QStringLiteral("topic 1207 ") + manual}));
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(HelpDocumentsTest, controllerDescriptionOpensThePdf)
{
    const QString pdf = put(bin(), HelpDocument::ControllerDescription);
    HelpCommands help = commands();
    EXPECT_TRUE(help.openControllerDescription());
    EXPECT_EQ(viewer.calls, QStringList{QStringLiteral("open ") + pdf});
}

TEST_F(HelpDocumentsTest, missingDocumentsNameTheFilesAndEveryFolderSearchedAndStartNothing)
{
    put(bin(), HelpDocument::ControllerDescription);  // the other document does not stand in
    QDir().mkpath(QDir(bin()).filePath(helpDocumentFileName(HelpDocument::UserManual)));  // a folder is no document
    QDir().mkpath(QDir(bin()).filePath(QStringLiteral("docs/manual/index.html")));        // nor is this one
    put(bin(), QStringLiteral("manual/start.html"));  // another page of a manual is not its start page
    HelpCommands help = commands();
    EXPECT_FALSE(help.openHelpTopic(1));
    QFile::remove(QDir(bin()).filePath(helpDocumentFileName(HelpDocument::ControllerDescription)));
    EXPECT_FALSE(help.openControllerDescription());

    EXPECT_TRUE(viewer.calls.isEmpty());
    const QString b = QDir(bin()).absolutePath();
    const QString folders = QStringLiteral("查找的文件夹：\n    %1\n    %1/docs\n    %2").arg(b, shareDocs());
    EXPECT_EQ(prompt.messages(),
              (std::vector<model::UserMessage>{
                  {MessageKind::Error, QStringLiteral("错误"),
                   QStringLiteral("查看的文档暂不存在！\n\n查找的文件：HESKMonitor用户手册.chm、manual/index.html\n") + folders},
                  {MessageKind::Error, QStringLiteral("错误"),
                   QStringLiteral("查看的文档暂不存在！\n\n查找的文件：VRA1控制器说明V10601.pdf\n") + folders}}));
}

// Our own manual stands in for the compiled one wherever the help folders are, and opens
// with the desktop's browser; the compiled manual, where it is installed, still comes first.
TEST_F(HelpDocumentsTest, htmlManualIsFoundInEachFolderAndOpensWhenTheCompiledOneIsMissing)
{
    const struct {
        const char* where;
        QString folder;
    } cases[] = {
        {"beside the executable", bin()},
        {"in the executable's docs folder", QDir(bin()).filePath(QStringLiteral("docs"))},
        {"in the installation's share folder", shareDocs()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        viewer.calls.clear();
        const QString manual = put(c.folder, htmlManualRelativePath());
        EXPECT_EQ(findHelpFile(htmlManualRelativePath(), helpDocumentFolders(bin())), manual);
        HelpCommands help = commands();
        EXPECT_TRUE(help.openHelpTopic(1));
        EXPECT_TRUE(help.openHelpTopic(1207));  // no per-topic pages: the start page
        EXPECT_EQ(viewer.calls, (QStringList{QStringLiteral("open ") + manual, QStringLiteral("open ") + manual}));
        ASSERT_TRUE(QDir(QFileInfo(manual).absolutePath()).removeRecursively());
    }
    EXPECT_TRUE(prompt.messages().empty());

    put(bin(), htmlManualRelativePath());
    const QString compiled = put(shareDocs(), HelpDocument::UserManual);
    viewer.calls.clear();
    EXPECT_TRUE(commands().openHelpTopic(3));
    EXPECT_EQ(viewer.calls, QStringList{QStringLiteral("topic 3 ") + compiled});
}

// The program run from the folder it was built in finds the source tree's manual last;
// run from anywhere else (installed) it never looks there.
TEST_F(HelpDocumentsTest, theSourceTreesDocsAreSearchedOnlyFromTheBuildFolder)
{
    const QString build = dir.filePath(QStringLiteral("build/src/app"));
    const QString source = dir.filePath(QStringLiteral("source/docs"));
    ASSERT_TRUE(QDir().mkpath(build));
    ASSERT_TRUE(QDir().mkpath(bin()));
    const QString manual = put(source, htmlManualRelativePath());

    const QStringList fromBuild = helpDocumentFolders(build, build, source);
    EXPECT_EQ(fromBuild, helpDocumentFolders(build) << QDir(source).absolutePath());
    EXPECT_EQ(findHelpFile(htmlManualRelativePath(), fromBuild), manual);
    // The same folder spelt another way is still the build folder.
    EXPECT_EQ(helpDocumentFolders(build + QStringLiteral("/../app/"), build, source).size(), 4);

    EXPECT_EQ(helpDocumentFolders(bin(), build, source), helpDocumentFolders(bin()));
    EXPECT_EQ(helpDocumentFolders(bin(), dir.filePath(QStringLiteral("no/such/folder")), source),
              helpDocumentFolders(bin()));
}

TEST_F(HelpDocumentsTest, aDocumentTheDesktopCannotOpenIsReported)
{
    const QString manual = put(bin(), htmlManualRelativePath());
    const QString pdf = put(bin(), HelpDocument::ControllerDescription);
    viewer.starts = false;
    HelpCommands help = commands();
    EXPECT_FALSE(help.openHelpTopic(1));
    EXPECT_FALSE(help.openControllerDescription());
    EXPECT_EQ(prompt.messages(),
              (std::vector<model::UserMessage>{
                  {MessageKind::Error, QStringLiteral("错误"), QStringLiteral("文档无法打开：\n") + manual},
                  {MessageKind::Error, QStringLiteral("错误"), QStringLiteral("文档无法打开：\n") + pdf}}));
}

}  // namespace

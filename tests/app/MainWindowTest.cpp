// The main window offline: panes, menus and their enabling, opening projects of every
// family into the tree, closing with its questions, the status panes, the settings and
// help commands, exit and the docking layout.

#include "MainWindowFixture.h"

#include "model/ProjectFile.h"
#include "online/IniFile.h"
#include "shell/FeaturesNotBuilt.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>

using namespace hesk;
using namespace hesk::app;
using namespace hesk::app::test;
using shell::Command;
using model::MessageKind;
using model::PromptAnswer;

namespace {

TEST_F(MainWindowTest, hasTheFivePanesWithTheirCaptions)
{
    const std::vector<std::pair<MainWindow::Pane, const char*>> panes{
        {MainWindow::Pane::Project, "项目"},
        {MainWindow::Pane::Log, "日志"},
        {MainWindow::Pane::FaultList, "故障报警"},
        {MainWindow::Pane::FaultWaveform, "故障波形控制面板"},
        {MainWindow::Pane::ControlPanel, "控制面板"},
    };
    for (const auto& [pane, caption] : panes) {
        QDockWidget* dock = window->dock(pane);
        ASSERT_NE(dock, nullptr);
        EXPECT_EQ(dock->windowTitle(), QString::fromUtf8(caption));
        EXPECT_FALSE(dock->objectName().isEmpty());  // the saved layout finds it by name
        EXPECT_NE(dock->widget(), nullptr);
    }
    EXPECT_EQ(window->dock(MainWindow::Pane::Project)->widget(), window->projectTree());
    EXPECT_EQ(window->dock(MainWindow::Pane::Log)->widget(), window->logPane());
}

TEST_F(MainWindowTest, everyCommandHasItsMenuEntry)
{
    for (Command command : shell::kAllCommands) {
        QAction* action = window->action(command);
        ASSERT_NE(action, nullptr) << static_cast<int>(command);
        EXPECT_EQ(action->text(), shell::commandText(command));
        bool inMenu = false;
        for (QAction* menu : window->menuBar()->actions())
            for (QAction* entry : menu->menu()->actions())
                inMenu = inMenu || entry == action || (entry->menu() && entry->menu()->actions().contains(action));
        EXPECT_TRUE(inMenu) << action->text().toStdString();
    }
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions())
        menus << menu->text();
    EXPECT_TRUE(menus.contains(QStringLiteral("设置(&S)")));
    EXPECT_TRUE(menus.contains(QStringLiteral("帮助(&H)")));
    EXPECT_TRUE(menus.contains(QStringLiteral("调试(&D)")));
}

TEST_F(MainWindowTest, statusPanesOfflineWithoutSettings)
{
    EXPECT_EQ(pane(0), QStringLiteral("未打开工程：请在菜单栏打开工程"));
    EXPECT_EQ(pane(1), QStringLiteral("离线：端口没有设置！"));
    EXPECT_EQ(pane(2), QStringLiteral("程序状态:未知"));
    EXPECT_EQ(pane(3), QStringLiteral("CPU负荷:未知"));
    EXPECT_EQ(pane(4), QStringLiteral("正常"));
}

TEST_F(MainWindowTest, statusPanesFollowTheSettingsFileOffline)
{
    online::InterfaceSettings settings({iniPath(), {}});
    ASSERT_TRUE(settings.setMode(online::InterfaceMode::Serial).ok());
    ASSERT_TRUE(settings.setSerialPort(QStringLiteral("COM3"), QStringLiteral("38400")).ok());
    window->refreshStatus();
    EXPECT_EQ(pane(1), QStringLiteral("离线，串口已设置：(COM3 | 38400bps)"));
    const int screenWidth = window->screen()->availableGeometry().width();
    EXPECT_GE(window->statusPanes()->pane(1)->minimumWidth(), screenWidth * 290 / 1280);
    EXPECT_GE(window->statusPanes()->pane(2)->minimumWidth(), screenWidth * 120 / 1280);

    ASSERT_TRUE(settings.setMode(online::InterfaceMode::Ethernet).ok());
    window->refreshStatus();
    EXPECT_EQ(pane(1), QStringLiteral("离线，通信接口：以太网"));
}

TEST_F(MainWindowTest, menuEnablingBeforeAndAfterOpen)
{
    EXPECT_TRUE(enabled(Command::OpenProject));
    EXPECT_TRUE(enabled(Command::SearchDevice));
    EXPECT_TRUE(enabled(Command::AddDevice));
    EXPECT_TRUE(enabled(Command::CreateProject));
    EXPECT_TRUE(enabled(Command::Exit));
    EXPECT_FALSE(enabled(Command::CloseProject));
    EXPECT_FALSE(enabled(Command::SaveProject));
    EXPECT_FALSE(enabled(Command::Connect));
    EXPECT_FALSE(enabled(Command::Disconnect));
    EXPECT_FALSE(enabled(Command::FindParameter));

    openInverter();

    EXPECT_FALSE(enabled(Command::OpenProject));
    EXPECT_FALSE(enabled(Command::SearchDevice));
    EXPECT_FALSE(enabled(Command::AddDevice));
    EXPECT_FALSE(enabled(Command::CreateProject));
    EXPECT_TRUE(enabled(Command::CloseProject));
    EXPECT_TRUE(enabled(Command::Connect));
    EXPECT_TRUE(enabled(Command::FindParameter));
    EXPECT_TRUE(enabled(Command::CompareFiles));
    EXPECT_FALSE(enabled(Command::Disconnect));
    EXPECT_FALSE(enabled(Command::Download));
    EXPECT_FALSE(enabled(Command::SaveProject));

    window->lifecycle().setProjectModified(true);
    window->refreshCommands();
    EXPECT_TRUE(enabled(Command::SaveProject));
}

TEST_F(MainWindowTest, disabledCommandDoesNothing)
{
    openInverter();
    window->runCommand(Command::OpenProject);  // disabled: no file dialog is asked for
    EXPECT_EQ(prompt.fileDialogs().size(), 1u);
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(MainWindowTest, openingShowsTheTreeTitleAndPaneZero)
{
    openInverter();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VRA1V11418 - HESKMonitor"));
    EXPECT_EQ(pane(0), QStringLiteral("未打开窗口：请双击左侧树菜单"));
    EXPECT_EQ(window->log().logFolder(), QDir(dir.filePath(QStringLiteral("projects/VRA1V11418"))).filePath(QStringLiteral("logs")));
    window->logPane()->drain();
    EXPECT_TRUE(window->logPane()->toPlainText().endsWith(QStringLiteral("***** TLog Started *****")));
}

struct FamilyCase {
    const char* code;
    const char* key;
    std::vector<const char*> topLevel;  // "*" stands for the project name
    std::vector<const char*> present;
    std::vector<const char*> absent;
};

void PrintTo(const FamilyCase& c, std::ostream* os) { *os << c.key; }

class ProjectFamilyTest : public MainWindowTest, public ::testing::WithParamInterface<FamilyCase> {};

TEST_P(ProjectFamilyTest, treeOfTheFamily)
{
    const FamilyCase& c = GetParam();
    prompt.chooseFile(copyProject(QString::fromLatin1(c.code), QString::fromLatin1(c.key)));
    window->runCommand(Command::OpenProject);
    ASSERT_TRUE(window->lifecycle().projectOpen()) << messageTexts().join(QLatin1Char('|')).toStdString();

    QStringList expected;
    for (const char* caption : c.topLevel)
        expected << (QLatin1String(caption) == QLatin1String("*") ? QString::fromLatin1(c.key) : QString::fromUtf8(caption));
    EXPECT_EQ(topLevelCaptions(), expected);
    for (const char* caption : c.present)
        EXPECT_NE(window->projectTree()->findNode(QString::fromUtf8(caption)), nullptr) << caption;
    for (const char* caption : c.absent)
        EXPECT_EQ(window->projectTree()->findNode(QString::fromUtf8(caption)), nullptr) << caption;
}

const std::vector<const char*> kFamilyTop{"*", "P参数", "r参数", "所有参数", "自定义参数", "调试功能"};

INSTANTIATE_TEST_SUITE_P(
    Samples, ProjectFamilyTest,
    ::testing::Values(
        FamilyCase{"VRA1", "VRA1V11418", kFamilyTop, {"控制模式", "转矩控制", "SLB通讯", "控制面板", "快速调试"}, {"装置并联"}},
        FamilyCase{"VRA1", "VRA1V11517", kFamilyTop, {"BICO数据组", "逆变器并联", "触发录波"}, {"装置并联"}},
        FamilyCase{"SLM", "SLMV20111", kFamilyTop, {"装置并联", "功能数据组", "故障报警"}, {"控制面板", "快速调试", "控制模式"}},
        FamilyCase{"AIC", "AICV21308", kFamilyTop, {"装置并联", "系统设定"}, {"控制面板", "电机数据组"}},
        FamilyCase{"AIC", "AICV20207", kFamilyTop, {"装置并联"}, {"控制面板"}},
        FamilyCase{"BLM", "BLMV20001", kFamilyTop, {"装置并联", "触发录波"}, {"控制面板", "快速调试"}},
        FamilyCase{"PTB", "PTBV10000", {"*"}, {"调试功能", "故障波形"}, {"P参数", "参数菜单", "触发录波"}}),
    [](const auto& info) { return std::string(info.param.key); });

TEST_F(MainWindowTest, wrongExtensionIsRefusedWithItsPath)
{
    const QString project = copyProject(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418"));
    const QString dnl = QString(project).replace(QStringLiteral(".tmprj"), QStringLiteral(".dnl"));
    ASSERT_TRUE(QFile::rename(project, dnl));
    prompt.chooseFile(dnl);

    window->runCommand(Command::OpenProject);

    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front(), model::UserMessage::error(QStringLiteral("项目文件%1错误，打开失败！").arg(dnl)));
    EXPECT_FALSE(window->lifecycle().projectOpen());
    EXPECT_EQ(window->projectTree()->topLevelItemCount(), 0);
    EXPECT_TRUE(enabled(Command::OpenProject));
}

TEST_F(MainWindowTest, unknownCpuTypeLeavesNoTree)
{
    model::HeskProject project;
    ASSERT_FALSE(model::loadProject(installedProject(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418")), project));
    project.header.cpuType = QStringLiteral("HESK9999");
    const QString path = dir.filePath(QStringLiteral("Strange.tmprj"));
    ASSERT_FALSE(model::saveProject(path, project));

    EXPECT_FALSE(window->openProjectFile(path));

    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front(),
              model::UserMessage::warning(QStringLiteral("程序无法识别文件中的设备类型，请您重新选择其他工程文件！")));
    EXPECT_EQ(window->projectTree()->topLevelItemCount(), 0);
    EXPECT_EQ(pane(0), QStringLiteral("未打开工程：请在菜单栏打开工程"));
}

TEST_F(MainWindowTest, closeAnsweredNoThenCancelKeepsTheProjectAndTree)
{
    openInverter();
    window->lifecycle().setProjectModified(true);
    int offlineSaves = 0;
    window->offlineState().modified = true;
    window->offlineState().save = [&offlineSaves] { return ++offlineSaves > 0; };
    prompt.answer(PromptAnswer::No).answer(PromptAnswer::Cancel);

    window->runCommand(Command::CloseProject);

    ASSERT_EQ(prompt.questions().size(), 2u);
    EXPECT_EQ(prompt.questions()[0].text, QStringLiteral("内容有修改,是否保存到工程文件？"));
    EXPECT_EQ(prompt.questions()[1].text, QStringLiteral("您的离线信息有修改,是否要保存到dnl文件？"));
    EXPECT_EQ(offlineSaves, 0);
    EXPECT_TRUE(window->lifecycle().projectOpen());
    EXPECT_EQ(topLevelCaptions().size(), 6);
    EXPECT_TRUE(window->offlineState().modified);
    EXPECT_TRUE(enabled(Command::CloseProject));
}

TEST_F(MainWindowTest, closeEmptiesTreeLogPaneAndOfflineName)
{
    openInverter();
    window->offlineState().fileName = QStringLiteral("values.dnl");
    window->logPane()->drain();
    ASSERT_FALSE(window->logPane()->toPlainText().isEmpty());

    window->runCommand(Command::CloseProject);

    EXPECT_FALSE(window->lifecycle().projectOpen());
    EXPECT_EQ(window->projectTree()->topLevelItemCount(), 0);
    EXPECT_TRUE(window->logPane()->toPlainText().isEmpty());
    EXPECT_TRUE(window->offlineState().fileName.isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("HESKMonitor"));
    EXPECT_EQ(pane(0), QStringLiteral("未打开工程：请在菜单栏打开工程"));
    EXPECT_TRUE(enabled(Command::OpenProject));
    EXPECT_FALSE(enabled(Command::CloseProject));
}

TEST_F(MainWindowTest, commandsOfOtherWindowsAreHandedOut)
{
    std::vector<Command> requested;
    QObject::connect(window.get(), &MainWindow::commandRequested, [&requested](Command c) { requested.push_back(c); });
    window->runCommand(Command::SearchDevice);
    window->runCommand(Command::PortSettings);
    window->runCommand(Command::Connect);  // disabled without a project: nothing
    openInverter();
    window->runCommand(Command::FindParameter);
    EXPECT_EQ(requested, (std::vector<Command>{Command::SearchDevice, Command::PortSettings, Command::FindParameter}));
}

TEST_F(MainWindowTest, approximateComparisonTogglesTheSettingAndTheCheckMark)
{
    QAction* toggle = window->action(Command::ApproximateComparison);
    ASSERT_TRUE(toggle->isCheckable());
    EXPECT_FALSE(toggle->isChecked());
    std::vector<bool> changes;
    QObject::connect(window.get(), &MainWindow::approximateComparisonChanged, [&changes](bool on) { changes.push_back(on); });

    toggle->trigger();

    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(window->approximateComparison());
    EXPECT_TRUE(online::InterfaceSettings({iniPath(), {}}).approximateComparison());
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front().title, QStringLiteral("提示"));
    EXPECT_TRUE(prompt.messages().front().text.startsWith(QStringLiteral("设置此项后，功能会做以下调整：")));

    toggle->trigger();

    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(online::IniFile::load(iniPath()).file.value(QStringLiteral("SETTING"), QStringLiteral("APPROX")),
              QStringLiteral("0"));
    EXPECT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(MainWindowTest, approximateComparisonIsReadAtStart)
{
    ASSERT_TRUE(online::InterfaceSettings({iniPath(), {}}).setApproximateComparison(true).ok());
    makeWindow();
    EXPECT_TRUE(window->action(Command::ApproximateComparison)->isChecked());
}

TEST_F(MainWindowTest, helpCommandsOpenTheDocumentsOrSayTheyAreMissing)
{
    window->action(Command::UserManual)->trigger();
    window->action(Command::ControllerDescription)->trigger();
    const QStringList texts = messageTexts();
    ASSERT_EQ(texts.size(), 2);
    const QString folder = QDir(helpFolder()).absolutePath();
    EXPECT_EQ(texts[0], QStringLiteral("查看的文档暂不存在！\n\n查找的文件：HESKMonitor用户手册.chm、manual/index.html\n"
                                       "查找的文件夹：\n    ") + folder);
    EXPECT_EQ(texts[1], QStringLiteral("查看的文档暂不存在！\n\n查找的文件：VRA1控制器说明V10601.pdf\n查找的文件夹：\n    ") + folder);
    EXPECT_TRUE(viewer.calls.isEmpty());

    QDir().mkpath(helpFolder());
    for (shell::HelpDocument document : {shell::HelpDocument::UserManual, shell::HelpDocument::ControllerDescription}) {
        QFile file(QDir(helpFolder()).filePath(shell::helpDocumentFileName(document)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    window->runCommand(Command::UserManual);
    window->runCommand(Command::ControllerDescription);
    EXPECT_TRUE(window->openHelpTopic(52));
    EXPECT_EQ(viewer.calls, (QStringList{QStringLiteral("topic 1 ") + folder + QStringLiteral("/HESKMonitor用户手册.chm"),
                                         QStringLiteral("open ") + folder + QStringLiteral("/VRA1控制器说明V10601.pdf"),
                                         QStringLiteral("topic 52 ") + folder + QStringLiteral("/HESKMonitor用户手册.chm")}));
    EXPECT_EQ(prompt.messages().size(), 2u);
}

// The manual we ship is HTML: the menu entry opens its start page with the desktop's
// browser (here the recording viewer).
TEST_F(MainWindowTest, userManualEntryOpensTheHtmlManual)
{
    const QString manual = QDir(helpFolder()).absoluteFilePath(QStringLiteral("manual/index.html"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(manual).absolutePath()));
    QFile file(manual);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QAction* entry = window->action(Command::UserManual);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), QStringLiteral("HESKMonitor用户手册"));
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();

    EXPECT_EQ(viewer.calls, QStringList{QStringLiteral("open ") + manual});
    EXPECT_TRUE(prompt.messages().empty());
}

// The manual in the source tree is the one the build ships: its start page is there and
// every page, picture and style sheet it links to exists.
TEST(UserManualFiles, everyLinkOfTheManualLeadsToAFile)
{
    const QDir manual(QStringLiteral(HESK_SOURCE_DIR "/docs/manual"));
    ASSERT_TRUE(QFileInfo(manual.filePath(QStringLiteral("index.html"))).isFile());
    const QStringList pages = manual.entryList({QStringLiteral("*.html")}, QDir::Files);
    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#:]+)(?:#[^\"]*)?\""));
    int links = 0;
    for (const QString& page : pages) {
        QFile file(manual.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (QRegularExpressionMatchIterator it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            ++links;
            EXPECT_TRUE(QFileInfo(manual.filePath(target)).isFile()) << page.toStdString() << " -> " << target.toStdString();
        }
    }
    EXPECT_GT(links, 0);
}

TEST_F(MainWindowTest, logAndProjectCommandsShowAndHideTheirPanes)
{
    window->show();
    QAction* logAction = window->action(Command::ToggleLogPane);
    ASSERT_TRUE(logAction->isChecked());
    logAction->trigger();
    EXPECT_TRUE(window->dock(MainWindow::Pane::Log)->isHidden());
    EXPECT_FALSE(logAction->isChecked());
    logAction->trigger();
    EXPECT_FALSE(window->dock(MainWindow::Pane::Log)->isHidden());
    EXPECT_TRUE(logAction->isChecked());

    window->runCommand(Command::ToggleProjectPane);
    EXPECT_TRUE(window->dock(MainWindow::Pane::Project)->isHidden());
    EXPECT_FALSE(window->action(Command::ToggleProjectPane)->isChecked());
}

TEST_F(MainWindowTest, toolLeavesShowTheirPanes)
{
    window->show();
    openInverter();
    std::vector<std::pair<shell::TreeNodeKind, QString>> opened;
    QObject::connect(window.get(), &MainWindow::treeNodeOpened,
                     [&opened](shell::TreeNodeKind kind, const QString& caption) { opened.emplace_back(kind, caption); });
    const std::vector<std::pair<const char*, MainWindow::Pane>> leaves{
        {"控制面板", MainWindow::Pane::ControlPanel},
        {"故障波形", MainWindow::Pane::FaultWaveform},
        {"故障报警", MainWindow::Pane::FaultList},
    };
    for (const auto& [caption, pane] : leaves) {
        window->dock(pane)->hide();
        ASSERT_TRUE(window->projectTree()->activateNode(QString::fromUtf8(caption)));
        EXPECT_FALSE(window->dock(pane)->isHidden()) << caption;
        // The control panel's and the fault list's content come from the application; the
        // fault waveform tool is not built yet, and its pane says so.
        if (pane == MainWindow::Pane::ControlPanel || pane == MainWindow::Pane::FaultList)
            continue;
        const auto* label = qobject_cast<QLabel*>(window->dock(pane)->widget());
        ASSERT_NE(label, nullptr) << caption;
        EXPECT_TRUE(label->text().endsWith(QStringLiteral("该功能尚未提供。"))) << label->text().toStdString();
    }
    EXPECT_FALSE(window->projectTree()->activateNode(QStringLiteral("参数菜单")));  // a folder opens nothing
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened.back(), std::make_pair(shell::TreeNodeKind::FaultList, QStringLiteral("故障报警")));
    EXPECT_TRUE(window->workArea()->subWindowList().isEmpty());
}

// What is not built yet is greyed with a tip, in the menus and in the tree, and running it
// anyway hands nothing out: no click that silently does nothing.
TEST_F(MainWindowTest, commandsAndLeavesNotBuiltAreDisabledWithTheirTip)
{
    std::vector<Command> requested;
    QObject::connect(window.get(), &MainWindow::commandRequested, [&requested](Command c) { requested.push_back(c); });
    std::vector<shell::TreeNodeKind> opened;
    QObject::connect(window.get(), &MainWindow::treeNodeOpened,
                     [&opened](shell::TreeNodeKind kind, const QString&) { opened.push_back(kind); });
    openInverter();
    // The state in which the rules allow the most of them: a project open, monitoring.
    window->session().link().state().online.store(true);
    for (Command command : shell::kCommandsNotBuilt) {
        window->refreshCommands();
        QAction* action = window->action(command);
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
        EXPECT_EQ(action->toolTip(), QStringLiteral("该功能尚未提供。"));
        window->runCommand(command);
    }
    window->session().link().state().online.store(false);
    EXPECT_TRUE(requested.empty());
    // Built commands carry their own text as the tip.
    EXPECT_EQ(window->action(Command::FindParameter)->toolTip(), QStringLiteral("查找功能码"));

    // Every leaf of the tree is built now.
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(window->projectTree()->findNode(QStringLiteral("触发录波"))->flags() & Qt::ItemIsEnabled);
    EXPECT_TRUE(window->projectTree()->findNode(QStringLiteral("控制面板"))->flags() & Qt::ItemIsEnabled);
    EXPECT_TRUE(window->projectTree()->findNode(QStringLiteral("快速调试"))->flags() & Qt::ItemIsEnabled);
}

TEST_F(MainWindowTest, deviceStateReachesPaneFour)
{
    window->setDeviceState(3);
    EXPECT_EQ(pane(4), QStringLiteral("      报警"));
    EXPECT_TRUE(window->statusPanes()->blinkRunning());
    window->setDeviceState(1);
    EXPECT_EQ(pane(4), QStringLiteral("      正常"));
    EXPECT_FALSE(window->statusPanes()->blinkRunning());
}

// ---- exit ------------------------------------------------------------------------------------

TEST_F(MainWindowTest, exitWhileOnlineIsRefusedAndTheWindowStays)
{
    window->show();
    openInverter();
    window->session().link().state().online.store(true);
    window->refreshCommands();
    EXPECT_FALSE(enabled(Command::Exit));

    EXPECT_FALSE(window->close());

    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("程序在线，请先断开连接，再关闭程序！")});
}

TEST_F(MainWindowTest, exitCancelledAtAQuestionKeepsTheWindow)
{
    window->show();
    openInverter();
    window->lifecycle().setProjectModified(true);
    prompt.answer(PromptAnswer::Cancel);

    window->runCommand(Command::Exit);

    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(prompt.questions().size(), 1u);
}

TEST_F(MainWindowTest, exitSavesTheDockingLayoutAndTheNextWindowRestoresIt)
{
    window->show();
    window->dock(MainWindow::Pane::Log)->hide();
    window->dock(MainWindow::Pane::FaultWaveform)->setFloating(true);

    EXPECT_TRUE(window->close());

    QSettings saved(dir.filePath(QStringLiteral("layout.ini")), QSettings::IniFormat);
    EXPECT_FALSE(saved.value(QStringLiteral("MainFrameBarState")).toByteArray().isEmpty());
    makeWindow();
    window->show();
    EXPECT_TRUE(window->dock(MainWindow::Pane::Log)->isHidden());
    EXPECT_TRUE(window->dock(MainWindow::Pane::FaultWaveform)->isFloating());
    EXPECT_FALSE(window->action(Command::ToggleLogPane)->isChecked());
}

}  // namespace

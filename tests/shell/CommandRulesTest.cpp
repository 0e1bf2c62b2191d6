// The enabling and check marks of the main window's menu commands in the states the
// tool passes through.

#include "QtPrinters.h"

#include "shell/CommandRules.h"
#include "shell/FeaturesNotBuilt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace hesk::shell;

namespace {

CommandState noProject() { return {}; }

CommandState projectOffline()
{
    CommandState s;
    s.projectOpen = true;
    return s;
}

CommandState monitoring()
{
    CommandState s = projectOffline();
    s.online = true;
    s.monitoring = true;
    return s;
}

// Online but not monitoring (the Ethernet link or a single request on the serial link).
CommandState onlineNotMonitoring()
{
    CommandState s = projectOffline();
    s.online = true;
    return s;
}

std::set<Command> enabledIn(const CommandState& state)
{
    std::set<Command> enabled;
    for (Command c : kAllCommands)
        if (commandEnabled(c, state))
            enabled.insert(c);
    return enabled;
}

const std::set<Command> kAlways{Command::ToggleLogPane,         Command::ToggleProjectPane, Command::ToggleBicoPane,
                                Command::ToggleJournalPane,
                                Command::OpenFaultWaveformFile, Command::OpenTriggerRecordingFile,
                                Command::ApproximateComparison, Command::UserManual,
                                Command::ControllerDescription};

std::set<Command> withAlways(std::set<Command> commands)
{
    commands.insert(kAlways.begin(), kAlways.end());
    return commands;
}

TEST(CommandRulesTest, withoutProjectTheFileAndSearchCommandsAreOpen)
{
    EXPECT_EQ(enabledIn(noProject()),
              withAlways({Command::CreateProject, Command::OpenProject, Command::SearchDevice, Command::AddDevice,
                          Command::Exit, Command::PortSettings, Command::OpenDnl,
                          Command::UploadBoardFaultWaveform}));
}

TEST(CommandRulesTest, withAProjectOfflineTheProjectCommandsTakeOver)
{
    EXPECT_EQ(enabledIn(projectOffline()),
              withAlways({Command::CloseProject, Command::Exit, Command::PortSettings, Command::Connect,
                          Command::OpenDnl, Command::CompareFiles, Command::FindParameter,
                          Command::UploadBoardFaultWaveform}));
}

TEST(CommandRulesTest, monitoringEnablesTheTransfersAndLocksCloseExitAndSettings)
{
    EXPECT_EQ(enabledIn(monitoring()),
              withAlways({Command::Disconnect, Command::Upload, Command::Download, Command::FactoryRestore,
                          Command::CompareWithDrive, Command::CompareFiles, Command::FindParameter}));
}

TEST(CommandRulesTest, onlineWithoutMonitoringAllowsPortSettingsButNoTransfer)
{
    EXPECT_EQ(enabledIn(onlineNotMonitoring()),
              withAlways({Command::Disconnect, Command::PortSettings, Command::CompareFiles, Command::FindParameter,
                          Command::UploadBoardFaultWaveform}));
}

TEST(CommandRulesTest, busyWorkflowLocksTheTransfers)
{
    CommandState s = monitoring();
    s.workflowBusy = true;
    EXPECT_FALSE(commandEnabled(Command::Download, s));
    EXPECT_FALSE(commandEnabled(Command::Upload, s));
    EXPECT_FALSE(commandEnabled(Command::FactoryRestore, s));
    EXPECT_TRUE(commandEnabled(Command::Disconnect, s));
    CommandState offline = projectOffline();
    offline.workflowBusy = true;
    EXPECT_FALSE(commandEnabled(Command::OpenDnl, offline));
}

TEST(CommandRulesTest, triggerTransferLocksFileCompare)
{
    CommandState s = monitoring();
    s.triggerTransferRunning = true;
    EXPECT_FALSE(commandEnabled(Command::CompareFiles, s));
    EXPECT_TRUE(commandEnabled(Command::FindParameter, s));
}

TEST(CommandRulesTest, saveFollowsEitherModifiedFlag)
{
    struct Case {
        bool project, offline, enabled;
    };
    for (const Case c : {Case{false, false, false}, Case{true, false, true}, Case{false, true, true},
                         Case{true, true, true}}) {
        CommandState s = projectOffline();
        s.projectModified = c.project;
        s.offlineModified = c.offline;
        EXPECT_EQ(commandEnabled(Command::SaveProject, s), c.enabled) << c.project << c.offline;
        s.online = s.monitoring = true;  // saving is allowed online as well
        EXPECT_EQ(commandEnabled(Command::SaveProject, s), c.enabled) << c.project << c.offline;
    }
}

TEST(CommandRulesTest, checkMarksFollowThePanesAndTheSetting)
{
    CommandState s;
    EXPECT_EQ(commandChecked(Command::ToggleLogPane, s), false);
    EXPECT_EQ(commandChecked(Command::ToggleProjectPane, s), false);
    EXPECT_EQ(commandChecked(Command::ApproximateComparison, s), false);
    EXPECT_EQ(commandChecked(Command::ToggleBicoPane, s), false);
    EXPECT_EQ(commandChecked(Command::ToggleJournalPane, s), false);
    s.logPaneShown = true;
    s.projectPaneShown = true;
    s.bicoPaneShown = true;
    s.journalPaneShown = true;
    s.approximateComparison = true;
    EXPECT_EQ(commandChecked(Command::ToggleBicoPane, s), true);
    EXPECT_EQ(commandChecked(Command::ToggleJournalPane, s), true);
    EXPECT_EQ(commandChecked(Command::ToggleLogPane, s), true);
    EXPECT_EQ(commandChecked(Command::ToggleProjectPane, s), true);
    EXPECT_EQ(commandChecked(Command::ApproximateComparison, s), true);
    int plain = 0;
    for (Command c : kAllCommands)
        plain += commandChecked(c, s).has_value() ? 0 : 1;
    EXPECT_EQ(plain, static_cast<int>(kAllCommands.size()) - 5);
}

// The window enables what the rules allow, except what is not built yet: whatever the
// state, those stay off, and everything else follows the rules.
TEST(CommandRulesTest, commandsNotBuiltAreNeverAvailable)
{
    for (const CommandState& state : {noProject(), projectOffline(), monitoring(), onlineNotMonitoring()}) {
        for (Command c : kAllCommands) {
            const bool notBuilt =
                std::find(kCommandsNotBuilt.begin(), kCommandsNotBuilt.end(), c) != kCommandsNotBuilt.end();
            EXPECT_EQ(commandBuilt(c), !notBuilt) << static_cast<int>(c);
            EXPECT_EQ(commandAvailable(c, state), !notBuilt && commandEnabled(c, state)) << static_cast<int>(c);
        }
    }
    // The drive board's upload is built: its rule alone decides (without a project or
    // not monitoring).
    EXPECT_TRUE(commandAvailable(Command::UploadBoardFaultWaveform, noProject()));
    EXPECT_TRUE(commandAvailable(Command::UploadBoardFaultWaveform, projectOffline()));
    EXPECT_FALSE(commandAvailable(Command::UploadBoardFaultWaveform, monitoring()));
    EXPECT_TRUE(commandAvailable(Command::FactoryRestore, monitoring()));
    EXPECT_TRUE(commandAvailable(Command::Download, monitoring()));
    EXPECT_TRUE(commandAvailable(Command::FindParameter, monitoring()));
    EXPECT_TRUE(treeNodeBuilt(TreeNodeKind::TriggerRecording));
    EXPECT_TRUE(treeNodeBuilt(TreeNodeKind::QuickSetup));
    EXPECT_TRUE(treeNodeBuilt(TreeNodeKind::Page));
    EXPECT_TRUE(treeNodeBuilt(TreeNodeKind::ControlPanel));
}

TEST(CommandRulesTest, menuTextsAndIds)
{
    const std::map<int, QString> expected{
        {1028, QStringLiteral("创建工程(&N)")}, {1029, QStringLiteral("打开(&O)...")},
        {1030, QStringLiteral("保存(&S)")},     {1031, QStringLiteral("关闭(&C)")},
        {1032, QStringLiteral("退出(&X)")},     {1148, QStringLiteral("搜索设备")},
        {1163, QStringLiteral("添加设备")},     {1038, QStringLiteral("日志")},
        {32787, QStringLiteral("项目")},        {1003, QStringLiteral("端口设定")},
        {1004, QStringLiteral("连接下位机")},   {1005, QStringLiteral("断开下位机")},
        {1048, QStringLiteral("打开Dnl")},      {1054, QStringLiteral("参数上传")},
        {1056, QStringLiteral("参数下载")},     {1047, QStringLiteral("文件比较")},
        {1142, QStringLiteral("查找功能码")},   {1085, QStringLiteral("恢复出厂设置")},
        {6021, QStringLiteral("打开故障波形文件")}, {6060, QStringLiteral("打开触发录波文件")},
        {32788, QStringLiteral("上传驱动板故障录波")}, {7008, QStringLiteral("近似值比较优化")},
        {1070, QStringLiteral("HESKMonitor用户手册")}, {1224, QStringLiteral("VRA1控制器说明")},
        {40001, QStringLiteral("BICO连线")}, {40002, QStringLiteral("修改记录")},
        {40003, QStringLiteral("三方比较（设备/文件/出厂值）")},
    };
    ASSERT_EQ(expected.size(), kAllCommands.size());
    for (Command c : kAllCommands) {
        const auto it = expected.find(static_cast<int>(c));
        ASSERT_NE(it, expected.end()) << static_cast<int>(c);
        EXPECT_EQ(commandText(c), it->second);
    }
}

}  // namespace

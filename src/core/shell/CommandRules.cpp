#include "CommandRules.h"

namespace hesk::shell {

QString commandText(Command command)
{
    switch (command) {
    case Command::CreateProject: return QStringLiteral("创建工程(&N)");
    case Command::OpenProject: return QStringLiteral("打开(&O)...");
    case Command::SaveProject: return QStringLiteral("保存(&S)");
    case Command::CloseProject: return QStringLiteral("关闭(&C)");
    case Command::Exit: return QStringLiteral("退出(&X)");
    case Command::SearchDevice: return QStringLiteral("搜索设备");
    case Command::AddDevice: return QStringLiteral("添加设备");
    case Command::ToggleLogPane: return QStringLiteral("日志");
    case Command::ToggleProjectPane: return QStringLiteral("项目");
    case Command::PortSettings: return QStringLiteral("端口设定");
    case Command::Connect: return QStringLiteral("连接下位机");
    case Command::Disconnect: return QStringLiteral("断开下位机");
    case Command::OpenDnl: return QStringLiteral("打开Dnl");
    case Command::Upload: return QStringLiteral("参数上传");
    case Command::Download: return QStringLiteral("参数下载");
    case Command::CompareFiles: return QStringLiteral("文件比较");
    case Command::FindParameter: return QStringLiteral("查找功能码");
    case Command::FactoryRestore: return QStringLiteral("恢复出厂设置");
    case Command::OpenFaultWaveformFile: return QStringLiteral("打开故障波形文件");
    case Command::OpenTriggerRecordingFile: return QStringLiteral("打开触发录波文件");
    case Command::UploadBoardFaultWaveform: return QStringLiteral("上传驱动板故障录波");
    case Command::ApproximateComparison: return QStringLiteral("近似值比较优化");
    case Command::UserManual: return QStringLiteral("HESKMonitor用户手册");
    case Command::ControllerDescription: return QStringLiteral("VRA1控制器说明");
    case Command::ToggleBicoPane: return QStringLiteral("BICO连线");
    case Command::ToggleJournalPane: return QStringLiteral("修改记录");
    case Command::CompareWithDrive: return QStringLiteral("三方比较（设备/文件/出厂值）");
    }
    return {};
}

bool commandEnabled(Command command, const CommandState& s)
{
    const bool offline = !s.online;
    switch (command) {
    case Command::OpenProject:
    case Command::SearchDevice:
    case Command::AddDevice:
    case Command::CreateProject:
        return !s.projectOpen;
    case Command::SaveProject:
        return s.projectModified || s.offlineModified;
    case Command::CloseProject:
        return s.projectOpen && offline;
    case Command::Exit:
        return offline;
    case Command::PortSettings:
        return !s.monitoring;
    case Command::Connect:
        return s.projectOpen && offline;
    case Command::Disconnect:
        return s.online;
    // Importing a parameter file fills the offline values (or opens the matching
    // project first), so it belongs to the offline state.
    case Command::OpenDnl:
        return offline && !s.workflowBusy;
    // Upload reads the drive: like the download it needs the monitoring link and no
    // other workflow running.
    case Command::Upload:
    case Command::Download:
    case Command::FactoryRestore:
    case Command::CompareWithDrive:  // it uploads the drive's values first
        return s.projectOpen && s.monitoring && !s.workflowBusy;
    case Command::CompareFiles:
        return s.projectOpen && !s.triggerTransferRunning;
    case Command::FindParameter:
        return s.projectOpen;
    case Command::UploadBoardFaultWaveform:
        return !s.projectOpen || !s.monitoring;
    case Command::ToggleLogPane:
    case Command::ToggleProjectPane:
    case Command::ToggleBicoPane:
    case Command::ToggleJournalPane:
    case Command::OpenFaultWaveformFile:
    case Command::OpenTriggerRecordingFile:
    case Command::ApproximateComparison:
    case Command::UserManual:
    case Command::ControllerDescription:
        return true;
    }
    return false;
}

std::optional<bool> commandChecked(Command command, const CommandState& s)
{
    switch (command) {
    case Command::ToggleLogPane: return s.logPaneShown;
    case Command::ToggleProjectPane: return s.projectPaneShown;
    case Command::ToggleBicoPane: return s.bicoPaneShown;
    case Command::ToggleJournalPane: return s.journalPaneShown;
    case Command::ApproximateComparison: return s.approximateComparison;
    default: return std::nullopt;
    }
}

}  // namespace hesk::shell

#include "CommandRules.h"

#include <QCoreApplication>

namespace hesk::shell {

QString commandText(Command command)
{
    switch (command) {
    case Command::CreateProject: return QCoreApplication::translate("CommandRules", "创建工程(&N)");
    case Command::OpenProject: return QCoreApplication::translate("CommandRules", "打开(&O)...");
    case Command::SaveProject: return QCoreApplication::translate("CommandRules", "保存(&S)");
    case Command::CloseProject: return QCoreApplication::translate("CommandRules", "关闭(&C)");
    case Command::Exit: return QCoreApplication::translate("CommandRules", "退出(&X)");
    case Command::SearchDevice: return QCoreApplication::translate("CommandRules", "搜索设备");
    case Command::AddDevice: return QCoreApplication::translate("CommandRules", "添加设备");
    case Command::ToggleLogPane: return QCoreApplication::translate("CommandRules", "日志");
    case Command::ToggleProjectPane: return QCoreApplication::translate("CommandRules", "项目");
    case Command::PortSettings: return QCoreApplication::translate("CommandRules", "端口设定");
    case Command::Connect: return QCoreApplication::translate("CommandRules", "连接下位机");
    case Command::Disconnect: return QCoreApplication::translate("CommandRules", "断开下位机");
    case Command::OpenDnl: return QCoreApplication::translate("CommandRules", "打开Dnl");
    case Command::Upload: return QCoreApplication::translate("CommandRules", "参数上传");
    case Command::Download: return QCoreApplication::translate("CommandRules", "参数下载");
    case Command::CompareFiles: return QCoreApplication::translate("CommandRules", "文件比较");
    case Command::FindParameter: return QCoreApplication::translate("CommandRules", "查找功能码");
    case Command::FactoryRestore: return QCoreApplication::translate("CommandRules", "恢复出厂设置");
    case Command::OpenFaultWaveformFile: return QCoreApplication::translate("CommandRules", "打开故障波形文件");
    case Command::OpenTriggerRecordingFile: return QCoreApplication::translate("CommandRules", "打开触发录波文件");
    case Command::UploadBoardFaultWaveform: return QCoreApplication::translate("CommandRules", "上传驱动板故障录波");
    case Command::ApproximateComparison: return QCoreApplication::translate("CommandRules", "近似值比较优化");
    case Command::UserManual: return QCoreApplication::translate("CommandRules", "HESKMonitor用户手册");
    case Command::ControllerDescription: return QCoreApplication::translate("CommandRules", "VRA1控制器说明");
    case Command::ToggleBicoPane: return QCoreApplication::translate("CommandRules", "BICO连线");
    case Command::ToggleJournalPane: return QCoreApplication::translate("CommandRules", "修改记录");
    case Command::CompareWithDrive: return QCoreApplication::translate("CommandRules", "三方比较（设备/文件/出厂值）");
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

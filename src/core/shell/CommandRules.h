#pragma once
// The main window's menu commands and the rules that enable and check them, as a pure
// function of the window's state. The main window evaluates them whenever its state
// changes and before a menu opens; nothing here knows about widgets.

#include <QString>

#include <array>
#include <optional>

namespace hesk::shell {

// The menu commands with their resource ids.
enum class Command : int {
    CreateProject = 1028,
    OpenProject = 1029,
    SaveProject = 1030,
    CloseProject = 1031,
    Exit = 1032,
    SearchDevice = 1148,
    AddDevice = 1163,
    ToggleLogPane = 1038,
    ToggleProjectPane = 32787,
    PortSettings = 1003,
    Connect = 1004,
    Disconnect = 1005,
    OpenDnl = 1048,
    Upload = 1054,
    Download = 1056,
    CompareFiles = 1047,
    FindParameter = 1142,
    FactoryRestore = 1085,
    OpenFaultWaveformFile = 6021,
    OpenTriggerRecordingFile = 6060,
    UploadBoardFaultWaveform = 32788,
    ApproximateComparison = 7008,
    UserManual = 1070,
    ControllerDescription = 1224,
    // Beyond the system's own menu: the BICO wiring and change journal panes (ids of our own).
    ToggleBicoPane = 40001,
    ToggleJournalPane = 40002,
    CompareWithDrive = 40003,
};

inline constexpr std::array<Command, 27> kAllCommands{
    Command::CreateProject, Command::OpenProject, Command::SaveProject, Command::CloseProject,
    Command::Exit, Command::SearchDevice, Command::AddDevice, Command::ToggleLogPane,
    Command::ToggleProjectPane, Command::PortSettings, Command::Connect, Command::Disconnect,
    Command::OpenDnl, Command::Upload, Command::Download, Command::CompareFiles,
    Command::FindParameter, Command::FactoryRestore, Command::OpenFaultWaveformFile,
    Command::OpenTriggerRecordingFile, Command::UploadBoardFaultWaveform, Command::ApproximateComparison,
    Command::UserManual, Command::ControllerDescription, Command::ToggleBicoPane, Command::ToggleJournalPane,
    Command::CompareWithDrive,
};

// The menu text of a command ("打开(&O)...", "连接下位机", ...).
QString commandText(Command command);

// What the rules look at.
struct CommandState {
    bool projectOpen = false;
    bool online = false;
    bool monitoring = false;
    bool projectModified = false;
    bool offlineModified = false;
    // A workflow that excludes the others runs (download or upload dialog open, a
    // control-panel command in progress, a recording expecting data).
    bool workflowBusy = false;
    // The trigger recorder transfers data.
    bool triggerTransferRunning = false;
    bool logPaneShown = false;
    bool projectPaneShown = false;
    bool bicoPaneShown = false;
    bool journalPaneShown = false;
    bool approximateComparison = false;
};

bool commandEnabled(Command command, const CommandState& state);
// The check mark of a checkable command; nothing for a plain command.
std::optional<bool> commandChecked(Command command, const CommandState& state);

}  // namespace hesk::shell

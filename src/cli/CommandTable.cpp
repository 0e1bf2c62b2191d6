#include "CliCommand.h"

namespace hesk::cli {

const std::vector<CliCommand>& commandTable()
{
    static const std::vector<CliCommand> table = [] {
        std::vector<CliCommand> commands;
        addProjectCommands(commands);
        addParamCommands(commands);
        addFaultCommands(commands);
        addCreateCommands(commands);
        addOnlineCommands(commands);
        addDeviceCommands(commands);
        addBicoCommands(commands);
        addDnlCommands(commands);
        addDownloadCommands(commands);
        addUploadCommands(commands);
        addFaultDataCommands(commands);
        addControlCommands(commands);
        addJournalCommands(commands);
        addRecordCommands(commands);
        return commands;
    }();
    return table;
}

}  // namespace hesk::cli

#pragma once
// The table of heskmon commands: each names its words, its positional arguments, its
// options, its help text (with the JSON fields it prints) and the function that runs it.

#include "CliArguments.h"
#include "CliOutput.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace hesk::cli {

struct CliCommand {
    QStringList path;          // {"project", "info"}
    QString synopsis;          // "project info FILE"
    QString summary;           // one line for the command list
    QString help;              // arguments, options and JSON fields
    int minArgs = 0;           // positional arguments after the command words
    int maxArgs = 0;           // -1: no upper bound
    QStringList valueOptions;  // "--page"
    QStringList flagOptions;   // "--yes" (every command takes "--json")
    std::function<int(const QStringList& args, const CliArguments& call, const CliOutput& out)> run;
};

void addProjectCommands(std::vector<CliCommand>& table);
void addParamCommands(std::vector<CliCommand>& table);
void addFaultCommands(std::vector<CliCommand>& table);
void addCreateCommands(std::vector<CliCommand>& table);
void addOnlineCommands(std::vector<CliCommand>& table);
void addDeviceCommands(std::vector<CliCommand>& table);
void addBicoCommands(std::vector<CliCommand>& table);
void addDnlCommands(std::vector<CliCommand>& table);
void addDownloadCommands(std::vector<CliCommand>& table);
void addUploadCommands(std::vector<CliCommand>& table);
void addFaultDataCommands(std::vector<CliCommand>& table);
void addControlCommands(std::vector<CliCommand>& table);
void addJournalCommands(std::vector<CliCommand>& table);
void addRecordCommands(std::vector<CliCommand>& table);

const std::vector<CliCommand>& commandTable();

}  // namespace hesk::cli

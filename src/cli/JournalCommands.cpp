// heskmon journal: the change journal the window keeps beside the project's logs.

#include "CliCommand.h"
#include "CliProject.h"

#include "shell/ChangeJournal.h"
#include "shell/LogFolder.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace hesk::cli {

namespace {

int runJournal(const QStringList&, const CliArguments& call, const CliOutput& out)
{
    const std::optional<QString> path = call.option(QStringLiteral("--project"));
    if (!path)
        return out.usage(QStringLiteral("--project FILE is required"));
    auto cli = CliProject::open(*path, out);
    if (!cli)
        return ExitFailure;
    const QString file = shell::journalPath(shell::projectLogFolder(QFileInfo(*path).absolutePath()));
    shell::ChangeJournal journal;
    if (QFileInfo::exists(file)) {
        std::vector<shell::JournalEntry> entries;
        if (const std::optional<model::UserMessage> problem =
                shell::ChangeJournal::readFile(file, shell::journalOwnerOf(cli->opened()), entries))
            return out.fail(QStringLiteral("heskmon: ") + problem->text);
        for (shell::JournalEntry& entry : entries)
            journal.record(std::move(entry));  // unbound: nothing is written
    } else {
        out.fail(QStringLiteral("heskmon: no change has been recorded for this project yet (%1)").arg(file));
    }
    if (const std::optional<QString> csv = call.option(QStringLiteral("--csv"))) {
        if (const std::optional<model::UserMessage> problem = journal.exportCsv(*csv))
            return out.fail(QStringLiteral("heskmon: ") + problem->text);
    }
    const QString timeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    if (out.json()) {
        QJsonArray rows;
        for (const shell::JournalEntry& e : journal.entries())
            rows.append(QJsonObject{{QStringLiteral("time"), e.time.toString(timeFormat)},
                                    {QStringLiteral("key"), e.key},
                                    {QStringLiteral("number"), e.number},
                                    {QStringLiteral("name"), e.name},
                                    {QStringLiteral("old"), e.oldText},
                                    {QStringLiteral("new"), e.newText},
                                    {QStringLiteral("online"), e.online},
                                    {QStringLiteral("outcome"), shell::outcomeText(e.outcome)}});
        out.document(rows);
        return ExitOk;
    }
    for (const shell::JournalEntry& e : journal.entries())
        out.line(QStringList{e.time.toString(timeFormat), e.number, e.name, e.oldText, e.newText,
                             e.online ? QStringLiteral("在线") : QStringLiteral("离线"), shell::outcomeText(e.outcome)}
                     .join(QLatin1Char('\t')));
    return ExitOk;
}

}  // namespace

void addJournalCommands(std::vector<CliCommand>& table)
{
    table.push_back({{QStringLiteral("journal")},
                     QStringLiteral("journal --project FILE [--csv FILE]"),
                     QStringLiteral("the change journal the window keeps for the project"),
                     QStringLiteral(R"(Every value edit made in the window's editors (and every undo), online and
offline, as the pane 修改记录 lists it, oldest first: time, parameter, name, old value,
new value, 在线/离线, 已确认/失败/离线修改. The journal is read from beside the
project's logs; a damaged journal or one of another project is refused.
--csv FILE   also write it as CSV (GB code page, ="..." fields)
JSON: [{time, key, number, name, old, new, online, outcome}])"),
                     0, 0, {QStringLiteral("--project"), QStringLiteral("--csv")}, {}, runJournal});
}

}  // namespace hesk::cli

#pragma once
// What becomes of a parameter file of another firmware version before it is imported or
// downloaded: the rows the project does not take, the values the project's checks refuse
// (out of range, not an allowed value, an unknown connection source) or correct, and the
// parameters of the project the file lacks, each with what will happen to it. The report
// runs the import's or the download's own checks on a copy, so it says exactly what the
// real run will do; nothing is changed and nothing is sent.
//
// Contract: UI thread (the checks read the project's formula state); pure otherwise.

#include "DnlFormat.h"

#include "model/LogSink.h"
#include "model/OpenedProject.h"
#include "model/UserPrompt.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace hesk::files {

enum class MigrationUse { Import, Download };

// The report's texts as the log keeps them (untranslated) or as the window shows them.
enum class MigrationText { Log, Shown };

struct MigrationItem {
    enum class Kind { UnknownRow, Refused, Corrected, MissingInFile };
    Kind kind = Kind::UnknownRow;
    QString subject;      // the file's row, or the project's key of a missing parameter
    QString reason;       // the check's own text
    QString consequence;  // what the import or download will do about it
    QString value;        // Corrected: the value the row is taken with
    bool operator==(const MigrationItem&) const = default;
};

struct MigrationReport {
    MigrationUse use = MigrationUse::Import;
    QString fileVersion;
    QString projectVersion;
    int rows = 0;
    std::vector<MigrationItem> items;

    int count(MigrationItem::Kind kind) const;
    // "dnl文件版本V11417与工程版本V11418不同：…" with the count of each kind.
    QString summary(MigrationText form = MigrationText::Log) const;
    // One line per item: "[类别] subject：reason → consequence". Shown, the reasons this
    // report wrote itself are translated; a check's own text stays as the check wrote it.
    QStringList lines(MigrationText form = MigrationText::Log) const;
};

// The file's version differs from the project's (an empty file version counts as
// different, as the version question treats it).
bool versionsDiffer(const DnlHeader& header, const model::HeskProject& project);

MigrationReport importMigrationReport(model::OpenedProject& project, const DnlHeader& header, const QStringList& rows);
MigrationReport downloadMigrationReport(model::OpenedProject& project, const DnlHeader& header,
                                        const QStringList& rows);

// Shows the report before the import or download goes on: every line into the log, the
// summary and the first lines in a question. True to go on; a report without items goes
// on without asking.
bool confirmMigration(const MigrationReport& report, model::UserPrompt& prompt, model::LogSink& log);

}  // namespace hesk::files

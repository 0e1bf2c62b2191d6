// heskmon dnl import | compare: parameter files against a project, without a drive.

#include "CliCommand.h"
#include "CliProject.h"
#include "CliPrompt.h"

#include "files/CompareCsvExport.h"
#include "files/DnlFormat.h"
#include "files/DnlImport.h"
#include "files/DnlOpen.h"
#include "files/FileCompare.h"
#include "files/OfflineDnlSave.h"
#include "pages/OfflineValueSet.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>

namespace hesk::cli {

namespace {

int runImport(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    const std::optional<QString> projectPath = call.option(QStringLiteral("--project"));
    if (!projectPath)
        return out.usage(QStringLiteral("dnl import needs --project FILE"));
    auto cli = CliProject::open(*projectPath, out);
    if (!cli)
        return ExitFailure;
    CliPrompt prompt(call.has(QStringLiteral("--yes")));
    // The import's log lines are part of the result (failed rows), printed with it.
    model::NullLogSink log;
    pages::OfflineValueSet offline;
    files::DnlOpenEnvironment environment{cli->opened(), offline, prompt, log, QString(), {}};
    const std::optional<files::DnlImportRequest> request = files::prepareDnlImport(environment, args[0]);
    if (!request)
        return ExitFailure;
    files::DnlImporter importer(cli->opened(), offline, log, request->rows);
    importer.importAll();
    const files::DnlImportSummary& summary = importer.summary();

    std::optional<QString> saved;
    if (const std::optional<QString> savePath = call.option(QStringLiteral("--save"))) {
        QString error;
        if (!files::writeOfflineValues(cli->opened(), offline, *savePath, QDateTime::currentDateTime(), &error))
            return out.fail(QStringLiteral("建立输出文件失败，请您重新尝试！ (%1: %2)").arg(*savePath, error));
        saved = *savePath;
    }

    if (out.json()) {
        QJsonArray logged;
        for (const files::DnlImportRowOutcome& row : summary.logged)
            logged.append(QJsonObject{{QStringLiteral("row"), row.line},
                                      {QStringLiteral("imported"), row.imported},
                                      {QStringLiteral("value"), row.value},
                                      {QStringLiteral("level"), row.logLevel},
                                      {QStringLiteral("log"), row.logText}});
        QJsonObject result{{QStringLiteral("file"), request->path},
                           {QStringLiteral("rows"), summary.rows},
                           {QStringLiteral("imported"), summary.imported},
                           {QStringLiteral("failed"), summary.rows - summary.imported},
                           {QStringLiteral("offlineValues"), static_cast<int>(offline.size())},
                           {QStringLiteral("logged"), logged},
                           {QStringLiteral("message"), files::dnlImportEndText(summary)}};
        if (saved)
            result.insert(QStringLiteral("saved"), *saved);
        out.document(result);
        return ExitOk;
    }
    out.line(QStringLiteral("File       %1").arg(request->path));
    out.line(QStringLiteral("Rows       %1").arg(summary.rows));
    out.line(QStringLiteral("Imported   %1").arg(summary.imported));
    out.line(QStringLiteral("Failed     %1").arg(summary.rows - summary.imported));
    for (const files::DnlImportRowOutcome& row : summary.logged)
        out.line(QStringLiteral("%1 %2").arg(row.imported ? QStringLiteral("corrected") : QStringLiteral("failed   "),
                                              row.logText));
    if (saved)
        out.line(QStringLiteral("Saved      %1").arg(*saved));
    out.line(files::dnlImportEndText(summary));
    return ExitOk;
}

bool loadSide(files::FileCompare& compare, files::CompareSide side, const QString& source, CliProject& project,
              model::UserPrompt& prompt)
{
    if (source == QLatin1String("factory")) {
        compare.loadFactory(side, project.opened());
        return !compare.empty(side);
    }
    return compare.loadFile(side, source, prompt);
}

int runCompare(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    const std::optional<QString> projectPath = call.option(QStringLiteral("--project"));
    if (!projectPath)
        return out.usage(QStringLiteral("dnl compare needs --project FILE"));
    const QString filterName = call.option(QStringLiteral("--filter")).value_or(QStringLiteral("different"));
    files::CompareFilter filter = files::CompareFilter::Different;
    if (filterName == QLatin1String("all"))
        filter = files::CompareFilter::All;
    else if (filterName == QLatin1String("equal"))
        filter = files::CompareFilter::Equal;
    else if (filterName != QLatin1String("different"))
        return out.usage(QStringLiteral("--filter takes all, equal or different"));
    auto cli = CliProject::open(*projectPath, out);
    if (!cli)
        return ExitFailure;
    CliPrompt prompt(false);
    files::FileCompare compare;
    loadSide(compare, files::CompareSide::Base, args[0], *cli, prompt);
    loadSide(compare, files::CompareSide::Compare, args[1], *cli, prompt);
    const std::optional<std::vector<files::CompareRow>> rows =
        compare.start(&cli->opened(), call.has(QStringLiteral("--approximate")), prompt);
    if (!rows)
        return ExitFailure;

    QStringList csvFiles;
    if (const std::optional<QString> folder = call.option(QStringLiteral("--csv"))) {
        files::CompareCsvRequest request;
        request.all = filter == files::CompareFilter::All;
        request.equal = filter == files::CompareFilter::Equal;
        request.different = filter == files::CompareFilter::Different;
        request.folder = *folder;
        request.baseLabel = compare.sourceName(files::CompareSide::Base);
        request.compareLabel = compare.sourceName(files::CompareSide::Compare);
        csvFiles = files::exportCompareCsv(*rows, request, prompt);
        if (csvFiles.isEmpty())
            return ExitFailure;
    }

    int equal = 0;
    for (const files::CompareRow& row : *rows)
        equal += row.equal ? 1 : 0;
    if (out.json()) {
        QJsonArray shown;
        for (const files::CompareRow& row : *rows)
            if (files::passesFilter(row, filter))
                shown.append(QJsonObject{{QStringLiteral("main"), row.main},
                                         {QStringLiteral("aux"), row.aux},
                                         {QStringLiteral("name"), row.name},
                                         {QStringLiteral("comment"), row.comment},
                                         {QStringLiteral("base"), row.base},
                                         {QStringLiteral("compare"), row.compare},
                                         {QStringLiteral("inBase"), row.inBase},
                                         {QStringLiteral("inCompare"), row.inCompare},
                                         {QStringLiteral("equal"), row.equal}});
        out.document(QJsonObject{{QStringLiteral("base"), compare.sourceName(files::CompareSide::Base)},
                                 {QStringLiteral("compare"), compare.sourceName(files::CompareSide::Compare)},
                                 {QStringLiteral("filter"), filterName},
                                 {QStringLiteral("total"), static_cast<int>(rows->size())},
                                 {QStringLiteral("equal"), equal},
                                 {QStringLiteral("different"), static_cast<int>(rows->size()) - equal},
                                 {QStringLiteral("rows"), shown},
                                 {QStringLiteral("csv"), QJsonArray::fromStringList(csvFiles)}});
        return ExitOk;
    }
    out.line(QStringLiteral("Base       %1").arg(compare.sourceName(files::CompareSide::Base)));
    out.line(QStringLiteral("Compare    %1").arg(compare.sourceName(files::CompareSide::Compare)));
    out.line(QStringLiteral("Rows       %1 (%2 equal, %3 different)").arg(rows->size()).arg(equal).arg(rows->size() - equal));
    out.line(QStringLiteral("主参\t辅参\t参数名称\t基准文件\t比对文件"));
    for (const files::CompareRow& row : *rows)
        if (files::passesFilter(row, filter))
            out.line(QStringList{row.main, row.aux, row.name, row.base, row.compare}.join(QLatin1Char('\t')));
    for (const QString& file : csvFiles)
        out.line(QStringLiteral("CSV        %1").arg(file));
    return ExitOk;
}

}  // namespace

void addDnlCommands(std::vector<CliCommand>& table)
{
    table.push_back({
        {QStringLiteral("dnl"), QStringLiteral("import")},
        QStringLiteral("dnl import --project P FILE [--save OUT.dnl] [--yes]"),
        QStringLiteral("import a parameter file into the project's offline values, as 打开Dnl does"),
        QStringLiteral(R"(--project P   the project file (.tmprj) the file is checked against and imported into
FILE          the parameter file (.dnl)
--save OUT    write the resulting offline values as a parameter file (as the offline save)
--yes         answer Yes to the version questions (otherwise they refuse the file)
Prints the counts and every failed or corrected row with its log text.
JSON: {file, rows, imported, failed, offlineValues, logged [{row, imported, value,
level (3 refused, 2 corrected), log}], message, saved})"),
        1, 1, {QStringLiteral("--project"), QStringLiteral("--save")}, {QStringLiteral("--yes")}, runImport});
    table.push_back({
        {QStringLiteral("dnl"), QStringLiteral("compare")},
        QStringLiteral("dnl compare --project P BASE COMPARE [--filter all|equal|different] [--csv DIR] [--approximate]"),
        QStringLiteral("compare two parameter files (or the factory values) row by row, as 文件比较 does"),
        QStringLiteral(R"(--project P     the project that gives names, comments and the factory values
BASE, COMPARE   a parameter file (.dnl), or the word factory for the project's factory values
--filter F      the rows printed: all, equal or different (default different)
--csv DIR       also export the filtered rows as CSV (GB code page) into DIR
--approximate   compare numbers with the display type's tolerance (近似值比较优化)
JSON: {base, compare, filter, total, equal, different, rows [{main, aux, name,
comment, base, compare, inBase, inCompare, equal}], csv [paths]})"),
        2, 2, {QStringLiteral("--project"), QStringLiteral("--filter"), QStringLiteral("--csv")},
        {QStringLiteral("--approximate")}, runCompare});
}

}  // namespace hesk::cli

// heskmon dnl import | compare: parameter files against a project, without a drive.

#include "CliCommand.h"
#include "OnlineCall.h"
#include "CliProject.h"
#include "CliPrompt.h"

#include "files/ThreeWayCompare.h"
#include "files/CompareCsvExport.h"
#include "files/DnlFormat.h"
#include "files/DnlImport.h"
#include "files/DnlOpen.h"
#include "files/FileCompare.h"
#include "files/OfflineDnlSave.h"
#include "pages/OfflineValueSet.h"

#include <QDateTime>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QJsonObject>

#include <algorithm>

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

// --drive: the drive (a fresh upload), the file and the factory values side by side.
int runThreeWayCompare(const QString& filePath, files::CompareFilter filter, const QString& filterName,
                       const CliArguments& call, const CliOutput& out)
{
    if (call.option(QStringLiteral("--csv")))
        return out.usage(QStringLiteral("--csv is not available with --drive"));
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    CliPrompt prompt(call.has(QStringLiteral("--yes")));
    // The file first: a file that cannot be read is refused before the drive is asked.
    const files::CompareRead file = files::readCompareFile(filePath);
    if (const std::optional<model::UserMessage> problem = files::compareReadMessage(file, filePath))
        return out.fail(QStringLiteral("heskmon: ") + problem->text);
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return out.fail(QStringLiteral("heskmon: no temporary folder for the upload"));
    files::UploadOptions options;
    options.path = scratch.filePath(QStringLiteral("drive.dnl"));
    options.quietSuccess = true;
    const std::optional<files::UploadOutcome> upload = uploadFromDrive(*online, options, prompt, out);
    if (!upload || !upload->success)
        return ExitFailure;
    const files::CompareRead drive = files::readCompareFile(*options.path);
    if (const std::optional<model::UserMessage> problem = files::compareReadMessage(drive, *options.path))
        return out.fail(QStringLiteral("heskmon: ") + problem->text);
    model::OpenedProject& project = online->project();
    const std::vector<files::ThreeWayRow> rows =
        files::compareThreeWays(drive.entries, file.entries, files::factoryCompareEntries(project), &project,
                                call.has(QStringLiteral("--approximate")));
    const int equal = static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const files::ThreeWayRow& r) { return r.equal; }));
    static const char* const sourceNames[] = {"drive", "file", "factory"};
    if (out.json()) {
        QJsonArray shown;
        for (const files::ThreeWayRow& row : rows) {
            if (!files::passesFilter(row, filter))
                continue;
            QJsonObject o{{QStringLiteral("main"), row.main},    {QStringLiteral("aux"), row.aux},
                          {QStringLiteral("name"), row.name},    {QStringLiteral("comment"), row.comment},
                          {QStringLiteral("drive"), row.values[0]}, {QStringLiteral("file"), row.values[1]},
                          {QStringLiteral("factory"), row.values[2]}, {QStringLiteral("equal"), row.equal}};
            if (row.odd)
                o.insert(QStringLiteral("odd"), QLatin1String(sourceNames[static_cast<int>(*row.odd)]));
            shown.append(o);
        }
        out.document(QJsonObject{{QStringLiteral("file"), filePath},
                                 {QStringLiteral("filter"), filterName},
                                 {QStringLiteral("total"), static_cast<int>(rows.size())},
                                 {QStringLiteral("equal"), equal},
                                 {QStringLiteral("different"), static_cast<int>(rows.size()) - equal},
                                 {QStringLiteral("rows"), shown}});
        return ExitOk;
    }
    out.line(QStringLiteral("File       %1").arg(filePath));
    out.line(QStringLiteral("Rows       %1 (%2 equal, %3 different)").arg(rows.size()).arg(equal).arg(rows.size() - equal));
    out.line(QStringLiteral("主参\t辅参\t参数名称\t设备\t文件\t出厂值\t不同的一方"));
    for (const files::ThreeWayRow& row : rows)
        if (files::passesFilter(row, filter))
            out.line(QStringList{row.main, row.aux, row.name, row.values[0], row.values[1], row.values[2],
                                 row.odd ? files::threeWaySourceText(*row.odd) : QString()}
                         .join(QLatin1Char('\t')));
    return ExitOk;
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
    if (call.has(QStringLiteral("--drive"))) {
        if (args.size() != 1)
            return out.usage(QStringLiteral("dnl compare --drive takes one parameter file"));
        return runThreeWayCompare(args[0], filter, filterName, call, out);
    }
    if (args.size() != 2)
        return out.usage(QStringLiteral("dnl compare takes BASE and COMPARE"));
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
        QStringLiteral("dnl compare --project P BASE COMPARE [--filter all|equal|different] [--csv DIR] [--approximate]\n"
                       "dnl compare --project P --drive [--port PATH | --udp] FILE [--filter ...] [--approximate]"),
        QStringLiteral("compare two parameter files (or the factory values) row by row, as 文件比较 does"),
        QStringLiteral(R"(--project P     the project that gives names, comments and the factory values
BASE, COMPARE   a parameter file (.dnl), or the word factory for the project's factory values
--filter F      the rows printed: all, equal or different (default different)
--csv DIR       also export the filtered rows as CSV (GB code page) into DIR
--approximate   compare numbers with the display type's tolerance (近似值比较优化)
--drive         three ways: the drive's values (uploaded now, as 参数上传 does), FILE and
                the factory values side by side; a row is equal when all three agree,
                and the last column names the one that stands apart when two agree
JSON: {base, compare, filter, total, equal, different, rows [{main, aux, name,
comment, base, compare, inBase, inCompare, equal}], csv [paths]}; with --drive
{file, filter, total, equal, different, rows [{main, aux, name, comment, drive, file,
factory, equal, odd (drive|file|factory)}]})"),
        1, 2, OnlineCall::valueOptions() + QStringList{QStringLiteral("--filter"), QStringLiteral("--csv")},
        OnlineCall::flagOptions() + QStringList{QStringLiteral("--approximate"), QStringLiteral("--drive")}, runCompare});
}

}  // namespace hesk::cli

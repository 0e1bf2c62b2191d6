// heskmon download: a parameter file written into the drive, on the window's workflow.

#include "CliCommand.h"
#include "OnlineCall.h"

#include "files/MigrationReport.h"
#include "files/ParameterDownload.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace hesk::cli {

namespace {

// Longer than any download takes: the workflow ends itself on every path (reply time-out,
// silence, link closed); this only guards against a fault in that.
constexpr int kBackstopMs = 10 * 60 * 1000;

// --report-only: what the download would do with the file's rows, nothing sent.
int printMigrationReport(model::OpenedProject& project, const QString& path, const CliOutput& out)
{
    const std::optional<files::DnlHeader> header = files::readDnlHeader(path);
    const files::DnlRowsRead rows = files::readDnlRows(path);
    if (!header || !rows.ok())
        return out.fail(QStringLiteral("heskmon: 文件打开失败！ (%1)").arg(path));
    const files::MigrationReport report = files::downloadMigrationReport(project, *header, rows.rows);
    static const char* const kinds[] = {"unknownRow", "refused", "corrected", "missingInFile"};
    if (out.json()) {
        QJsonArray items;
        for (const files::MigrationItem& item : report.items)
            items.append(QJsonObject{{QStringLiteral("kind"), QLatin1String(kinds[static_cast<int>(item.kind)])},
                                     {QStringLiteral("subject"), item.subject},
                                     {QStringLiteral("reason"), item.reason},
                                     {QStringLiteral("consequence"), item.consequence}});
        out.document(QJsonObject{{QStringLiteral("fileVersion"), report.fileVersion},
                                 {QStringLiteral("projectVersion"), report.projectVersion},
                                 {QStringLiteral("versionsDiffer"), files::versionsDiffer(*header, project.project())},
                                 {QStringLiteral("rows"), report.rows},
                                 {QStringLiteral("items"), items}});
        return ExitOk;
    }
    out.line(report.summary());
    for (const QString& line : report.lines())
        out.line(line);
    return ExitOk;
}

int runDownload(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    files::SerialNumberAnswer serial = files::SerialNumberAnswer::Ask;
    if (const auto answer = call.option(QStringLiteral("--serial-number"))) {
        if (*answer == QLatin1String("yes"))
            serial = files::SerialNumberAnswer::Yes;
        else if (*answer == QLatin1String("no"))
            serial = files::SerialNumberAnswer::No;
        else
            return out.usage(QStringLiteral("--serial-number takes yes or no, not '%1'").arg(*answer));
    }
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    if (call.has(QStringLiteral("--report-only")))
        return printMigrationReport(online->project(), args.value(0), out);
    // Without --serial-number the question is answered as every other: Yes with --yes.
    if (serial == files::SerialNumberAnswer::Ask)
        serial = call.has(QStringLiteral("--yes")) ? files::SerialNumberAnswer::Yes : files::SerialNumberAnswer::No;
    auto& session = online->session();
    CliPrompt prompt(call.has(QStringLiteral("--yes")));
    files::ParameterDownload download(session, prompt);
    if (!online->connect())
        return ExitFailure;
    std::optional<files::DownloadOutcome> outcome;
    QEventLoop loop;
    QObject::connect(&download, &files::ParameterDownload::finished, &loop, [&](const files::DownloadOutcome& o) {
        outcome = o;
        loop.quit();
    });
    QTextStream err(stderr);
    qint64 lastPercent = -1;
    QObject::connect(&download, &files::ParameterDownload::progress, &loop, [&](qint64 done, qint64 total) {
        const qint64 percent = total > 0 ? done * 100 / total : 0;
        if (percent == lastPercent)
            return;
        lastPercent = percent;
        err << QStringLiteral("download: %1/%2 bytes (%3%)\n").arg(done).arg(total).arg(percent);
        err.flush();
    });
    QObject::connect(&download, &files::ParameterDownload::statusText, &loop, [&](const QString& text) {
        err << text << '\n';
        err.flush();
    });
    files::DownloadOptions options;
    options.path = args.value(0);
    options.serialNumber = serial;
    if (!download.start(options)) {
        session.disconnectDevice();
        return out.fail(QStringLiteral("heskmon: the download did not start"));
    }
    QTimer::singleShot(kBackstopMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (!outcome) {
        download.cancel();
        session.disconnectDevice();
        return out.fail(QStringLiteral("heskmon: the download did not end"));
    }
    session.disconnectDevice();
    if (!outcome->success || !outcome->counts)
        return ExitFailure;
    const files::DownloadCounts& c = *outcome->counts;
    if (out.json()) {
        QJsonObject o{{QStringLiteral("downloadable"), c.downloadable},
                      {QStringLiteral("succeeded"), c.succeeded},
                      {QStringLiteral("failed"), c.failed},
                      {QStringLiteral("missing"), c.missing},
                      {QStringLiteral("failedKeys"), QJsonArray::fromStringList(c.failedKeys)},
                      {QStringLiteral("repeats"), outcome->repeats}};
        out.document(o);
    } else {
        out.line(QStringLiteral("downloadable\t%1").arg(c.downloadable));
        out.line(QStringLiteral("succeeded\t%1").arg(c.succeeded));
        out.line(QStringLiteral("failed\t%1").arg(c.failed));
        out.line(QStringLiteral("missing\t%1").arg(c.missing));
        for (const QString& key : c.failedKeys)
            out.line(QStringLiteral("failed: %1").arg(key));
    }
    return c.failed > 0 ? ExitFailure : ExitOk;
}

}  // namespace

void addDownloadCommands(std::vector<CliCommand>& table)
{
    QStringList valueOptions = OnlineCall::valueOptions();
    valueOptions << QStringLiteral("--serial-number");
    table.push_back({{QStringLiteral("download")},
                     QStringLiteral("download --project P [--port PATH] FILE [--serial-number yes|no] [--report-only]"),
                     QStringLiteral("write a parameter file (.dnl) into the drive (parameter download)"),
                     OnlineCall::optionsHelp() + QStringLiteral(R"(--serial-number yes|no  download the serial number P0070 and the rated data that
                   follow from it (default: --yes answers yes, else no)
--report-only      connect to nothing and write nothing: print the migration report
                   of the file against the project (rows the project does not take,
                   values refused or corrected, parameters the file lacks, each with
                   what the download would do); the window shows the same report, as
                   a question, before a file of another version is downloaded

The window's parameter download: the file's header is checked against the project (with
--yes a version question is answered yes), the drive must be in standby (r0001 below 10),
on the inverter P0060 is set to 5 first and set back afterwards. Every row of a
downloadable parameter is checked and converted; the image goes to the drive in blocks of
256 bytes on the serial line (an Ethernet link is refused before anything is sent).
Progress goes to standard error, the messages and log lines too. Prints the four counts
and every row that failed; exit 1 when the download failed or a row failed.

JSON: {downloadable, succeeded, failed, missing, failedKeys, repeats}; with --report-only
{fileVersion, projectVersion, versionsDiffer, rows, items [{kind, subject, reason,
consequence}]})"),
                     1, 1, valueOptions, OnlineCall::flagOptions() + QStringList{QStringLiteral("--report-only")}, runDownload});
}

}  // namespace hesk::cli

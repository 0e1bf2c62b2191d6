// heskmon upload: the drive's parameters into a parameter file, on the window's workflow.

#include "CliCommand.h"
#include "OnlineCall.h"

#include "files/ParameterUpload.h"
#include "model/RegularFile.h"
#include "pages/CustomPageFile.h"

#include <QEventLoop>
#include <QJsonObject>
#include <QTextStream>
#include <QTimer>

namespace hesk::cli {

namespace {

// Longer than any upload takes: the workflow ends itself (10 s of silence, link closed);
// this only guards against a fault in that.
constexpr int kBackstopMs = 10 * 60 * 1000;

// The parameter numbers of a custom page file, or a message.
std::optional<std::set<uint16_t>> customNumbers(const QString& path, QString& problem)
{
    const model::FileRead read = model::readRegularFile(path, pages::kMaxCustomPageFileBytes);
    if (!read.ok()) {
        problem = QStringLiteral("cannot read the custom page file %1").arg(path);
        return std::nullopt;
    }
    std::set<uint16_t> numbers;
    for (const QString& line : pages::parseCustomPageFile(read.bytes).parameterLines) {
        const std::optional<uint32_t> number = pages::parameterLineNumber(line);
        if (!number || *number > 0xFFFF) {
            problem = QStringLiteral("%1: '%2' is no parameter number").arg(path, line);
            return std::nullopt;
        }
        numbers.insert(static_cast<uint16_t>(*number));
    }
    if (numbers.empty()) {
        problem = QStringLiteral("%1 lists no parameter").arg(path);
        return std::nullopt;
    }
    return numbers;
}

}  // namespace

std::optional<files::UploadOutcome> uploadFromDrive(OnlineCall& online, const files::UploadOptions& options,
                                                    model::UserPrompt& prompt, const CliOutput& out)
{
    auto& session = online.session();
    files::ParameterUpload upload(session, prompt);
    if (!online.connect())
        return std::nullopt;
    std::optional<files::UploadOutcome> outcome;
    QEventLoop loop;
    QObject::connect(&upload, &files::ParameterUpload::finished, &loop, [&](const files::UploadOutcome& o) {
        outcome = o;
        loop.quit();
    });
    QTextStream err(stderr);
    qint64 lastPercent = -1;
    QObject::connect(&upload, &files::ParameterUpload::progress, &loop, [&](qint64 done, qint64 total) {
        const qint64 percent = total > 0 ? done * 100 / total : 0;
        if (percent == lastPercent || percent % 10 != 0)
            return;
        lastPercent = percent;
        err << QStringLiteral("upload: %1/%2 (%3%)\n").arg(done).arg(total).arg(percent);
        err.flush();
    });
    QObject::connect(&upload, &files::ParameterUpload::statusText, &loop, [&](const QString& text) {
        err << text << '\n';
        err.flush();
    });
    if (!upload.start(options)) {
        session.disconnectDevice();
        out.fail(QStringLiteral("heskmon: the upload did not start"));
        return std::nullopt;
    }
    QTimer::singleShot(kBackstopMs, &loop, &QEventLoop::quit);
    if (upload.running())
        loop.exec();
    if (!outcome) {
        upload.cancel();
        session.disconnectDevice();
        out.fail(QStringLiteral("heskmon: the upload did not end"));
        return std::nullopt;
    }
    session.disconnectDevice();
    return outcome;
}

namespace {

int runUpload(const QStringList&, const CliArguments& call, const CliOutput& out)
{
    const std::optional<QString> target = call.option(QStringLiteral("-o"));
    if (!target)
        return out.usage(QStringLiteral("-o FILE names the parameter file to write"));
    files::UploadOptions options;
    options.path = *target;
    if (const std::optional<QString> custom = call.option(QStringLiteral("--custom"))) {
        QString problem;
        const auto numbers = customNumbers(*custom, problem);
        if (!numbers)
            return out.fail(problem);
        options.customNumbers = *numbers;
        options.customOnly = true;
    }
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    CliPrompt prompt(call.has(QStringLiteral("--yes")));
    const std::optional<files::UploadOutcome> outcome = uploadFromDrive(*online, options, prompt, out);
    if (!outcome || !outcome->success)
        return ExitFailure;
    if (out.json())
        out.document(QJsonObject{{QStringLiteral("path"), outcome->path}, {QStringLiteral("rows"), outcome->rows}});
    else
        out.line(QStringLiteral("%1\t%2 rows").arg(outcome->path).arg(outcome->rows));
    return ExitOk;
}

}  // namespace

void addUploadCommands(std::vector<CliCommand>& table)
{
    QStringList valueOptions = OnlineCall::valueOptions();
    valueOptions << QStringLiteral("-o") << QStringLiteral("--custom");
    table.push_back({{QStringLiteral("upload")},
                     QStringLiteral("upload --project P [--port PATH | --udp] -o FILE [--custom FILE.fpm]"),
                     QStringLiteral("read every parameter of the drive into a parameter file (.dnl)"),
                     OnlineCall::optionsHelp() + QStringLiteral(R"(-o FILE            the parameter file to write (replaced whole, or left as it was
                   when the upload fails)
--custom FILE.fpm  only the parameters a custom page file lists (every sub-index)

The window's parameter upload: refused on the test bench, while the drive runs (r0001
above 9) and while the control panel holds control; the drive sends its whole parameter
block, which is checked against the project's table sizes, copied into the value tables
and written row by row as the pages show the values. The upload fails after 10 s
without any frame of the transfer. Progress goes to standard error.

JSON: {path, rows})"),
                     0, 0, valueOptions, OnlineCall::flagOptions(), runUpload});
}

}  // namespace hesk::cli

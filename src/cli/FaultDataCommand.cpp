// heskmon faultdata: the drive's fault record (or with --drive-board the drive board's,
// over its own serial port) uploaded, decoded and written as a fault-data file, on the
// window's workflows.

#include "CliCommand.h"
#include "OnlineCall.h"

#include "online/InstalledProjects.h"
#include "recording/DriveBoardFaultUpload.h"
#include "recording/FaultDataFile.h"
#include "recording/FaultDataUpload.h"

#include <QDateTime>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>
#include <QTimer>

namespace hesk::cli {

namespace {

// Longer than any upload takes: the workflow ends itself (1.5 s trigger check, 5 s
// without data, link closed); this only guards against a fault in that.
constexpr int kBackstopMs = 10 * 60 * 1000;

QString hex4(uint16_t word) { return QStringLiteral("%1").arg(word, 4, 16, QLatin1Char('0')); }

// The catalogue codes a fault's words explain.
QStringList explainedCodes(const recording::FaultEntry& fault, const model::FaultCatalogue& catalogue)
{
    QStringList codes;
    const QStringList& keys = recording::faultWordKeys();
    for (size_t i = 0; i < fault.faultWords.size() && i < static_cast<size_t>(keys.size()); ++i)
        for (const model::FaultAlarm& entry : catalogue.explain(keys[static_cast<qsizetype>(i)], fault.faultWords[i]))
            codes << (entry.code.isEmpty() ? entry.name : entry.code + QLatin1Char(' ') + entry.name);
    return codes;
}

// Writes the record into `target` and prints the file, the station (or the board's
// information texts) and per fault its channels, samples and what its words explain.
int writeAndReport(const recording::FaultRecord& record, model::DeviceClass deviceClass, const QString& version,
                   const model::FaultCatalogue& catalogue, const QString& target, const CliOutput& out)
{
    if (record.empty())
        return out.fail(recording::noFaultDataText());
    const recording::FaultFileHeader header =
        recording::faultFileHeader(record, deviceClass, version, QDateTime::currentDateTime());
    if (const std::optional<QString> failure = recording::writeFaultDataFile(target, record, header))
        return out.fail(QStringLiteral("heskmon: cannot write %1: %2").arg(target, *failure));

    QJsonArray faults;
    QStringList lines{recording::faultFileExportedText(target)};
    lines << (record.driveBoard ? record.informationTexts() : QStringList{record.stationText()});
    for (size_t i = 0; i < record.faults.size(); ++i) {
        const recording::FaultEntry& fault = record.faults[i];
        size_t samples = 0;
        for (const recording::FaultChannel& c : fault.channels)
            samples = std::max(samples, c.samples.size());
        QJsonArray words;
        QStringList wordTexts;
        for (uint16_t w : fault.faultWords) {
            words.append(hex4(w));
            wordTexts << hex4(w);
        }
        const QStringList codes = explainedCodes(fault, catalogue);
        faults.append(QJsonObject{{QStringLiteral("number"), fault.number},
                                  {QStringLiteral("channels"), static_cast<int>(fault.channels.size())},
                                  {QStringLiteral("samples"), static_cast<qint64>(samples)},
                                  {QStringLiteral("faultWords"), words},
                                  {QStringLiteral("codes"), QJsonArray::fromStringList(codes)}});
        lines << QStringLiteral("%1\t%2 channels x %3 samples\t%4")
                     .arg(fault.listText(i + 1 == record.faults.size()))
                     .arg(fault.channels.size())
                     .arg(samples)
                     .arg(codes.isEmpty() ? wordTexts.join(QLatin1Char(' ')) : codes.join(QStringLiteral(", ")));
    }
    if (out.json()) {
        QJsonObject document{{QStringLiteral("path"), target},
                             {QStringLiteral("station"), record.station},
                             {QStringLiteral("stationText"), record.stationText()},
                             {QStringLiteral("faults"), faults}};
        if (record.driveBoard) {
            document.insert(QStringLiteral("driveBoard"), true);
            document.insert(QStringLiteral("information"), QJsonArray::fromStringList(record.informationTexts()));
        }
        out.document(document);
    } else {
        for (const QString& line : lines)
            out.line(line);
    }
    return ExitOk;
}

int runDriveBoard(const CliArguments& call, const CliOutput& out, const QString& target);

int runFaultData(const QStringList&, const CliArguments& call, const CliOutput& out)
{
    const std::optional<QString> target = call.option(QStringLiteral("-o"));
    if (!target)
        return out.usage(QStringLiteral("-o FILE names the fault-data file to write"));
    if (call.has(QStringLiteral("--drive-board")))
        return runDriveBoard(call, out, *target);
    const QString station = call.option(QStringLiteral("--station")).value_or(QStringLiteral("0"));
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    shell::MonitorSession& session = online->session();
    CliPrompt prompt(call.has(QStringLiteral("--yes")));
    recording::FaultDataUpload upload(session, prompt);
    // The station dialog answered by --station (the master when not given).
    upload.setStationChoice([&](int) { return std::optional<QString>(station); });
    if (!online->connect())
        return ExitFailure;
    // The drive's state and the slaves of its group come with the first poll cycle.
    {
        QEventLoop wait;
        QTimer::singleShot(1000, &wait, &QEventLoop::quit);
        wait.exec();
    }
    std::optional<recording::FaultUploadOutcome> outcome;
    QEventLoop loop;
    QObject::connect(&upload, &recording::FaultDataUpload::finished, &loop,
                     [&](const recording::FaultUploadOutcome& o) {
                         outcome = o;
                         loop.quit();
                     });
    QTextStream err(stderr);
    QObject::connect(&upload, &recording::FaultDataUpload::statusText, &loop, [&](const QString& text) {
        err << text << '\n';
        err.flush();
    });
    if (!upload.start()) {
        session.disconnectDevice();
        return out.fail(QStringLiteral("heskmon: the fault-data upload did not start"));
    }
    QTimer::singleShot(kBackstopMs, &loop, &QEventLoop::quit);
    if (upload.running())
        loop.exec();
    const model::DeviceClass deviceClass = session.project().deviceClass();
    const QString version = session.project().project().header.deviceVersion;
    session.disconnectDevice();
    if (!outcome)
        return out.fail(QStringLiteral("heskmon: the fault-data upload did not end"));
    if (!outcome->success)
        return ExitFailure;

    return writeAndReport(outcome->record, deviceClass, version, session.project().faults(), *target, out);
}

// Waits for the upload that runs (started already) to end; nothing when it did not.
template <typename Upload>
std::optional<recording::FaultUploadOutcome> waitForOutcome(Upload& upload, recording::FaultDataUpload& exchange)
{
    std::optional<recording::FaultUploadOutcome> outcome;
    QEventLoop loop;
    QObject::connect(&upload, &Upload::finished, &loop, [&](const recording::FaultUploadOutcome& o) {
        outcome = o;
        loop.quit();
    });
    QTextStream err(stderr);
    QObject::connect(&exchange, &recording::FaultDataUpload::statusText, &loop, [&](const QString& text) {
        err << text << '\n';
        err.flush();
    });
    QTimer::singleShot(kBackstopMs, &loop, &QEventLoop::quit);
    loop.exec();
    return outcome;
}

int runDriveBoard(const CliArguments& call, const CliOutput& out, const QString& target)
{
    if (call.has(QStringLiteral("--udp")) || call.option(QStringLiteral("--station")))
        return out.usage(QStringLiteral("--drive-board goes over the serial port: not with --udp or --station"));
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode, false);
    if (!online)
        return exitCode;
    shell::MonitorSession& session = online->session();
    CliPrompt prompt(call.has(QStringLiteral("--yes")));
    recording::FaultDataUpload exchange(session, prompt);
    const online::ProjectRoot root = online::applicationProjectRoot(call.option(QStringLiteral("--root")));
    recording::DriveBoardFaultUpload board({session, prompt, exchange, model::ProjectLocator(root.folder),
                                            [&session](const QString& path) {
                                                return !session.project().open(path).has_value();
                                            },
                                            {}});
    std::optional<recording::FaultUploadOutcome> outcome;
    QObject::connect(&board, &recording::DriveBoardFaultUpload::finished,
                     [&](const recording::FaultUploadOutcome& o) { outcome = o; });
    if (board.start())
        outcome = waitForOutcome(board, exchange);
    if (!outcome)
        return out.fail(QStringLiteral("heskmon: the drive-board upload did not end"));
    if (!outcome->success)
        return ExitFailure;
    return writeAndReport(outcome->record, session.project().deviceClass(),
                          session.project().project().header.deviceVersion, session.project().faults(), target, out);
}

}  // namespace

void addFaultDataCommands(std::vector<CliCommand>& table)
{
    QStringList valueOptions = OnlineCall::valueOptions();
    valueOptions << QStringLiteral("-o") << QStringLiteral("--station") << QStringLiteral("--root");
    QStringList flags = OnlineCall::flagOptions();
    flags << QStringLiteral("--drive-board");
    table.push_back({{QStringLiteral("faultdata")},
                     QStringLiteral("faultdata --project P [--port PATH | --udp] -o FILE [--station N]\n"
                                    "       faultdata --drive-board [--project P] [--port PATH] -o FILE"),
                     QStringLiteral("upload the drive's fault record (waveforms and fault words) into a fault-data file"),
                     OnlineCall::optionsHelp() + QStringLiteral(R"(-o FILE            the fault-data file (.txt) to write (replaced whole, or left as
                   it was when the upload fails)
--station N        the station of a parallel group to ask: 0 the master (default),
                   1 to the number of slaves (P0089); asked only when the drive is
                   in a group

The window's fault-data upload: refused while a trigger recording runs, while the
control panel holds control on the inverter and while the drive runs (r0001 above 9).
The drive confirms the trigger and sends the waveforms around its last trips and their
fault words; the upload fails when the trigger is not confirmed within 1.5 s or when no
data arrive for 5 s. Prints the file, the station and per fault its channels, samples
and the catalogue codes its fault words explain (the newest marked).

--drive-board: the drive board's record over its own serial port (--port, else the
settings file's port; never --udp): no connect exchange, the port opened to listen,
F2 E0 sent, the board's blocks decoded (two analog and six digital channels per
fault) with its information texts (run time, fault count, power-ups). Without
--project the inverter project V1.14.17 is opened, or the nearest installed inverter
project when that version is not installed (--root DIR: the installed projects).

JSON: {path, station, stationText, faults: [{number, channels, samples, faultWords,
codes}]}, and for the drive board also driveBoard: true, information: [texts])"),
                     0, 0, valueOptions, flags, runFaultData});
}

}  // namespace hesk::cli

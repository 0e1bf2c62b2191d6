// heskmon faults: the catalogue entries that fault word values explain, or (--live) the
// faults and alarms the drive reports now, as the fault and alarm pane lists them.

#include "CliCommand.h"
#include "CliProject.h"
#include "OnlineCall.h"

#include "model/ParameterTypes.h"
#include "recording/FaultAlarmList.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QTimer>

using namespace hesk::model;

namespace hesk::cli {

namespace {

constexpr int kCollectMs = 3000;  // the window's collection period

void pump(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QString statusName(recording::DeviceStatus status)
{
    return recording::deviceStatusText(status).trimmed();
}

QJsonObject rowJson(const recording::FaultAlarmRow& row)
{
    return {{QStringLiteral("kind"), row.fault ? QStringLiteral("fault") : QStringLiteral("alarm")},
            {QStringLiteral("number"), row.number},
            {QStringLiteral("deviceType"), row.deviceType},
            {QStringLiteral("deviceVersion"), row.deviceVersion},
            {QStringLiteral("code"), row.code},
            {QStringLiteral("meaning"), row.meaning},
            {QStringLiteral("cause"), row.cause},
            {QStringLiteral("remedy"), row.remedy}};
}

// The list as the pane shows it: the status, then one line per row.
void printList(const recording::FaultAlarmList& list, const CliOutput& out, const QString& prefix)
{
    if (out.json()) {
        QJsonArray rows;
        for (const recording::FaultAlarmRow& row : list.rows())
            rows.append(rowJson(row));
        out.document(QJsonObject{{QStringLiteral("status"), statusName(list.status())},
                                 {QStringLiteral("statusCode"), static_cast<int>(list.status())},
                                 {QStringLiteral("rows"), rows}});
        return;
    }
    out.line(prefix + QStringLiteral("状态：") + statusName(list.status()));
    for (const recording::FaultAlarmRow& row : list.rows()) {
        QString remedy = row.remedy;
        remedy.replace(QLatin1Char('\n'), QLatin1Char(' '));
        out.line(prefix
                 + QStringList{QString::number(row.number), row.fault ? QStringLiteral("故障") : QStringLiteral("报警"),
                               row.deviceType, row.deviceVersion, row.code, row.meaning, row.cause, remedy}
                       .join(QLatin1Char('\t')));
    }
}

int runLiveFaults(const CliArguments& call, const CliOutput& out)
{
    bool ok = true;
    const int seconds = call.option(QStringLiteral("--seconds")).value_or(QStringLiteral("0")).toInt(&ok);
    if (!ok || seconds < 0)
        return out.usage(QStringLiteral("--seconds N takes a whole number of seconds"));
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    shell::MonitorSession& session = online->session();
    recording::FaultAlarmList list(session);
    if (!online->connect())
        return ExitFailure;
    // The system poll reads the fault and alarm words; wait for the first report of each.
    std::vector<const model::HeskParameterElement*> words;
    for (const QString& key : model::faultWordLists(session.project().deviceClass()).all())
        if (const model::HeskParameterElement* e = session.project().find(key))
            words.push_back(e);
    QElapsedTimer clock;
    clock.start();
    const auto reported = [&] {
        return std::all_of(words.begin(), words.end(), [&](auto* e) { return session.onlineRaw(*e).has_value(); });
    };
    while (!reported() && session.isOnline() && clock.elapsed() < 2 * kCollectMs)
        pump(50);
    if (!reported()) {
        session.disconnectDevice();
        return out.fail(QStringLiteral("heskmon: the drive did not report its fault and alarm words"));
    }
    list.collect();
    printList(list, out, {});
    // --seconds: the window's collection every 3 s; the list again whenever it changed.
    bool changed = false;
    QObject::connect(&list, &recording::FaultAlarmList::rowsChanged, [&] { changed = true; });
    while (clock.elapsed() < seconds * 1000LL && session.isOnline()) {
        pump(static_cast<int>(std::min<qint64>(kCollectMs, seconds * 1000LL - clock.elapsed())));
        changed = false;
        list.collect();
        if (changed)
            printList(list, out, QStringLiteral("%1s\t").arg(clock.elapsed() / 1000));
    }
    const bool stillOnline = session.isOnline();
    session.disconnectDevice();
    return stillOnline ? ExitOk : ExitFailure;
}

int runFaults(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    if (call.has(QStringLiteral("--live")))
        return args.isEmpty() ? runLiveFaults(call, out)
                              : out.usage(QStringLiteral("faults --live takes --project, not a project file"));
    if (args.size() < 2)
        return out.usage(QStringLiteral("expected a project file and WORD=VALUE..., or --live --project P"));
    auto cli = CliProject::open(args[0], out);
    if (!cli)
        return ExitFailure;
    const FaultCatalogue& catalogue = cli->opened().faults();
    QJsonArray words;
    QStringList lines;
    for (const QString& assignment : args.mid(1)) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const QString word = assignment.left(equals);
        const QString valueText = assignment.mid(equals + 1);
        bool ok = false;
        const uint value = valueText.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                               ? valueText.mid(2).toUInt(&ok, 16)
                               : valueText.toUInt(&ok, 10);
        if (equals < 0 || !parseKeyText(word) || !ok || value > 0xFFFF)
            return out.usage(QStringLiteral("expected WORD=VALUE such as r0943.0=0x0039, not '%1'").arg(assignment));
        QJsonArray entries;
        lines << QStringLiteral("%1 = 0x%2").arg(word).arg(value, 4, 16, QLatin1Char('0'));
        for (const FaultAlarm& entry : catalogue.explain(word, static_cast<uint16_t>(value))) {
            entries.append(QJsonObject{{QStringLiteral("word"), entry.word},
                                       {QStringLiteral("bit"), entry.bit},
                                       {QStringLiteral("code"), entry.code},
                                       {QStringLiteral("name"), entry.name},
                                       {QStringLiteral("description"), entry.description},
                                       {QStringLiteral("remedy"), entry.remedy}});
            lines << QStringLiteral("  bit %1  %2 %3").arg(entry.bit, 2).arg(entry.code, entry.name);
            lines << QStringLiteral("          原因：%1").arg(entry.description);
            lines << QStringLiteral("          处理：%1").arg(entry.remedy);
        }
        if (entries.isEmpty())
            lines << QStringLiteral("  (no catalogue entry for the set bits)");
        words.append(QJsonObject{{QStringLiteral("word"), word},
                                 {QStringLiteral("value"), static_cast<int>(value)},
                                 {QStringLiteral("entries"), entries}});
    }
    if (out.json())
        out.document(QJsonObject{{QStringLiteral("words"), words}});
    else
        for (const QString& line : lines)
            out.line(line);
    return ExitOk;
}

}  // namespace

void addFaultCommands(std::vector<CliCommand>& table)
{
    QStringList valueOptions = OnlineCall::valueOptions();
    valueOptions << QStringLiteral("--seconds");
    QStringList flagOptions = OnlineCall::flagOptions();
    flagOptions << QStringLiteral("--live");
    table.push_back({
        {QStringLiteral("faults")},
        QStringLiteral("faults FILE WORD=VALUE...  |  faults --live --project P [--port PATH | --udp] [--seconds N]"),
        QStringLiteral("the catalogue entries that fault word values explain; --live: the drive's active faults and alarms"),
        QStringLiteral(R"(FILE        a project file (.tmprj): its device class (and for the active
            rectifier its firmware version) chooses the catalogue
WORD=VALUE  a fault word key text and its value, decimal or 0x hexadecimal,
            e.g. r0943.0=0x0038 r0943.9=4

--live      connect and list the faults and alarms the drive reports now, as the
            fault and alarm pane does: the status (故障, 报警 or 正常), then per row
            its number, 故障 or 报警, device type, version, code, meaning, cause and
            remedy, tab-separated, in catalogue order
--seconds N keep collecting every 3 s for N seconds and print the list again,
            prefixed with the seconds elapsed, whenever it changes
)") + OnlineCall::optionsHelp() + QStringLiteral(R"(
JSON: {words: [{word, value, entries: [{word, bit, code, name, description,
remedy}]}]} (entries in catalogue order); --live: {status, statusCode, rows: [{kind,
number, deviceType, deviceVersion, code, meaning, cause, remedy}]}, one document per
list printed)"),
        0, -1, valueOptions, flagOptions, runFaults});
}

}  // namespace hesk::cli

// heskmon connect | read | write | watch: the online session from the command line.

#include "CliCommand.h"
#include "OnlineCall.h"

#include "editing/AllowedValues.h"
#include "editing/EditContextSource.h"
#include "editing/EditDecision.h"
#include "link/FrameCodec.h"
#include "model/DeviceCatalogue.h"
#include "model/ParameterNumbering.h"
#include "model/TypedValue.h"
#include "online/ReadRequests.h"
#include "online/StatusPanes.h"
#include "pages/FactoryDifferences.h"
#include "pages/ParameterPage.h"
#include "model/PageCatalogue.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace hesk::cli {

namespace {

using namespace std::chrono_literals;
constexpr int kScreenWidth = 1280;  // pane widths are not printed; any width will do

// Runs the event loop (timers, frames) for a while, or until done() holds.
void runFor(std::chrono::milliseconds duration, const std::function<bool()>& done = {})
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < duration.count()) {
        if (done && done())
            return;
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

QJsonObject statusJson(shell::MonitorSession& session)
{
    const online::PaneState state = session.paneState();
    return {{QStringLiteral("connection"), online::connectionPane(state, kScreenWidth).text},
            {QStringLiteral("program"), online::programStatePane(state, kScreenWidth).text},
            {QStringLiteral("cpuLoad"), online::cpuLoadPane(state, kScreenWidth).text}};
}

int runConnect(const QStringList&, const CliArguments& call, const CliOutput& out)
{
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    if (!online->connect())
        return ExitFailure;
    shell::MonitorSession& session = online->session();
    // One supervision second with an answer shows the CPU load.
    runFor(3s, [&] { return !session.paneState().cpuLoad.isEmpty() || !session.isOnline(); });
    QJsonObject result{{QStringLiteral("online"), session.isOnline()}, {QStringLiteral("status"), statusJson(session)}};
    const link::ConnectionState& c = session.connection();
    if (session.linkInterface() == online::InterfaceMode::Serial) {
        const uint16_t cpu = c.deviceCpuType.load();
        result.insert(QStringLiteral("cpuType"), hexWord(cpu));
        result.insert(QStringLiteral("cpuName"), model::cpuNameForCode(cpu).value_or(QStringLiteral("Unknown")));
        result.insert(QStringLiteral("programId"), hexWord(c.deviceProgramId.load()));
        result.insert(QStringLiteral("variantFlag"), c.deviceVariantFlag.load());
        result.insert(QStringLiteral("deviceFlag"), c.deviceFlag.load());
    }
    if (out.json()) {
        out.document(result);
    } else {
        const QJsonObject status = result[QStringLiteral("status")].toObject();
        out.line(QStringLiteral("%1  %2  %3")
                     .arg(status[QStringLiteral("connection")].toString(), status[QStringLiteral("program")].toString(),
                          status[QStringLiteral("cpuLoad")].toString()));
        if (result.contains(QStringLiteral("cpuType")))
            out.line(QStringLiteral("cpu type: %1 %2\nprogram id: %3\nvariant flag: %4  device flag: %5")
                         .arg(result[QStringLiteral("cpuType")].toString(), result[QStringLiteral("cpuName")].toString(),
                              result[QStringLiteral("programId")].toString())
                         .arg(result[QStringLiteral("variantFlag")].toInt())
                         .arg(result[QStringLiteral("deviceFlag")].toInt()));
    }
    return session.isOnline() ? ExitOk : ExitFailure;
}

const QString kReadTimeout = QStringLiteral("请求数据超时，请您重新尝试！");

// A value as a line of text or as a JSON row; `time` prefixes the watch lines.
void emitValue(OnlineCall& online, const model::HeskParameterElement& element, const CliOutput& out,
               std::optional<double> time = std::nullopt)
{
    if (out.json()) {
        QJsonObject row = online.valueJson(element);
        if (time)
            row.insert(QStringLiteral("time"), *time);
        out.line(QString::fromUtf8(QJsonDocument(row).toJson(QJsonDocument::Compact)));
        return;
    }
    const QString line = online.valueLine(element);
    out.line(time ? QStringLiteral("%1s\t%2").arg(*time, 0, 'f', 1).arg(line) : line);
}

// read --changed: the rows of a page (or the keys given) whose value on the drive differs
// from the factory value, decided as the page's filter decides.
int runReadChanged(const QStringList& keys, const CliArguments& call, const CliOutput& out)
{
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    model::OpenedProject& opened = online->project();
    const QString pageName = call.option(QStringLiteral("--page")).value_or(model::pages::kSettable);
    pages::ParameterPage page(opened.project(), opened.deviceClass(), pageName);
    if (!page.exists())
        return out.fail(QStringLiteral("heskmon: the project has no page \"%1\"").arg(pageName));
    // The keys given narrow the page down; each must name a parameter with an address.
    std::optional<std::vector<const model::HeskParameterElement*>> named;
    if (!keys.isEmpty()) {
        named = online->parameters(keys, out);
        if (!named)
            return ExitFailure;
    }
    const auto wanted = [&](const model::HeskParameterElement& element) {
        if (!named)
            return true;
        return std::any_of(named->begin(), named->end(), [&](const model::HeskParameterElement* e) {
            return model::keyText(*e) == model::keyText(element);
        });
    };
    std::vector<int> rows;
    std::vector<const model::HeskParameterElement*> toRead;
    for (int row = 0; row < page.rowCount(); ++row) {
        const model::HeskParameterElement* element = page.definition(row);
        if (!element || !pages::comparableWithFactory(page.row(row)) || !wanted(*element))
            continue;
        rows.push_back(row);
        if (element->address < link::kAddressLimit)
            toRead.push_back(element);
    }
    if (named && rows.empty())
        return out.fail(QStringLiteral("heskmon: none of the keys is a settable parameter of \"%1\" with a factory value").arg(pageName));
    if (!online->connect())
        return ExitFailure;
    if (!online->readForDisplay(toRead))
        return out.fail(kReadTimeout);

    pages::ValueSource source;
    source.tables = &online->session().values();
    source.formulas = &opened.formulas();
    page.refreshAllValues(source);
    QJsonArray json;
    for (int row : rows) {
        if (!pages::differsFromFactory(page.row(row)))
            continue;
        const model::HeskParameterElement& element = *page.definition(row);
        const QString factory = element.factoryValue.trimmed();
        if (out.json()) {
            QJsonObject value = online->valueJson(element);
            value.insert(QStringLiteral("factory"), factory);
            json.append(value);
        } else {
            out.line(online->valueLine(element) + QLatin1Char('\t') + factory);
        }
    }
    if (out.json())
        out.document(json);
    else
        out.line(pages::factoryDifferenceText(pages::countFactoryDifferences(page)));
    return ExitOk;
}

int runRead(const QStringList& keys, const CliArguments& call, const CliOutput& out)
{
    if (call.has(QStringLiteral("--changed")))
        return runReadChanged(keys, call, out);
    if (keys.isEmpty())
        return out.usage(QStringLiteral("read: name at least one KEY, or --changed"));
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    // Every key is checked before the drive is asked, so a key without a device address
    // is refused at once rather than after the read time-out.
    const auto elements = online->parameters(keys, out);
    if (!elements)
        return ExitFailure;
    if (!online->connect())
        return ExitFailure;
    if (!online->readForDisplay(*elements))
        return out.fail(kReadTimeout);
    QJsonArray rows;
    for (const model::HeskParameterElement* element : *elements) {
        if (out.json())
            rows.append(online->valueJson(*element));
        else
            out.line(online->valueLine(*element));
    }
    if (out.json())
        out.document(rows);
    return ExitOk;
}

// The control panel's own parameters: with --panel they are written as the panel writes
// them, without the edit rules (their values are still checked).
bool isPanelParameter(const model::HeskParameterElement& element)
{
    static const QStringList keys = {QStringLiteral("P0880"), QStringLiteral("P7000.4"), QStringLiteral("P7000.5"),
                                     QStringLiteral("P7030"), QStringLiteral("P7200")};
    return keys.contains(model::keyText(element));
}

QString refusalText(const QString& key, const model::UserMessage& message)
{
    return QStringLiteral("%1: %2: %3").arg(key, message.title, message.text.trimmed());
}

int runWrite(const QStringList& assignments, const CliArguments& call, const CliOutput& out)
{
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    const bool panel = call.has(QStringLiteral("--panel"));
    model::OpenedProject& project = online->project();
    const editing::AllowedValueSource allowed = editing::AllowedValueSource::of(project);
    struct Pending {
        const model::HeskParameterElement* element;
        QString key;
        uint16_t raw;
        bool ruled;  // goes through the edit rules
        qsizetype index;  // in the call
    };
    std::vector<Pending> writes;
    // Every value is checked before anything is written; a refusal does not stop the
    // checks, so that one call names every value that cannot be written.
    std::map<qsizetype, QString> refusals;  // by the value's place in the call
    const auto checkedAll = [&]() {
        if (refusals.empty())
            return true;
        for (const auto& [index, refusal] : refusals)
            out.fail(refusal);
        out.fail(QStringLiteral("heskmon: nothing was written: %1 of %2 values refused")
                     .arg(refusals.size())
                     .arg(assignments.size()));
        return false;
    };

    for (const QString& assignment : assignments)
        if (assignment.indexOf(QLatin1Char('=')) <= 0)
            return out.usage(QStringLiteral("write takes KEY=VALUE, not '%1'").arg(assignment));

    // First what needs no value from the drive: the rules that hold offline (system and
    // read-only parameters, the editor a parameter takes), the allowed values, format and
    // limits.
    const editing::EditContext offline = editing::editContext(project, false, {});
    for (qsizetype index = 0; index < assignments.size(); ++index) {
        const QString& assignment = assignments[index];
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const QString key = assignment.left(equals);
        QString& refusal = refusals[index];
        QString problem;
        const model::HeskParameterElement* element = online->find(key, true, problem);
        if (!element) {
            refusal = problem;
            continue;
        }
        const model::HeskParameterElement& e = *element;
        const bool ruled = !(panel && isPanelParameter(e));
        if (ruled) {
            const editing::EditDecision decision = editing::decideValueEdit(offline, e);
            if (decision.refused()) {
                refusal = refusalText(key, *decision.refusal);
                continue;
            }
            if (decision.editor == editing::EditorKind::None) {
                refusal = QStringLiteral("heskmon: %1: values of this device type are not edited").arg(key);
                continue;
            }
        }
        if (!e.isSettable()) {
            refusal = QStringLiteral("heskmon: %1 is a read-only parameter").arg(key);
            continue;
        }
        if (e.isConnection()) {
            refusal = QStringLiteral("heskmon: %1 is a connection; connections are changed in the window's "
                                     "connection dialog")
                          .arg(key);
            continue;
        }
        QString text = assignment.mid(equals + 1);
        if (!editing::checkAllowedValue(allowed, e.number, text)) {
            refusal = refusalText(key, editing::allowedValueRefusal(e.number));
            continue;
        }
        const model::TypedValueConversion converted = model::convertTypedValue(project, e, text);
        if (!converted.ok()) {
            refusal = QStringLiteral("%1: %2").arg(key, converted.failureText());
            continue;
        }
        writes.push_back({&e, key, *converted.raw.raw, ruled, index});
        refusals.erase(index);
    }
    if (writes.empty() && !checkedAll())
        return ExitFailure;
    if (!online->connect()) {
        checkedAll();
        return ExitFailure;
    }
    shell::MonitorSession& session = online->session();

    // Then the rules that read the drive: its access word, menu level and operating state
    // (on the inverter also the active data set and the slave count), read now. The window
    // decides on the words its polls last brought; this call has just connected and has
    // polled nothing, so it reads them once, with the single read (nothing else runs on
    // the link meanwhile, so switching the reader thread loses nothing here). The values
    // are checked one after the other as a person would change them, so a P0053, P0060 or
    // P0089 set earlier in the call counts for the later ones (a refused one does not);
    // nothing is written unless every value passes.
    const bool anyRuled = std::any_of(writes.begin(), writes.end(), [](const Pending& w) { return w.ruled; });
    const std::vector<const model::HeskParameterElement*> ruleInputs = editing::ruleValueParameters(project);
    if (anyRuled && !ruleInputs.empty() && !session.readParameters(ruleInputs)) {
        out.fail(kReadTimeout);
        return out.fail(QStringLiteral("heskmon: nothing was written: the drive's access word, menu level and "
                                       "state could not be read"));
    }
    std::map<const model::HeskParameterElement*, uint16_t> setEarlier;
    const editing::RawWordLookup drive = [&](const model::HeskParameterElement& e) -> std::optional<uint16_t> {
        if (const auto it = setEarlier.find(&e); it != setEarlier.end())
            return it->second;
        return session.onlineRaw(e);
    };
    for (const Pending& w : writes) {
        if (w.ruled) {
            const editing::EditDecision decision =
                editing::decideValueEdit(editing::editContext(project, true, drive), *w.element);
            if (decision.refused()) {
                refusals[w.index] = refusalText(w.key, *decision.refusal);
                continue;
            }
        }
        setEarlier[w.element] = w.raw;
    }
    if (!checkedAll())
        return ExitFailure;

    QJsonArray rows;
    const auto printWritten = [&] {
        if (out.json())
            out.document(rows);
    };
    QStringList written;
    for (auto it = writes.begin(); it != writes.end(); ++it) {
        const Pending& w = *it;
        // As the value dialog does: the table shows the new value at once, the next poll
        // brings the drive's.
        session.values().parameters.store(w.element->address, w.raw);
        if (!session.write(link::writeValueRequest(w.element->address, w.raw))) {
            printWritten();
            out.fail(QStringLiteral("%1: 在线修改参数值失败！").arg(w.key));
            QStringList notWritten;
            for (auto rest = it; rest != writes.end(); ++rest)
                notWritten << rest->key;
            return out.fail(QStringLiteral("heskmon: written: %1; not written: %2")
                                .arg(written.isEmpty() ? QStringLiteral("none") : written.join(QStringLiteral(", ")),
                                     notWritten.join(QStringLiteral(", "))));
        }
        written << w.key;
        const std::vector<const model::HeskParameterElement*> readBack{w.element};
        if (!online->readForDisplay(readBack))
            out.fail(QStringLiteral("heskmon: %1 was written, but reading it back did not answer: the value shown "
                                    "is the one written")
                         .arg(w.key));
        if (out.json())
            rows.append(online->valueJson(*w.element));
        else
            out.line(online->valueLine(*w.element));
    }
    printWritten();
    return ExitOk;
}

int runWatch(const QStringList& keys, const CliArguments& call, const CliOutput& out)
{
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    const auto seconds = [&](const char* name, double fallback) -> std::optional<double> {
        const auto text = call.option(QString::fromLatin1(name));
        if (!text)
            return fallback;
        bool ok = false;
        const double value = text->toDouble(&ok);
        if (!ok || !(value > 0) || !std::isfinite(value))
            return std::nullopt;
        return value;
    };
    const std::optional<double> duration = seconds("--seconds", 10);
    if (!duration)
        return out.usage(QStringLiteral("--seconds takes a positive number, not '%1'")
                             .arg(*call.option(QStringLiteral("--seconds"))));
    const std::optional<double> every = seconds("--every", 0);
    if (!every)
        return out.usage(QStringLiteral("--every takes a positive number of seconds, not '%1'")
                             .arg(*call.option(QStringLiteral("--every"))));
    const auto elements = online->parameters(keys, out);
    if (!elements)
        return ExitFailure;
    if (!online->connect())
        return ExitFailure;
    shell::MonitorSession& session = online->session();
    // The values to start from, then a line per value whose shown text changed; with
    // --every, every value at that period instead.
    if (!online->readForDisplay(*elements))
        return out.fail(kReadTimeout);
    online::FrameList page;
    for (const model::HeskParameterElement* element : *elements)
        page.push(online::readRequestFor(*element));
    session.installPagePollList(&page);
    QElapsedTimer clock;
    clock.start();
    const auto now = [&] { return clock.elapsed() / 1000.0; };
    std::vector<QString> shown(elements->size());
    for (size_t i = 0; i < elements->size(); ++i) {
        shown[i] = online->valueText(*(*elements)[i]);
        emitValue(*online, *(*elements)[i], out, 0.0);
    }
    const qint64 period = static_cast<qint64>(*every * 1000);
    qint64 nextPrint = period;
    const auto report = [&] {
        if (period > 0) {
            if (clock.elapsed() < nextPrint)
                return;
            nextPrint += period;
            for (const model::HeskParameterElement* element : *elements)
                emitValue(*online, *element, out, now());
            return;
        }
        for (size_t i = 0; i < elements->size(); ++i) {
            const QString text = online->valueText(*(*elements)[i]);
            if (text == shown[i])
                continue;
            shown[i] = text;
            emitValue(*online, *(*elements)[i], out, now());
        }
    };
    runFor(std::chrono::milliseconds(static_cast<qint64>(*duration * 1000)), [&] {
        if (!session.isOnline())
            return true;
        report();
        return false;
    });
    session.installPagePollList(nullptr);
    return session.isOnline() ? ExitOk : ExitFailure;
}

}  // namespace

void addOnlineCommands(std::vector<CliCommand>& table)
{
    QStringList valueOptions = OnlineCall::valueOptions();
    const QStringList flags = OnlineCall::flagOptions();
    const QString options = OnlineCall::optionsHelp();
    table.push_back({{QStringLiteral("connect")},
                     QStringLiteral("connect --project FILE [--port PATH | --udp]"),
                     QStringLiteral("connect to the drive, identify it and show the status"),
                     options + QStringLiteral(R"(
Runs the connect sequence of the window (CPU type, program identifier, last download and
restore flags), polls for a moment and prints the three status panes and the device's
identification; disconnects at the end. Exit 0 when the drive went online.

JSON: {online, status {connection, program, cpuLoad}, and over a serial line cpuType,
cpuName, programId, variantFlag, deviceFlag})"),
                     0, 0, valueOptions, flags, runConnect});
    table.push_back({{QStringLiteral("read")},
                     QStringLiteral("read --project FILE [--port PATH | --udp] KEY... | --changed [--page NAME] [KEY...]"),
                     QStringLiteral("read parameters once from the drive"),
                     options + QStringLiteral(R"(
KEY   key text ("P0107.1") or display number ("P0100", "r0002", "K0012")

Prints one line per parameter, tab-separated: number, name, value and unit, the value
as the pages show it (the page's decimals, formulas with the drive's power unit and
reference values, which are read first; a connection input as the number of its
source, "K0091"). A key the project does not have, or one without a device address
(r0071 to r0073, computed from the base values), is refused before the drive is asked.
Exit 1 with "请求数据超时，请您重新尝试！" when one does not answer.

--changed       only the settable parameters whose value differs from the factory value,
                as the page filter "仅显示与出厂值不同" shows them: every such parameter of
                the page (--page, default "P参数") or of the KEYs is read, and each one that
                differs is printed with its factory value as a fifth column; the last line
                counts them ("与出厂值不同：N 项"); numbers are compared with the
                display type's tolerance ("0.00" is a factory "0")

JSON: [{key, displayNumber, name, value, unit, raw ("0x%04X", the drive's word)}], with
--changed also factory)"),
                     0, -1, valueOptions + QStringList{QStringLiteral("--page")},
                     flags + QStringList{QStringLiteral("--changed")}, runRead});
    table.push_back({{QStringLiteral("write")},
                     QStringLiteral("write --project FILE [--port PATH | --udp] [--panel] KEY=VALUE..."),
                     QStringLiteral("change parameter values on the drive (confirmed writes)"),
                     options + QStringLiteral(R"(--panel            write the control panel's own parameters (P0880, P7000.4,
                   P7000.5, P7030, P7200) as the panel does, without the edit rules

All or nothing: every value is checked before anything is written. Every KEY goes
through the edit rules of the window (system and read-only parameters, access word
P0053, menu level P0060, operating state r0001, on the inverter also the active motor
data set r0011 and the slave count P0089, all read from the drive first; a P0053, P0060
or P0089 earlier in the call counts for the later keys), and every VALUE through the
allowed values of the special parameters (P0749 is stored as digit, point, digit) and
the value dialog's checks (format, decimals, limits). Connections and parameters without
a device address are refused. When any value is refused, every refusal is printed
("KEY: title: message"), then "heskmon: nothing was written: N of M values refused", and
the exit code is 1 with the drive unchanged.
Otherwise the writes go through the confirmed pipeline one after the other and each value
is read back and printed as 'read' prints it. Should the drive not confirm a write, the
call stops there: "KEY: 在线修改参数值失败！" and "heskmon: written: ...; not written: ..."
name what the drive holds now (exit 1).

JSON: [{key, displayNumber, name, value, unit, raw}] as read back)"),
                     1, -1, valueOptions, flags + QStringList{QStringLiteral("--panel")}, runWrite});
    valueOptions << QStringLiteral("--seconds") << QStringLiteral("--every");
    table.push_back({{QStringLiteral("watch")},
                     QStringLiteral("watch --project FILE [--port PATH | --udp] KEY... [--seconds N] [--every S]"),
                     QStringLiteral("poll parameters cyclically and print their changes"),
                     options + QStringLiteral(R"(--seconds N        how long to watch (default 10)
--every S          print every value each S seconds, changed or not, instead of the
                   changes

The keys are polled as a page on show is: through the send scheduler, once per second.
First every value once, then a line per value whose shown text changed (a value that
stays the same is not printed again): "<time>s<TAB>" and the line 'read' prints. Exit 1
when the link dies.

JSON: one compact object per line: {key, displayNumber, name, value, unit, raw, time})"),
                     1, -1, valueOptions, flags, runWatch});
}

}  // namespace hesk::cli

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

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <algorithm>
#include <map>

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

QJsonObject valueJson(OnlineCall& online, const model::HeskParameterElement& element)
{
    return {{QStringLiteral("key"), model::keyText(element)},
            {QStringLiteral("displayNumber"), model::displayNumber(online.project().project(), element, true)},
            {QStringLiteral("value"), online.valueText(element)},
            {QStringLiteral("raw"), online.rawText(element)}};
}

void printValue(OnlineCall& online, const model::HeskParameterElement& element, const CliOutput& out,
                const QString& prefix = {})
{
    out.line(QStringLiteral("%1%2 %3").arg(prefix, model::displayNumber(online.project().project(), element, true),
                                           online.valueText(element)));
}

int runRead(const QStringList& keys, const CliArguments& call, const CliOutput& out)
{
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    const auto elements = online->parameters(keys, out);
    if (!elements)
        return ExitFailure;
    if (!online->connect())
        return ExitFailure;
    if (!online->session().readParameters(*elements))
        return out.fail(QStringLiteral("请求数据超时，请您重新尝试！"));
    online->session().refreshFormulas();
    QJsonArray rows;
    for (const model::HeskParameterElement* element : *elements) {
        if (out.json())
            rows.append(valueJson(*online, *element));
        else
            printValue(*online, *element, out);
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

int refuse(const CliOutput& out, const QString& key, const model::UserMessage& message)
{
    return out.fail(QStringLiteral("%1: %2: %3").arg(key, message.title, message.text));
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
    };
    std::vector<Pending> writes;
    // First what needs no value from the drive: the rules that hold offline (system and
    // read-only parameters, the editor a parameter takes), the allowed values, format and
    // limits.
    const editing::EditContext offline = editing::editContext(project, false, {});
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return out.usage(QStringLiteral("write takes KEY=VALUE, not '%1'").arg(assignment));
        const QString key = assignment.left(equals);
        const auto element = online->parameters({key}, out);
        if (!element)
            return ExitFailure;
        const model::HeskParameterElement& e = *element->front();
        const bool ruled = !(panel && isPanelParameter(e));
        if (ruled) {
            const editing::EditDecision decision = editing::decideValueEdit(offline, e);
            if (decision.refused())
                return refuse(out, key, *decision.refusal);
            if (decision.editor == editing::EditorKind::None)
                return out.fail(QStringLiteral("heskmon: %1: values of this device type are not edited").arg(key));
        }
        if (!e.isSettable())
            return out.fail(QStringLiteral("heskmon: %1 is a read-only parameter").arg(key));
        if (e.isConnection())
            return out.fail(QStringLiteral("heskmon: %1 is a connection; connections are changed in the window's "
                                           "connection dialog")
                                .arg(key));
        QString text = assignment.mid(equals + 1);
        if (!editing::checkAllowedValue(allowed, e.number, text))
            return refuse(out, key, editing::allowedValueRefusal(e.number));
        const model::TypedValueConversion converted = model::convertTypedValue(project, e, text);
        if (!converted.ok())
            return out.fail(QStringLiteral("%1: %2").arg(key, converted.failureText()));
        writes.push_back({&e, key, *converted.raw.raw, ruled});
    }
    if (!online->connect())
        return ExitFailure;
    shell::MonitorSession& session = online->session();

    // Then the rules that read the drive: its access word, menu level and operating state
    // (on the inverter also the active data set and the slave count), read now. The values
    // are checked one after the other as a person would change them, so a P0053, P0060 or
    // P0089 set earlier in the call counts for the later ones; nothing is written unless
    // every value passes.
    const bool anyRuled = std::any_of(writes.begin(), writes.end(), [](const Pending& w) { return w.ruled; });
    const std::vector<const model::HeskParameterElement*> ruleInputs = editing::ruleValueParameters(project);
    if (anyRuled && !ruleInputs.empty() && !session.readParameters(ruleInputs))
        return out.fail(QStringLiteral("请求数据超时，请您重新尝试！"));
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
            if (decision.refused())
                return refuse(out, w.key, *decision.refusal);
        }
        setEarlier[w.element] = w.raw;
    }

    QJsonArray rows;
    for (const Pending& w : writes) {
        // As the value dialog does: the table shows the new value at once, the next poll
        // brings the drive's.
        session.values().parameters.store(w.element->address, w.raw);
        if (!session.write(link::writeValueRequest(w.element->address, w.raw)))
            return out.fail(QStringLiteral("%1: 在线修改参数值失败！").arg(model::keyText(*w.element)));
        std::vector<const model::HeskParameterElement*> readBack{w.element};
        session.readParameters(readBack);
        if (out.json())
            rows.append(valueJson(*online, *w.element));
        else
            printValue(*online, *w.element, out);
    }
    if (out.json())
        out.document(rows);
    return ExitOk;
}

int runWatch(const QStringList& keys, const CliArguments& call, const CliOutput& out)
{
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    double seconds = 10;
    if (const auto text = call.option(QStringLiteral("--seconds"))) {
        bool ok = false;
        seconds = text->toDouble(&ok);
        if (!ok || seconds <= 0)
            return out.usage(QStringLiteral("--seconds takes a positive number, not '%1'").arg(*text));
    }
    const auto elements = online->parameters(keys, out);
    if (!elements)
        return ExitFailure;
    if (!online->connect())
        return ExitFailure;
    shell::MonitorSession& session = online->session();
    online::FrameList page;
    for (const model::HeskParameterElement* element : *elements)
        page.push(online::readRequestFor(*element));
    session.installPagePollList(&page);

    // Values to start from, then a line per change, and every value once a second while
    // nothing changes.
    if (!session.readParameters(*elements))
        return out.fail(QStringLiteral("请求数据超时，请您重新尝试！"));
    std::vector<QString> shown(elements->size());
    QElapsedTimer clock;
    clock.start();
    qint64 lastLine = -1000;
    const auto print = [&](size_t i) {
        const model::HeskParameterElement& element = *(*elements)[i];
        if (out.json()) {
            QJsonObject row = valueJson(*online, element);
            row.insert(QStringLiteral("time"), clock.elapsed() / 1000.0);
            out.line(QString::fromUtf8(QJsonDocument(row).toJson(QJsonDocument::Compact)));
        } else {
            printValue(*online, element, out, QStringLiteral("%1s ").arg(clock.elapsed() / 1000.0, 0, 'f', 1));
        }
    };
    const auto report = [&] {
        bool printed = false;
        for (size_t i = 0; i < elements->size(); ++i) {
            const QString text = online->valueText(*(*elements)[i]);
            if (text != shown[i]) {
                shown[i] = text;
                print(i);
                printed = true;
            }
        }
        if (!printed && clock.elapsed() - lastLine >= 1000) {
            for (size_t i = 0; i < elements->size(); ++i)
                print(i);
            printed = true;
        }
        if (printed) {
            lastLine = clock.elapsed();
            out.flush();  // a change is seen when it happens, also through a pipe
        }
    };
    runFor(std::chrono::milliseconds(static_cast<qint64>(seconds * 1000)), [&] {
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
                     QStringLiteral("read --project FILE [--port PATH | --udp] KEY..."),
                     QStringLiteral("read parameters once from the drive"),
                     options + QStringLiteral(R"(
KEY   key text ("P0107.1") or display number ("P0100", "r0002", "K0012")
Prints each value as the pages show it (formulas, decimals, unit), a connection as its
source address. Exit 1 with "请求数据超时，请您重新尝试！" when one does not answer.

JSON: [{key, displayNumber, value, raw}])"),
                     1, -1, valueOptions, flags, runRead});
    table.push_back({{QStringLiteral("write")},
                     QStringLiteral("write --project FILE [--port PATH | --udp] [--panel] KEY=VALUE..."),
                     QStringLiteral("change parameter values on the drive (confirmed writes)"),
                     options + QStringLiteral(R"(--panel            write the control panel's own parameters (P0880, P7000.4,
                   P7000.5, P7030, P7200) as the panel does, without the edit rules

Every KEY goes through the edit rules of the window (system and read-only parameters,
access word P0053, menu level P0060, operating state r0001, on the inverter also the
active motor data set r0011 and the slave count P0089, all read from the drive first),
and every VALUE through the allowed values of the special parameters (P0749 is stored
as digit, point, digit) and the value dialog's checks (format, decimals, limits). The
first refusal prints its message and exits 1 before anything is written. Then the writes
go through the confirmed pipeline one after the other and each value is read back.
Connections are refused.

JSON: [{key, displayNumber, value, raw}] as read back)"),
                     1, -1, valueOptions, flags + QStringList{QStringLiteral("--panel")}, runWrite});
    valueOptions << QStringLiteral("--seconds");
    table.push_back({{QStringLiteral("watch")},
                     QStringLiteral("watch --project FILE [--port PATH | --udp] KEY... [--seconds N]"),
                     QStringLiteral("poll parameters cyclically and print their changes"),
                     options + QStringLiteral(R"(--seconds N        how long to watch (default 10)

The keys are polled as a page on show is: through the send scheduler, once per second.
A line "<time> <number> <value>" per change, and all values once a second while nothing
changes. Exit 1 when the link dies.

JSON: one compact object per line: {key, displayNumber, value, raw, time})"),
                     1, -1, valueOptions, flags, runWatch});
}

}  // namespace hesk::cli

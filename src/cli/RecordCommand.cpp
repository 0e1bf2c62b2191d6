// heskmon record: the trigger recorder on the same core objects as the window. An
// immediate start, or a start armed on a condition (single, or continuous into a folder),
// then the data table written as the recorder's "导出数据" writes it.

#include "CliCommand.h"
#include "OnlineCall.h"

#include "recording/RecorderSessionHooks.h"
#include "recording/TriggerDataFile.h"
#include "recording/TriggerRecorder.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimer>

#include <atomic>
#include <csignal>

namespace hesk::cli {

namespace {

using recording::TriggerRecorder;
using recording::TriggerRecording;
using recording::TriggerSettings;
using recording::TriggerSettingsForm;

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int) { g_interrupted.store(true); }

QTextStream& errorStream()
{
    static QTextStream err(stderr);
    return err;
}

// What the options ask for, before anything is sent.
struct RecordRequest {
    TriggerSettings settings;
    bool triggered = false;
    QString output;        // -o FILE (single recordings)
    int count = 0;         // --count N (continuous), 0: until interrupted
    int seconds = 0;       // --seconds N, 0: no limit but the recorder's own timers
};

// "K0002>50", "K0002<-10.5", "K0002=0", "K0002<>3", "K0002[3]=1", "B0003=1", "fault".
std::optional<QString> parseTrigger(const QString& text, const model::OpenedProject& project,
                                    TriggerSettingsForm& form, TriggerSettings& s)
{
    if (text.compare(QLatin1String("fault"), Qt::CaseInsensitive) == 0) {
        form.faultTrigger = true;
        s.faultTriggerOn = 1;
        return std::nullopt;
    }
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([A-Za-z][0-9]{4}(?:\.[0-9]+)?)\s*(?:\[\s*([0-9]+)\s*\])?\s*(<>|<|>|=)\s*(\S+)\s*$)"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return QStringLiteral("--trigger takes PARAM>V, PARAM<V, PARAM=V, PARAM<>V (percent), PARAM[BIT]=0|1, "
                              "B0003=0|1 or fault, not '%1'").arg(text);
    const QString parameter = m.captured(1);
    const model::HeskParameterElement* element = project.find(parameter);
    if (element == nullptr)
        return QStringLiteral("--trigger: the project has no parameter %1").arg(parameter);
    const QString op = m.captured(3);
    const QString value = m.captured(4);
    const bool binector = parameter.startsWith(QLatin1Char('B'), Qt::CaseInsensitive) && m.captured(2).isEmpty();
    if (binector) {
        if (op != QLatin1String("=") || (value != QLatin1String("0") && value != QLatin1String("1")))
            return QStringLiteral("--trigger: a binector condition is %1=0 or %1=1").arg(parameter);
        form.condition2 = true;
        form.condition2Parameter = parameter;
        form.condition2Value = value.toInt();
        s.condition2On = 1;
        s.condition2Parameter = parameter;
        s.condition2Address = recording::condition2Address(parameter, project.project(), element->address);
        s.condition2Value = value.toInt();
        s.condition2ValueText = value;
        return std::nullopt;
    }
    form.condition1 = true;
    form.condition1Parameter = parameter;
    form.value = value;
    s.condition1On = 1;
    s.condition1Parameter = parameter;
    s.condition1Address = element->address;
    s.value = value;
    if (!m.captured(2).isEmpty()) {
        if (op != QLatin1String("="))
            return QStringLiteral("--trigger: a bit condition is %1[BIT]=0 or =1").arg(parameter);
        form.bitMode = true;
        form.bitNumber = m.captured(2);
        s.bitMode = 1;
        s.bitNumber = m.captured(2).toInt();
        return std::nullopt;
    }
    const recording::TriggerOperator kind = op == QLatin1String("<")   ? recording::TriggerOperator::Less
                                            : op == QLatin1String(">") ? recording::TriggerOperator::Greater
                                            : op == QLatin1String("=") ? recording::TriggerOperator::Equal
                                                                       : recording::TriggerOperator::NotEqual;
    form.conditionOperator = kind;
    s.conditionOperator = static_cast<int32_t>(kind);
    return std::nullopt;
}

std::optional<QString> parseRequest(const CliArguments& call, const model::OpenedProject& project, RecordRequest& r)
{
    r.settings = recording::defaultTriggerSettings(project);
    for (auto& channel : r.settings.channels)
        channel = {};
    const QStringList channels = call.values(QStringLiteral("--channel"));
    if (channels.size() > recording::kRecorderChannels)
        return QStringLiteral("at most %1 --channel options").arg(recording::kRecorderChannels);
    TriggerSettingsForm form;
    for (qsizetype i = 0; i < channels.size(); ++i) {
        const std::optional<recording::TRSETCHANEL> channel = recording::channelFor(project, channels[i]);
        if (!channel)
            return QStringLiteral("--channel: the project has no parameter %1").arg(channels[i]);
        r.settings.channels[static_cast<size_t>(i)] = *channel;
        form.channelTicked[static_cast<size_t>(i)] = true;
    }
    form.samplingPeriod = call.option(QStringLiteral("--period")).value_or(QStringLiteral("1"));
    form.preTrigger = call.option(QStringLiteral("--pretrigger")).value_or(QStringLiteral("0"));
    const std::optional<QString> trigger = call.option(QStringLiteral("--trigger"));
    r.triggered = trigger.has_value();
    if (trigger) {
        if (std::optional<QString> problem = parseTrigger(*trigger, project, form, r.settings))
            return problem;
    } else {
        form.faultTrigger = true;  // an immediate start needs no condition
        if (call.option(QStringLiteral("--pretrigger")) || call.option(QStringLiteral("--continuous")))
            return QStringLiteral("--pretrigger and --continuous need --trigger");
    }
    if (std::optional<model::UserMessage> refusal = recording::validateTriggerSettings(form))
        return refusal->text;
    r.settings.samplingPeriod = form.samplingPeriod.trimmed().toInt();
    r.settings.preTrigger = form.preTrigger.trimmed().toInt();
    if (const std::optional<QString> folder = call.option(QStringLiteral("--continuous"))) {
        r.settings.startMode = recording::continuousTriggerText();
        r.settings.savePath = QFileInfo(*folder).absoluteFilePath();
    } else if (!call.option(QStringLiteral("-o"))) {
        return QStringLiteral("-o FILE.txt names the data file (or --continuous DIR)");
    }
    r.output = call.option(QStringLiteral("-o")).value_or(QString());
    for (const auto& [name, target] : {std::pair{QStringLiteral("--count"), &r.count},
                                       std::pair{QStringLiteral("--seconds"), &r.seconds}}) {
        if (const std::optional<QString> text = call.option(name)) {
            bool ok = false;
            *target = text->toInt(&ok);
            if (!ok || *target <= 0)
                return QStringLiteral("%1 takes a whole number above 0, not '%2'").arg(name, *text);
        }
    }
    if (r.count > 0 && !call.option(QStringLiteral("--continuous")))
        return QStringLiteral("--count needs --continuous");
    return std::nullopt;
}

QJsonObject recordingJson(const TriggerRecording& r, const QString& file)
{
    QJsonArray channels;
    for (const recording::RecordedChannel& c : r.channels) {
        if (!c.hasData())
            continue;
        channels.append(QJsonObject{{QStringLiteral("number"), c.number},
                                    {QStringLiteral("label"), c.label},
                                    {QStringLiteral("samples"), static_cast<int>(c.words.size())},
                                    {QStringLiteral("triggerPosition"), c.triggerPosition}});
    }
    return {{QStringLiteral("file"), file},
            {QStringLiteral("time"), r.information.time},
            {QStringLiteral("condition"), r.information.condition},
            {QStringLiteral("baseTime"), r.information.baseTime},
            {QStringLiteral("sampleIntervalMs"), r.sampleIntervalMs()},
            {QStringLiteral("channels"), channels}};
}

int runRecord(const QStringList&, const CliArguments& call, const CliOutput& out)
{
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    RecordRequest request;
    if (const std::optional<QString> problem = parseRequest(call, online->project(), request))
        return out.usage(QStringLiteral("record: ") + *problem);
    if (!online->connect())
        return ExitFailure;
    shell::MonitorSession& session = online->session();
    CliPrompt prompt(false);
    TriggerRecorder recorder(session, prompt);
    recording::RecorderSessionHooks hooks(recorder);
    session.setHooks(&hooks);
    session.ports().recorder = &recorder;
    recorder.setSettings(request.settings);

    std::optional<TriggerRecording> single;
    QStringList saved;
    QJsonArray savedJson;
    bool failed = false;
    QEventLoop loop;
    QObject::connect(&recorder, &TriggerRecorder::recordingComplete, &loop,
                     [&](const TriggerRecording& r, bool) {
                         if (!request.settings.continuous()) {
                             single = r;
                             loop.quit();
                         }
                     });
    QObject::connect(&recorder, &TriggerRecorder::recordingSaved, &loop, [&](const QString& path) {
        saved << path;
        errorStream() << QStringLiteral("record: %1\n").arg(path);
        errorStream().flush();
        if (request.count > 0 && saved.size() >= request.count)
            loop.quit();
    });
    QObject::connect(&recorder, &TriggerRecorder::ended, &loop, [&] {
        failed = true;  // back to idle without a recording
        loop.quit();
    });
    QObject::connect(&recorder, &TriggerRecorder::statusText, &loop, [](const QString& text) {
        errorStream() << QStringLiteral("record: %1\n").arg(text);
        errorStream().flush();
    });
    bool timedOut = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QTimer interruptCheck;
    QObject::connect(&interruptCheck, &QTimer::timeout, &loop, [&] {
        if (g_interrupted.load())
            loop.quit();
    });
    g_interrupted.store(false);
    const auto previous = std::signal(SIGINT, onInterrupt);
    const auto previousTerm = std::signal(SIGTERM, onInterrupt);
    interruptCheck.start(100);

    const TriggerRecorder::StartKind kind =
        request.triggered ? TriggerRecorder::StartKind::Triggered : TriggerRecorder::StartKind::Immediate;
    int result = ExitOk;
    if (!recorder.start(kind)) {
        result = ExitFailure;
    } else {
        if (request.seconds > 0)
            deadline.start(request.seconds * 1000);
        loop.exec();
        if (recorder.state() >= 5) {
            QObject::disconnect(&recorder, &TriggerRecorder::ended, &loop, nullptr);
            recorder.stop();
        }
        if (single) {
            const recording::TriggerDataWrite written = recording::writeTriggerDataFile(request.output, *single);
            if (!written.ok) {
                result = out.fail(QStringLiteral("heskmon record: %1 was not written: %2").arg(request.output, written.error));
            } else if (out.json()) {
                out.document(recordingJson(*single, request.output));
            } else {
                const auto span = single->timeSpanMs();
                out.line(QStringLiteral("%1\t%2 channel(s) x %3 samples, %4 ms .. %5 ms, %6")
                             .arg(request.output)
                             .arg(std::count_if(single->channels.begin(), single->channels.end(),
                                                [](const recording::RecordedChannel& c) { return c.hasData(); }))
                             .arg(single->rowCount())
                             .arg(span.first, 0, 'f', 3)
                             .arg(span.second, 0, 'f', 3)
                             .arg(single->information.condition));
            }
        } else if (request.settings.continuous()) {
            if (out.json()) {
                QJsonArray files;
                for (const QString& path : saved)
                    files.append(path);
                out.document(QJsonObject{{QStringLiteral("files"), files}});
            } else {
                for (const QString& path : saved)
                    out.line(path);
            }
            if (request.count > 0 && saved.size() < request.count)
                result = out.fail(QStringLiteral("heskmon record: %1 of %2 recordings were made").arg(saved.size()).arg(request.count));
        } else if (timedOut) {
            result = out.fail(QStringLiteral("heskmon record: no recording within %1 s").arg(request.seconds));
        } else {
            result = out.fail(failed ? QStringLiteral("heskmon record: the recording failed")
                                     : QStringLiteral("heskmon record: interrupted"));
        }
    }
    std::signal(SIGINT, previous);
    std::signal(SIGTERM, previousTerm);
    session.disconnectDevice();
    session.ports().recorder = nullptr;
    session.setHooks(nullptr);
    return result;
}

}  // namespace

void addRecordCommands(std::vector<CliCommand>& table)
{
    QStringList valueOptions = OnlineCall::valueOptions();
    valueOptions << QStringLiteral("--channel") << QStringLiteral("--period") << QStringLiteral("-o")
                 << QStringLiteral("--trigger") << QStringLiteral("--pretrigger") << QStringLiteral("--continuous")
                 << QStringLiteral("--count") << QStringLiteral("--seconds");
    table.push_back({{QStringLiteral("record")},
                     QStringLiteral("record --project P [--port PATH | --udp] --channel K0002 [--channel ...] "
                                    "[--period N] [--trigger COND [--pretrigger P] [--continuous DIR [--count N]]] "
                                    "[--seconds N] -o FILE.txt"),
                     QStringLiteral("record drive signals with the trigger recorder"),
                     OnlineCall::optionsHelp() + QStringLiteral(R"(--channel K    a connector to record (up to four, in channel order)
--period N     sampling period in multiples of the base time TA (1..99, default 1)
-o FILE        the data file (the recorder's table: CH1..CH4, PRE, rows, TIME, COND, ...)
--trigger C    start armed on a condition instead of at once:
               K0002>50, K0002<-10.5, K0002=0, K0002<>3   value in percent (-200..199.996)
               K0002[3]=1                                bit 3 of the word is 1
               B0003=1                                   a binector is 0 or 1
               fault                                     the drive's fault indicator (9106)
--pretrigger P share of the samples before the trigger, percent (0..100, default 0)
--continuous D keep recording: every recording is saved into folder D as
               TrigRec_%Y%m%d_%H%M%S.txt, until interrupted (Ctrl+C) or --count N
--seconds N    give up (stop the recorder) after N seconds

The 8192 samples of the drive are shared by the channels (8192 / N each).

JSON: {file, time, condition, baseTime, sampleIntervalMs, channels: [{number, label,
samples, triggerPosition}]}; with --continuous {files})"),
                     0, 0, valueOptions, OnlineCall::flagOptions(), runRecord});
}

}  // namespace hesk::cli

// heskmon search | ports: the device search over the installed projects, and the serial
// ports of the system.

#include "CliCommand.h"
#include "SettingsProblemText.h"

#include "model/LogSink.h"
#include "online/DeviceSearch.h"
#include "online/InstalledProjects.h"
#include "online/InterfaceSettings.h"
#include "online/InterfaceSetup.h"
#include "online/LinkDeviceProbe.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>

#include <chrono>
#include <cmath>
#include <thread>

namespace hesk::cli {

namespace {

using namespace std::chrono_literals;

// How often the outcome is looked for, as the dialog's timer 1 does.
constexpr std::chrono::milliseconds kPollInterval{20};
constexpr int kDefaultBaudRate = 38400;

std::optional<int> positiveNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

QString hexWord(uint16_t word)
{
    return QStringLiteral("0x%1").arg(word, 4, 16, QLatin1Char('0'));
}

// What the search ended with, as a word for scripts.
enum class SearchEnd { Found, Qb27, Error, NoProject, Timeout };

QString endName(SearchEnd end)
{
    switch (end) {
    case SearchEnd::Found: return QStringLiteral("found");
    case SearchEnd::Qb27: return QStringLiteral("qb27");
    case SearchEnd::Error: return QStringLiteral("error");
    case SearchEnd::NoProject: return QStringLiteral("noProject");
    case SearchEnd::Timeout: break;
    }
    return QStringLiteral("timeout");
}

int runSearch(const QStringList&, const CliArguments& call, const CliOutput& out)
{
    const std::optional<QString> port = call.option(QStringLiteral("--port"));
    const std::optional<QString> baudText = call.option(QStringLiteral("--baud"));
    const std::optional<QString> timeoutText = call.option(QStringLiteral("--timeout"));
    if (port && port->isEmpty())
        return out.usage(QStringLiteral("--port takes a device path"));
    if (baudText && !port)
        return out.usage(QStringLiteral("--baud goes with --port (otherwise the settings file names the rate)"));
    int baud = kDefaultBaudRate;
    if (baudText) {
        const std::optional<int> parsed = positiveNumber(*baudText);
        if (!parsed)
            return out.usage(QStringLiteral("--baud takes a positive decimal number, not '%1'").arg(*baudText));
        baud = *parsed;
    }
    std::chrono::milliseconds timeout = online::kSearchTimeout;
    if (timeoutText) {
        bool ok = false;
        const double seconds = timeoutText->toDouble(&ok);
        if (!ok || !std::isfinite(seconds) || seconds <= 0 || seconds > 3600)
            return out.usage(QStringLiteral("--timeout takes seconds (above 0, at most 3600), not '%1'").arg(*timeoutText));
        timeout = std::chrono::milliseconds(static_cast<long long>(std::ceil(seconds * 1000)));
    }

    const online::ProjectRoot root = online::applicationProjectRoot(call.option(QStringLiteral("--root")));
    // Where the settings file is, worked out here rather than on the worker.
    const online::SettingsLocation settingsLocation = online::applicationSettingsLocation();

    // Written by the worker, read once it has been joined (takeOutcome and stop join it).
    std::optional<online::ConnectionSettings> usedSettings;
    std::optional<online::InterfaceSettings::ConnectionSettingsCheck> settingsCheck;  // without --port
    online::DeviceSearchOptions options;
    options.projectRoot = root.folder;
    options.loadSettings = [&]() -> std::optional<online::ConnectionSettings> {
        if (port) {
            online::ConnectionSettings settings;
            settings.mode = online::InterfaceMode::Serial;
            settings.portName = *port;
            settings.portPath = online::portOpenPath(*port);
            settings.baudRate = QString::number(baud);
            usedSettings = settings;
        } else {
            settingsCheck = online::InterfaceSettings(settingsLocation).checkConnectionSettings();
            usedSettings = settingsCheck->settings;
        }
        return usedSettings;
    };
    // heskmon keeps no log file; the search suppresses the log while it asks anyway.
    model::NullLogSink log;
    online::LinkDeviceProbe probe(log);
    online::DeviceSearch search(options, probe);
    search.start();

    QElapsedTimer clock;
    clock.start();
    std::optional<online::DeviceSearchOutcome> outcome;
    while (!(outcome = search.takeOutcome())) {
        if (clock.elapsed() >= timeout.count()) {
            search.stop();
            break;
        }
        std::this_thread::sleep_for(kPollInterval);
    }

    SearchEnd end = SearchEnd::Timeout;
    QString message = online::searchTimeoutMessage().text;
    if (outcome && outcome->resultText == online::qb27ResultText()) {
        end = SearchEnd::Qb27;
        message = online::qb27AdviceText(outcome->programId.value_or(0));
    } else if (outcome && !outcome->resultText.isEmpty()) {
        end = SearchEnd::Error;
        message = outcome->resultText;
    } else if (outcome && outcome->match) {
        end = SearchEnd::Found;
        message = online::searchResultLine(*outcome->match);
    } else if (outcome) {
        // The dialog finds no project either and shows its time-out message.
        end = SearchEnd::NoProject;
    }

    if (out.json()) {
        QJsonObject document{
            {QStringLiteral("status"), endName(end)},
            {QStringLiteral("message"), message},
            {QStringLiteral("root"), root.folder},
            {QStringLiteral("rootSource"), root.source},
        };
        if (outcome)
            document.insert(QStringLiteral("resultText"), outcome->resultText);
        if (outcome && outcome->programId)
            document.insert(QStringLiteral("programId"), static_cast<int>(*outcome->programId));
        if (settingsCheck) {
            document.insert(QStringLiteral("settingsFile"), settingsCheck->path);
            if (!settingsCheck->settings)
                document.insert(QStringLiteral("settingsProblem"),
                                settingsProblemText(*settingsCheck, settingsLocation));
        }
        if (usedSettings) {
            document.insert(QStringLiteral("port"), usedSettings->portName);
            document.insert(QStringLiteral("portPath"), usedSettings->portPath);
            document.insert(QStringLiteral("baudRate"), usedSettings->baudRate);
        }
        if (outcome && outcome->match)
            document.insert(QStringLiteral("project"),
                            QJsonObject{{QStringLiteral("path"), outcome->match->path},
                                        {QStringLiteral("deviceType"), outcome->match->deviceType},
                                        {QStringLiteral("deviceVersion"), outcome->match->deviceVersion},
                                        {QStringLiteral("programId"), static_cast<int>(outcome->match->programId)}});
        out.document(document);
        return end == SearchEnd::Found ? ExitOk : ExitFailure;
    }

    if (end != SearchEnd::Found) {
        out.fail(message);
        if (settingsCheck && !settingsCheck->settings)
            out.fail(settingsProblemText(*settingsCheck, settingsLocation)
                     + QStringLiteral("; give --port PATH, or set the port in the window (调试 > 端口设定)"));
        if (end == SearchEnd::NoProject && outcome->programId)
            out.fail(QStringLiteral("heskmon: no project below %1 (%2) carries the device's program identifier %3")
                         .arg(root.folder, root.source, hexWord(*outcome->programId)));
        return ExitFailure;
    }
    out.line(message);
    out.line(QStringLiteral("Project    %1").arg(outcome->match->path));
    out.line(QStringLiteral("ProgramId  %1").arg(hexWord(outcome->match->programId)));
    if (usedSettings)
        out.line(QStringLiteral("Port       %1 (%2)").arg(usedSettings->portName, usedSettings->baudRate));
    return ExitOk;
}

int runPorts(const QStringList&, const CliArguments&, const CliOutput& out)
{
    const std::vector<online::SerialPortEntry> ports = online::systemSerialPorts();
    if (out.json()) {
        QJsonArray list;
        for (const online::SerialPortEntry& p : ports)
            list.append(QJsonObject{{QStringLiteral("portName"), p.portName},
                                    {QStringLiteral("systemLocation"), p.systemLocation},
                                    {QStringLiteral("description"), p.description},
                                    {QStringLiteral("manufacturer"), p.manufacturer}});
        out.document(QJsonObject{{QStringLiteral("ports"), list}});
        return ExitOk;
    }
    if (ports.empty()) {
        out.line(QStringLiteral("当前机器上未检测到串口设备！"));
        return ExitOk;
    }
    for (const online::SerialPortEntry& p : ports) {
        QString line = QStringLiteral("%1\t%2").arg(p.portName, p.systemLocation);
        if (!p.description.isEmpty())
            line += QLatin1Char('\t') + p.description;
        out.line(line);
    }
    return ExitOk;
}

}  // namespace

void addDeviceCommands(std::vector<CliCommand>& table)
{
    table.push_back({
        {QStringLiteral("search")},
        QStringLiteral("search [--port PATH [--baud N]] [--root DIR] [--timeout S]"),
        QStringLiteral("ask the device on the serial line who it is and find its installed project"),
        QStringLiteral(R"(--port PATH   the serial device (/dev/ttyUSB0, a pseudo-terminal path); without it
              "interfacecfg.ini" decides (mode "232", PORTNAME and BAUNDRATE)
--baud N      baud rate with --port (default 38400)
--root DIR    folder of the installed projects (see 'heskmon help project find')
--timeout S   give up after S seconds (default 30)

Asks the device for its program identifier (0x0C, 2 x 1000 ms) and CPU type (0x0E,
4 x 250 ms), then walks ROOT for the first project (.tmprj) whose header carries that
identifier. Prints what the search dialog shows: "  已搜索到设备：" type "，" version and
the project path (exit 0); the QB27 advice for a QB27 board (CPU type 0x71); an error
text ("通信设置加载失败！", "程序执行异常，请联系开发人员！", "串口打开失败！",
"请求设备程序ID超时。", "请求设备CPU类型超时。"); or "搜素设备超时，请您重新尝试！"
when no project carries the identifier or the time-out passed (all exit 1). Without
--port, settings that allow no connect are told with the file read and what it lacks,
after "通信设置加载失败！".

JSON: {status ("found", "qb27", "error", "noProject" or "timeout"), message (the text
shown), resultText (the board check's result), programId (when the device reported it),
port, portPath, baudRate (the settings used), settingsFile (without --port: the file
read) and settingsProblem (when it allows no connect), root, rootSource, project {path,
deviceType, deviceVersion, programId} (when found)}))"),
        0, 0,
        {QStringLiteral("--port"), QStringLiteral("--baud"), QStringLiteral("--root"), QStringLiteral("--timeout")},
        {},
        runSearch});
    table.push_back({
        {QStringLiteral("ports")},
        QStringLiteral("ports"),
        QStringLiteral("the serial ports of the system"),
        QStringLiteral(R"(One line per port: name, system location and description, tab-separated; with
none, "当前机器上未检测到串口设备！". Pseudo-terminals are not listed; give their path
to 'heskmon search --port'.

JSON: {ports [{portName, systemLocation, description, manufacturer}]})"),
        0, 0, {}, {}, runPorts});
}

}  // namespace hesk::cli

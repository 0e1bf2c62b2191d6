#include "OnlineCall.h"
#include "SettingsProblemText.h"

#include "link/FrameCodec.h"
#include "model/ParameterNumbering.h"
#include "pages/ParameterPage.h"

#include <QHostAddress>

#include <algorithm>

namespace hesk::cli {

namespace {

constexpr char kDefaultBaud[] = "38400";

// "ADDR" or "ADDR:PORT" (IPv4); the port defaults to `port`.
bool parseEndpoint(const QString& text, QString& address, uint16_t& port)
{
    QString host = text;
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && text.count(QLatin1Char(':')) == 1) {
        bool ok = false;
        const uint value = text.mid(colon + 1).toUInt(&ok);
        if (!ok || value > 65535)
            return false;
        port = static_cast<uint16_t>(value);
        host = text.left(colon);
    }
    if (QHostAddress(host).isNull())
        return false;
    address = host;
    return true;
}

}  // namespace

QString hexWord(uint16_t word)
{
    return QStringLiteral("0x") + QString::number(word, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QStringList OnlineCall::valueOptions()
{
    return {QStringLiteral("--project"), QStringLiteral("--port"), QStringLiteral("--baud"),
            QStringLiteral("--udp-local"), QStringLiteral("--udp-remote")};
}

QStringList OnlineCall::flagOptions()
{
    return {QStringLiteral("--udp"), QStringLiteral("--yes"), QStringLiteral("--verbose")};
}

QString OnlineCall::optionsHelp()
{
    return QStringLiteral(R"(--project FILE     the project of the device (.tmprj), required
--port PATH        serial device path (/dev/ttyUSB0, a pseudo-terminal, or a link to
                   one); --baud N sets the rate (default 38400)
--udp              Ethernet mode; --udp-local ADDR[:PORT] and --udp-remote ADDR[:PORT]
                   replace the addresses of the settings file (defaults 127.0.0.1 and
                   127.0.0.2, port 8001; local port 0 lets the system choose)
                   Without --port and --udp the settings file (interfacecfg.ini) decides,
                   as in the window; when it allows no connect, the file read and
                   what it lacks follow "通信设置加载失败！"
--yes              answer questions with Yes/OK (otherwise they are dismissed)
--verbose          every log line on standard error (otherwise level 2 and above)
)");
}

OnlineCall::OnlineCall(bool yes, bool verbose, const CliOutput& out) : m_log(verbose), m_prompt(yes), m_out(out) {}

OnlineCall::~OnlineCall()
{
    if (m_session && m_session->isOnline())
        m_session->disconnectDevice();
}

std::unique_ptr<OnlineCall> OnlineCall::prepare(const CliArguments& call, const CliOutput& out, int& exitCode,
                                               bool projectRequired)
{
    exitCode = ExitUsage;
    const std::optional<QString> projectPath = call.option(QStringLiteral("--project"));
    if (!projectPath && projectRequired) {
        out.usage(QStringLiteral("--project FILE is required"));
        return nullptr;
    }
    const bool udp = call.has(QStringLiteral("--udp"));
    const std::optional<QString> port = call.option(QStringLiteral("--port"));
    if (udp && port) {
        out.usage(QStringLiteral("--port and --udp exclude each other"));
        return nullptr;
    }
    std::unique_ptr<OnlineCall> online(
        new OnlineCall(call.has(QStringLiteral("--yes")), call.has(QStringLiteral("--verbose")), out));
    online->m_session = std::make_unique<shell::MonitorSession>(
        online->m_faultTables, online->m_log, online->m_prompt,
        online::InterfaceSettings(online::applicationSettingsLocation()));
    shell::MonitorSession& session = *online->m_session;

    if (port) {
        online::ConnectionSettings settings;
        settings.mode = online::InterfaceMode::Serial;
        settings.portName = *port;
        settings.portPath = online::portOpenPath(*port);
        settings.baudRate = call.option(QStringLiteral("--baud")).value_or(QString::fromLatin1(kDefaultBaud));
        bool numeric = false;
        if (settings.baudRate.toInt(&numeric) <= 0 || !numeric) {
            out.usage(QStringLiteral("--baud takes a positive number, not '%1'").arg(settings.baudRate));
            return nullptr;
        }
        session.overrideConnectionSettings(settings);
    } else if (udp) {
        online::ConnectionSettings settings;
        settings.mode = online::InterfaceMode::Ethernet;
        settings.udp = session.settings().udpEndpoints();
        for (const auto& [name, address, portNumber] :
             {std::tuple{QStringLiteral("--udp-local"), &settings.udp.localAddress, &settings.udp.localPort},
              std::tuple{QStringLiteral("--udp-remote"), &settings.udp.remoteAddress, &settings.udp.remotePort}}) {
            const std::optional<QString> text = call.option(name);
            if (text && !parseEndpoint(*text, *address, *portNumber)) {
                out.usage(QStringLiteral("%1 takes ADDR or ADDR:PORT, not '%2'").arg(name, *text));
                return nullptr;
            }
        }
        session.overrideConnectionSettings(settings);
    } else if (call.option(QStringLiteral("--baud")) || call.option(QStringLiteral("--udp-local"))
               || call.option(QStringLiteral("--udp-remote"))) {
        out.usage(QStringLiteral("--baud goes with --port, --udp-local and --udp-remote with --udp"));
        return nullptr;
    } else {
        online->m_fromSettingsFile = true;
    }

    exitCode = ExitFailure;
    if (!projectPath) {
        exitCode = ExitOk;
        return online;
    }
    if (const auto failure = session.project().open(*projectPath)) {
        out.fail(failure->text);
        return nullptr;
    }
    model::OpenedProject& opened = session.project();
    online->m_sources.emplace(opened.project(), opened.deviceClass());
    exitCode = ExitOk;
    return online;
}

bool OnlineCall::connect()
{
    if (m_session->connectDevice())
        return true;
    if (m_fromSettingsFile) {
        const online::InterfaceSettings& settings = m_session->settings();
        const online::InterfaceSettings::ConnectionSettingsCheck check = settings.checkConnectionSettings();
        if (!check.settings)
            m_out.fail(settingsProblemText(check, settings.location())
                       + QStringLiteral("; give --port PATH or --udp, or set the port in the window (调试 > 端口设定)"));
    }
    return false;
}

const model::HeskParameterElement* OnlineCall::find(const QString& key, bool withAddress, QString& problem)
{
    const model::HeskParameterElement* element = project().find(key);
    if (!element) {
        problem = QStringLiteral("heskmon: the project has no parameter %1").arg(key);
        return nullptr;
    }
    if (withAddress && element->address >= link::kAddressLimit) {
        problem = QStringLiteral("heskmon: %1 has no device address: the drive cannot be asked for it").arg(key);
        return nullptr;
    }
    return element;
}

std::optional<std::vector<const model::HeskParameterElement*>> OnlineCall::parameters(const QStringList& keys,
                                                                                     const CliOutput& out)
{
    std::vector<const model::HeskParameterElement*> elements;
    bool failed = false;
    for (const QString& key : keys) {
        QString problem;
        if (const model::HeskParameterElement* element = find(key, true, problem)) {
            elements.push_back(element);
        } else {
            out.fail(problem);
            failed = true;
        }
    }
    if (failed)
        return std::nullopt;
    return elements;
}

bool OnlineCall::readForDisplay(const std::vector<const model::HeskParameterElement*>& elements)
{
    const bool formulas = std::any_of(elements.begin(), elements.end(),
                                      [](const model::HeskParameterElement* e) { return e->usesFormulas(); });
    if (formulas) {
        const std::vector<const model::HeskParameterElement*> inputs = m_session->formulaInputs();
        if (!m_session->readParameters(inputs))
            return false;
    }
    if (!m_session->readParameters(elements))
        return false;
    m_session->refreshFormulas();
    return true;
}

QString OnlineCall::rawText(const model::HeskParameterElement& element)
{
    // Empty while the drive has not reported the word: never a placeholder 0.
    const std::optional<uint16_t> raw = m_session->onlineRaw(element);
    return raw ? hexWord(*raw) : QString();
}

QString OnlineCall::valueText(const model::HeskParameterElement& element)
{
    model::OpenedProject& opened = project();
    QString text = pages::onlineValueText(element, m_session->values(), *m_sources, opened.project().timeBases,
                                          &opened.formulas());
    // Say once per parameter why its formula gave no value.
    if (text == model::kWrongParameter && m_formulaFailuresLogged.insert(model::keyText(element)).second) {
        if (const std::optional<uint16_t> raw = m_session->onlineRaw(element))
            m_log.log(pages::formulaFailureLine(element, *raw, opened.project().timeBases, opened.formulas(),
                                                opened.deviceClass()),
                      3);
    }
    return text;
}

QString OnlineCall::unitText(const model::HeskParameterElement& element) const
{
    return element.unit.trimmed();
}

QString OnlineCall::valueLine(const model::HeskParameterElement& element)
{
    return QStringList{model::displayNumber(project().project(), element, true), element.name.trimmed(),
                       valueText(element), unitText(element)}
        .join(QLatin1Char('\t'));
}

QJsonObject OnlineCall::valueJson(const model::HeskParameterElement& element)
{
    return {{QStringLiteral("key"), model::keyText(element)},
            {QStringLiteral("displayNumber"), model::displayNumber(project().project(), element, true)},
            {QStringLiteral("name"), element.name.trimmed()},
            {QStringLiteral("value"), valueText(element)},
            {QStringLiteral("unit"), unitText(element)},
            {QStringLiteral("raw"), rawText(element)}};
}

}  // namespace hesk::cli

#pragma once
// The online session of one heskmon call (connect, read, write, watch): the project
// opened into a MonitorSession, the link chosen by --port / --udp or by the settings
// file, the terminal's prompt and log. Connecting and disconnecting go through the
// session exactly as the window's commands do.

#include "CliArguments.h"
#include "CliOutput.h"
#include "CliPrompt.h"

#include "files/ParameterUpload.h"
#include "model/FaultTableLibrary.h"
#include "online/InterfaceSettings.h"
#include "pages/PageValueText.h"
#include "shell/MonitorSession.h"

#include <QJsonObject>
#include <QStringList>

#include <memory>
#include <set>
#include <optional>
#include <vector>

namespace hesk::cli {

class OnlineCall {
public:
    // The options every online command takes.
    static QStringList valueOptions();  // --project --port --baud --udp-local --udp-remote
    static QStringList flagOptions();   // --udp --yes --verbose
    static QString optionsHelp();

    // Opens the project and prepares the session; prints the failure and returns nothing
    // when the project or the options are not usable. With `projectRequired` false a call
    // without --project gets a session without a project (the workflow opens one).
    static std::unique_ptr<OnlineCall> prepare(const CliArguments& call, const CliOutput& out, int& exitCode,
                                               bool projectRequired = true);
    ~OnlineCall();

    // Runs the connect sequence; its messages were printed on failure, and when the
    // settings file allowed no connect, which file was read and what it lacks.
    bool connect();
    shell::MonitorSession& session() { return *m_session; }
    model::OpenedProject& project() { return m_session->project(); }

    // The definition a key names (key text or display number), or nullptr with the
    // reason in `problem`: the project has no such parameter, or (withAddress) it has
    // no device address, so the drive cannot be asked for it.
    const model::HeskParameterElement* find(const QString& key, bool withAddress, QString& problem);
    // The definitions named by the keys, all of them with a device address; prints a
    // line for every key that fails and returns nothing then.
    std::optional<std::vector<const model::HeskParameterElement*>> parameters(const QStringList& keys,
                                                                             const CliOutput& out);
    // Reads the definitions from the drive for showing them: for formula parameters
    // the formulas' inputs first (the power unit, the reference values), then the
    // definitions, then the formulas are fed. False when one did not answer.
    bool readForDisplay(const std::vector<const model::HeskParameterElement*>& elements);

    // A definition's current online value as the pages show it (the page's own text:
    // decimals, formulas, a connection input as its source's number), its unit, and the
    // online raw word as "0x%04X".
    QString valueText(const model::HeskParameterElement& element);
    QString unitText(const model::HeskParameterElement& element) const;
    QString rawText(const model::HeskParameterElement& element);
    // One line of the value: number, name, value and unit, tab-separated.
    QString valueLine(const model::HeskParameterElement& element);
    // The JSON row of the value: {key, displayNumber, name, value, unit, raw}.
    QJsonObject valueJson(const model::HeskParameterElement& element);

private:
    OnlineCall(bool yes, bool verbose, const CliOutput& out);

    CliLog m_log;
    std::set<QString> m_formulaFailuresLogged;  // keys whose "WrongParameter" was explained
    CliPrompt m_prompt;
    model::FaultTableLibrary m_faultTables;
    std::unique_ptr<shell::MonitorSession> m_session;
    std::optional<pages::ConnectionSources> m_sources;  // once the project is open
    CliOutput m_out;
    bool m_fromSettingsFile = false;  // neither --port nor --udp
};

// "0x%04X" of a word.
QString hexWord(uint16_t word);

// The window's parameter upload on the call's session: connects, uploads into the
// options' file (progress on standard error) and disconnects. Nothing when it did not
// start or end (the reason printed); else the workflow's outcome.
std::optional<files::UploadOutcome> uploadFromDrive(OnlineCall& online, const files::UploadOptions& options,
                                                    model::UserPrompt& prompt, const CliOutput& out);

}  // namespace hesk::cli

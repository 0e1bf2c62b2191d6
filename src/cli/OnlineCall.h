#pragma once
// The online session of one heskmon call (connect, read, write, watch): the project
// opened into a MonitorSession, the link chosen by --port / --udp or by the settings
// file, the terminal's prompt and log. Connecting and disconnecting go through the
// session exactly as the window's commands do.

#include "CliArguments.h"
#include "CliOutput.h"
#include "CliPrompt.h"

#include "model/FaultTableLibrary.h"
#include "shell/MonitorSession.h"

#include <QStringList>

#include <memory>
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
    // when the project or the options are not usable.
    static std::unique_ptr<OnlineCall> prepare(const CliArguments& call, const CliOutput& out, int& exitCode);
    ~OnlineCall();

    // Runs the connect sequence; its messages were printed on failure.
    bool connect();
    shell::MonitorSession& session() { return *m_session; }
    model::OpenedProject& project() { return m_session->project(); }

    // The definitions named by the keys (key texts or display numbers); prints the
    // failure and returns nothing for a key the project does not have.
    std::optional<std::vector<const model::HeskParameterElement*>> parameters(const QStringList& keys,
                                                                             const CliOutput& out);

    // A definition's current online value as the pages show it: the value text with
    // its unit for values; "source N" (the connected address) for connections.
    QString valueText(const model::HeskParameterElement& element);
    // The online raw word as "0x%04X".
    QString rawText(const model::HeskParameterElement& element);

private:
    OnlineCall(bool yes, bool verbose);

    CliLog m_log;
    CliPrompt m_prompt;
    model::FaultTableLibrary m_faultTables;
    std::unique_ptr<shell::MonitorSession> m_session;
};

// "0x%04X" of a word.
QString hexWord(uint16_t word);

}  // namespace hesk::cli

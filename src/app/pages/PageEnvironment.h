#pragma once
// What every parameter page window shares: the session (project, value tables, poll
// slot), the person (prompt), the log, the offline values, the custom page's file state,
// the comparison switch and the formula generation, and two seams tests replace: the
// clock of the type-ahead and the dialog that asks for a parameter number.
//
// Owned by ParameterPageWindows; the windows refer to it. UI thread only.

#include "pages/CustomPageList.h"
#include "pages/OfflineValueSet.h"
#include "pages/TypeAhead.h"

#include "model/LogSink.h"
#include "model/UserPrompt.h"
#include "shell/MonitorSession.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace hesk::app {

struct PageEnvironment {
    PageEnvironment(shell::MonitorSession& session, model::UserPrompt& prompt, model::LogSink& log,
                    pages::OfflineValueSet& offline)
        : session(session), prompt(prompt), log(log), offline(offline)
    {
    }

    shell::MonitorSession& session;
    model::UserPrompt& prompt;
    model::LogSink& log;
    pages::OfflineValueSet& offline;

    pages::CustomPageState customPage;
    bool approximateComparison = false;
    // Raised when the formula-dependent values must be converted anew.
    uint64_t formulaGeneration = 0;

    // The type-ahead's clock (steady clock when empty).
    std::function<pages::TypeAhead::Clock::time_point()> clock;
    // The "自由参数" dialog: the typed text, nothing when cancelled (the real dialog when
    // empty).
    std::function<std::optional<QString>(QWidget* parent)> askParameterNumber;

    pages::TypeAhead::Clock::time_point now() const { return clock ? clock() : pages::TypeAhead::Clock::now(); }
};

}  // namespace hesk::app

#pragma once
// Read requests for parameter definitions and the system poll list built from them.
//
// The request code follows from the definition: a read-only parameter (settable 0) is
// read with 0x06 into the read-only table, a settable one with 0x01 into the parameter
// table, a connection (BICO) parameter with 0x17 into the connection table. The frame is
// F2 code addrHi addrLo 00 00 00 check.

#include "FrameList.h"
#include "link/FrameCodec.h"
#include "link/ValueTables.h"
#include "model/HeskProject.h"
#include "model/OpenedProject.h"
#include "model/FaultCatalogue.h"

#include <QStringList>

#include <vector>

namespace hesk::online {

link::CommandFrame readRequestFor(const model::HeskParameterElement& element);
// The table that request's reply fills: read-only, parameter or connection table.
const link::ValueTable& valueTableFor(const link::OnlineValueTables& tables, const model::HeskParameterElement& element);

// What the session reads besides the page on show, in two parts:
//
//   everyCycle   read on every cycle of the system list (3 s): the CPU-load requests 0x09
//                and 0x0A, then what changes how the window behaves: the inputs of the
//                edit rules (P0053, P0060, r0001, r0011, P0089: they decide which editor a
//                double-click opens and what it refuses) and the fault words that the
//                project's fault catalogue explains (r0943.x named by its entries) and the
//                fault and alarm words of the device type (FaultWordLists).
//   references   the values the formulas and base values use (P0070 to P0073, r0071,
//                r0072, P0109 and P0109.1 to .4) and the reference values P0350 to
//                P0354. They change only when they are written or the drive's power unit
//                changes, so they are read at connect and then far less often (see
//                SystemPolling).
//
// Each part lists the read requests of the definitions the project has, in the order
// above (absent ones are skipped); a request in both parts or twice in one is listed once.
// Values a window shows beyond these (the control panel's, the quick commissioning's)
// are that window's to poll while it is shown.
struct SystemPollPlan {
    std::vector<link::CommandFrame> everyCycle;
    std::vector<link::CommandFrame> references;
    bool operator==(const SystemPollPlan&) const = default;
};

// The key texts of the edit rules' inputs and of the references, in list order.
const QStringList& behaviourKeyTexts();
const QStringList& referenceKeyTexts();

SystemPollPlan systemPollPlan(const model::OpenedProject& project);
// The same from a project and the fault words to read (key texts, "r0943.0", ...).
SystemPollPlan systemPollPlan(const model::HeskProject& project, const QStringList& faultWords);
// The distinct fault words that the catalogue's entries name, by sub-index.
QStringList catalogueFaultWords(const model::FaultCatalogue& catalogue);

// Empties the list and fills it with the plan's everyCycle part, followed by its
// references when withReferences is set. The cursor rests on the head afterwards.
void fillSystemPollList(FrameList& list, const SystemPollPlan& plan, bool withReferences);

// The list the connect builds: every part of the project's plan.
void buildSystemPollList(FrameList& list, const model::OpenedProject& project);

}  // namespace hesk::online

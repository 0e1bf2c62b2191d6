#pragma once
// Fills the edit rules' context from the open project and the drive's last reported
// words: which definitions hold the values the rules read (P0053, P0060, r0001, and on
// the inverter r0011 and P0089), and whether the project defines P0848 only with
// sub-indices. The caller supplies the words (the session's onlineRaw), so this stays
// free of the link.

#include "EditDecision.h"

#include "model/OpenedProject.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace hesk::editing {

// The word the drive last reported for a definition; nothing when unknown.
using RawWordLookup = std::function<std::optional<uint16_t>(const model::HeskParameterElement&)>;

// The definitions the rules read for the project's device class, those the project has,
// in the order P0053, P0060, r0001, r0011, P0089. The system poll list holds them all, so
// online the rules decide on the words last polled.
std::vector<const model::HeskParameterElement*> ruleValueParameters(const model::OpenedProject& project);

// Whether the drive reported a definition's word since the connect.
using ReportedLookup = std::function<bool(const model::HeskParameterElement&)>;

// What an online edit of `parameter` must read before it decides: the rule inputs and the
// parameter itself (the editor starts from its value), in that order and each once, of
// those whose word the drive has not reported since the connect. Empty once the polls
// have come round (the parameter is polled with the page it is edited on), so a
// double-click normally reads nothing.
std::vector<const model::HeskParameterElement*> unreportedEditInputs(const model::OpenedProject& project,
                                                                    const model::HeskParameterElement& parameter,
                                                                    const ReportedLookup& reported);

// The values for the rules: a definition the project lacks or a word that is unknown
// counts as 0.
DriveRuleValues driveRuleValues(const model::OpenedProject& project, const RawWordLookup& raw);

// True when the project has P0848 with sub-indices and none without.
bool slaveParametersIndexed(const model::HeskProject& project);

// The whole context; offline the drive values are left at 0 and not looked up.
EditContext editContext(const model::OpenedProject& project, bool online, const RawWordLookup& raw,
                        RecorderActivity recorder = {});

}  // namespace hesk::editing

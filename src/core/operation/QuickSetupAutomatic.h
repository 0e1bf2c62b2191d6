#pragma once
// The wizard's automatic settings:
//
//   step 3  the data-set selection back to its default: the selection bits of the
//           motor data set (P0579.n, P0578.n) and of the function data set (P0577.n,
//           P0576.n) of the active BICO data set, and the BICO data-set source P0590, all
//           to the fixed binector B0000, so that data sets 1 are active;
//   step 4  the drive's own calculation of the motor model from the nameplate data: the
//           identification request P0115 = 1 ("自动参数设置").
//
// Both are refused while the drive runs (r0001 above 9), while the parameter access
// right (bit 1 of P0053) is missing, and while the menu level P0060 is 2 or 8, with one
// message whose hint lines list those causes. The words are read from the drive first
// when it has not reported them; the writes are confirmed writes through the edit path.
//
// Thread: the session's (UI) thread.

#include "QuickSetupPages.h"

#include "model/UserMessage.h"
#include "model/UserPrompt.h"
#include "shell/MonitorSession.h"

#include <optional>
#include <vector>

namespace hesk::operation {

enum class AutomaticSetting { DataSets, MotorData };

// The drive's words the refusal decides on; unknown counts as "not refused" for the
// state and the menu level, and as "right missing" for the access word.
struct AutomaticInputs {
    std::optional<uint16_t> state;       // r0001
    std::optional<uint16_t> accessWord;  // P0053
    std::optional<uint16_t> menuLevel;   // P0060
};

// The refusal message of a setting: "当前状态下，不能进行自动设置参数操作！" and its hints.
model::UserMessage automaticSettingRefusalMessage(AutomaticSetting setting);
// The refusal for these words, if any.
std::optional<model::UserMessage> automaticSettingRefusal(AutomaticSetting setting, const AutomaticInputs& inputs);

// One write of a setting: the key text and the value text as the editors take it.
struct AutomaticWrite {
    QString key;
    QString text;
    bool operator==(const AutomaticWrite&) const = default;
};
// The writes of a setting for the active data sets, in the order they go to the drive
// (P0590 last: it changes the BICO data set the bits belong to).
std::vector<AutomaticWrite> automaticSettingWrites(AutomaticSetting setting, const ActiveDataSets& sets);

enum class AutomaticOutcome {
    Offline,  // nothing done
    Refused,  // the refusal (or a failed read) was shown
    Failed,   // a write failed (shown); the writes before it stay
    Written,
};

// Runs a setting on the session: the read, the refusal, the writes.
AutomaticOutcome runAutomaticSetting(shell::MonitorSession& session, model::UserPrompt& prompt,
                                     AutomaticSetting setting);

}  // namespace hesk::operation

#pragma once
// The reset modes of the wizard's first step ("开 始 恢 复"):
//
//   RestoreCommand  the tool's factory restore: its refusals and question, the restore
//                   command, and the reset-retention list (P0941/P0942) written back, so
//                   what that list names survives the restore;
//   DriveParameter  the drive restores itself: P0970 = 1 written under the edit rules
//                   (access right, stopped, menu level 2) after the same question; the
//                   drive sets P0970 back to 0 when it is done, which the page shows as
//                   "复位完成".
//
// Thread: the session's (UI) thread.

#include "FactoryRestore.h"

#include "model/UserPrompt.h"
#include "shell/MonitorSession.h"

#include <QStringList>

namespace hesk::operation {

enum class ResetMode { RestoreCommand, DriveParameter };

// The combo's entries, in the order of ResetMode.
QStringList resetModeCaptions();

// Runs the chosen mode after reading the edit rules' inputs (P0053, P0060, r0001, ...)
// from the drive: true when the restore began (RestoreCommand: the restore's
// finished() follows) or the drive confirmed P0970 = 1. Every refusal is shown.
bool startReset(shell::MonitorSession& session, model::UserPrompt& prompt, FactoryRestore& restore, ResetMode mode);

}  // namespace hesk::operation

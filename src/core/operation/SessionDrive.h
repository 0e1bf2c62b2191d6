#pragma once
// The edit rules' access to the drive, lent by the online session: its value tables, its
// confirmed write, its single read, the control panel's state, and the formula refresh
// after a write. Offline the access is empty (editing::DriveAccess::online() is false).

#include "editing/DriveAccess.h"
#include "shell/MonitorSession.h"

namespace hesk::operation {

// Emits the session's formulasRecomputed() when a write selected other base values.
editing::DriveAccess sessionDriveAccess(shell::MonitorSession& session);

}  // namespace hesk::operation

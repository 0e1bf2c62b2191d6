#include "SessionDrive.h"

namespace hesk::operation {

editing::DriveAccess sessionDriveAccess(shell::MonitorSession& session)
{
    editing::DriveAccess drive;
    if (!session.isOnline())
        return drive;
    drive.tables = &session.values();
    drive.write = [&session](const link::CommandFrame& frame) { return session.write(frame); };
    drive.read = [&session](const std::vector<const model::HeskParameterElement*>& elements) {
        return session.readParameters(elements);
    };
    drive.motorControlHeld = [&session] { return session.motorControlHeld(); };
    // A new power unit (P0070) selects other base values: the pages convert anew.
    drive.valuesWritten = [&session] {
        if (session.refreshFormulas())
            Q_EMIT session.formulasRecomputed();
    };
    return drive;
}

}  // namespace hesk::operation

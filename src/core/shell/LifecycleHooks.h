#pragma once
// What opening, closing and exiting ask of the windows around the project besides what
// the online session asks already (the offline value set of SessionHooks): the trigger
// recorder's unsaved data. A window that does not exist answers as a closed one would,
// which is what the defaults do.
//
// Thread: every call comes on the UI thread.

#include "online/SessionHooks.h"

namespace hesk::shell {

class LifecycleHooks : public online::SessionHooks {
public:
    // The trigger-recording window holds recorded data that was not saved.
    virtual bool triggerDataUnsaved() const { return false; }
    // Saves that data (the person chooses the file); false when nothing was saved.
    virtual bool saveTriggerData() { return false; }
    // A project closes or opens: the offline values of the one before go (values, list
    // of modifications, file name), so that no page of the next project shows them and
    // no save writes them into its file.
    virtual void discardOfflineValues() {}
};

}  // namespace hesk::shell

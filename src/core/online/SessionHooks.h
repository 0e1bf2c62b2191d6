#pragma once
// What the online session asks of the windows and workflows around it: the offline value
// set (saved before a connect), the control panel (motor control held), the trigger
// recorder and the panes refreshed by the supervision timers. The main window implements
// it over its windows; a window that does not exist answers as a closed one would, which
// is what the defaults here do (the CLI runs without any of them).
//
// Thread: every call comes on the session's thread (the UI thread).

namespace hesk::online {

class SessionHooks {
public:
    virtual ~SessionHooks() = default;

    // The offline value set: edited since it was loaded or saved.
    virtual bool offlineModified() const { return false; }
    // Saves the offline values to a parameter file (the person chooses the file); false
    // when nothing was saved, which stops the connect.
    virtual bool saveOfflineValues() { return false; }
    // Empties the list of offline modifications and clears the modified flag.
    virtual void clearOfflineModifications() {}
    // Forgets the offline parameter file name (a connect replaces the offline values).
    virtual void clearOfflineFileName() {}

    // The control panel holds motor control.
    virtual bool motorControlHeld() const { return false; }
    // The link died: drop the control-held state in the bookkeeping.
    virtual void dropMotorControl() {}
    // Motor control held while P0060 reads 2, 5 or 8 (once a second).
    virtual void menuLevelWhileControlHeld() {}

    // Trigger recorder state (0..7; above 4 means a recording runs).
    virtual int triggerRecordingState() const { return 0; }
    // The link died during a recording: state 0, the recorder window's timers stopped.
    virtual void abortTriggerRecording() {}
    // The recorder window learns that the link went online, went offline, its display
    // must be reset, and gets its one-second tick.
    virtual void recorderOnline() {}
    virtual void recorderOffline() {}
    virtual void recorderResetDisplay() {}
    virtual void recorderSecondTick() {}

    // Disconnect: reset the control panel and the quick-commissioning page.
    virtual void resetControlPages() {}
    // Every 3 s: refresh the control panel if shown, and the fault and alarm list.
    virtual void periodicRefresh() {}
};

}  // namespace hesk::online

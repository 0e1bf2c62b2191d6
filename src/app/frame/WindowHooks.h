#pragma once
// The main window's answers to the session and the project lifecycle. It keeps the
// offline state the main window owns (the modified mark and the name of the parameter
// file the offline values came from) and hands saving and clearing the values to
// whoever holds them; everything about the control panel, the trigger recorder and the
// fault list goes to the workflow hooks once those windows exist (until then the
// defaults answer: no control held, no recording, nothing unsaved).
//
// Thread: UI thread only.

#include "shell/LifecycleHooks.h"

#include <QString>

#include <functional>

namespace hesk::app {

struct OfflineState {
    bool modified = false;
    QString fileName;
    // Saves the offline values to a parameter file; false when nothing was saved.
    // Without one, saving fails (and a connect or close that needs it stops).
    std::function<bool()> save;
    // Empties the list of offline modifications (the mark is cleared here).
    std::function<void()> clearModifications;
    // The holder's own modified mark, asked besides `modified`; none: only `modified`.
    std::function<bool()> holderModified;
    // Drops the holder's values (the project closes or another opens); the mark and the
    // file name are cleared here.
    std::function<void()> discardValues;
};

class WindowHooks final : public shell::LifecycleHooks {
public:
    OfflineState& offline() { return m_offline; }
    const OfflineState& offline() const { return m_offline; }

    // The control panel, recorder and fault list side; nullptr for the defaults. It must
    // outlive its use.
    void setWorkflowHooks(shell::LifecycleHooks* hooks) { m_workflow = hooks; }

    bool offlineModified() const override
    {
        return m_offline.modified || (m_offline.holderModified && m_offline.holderModified());
    }
    bool saveOfflineValues() override;
    void clearOfflineModifications() override;
    void clearOfflineFileName() override { m_offline.fileName.clear(); }
    void discardOfflineValues() override;

    bool motorControlHeld() const override { return workflow().motorControlHeld(); }
    void dropMotorControl() override { workflow().dropMotorControl(); }
    void menuLevelWhileControlHeld() override { workflow().menuLevelWhileControlHeld(); }
    int triggerRecordingState() const override { return workflow().triggerRecordingState(); }
    void abortTriggerRecording() override { workflow().abortTriggerRecording(); }
    void recorderOnline() override { workflow().recorderOnline(); }
    void recorderOffline() override { workflow().recorderOffline(); }
    void recorderResetDisplay() override { workflow().recorderResetDisplay(); }
    void recorderSecondTick() override { workflow().recorderSecondTick(); }
    void resetControlPages() override { workflow().resetControlPages(); }
    void periodicRefresh() override { workflow().periodicRefresh(); }
    bool triggerDataUnsaved() const override { return workflow().triggerDataUnsaved(); }
    bool saveTriggerData() override { return workflow().saveTriggerData(); }

private:
    shell::LifecycleHooks& workflow() const;

    OfflineState m_offline;
    shell::LifecycleHooks* m_workflow = nullptr;
    mutable shell::LifecycleHooks m_defaults;
};

}  // namespace hesk::app

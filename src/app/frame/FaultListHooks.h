#pragma once
// The workflow hooks with the fault and alarm list added: every question goes to the
// hooks of the windows before it (the control panel's), and the session's 3-second
// refresh collects the fault and alarm words as well.
//
// Thread: UI thread only.

#include "recording/FaultAlarmList.h"
#include "shell/LifecycleHooks.h"

namespace hesk::app {

class FaultListHooks final : public shell::LifecycleHooks {
public:
    // Both must outlive the hooks.
    FaultListHooks(shell::LifecycleHooks& inner, recording::FaultAlarmList& faults) : m_inner(inner), m_faults(faults) {}

    bool offlineModified() const override { return m_inner.offlineModified(); }
    bool saveOfflineValues() override { return m_inner.saveOfflineValues(); }
    void clearOfflineModifications() override { m_inner.clearOfflineModifications(); }
    void clearOfflineFileName() override { m_inner.clearOfflineFileName(); }
    bool motorControlHeld() const override { return m_inner.motorControlHeld(); }
    void dropMotorControl() override { m_inner.dropMotorControl(); }
    void menuLevelWhileControlHeld() override { m_inner.menuLevelWhileControlHeld(); }
    int triggerRecordingState() const override { return m_inner.triggerRecordingState(); }
    void abortTriggerRecording() override { m_inner.abortTriggerRecording(); }
    void recorderOnline() override { m_inner.recorderOnline(); }
    void recorderOffline() override { m_inner.recorderOffline(); }
    void recorderResetDisplay() override { m_inner.recorderResetDisplay(); }
    void recorderSecondTick() override { m_inner.recorderSecondTick(); }
    void resetControlPages() override { m_inner.resetControlPages(); }
    void periodicRefresh() override
    {
        m_inner.periodicRefresh();
        m_faults.collect();
    }
    bool triggerDataUnsaved() const override { return m_inner.triggerDataUnsaved(); }
    bool saveTriggerData() override { return m_inner.saveTriggerData(); }
    void discardOfflineValues() override { m_inner.discardOfflineValues(); }

private:
    shell::LifecycleHooks& m_inner;
    recording::FaultAlarmList& m_faults;
};

}  // namespace hesk::app

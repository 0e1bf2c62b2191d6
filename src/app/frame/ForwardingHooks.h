#pragma once
// Workflow hooks that pass every question on to the hooks before them; a window that
// answers some of the questions itself derives from it and overrides only those (the
// fault list adds its collection to the 3-second refresh, the recorder answers for its
// state). The chain ends at the control panel's hooks.
//
// Thread: UI thread only.

#include "shell/LifecycleHooks.h"

namespace hesk::app {

class ForwardingHooks : public shell::LifecycleHooks {
public:
    // The inner hooks must outlive these.
    explicit ForwardingHooks(shell::LifecycleHooks& inner) : m_inner(inner) {}

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
    void periodicRefresh() override { m_inner.periodicRefresh(); }
    bool triggerDataUnsaved() const override { return m_inner.triggerDataUnsaved(); }
    bool saveTriggerData() override { return m_inner.saveTriggerData(); }
    void discardOfflineValues() override { m_inner.discardOfflineValues(); }

private:
    shell::LifecycleHooks& m_inner;
};

}  // namespace hesk::app

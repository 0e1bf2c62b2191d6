#pragma once
// The workflow hooks with the trigger recorder added: the recorder's state and its abort
// go to the recorder, the unsaved recording to its window; every other question goes to
// the hooks before it (the control panel's and the fault list's).
//
// Thread: UI thread only.

#include "TriggerRecorderWindow.h"

#include "recording/TriggerRecorder.h"
#include "shell/LifecycleHooks.h"

namespace hesk::app {

class RecorderHooks final : public shell::LifecycleHooks {
public:
    // All must outlive the hooks.
    RecorderHooks(shell::LifecycleHooks& inner, recording::TriggerRecorder& recorder, TriggerRecorderWindow& window)
        : m_inner(inner), m_recorder(recorder), m_window(window)
    {
    }

    bool offlineModified() const override { return m_inner.offlineModified(); }
    bool saveOfflineValues() override { return m_inner.saveOfflineValues(); }
    void clearOfflineModifications() override { m_inner.clearOfflineModifications(); }
    void clearOfflineFileName() override { m_inner.clearOfflineFileName(); }
    bool motorControlHeld() const override { return m_inner.motorControlHeld(); }
    void dropMotorControl() override { m_inner.dropMotorControl(); }
    void menuLevelWhileControlHeld() override { m_inner.menuLevelWhileControlHeld(); }
    int triggerRecordingState() const override { return m_recorder.state(); }
    void abortTriggerRecording() override { m_recorder.abort(); }
    void recorderOffline() override
    {
        // A disconnect ends whatever the recorder was doing, without a frame.
        if (m_recorder.state() > 0)
            m_recorder.abort();
    }
    void resetControlPages() override { m_inner.resetControlPages(); }
    void periodicRefresh() override { m_inner.periodicRefresh(); }
    bool triggerDataUnsaved() const override { return m_window.unsaved(); }
    bool saveTriggerData() override { return m_window.exportData(); }
    void discardOfflineValues() override { m_inner.discardOfflineValues(); }

private:
    shell::LifecycleHooks& m_inner;
    recording::TriggerRecorder& m_recorder;
    TriggerRecorderWindow& m_window;
};

}  // namespace hesk::app

#pragma once
// The workflow hooks with the trigger recorder added: the recorder's state and its abort
// go to the recorder, the unsaved recording to its window; every other question goes on
// to the hooks before it (the control panel's and the fault list's).
//
// Thread: UI thread only.

#include "TriggerRecorderWindow.h"

#include "frame/ForwardingHooks.h"
#include "recording/TriggerRecorder.h"

namespace hesk::app {

class RecorderHooks final : public ForwardingHooks {
public:
    // All must outlive the hooks.
    RecorderHooks(shell::LifecycleHooks& inner, recording::TriggerRecorder& recorder, TriggerRecorderWindow& window)
        : ForwardingHooks(inner), m_recorder(recorder), m_window(window)
    {
    }

    int triggerRecordingState() const override { return m_recorder.state(); }
    void abortTriggerRecording() override { m_recorder.abort(); }
    void recorderOffline() override
    {
        // A disconnect ends whatever the recorder was doing, without a frame.
        if (m_recorder.state() > 0)
            m_recorder.abort();
    }
    bool triggerDataUnsaved() const override { return m_window.unsaved(); }
    bool saveTriggerData() override { return m_window.exportData(); }

private:
    recording::TriggerRecorder& m_recorder;
    TriggerRecorderWindow& m_window;
};

}  // namespace hesk::app

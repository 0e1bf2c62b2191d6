#pragma once
// Session hooks for a program that runs the trigger recorder without windows (heskmon,
// tests): the session asks the recorder for its state (a disconnect is refused above 4)
// and aborts it when the link dies; everything else answers as the defaults do.
//
// Thread: the session's (UI) thread.

#include "TriggerRecorder.h"

#include "online/SessionHooks.h"

namespace hesk::recording {

class RecorderSessionHooks : public online::SessionHooks {
public:
    explicit RecorderSessionHooks(TriggerRecorder& recorder) : m_recorder(recorder) {}
    int triggerRecordingState() const override { return m_recorder.state(); }
    void abortTriggerRecording() override { m_recorder.abort(); }

private:
    TriggerRecorder& m_recorder;
};

}  // namespace hesk::recording

#pragma once
// The trigger recorder's exchange with the drive (states 0..7):
//
//   0 idle  1 channel settings  2 data settings  3 condition  4 start sent
//   5 armed, waiting for the trigger  6 receiving data  7 data information echoed
//
// start(Immediate | Triggered) sends the settings acknowledged (2 x 500 ms each, polling
// paused) and the start command; the reply handlers of the link (TriggerReplies) move the
// recorder on through its port: the start reply, the trigger signal, the data (0x36/0x37
// exchange on device variant 0, 16-byte frames on variant 1). When every active channel
// holds its 8192 / N samples the recording is processed into a TriggerRecording and
// recordingComplete() is emitted; continuous mode arms again (state 5) and saves each
// recording into the save path. Two timers watch the drive: the wait timer (sampling
// period x 4 s) until the first data arrive, the 450 ms reception timer that gives up
// after 10 ticks without data. stop() sends F2 38; abort() (the link died) ends
// everything at once without a frame.
//
// A data-information frame that arrives while a control-panel operation runs is kept and
// echoed when controlOperationEnded() is called (connect it to the panel's
// operationEnded()).
//
// Threads: start(), stop(), abort(), the timers and every signal belong to the thread
// that created the recorder (the UI thread). The port methods (TriggerRecorderPort) are
// called on the link's dispatching thread: the UI thread in serial monitoring, the UDP
// receive thread on Ethernet. They touch only atomics and the sample buffers (under a
// mutex) and hand timer and signal work to the recorder's thread with queued calls. The
// controlOperationRunning seam is called on that dispatching thread too: it must be safe
// there (read an atomic).
//
// The only waits are the session's pumped SendAndWaitPumping (user input excluded, each
// with its deadline).

#include "RecordingAutoSave.h"
#include "TriggerRecording.h"
#include "TriggerSettings.h"

#include "link/WorkflowPorts.h"
#include "model/UserPrompt.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace hesk::shell {
class MonitorSession;
}

namespace hesk::recording {

struct RecorderTimings {
    std::chrono::milliseconds waitPerPeriod{4000};  // wait timer = sampling period x this
    std::chrono::milliseconds receptionTick{450};
    int silentTicks = 10;
    std::chrono::milliseconds acknowledgeTimeout{500};
};

class TriggerRecorder final : public QObject, public link::TriggerRecorderPort {
    Q_OBJECT
public:
    enum class StartKind { Immediate, Triggered };
    enum class Mode { None = 0, Immediate = 1, Single = 2, Continuous = 3 };

    TriggerRecorder(shell::MonitorSession& session, model::UserPrompt& prompt, RecorderTimings timings = {},
                    QObject* parent = nullptr);
    ~TriggerRecorder() override;

    void setSettings(const TriggerSettings& settings) { m_settings = settings; }
    const TriggerSettings& settings() const { return m_settings; }
    // "Is a control-panel operation running?" (see the thread note above).
    void setControlOperationRunning(std::function<bool()> running) { m_controlOperationRunning = std::move(running); }
    // The free-space seam of the automatic save (tests fake a full disk).
    void setFreeSpace(RecordingAutoSave::FreeSpace freeSpace) { m_freeSpace = std::move(freeSpace); }

    // "立即启动" / "触发启动": true when the drive took the start (state 5 or 6). Every
    // refusal and failure is shown through the prompt.
    bool start(StartKind kind);
    // "停止": refused below state 5.
    void stop();
    // The link died: state 0, both timers stopped, no frame sent.
    void abort();

    Mode mode() const { return static_cast<Mode>(m_mode.load()); }
    int continuousCount() const { return m_continuousCount; }
    bool running() const { return m_state.load() > 0; }

    // ---- link::TriggerRecorderPort (the dispatching thread) --------------------------
    int state() const override { return m_state.load(); }
    void setState(int state) override;
    void startAcknowledged() override;
    void triggerSignalled(uint16_t position) override;
    DataInformation dataInformation(uint8_t channel, uint16_t first, uint16_t second,
                                    const link::CommandFrame& frame) override;
    bool appendDataInformation() override;
    Record traceRecord(uint8_t channel, const std::array<uint16_t, 6>& words) override;
    void traceRecordRejected() override;

public Q_SLOTS:
    // The control panel's operation ended: the kept data-information echo goes now.
    void controlOperationEnded();

Q_SIGNALS:
    void stateChanged(int state);
    void statusText(const QString& text);
    // The trigger occurred: the window comes to the front.
    void triggered();
    // The first data of a recording arrived (the transfer runs).
    void receiving();
    // A recording was processed. display: the window shows it (every recording except
    // the second and later ones of a continuous series, which are only saved).
    void recordingComplete(const hesk::recording::TriggerRecording& recording, bool display);
    // A continuous recording was saved to this file.
    void recordingSaved(const QString& path);
    // The recorder returned to idle (done, failed, stopped or aborted).
    void ended();

private Q_SLOTS:
    void startWaitTimer();
    void firstDataArrived();
    void dataErrorArrived();
    void clearRecordingActive();
    void processCompleted();
    void publishState();
    void armedAgain();
    void waitExpired();
    void receptionTick();

private:
    struct Completed {
        std::vector<std::vector<uint16_t>> buffers;
        int triggerPosition = 0;
        QDateTime triggerTime;
        bool immediate = false;
        bool continuous = false;
    };

    bool sendAcknowledged(const link::CommandFrame& frame, int attempts);
    bool waitForStateAbove(int state);
    void failStart(const QString& text);
    void queue(const char* slot);
    void resetBuffers(int triggerPosition);
    void noteData();
    bool bufferFullLocked() const;
    void completeLocked();
    void goIdle(bool announce = true);
    TriggerRecording makeRecording(const Completed& completed) const;
    int baseTime() const;

    shell::MonitorSession& m_session;
    model::UserPrompt& m_prompt;
    RecorderTimings m_timings;
    TriggerSettings m_settings;
    std::function<bool()> m_controlOperationRunning;
    RecordingAutoSave::FreeSpace m_freeSpace;

    std::atomic<int> m_state{0};
    std::atomic<int> m_mode{0};
    std::atomic<int> m_silentTicks{0};
    std::atomic<bool> m_waitingForData{false};
    std::atomic<bool> m_dataError{false};
    std::atomic<int> m_activeCount{0};
    int m_published = 0;
    int m_continuousCount = 0;
    bool m_starting = false;

    mutable std::mutex m_lock;  // everything below
    std::vector<std::vector<uint16_t>> m_buffers;  // per active channel
    int m_triggerPosition = 0;
    QDateTime m_triggerTime;
    int m_pendingChannel = 0;  // the latest data information: channel 1..N and words
    uint16_t m_pendingFirst = 0;
    uint16_t m_pendingSecond = 0;
    std::optional<link::CommandFrame> m_deferred;
    std::vector<Completed> m_completed;

    QTimer m_waitTimer;
    QTimer m_receptionTimer;
};

}  // namespace hesk::recording

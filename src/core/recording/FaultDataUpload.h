#pragma once
// The fault-data upload from the drive's controller (the master or one slave of a
// parallel group): the trigger frame through the write pipeline, then the fault memory's
// frames into the link's fault-data store, decoded into a FaultRecord at the end frame.
//
// start() runs the refusals in order (offline, trigger recording, motor control held on
// the inverter, drive running), asks for the station when the drive is in a parallel
// group (device flag 1 and slaves configured), keeps the previous record, sets the
// recording-active flag and the scheduler's fault-data mode and queues F2 12 station. From
// there frames and timers move it:
//
//   trigger     the pipeline sends the trigger and its MDY_CONFIRM up to three times each;
//               when it gives up it leaves fault-data mode. 1.5 s after the start (and
//               every 1.5 s while the pipeline still tries) a trigger that failed ends the
//               upload: "故障数据触发超时，请您重新尝试！"
//   receiving   the confirm's answer starts the data flow; every 5 s the count of data
//               frames must have grown, else "故障数据上传超时，请您重新尝试！"
//   done        the end frame (0x13); the 50 ms tick decodes the record and reports
//               "所有故障数据上传完毕！"
// startDriveBoard() runs the same exchange with the drive board (already listening on its
// own serial port, see DriveBoardFaultUpload): F2 E0 instead of the trigger, its first
// answer confirmed, the record decoded in drive-board mode; no refusals, no station.
// A failed upload puts the previous record (store contents and station) back; the link
// closing ends a running upload as failed. Progress goes out through signals only; the
// messages go through the prompt.
//
// Thread: UI thread, but for the FaultTransferPort methods, which the dispatching thread
// calls (the UDP receive thread on Ethernet); they only touch atomics, which the 50 ms
// tick reads.

#include "FaultRecord.h"

#include "link/FrameCodec.h"
#include "link/FaultDataStore.h"
#include "link/WorkflowPorts.h"
#include "model/UserMessage.h"
#include "model/UserPrompt.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <variant>

namespace hesk::shell {
class MonitorSession;
}

namespace hesk::recording {

struct FaultUploadOutcome {
    bool success = false;
    QString message;  // shown already through the prompt
    FaultRecord record;  // the record now held: the new one, or the previous after a failure
};

// The station entered in the station dialog, checked against the number of slaves: the
// station, or the warning to show ("站号不能为空！", "设置的从站号超出范围！").
std::variant<int, model::UserMessage> checkStation(const QString& text, int slaves);

class FaultDataUpload final : public QObject, public link::FaultTransferPort {
    Q_OBJECT
public:
    enum class State { Idle, Triggered, Receiving };

    static constexpr std::chrono::milliseconds kTriggerCheck{1500};
    static constexpr std::chrono::milliseconds kStallCheck{5000};
    static constexpr std::chrono::milliseconds kEndCheck{50};

    // The station dialog: shows the number of slaves, proposes "0"; the entered text, or
    // nothing when the person cancelled.
    using StationChoice = std::function<std::optional<QString>(int slaves)>;

    FaultDataUpload(shell::MonitorSession& session, model::UserPrompt& prompt, QObject* parent = nullptr);
    ~FaultDataUpload() override;

    // Seams for what other windows know; not set: the session's hooks answer.
    void setRecorderState(std::function<int()> state) { m_recorderState = std::move(state); }
    void setControlHeld(std::function<bool()> held) { m_controlHeld = std::move(held); }
    // Not set: the master is asked without a question.
    void setStationChoice(StationChoice choice) { m_stationChoice = std::move(choice); }

    // False when refused or cancelled before anything was sent (the message shown).
    bool start();
    // The drive board's upload on a link that listens already: false when one runs.
    bool startDriveBoard();
    bool running() const { return m_state != State::Idle; }
    State state() const { return m_state; }
    // The record held now (shown in the fault-waveform view); its station.
    const FaultRecord& record() const { return m_record; }
    int station() const { return m_station; }
    // Number of slaves the station is checked against (P0089; 2 for the test bench).
    int slaves() const;

    // FaultTransferPort (any thread).
    void clearDriveBoardFlag() override { m_driveBoard.store(false); }
    bool startDataFlowIfRequested() override;
    bool dataComplete() override;
    bool firstDriveBoardAnswer() override;

Q_SIGNALS:
    // The drive confirmed and data flow ("正在接收数据").
    void dataFlowing();
    void statusText(const QString& text);
    // Data frames received so far.
    void progress(qint64 frames);
    void finished(const hesk::recording::FaultUploadOutcome& outcome);

private:
    void begin(const link::CommandFrame& trigger, int station, int stationCount, bool driveBoard);
    link::CommandFrame triggerFrame() const;
    void tick();
    void triggerCheck();
    void stallCheck();
    void succeed();
    void fail(const model::UserMessage& message);
    void end();
    void connectionChanged();

    shell::MonitorSession& m_session;
    model::UserPrompt& m_prompt;
    std::function<int()> m_recorderState;
    std::function<bool()> m_controlHeld;
    StationChoice m_stationChoice;

    State m_state = State::Idle;
    QTimer m_tick;
    QTimer m_triggerTimer;
    QTimer m_stallTimer;
    int64_t m_framesAtLastCheck = 0;

    FaultRecord m_record;
    int m_station = 0;
    int m_stationCount = 1;
    link::FaultDataStore::Snapshot m_previous;
    FaultRecord m_previousRecord;
    int m_previousStation = 0;

    // Shared with the port methods.
    std::atomic<uint8_t> m_triggerStation{0};  // the station of the trigger frame queued
    std::atomic<bool> m_faultMode{false};
    std::atomic<bool> m_started{false};
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_driveBoard{false};      // the board's first answer still awaited
    std::atomic<bool> m_driveBoardMode{false};  // this upload asks the drive board
};

}  // namespace hesk::recording

Q_DECLARE_METATYPE(hesk::recording::FaultUploadOutcome)

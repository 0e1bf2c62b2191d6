#pragma once
// The control panel: motor control taken from the keypad, start, stop, fault reset, the
// setpoint in four units, and what the drive shows (state, device status, status-word
// lamps, data sets, actual values, four free display slots).
//
// Every command is an ordinary confirmed write (the panel write) to one of a few fixed
// parameters, plus the heartbeat supervision command 0x39 (only on controllers that have
// it). A command runs as a chain of steps moved by timers: the checks and the question
// come first, at once; then the busy flag is set and each step follows the one before
// after its pause (25 ms before the first write, 100 ms between the two edges of a fault
// reset, the start check's 1.2 s). Each write is the session's confirmed write, which
// waits with frames and timers flowing and user input excluded, and always ends. While
// the busy flag is set, further panel commands are ignored. commandFinished() ends every
// command that got past its checks.
//
// Thread: the session's (UI) thread.

#include "PanelParameters.h"
#include "PanelView.h"
#include "SetpointUnits.h"
#include "StartCheck.h"

#include "model/UserPrompt.h"
#include "shell/MonitorSession.h"

#include <QObject>

#include <atomic>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

namespace hesk::operation {

enum class PanelCommand { Take, Release, Start, Stop, FaultReset, AutomaticStop };

class ControlPanel final : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kSettle{25};
    static constexpr std::chrono::milliseconds kResetPulse{100};
    static constexpr std::chrono::milliseconds kHeartbeatTimeout{250};
    static constexpr int kHeartbeatAttempts = 4;

    ControlPanel(shell::MonitorSession& session, model::UserPrompt& prompt, QObject* parent = nullptr);
    ~ControlPanel() override;

    // The project was opened or closed: the fixed parameters are looked up again.
    void projectChanged();
    const PanelParameters& parameters() const { return m_parameters; }
    shell::MonitorSession& session() { return m_session; }

    // ---- commands; false when refused or ignored at once (the refusal was shown) ----
    // Button "获取电机控制权" / "释放电机控制权": takes control, or releases it without
    // stopping when it is held (after the same checks).
    bool takeOrRelease();
    // Releases control, with the motor stopped first when `stopMotor`. Called by the main
    // window (application deactivated, menu level changed); succeeds at once when control
    // is not held or a command runs.
    bool release(bool stopMotor);
    bool start();
    bool stop();
    bool faultReset();

    // A later call of a program that does not keep running (heskmon): when the drive's
    // control source P0880 reads 1 (control left with the tool by an earlier call), the
    // panel takes over that state without a frame, with the run command as P7000.5 reads.
    // True when control is held afterwards.
    bool adoptHeldControl();
    // Ends the drive's heartbeat supervision while control stays held, so that a program
    // that leaves control with the drive on purpose does not stop the motor by going
    // silent. True when the drive acknowledged (or the controller has no supervision).
    bool endHeartbeatSupervision();

    // ---- setpoint -------------------------------------------------------------------
    // The refusal of a setpoint entry (offline, control not held), if any.
    std::optional<model::UserMessage> setpointEntryRefusal() const;
    // The record the value editor edits for the unit on show (E0, E1, percent forms).
    // The speed units need P0353: it is read from the drive first when it has not been
    // reported yet.
    std::optional<model::HeskParameterElement> setpointEditorRecord();
    // The setpoint typed in the unit on show, written through the editor's rules: true when
    // the drive confirmed it; every refusal is shown.
    bool writeSetpoint(const QString& text);
    // The editor closed with OK: its text is shown.
    void setSetpointText(const QString& text);
    QString setpointText() const { return m_setpointText; }
    SetpointUnit unit() const { return m_unit; }
    // The unit combo changed: the setpoint text is converted (online, control held).
    void changeUnit(SetpointUnit unit);

    // ---- free display ---------------------------------------------------------------
    // Slot 0..3 shows a parameter (its number text); an empty text clears it. Online its
    // value is read cyclically. False when the project has no such parameter.
    bool setFreeDisplay(int slot, const QString& number);
    const std::array<FreeDisplaySlot, 4>& freeDisplay() const { return m_freeDisplay; }

    // ---- what the panel shows -------------------------------------------------------
    // The 3-second refresh: the view from the drive's latest words, and the automatic
    // stop when a started drive left operation by itself.
    void refresh();
    const PanelView& view() const { return m_view; }
    // Disconnect: every text "未知", lamps dark, control released without a frame.
    void offlineReset();
    // The link died: control is no longer held (the drive's supervision stops it).
    void linkLost();

    bool controlHeld() const { return m_controlHeld; }
    bool busy() const { return m_busy; }
    // The same flag for a reader on another thread (the trigger recorder's port on the
    // UDP receive thread asks whether its echo must wait).
    bool busyForOtherThreads() const { return m_busyShared.load(); }
    bool motorStopped() const { return m_motorStopped; }
    bool runCommanded() const { return m_runCommanded; }
    bool startConfirmed() const { return m_startConfirmed; }
    // Check box "自动释放控制权": enabled and ticked while control is held.
    bool autoRelease() const { return m_autoRelease; }
    void setAutoRelease(bool on) { m_autoRelease = on; }
    // The application lost the activation: releases control with stop when the box is ticked.
    void applicationDeactivated();
    QString takeButtonText() const;

    // The start check of a running start (the window shows it as a progress dialog).
    StartCheck* startCheck() const { return m_startCheck.get(); }

Q_SIGNALS:
    // Control held, the icons, the button text or the setpoint text changed.
    void changed();
    // A refresh computed a new view.
    void viewChanged();
    void startCheckStarted(hesk::operation::StartCheck* check);
    // A fault reset went through: the fault and alarm list empties itself.
    void faultsReset();
    // The busy flag was cleared (a deferred recorder reply may go now).
    void operationEnded();
    void commandFinished(hesk::operation::PanelCommand command, bool success);

private:
    using Step = std::function<void()>;
    bool refusedForTakeOrRelease();
    void beginOperation(PanelCommand command, Step firstStep);
    void after(std::chrono::milliseconds pause, Step step);
    void finish(bool success);
    void endOperation();
    // The panel write: no frame for a parameter the project lacks; "WrongParameter" and a
    // failed confirmed write are shown.
    bool panelWrite(const model::HeskParameterElement* element, const QString& text);
    bool heartbeat(bool on);
    void take();
    void releaseSteps(bool stopMotor);
    void finishRelease();
    void startChecked(bool success);
    void setHeld(bool held);
    void setIcons(bool motorStopped, bool runCommanded);
    void updateWatchedReads();
    QString referenceSpeedText();
    void message(const model::UserMessage& message) { m_prompt.showMessage(message); }

    shell::MonitorSession& m_session;
    model::UserPrompt& m_prompt;
    PanelParameters m_parameters;
    PanelView m_view;
    std::array<FreeDisplaySlot, 4> m_freeDisplay;
    SetpointUnit m_unit = SetpointUnit::Hz;
    QString m_setpointText;

    bool m_controlHeld = false;
    bool m_busy = false;
    std::atomic<bool> m_busyShared{false};  // mirrors m_busy
    bool m_motorStopped = false;
    bool m_runCommanded = false;
    bool m_startConfirmed = true;
    bool m_autoRelease = false;
    PanelCommand m_command = PanelCommand::Take;
    std::unique_ptr<StartCheck> m_startCheck;
};

}  // namespace hesk::operation

Q_DECLARE_METATYPE(hesk::operation::PanelCommand)

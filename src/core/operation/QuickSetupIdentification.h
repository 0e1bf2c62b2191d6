#pragma once
// "启动辨识" of the wizard's last step: the identification requested in P0115 runs on the
// drive once the motor starts, so the wizard asks, shows the control panel, takes motor
// control when it is not held (with all the panel's checks and questions) and then starts
// the motor. Both panel commands run asynchronously: the next step follows the panel's
// commandFinished(), never a wait. "故障复位" is the panel's fault reset.
//
// Thread: the session's (UI) thread.

#include "ControlPanel.h"

#include "model/UserPrompt.h"
#include "shell/MonitorSession.h"

#include <QMetaObject>
#include <QObject>

namespace hesk::operation {

class QuickSetupIdentification final : public QObject {
    Q_OBJECT
public:
    QuickSetupIdentification(shell::MonitorSession& session, model::UserPrompt& prompt, ControlPanel& panel,
                             QObject* parent = nullptr);
    ~QuickSetupIdentification() override;

    // Offline nothing happens (false). Otherwise the question; on Yes the control panel
    // is asked for and the take or the start begins (true; finished() follows).
    bool start();
    bool running() const { return m_running; }
    // The control panel's fault reset; false when refused or ignored.
    bool faultReset();

Q_SIGNALS:
    // The control panel should be shown (before the panel's own questions).
    void controlPanelRequested();
    // The chain ended: true when the motor was started for the identification.
    void finished(bool started);

private:
    void commandFinished(PanelCommand command, bool success);
    void startMotor();
    void end(bool started);

    shell::MonitorSession& m_session;
    model::UserPrompt& m_prompt;
    ControlPanel& m_panel;
    bool m_running = false;
    PanelCommand m_awaited = PanelCommand::Take;
    QMetaObject::Connection m_connection;
};

}  // namespace hesk::operation

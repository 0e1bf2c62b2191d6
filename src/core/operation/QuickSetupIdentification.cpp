#include "QuickSetupIdentification.h"

namespace hesk::operation {

QuickSetupIdentification::QuickSetupIdentification(shell::MonitorSession& session, model::UserPrompt& prompt,
                                                   ControlPanel& panel, QObject* parent)
    : QObject(parent), m_session(session), m_prompt(prompt), m_panel(panel)
{
    m_connection = connect(&m_panel, &ControlPanel::commandFinished, this, &QuickSetupIdentification::commandFinished);
}

QuickSetupIdentification::~QuickSetupIdentification() { disconnect(m_connection); }

bool QuickSetupIdentification::start()
{
    if (!m_session.isOnline() || m_running)
        return false;
    const model::PromptAnswer answer
        = m_prompt.ask(tr("提示"), tr("该操作将打开控制面板，\n自动获取电机控制权并启动电机！\n是否继续？"),
                       model::PromptButtons::YesNo);
    if (answer != model::PromptAnswer::Yes)
        return false;
    Q_EMIT controlPanelRequested();
    m_running = true;
    if (m_panel.controlHeld()) {
        startMotor();
        return true;
    }
    m_awaited = PanelCommand::Take;
    // Refused (the refusal was shown) or the question answered No: nothing follows.
    if (!m_panel.takeOrRelease())
        end(false);
    return true;
}

void QuickSetupIdentification::startMotor()
{
    m_awaited = PanelCommand::Start;
    if (!m_panel.start())
        end(false);
}

void QuickSetupIdentification::commandFinished(PanelCommand command, bool success)
{
    if (!m_running || command != m_awaited)
        return;
    if (!success) {
        end(false);
        return;
    }
    if (command == PanelCommand::Take && m_panel.controlHeld()) {
        startMotor();
        return;
    }
    end(command == PanelCommand::Start);
}

void QuickSetupIdentification::end(bool started)
{
    m_running = false;
    Q_EMIT finished(started);
}

bool QuickSetupIdentification::faultReset() { return m_panel.faultReset(); }

}  // namespace hesk::operation

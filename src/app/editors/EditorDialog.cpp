#include "EditorDialog.h"

namespace hesk::app {

EditorDialog::EditorDialog(editing::EditEnvironment& environment, model::UserMessage closeRefusal, QWidget* parent)
    : QDialog(parent), m_env(environment), m_closeRefusal(std::move(closeRefusal))
{
}

bool EditorDialog::applyAndClose(const std::function<editing::EditOutcome()>& edit)
{
    if (m_writing)
        return false;
    m_writing = true;
    setEnabled(false);
    const editing::EditOutcome outcome = edit();
    setEnabled(true);
    m_writing = false;
    if (m_listener)
        m_listener(outcome);
    if (!outcome.applied)
        return false;
    m_result = outcome.text;
    QDialog::accept();
    return true;
}

void EditorDialog::reject()
{
    // The write waits with the event loop running; the dialog must outlive it.
    if (m_writing) {
        m_env.prompt.showMessage(m_closeRefusal);
        return;
    }
    QDialog::reject();
}

}  // namespace hesk::app

#include "RestoreCommand.h"

#include "MainWindow.h"
#include "dialogs/WorkflowProgressDialog.h"

namespace hesk::app {

RestoreCommand::RestoreCommand(MainWindow& window)
    : QObject(&window), m_window(window), m_restore(window.session(), window.prompt())
{
    connect(&window, &MainWindow::commandRequested, this, [this](shell::Command command) {
        if (command == shell::Command::FactoryRestore)
            run();
    });
    connect(&m_restore, &operation::FactoryRestore::statusText, this, [this](const QString& text) {
        if (m_dialog && !text.isEmpty())
            m_dialog->setLabelText(text);
    });
    connect(&m_restore, &operation::FactoryRestore::progress, this, [this](int position, int maximum) {
        if (!m_dialog)
            return;
        m_dialog->setMaximum(maximum);
        m_dialog->setValue(position);
    });
    connect(&m_restore, &operation::FactoryRestore::finished, this, &RestoreCommand::finished);
}

RestoreCommand::~RestoreCommand()
{
    delete m_dialog;
}

void RestoreCommand::run()
{
    if (m_restore.running())
        return;
    m_window.setWorkflowBusy(true);
    // The drive is already restoring once it runs: nothing to cancel.
    auto* dialog = workflowProgressDialog(&m_window, tr("恢复出厂设置"), tr("正在恢复出厂设置"),
                                          operation::FactoryRestore::kRange);
    m_dialog = dialog;
    // The refusals and the question come first; the dialog shows once the procedure runs.
    if (!m_restore.start() || !m_restore.running()) {
        finished();
        return;
    }
    dialog->show();
}

void RestoreCommand::finished()
{
    if (m_dialog) {
        m_dialog->close();
        m_dialog->deleteLater();
    }
    m_window.setWorkflowBusy(false);
}

}  // namespace hesk::app

#include "WorkflowProgressDialog.h"

namespace hesk::app {

QProgressDialog* workflowProgressDialog(QWidget* parent, const QString& title, const QString& label, int maximum)
{
    auto* dialog = new QProgressDialog(parent);
    dialog->setWindowTitle(title);
    dialog->setLabelText(label);
    dialog->setCancelButton(nullptr);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setRange(0, maximum);
    return dialog;
}

}  // namespace hesk::app

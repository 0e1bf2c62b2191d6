#include "DialogButtons.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace hesk::app {

namespace {

QDialogButtonBox* buttons(QDialog* dialog, bool withCancel)
{
    auto* box = new QDialogButtonBox(withCancel ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                                : QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok),
                                     dialog);
    QPushButton* ok = box->button(QDialogButtonBox::Ok);
    ok->setText(QCoreApplication::translate("DialogButtons", "确定"));
    ok->setObjectName(QStringLiteral("okButton"));
    if (withCancel) {
        QPushButton* cancel = box->button(QDialogButtonBox::Cancel);
        cancel->setText(QCoreApplication::translate("DialogButtons", "取消"));
        cancel->setObjectName(QStringLiteral("cancelButton"));
    }
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

}  // namespace

QDialogButtonBox* okCancelButtons(QDialog* dialog)
{
    return buttons(dialog, true);
}

QDialogButtonBox* okButton(QDialog* dialog)
{
    return buttons(dialog, false);
}

}  // namespace hesk::app

#include "ParameterNumberDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace hesk::app {

ParameterNumberDialog::ParameterNumberDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("自由参数"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("请输入要插入的参数号"), this));
    auto* form = new QFormLayout;
    m_number = new QLineEdit(this);
    form->addRow(tr("参数号："), m_number);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString ParameterNumberDialog::text() const
{
    return m_number->text();
}

void ParameterNumberDialog::setText(const QString& text)
{
    m_number->setText(text);
}

std::optional<QString> ParameterNumberDialog::ask(QWidget* parent)
{
    ParameterNumberDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.text();
}

}  // namespace hesk::app

#include "SpecialValueEditorDialog.h"

#include "dialogs/DialogButtons.h"

#include "editing/AllowedValues.h"
#include "editing/EditorMessages.h"
#include "editing/SpecialOptions.h"
#include "model/ParameterTypes.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace hesk::app {

SpecialValueEditorDialog::SpecialValueEditorDialog(editing::EditEnvironment& environment,
                                                 const model::HeskParameterElement& parameter,
                                                 const QString& currentText, QWidget* parent)
    : EditorDialog(environment, editing::valueCloseRefusal(), parent), m_parameter(parameter)
{
    setWindowTitle(tr("修改参数值 ") + model::keyText(parameter));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(parameter.name, this));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("optionList"));
    const QStringList options =
        editing::allowedValues(editing::AllowedValueSource::of(environment.project), parameter.number)
            .value_or(QStringList());
    // Each option shows its name and value; the value itself rides along in the item.
    const model::DeviceClass deviceClass = environment.project.deviceClass();
    for (const QString& value : options) {
        auto* item = new QListWidgetItem(editing::specialOptionText(deviceClass, parameter.number, value), m_list);
        item->setData(Qt::UserRole, value);
    }
    // The current value selected, when it is one of the options.
    const QString current = currentText.trimmed();
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->data(Qt::UserRole).toString() == current)
            m_list->setCurrentRow(row);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    layout->addWidget(m_list, 1);
    layout->addWidget(okCancelButtons(this));
}

void SpecialValueEditorDialog::accept()
{
    const QListWidgetItem* chosen = m_list->currentItem();
    // Nothing chosen goes the value editor's way as an empty value ("数据不允许为空").
    const QString text = chosen ? chosen->data(Qt::UserRole).toString() : QString();
    applyAndClose([&] { return editing::applyValueText(m_env, m_parameter, text); });
}


}  // namespace hesk::app

#include "AddDeviceDialog.h"

#include "DialogButtons.h"

#include "online/AddDevice.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace hesk::app {

AddDeviceDialog::AddDeviceDialog(QString projectRoot, model::UserPrompt& prompt, QWidget* parent)
    : QDialog(parent)
    , m_projectRoot(std::move(projectRoot))
    , m_prompt(prompt)
{
    setWindowTitle(tr("添加设备"));

    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("typeCombo"));
    m_typeCombo->addItems(online::addDeviceTypes());
    m_versionCombo = new QComboBox(this);
    m_versionCombo->setObjectName(QStringLiteral("versionCombo"));

    auto* form = new QFormLayout;
    form->addRow(tr("设备类型："), m_typeCombo);
    form->addRow(tr("设备版本："), m_versionCombo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okButton(this));

    connect(m_typeCombo, &QComboBox::currentIndexChanged, this, &AddDeviceDialog::fillVersions);
    fillVersions();
}

void AddDeviceDialog::fillVersions()
{
    m_versionCombo->clear();
    m_versionCombo->addItems(online::addDeviceVersions(m_typeCombo->currentText()));
}

void AddDeviceDialog::accept()
{
    const std::optional<QString> path =
        online::lookUpAddDevice(m_projectRoot, m_typeCombo->currentText(), m_versionCombo->currentText(), m_prompt);
    if (!path)
        return;
    m_chosenPath = path;
    Q_EMIT projectChosen(*path);
    QDialog::accept();
}

}  // namespace hesk::app

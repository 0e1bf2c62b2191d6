#include "PortSettingsDialog.h"

#include "DialogButtons.h"

#include <QDialogButtonBox>

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace hesk::app {

PortSettingsDialog::PortSettingsDialog(online::InterfaceSettings settings, model::UserPrompt& prompt, online::PortListSource ports,
                     QWidget* parent)
    : QDialog(parent)
    , m_settings(std::move(settings))
    , m_prompt(prompt)
{
    setWindowTitle(tr("端口设定"));

    m_portCombo = new QComboBox(this);
    m_portCombo->setObjectName(QStringLiteral("portCombo"));
    // A pseudo-terminal or an adapter plugged in later is typed as a device path.
    m_portCombo->setEditable(true);
    m_portCombo->setInsertPolicy(QComboBox::NoInsert);
    m_portCombo->setMinimumContentsLength(24);
    m_baudCombo = new QComboBox(this);
    m_baudCombo->setObjectName(QStringLiteral("baudCombo"));

    auto* form = new QFormLayout;
    form->addRow(tr("通讯端口"), m_portCombo);
    form->addRow(tr("波特率"), m_baudCombo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancelButtons(this));

    const online::PortDialogChoices choices =
        online::portDialogChoices(ports ? ports() : std::nullopt, m_settings.portName(), m_settings.baudRate());
    m_portCombo->addItems(choices.ports);
    m_portCombo->setCurrentIndex(choices.portIndex);
    if (choices.portIndex < 0)
        m_portCombo->setEditText(QString());
    m_baudCombo->addItems(choices.baudRates);
    m_baudCombo->setCurrentIndex(choices.baudIndex);
    if (choices.listMessage)
        m_prompt.showMessage(*choices.listMessage);
}

QString PortSettingsDialog::selectedPort() const
{
    return m_portCombo->currentText().trimmed();
}

QString PortSettingsDialog::selectedBaudRate() const
{
    return m_baudCombo->currentIndex() < 0 ? QString() : m_baudCombo->currentText();
}

void PortSettingsDialog::accept()
{
    if (const auto refused = online::savePortSelection(m_settings, selectedPort(), selectedBaudRate())) {
        m_prompt.showMessage(*refused);
        return;
    }
    QDialog::accept();
}

}  // namespace hesk::app

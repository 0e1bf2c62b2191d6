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
    setWindowTitle(QStringLiteral("端口设定"));

    m_portCombo = new QComboBox(this);
    m_portCombo->setObjectName(QStringLiteral("portCombo"));
    m_baudCombo = new QComboBox(this);
    m_baudCombo->setObjectName(QStringLiteral("baudCombo"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("通讯端口"), m_portCombo);
    form->addRow(QStringLiteral("波特率"), m_baudCombo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancelButtons(this));

    const online::PortDialogChoices choices =
        online::portDialogChoices(ports ? ports() : std::nullopt, m_settings.portName(), m_settings.baudRate());
    m_portCombo->addItems(choices.ports);
    m_portCombo->setCurrentIndex(choices.portIndex);
    m_baudCombo->addItems(choices.baudRates);
    m_baudCombo->setCurrentIndex(choices.baudIndex);
    if (choices.listMessage)
        m_prompt.showMessage(*choices.listMessage);
}

QString PortSettingsDialog::selectedPort() const
{
    return m_portCombo->currentIndex() < 0 ? QString() : m_portCombo->currentText();
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

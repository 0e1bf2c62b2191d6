#include "InterfaceSettingsDialog.h"

#include "PortSettingsDialog.h"
#include "DialogButtons.h"

#include <QDialogButtonBox>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace hesk::app {

InterfaceSettingsDialog::InterfaceSettingsDialog(online::InterfaceSettings settings, model::UserPrompt& prompt,
                                     online::PortListSource ports, QWidget* parent)
    : QDialog(parent)
    , m_settings(std::move(settings))
    , m_prompt(prompt)
    , m_ports(std::move(ports))
{
    setWindowTitle(tr("接口设置"));

    auto* group = new QGroupBox(tr("选择需要的通信接口"), this);
    group->setObjectName(QStringLiteral("interfaceGroup"));
    m_serialRadio = new QRadioButton(tr("串口通信模式 (232)"), group);
    m_serialRadio->setObjectName(QStringLiteral("serialRadio"));
    m_ethernetRadio = new QRadioButton(tr("网口(PCIe GBE Family controller)"), group);
    m_ethernetRadio->setObjectName(QStringLiteral("ethernetRadio"));
    m_ethernetRadio->setEnabled(false);
    m_detailButton = new QPushButton(tr("详细设定"), group);
    m_detailButton->setObjectName(QStringLiteral("detailButton"));
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("descriptionText"));
    m_description->setWordWrap(true);

    auto* serialRow = new QHBoxLayout;
    serialRow->addWidget(m_serialRadio);
    serialRow->addStretch();
    serialRow->addWidget(m_detailButton);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(serialRow);
    groupLayout->addWidget(m_ethernetRadio);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_description);
    layout->addWidget(okCancelButtons(this));

    // clicked, not toggled: a radio the code checks is no click of the person.
    connect(m_serialRadio, &QRadioButton::clicked, this, [this] { showMode(online::InterfaceMode::Serial); });
    connect(m_ethernetRadio, &QRadioButton::clicked, this, [this] { showMode(online::InterfaceMode::Ethernet); });
    connect(m_detailButton, &QPushButton::clicked, this, &InterfaceSettingsDialog::openPortSettings);

    showMode(m_settings.mode());
}

online::InterfaceMode InterfaceSettingsDialog::checkedMode() const
{
    if (m_serialRadio->isChecked())
        return online::InterfaceMode::Serial;
    if (m_ethernetRadio->isChecked())
        return online::InterfaceMode::Ethernet;
    return online::InterfaceMode::NotSet;
}

void InterfaceSettingsDialog::showMode(online::InterfaceMode mode)
{
    m_serialRadio->setChecked(mode == online::InterfaceMode::Serial);
    m_ethernetRadio->setChecked(mode == online::InterfaceMode::Ethernet);
    m_description->setText(online::interfaceModeDescription(mode));
    // The port settings belong to the serial mode.
    m_detailButton->setEnabled(mode == online::InterfaceMode::Serial);
}

void InterfaceSettingsDialog::openPortSettings()
{
    if (checkedMode() != online::InterfaceMode::Serial)
        return;
    if (const auto noPorts = online::checkPortListForDetailSettings(m_ports ? m_ports() : std::nullopt)) {
        m_prompt.showMessage(*noPorts);
        return;
    }
    PortSettingsDialog portDialog(m_settings, m_prompt, m_ports, this);
    portDialog.exec();
}

void InterfaceSettingsDialog::accept()
{
    if (const auto failed = online::saveInterfaceMode(m_settings, checkedMode())) {
        m_prompt.showMessage(*failed);
        return;
    }
    QDialog::accept();
}

}  // namespace hesk::app

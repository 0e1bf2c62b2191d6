#pragma once
// "接口设置": the interface mode. Two radios in the group "选择需要的通信接口", the
// serial mode "串口通信模式 (232)" and the Ethernet mode "网口(PCIe GBE Family controller)",
// which stays disabled (only the serial mode can be chosen here); the checked radio's
// description below them; "详细设定" opens "端口设定" (PortSettingsDialog) for the serial mode once
// the port list passed its check; OK writes "MODE" of the checked radio.
//
// The dialog opens with the radio of the stored "MODE" checked (none for an empty or
// unknown mode; OK then writes nothing). All decisions are in online/InterfaceSetup.h.

#include "online/InterfaceSettings.h"
#include "online/InterfaceSetup.h"
#include "model/UserPrompt.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace hesk::app {

class InterfaceSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // The settings file the dialog (and its port dialog) read and write, the prompt for
    // its messages, and where the port list comes from.
    InterfaceSettingsDialog(online::InterfaceSettings settings, model::UserPrompt& prompt,
                      online::PortListSource ports = online::systemPortListSource(), QWidget* parent = nullptr);

    // The mode of the checked radio; NotSet while none is checked.
    online::InterfaceMode checkedMode() const;

public Q_SLOTS:
    void accept() override;
    // "详细设定": the port list's check, then the port dialog (modal).
    void openPortSettings();

private:
    void showMode(online::InterfaceMode mode);

    online::InterfaceSettings m_settings;
    model::UserPrompt& m_prompt;
    online::PortListSource m_ports;
    QRadioButton* m_serialRadio = nullptr;
    QRadioButton* m_ethernetRadio = nullptr;
    QLabel* m_description = nullptr;
    QPushButton* m_detailButton = nullptr;
};

}  // namespace hesk::app

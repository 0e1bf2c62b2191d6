#pragma once
// "端口设定": the serial port and the baud rate of the serial mode. Opens with the ports
// the port list gives (the stored "PORTNAME" first when the list lacks it) and the single
// rate "38400", the stored "PORTNAME" and "BAUNDRATE" selected; the port box also takes a
// typed device path. OK saves both into "interfacecfg.ini" (refusing "端口未选择！" and
// "波特率未选择！" while a box is empty) and closes.
//
// An unreadable port list shows "当前机器上未检测到串口设备！" while the dialog is built
// and leaves the port box empty. All decisions are online::portDialogChoices and
// online::savePortSelection.

#include "online/InterfaceSettings.h"
#include "online/InterfaceSetup.h"
#include "model/UserPrompt.h"

#include <QDialog>

class QComboBox;

namespace hesk::app {

class PortSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // The settings file the dialog reads and writes, the prompt for its messages, and
    // where the port list comes from (the machine's ports unless a test says otherwise).
    PortSettingsDialog(online::InterfaceSettings settings, model::UserPrompt& prompt,
              online::PortListSource ports = online::systemPortListSource(), QWidget* parent = nullptr);

    // The selected (or typed) texts without surrounding blanks; empty when a box is empty.
    QString selectedPort() const;
    QString selectedBaudRate() const;

public Q_SLOTS:
    void accept() override;

private:
    online::InterfaceSettings m_settings;
    model::UserPrompt& m_prompt;
    QComboBox* m_portCombo = nullptr;
    QComboBox* m_baudCombo = nullptr;
};

}  // namespace hesk::app

#pragma once
// The decisions of the two settings dialogs ("接口设置" and "端口设定") without widgets:
// the serial ports the system offers, the texts of the interface modes, and the checks
// before the port dialog opens and before it saves.
//
// The port list comes from QSerialPortInfo::availablePorts(). On Windows an entry is the
// port name (COM3); elsewhere it is the device path (/dev/ttyUSB0), which is what the
// settings store there. Pseudo-terminals (/dev/pts/N, the simulated drive) are not in the
// list: their path is written into "interfacecfg.ini" or given to heskmon with --port.

#include "InterfaceSettings.h"
#include "model/UserMessage.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace hesk::online {

// One serial port as the system lists it.
struct SerialPortEntry {
    QString portName;        // COM3, ttyUSB0
    QString systemLocation;  // \\.\COM3, /dev/ttyUSB0
    QString description;     // may be empty
    QString manufacturer;    // may be empty
    bool operator==(const SerialPortEntry&) const = default;
};

// Every port QSerialPortInfo::availablePorts() lists, in its order.
std::vector<SerialPortEntry> systemSerialPorts();

// Ports in the order the system lists them, without empty names and duplicates.
QStringList availableSerialPorts(PortPlatform platform = hostPortPlatform());

// The baud rates the port dialog offers: "38400" only.
QStringList offeredBaudRates();

// The description shown for a mode in the interface dialog (empty for NotSet).
QString interfaceModeDescription(InterfaceMode mode);

// "详细设定": the port dialog opens only when the system lists a port; otherwise
// "当前机器上未检测到串口设备！" (title "警告").
std::optional<model::UserMessage> checkPortsForDetailSettings(const QStringList& ports);

// The port list as the two dialogs read it, each time they need it: the port names, or
// nothing when the system's list cannot be read at all. The dialogs take one so that
// the machine's ports can be replaced (tests, a machine without ports).
using PortListSource = std::function<std::optional<QStringList>()>;
// availableSerialPorts() of the host. QSerialPortInfo has no failure to report, so this
// list is always readable; "unreadable" comes only from other sources.
PortListSource systemPortListSource();

// "详细设定" on the list read just now: unreadable "当前机器上没有检测到串口设备!" (title
// "WARNING", exclamation icon), no named port "当前机器上未检测到串口设备！" (title "警告");
// nothing when the port dialog may open.
std::optional<model::UserMessage> checkPortListForDetailSettings(const std::optional<QStringList>& ports);

// What the port dialog offers when it opens.
struct PortDialogChoices {
    QStringList ports;      // non-empty names in list order, without duplicates
    QStringList baudRates;  // offeredBaudRates()
    int portIndex = -1;     // entry equal to the stored PORTNAME; -1 when none is
    int baudIndex = -1;     // entry equal to the stored BAUNDRATE; -1 when none is
    // An unreadable list: "当前机器上未检测到串口设备！" (title "警告"); the dialog then
    // opens with an empty port list.
    std::optional<model::UserMessage> listMessage;
    bool operator==(const PortDialogChoices&) const = default;
};
PortDialogChoices portDialogChoices(const std::optional<QStringList>& ports, const QString& storedPort,
                                    const QString& storedBaudRate);

// OK of the interface dialog with the checked mode: writes "MODE"; NotSet (no radio
// checked, a file without a mode) writes nothing. A write that fails gives
// "文件保存失败！" (title "错误") instead of closing as if it had been saved.
std::optional<model::UserMessage> saveInterfaceMode(InterfaceSettings& settings, InterfaceMode mode);

// OK of the port dialog: checkPortSelection, then both keys in one write; a write that
// fails gives "文件保存失败！" (title "错误"). Nothing when the dialog may close.
std::optional<model::UserMessage> savePortSelection(InterfaceSettings& settings, const QString& portName,
                                                    const QString& baudRate);

// OK of the port dialog with the selected texts (empty when nothing is selected):
// "端口未选择！" or "波特率未选择！" (title "警告"); nothing when both are chosen.
std::optional<model::UserMessage> checkPortSelection(const QString& portName, const QString& baudRate);

}  // namespace hesk::online

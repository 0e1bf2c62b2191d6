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

// OK of the port dialog with the selected texts (empty when nothing is selected):
// "端口未选择！" or "波特率未选择！" (title "警告"); nothing when both are chosen.
std::optional<model::UserMessage> checkPortSelection(const QString& portName, const QString& baudRate);

}  // namespace hesk::online

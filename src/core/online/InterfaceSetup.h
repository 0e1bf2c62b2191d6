#pragma once
// The decisions of the two settings dialogs ("接口设置" and "端口设定") without widgets:
// the serial ports the system offers, the texts of the interface modes, and the checks
// before the port dialog opens and before it saves.
//
// The port list comes from QSerialPortInfo::availablePorts(). On Windows an entry is the
// port name (COM3); elsewhere it is the device path (/dev/ttyUSB0), which is what the
// settings store there, and the serial device nodes of /dev (ttyS*, ttyUSB*, ttyACM*)
// are added, since the system's enumeration misses them on machines without udev.
// Pseudo-terminals (/dev/pts/N, the simulated drive) are never listed: the port dialog
// shows the configured port even when the list lacks it and accepts a typed path.

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

// Ports in the order the system lists them, then (POSIX) the serial device nodes of /dev
// not listed yet, without empty names and duplicates.
QStringList availableSerialPorts(PortPlatform platform = hostPortPlatform());

// The character devices named ttyS*, ttyUSB* or ttyACM* in `folder`, as full paths in
// natural order (ttyS2 before ttyS10).
QStringList serialDeviceNodes(const QString& folder = QStringLiteral("/dev"));

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
    // The stored PORTNAME first when the list lacks it (a pseudo-terminal, an adapter
    // unplugged for now), then the names in list order, without empty names and duplicates.
    QStringList ports;
    QStringList baudRates;  // offeredBaudRates()
    int portIndex = -1;     // entry of the stored PORTNAME; -1 when nothing is stored
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

// OK of the port dialog with the selected or typed texts (empty when there are none;
// surrounding blanks do not count):
// "端口未选择！" or "波特率未选择！" (title "警告"); nothing when both are chosen.
std::optional<model::UserMessage> checkPortSelection(const QString& portName, const QString& baudRate);

}  // namespace hesk::online

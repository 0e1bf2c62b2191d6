#include "InterfaceSetup.h"

#include <QSerialPortInfo>

namespace hesk::online {

std::vector<SerialPortEntry> systemSerialPorts()
{
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back({info.portName(), info.systemLocation(), info.description(), info.manufacturer()});
    return ports;
}

QStringList availableSerialPorts(PortPlatform platform)
{
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString name = platform == PortPlatform::Windows ? info.portName() : info.systemLocation();
        if (!name.isEmpty() && !ports.contains(name))
            ports.append(name);
    }
    return ports;
}

QStringList offeredBaudRates()
{
    return {QStringLiteral("38400")};
}

QString interfaceModeDescription(InterfaceMode mode)
{
    switch (mode) {
    case InterfaceMode::Serial:
        return QStringLiteral("该模式使用232通信协议,需要设定串口号和波特率");
    case InterfaceMode::Ethernet:
        return QStringLiteral("该模式使用以太网通信协议");
    case InterfaceMode::NotSet:
        break;
    }
    return {};
}

std::optional<model::UserMessage> checkPortsForDetailSettings(const QStringList& ports)
{
    if (ports.isEmpty())
        return model::UserMessage::warning(QStringLiteral("当前机器上未检测到串口设备！"));
    return std::nullopt;
}

std::optional<model::UserMessage> checkPortSelection(const QString& portName, const QString& baudRate)
{
    if (portName.isEmpty())
        return model::UserMessage::warning(QStringLiteral("端口未选择！"));
    if (baudRate.isEmpty())
        return model::UserMessage::warning(QStringLiteral("波特率未选择！"));
    return std::nullopt;
}

}  // namespace hesk::online

#include "InterfaceSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <utility>
#include <sys/stat.h>

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
    if (platform == PortPlatform::Posix) {
        for (const QString& node : serialDeviceNodes())
            if (!ports.contains(node))
                ports.append(node);
    }
    return ports;
}

QStringList serialDeviceNodes(const QString& folder)
{
    const QStringList patterns{QStringLiteral("ttyS*"), QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")};
    QStringList nodes;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(patterns, QDir::System | QDir::Files, QDir::NoSort)) {
        struct stat status {};
        const QByteArray path = QFile::encodeName(entry.absoluteFilePath());
        if (::stat(path.constData(), &status) == 0 && S_ISCHR(status.st_mode))
            nodes.append(entry.absoluteFilePath());
    }
    // Natural order: the name without its number first, then the number as a number.
    const auto split = [](const QString& path) {
        qsizetype digits = path.size();
        while (digits > 0 && path.at(digits - 1).isDigit())
            --digits;
        return std::pair{path.left(digits), path.mid(digits).toULongLong()};
    };
    std::sort(nodes.begin(), nodes.end(), [&](const QString& a, const QString& b) { return split(a) < split(b); });
    return nodes;
}

QStringList offeredBaudRates()
{
    return {QStringLiteral("38400")};
}

QString interfaceModeDescription(InterfaceMode mode)
{
    switch (mode) {
    case InterfaceMode::Serial:
        return QCoreApplication::translate("InterfaceSetup", "该模式使用232通信协议,需要设定串口号和波特率");
    case InterfaceMode::Ethernet:
        return QCoreApplication::translate("InterfaceSetup", "该模式使用以太网通信协议");
    case InterfaceMode::NotSet:
        break;
    }
    return {};
}

std::optional<model::UserMessage> checkPortsForDetailSettings(const QStringList& ports)
{
    if (ports.isEmpty())
        return model::UserMessage::warning(QCoreApplication::translate("InterfaceSetup", "当前机器上未检测到串口设备！"));
    return std::nullopt;
}

PortListSource systemPortListSource()
{
    return [] { return std::optional<QStringList>(availableSerialPorts()); };
}

std::optional<model::UserMessage> checkPortListForDetailSettings(const std::optional<QStringList>& ports)
{
    if (!ports)
        return model::UserMessage{model::MessageKind::Warning, QStringLiteral("WARNING"),
                                  QCoreApplication::translate("InterfaceSetup", "当前机器上没有检测到串口设备!")};
    // Entries without a name are no port the dialog could offer.
    QStringList named = *ports;
    named.removeAll(QString());
    return checkPortsForDetailSettings(named);
}

PortDialogChoices portDialogChoices(const std::optional<QStringList>& ports, const QString& storedPort,
                                    const QString& storedBaudRate)
{
    PortDialogChoices choices;
    if (ports) {
        for (const QString& port : *ports)
            if (!port.isEmpty() && !choices.ports.contains(port))
                choices.ports.append(port);
    } else {
        choices.listMessage = model::UserMessage::warning(
            QCoreApplication::translate("InterfaceSetup", "当前机器上未检测到串口设备！"));
    }
    choices.baudRates = offeredBaudRates();
    // The stored port is listed wherever the system lists it; it heads the list only
    // when the system does not (a pseudo-terminal, an adapter unplugged for now).
    const QString stored = storedPort.trimmed();
    if (!stored.isEmpty()) {
        if (!choices.ports.contains(stored))
            choices.ports.prepend(stored);
        choices.portIndex = static_cast<int>(choices.ports.indexOf(stored));
    }
    if (!storedBaudRate.isEmpty())
        choices.baudIndex = static_cast<int>(choices.baudRates.indexOf(storedBaudRate));
    return choices;
}

namespace {

std::optional<model::UserMessage> writeFailure(const IniWriteResult& result)
{
    if (result.ok())
        return std::nullopt;
    return model::UserMessage::error(QCoreApplication::translate("InterfaceSetup", "文件保存失败！"));
}

}  // namespace

std::optional<model::UserMessage> saveInterfaceMode(InterfaceSettings& settings, InterfaceMode mode)
{
    if (mode == InterfaceMode::NotSet)
        return std::nullopt;
    return writeFailure(settings.setMode(mode));
}

std::optional<model::UserMessage> savePortSelection(InterfaceSettings& settings, const QString& portName,
                                                    const QString& baudRate)
{
    if (auto refused = checkPortSelection(portName, baudRate))
        return refused;
    return writeFailure(settings.setSerialPort(portName.trimmed(), baudRate));
}

std::optional<model::UserMessage> checkPortSelection(const QString& portName, const QString& baudRate)
{
    if (portName.trimmed().isEmpty())
        return model::UserMessage::warning(QCoreApplication::translate("InterfaceSetup", "端口未选择！"));
    if (baudRate.isEmpty())
        return model::UserMessage::warning(QCoreApplication::translate("InterfaceSetup", "波特率未选择！"));
    return std::nullopt;
}

}  // namespace hesk::online

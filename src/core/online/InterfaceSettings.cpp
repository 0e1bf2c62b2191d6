#include "InterfaceSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QStandardPaths>

#include <utility>

namespace hesk::online {

namespace {

constexpr char kModeSection[] = "CURRENT MODE";
constexpr char kModeKey[] = "MODE";
constexpr char kSerialSection[] = "232 MODE";
constexpr char kPortKey[] = "PORTNAME";
constexpr char kBaudKey[] = "BAUNDRATE";
constexpr char kSettingSection[] = "SETTING";
constexpr char kApproxKey[] = "APPROX";
constexpr char kLanguageKey[] = "LANGUAGE";
constexpr char kEthernetSection[] = "ETHERNET MODE";
constexpr char kLocalAddressKey[] = "LOCALIP";
constexpr char kLocalPortKey[] = "LOCALPORT";
constexpr char kRemoteAddressKey[] = "REMOTEIP";
constexpr char kRemotePortKey[] = "REMOTEPORT";

const QString kSerialModeText = QStringLiteral("232");
const QString kEthernetModeText = QStringLiteral("ETHERNET");

std::optional<uint16_t> parsePort(const QString& text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 10);
    if (!ok || value == 0 || value > 65535)
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

bool isAddress(const QString& text)
{
    return !QHostAddress(text).isNull();
}

// One of our UDP keys: empty gives the default, a valid text its value, anything else
// nothing.
std::optional<QString> addressOrDefault(const QString& text, const QString& fallback)
{
    if (text.isEmpty())
        return fallback;
    return isAddress(text) ? std::optional<QString>(text) : std::nullopt;
}

std::optional<uint16_t> portOrDefault(const QString& text, uint16_t fallback)
{
    if (text.isEmpty())
        return fallback;
    return parsePort(text);
}

}  // namespace

PortPlatform hostPortPlatform()
{
#ifdef Q_OS_WIN
    return PortPlatform::Windows;
#else
    return PortPlatform::Posix;
#endif
}

QString portOpenPath(const QString& portName, PortPlatform platform)
{
    if (portName.isEmpty())
        return portName;
    if (platform == PortPlatform::Windows) {
        const QString prefix = QStringLiteral("\\\\.\\");
        if (portName.size() > 4 && !portName.startsWith(prefix))
            return prefix + portName;
        return portName;
    }
    if (portName.contains(QLatin1Char('/')))
        return portName;
    return QStringLiteral("/dev/") + portName;
}

SettingsLocation chooseSettingsLocation(const QString& executableFolder, bool executableFolderWritable,
                                        const QString& userConfigFolder)
{
    const QString besideExecutable = QDir(executableFolder).filePath(QLatin1String(kInterfaceSettingsFileName));
    if (executableFolderWritable)
        return {besideExecutable, {}};
    return {QDir(userConfigFolder).filePath(QLatin1String(kInterfaceSettingsFileName)), besideExecutable};
}

SettingsLocation applicationSettingsLocation()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const QFileInfo folder(executableFolder);
    const bool writable = !executableFolder.isEmpty() && folder.isDir() && folder.isWritable();
    const QString userFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                                   .filePath(QLatin1String(kUserSettingsFolderName));
    return chooseSettingsLocation(executableFolder, writable, userFolder);
}

InterfaceSettings::InterfaceSettings(SettingsLocation location)
    : m_location(std::move(location))
{
}

QString InterfaceSettings::readPath() const
{
    const QFileInfo file(m_location.filePath);
    if (m_location.seedPath.isEmpty() || file.exists() || file.isSymLink())
        return m_location.filePath;
    return m_location.seedPath;
}

QString InterfaceSettings::read(const char* section, const char* key) const
{
    return readProfileString(readPath(), QLatin1String(section), QLatin1String(key));
}

IniWriteResult InterfaceSettings::write(std::initializer_list<Entry> entries)
{
    IniFile::Loaded loaded = IniFile::load(readPath());
    if (loaded.status == IniLoadStatus::Unreadable)
        return {IniWriteStatus::CannotWrite, QStringLiteral("the existing settings file cannot be read")};
    for (const Entry& entry : entries) {
        const IniWriteResult set =
            loaded.file.setValue(QLatin1String(entry.section), QLatin1String(entry.key), entry.value);
        if (!set.ok())
            return set;
    }
    // The user's configuration folder may not exist yet; a failure shows in the save.
    QDir().mkpath(QFileInfo(m_location.filePath).absolutePath());
    return loaded.file.save(m_location.filePath);
}

QString InterfaceSettings::modeText() const
{
    return read(kModeSection, kModeKey);
}

InterfaceMode InterfaceSettings::mode() const
{
    const QString text = modeText();
    if (text == kSerialModeText)
        return InterfaceMode::Serial;
    if (text == kEthernetModeText)
        return InterfaceMode::Ethernet;
    return InterfaceMode::NotSet;
}

QString InterfaceSettings::portName() const
{
    return read(kSerialSection, kPortKey);
}

QString InterfaceSettings::baudRate() const
{
    return read(kSerialSection, kBaudKey);
}

bool InterfaceSettings::approximateComparison() const
{
    return read(kSettingSection, kApproxKey) == QLatin1String("1");
}

QString InterfaceSettings::interfaceLanguage() const
{
    return read(kSettingSection, kLanguageKey);
}

UdpEndpoints InterfaceSettings::udpEndpoints() const
{
    const UdpEndpoints defaults;
    UdpEndpoints endpoints;
    const IniFile file = IniFile::load(readPath()).file;
    const auto key = [&](const char* name) {
        return file.value(QLatin1String(kEthernetSection), QLatin1String(name), QString());
    };
    endpoints.localAddress = addressOrDefault(key(kLocalAddressKey), defaults.localAddress).value_or(defaults.localAddress);
    endpoints.localPort = portOrDefault(key(kLocalPortKey), defaults.localPort).value_or(defaults.localPort);
    endpoints.remoteAddress =
        addressOrDefault(key(kRemoteAddressKey), defaults.remoteAddress).value_or(defaults.remoteAddress);
    endpoints.remotePort = portOrDefault(key(kRemotePortKey), defaults.remotePort).value_or(defaults.remotePort);
    return endpoints;
}

std::optional<ConnectionSettings> InterfaceSettings::loadConnectionSettings() const
{
    return checkConnectionSettings().settings;
}

InterfaceSettings::ConnectionSettingsCheck InterfaceSettings::checkConnectionSettings() const
{
    ConnectionSettingsCheck check;
    check.path = readPath();
    // One read of the file for all keys, so a concurrent write cannot mix two versions.
    const IniFile::Loaded loaded = IniFile::load(check.path);
    const IniFile& file = loaded.file;
    const auto value = [&](const char* section, const char* key) {
        return file.value(QLatin1String(section), QLatin1String(key), QString());
    };
    const auto fail = [&](SettingsProblem problem, const QString& badText = {}) {
        check.problem = problem;
        check.badText = badText;
        return check;
    };
    if (loaded.status == IniLoadStatus::Missing)
        return fail(SettingsProblem::FileMissing);
    if (loaded.status == IniLoadStatus::Unreadable)
        return fail(SettingsProblem::FileUnreadable);

    ConnectionSettings settings;
    const QString mode = value(kModeSection, kModeKey);
    if (mode == kSerialModeText) {
        settings.portName = value(kSerialSection, kPortKey);
        settings.baudRate = value(kSerialSection, kBaudKey);
        if (settings.portName.isEmpty())
            return fail(SettingsProblem::PortNameMissing);
        bool baudIsNumber = false;
        const int baud = settings.baudRate.toInt(&baudIsNumber, 10);
        if (!baudIsNumber || baud <= 0)
            return fail(SettingsProblem::BaudRateInvalid, settings.baudRate);
        settings.portPath = portOpenPath(settings.portName);
        settings.mode = InterfaceMode::Serial;
        check.settings = settings;
        return check;
    }
    if (mode == kEthernetModeText) {
        const UdpEndpoints defaults;
        const std::optional<QString> localAddress =
            addressOrDefault(value(kEthernetSection, kLocalAddressKey), defaults.localAddress);
        const std::optional<uint16_t> localPort = portOrDefault(value(kEthernetSection, kLocalPortKey), defaults.localPort);
        const std::optional<QString> remoteAddress =
            addressOrDefault(value(kEthernetSection, kRemoteAddressKey), defaults.remoteAddress);
        const std::optional<uint16_t> remotePort =
            portOrDefault(value(kEthernetSection, kRemotePortKey), defaults.remotePort);
        if (!localAddress || !localPort || !remoteAddress || !remotePort)
            return fail(SettingsProblem::UdpEndpointInvalid);
        settings.udp = {*localAddress, *localPort, *remoteAddress, *remotePort};
        settings.mode = InterfaceMode::Ethernet;
        check.settings = settings;
        return check;
    }
    return fail(mode.isEmpty() ? SettingsProblem::ModeNotSet : SettingsProblem::UnknownMode, mode);
}

IniWriteResult InterfaceSettings::setMode(InterfaceMode mode)
{
    if (mode == InterfaceMode::NotSet)
        return {IniWriteStatus::InvalidValue, {}};
    return write({{kModeSection, kModeKey, mode == InterfaceMode::Serial ? kSerialModeText : kEthernetModeText}});
}

IniWriteResult InterfaceSettings::setSerialPort(const QString& portName, const QString& baudRate)
{
    return write({{kSerialSection, kPortKey, portName}, {kSerialSection, kBaudKey, baudRate}});
}

IniWriteResult InterfaceSettings::setApproximateComparison(bool on)
{
    return write({{kSettingSection, kApproxKey, on ? QStringLiteral("1") : QStringLiteral("0")}});
}

IniWriteResult InterfaceSettings::setInterfaceLanguage(const QString& text)
{
    return write({{kSettingSection, kLanguageKey, text}});
}

IniWriteResult InterfaceSettings::setUdpEndpoints(const UdpEndpoints& endpoints)
{
    if (!isAddress(endpoints.localAddress) || !isAddress(endpoints.remoteAddress) || endpoints.localPort == 0
        || endpoints.remotePort == 0)
        return {IniWriteStatus::InvalidValue, {}};
    return write({{kEthernetSection, kLocalAddressKey, endpoints.localAddress},
                  {kEthernetSection, kLocalPortKey, QString::number(endpoints.localPort)},
                  {kEthernetSection, kRemoteAddressKey, endpoints.remoteAddress},
                  {kEthernetSection, kRemotePortKey, QString::number(endpoints.remotePort)}});
}

}  // namespace hesk::online

#pragma once
// The settings file "interfacecfg.ini": interface mode, serial port and baud rate, the
// approximate-comparison switch, and the UDP addresses of the Ethernet mode.
//
// | Section         | Key          | Values                          | Default     |
// |-----------------|--------------|---------------------------------|-------------|
// | "CURRENT MODE"  | "MODE"       | "232" (serial) or "ETHERNET"    | empty       |
// | "232 MODE"      | "PORTNAME"   | a port name (COM3, /dev/ttyUSB0)| empty       |
// | "232 MODE"      | "BAUNDRATE"  | "38400"                         | empty       |
// | "SETTING"       | "APPROX"     | "1" on, "0" off                 | empty (off) |
// | "SETTING"       | "LANGUAGE"   | "system", "zh_CN" or "en"       | empty (system) |
// | "ETHERNET MODE" | "LOCALIP"    | IPv4 or IPv6 address            | 127.0.0.1   |
// | "ETHERNET MODE" | "LOCALPORT"  | 1 to 65535                      | 8001        |
// | "ETHERNET MODE" | "REMOTEIP"   | IPv4 or IPv6 address            | 127.0.0.2   |
// | "ETHERNET MODE" | "REMOTEPORT" | 1 to 65535                      | 8001        |
//
// The "ETHERNET MODE" keys are our own: the drive's Ethernet link has fixed addresses,
// but the simulated drive on loopback and test benches need them configurable. Files
// without them behave as before.
//
// Where the file lives (chooseSettingsLocation):
// - beside the executable, as always, when the executable's folder is writable (a
//   developer build or a per-user installation);
// - otherwise (an installed, read-only location) in the user's configuration folder,
//   <generic config location>/HESKMonitor/interfacecfg.ini (~/.config/HESKMonitor on
//   Linux). The folder is fixed rather than per program so that HESKMonitor and heskmon
//   share it. While that file does not exist yet, a file beside the executable is read
//   instead (settings shipped with the installation), and the first write copies its
//   content into the user's file together with the change.
//
// Every read and write goes to the file again (no cache), as the profile functions do.
// Reentrant; the object only holds paths.

#include "IniFile.h"

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace hesk::online {

inline constexpr char kInterfaceSettingsFileName[] = "interfacecfg.ini";
inline constexpr char kUserSettingsFolderName[] = "HESKMonitor";

enum class InterfaceMode { NotSet = 0, Serial = 1, Ethernet = 2 };

// How a port name becomes the path the serial port is opened with. Windows: a name
// longer than 4 characters gets the prefix "\\.\" (COM10 -> \\.\COM10, COM3 stays).
// Elsewhere a name is a device path: a bare name gets "/dev/" in front (ttyUSB0 ->
// /dev/ttyUSB0), a name holding "/" is used as it is (/dev/pts/3).
enum class PortPlatform { Windows, Posix };
PortPlatform hostPortPlatform();
QString portOpenPath(const QString& portName, PortPlatform platform = hostPortPlatform());

struct UdpEndpoints {
    static constexpr uint16_t kDefaultPort = 8001;
    QString localAddress = QStringLiteral("127.0.0.1");
    uint16_t localPort = kDefaultPort;
    QString remoteAddress = QStringLiteral("127.0.0.2");
    uint16_t remotePort = kDefaultPort;
    bool operator==(const UdpEndpoints&) const = default;
};

// What the connect sequence works with, loaded at every connect.
struct ConnectionSettings {
    InterfaceMode mode = InterfaceMode::NotSet;
    QString portName;  // as stored, for display
    QString portPath;  // portOpenPath(portName)
    QString baudRate;  // decimal text as stored
    UdpEndpoints udp;
    bool operator==(const ConnectionSettings&) const = default;
};

// Why the settings file allows no connect.
enum class SettingsProblem {
    None,
    FileMissing,         // no file at the read path (nor a seed)
    FileUnreadable,      // it exists but cannot be read
    ModeNotSet,          // MODE empty
    UnknownMode,         // MODE neither "232" nor "ETHERNET"
    PortNameMissing,     // "232" without PORTNAME
    BaudRateInvalid,     // "232" with BAUNDRATE empty or not a positive decimal number
    UdpEndpointInvalid,  // "ETHERNET" with an address or port key set but not valid
};

struct SettingsLocation {
    QString filePath;  // where the settings are written (and read once it exists)
    QString seedPath;  // read while filePath does not exist; empty when none
};

SettingsLocation chooseSettingsLocation(const QString& executableFolder, bool executableFolderWritable,
                                        const QString& userConfigFolder);
// The rule above for the running program (QCoreApplication::applicationDirPath() and
// QStandardPaths::GenericConfigLocation); needs a QCoreApplication.
SettingsLocation applicationSettingsLocation();

class InterfaceSettings {
public:
    explicit InterfaceSettings(SettingsLocation location);

    const SettingsLocation& location() const { return m_location; }
    // The file that reads go to now: filePath, or the seed while filePath is missing.
    QString readPath() const;

    // Loading the settings for a connect. Nothing when they do not allow one (the caller
    // reports "通信设置加载失败！"):
    // - MODE empty, or neither "232" nor "ETHERNET" (an unknown mode would otherwise
    //   pass as loaded and the connect would silently do nothing);
    // - "232" with PORTNAME or BAUNDRATE empty, or a BAUNDRATE that is not a positive
    //   decimal number;
    // - "ETHERNET" with an address or port key that is set but not valid.
    std::optional<ConnectionSettings> loadConnectionSettings() const;
    // The same load, with what stopped it and the file it read, so that a caller can
    // tell the person which file to fix.
    struct ConnectionSettingsCheck {
        std::optional<ConnectionSettings> settings;
        SettingsProblem problem = SettingsProblem::None;
        QString path;     // the file read (readPath())
        QString badText;  // the offending value (MODE, BAUNDRATE); empty otherwise
    };
    ConnectionSettingsCheck checkConnectionSettings() const;

    QString modeText() const;
    InterfaceMode mode() const;  // NotSet for an empty or unknown MODE
    QString portName() const;
    QString baudRate() const;
    bool approximateComparison() const;  // "1" is on, anything else off
    QString interfaceLanguage() const;   // as stored (shell::parseLanguageSetting reads it)
    // Our keys; a key that is missing or not valid gives its default.
    UdpEndpoints udpEndpoints() const;

    // Writes "232" or "ETHERNET"; NotSet is refused as InvalidValue.
    IniWriteResult setMode(InterfaceMode mode);
    // Writes both keys in one replacement of the file.
    IniWriteResult setSerialPort(const QString& portName, const QString& baudRate);
    IniWriteResult setApproximateComparison(bool on);
    IniWriteResult setInterfaceLanguage(const QString& text);
    IniWriteResult setUdpEndpoints(const UdpEndpoints& endpoints);

private:
    struct Entry {
        const char* section;
        const char* key;
        QString value;
    };
    QString read(const char* section, const char* key) const;
    IniWriteResult write(std::initializer_list<Entry> entries);

    SettingsLocation m_location;
};

}  // namespace hesk::online

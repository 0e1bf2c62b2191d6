// The settings of "interfacecfg.ini": defaults, loading for a connect, the writers, the
// port path rule and where the file lives.

#include "IniTestSupport.h"
#include "QtPrinters.h"

#include "online/InterfaceSettings.h"
#include "online/InterfaceSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hesk::online;
using namespace hesk::online::testing;

namespace {

class InterfaceSettingsTest : public ::testing::Test {
protected:
    InterfaceSettings settings() const { return InterfaceSettings({folder.ini(), {}}); }
    void writeText(const char* text) { ASSERT_TRUE(writeBytes(folder.ini(), text)); }

    TempFolder folder;
};

TEST_F(InterfaceSettingsTest, missingFileGivesEmptyDefaultsAndNoConnection)
{
    const InterfaceSettings s = settings();
    EXPECT_EQ(s.modeText(), QString());
    EXPECT_EQ(s.mode(), InterfaceMode::NotSet);
    EXPECT_EQ(s.portName(), QString());
    EXPECT_EQ(s.baudRate(), QString());
    EXPECT_FALSE(s.approximateComparison());
    EXPECT_EQ(s.udpEndpoints(), UdpEndpoints{});
    EXPECT_EQ(UdpEndpoints{}.localAddress, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(UdpEndpoints{}.remoteAddress, QStringLiteral("127.0.0.2"));
    EXPECT_EQ(s.loadConnectionSettings(), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(folder.ini()));  // reading creates nothing
}

struct LoadCase {
    const char* name;
    const char* file;
    std::optional<ConnectionSettings> expected;
    SettingsProblem problem = SettingsProblem::None;  // what the check names
    const char* badText = "";
};

ConnectionSettings serial(const char* port, const char* path, const char* baud)
{
    ConnectionSettings s;
    s.mode = InterfaceMode::Serial;
    s.portName = QString::fromUtf8(port);
    s.portPath = QString::fromUtf8(path);
    s.baudRate = QString::fromUtf8(baud);
    return s;
}

ConnectionSettings ethernet(UdpEndpoints udp = {})
{
    ConnectionSettings s;
    s.mode = InterfaceMode::Ethernet;
    s.udp = udp;
    return s;
}

TEST_F(InterfaceSettingsTest, loadingForAConnect)
{
    using P = SettingsProblem;
    const LoadCase cases[] = {
        {"serial", "[CURRENT MODE]\nMODE=232\n[232 MODE]\nPORTNAME=ttyUSB0\nBAUNDRATE=38400\n",
         serial("ttyUSB0", "/dev/ttyUSB0", "38400")},
        {"serial pseudo-terminal", "[CURRENT MODE]\nMODE=232\n[232 MODE]\nPORTNAME=/dev/pts/7\nBAUNDRATE=38400\n",
         serial("/dev/pts/7", "/dev/pts/7", "38400")},
        {"empty mode", "[CURRENT MODE]\nMODE=\n", std::nullopt, P::ModeNotSet},
        {"no mode key", "[232 MODE]\nPORTNAME=COM3\nBAUNDRATE=38400\n", std::nullopt, P::ModeNotSet},
        {"empty baud rate", "[CURRENT MODE]\nMODE=232\n[232 MODE]\nPORTNAME=COM3\nBAUNDRATE=\n", std::nullopt,
         P::BaudRateInvalid},
        {"empty port", "[CURRENT MODE]\nMODE=232\n[232 MODE]\nBAUNDRATE=38400\n", std::nullopt, P::PortNameMissing},
        {"baud rate no number", "[CURRENT MODE]\nMODE=232\n[232 MODE]\nPORTNAME=COM3\nBAUNDRATE=fast\n",
         std::nullopt, P::BaudRateInvalid, "fast"},
        {"baud rate zero", "[CURRENT MODE]\nMODE=232\n[232 MODE]\nPORTNAME=COM3\nBAUNDRATE=0\n", std::nullopt,
         P::BaudRateInvalid, "0"},
        {"ethernet with default addresses", "[CURRENT MODE]\nMODE=ETHERNET\n", ethernet()},
        {"ethernet with our keys",
         "[CURRENT MODE]\nMODE=ETHERNET\n[ETHERNET MODE]\nLOCALIP=127.0.0.5\nLOCALPORT=9001\n"
         "REMOTEIP=::1\nREMOTEPORT=9002\n",
         ethernet({"127.0.0.5", 9001, "::1", 9002})},
        {"ethernet with a bad address", "[CURRENT MODE]\nMODE=ETHERNET\n[ETHERNET MODE]\nREMOTEIP=127.0.0.300\n",
         std::nullopt, P::UdpEndpointInvalid},
        {"ethernet with a bad port", "[CURRENT MODE]\nMODE=ETHERNET\n[ETHERNET MODE]\nLOCALPORT=70000\n",
         std::nullopt, P::UdpEndpointInvalid},
        {"unknown mode", "[CURRENT MODE]\nMODE=RS485\n", std::nullopt, P::UnknownMode, "RS485"},
        {"mode in another case", "[CURRENT MODE]\nMODE=ethernet\n", std::nullopt, P::UnknownMode, "ethernet"},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeText(c.file);
        EXPECT_EQ(settings().loadConnectionSettings(), c.expected);
        const InterfaceSettings::ConnectionSettingsCheck check = settings().checkConnectionSettings();
        EXPECT_EQ(check.settings, c.expected);
        EXPECT_EQ(check.problem, c.problem);
        EXPECT_EQ(check.badText, QString::fromUtf8(c.badText));
        EXPECT_EQ(check.path, folder.ini());
    }
}

// The check names the file it read: the user's file, or the shipped one while the
// user's does not exist; a missing or unreadable file is told apart from a bad key.
TEST_F(InterfaceSettingsTest, checkNamesTheFileItRead)
{
    const QString user = folder.file(QStringLiteral("user/interfacecfg.ini"));
    const InterfaceSettings seeded({user, folder.ini()});
    InterfaceSettings::ConnectionSettingsCheck check = seeded.checkConnectionSettings();
    EXPECT_EQ(check.problem, SettingsProblem::FileMissing);
    EXPECT_EQ(check.path, folder.ini());

    writeText("[CURRENT MODE]\nMODE=\n");
    check = seeded.checkConnectionSettings();
    EXPECT_EQ(check.problem, SettingsProblem::ModeNotSet);
    EXPECT_EQ(check.path, folder.ini());

    ASSERT_TRUE(QDir().mkpath(user));  // a folder where the file should be
    check = seeded.checkConnectionSettings();
    EXPECT_EQ(check.problem, SettingsProblem::FileUnreadable);
    EXPECT_EQ(check.path, user);
    EXPECT_EQ(check.settings, std::nullopt);
}

TEST_F(InterfaceSettingsTest, writersAndReadersMeet)
{
    InterfaceSettings s = settings();
    ASSERT_TRUE(s.setMode(InterfaceMode::Serial).ok());
    ASSERT_TRUE(s.setSerialPort("/dev/ttyS1", "38400").ok());
    EXPECT_EQ(s.loadConnectionSettings(), serial("/dev/ttyS1", "/dev/ttyS1", "38400"));

    ASSERT_TRUE(s.setMode(InterfaceMode::Ethernet).ok());
    const UdpEndpoints udp{"127.0.0.1", 18001, "127.0.0.2", 18002};
    ASSERT_TRUE(s.setUdpEndpoints(udp).ok());
    EXPECT_EQ(s.loadConnectionSettings(), ethernet(udp));
    EXPECT_EQ(s.udpEndpoints(), udp);
    // The serial keys stay for a later switch back.
    EXPECT_EQ(s.portName(), QStringLiteral("/dev/ttyS1"));

    EXPECT_EQ(s.setMode(InterfaceMode::NotSet).status, IniWriteStatus::InvalidValue);
    EXPECT_EQ(s.setUdpEndpoints({"nowhere", 1, "127.0.0.2", 1}).status, IniWriteStatus::InvalidValue);
    EXPECT_EQ(s.modeText(), QStringLiteral("ETHERNET"));
}

TEST_F(InterfaceSettingsTest, firstApproximateToggleCreatesTheFileWithTheSettingSection)
{
    InterfaceSettings s = settings();
    ASSERT_TRUE(s.setApproximateComparison(true).ok());
    EXPECT_EQ(readBytes(folder.ini()), bomLE + le16(u"[SETTING]\r\nAPPROX=1\r\n"));
    EXPECT_TRUE(s.approximateComparison());

    ASSERT_TRUE(s.setApproximateComparison(false).ok());
    EXPECT_EQ(readBytes(folder.ini()), bomLE + le16(u"[SETTING]\r\nAPPROX=0\r\n"));
    EXPECT_FALSE(s.approximateComparison());
}

TEST_F(InterfaceSettingsTest, onlyTheText1SwitchesApproximateComparisonOn)
{
    const std::pair<const char*, bool> cases[] = {{"1", true}, {"0", false}, {"", false}, {"yes", false}, {"01", false}};
    for (const auto& [text, on] : cases) {
        SCOPED_TRACE(text);
        writeText((std::string("[SETTING]\r\nAPPROX=") + text + "\r\n").c_str());
        EXPECT_EQ(settings().approximateComparison(), on);
    }
}

TEST_F(InterfaceSettingsTest, invalidUdpKeysFallBackToDefaultsForDisplay)
{
    writeText("[ETHERNET MODE]\nLOCALIP=not an address\nLOCALPORT=0\nREMOTEIP=10.0.0.9\n");
    UdpEndpoints expected;
    expected.remoteAddress = QStringLiteral("10.0.0.9");
    EXPECT_EQ(settings().udpEndpoints(), expected);
}

TEST_F(InterfaceSettingsTest, aWriteToAnUnwritableLocationFailsCleanly)
{
    ASSERT_TRUE(writeBytes(folder.file("plain-file"), "x"));
    InterfaceSettings s({folder.file("plain-file/sub/interfacecfg.ini"), {}});
    EXPECT_EQ(s.setMode(InterfaceMode::Serial).status, IniWriteStatus::CannotWrite);
    EXPECT_EQ(s.mode(), InterfaceMode::NotSet);
}

TEST(PortOpenPath, windowsPrefixOnlyForLongNamesAndDevicePathsElsewhere)
{
    struct Case {
        const char* name;
        PortPlatform platform;
        const char* path;
    };
    const Case cases[] = {
        {"COM3", PortPlatform::Windows, "COM3"},
        {"COM12", PortPlatform::Windows, "\\\\.\\COM12"},
        {"\\\\.\\COM12", PortPlatform::Windows, "\\\\.\\COM12"},
        {"ttyUSB0", PortPlatform::Posix, "/dev/ttyUSB0"},
        {"COM12", PortPlatform::Posix, "/dev/COM12"},
        {"/dev/pts/3", PortPlatform::Posix, "/dev/pts/3"},
        {"", PortPlatform::Posix, ""},
        {"", PortPlatform::Windows, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(portOpenPath(c.name, c.platform), QString::fromUtf8(c.path));
    }
}

TEST(SettingsLocation, besideTheExecutableWhenItsFolderIsWritableElseTheUsersFolder)
{
    const SettingsLocation writable = chooseSettingsLocation("/opt/hesk/bin", true, "/home/u/.config/HESKMonitor");
    EXPECT_EQ(writable.filePath, QStringLiteral("/opt/hesk/bin/interfacecfg.ini"));
    EXPECT_EQ(writable.seedPath, QString());

    const SettingsLocation readOnly = chooseSettingsLocation("/opt/hesk/bin", false, "/home/u/.config/HESKMonitor");
    EXPECT_EQ(readOnly.filePath, QStringLiteral("/home/u/.config/HESKMonitor/interfacecfg.ini"));
    EXPECT_EQ(readOnly.seedPath, QStringLiteral("/opt/hesk/bin/interfacecfg.ini"));
}

TEST(SettingsLocation, theRunningProgramsWritableFolderHoldsTheFile)
{
    int argc = 1;
    char name[] = "test_online";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    // The test program's build folder is writable.
    const SettingsLocation location = applicationSettingsLocation();
    EXPECT_EQ(location.filePath, QCoreApplication::applicationDirPath() + QStringLiteral("/interfacecfg.ini"));
    EXPECT_EQ(location.seedPath, QString());
}

TEST(SettingsLocation, shippedSettingsAreReadUntilTheFirstWriteCopiesThemToTheUser)
{
    TempFolder install;
    TempFolder user;
    const QString shipped = install.ini();
    const QByteArray shippedBytes = bomLE + le16(u"; shipped\r\n[CURRENT MODE]\r\nMODE=232\r\n[232 MODE]\r\nPORTNAME=ttyS0\r\nBAUNDRATE=38400\r\n");
    ASSERT_TRUE(writeBytes(shipped, shippedBytes));
    const QString userFile = user.file(QStringLiteral("HESKMonitor/interfacecfg.ini"));
    InterfaceSettings s({userFile, shipped});

    EXPECT_EQ(s.readPath(), shipped);
    EXPECT_EQ(s.loadConnectionSettings(), serial("ttyS0", "/dev/ttyS0", "38400"));

    ASSERT_TRUE(s.setApproximateComparison(true).ok());
    EXPECT_EQ(s.readPath(), userFile);
    EXPECT_EQ(readBytes(userFile), shippedBytes + le16(u"[SETTING]\r\nAPPROX=1\r\n"));
    EXPECT_EQ(readBytes(shipped), shippedBytes);
    EXPECT_EQ(s.loadConnectionSettings(), serial("ttyS0", "/dev/ttyS0", "38400"));
}

TEST(InterfaceSetup, dialogChecksAndTexts)
{
    EXPECT_EQ(checkPortsForDetailSettings({}),
              hesk::model::UserMessage::warning(QStringLiteral("当前机器上未检测到串口设备！")));
    EXPECT_EQ(checkPortsForDetailSettings({"/dev/ttyS0"}), std::nullopt);
    EXPECT_EQ(checkPortSelection("", "38400"), hesk::model::UserMessage::warning(QStringLiteral("端口未选择！")));
    EXPECT_EQ(checkPortSelection("", ""), hesk::model::UserMessage::warning(QStringLiteral("端口未选择！")));
    EXPECT_EQ(checkPortSelection("COM3", ""), hesk::model::UserMessage::warning(QStringLiteral("波特率未选择！")));
    EXPECT_EQ(checkPortSelection("COM3", "38400"), std::nullopt);
    EXPECT_EQ(offeredBaudRates(), QStringList{"38400"});
    EXPECT_EQ(interfaceModeDescription(InterfaceMode::Serial),
              QStringLiteral("该模式使用232通信协议,需要设定串口号和波特率"));
    EXPECT_EQ(interfaceModeDescription(InterfaceMode::Ethernet), QStringLiteral("该模式使用以太网通信协议"));
}

}  // namespace

namespace {

using hesk::model::MessageKind;
using hesk::model::UserMessage;

TEST(InterfaceSetup, detailSettingsTellAnUnreadableListFromAnEmptyOne)
{
    EXPECT_EQ(checkPortListForDetailSettings(std::nullopt),
              (UserMessage{MessageKind::Warning, QStringLiteral("WARNING"), QStringLiteral("当前机器上没有检测到串口设备!")}));
    EXPECT_EQ(checkPortListForDetailSettings(QStringList{}),
              UserMessage::warning(QStringLiteral("当前机器上未检测到串口设备！")));
    EXPECT_EQ(checkPortListForDetailSettings(QStringList{"", ""}),
              UserMessage::warning(QStringLiteral("当前机器上未检测到串口设备！")));
    EXPECT_EQ(checkPortListForDetailSettings(QStringList{"COM3"}), std::nullopt);
    EXPECT_EQ(checkPortListForDetailSettings(QStringList{"", "COM3"}), std::nullopt);
    // The host's own list is always readable.
    EXPECT_TRUE(systemPortListSource()().has_value());
}

TEST(InterfaceSetup, portDialogChoicesSelectTheStoredEntriesWhenListed)
{
    struct Case {
        const char* name;
        std::optional<QStringList> ports;
        QString storedPort;
        QString storedBaud;
        PortDialogChoices expected;
    };
    const QStringList baud{"38400"};
    const UserMessage unreadable = UserMessage::warning(QStringLiteral("当前机器上未检测到串口设备！"));
    const Case cases[] = {
        {"both stored and listed", QStringList{"COM1", "COM3"}, "COM3", "38400", {{"COM1", "COM3"}, baud, 1, 0, {}}},
        {"stored port not listed heads the list", QStringList{"COM1"}, "COM7", "38400",
         {{"COM7", "COM1"}, baud, 0, 0, {}}},
        {"stored pseudo-terminal", QStringList{"/dev/ttyS0"}, " /dev/pts/3 ", "38400",
         {{"/dev/pts/3", "/dev/ttyS0"}, baud, 0, 0, {}}},
        {"nothing stored", QStringList{"COM1"}, "", "", {{"COM1"}, baud, -1, -1, {}}},
        {"baud rate not offered", QStringList{"COM1"}, "COM1", "9600", {{"COM1"}, baud, 0, -1, {}}},
        {"empty names and duplicates dropped", QStringList{"", "COM2", "COM2", "COM4"}, "COM4", "",
         {{"COM2", "COM4"}, baud, 1, -1, {}}},
        {"unreadable list", std::nullopt, "COM3", "38400", {{"COM3"}, baud, 0, 0, unreadable}},
        {"unreadable list, nothing stored", std::nullopt, "", "38400", {{}, baud, -1, 0, unreadable}},
        {"no ports", QStringList{}, "COM3", "38400", {{"COM3"}, baud, 0, 0, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(portDialogChoices(c.ports, c.storedPort, c.storedBaud), c.expected);
    }
}

TEST(InterfaceSetup, serialDeviceNodesAreTheTtyCharacterDevicesInNaturalOrder)
{
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    // Symbolic links to a character device stand in for device nodes.
    for (const char* name : {"ttyS10", "ttyS2", "ttyUSB0", "ttyACM1"})
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), dev.filePath(QLatin1String(name))));
    for (const char* name : {"ttyS3", "ttyX0"}) {  // a regular file; a name of another kind
        QFile file(dev.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), dev.filePath(QStringLiteral("console"))));
    const QStringList expected{dev.filePath("ttyACM1"), dev.filePath("ttyS2"), dev.filePath("ttyS10"),
                               dev.filePath("ttyUSB0")};
    EXPECT_EQ(serialDeviceNodes(dev.path()), expected);
    EXPECT_EQ(serialDeviceNodes(dev.filePath(QStringLiteral("missing"))), QStringList{});
}

TEST(InterfaceSetup, portSelectionIgnoresSurroundingBlanks)
{
    EXPECT_EQ(checkPortSelection(QStringLiteral("  "), QStringLiteral("38400")),
              UserMessage::warning(QStringLiteral("端口未选择！")));
    EXPECT_EQ(checkPortSelection(QStringLiteral(" /dev/pts/4 "), QStringLiteral("38400")), std::nullopt);
}

class InterfaceSetupSave : public ::testing::Test {
protected:
    TempFolder folder;
    InterfaceSettings settings{{folder.ini(), {}}};
};

TEST_F(InterfaceSetupSave, modeIsWrittenForTheCheckedRadioOnly)
{
    EXPECT_EQ(saveInterfaceMode(settings, InterfaceMode::NotSet), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(folder.ini()));  // no radio checked: nothing written
    EXPECT_EQ(saveInterfaceMode(settings, InterfaceMode::Serial), std::nullopt);
    EXPECT_EQ(settings.modeText(), QStringLiteral("232"));
    EXPECT_EQ(saveInterfaceMode(settings, InterfaceMode::Ethernet), std::nullopt);
    EXPECT_EQ(settings.modeText(), QStringLiteral("ETHERNET"));
}

TEST_F(InterfaceSetupSave, portSelectionIsCheckedBeforeItIsWritten)
{
    EXPECT_EQ(savePortSelection(settings, "", "38400"), UserMessage::warning(QStringLiteral("端口未选择！")));
    EXPECT_EQ(savePortSelection(settings, "COM3", ""), UserMessage::warning(QStringLiteral("波特率未选择！")));
    EXPECT_FALSE(QFileInfo::exists(folder.ini()));
    EXPECT_EQ(savePortSelection(settings, "COM3", "38400"), std::nullopt);
    EXPECT_EQ(settings.portName(), QStringLiteral("COM3"));
    EXPECT_EQ(settings.baudRate(), QStringLiteral("38400"));
}

TEST_F(InterfaceSetupSave, aFailedWriteIsReportedNotTakenAsSaved)
{
    // The settings file's place is taken by a folder: no write can replace it.
    ASSERT_TRUE(QDir().mkpath(folder.ini()));
    const UserMessage failed = UserMessage::error(QStringLiteral("文件保存失败！"));
    EXPECT_EQ(saveInterfaceMode(settings, InterfaceMode::Serial), failed);
    EXPECT_EQ(savePortSelection(settings, "COM3", "38400"), failed);
    EXPECT_TRUE(QFileInfo(folder.ini()).isDir());
}

}  // namespace

// "接口设置" (InterfaceSettingsDialog) and "端口设定" (PortSettingsDialog) on a settings file in a
// temporary folder: texts and controls, the stored mode and port on opening, radio
// clicks and their descriptions, "详细设定" without ports and with them, the port
// dialog's selections and refusals, and what OK writes.

#include "DialogTestSupport.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "dialogs/InterfaceSettingsDialog.h"
#include "dialogs/PortSettingsDialog.h"
#include "online/IniFile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::apptest {
namespace {

using app::InterfaceSettingsDialog;
using app::PortSettingsDialog;
using model::MessageKind;
using model::UserMessage;
using online::InterfaceMode;
using online::InterfaceSettings;
using testsupport::ScriptedPrompt;

const QString kSerialText = QStringLiteral("该模式使用232通信协议,需要设定串口号和波特率");
const QString kEthernetText = QStringLiteral("该模式使用以太网通信协议");

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString iniPath() const { return dir.filePath(QStringLiteral("interfacecfg.ini")); }
    InterfaceSettings settings() const { return InterfaceSettings({iniPath(), {}}); }
    void store(const char* section, const char* key, const QString& value)
    {
        ASSERT_TRUE(online::writeProfileString(iniPath(), QLatin1String(section), QLatin1String(key), value).ok());
    }
    // A port list the dialogs read, counting the reads.
    online::PortListSource ports(std::optional<QStringList> list)
    {
        return [this, list] {
            ++portReads;
            return list;
        };
    }

    QTemporaryDir dir;
    ScriptedPrompt prompt;
    int portReads = 0;
};

// ---- 接口设置

TEST_F(SettingsDialogTest, interfaceDialogShowsItsTextsWithTheEthernetModeDisabled)
{
    InterfaceSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("接口设置"));
    EXPECT_EQ(child<QGroupBox>(dialog, "interfaceGroup")->title(), QStringLiteral("选择需要的通信接口"));
    auto* serial = child<QRadioButton>(dialog, "serialRadio");
    auto* ethernet = child<QRadioButton>(dialog, "ethernetRadio");
    EXPECT_EQ(serial->text(), QStringLiteral("串口通信模式 (232)"));
    EXPECT_EQ(ethernet->text(), QStringLiteral("网口(PCIe GBE Family controller)"));
    EXPECT_TRUE(serial->isEnabled());
    EXPECT_FALSE(ethernet->isEnabled());
    EXPECT_EQ(child<QPushButton>(dialog, "detailButton")->text(), QStringLiteral("详细设定"));
    EXPECT_EQ(child<QPushButton>(dialog, "okButton")->text(), QStringLiteral("确定"));
    EXPECT_EQ(child<QPushButton>(dialog, "cancelButton")->text(), QStringLiteral("取消"));
    EXPECT_EQ(portReads, 0);  // the ports are read only for "详细设定"
}

TEST_F(SettingsDialogTest, interfaceDialogOpensWithTheStoredMode)
{
    struct Case {
        const char* stored;  // nullptr: no file
        bool serial;
        bool ethernet;
        QString description;
    };
    const Case cases[] = {
        {"232", true, false, kSerialText},
        {"ETHERNET", false, true, kEthernetText},
        {"", false, false, QString()},
        {"USB", false, false, QString()},
        {nullptr, false, false, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "no file");
        QFile::remove(iniPath());
        if (c.stored)
            store("CURRENT MODE", "MODE", QString::fromUtf8(c.stored));
        InterfaceSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
        EXPECT_EQ(child<QRadioButton>(dialog, "serialRadio")->isChecked(), c.serial);
        EXPECT_EQ(child<QRadioButton>(dialog, "ethernetRadio")->isChecked(), c.ethernet);
        EXPECT_EQ(child<QLabel>(dialog, "descriptionText")->text(), c.description);
        // The port settings belong to the serial mode.
        EXPECT_EQ(child<QPushButton>(dialog, "detailButton")->isEnabled(), c.serial);
    }
}

TEST_F(SettingsDialogTest, clickingTheSerialRadioChecksItAndShowsItsDescription)
{
    store("CURRENT MODE", "MODE", QStringLiteral("ETHERNET"));
    InterfaceSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
    dialog.show();
    auto* serial = child<QRadioButton>(dialog, "serialRadio");
    click(serial);
    EXPECT_TRUE(serial->isChecked());
    EXPECT_FALSE(child<QRadioButton>(dialog, "ethernetRadio")->isChecked());
    EXPECT_EQ(child<QLabel>(dialog, "descriptionText")->text(), kSerialText);
    EXPECT_EQ(dialog.checkedMode(), InterfaceMode::Serial);
    EXPECT_TRUE(child<QPushButton>(dialog, "detailButton")->isEnabled());
    // A click on the checked radio keeps it checked.
    click(serial);
    EXPECT_TRUE(serial->isChecked());
    EXPECT_EQ(child<QLabel>(dialog, "descriptionText")->text(), kSerialText);
}

TEST_F(SettingsDialogTest, okWritesTheModeOfTheCheckedRadioAndCancelWritesNothing)
{
    store("CURRENT MODE", "MODE", QStringLiteral("ETHERNET"));
    {
        InterfaceSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
        dialog.show();
        click(child<QRadioButton>(dialog, "serialRadio"));
        click(child<QPushButton>(dialog, "cancelButton"));
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(settings().modeText(), QStringLiteral("ETHERNET"));
    }
    {
        InterfaceSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
        dialog.show();
        click(child<QRadioButton>(dialog, "serialRadio"));
        click(child<QPushButton>(dialog, "okButton"));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(settings().modeText(), QStringLiteral("232"));
    }
    // Opened again, the dialog shows what was written; OK keeps it.
    InterfaceSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
    dialog.show();
    EXPECT_TRUE(child<QRadioButton>(dialog, "serialRadio")->isChecked());
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_EQ(settings().modeText(), QStringLiteral("232"));
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(SettingsDialogTest, okWithoutACheckedRadioWritesNothing)
{
    InterfaceSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
    dialog.show();
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
}

TEST_F(SettingsDialogTest, aModeThatCannotBeWrittenKeepsTheDialogOpen)
{
    ASSERT_TRUE(QDir().mkpath(iniPath()));  // a folder where the file would go
    InterfaceSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
    dialog.show();
    click(child<QRadioButton>(dialog, "serialRadio"));
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompt.messages(), std::vector<UserMessage>{UserMessage::error(QStringLiteral("文件保存失败！"))});
}

TEST_F(SettingsDialogTest, detailSettingsWithoutPortsShowTheMessageAndNoPortDialog)
{
    struct Case {
        const char* name;
        std::optional<QStringList> list;
        UserMessage message;
    };
    const Case cases[] = {
        {"list unreadable", std::nullopt,
         {MessageKind::Warning, QStringLiteral("WARNING"), QStringLiteral("当前机器上没有检测到串口设备!")}},
        {"no ports", QStringList{}, UserMessage::warning(QStringLiteral("当前机器上未检测到串口设备！"))},
        {"only nameless entries", QStringList{""}, UserMessage::warning(QStringLiteral("当前机器上未检测到串口设备！"))},
    };
    store("CURRENT MODE", "MODE", QStringLiteral("232"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt casePrompt;
        InterfaceSettingsDialog dialog(settings(), casePrompt, ports(c.list));
        dialog.show();
        // A port dialog that opened anyway is closed again and counted.
        ModalWatcher watcher([](QWidget* modal) { modal->close(); }, &dialog, std::chrono::milliseconds(500));
        click(child<QPushButton>(dialog, "detailButton"));
        EXPECT_FALSE(watcher.opened());
        EXPECT_EQ(casePrompt.messages(), std::vector<UserMessage>{c.message});
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST_F(SettingsDialogTest, detailSettingsOpenThePortDialogWhichSavesThePort)
{
    store("CURRENT MODE", "MODE", QStringLiteral("232"));
    InterfaceSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1", "COM3"}));
    dialog.show();
    QStringList offered;
    QString title;
    ModalWatcher watcher(
        [&](QWidget* modal) {
            auto* portDialog = qobject_cast<PortSettingsDialog*>(modal);
            ASSERT_NE(portDialog, nullptr);
            title = portDialog->windowTitle();
            auto* portCombo = child<QComboBox>(*portDialog, "portCombo");
            for (int i = 0; i < portCombo->count(); ++i)
                offered << portCombo->itemText(i);
            portCombo->setCurrentIndex(1);
            child<QComboBox>(*portDialog, "baudCombo")->setCurrentIndex(0);
            click(child<QPushButton>(*portDialog, "okButton"));
        },
        &dialog);
    click(child<QPushButton>(dialog, "detailButton"));
    EXPECT_TRUE(watcher.opened());
    EXPECT_EQ(title, QStringLiteral("端口设定"));
    EXPECT_EQ(offered, (QStringList{"COM1", "COM3"}));
    EXPECT_EQ(settings().portName(), QStringLiteral("COM3"));
    EXPECT_EQ(settings().baudRate(), QStringLiteral("38400"));
    EXPECT_EQ(portReads, 2);  // the check, then the port dialog's own list
    EXPECT_TRUE(prompt.messages().empty());
}

// ---- 端口设定

TEST_F(SettingsDialogTest, portDialogOffersThePortsAndTheOneRateWithTheStoredOnesSelected)
{
    store("232 MODE", "PORTNAME", QStringLiteral("COM3"));
    store("232 MODE", "BAUNDRATE", QStringLiteral("38400"));
    PortSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1", "", "COM3", "COM1"}));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("端口设定"));
    const QStringList labels = labelTexts(dialog);
    EXPECT_TRUE(labels.contains(QStringLiteral("通讯端口"))) << labels.join(',').toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("波特率"))) << labels.join(',').toStdString();
    auto* portCombo = child<QComboBox>(dialog, "portCombo");
    auto* baudCombo = child<QComboBox>(dialog, "baudCombo");
    ASSERT_EQ(portCombo->count(), 2);  // nameless and repeated entries left out
    EXPECT_EQ(portCombo->itemText(0), QStringLiteral("COM1"));
    EXPECT_EQ(portCombo->itemText(1), QStringLiteral("COM3"));
    ASSERT_EQ(baudCombo->count(), 1);
    EXPECT_EQ(baudCombo->itemText(0), QStringLiteral("38400"));
    EXPECT_EQ(dialog.selectedPort(), QStringLiteral("COM3"));
    EXPECT_EQ(dialog.selectedBaudRate(), QStringLiteral("38400"));
    EXPECT_TRUE(portCombo->isEditable());  // a device path can be typed
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(SettingsDialogTest, portDialogShowsAConfiguredPseudoTerminalAndSavesATypedPath)
{
    store("232 MODE", "PORTNAME", QStringLiteral("/dev/pts/7"));
    store("232 MODE", "BAUNDRATE", QStringLiteral("38400"));
    PortSettingsDialog dialog(settings(), prompt, ports(QStringList{"/dev/ttyS0", "/dev/ttyUSB0"}));
    auto* portCombo = child<QComboBox>(dialog, "portCombo");
    ASSERT_EQ(portCombo->count(), 3);
    EXPECT_EQ(portCombo->itemText(0), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(dialog.selectedPort(), QStringLiteral("/dev/pts/7"));

    dialog.show();
    portCombo->setEditText(QStringLiteral(" /tmp/hesk-drive "));
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(settings().portName(), QStringLiteral("/tmp/hesk-drive"));
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(SettingsDialogTest, portDialogRefusesOkUntilBothAreSelected)
{
    // No port and no rate stored.
    store("CURRENT MODE", "MODE", QStringLiteral("232"));
    PortSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1", "COM3"}));
    dialog.show();
    EXPECT_EQ(dialog.selectedPort(), QString());
    EXPECT_EQ(dialog.selectedBaudRate(), QString());

    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_TRUE(dialog.isVisible());
    child<QComboBox>(dialog, "portCombo")->setCurrentIndex(0);
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompt.messages(), (std::vector<UserMessage>{UserMessage::warning(QStringLiteral("端口未选择！")),
                                                           UserMessage::warning(QStringLiteral("波特率未选择！"))}));
    EXPECT_EQ(settings().portName(), QString());  // nothing written yet

    child<QComboBox>(dialog, "baudCombo")->setCurrentIndex(0);
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings().portName(), QStringLiteral("COM1"));
    EXPECT_EQ(settings().baudRate(), QStringLiteral("38400"));
    EXPECT_EQ(prompt.messages().size(), 2u);
}

TEST_F(SettingsDialogTest, portDialogKeepsOtherSettingsAndCancelWritesNothing)
{
    store("CURRENT MODE", "MODE", QStringLiteral("232"));
    store("SETTING", "APPROX", QStringLiteral("1"));
    {
        PortSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
        dialog.show();
        child<QComboBox>(dialog, "portCombo")->setCurrentIndex(0);
        child<QComboBox>(dialog, "baudCombo")->setCurrentIndex(0);
        click(child<QPushButton>(dialog, "cancelButton"));
        EXPECT_EQ(settings().portName(), QString());
    }
    PortSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
    dialog.show();
    child<QComboBox>(dialog, "portCombo")->setCurrentIndex(0);
    child<QComboBox>(dialog, "baudCombo")->setCurrentIndex(0);
    click(child<QPushButton>(dialog, "okButton"));
    const InterfaceSettings s = settings();
    EXPECT_EQ(s.loadConnectionSettings()->portName, QStringLiteral("COM1"));
    EXPECT_EQ(s.modeText(), QStringLiteral("232"));
    EXPECT_TRUE(s.approximateComparison());
}

TEST_F(SettingsDialogTest, portDialogWithAnUnreadableListSaysSoAndOffersNoPort)
{
    store("232 MODE", "BAUNDRATE", QStringLiteral("38400"));
    PortSettingsDialog dialog(settings(), prompt, ports(std::nullopt));
    EXPECT_EQ(prompt.messages(),
              std::vector<UserMessage>{UserMessage::warning(QStringLiteral("当前机器上未检测到串口设备！"))});
    EXPECT_EQ(child<QComboBox>(dialog, "portCombo")->count(), 0);
    EXPECT_EQ(dialog.selectedBaudRate(), QStringLiteral("38400"));
    dialog.show();
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompt.messages().back(), UserMessage::warning(QStringLiteral("端口未选择！")));
}

TEST_F(SettingsDialogTest, portThatCannotBeWrittenKeepsThePortDialogOpen)
{
    ASSERT_TRUE(QDir().mkpath(iniPath()));
    PortSettingsDialog dialog(settings(), prompt, ports(QStringList{"COM1"}));
    dialog.show();
    child<QComboBox>(dialog, "portCombo")->setCurrentIndex(0);
    child<QComboBox>(dialog, "baudCombo")->setCurrentIndex(0);
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompt.messages(), std::vector<UserMessage>{UserMessage::error(QStringLiteral("文件保存失败！"))});
}

}  // namespace
}  // namespace hesk::apptest

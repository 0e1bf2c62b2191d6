// "添加设备" (AddDeviceDialog) over the installed sample projects of data/projects: texts
// and lists, the version list following the type, a project found and reported, and
// "没有找到设备，请您重新选择！" for a type and version without a project.

#include "DialogTestSupport.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "dialogs/AddDeviceDialog.h"
#include "model/DeviceCatalogue.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace hesk::apptest {
namespace {

using app::AddDeviceDialog;
using model::UserMessage;
using testsupport::ScriptedPrompt;

const QString kRoot = QStringLiteral(HESK_SOURCE_DIR "/data/projects");

QStringList items(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void choose(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
}

TEST(AddDeviceDialog, showsTheDeviceTypesAndTheVersionsOfTheChosenOne)
{
    ScriptedPrompt prompt;
    AddDeviceDialog dialog(kRoot, prompt);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("添加设备"));
    const QStringList labels = labelTexts(dialog);
    EXPECT_TRUE(labels.contains(QStringLiteral("设备类型："))) << labels.join(',').toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("设备版本："))) << labels.join(',').toStdString();
    EXPECT_EQ(child<QPushButton>(dialog, "okButton")->text(), QStringLiteral("确定"));
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("cancelButton")), nullptr);

    auto* types = child<QComboBox>(dialog, "typeCombo");
    auto* versions = child<QComboBox>(dialog, "versionCombo");
    EXPECT_EQ(items(types), (QStringList{"VRA1", "整流回馈电源", "有源整流电源", "基本型整流电源"}));
    EXPECT_EQ(items(versions), model::firmwareVersions(QStringLiteral("VRA1")));
    for (const QString& type : items(types)) {
        SCOPED_TRACE(type.toStdString());
        choose(types, type);
        EXPECT_EQ(items(versions), model::firmwareVersions(type));
        EXPECT_EQ(versions->currentIndex(), 0);
    }
}

TEST(AddDeviceDialog, foundProjectIsReportedAndTheDialogCloses)
{
    struct Case {
        QString type;
        QString version;
        QString path;
    };
    const Case cases[] = {
        {"VRA1", "V1.15.17", kRoot + "/VRA1/VRA1V11517/VRA1V11517.tmprj"},
        {"有源整流电源", "V2.13.08", kRoot + "/AIC/AICV21308/AICV21308.tmprj"},
        {"基本型整流电源", "V2.00.01", kRoot + "/BLM/BLMV20001/BLMV20001.tmprj"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version.toStdString());
        ScriptedPrompt prompt;
        AddDeviceDialog dialog(kRoot, prompt);
        QSignalSpy chosen(&dialog, &AddDeviceDialog::projectChosen);
        dialog.show();
        choose(child<QComboBox>(dialog, "typeCombo"), c.type);
        choose(child<QComboBox>(dialog, "versionCombo"), c.version);
        click(child<QPushButton>(dialog, "okButton"));
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        ASSERT_TRUE(dialog.chosenProjectPath());
        EXPECT_EQ(QDir::cleanPath(*dialog.chosenProjectPath()), QDir::cleanPath(c.path));
        ASSERT_EQ(chosen.count(), 1);
        EXPECT_EQ(chosen.at(0).at(0).toString(), *dialog.chosenProjectPath());
        EXPECT_TRUE(prompt.messages().empty());
    }
}

TEST(AddDeviceDialog, aVersionWithoutProjectIsRefusedAndTheDialogStays)
{
    ScriptedPrompt prompt;
    AddDeviceDialog dialog(kRoot, prompt);
    QSignalSpy chosen(&dialog, &AddDeviceDialog::projectChosen);
    dialog.show();
    choose(child<QComboBox>(dialog, "typeCombo"), QStringLiteral("VRA1"));
    choose(child<QComboBox>(dialog, "versionCombo"), QStringLiteral("V1.01.01"));
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.chosenProjectPath(), std::nullopt);
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(prompt.messages(), std::vector<UserMessage>{UserMessage::warning(QStringLiteral("没有找到设备，请您重新选择！"))});

    // The person chooses again.
    choose(child<QComboBox>(dialog, "versionCombo"), QStringLiteral("V1.14.18"));
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(prompt.messages().size(), 1u);
}

TEST(AddDeviceDialog, anEmptyOrMissingRootFindsNothing)
{
    ScriptedPrompt prompt;
    AddDeviceDialog dialog(QStringLiteral(HESK_SOURCE_DIR "/data/no-such-folder"), prompt);
    dialog.show();
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompt.messages(), std::vector<UserMessage>{UserMessage::warning(QStringLiteral("没有找到设备，请您重新选择！"))});
}

}  // namespace
}  // namespace hesk::apptest

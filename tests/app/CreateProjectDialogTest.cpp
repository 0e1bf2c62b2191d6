// "创建工程" (ProjectCreationDialog): the two pages and their texts, a project created from
// the sample inputs of data/sample-inputs exactly as the installed sample, the
// refusals of every step, cancelled file dialogs, a changed device starting over, and
// the window waiting (not frozen, not closable) while a step runs.

#include "DialogTestSupport.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "creation/ProjectCreation.h"
#include "dialogs/ProjectCreationDialog.h"
#include "model/ProjectFile.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::apptest {
namespace {

using namespace std::chrono_literals;
using app::ProjectCreationDialog;
using model::MessageKind;
using model::UserMessage;
using testsupport::ScriptedPrompt;

const QString kInputs = QStringLiteral(HESK_SOURCE_DIR "/data/sample-inputs/VRA1V11418/");
const QString kIntermediate = kInputs + QStringLiteral("VRA1V11418.monitorary");
const QString kConversion = kInputs + QStringLiteral("PARAM.xlsx");
const QString kBase = kInputs + QStringLiteral("Ubase.xlsx");
const QString kInstalled = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

class CreateProjectDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(storage.isValid());
        dialog.show();
    }

    QComboBox* types() { return child<QComboBox>(dialog, "deviceTypeCombo"); }
    QComboBox* versions() { return child<QComboBox>(dialog, "deviceVersionCombo"); }
    QPushButton* button(const char* name) { return child<QPushButton>(dialog, name); }
    QString shown(const char* edit) { return child<QLineEdit>(dialog, edit)->text(); }

    void chooseDevice(const QString& type, const QString& version)
    {
        const int t = types()->findText(type);
        ASSERT_GE(t, 0);
        types()->setCurrentIndex(t);
        const int v = versions()->findText(version);
        ASSERT_GE(v, 0);
        versions()->setCurrentIndex(v);
    }
    void toInputsPage(const QString& type = "VRA1", const QString& version = "V1.14.18")
    {
        chooseDevice(type, version);
        click(button("nextButton"));
        ASSERT_EQ(dialog.currentPage(), 1);
    }
    // A browse button answered with path (nothing: cancelled); waits for its step.
    void browse(const char* buttonName, std::optional<QString> path)
    {
        prompt.chooseFile(std::move(path));
        click(button(buttonName));
        ASSERT_TRUE(pumpUntil([&] { return !dialog.isBusy(); }, 30s));
    }
    void finish()
    {
        click(button("finishButton"));
        ASSERT_TRUE(pumpUntil([&] { return !dialog.isBusy(); }, 30s));
    }
    void loadAllInputs()
    {
        browse("intermediateButton", kIntermediate);
        browse("conversionButton", kConversion);
        browse("baseButton", kBase);
    }
    std::vector<UserMessage> takeMessages()
    {
        std::vector<UserMessage> taken(prompt.messages().begin() + seen, prompt.messages().end());
        seen = prompt.messages().size();
        return taken;
    }

    QTemporaryDir storage;
    ScriptedPrompt prompt;
    ProjectCreationDialog dialog{prompt};
    std::size_t seen = 0;
};

TEST_F(CreateProjectDialogTest, firstPageOffersTheDeviceTypesAndTheirVersions)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("创建工程"));
    EXPECT_EQ(dialog.currentPage(), 0);
    QStringList typeTexts;
    for (int i = 0; i < types()->count(); ++i)
        typeTexts << types()->itemText(i);
    EXPECT_EQ(typeTexts, (QStringList{"VRA1", "整流回馈电源", "有源整流电源", "基本型整流电源", "标准产品测试台"}));
    for (const QString& type : typeTexts) {
        types()->setCurrentIndex(types()->findText(type));
        QStringList versionTexts;
        for (int i = 0; i < versions()->count(); ++i)
            versionTexts << versions()->itemText(i);
        EXPECT_EQ(versionTexts, model::firmwareVersions(type)) << type.toStdString();
    }
    const QStringList labels = labelTexts(dialog);
    EXPECT_TRUE(labels.contains(QStringLiteral("设备类型：")));
    EXPECT_TRUE(labels.contains(QStringLiteral("设备版本：")));
    EXPECT_EQ(button("backButton")->text(), QStringLiteral("上一步"));
    EXPECT_EQ(button("nextButton")->text(), QStringLiteral("下一步"));
    EXPECT_EQ(button("finishButton")->text(), QStringLiteral("完成"));
    EXPECT_EQ(button("cancelButton")->text(), QStringLiteral("取消"));
    EXPECT_FALSE(button("backButton")->isEnabled());
    EXPECT_TRUE(button("nextButton")->isEnabled());
    EXPECT_FALSE(button("finishButton")->isEnabled());
}

TEST_F(CreateProjectDialogTest, secondPageAsksForNameInputsAndFolder)
{
    toInputsPage();
    // The version the project will carry is said before anything is created.
    EXPECT_EQ(child<QLabel>(dialog, "deviceChoiceText")->text(),
              QStringLiteral("将创建的工程：设备类型 %1，设备版本 %2")
                  .arg(child<QComboBox>(dialog, "deviceTypeCombo")->currentText(),
                       child<QComboBox>(dialog, "deviceVersionCombo")->currentText()));
    for (const char* edit : {"intermediatePathEdit", "storageFolderEdit"})
        EXPECT_GE(child<QLineEdit>(dialog, edit)->minimumWidth(), 300) << edit;
    const QStringList labels = labelTexts(dialog);
    for (const char* text : {"项目名称：", "(最长12位字符，仅允许字母/下划线/数字)", "中间文件：", "转换文件：", "Ubase文件：",
                             "存储路径："})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
    for (const char* edit : {"intermediatePathEdit", "conversionPathEdit", "basePathEdit", "storageFolderEdit"}) {
        EXPECT_EQ(shown(edit), QString()) << edit;
        EXPECT_TRUE(child<QLineEdit>(dialog, edit)->isReadOnly()) << edit;
    }
    EXPECT_TRUE(button("backButton")->isEnabled());
    EXPECT_FALSE(button("nextButton")->isEnabled());
    EXPECT_TRUE(button("finishButton")->isEnabled());
    click(button("backButton"));
    EXPECT_EQ(dialog.currentPage(), 0);
}

TEST_F(CreateProjectDialogTest, createsTheSampleProjectFromItsInputs)
{
    QSignalSpy created(&dialog, &ProjectCreationDialog::projectCreated);
    toInputsPage();
    typeText(child<QLineEdit>(dialog, "projectNameEdit"), QStringLiteral("VRA1_Test"));
    loadAllInputs();
    EXPECT_EQ(shown("intermediatePathEdit"), kIntermediate);
    EXPECT_EQ(shown("conversionPathEdit"), kConversion);
    EXPECT_EQ(shown("basePathEdit"), kBase);
    prompt.chooseFile(storage.path());
    click(button("storageButton"));
    EXPECT_EQ(shown("storageFolderEdit"), storage.path());
    finish();

    const QString path = storage.filePath(QStringLiteral("VRA1_Test/VRA1_Test.tmprj"));
    EXPECT_EQ(prompt.messages(), std::vector<UserMessage>{UserMessage::information(
                                     QStringLiteral("工程创建成功：\n") + QDir::toNativeSeparators(path))});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.createdProjectPath(), path);
    ASSERT_EQ(created.count(), 1);
    EXPECT_EQ(created.at(0).at(0).toString(), path);

    // The file is the installed sample: the same inputs, the same project.
    model::HeskProject written;
    model::HeskProject installed;
    ASSERT_FALSE(model::loadProject(path, written));
    ASSERT_FALSE(model::loadProject(kInstalled, installed));
    EXPECT_TRUE(written == installed);
    EXPECT_EQ(written.header.creatorVersion, QStringLiteral("V2.16.35"));

    // The dialogs the person saw.
    const auto& dialogs = prompt.fileDialogs();
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[0].spec.fileName, QStringLiteral("Monitor.monitorary"));
    EXPECT_EQ(dialogs[0].spec.filter, QStringLiteral("项目文件(*.monitorary)"));
    EXPECT_EQ(dialogs[1].spec.fileName, QStringLiteral("Monitor.xlsx"));
    EXPECT_EQ(dialogs[1].spec.filter, QStringLiteral("转换文件(*.xlsx)"));
    EXPECT_EQ(dialogs[2].spec.filter, QStringLiteral("Ubase文件(*.xlsx)"));
    // Each file dialog opens where the previous file was.
    EXPECT_EQ(dialogs[1].spec.directory, QFileInfo(kIntermediate).absolutePath());
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(dialogs[i].save || dialogs[i].folder) << i;
    EXPECT_TRUE(dialogs[3].folder);
    EXPECT_EQ(dialogs[3].spec.title, QStringLiteral("选取工程存放的目录"));
}

TEST_F(CreateProjectDialogTest, finishRefusesWhatIsMissingInOrderAndKeepsTheWindowOpen)
{
    toInputsPage();
    const QSize before = dialog.size();
    auto* name = child<QLineEdit>(dialog, "projectNameEdit");
    finish();
    EXPECT_EQ(takeMessages(), std::vector<UserMessage>{UserMessage::warning(QStringLiteral("项目名称不能为空！"))});
    // The busy line of the step kept its room: the window did not grow under the pointer.
    EXPECT_EQ(dialog.size(), before);
    // A Chinese name, typed as an input method delivers it, breaks the name rule.
    typeText(name, QStringLiteral("工程一"));
    EXPECT_EQ(name->text(), QStringLiteral("工程一"));
    finish();
    EXPECT_EQ(takeMessages(),
              std::vector<UserMessage>{UserMessage::warning(QStringLiteral("项目名称最长12位字符，仅允许字母/下划线/数字！"))});
    typeText(name, QStringLiteral("Demo"));
    finish();
    EXPECT_EQ(takeMessages(), std::vector<UserMessage>{UserMessage::warning(QStringLiteral("请加载中间文件！"))});
    browse("intermediateButton", kIntermediate);
    EXPECT_EQ(dialog.size(), before);
    finish();
    EXPECT_EQ(takeMessages(), std::vector<UserMessage>{UserMessage::warning(QStringLiteral("请加载转换文件！"))});
    browse("conversionButton", kConversion);
    finish();
    EXPECT_EQ(takeMessages(), std::vector<UserMessage>{UserMessage::warning(QStringLiteral("请加载Ubase文件！"))});
    browse("baseButton", kBase);
    finish();
    EXPECT_EQ(takeMessages(), std::vector<UserMessage>{UserMessage::warning(QStringLiteral("请选择项目存储路径！"))});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.createdProjectPath(), std::nullopt);
    EXPECT_TRUE(QDir(storage.path()).isEmpty());
}

TEST_F(CreateProjectDialogTest, anExistingProjectIsNotOverwritten)
{
    const QString folder = storage.filePath(QStringLiteral("Demo"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile existing(folder + QStringLiteral("/Demo.tmprj"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep");
    existing.close();

    toInputsPage();
    typeText(child<QLineEdit>(dialog, "projectNameEdit"), QStringLiteral("Demo"));
    loadAllInputs();
    prompt.chooseFile(storage.path());
    click(button("storageButton"));
    finish();
    const std::vector<UserMessage> shownMessages = takeMessages();
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].kind, MessageKind::Warning);
    EXPECT_TRUE(shownMessages[0].text.endsWith(QStringLiteral("已存在，请更换项目名称或存储路径！")))
        << shownMessages[0].text.toStdString();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep"));

    // Another name succeeds in the same window.
    typeText(child<QLineEdit>(dialog, "projectNameEdit"), QStringLiteral("Demo2"));
    finish();
    EXPECT_EQ(dialog.createdProjectPath(), storage.filePath(QStringLiteral("Demo2/Demo2.tmprj")));
}

TEST_F(CreateProjectDialogTest, inputStepsReportTheirFailuresAndKeepWhatWasLoaded)
{
    toInputsPage();
    // Workbooks need the intermediate file first; no file dialog opens.
    click(button("conversionButton"));
    click(button("baseButton"));
    EXPECT_EQ(takeMessages(), (std::vector<UserMessage>{UserMessage::warning(QStringLiteral("请先加载中间文件！")),
                                                        UserMessage::warning(QStringLiteral("请先加载中间文件！"))}));
    EXPECT_TRUE(prompt.fileDialogs().empty());

    browse("intermediateButton", kConversion);  // not an intermediate file
    EXPECT_EQ(takeMessages(),
              std::vector<UserMessage>{UserMessage::error(QStringLiteral("项目文件%1错误，打开失败！").arg(kConversion))});
    EXPECT_EQ(shown("intermediatePathEdit"), QString());

    browse("intermediateButton", kIntermediate);
    browse("conversionButton", kBase);  // a workbook without the sheet "PARAM"
    EXPECT_EQ(takeMessages(), std::vector<UserMessage>{UserMessage::error(QStringLiteral("读取转换文件失败！"))});
    EXPECT_EQ(shown("conversionPathEdit"), QString());
    browse("conversionButton", kConversion);
    browse("baseButton", kIntermediate);  // not a workbook
    EXPECT_EQ(takeMessages(),
              std::vector<UserMessage>{UserMessage::error(QStringLiteral("Ubase文件%1错误，打开失败！").arg(kIntermediate))});
    EXPECT_EQ(shown("conversionPathEdit"), kConversion);  // the earlier steps stand
    EXPECT_EQ(shown("basePathEdit"), QString());

    // A cancelled file dialog changes nothing and says nothing.
    browse("intermediateButton", std::nullopt);
    browse("conversionButton", std::nullopt);
    prompt.chooseFile(std::nullopt);
    click(button("storageButton"));
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(shown("intermediatePathEdit"), kIntermediate);
    EXPECT_EQ(shown("conversionPathEdit"), kConversion);
    EXPECT_EQ(shown("storageFolderEdit"), QString());

    // A new intermediate file clears both workbooks: they must be read again.
    browse("baseButton", kBase);
    browse("intermediateButton", kIntermediate);
    EXPECT_EQ(shown("conversionPathEdit"), QString());
    EXPECT_EQ(shown("basePathEdit"), QString());
}

TEST_F(CreateProjectDialogTest, intermediateFileOfAnotherDeviceTypeIsRefused)
{
    toInputsPage(QStringLiteral("整流回馈电源"), QStringLiteral("V2.01.11"));
    browse("intermediateButton", kIntermediate);
    EXPECT_EQ(takeMessages(),
              std::vector<UserMessage>{UserMessage::warning(QStringLiteral("此中间文件与您选择的设备类型不符，禁止加载！"))});
    EXPECT_EQ(shown("intermediatePathEdit"), QString());
}

TEST_F(CreateProjectDialogTest, anotherDeviceStartsOverAndTheSameOneKeepsTheInputs)
{
    toInputsPage();
    browse("intermediateButton", kIntermediate);
    click(button("backButton"));
    click(button("nextButton"));
    EXPECT_EQ(shown("intermediatePathEdit"), kIntermediate);

    click(button("backButton"));
    chooseDevice(QStringLiteral("VRA1"), QStringLiteral("V1.15.17"));
    click(button("nextButton"));
    EXPECT_EQ(shown("intermediatePathEdit"), QString());
    finish();
    typeText(child<QLineEdit>(dialog, "projectNameEdit"), QStringLiteral("Demo"));
    finish();
    EXPECT_EQ(takeMessages().back(), UserMessage::warning(QStringLiteral("请加载中间文件！")));
}

TEST_F(CreateProjectDialogTest, windowWaitsForARunningStep)
{
    toInputsPage();
    prompt.chooseFile(kIntermediate);
    click(button("intermediateButton"));
    // The step runs on its worker; its end is delivered through the event loop, so it
    // cannot have been seen yet.
    ASSERT_TRUE(dialog.isBusy());
    EXPECT_TRUE(child<QProgressBar>(dialog, "busyBar")->isVisible());
    EXPECT_EQ(child<QLabel>(dialog, "busyText")->text(), QStringLiteral("正在加载中间文件..."));
    for (const char* name : {"backButton", "finishButton", "cancelButton", "intermediateButton", "conversionButton"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());

    ASSERT_TRUE(pumpUntil([&] { return !dialog.isBusy(); }, 30s));
    EXPECT_FALSE(child<QProgressBar>(dialog, "busyBar")->isVisible());
    EXPECT_TRUE(button("finishButton")->isEnabled());
    EXPECT_EQ(shown("intermediatePathEdit"), kIntermediate);
    click(button("cancelButton"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(CreateProjectDialogLifetime, destroyedDuringAStepWaitsForIt)
{
    ScriptedPrompt prompt;
    auto dialog = std::make_unique<ProjectCreationDialog>(prompt);
    dialog->show();
    click(dialog->findChild<QPushButton*>(QStringLiteral("nextButton")));
    prompt.chooseFile(kIntermediate);
    click(dialog->findChild<QPushButton*>(QStringLiteral("intermediateButton")));
    ASSERT_TRUE(dialog->isBusy());
    dialog.reset();
    // Events the step left behind find no window.
    pumpUntil([] { return false; }, 100ms);
    EXPECT_TRUE(prompt.messages().empty());
}

}  // namespace
}  // namespace hesk::apptest

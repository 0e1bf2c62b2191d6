// The quick commissioning wizard in the whole application against the real simulated
// drive running the installed inverter sample on a pseudo-terminal: the pages read their
// parameters from the drive with the active data sets as indices, a double-click edits
// through the value editors (checked in the drive's own tables), the automatic setting
// is refused with its hints or asks the drive for its motor calculation, the
// identification takes control and starts the motor, and closing asks about unsaved
// offline values.
//
// With HESK_WIZARD_SCREENSHOT set to a path, the wizard on its motor page is saved there
// as a picture (run under Xvfb with QT_QPA_PLATFORM=xcb for a real rendering).

#include "MainWindowFixture.h"
#include "SimProcess.h"

#include "ApplicationWindows.h"
#include "QuickSetupDialog.h"
#include "editors/ConnectionEditorDialog.h"
#include "editors/SpecialValueEditorDialog.h"
#include "editors/ValueEditorDialog.h"

#include "editing/ConnectionEdit.h"
#include "model/TypedValue.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>

namespace hesk::app::test {
namespace {

using shell::Command;
using Button = QuickSetupDialog::Button;
using namespace std::chrono_literals;

class QuickSetupDialogTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window.reset();  // the application brings its own window
        projectPath = copyProject(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418"));
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), projectPath, QStringLiteral("--pty")}))
            << sim.error().toStdString();
        online::InterfaceSettings settings({iniPath(), {}});
        ASSERT_TRUE(settings.setMode(online::InterfaceMode::Serial).ok());
        ASSERT_TRUE(settings.setSerialPort(sim.readyLine(), QStringLiteral("38400")).ok());
        application = std::make_unique<ApplicationWindows>(setup());
        application->window().show();
        ASSERT_TRUE(application->window().openProjectFile(projectPath));
        application->valueEditing().setEditorOpened([this](QDialog* opened) { driveEditor(opened); });
    }
    void TearDown() override
    {
        if (application && application->quickSetup())
            application->quickSetup()->closeForProject();
        if (application && application->window().session().isOnline()) {
            sim.command(QStringLiteral("set P7000.5 0"));
            sim.command(QStringLiteral("set P0880 0"));
            application->controlPanel().offlineReset();
            application->window().runCommand(Command::Disconnect);
        }
        application.reset();
        sim.stop();
        MainWindowTest::TearDown();
    }

    void connect()
    {
        application->window().runCommand(Command::Connect);
        ASSERT_TRUE(application->window().session().isOnline()) << messageTexts().join(QLatin1Char('|')).toStdString();
    }
    // The wizard as the project tree's leaf opens it.
    QuickSetupDialog& openWizard()
    {
        EXPECT_TRUE(application->window().projectTree()->activateNode(QStringLiteral("快速调试")));
        QuickSetupDialog* wizard = application->quickSetup();
        if (!wizard)
            throw std::runtime_error("the wizard did not open");
        return *wizard;
    }

    // The next editor gets `text`: typed (value), as the source (connection) or chosen
    // among the options (special values); then OK.
    void driveEditor(QDialog* opened)
    {
        editorKinds << QString::fromLatin1(opened->metaObject()->className());
        const QString text = nextText;
        QTimer::singleShot(0, opened, [opened, text] {
            if (auto* value = qobject_cast<ValueEditorDialog*>(opened)) {
                value->valueEdit()->setText(text);
            } else if (auto* connection = qobject_cast<ConnectionEditorDialog*>(opened)) {
                connection->sourceEdit()->setText(text);
            } else if (auto* special = qobject_cast<SpecialValueEditorDialog*>(opened)) {
                // "name (value)", or the value alone.
                for (int row = 0; row < special->optionList()->count(); ++row) {
                    const QString option = special->optionList()->item(row)->text();
                    if (option == text || option.endsWith(QStringLiteral(" (") + text + QLatin1Char(')')))
                        special->optionList()->setCurrentRow(row);
                }
            }
            QMetaObject::invokeMethod(opened, "accept");
            if (opened->isVisible())
                opened->reject();  // refused: the editor stays open otherwise
        });
    }

    static int rowOf(const QuickSetupDialog& wizard, const QString& key)
    {
        for (int row = 0; row < wizard.table()->rowCount(); ++row)
            if (wizard.rowKey(row) == key)
                return row;
        return -1;
    }
    static QString shown(const QuickSetupDialog& wizard, const QString& key)
    {
        const int row = rowOf(wizard, key);
        return row < 0 ? QStringLiteral("<no row %1>").arg(key)
                       : wizard.table()->item(row, QuickSetupDialog::ColumnValue)->text();
    }
    // The drive's raw word as "ok KEY=WORD".
    QString driveWord(const QString& key) { return sim.command(QStringLiteral("get ") + key); }
    // What the drive must hold after `text` was written to `key`.
    QString expectedWord(const QString& key, const QString& text)
    {
        model::OpenedProject& project = application->window().session().project();
        const model::HeskParameterElement* element = project.find(key);
        if (!element)
            return QStringLiteral("<no %1>").arg(key);
        if (element->isConnection()) {
            // The drive tells a connection by its source's device address.
            const editing::SourceLookup source = editing::findConnectionSource(project, text);
            return source.source ? QStringLiteral("ok %1=%2").arg(key).arg(source.source->address)
                                 : QStringLiteral("<no source %1>").arg(text);
        }
        const model::TypedValueConversion converted = model::convertTypedValue(project, *element, text);
        return QStringLiteral("ok %1=%2").arg(key).arg(converted.raw.raw.value_or(0));
    }
    void simSet(const QString& key, const QString& value)
    {
        ASSERT_TRUE(sim.command(QStringLiteral("set %1 %2").arg(key, value)).startsWith(QLatin1String("ok")));
    }
    void edit(QuickSetupDialog& wizard, const QString& key, const QString& text)
    {
        const int row = rowOf(wizard, key);
        ASSERT_GE(row, 0) << "step " << wizard.step() << " has no " << key.toStdString();
        nextText = text;
        editorKinds.clear();
        Q_EMIT wizard.table()->cellDoubleClicked(row, QuickSetupDialog::ColumnValue);
        ASSERT_EQ(editorKinds.size(), 1) << key.toStdString() << ": " << messageTexts().join('|').toStdString();
        EXPECT_EQ(driveWord(key), expectedWord(key, text)) << editorKinds.join(',').toStdString();
    }
    void click(QuickSetupDialog& wizard, Button which)
    {
        QPushButton* b = wizard.button(which);
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << b->text().toStdString();
        b->click();
    }

    QString projectPath;
    sim::test::SimProcess sim;
    std::unique_ptr<ApplicationWindows> application;
    QString nextText;
    QStringList editorKinds;
};

TEST_F(QuickSetupDialogTest, walksTheTenPagesEditingOneValueOnEach)
{
    connect();
    QuickSetupDialog& wizard = openWizard();
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("快速调试"));
    ASSERT_EQ(wizard.stepList()->count(), 10);
    EXPECT_EQ(wizard.step(), 1);
    EXPECT_FALSE(wizard.button(Button::Previous)->isEnabled());
    EXPECT_FALSE(wizard.button(Button::First)->isEnabled());
    EXPECT_EQ(shown(wizard, QStringLiteral("r0001")), QStringLiteral("启动待机"));
    EXPECT_EQ(shown(wizard, QStringLiteral("P0970")), QStringLiteral("复位完成"));
    EXPECT_TRUE(wizard.resetModeCombo()->isVisible());

    // Each page: the menu level the drive needs for the edit (set on the drive), the step
    // reached with 下一步, and one value edited through the wizard.
    const struct {
        int level;  // 0: as it is
        const char* key;
        const char* text;
    } pages[] = {
        {0, "P0060", "5"},        // 1 the menu level itself
        {8, "P0070", "110"},      // 2 the power unit, at the power-part level
        {1, "P0578.1", "B0001"},  // 3 motor data set 2 selected (a connection)
        {5, "P0105.2", "7.5"},    // 4 the page follows r0011 = 2
        {5, "P0151.2", "2048"},   // 5
        {5, "P0354", "90"},       // 6
        {5, "P0368", "1"},        // 7
        {1, "P0461", "1.5"},      // 8
        {1, "P0492.1", "120"},    // 9 function data set 1
        {5, "P0115", "2"},        // 10
    };
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        if (i > 0)
            click(wizard, Button::Next);
        ASSERT_EQ(wizard.step(), i + 1);
        EXPECT_EQ(wizard.titleLabel()->text(), wizard.stepList()->item(i)->text());
        EXPECT_EQ(wizard.rowKey(wizard.table()->rowCount() - 1), QStringLiteral("P0060"));
        if (pages[i].level != 0) {
            simSet(QStringLiteral("P0060"), QString::number(pages[i].level));
            wizard.refreshValues();
            ASSERT_EQ(shown(wizard, QStringLiteral("P0060")).toStdString(), std::to_string(pages[i].level))
                << wizard.statusLabel()->text().toStdString() << driveWord(QStringLiteral("P0060")).toStdString();
        }
        edit(wizard, QString::fromLatin1(pages[i].key), QString::fromLatin1(pages[i].text));
        if (i == 2) {
            // The drive switched to motor data set 2; the wizard shows it.
            EXPECT_EQ(shown(wizard, QStringLiteral("r0011")), QStringLiteral("2"));
        }
        if (i == 3 && !qEnvironmentVariableIsEmpty("HESK_WIZARD_SCREENSHOT")) {
            wizard.table()->setCurrentCell(rowOf(wizard, QStringLiteral("P0105.2")), 0);
            QApplication::processEvents();
            wizard.grab().save(qEnvironmentVariable("HESK_WIZARD_SCREENSHOT"));
        }
    }
    EXPECT_EQ(shown(wizard, QStringLiteral("P0115")), QStringLiteral("2 [静止测量]"));
    EXPECT_FALSE(wizard.button(Button::Next)->isEnabled());
    EXPECT_FALSE(wizard.button(Button::Last)->isEnabled());
    EXPECT_TRUE(wizard.button(Button::Identify)->isVisible());

    click(wizard, Button::First);
    EXPECT_EQ(wizard.step(), 1);
    click(wizard, Button::Last);
    EXPECT_EQ(wizard.step(), 10);
    click(wizard, Button::Previous);
    EXPECT_EQ(wizard.step(), 9);
    wizard.stepList()->setCurrentRow(6);
    EXPECT_EQ(wizard.step(), 7);
    EXPECT_EQ(shown(wizard, QStringLiteral("P0368")), QStringLiteral("模拟量输入和端子排"));
    EXPECT_EQ(shown(wizard, QStringLiteral("P0100.2")), QStringLiteral("频率控制（不带码盘）"));
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join('|').toStdString();
}

TEST_F(QuickSetupDialogTest, automaticMotorSettingIsRefusedAtMenuLevelEightAndRunsAtFive)
{
    connect();
    QuickSetupDialog& wizard = openWizard();
    click(wizard, Button::Next);
    click(wizard, Button::Next);
    click(wizard, Button::Next);
    ASSERT_EQ(wizard.step(), 4);

    simSet(QStringLiteral("P0060"), QStringLiteral("8"));
    click(wizard, Button::Automatic);
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0].title, QStringLiteral("警告"));
    EXPECT_EQ(prompt.messages()[0].text,
              QStringLiteral("当前状态下，不能进行自动设置参数操作！\n\n状态提示：\n    1.请检查设备是否处于运行状态。\n"
                             "    2.请检查参数修改权限是否设置。\n    3.修改菜单选择P60的值不为2/8。"));
    EXPECT_EQ(driveWord(QStringLiteral("P0115")), QStringLiteral("ok P0115=0"));

    simSet(QStringLiteral("P0060"), QStringLiteral("5"));
    click(wizard, Button::Automatic);
    EXPECT_EQ(prompt.messages().size(), 1u) << messageTexts().join('|').toStdString();
    EXPECT_EQ(driveWord(QStringLiteral("P0115")), QStringLiteral("ok P0115=1"));

    // Step 3 with BICO data set 2 active: its selection bits go back to B0000.
    simSet(QStringLiteral("P0590"), QStringLiteral("B0001"));
    simSet(QStringLiteral("P0578.2"), QStringLiteral("B0001"));
    click(wizard, Button::Previous);
    ASSERT_EQ(wizard.step(), 3);
    EXPECT_EQ(shown(wizard, QStringLiteral("r0012")), QStringLiteral("2"));
    EXPECT_EQ(shown(wizard, QStringLiteral("r0011")), QStringLiteral("2"));
    click(wizard, Button::Automatic);
    EXPECT_EQ(prompt.messages().size(), 1u) << messageTexts().join('|').toStdString();
    EXPECT_EQ(driveWord(QStringLiteral("P0578.2")), expectedWord(QStringLiteral("P0578.2"), QStringLiteral("B0000")));
    EXPECT_EQ(driveWord(QStringLiteral("P0590")), expectedWord(QStringLiteral("P0590"), QStringLiteral("B0000")));
    EXPECT_EQ(shown(wizard, QStringLiteral("r0011")), QStringLiteral("1"));
    EXPECT_EQ(shown(wizard, QStringLiteral("r0012")), QStringLiteral("1"));
}

TEST_F(QuickSetupDialogTest, firstStepRestoresByEitherResetMode)
{
    connect();
    QuickSetupDialog& wizard = openWizard();
    ASSERT_EQ(wizard.resetModeCombo()->count(), 2);

    // The tool's restore: its refusals first (menu level 1), then the restore itself. The
    // access word is read before the refusals decide, so right after the connect the
    // refusal names the menu level, not a missing right.
    wizard.resetModeCombo()->setCurrentIndex(0);
    click(wizard, Button::Restore);
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0].text, QStringLiteral("参数菜单P60不为2，不允许执行恢复出厂设置操作！"));

    simSet(QStringLiteral("P0060"), QStringLiteral("2"));
    simSet(QStringLiteral("P0115"), QStringLiteral("3"));
    wizard.refreshValues();
    prompt.answer(model::PromptAnswer::Yes);
    click(wizard, Button::Restore);
    EXPECT_FALSE(wizard.button(Button::Restore)->isEnabled());  // while it runs
    ASSERT_TRUE(sim::test::pumpUntil([&] { return prompt.messages().size() == 2u; }, 10s));
    EXPECT_EQ(prompt.messages()[1].text, QStringLiteral("HESKMonitor恢复出厂设置成功！"));
    EXPECT_EQ(wizard.restoreProgress()->value(), wizard.restoreProgress()->maximum());
    EXPECT_EQ(driveWord(QStringLiteral("P0115")), QStringLiteral("ok P0115=0"));
    EXPECT_TRUE(wizard.button(Button::Restore)->isEnabled());

    // The drive's own restore through P0970 at menu level 2, after the same question.
    simSet(QStringLiteral("P0060"), QStringLiteral("2"));
    wizard.refreshValues();
    wizard.resetModeCombo()->setCurrentIndex(1);
    prompt.answer(model::PromptAnswer::Yes);
    click(wizard, Button::Restore);
    EXPECT_EQ(prompt.questions().back().text, QStringLiteral("确定要恢复出厂设置吗？该操作不可撤销！"));
    EXPECT_EQ(driveWord(QStringLiteral("P0970")), QStringLiteral("ok P0970=1"));
    EXPECT_EQ(shown(wizard, QStringLiteral("P0970")), QStringLiteral("正在复位..."));
    EXPECT_EQ(prompt.messages().size(), 2u) << messageTexts().join('|').toStdString();
}

TEST_F(QuickSetupDialogTest, identificationTakesControlAndStartsTheMotor)
{
    connect();
    QuickSetupDialog& wizard = openWizard();
    click(wizard, Button::Last);
    bool panelRequested = false;
    QObject::connect(&wizard, &QuickSetupDialog::controlPanelRequested, [&] { panelRequested = true; });

    // No: nothing happens.
    prompt.answer(model::PromptAnswer::No);
    click(wizard, Button::Identify);
    EXPECT_FALSE(panelRequested);
    EXPECT_EQ(driveWord(QStringLiteral("P0880")), QStringLiteral("ok P0880=0"));

    prompt.answer(model::PromptAnswer::Yes).answer(model::PromptAnswer::Ok);  // the wizard's, the panel's
    click(wizard, Button::Identify);
    EXPECT_TRUE(panelRequested);
    EXPECT_TRUE(application->window().dock(MainWindow::Pane::ControlPanel)->isVisible());
    ASSERT_GE(prompt.questions().size(), 3u);
    EXPECT_EQ(prompt.questions()[1].text,
              QStringLiteral("该操作将打开控制面板，\n自动获取电机控制权并启动电机！\n是否继续？"));
    EXPECT_EQ(prompt.questions()[1].title, QStringLiteral("提示"));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return driveWord(QStringLiteral("P7000.5")) == QStringLiteral("ok P7000.5=1"); }, 5s));
    EXPECT_EQ(driveWord(QStringLiteral("P0880")), QStringLiteral("ok P0880=1"));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !application->controlPanel().busy(); }, 5s));
    EXPECT_TRUE(application->controlPanel().controlHeld());
    EXPECT_FALSE(application->controlPanel().motorStopped());
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join('|').toStdString();
}

TEST_F(QuickSetupDialogTest, closingAsksAboutUnsavedOfflineValues)
{
    // Offline the page shows the offline values, and an edit goes there.
    QuickSetupDialog& wizard = openWizard();
    EXPECT_FALSE(wizard.button(Button::Restore)->isEnabled());
    click(wizard, Button::Last);
    EXPECT_FALSE(wizard.button(Button::Identify)->isEnabled());
    click(wizard, Button::First);

    // Unmodified: closes without a question.
    wizard.reject();
    EXPECT_TRUE(prompt.questions().empty());
    QuickSetupDialog& again = openWizard();
    nextText = QStringLiteral("5");
    Q_EMIT again.table()->cellDoubleClicked(rowOf(again, QStringLiteral("P0060")), QuickSetupDialog::ColumnValue);
    ASSERT_TRUE(application->offlineValues().isModified()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(shown(again, QStringLiteral("P0060")), QStringLiteral("5"));

    // No: closed, nothing saved, the values stay for the main window to ask about.
    prompt.answer(model::PromptAnswer::No);
    again.reject();
    ASSERT_EQ(prompt.questions().size(), 1u);
    EXPECT_EQ(prompt.questions()[0],
              (testsupport::PromptQuestion{QStringLiteral("快速调试"), QStringLiteral("您的离线信息有修改,是否要保存到dnl文件？"),
                                           model::PromptButtons::YesNo}));
    EXPECT_TRUE(prompt.fileDialogs().empty());
    EXPECT_TRUE(application->offlineValues().isModified());

    // Yes: saved to the chosen parameter file.
    QuickSetupDialog& third = openWizard();
    const QString file = dir.filePath(QStringLiteral("wizard.dnl"));
    prompt.answer(model::PromptAnswer::Yes).chooseFile(file);
    third.accept();
    EXPECT_EQ(prompt.questions().size(), 2u);
    ASSERT_TRUE(QFile::exists(file)) << messageTexts().join('|').toStdString();
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray content = saved.readAll();
    // The row of P0060 with its offline value 5.
    const QRegularExpression row(QStringLiteral("^0060\\|[^\\n]*\\|\\s*5\\s*$"),
                                 QRegularExpression::MultilineOption);
    EXPECT_TRUE(row.match(QString::fromLatin1(content)).hasMatch()) << content.left(600).toStdString();
}

}  // namespace
}  // namespace hesk::app::test

// The value, bit and connection editors in the whole application against the real
// simulated drive on a pseudo-terminal: a double-click on a value cell runs the edit
// rules and opens the editor, OK writes to the drive (checked in the drive's own
// tables), refusals come through the prompt, and the page shows the new value.

#include "MainWindowFixture.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "ApplicationWindows.h"
#include "editors/BitWordEditorDialog.h"
#include "editors/ConnectionEditorDialog.h"
#include "editors/ValueEditorDialog.h"
#include "editors/SpecialValueEditorDialog.h"
#include "pages/PageColumns.h"
#include "pages/ParameterPageModel.h"
#include "pages/ParameterPageWindow.h"

#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

namespace hesk::app::test {
namespace {

using shell::Command;
using namespace std::chrono_literals;

class EditorOnlineTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window.reset();
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), sim::test::writeSimProject(dir.path()), QStringLiteral("--pty")}))
            << sim.error().toStdString();
        online::InterfaceSettings settings({iniPath(), {}});
        ASSERT_TRUE(settings.setMode(online::InterfaceMode::Serial).ok());
        ASSERT_TRUE(settings.setSerialPort(sim.readyLine(), QStringLiteral("38400")).ok());
        application = std::make_unique<ApplicationWindows>(setup());
        application->window().show();
        ASSERT_TRUE(application->window().openProjectFile(QDir(dir.path()).filePath(QStringLiteral("sim.tmprj"))));
    }
    void TearDown() override
    {
        if (application && application->window().session().isOnline())
            application->window().runCommand(Command::Disconnect);
        application.reset();
        sim.stop();
        MainWindowTest::TearDown();
    }

    void connect()
    {
        application->window().runCommand(Command::Connect);
        ASSERT_TRUE(application->window().session().isOnline()) << messageTexts().join(QLatin1Char('|')).toStdString();
    }
    ParameterPageWindow* openSettablePage()
    {
        return qobject_cast<ParameterPageWindow*>(application->window().openPage(QStringLiteral("P参数")));
    }
    static int rowOf(ParameterPageWindow& page, const QString& number)
    {
        for (int row = 0; row < page.page().rowCount(); ++row)
            if (page.page().row(row).numberText == number)
                return row;
        return -1;
    }
    static QString valueOf(ParameterPageWindow& page, const QString& number)
    {
        const int row = rowOf(page, number);
        return row < 0 ? QString() : page.model()->index(row, pages::ColumnValue).data().toString();
    }
    // The dialog the next edit opens is handed to `drive` once its event loop runs.
    template <typename Dialog>
    void whenOpened(std::function<void(Dialog&)> drive)
    {
        application->valueEditing().setEditorOpened([this, drive](QDialog* opened) {
            auto* dialog = qobject_cast<Dialog*>(opened);
            openedKinds << (dialog ? QStringLiteral("expected") : QString::fromLatin1(opened->metaObject()->className()));
            QTimer::singleShot(0, opened, [opened, dialog, drive] {
                if (dialog)
                    drive(*dialog);
                if (opened->isVisible())
                    opened->reject();
            });
        });
    }
    // Double-clicks the value cell of the row, as the page does.
    void editValueCell(ParameterPageWindow& page, const QString& number)
    {
        const int row = rowOf(page, number);
        ASSERT_GE(row, 0) << number.toStdString();
        Q_EMIT page.valueCellActivated(row);
    }
    QString driveWord(const char* key) { return sim.command(QStringLiteral("get ") + QLatin1String(key)); }

    sim::test::SimProcess sim;
    std::unique_ptr<ApplicationWindows> application;
    QStringList openedKinds;
};

TEST_F(EditorOnlineTest, valueIsWrittenToTheDriveAndShownOnThePage)
{
    connect();
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    QString range;
    whenOpened<ValueEditorDialog>([&](ValueEditorDialog& d) {
        range = d.rangeLabel()->text();
        d.valueEdit()->setText(QStringLiteral("25"));
        d.accept();
    });
    editValueCell(*page, QStringLiteral("P7030"));
    EXPECT_EQ(openedKinds, QStringList{QStringLiteral("expected")});
    EXPECT_FALSE(range.isEmpty());
    // 25 Hz of 50 Hz = 8192 in the drive's own table.
    EXPECT_EQ(driveWord("P7030"), QStringLiteral("ok P7030=8192"));
    EXPECT_EQ(valueOf(*page, QStringLiteral("P7030")), QStringLiteral("25.00"));
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(application->offlineValues().isModified());
}

TEST_F(EditorOnlineTest, refusedValueKeepsTheDialogOpenAndWritesNothing)
{
    connect();
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    bool stayedOpen = false;
    whenOpened<ValueEditorDialog>([&](ValueEditorDialog& d) {
        d.valueEdit()->setText(QString());
        d.accept();
        stayedOpen = d.isVisible() && d.valueEdit()->text().isEmpty();
    });
    editValueCell(*page, QStringLiteral("P7030"));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("数据不允许为空，请重新输入！")});
    EXPECT_EQ(driveWord("P7030"), QStringLiteral("ok P7030=0"));
}

TEST_F(EditorOnlineTest, editRulesRefuseThroughThePrompt)
{
    connect();
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    whenOpened<ValueEditorDialog>([](ValueEditorDialog&) {});
    // Access bit set, stopped, menu level 1: P0100 is forbidden at 1, 7, 2 and 8.
    editValueCell(*page, QStringLiteral("P0100"));
    EXPECT_TRUE(openedKinds.isEmpty());
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0].text, QStringLiteral("当参数菜单P60为 1/7/2/8 时，该参数不能被修改！"));
    EXPECT_EQ(driveWord("P0100"), QStringLiteral("ok P0100=4096"));
}

TEST_F(EditorOnlineTest, unansweredRuleReadOpensNoEditor)
{
    connect();
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    whenOpened<ValueEditorDialog>([](ValueEditorDialog&) {});
    // As right after the connect: the drive has reported nothing yet, so the words the
    // edit needs are read, and the drive no longer answers.
    application->window().session().values().clear();
    ASSERT_TRUE(sim.command(QStringLiteral("boot 3")).startsWith(QLatin1String("ok")));
    editValueCell(*page, QStringLiteral("P7030"));
    EXPECT_TRUE(openedKinds.isEmpty());
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0], model::UserMessage::error(QStringLiteral("请求数据超时，请您重新尝试！")));
    EXPECT_EQ(driveWord("P7030"), QStringLiteral("ok P7030=0"));
}

// Once the polls have brought the rule inputs and the value, a double-click reads nothing
// more from the drive: the editor opens even though the drive has stopped answering.
TEST_F(EditorOnlineTest, polledWordsAreNotReadAgainOnADoubleClick)
{
    connect();
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    const link::OnlineValueTables& values = application->window().session().values();
    ASSERT_TRUE(sim::test::pumpUntil(
        [&] {
            return values.parameters.received(sim::test::kP0053) && values.parameters.received(sim::test::kP0060)
                   && values.parameters.received(sim::test::kP0089) && values.readOnly.received(sim::test::kR0001)
                   && values.parameters.received(sim::test::kP7030);
        },
        5s));
    QString startText;
    whenOpened<ValueEditorDialog>([&](ValueEditorDialog& d) { startText = d.valueEdit()->text(); });
    ASSERT_TRUE(sim.command(QStringLiteral("boot 3")).startsWith(QLatin1String("ok")));
    editValueCell(*page, QStringLiteral("P7030"));
    EXPECT_EQ(openedKinds, QStringList{QStringLiteral("expected")});
    EXPECT_EQ(startText, QStringLiteral("0.00"));
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(QLatin1Char('|')).toStdString();
}

// The page window closes while the edit waits for the drive: the edit ends without
// touching it, and the application goes on as before.
TEST_F(EditorOnlineTest, pageClosedDuringTheReadEndsTheEdit)
{
    connect();
    QPointer<ParameterPageWindow> page = openSettablePage();
    ASSERT_NE(page, nullptr);
    whenOpened<ValueEditorDialog>([](ValueEditorDialog&) {});
    application->window().session().values().clear();  // the edit must read first
    bool closedDuringTheWait = false;
    QTimer::singleShot(0, &application->window(), [&] {
        closedDuringTheWait = true;
        delete application->window().pageWindow(QStringLiteral("P参数"));
    });
    editValueCell(*page, QStringLiteral("P7030"));
    EXPECT_TRUE(closedDuringTheWait);
    EXPECT_TRUE(page.isNull());
    EXPECT_TRUE(openedKinds.isEmpty());
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(QLatin1Char('|')).toStdString();

    // The page opens again and its values are edited as before.
    ParameterPageWindow* again = openSettablePage();
    ASSERT_NE(again, nullptr);
    whenOpened<ValueEditorDialog>([](ValueEditorDialog& d) {
        d.valueEdit()->setText(QStringLiteral("25"));
        d.accept();
    });
    editValueCell(*again, QStringLiteral("P7030"));
    EXPECT_EQ(openedKinds, QStringList{QStringLiteral("expected")});
    EXPECT_EQ(driveWord("P7030"), QStringLiteral("ok P7030=8192"));
}

TEST_F(EditorOnlineTest, bitWordIsComposedAndWritten)
{
    // The small project gives every parameter decimal limits; a real access word has
    // hexadecimal ones.
    for (model::HeskParameterElement& e : application->window().session().project().project().elements)
        if (e.isSettable() && e.number == 53) {
            e.minText = e.rawMinText = QStringLiteral("0x0000");
            e.maxText = e.rawMaxText = QStringLiteral("0xFFFF");
        }
    connect();
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    QString bit2Before;
    whenOpened<BitWordEditorDialog>([&](BitWordEditorDialog& d) {
        bit2Before = d.bitList()->item(2, 0)->text();
        // As the person ticks it.
        d.bitList()->item(2, 0)->setCheckState(Qt::Checked);
        d.accept();
    });
    editValueCell(*page, QStringLiteral("P0053"));
    EXPECT_EQ(openedKinds, QStringList{QStringLiteral("expected")});
    EXPECT_EQ(bit2Before, QStringLiteral("2：0"));
    EXPECT_EQ(driveWord("P0053"), QStringLiteral("ok P0053=7"));
    EXPECT_EQ(valueOf(*page, QStringLiteral("P0053")).toUpper(), QStringLiteral("0X0007"));
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(QLatin1Char('|')).toStdString();
}

TEST_F(EditorOnlineTest, connectionIsWrittenWithTheMenuLevelBracket)
{
    connect();
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    QStringList candidates;
    QStringList refusals;
    whenOpened<ConnectionEditorDialog>([&](ConnectionEditorDialog& d) {
        for (int row = 0; row < d.candidateList()->rowCount(); ++row)
            candidates << d.candidateList()->item(row, 0)->text();
        // A source that is neither K nor B is refused; the dialog stays.
        d.sourceEdit()->setText(QStringLiteral("r0002"));
        d.accept();
        refusals = messageTexts();
        d.chooseRow(static_cast<int>(candidates.indexOf(QStringLiteral("B0106"))));
    });
    editValueCell(*page, QStringLiteral("P0554"));
    EXPECT_EQ(candidates, QStringList{QStringLiteral("B0106")});
    EXPECT_EQ(refusals, QStringList{QStringLiteral("此连接型参数即不是K参数也不是B参数，请联系开发人员！")});
    // The drive holds the source's address; the menu level is back at 1.
    EXPECT_EQ(driveWord("P0554"), QStringLiteral("ok P0554=8"));
    EXPECT_EQ(driveWord("P0060"), QStringLiteral("ok P0060=1"));
    EXPECT_EQ(valueOf(*page, QStringLiteral("P0554")), QStringLiteral("B0106"));
    EXPECT_EQ(prompt.messages().size(), 1u);
}

TEST_F(EditorOnlineTest, failedWriteKeepsTheDialogAndRefusesToCloseMeanwhile)
{
    connect();
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    bool openAfterFailure = false;
    bool openAfterCloseAttempt = false;
    whenOpened<ValueEditorDialog>([&](ValueEditorDialog& d) {
        // The drive stops answering; the person tries to close while the write waits.
        ASSERT_TRUE(sim.command(QStringLiteral("boot 3")).startsWith(QLatin1String("ok")));
        QTimer::singleShot(200, &d, [&d, &openAfterCloseAttempt] {
            d.reject();
            openAfterCloseAttempt = d.isVisible() && d.writing();
        });
        d.valueEdit()->setText(QStringLiteral("25"));
        d.accept();
        openAfterFailure = d.isVisible() && d.valueEdit()->text() == QStringLiteral("25");
    });
    editValueCell(*page, QStringLiteral("P7030"));
    EXPECT_TRUE(openAfterCloseAttempt);
    EXPECT_TRUE(openAfterFailure);
    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral("改值过程中，不允许关闭对话框！"),
                                           QStringLiteral("在线修改参数值失败！")}));
    // The table is back at the drive's word.
    EXPECT_EQ(application->window().session().values().parameters.valueOr0(sim::test::kP7030), 0);
    EXPECT_EQ(driveWord("P7030"), QStringLiteral("ok P7030=0"));
}

TEST_F(EditorOnlineTest, specialValueIsChosenFromItsOptions)
{
    connect();
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    QStringList options;
    QString selected;
    whenOpened<SpecialValueEditorDialog>([&](SpecialValueEditorDialog& d) {
        for (int row = 0; row < d.optionList()->count(); ++row)
            options << d.optionList()->item(row)->text();
        if (d.optionList()->currentItem())
            selected = d.optionList()->currentItem()->text();
        d.optionList()->setCurrentRow(static_cast<int>(options.indexOf(QStringLiteral("固定设置 (2)"))));
        d.accept();
    });
    editValueCell(*page, QStringLiteral("P0060"));
    EXPECT_EQ(openedKinds, QStringList{QStringLiteral("expected")});
    EXPECT_EQ(options, (QStringList{QStringLiteral("参数菜单 (1)"), QStringLiteral("固定设置 (2)"),
                                    QStringLiteral("快速调试 (5)"), QStringLiteral("驱动设置 (7)"),
                                    QStringLiteral("功率部分定义 (8)")}));
    EXPECT_EQ(selected, QStringLiteral("参数菜单 (1)"));
    EXPECT_EQ(driveWord("P0060"), QStringLiteral("ok P0060=2"));
    EXPECT_EQ(valueOf(*page, QStringLiteral("P0060")), QStringLiteral("2"));
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(QLatin1Char('|')).toStdString();
}

TEST_F(EditorOnlineTest, offlineEditsChangeTheOfflineValues)
{
    const QString connectionBefore = driveWord("P0554");
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    whenOpened<ValueEditorDialog>([](ValueEditorDialog& d) {
        d.valueEdit()->setText(QStringLiteral("12.5"));
        d.accept();
    });
    editValueCell(*page, QStringLiteral("P7030"));
    pages::OfflineValueSet& offline = application->offlineValues();
    EXPECT_EQ(offline.value(QStringLiteral("P7030")), QStringLiteral("12.50"));
    EXPECT_TRUE(offline.isModified());
    EXPECT_EQ(valueOf(*page, QStringLiteral("P7030")), QStringLiteral("12.50"));

    whenOpened<ConnectionEditorDialog>([](ConnectionEditorDialog& d) {
        d.sourceEdit()->setText(QStringLiteral("106"));
        d.accept();
    });
    editValueCell(*page, QStringLiteral("P0554"));
    EXPECT_EQ(offline.value(QStringLiteral("P0554")), QStringLiteral("B0106"));
    EXPECT_EQ(valueOf(*page, QStringLiteral("P0554")), QStringLiteral("B0106"));
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(QLatin1Char('|')).toStdString();
    // Nothing reached the drive.
    EXPECT_EQ(driveWord("P7030"), QStringLiteral("ok P7030=0"));
    EXPECT_EQ(driveWord("P0554"), connectionBefore);
}

}  // namespace
}  // namespace hesk::app::test

namespace hesk::app::test {
namespace {

// Every confirmed edit lands in the change journal pane; "撤销" writes the old value back
// through the same pipeline and is recorded too; the journal survives closing the project.
TEST_F(EditorOnlineTest, editsAreJournalledAndTheJournalPaneUndoesThem)
{
    connect();
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(sim::test::pumpUntil([&] { return valueOf(*page, QStringLiteral("P7030")) == QStringLiteral("0.00"); }, 5s));
    whenOpened<ValueEditorDialog>([&](ValueEditorDialog& d) {
        d.valueEdit()->setText(QStringLiteral("25"));
        d.accept();
    });
    editValueCell(*page, QStringLiteral("P7030"));
    ASSERT_EQ(driveWord("P7030"), QStringLiteral("ok P7030=8192"));

    JournalPane& pane = application->journalPane();
    QTableWidget* table = pane.table();
    ASSERT_EQ(table->rowCount(), 1);
    const auto rowTexts = [&](int row) {
        QStringList texts;
        for (int column = 1; column < table->columnCount(); ++column)
            texts << table->item(row, column)->text();
        return texts;
    };
    EXPECT_EQ(rowTexts(0), (QStringList{"P7030", "参数7030", "0.00", "25.00", "在线", "已确认"}));

    // With HESK_JOURNAL_SCREENSHOT set to a path: the page filtered to what differs from
    // the factory values, with its count, and the journal pane.
    if (const QByteArray shot = qgetenv("HESK_JOURNAL_SCREENSHOT"); !shot.isEmpty()) {
        MainWindow& w = application->window();
        w.runCommand(Command::ToggleJournalPane);
        w.dock(MainWindow::Pane::Journal)->raise();
        page->setChangedOnly(true);
        w.resize(1280, 800);
        sim::test::pumpUntil([&] { return !page->changedCountText().contains(QStringLiteral("已读取")); }, 5s);
        QApplication::processEvents();
        w.grab().save(QString::fromLocal8Bit(shot));
        page->setChangedOnly(false);
    }

    table->selectRow(0);
    ASSERT_TRUE(pane.undoSelected()) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(driveWord("P7030"), QStringLiteral("ok P7030=0"));
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(rowTexts(1), (QStringList{"P7030", "参数7030", "25.00", "0.00", "在线", "已确认"}));
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(QLatin1Char('|')).toStdString();

    // Closed and opened again: the journal is read back from beside the logs.
    MainWindow& w = application->window();
    w.runCommand(Command::Disconnect);
    w.runCommand(Command::CloseProject);
    EXPECT_EQ(table->rowCount(), 0);
    ASSERT_TRUE(w.openProjectFile(QDir(dir.path()).filePath(QStringLiteral("sim.tmprj"))));
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(rowTexts(1)[3], QStringLiteral("0.00"));

    // Offline an undo is refused, with the reason.
    table->selectRow(0);
    EXPECT_FALSE(pane.undoSelected());
    EXPECT_TRUE(messageTexts().join(QLatin1Char('|')).contains(QStringLiteral("没有连接设备"))) << messageTexts().join(QLatin1Char('|')).toStdString();
}

}  // namespace
}  // namespace hesk::app::test

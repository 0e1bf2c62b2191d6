// The whole application offline with the inverter sample: what happens to the offline
// values when a close, exit, connect or save asks to save them as a parameter file, and
// when the project closes; and editing a row whose
// definition the project changed since the page was built.

#include "MainWindowFixture.h"

#include "ApplicationWindows.h"
#include "editors/SpecialValueEditorDialog.h"
#include "editors/ValueEditorDialog.h"
#include "files/DnlFormat.h"
#include "pages/PageColumns.h"
#include "pages/ParameterPageModel.h"
#include "pages/ParameterPageWindow.h"

#include <QTimer>

namespace hesk::app::test {
namespace {

using model::PromptAnswer;
using shell::Command;

class ApplicationOfflineTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window.reset();  // the application brings its own window
        application = std::make_unique<ApplicationWindows>(setup());
        application->window().show();
        openInverterHere();
    }
    void TearDown() override
    {
        // Leave without questions: whatever the test left modified is dropped.
        application->offlineValues().clearModifications();
        application->window().lifecycle().setProjectModified(false);
        application.reset();
        MainWindowTest::TearDown();
    }

    MainWindow& main() { return application->window(); }
    void openInverterHere()
    {
        prompt.chooseFile(copyProject(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418")));
        main().runCommand(Command::OpenProject);
        ASSERT_TRUE(main().lifecycle().projectOpen());
    }
    ParameterPageWindow* openSettablePage()
    {
        return qobject_cast<ParameterPageWindow*>(main().openPage(QStringLiteral("P参数")));
    }
    static int rowOf(ParameterPageWindow& page, const QString& number)
    {
        for (int row = 0; row < page.page().rowCount(); ++row)
            if (page.page().row(row).numberText == number)
                return row;
        return -1;
    }
    // An offline change of P0060, as an edit or a parameter file would make it.
    void changeOfflineValue()
    {
        ASSERT_TRUE(application->offlineValues().set(QStringLiteral("P0060"), QStringLiteral("3")));
        ASSERT_TRUE(main().commandState().offlineModified);
    }
    QString logText()
    {
        main().logPane()->drain();
        return main().logPane()->toPlainText();
    }

    std::unique_ptr<ApplicationWindows> application;
};

// Yes to "save the offline values" asks for a file: a cancelled dialog or a file that
// cannot be written stops the close, exit, connect and save with the values kept; a
// written file clears the mark and the close goes on.
TEST_F(ApplicationOfflineTest, yesToSavingOfflineValuesWritesTheParameterFileOrStops)
{
    changeOfflineValue();
    const model::UserMessage cancelled{model::MessageKind::Error, QStringLiteral("错误"),
                                       QStringLiteral("请选择导出dnl文件路径！")};

    prompt.answer(PromptAnswer::Yes).chooseFile(std::nullopt);
    main().runCommand(Command::CloseProject);
    EXPECT_TRUE(main().lifecycle().projectOpen());

    prompt.answer(PromptAnswer::Yes).chooseFile(std::nullopt);
    EXPECT_FALSE(main().close());

    prompt.answer(PromptAnswer::Yes).chooseFile(dir.filePath(QStringLiteral("no/such/folder/x.dnl")));
    main().runCommand(Command::Connect);
    EXPECT_FALSE(main().session().isOnline());

    ASSERT_EQ(prompt.messages().size(), 3u);
    EXPECT_EQ(prompt.messages()[0], cancelled);
    EXPECT_EQ(prompt.messages()[1], cancelled);
    EXPECT_EQ(prompt.messages()[2].text, QStringLiteral("建立输出文件失败，请您重新尝试！"));
    EXPECT_TRUE(application->offlineValues().isModified());
    EXPECT_FALSE(logText().contains(QStringLiteral("开始连接")));

    const QString path = dir.filePath(QStringLiteral("offline.dnl"));
    prompt.answer(PromptAnswer::Yes).chooseFile(path);
    main().runCommand(Command::CloseProject);
    EXPECT_FALSE(main().lifecycle().projectOpen());
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("导出dnl文件成功，文件路径：\n") + path);
    EXPECT_EQ(prompt.fileDialogs().back().spec.filter, QStringLiteral("dnl File (*.dnl)"));
    const files::DnlRowsRead read = files::readDnlRows(path);
    ASSERT_EQ(read.rows.size(), 1);
    EXPECT_TRUE(read.rows[0].startsWith(QStringLiteral("0060|"))) << read.rows[0].toStdString();
    EXPECT_TRUE(read.rows[0].endsWith(QStringLiteral(" 3")));
}

// The next project's pages show none of the closed project's offline values.
TEST_F(ApplicationOfflineTest, closingTheProjectDropsItsOfflineValues)
{
    ParameterPageWindow* page = openSettablePage();
    ASSERT_NE(page, nullptr);
    const int row = rowOf(*page, QStringLiteral("P0060"));
    ASSERT_GE(row, 0);
    changeOfflineValue();
    application->offlineValues().setFileName(QStringLiteral("values.dnl"));
    page->refreshAllValues();
    ASSERT_EQ(page->model()->index(row, pages::ColumnValue).data().toString(), QStringLiteral("3"));

    prompt.answer(PromptAnswer::No);
    main().runCommand(Command::CloseProject);
    ASSERT_FALSE(main().lifecycle().projectOpen());
    EXPECT_EQ(application->offlineValues().size(), 0);
    EXPECT_TRUE(application->offlineValues().fileName().isEmpty());

    openInverterHere();
    ParameterPageWindow* next = openSettablePage();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->model()->index(rowOf(*next, QStringLiteral("P0060")), pages::ColumnValue).data().toString(),
              QString());
    EXPECT_FALSE(main().commandState().offlineModified);
}

// After the power unit was selected again (as the drive's P0070 does online), the
// project's P0070 is no longer the copy the page took: a double-click still edits it.
TEST_F(ApplicationOfflineTest, aChangedPowerUnitIsStillEdited)
{
    ParameterPageWindow* page = qobject_cast<ParameterPageWindow*>(main().openPage(QStringLiteral("功率部分定义")));
    ASSERT_NE(page, nullptr);
    const int row = rowOf(*page, QStringLiteral("P0070"));
    ASSERT_GE(row, 0);
    model::OpenedProject& project = main().session().project();
    const model::HeskParameterElement* p0070 = project.find(QStringLiteral("P0070"));
    ASSERT_NE(p0070, nullptr);
    QString other;
    for (const model::UbaseInfo& unit : project.project().ubaseTable)
        if (unit.columns[0] != p0070->currentValueText)
            other = unit.columns[0];
    ASSERT_FALSE(other.isEmpty());
    ASSERT_TRUE(project.applyPowerUnitCode(other));
    ASSERT_NE(page->page().row(row).element, *p0070);

    QStringList opened;
    application->valueEditing().setEditorOpened([&opened](QDialog* dialog) {
        opened << QString::fromLatin1(dialog->metaObject()->className());
        QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
    });
    Q_EMIT page->valueCellActivated(row);
    EXPECT_EQ(opened, QStringList{QStringLiteral("hesk::app::SpecialValueEditorDialog")});
    EXPECT_TRUE(prompt.messages().empty());
}

}  // namespace
}  // namespace hesk::app::test

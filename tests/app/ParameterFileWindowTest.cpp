// The window's parameter-file commands with the inverter sample: "打开Dnl" imports a file
// and the open page shows its values (also when no project was open: the file's project
// is opened first), and "文件比较" shows a real difference with its filters and export.
//
// With HESK_COMPARE_SCREENSHOT set to a path, the compare dialog with its difference is
// saved there as a picture (docs/compare-dialog.png is taken this way under Xvfb).

#include "MainWindowFixture.h"

#include "ApplicationWindows.h"
#include "dialogs/FileCompareDialog.h"
#include "files/DnlFormat.h"
#include "model/FaultTableLibrary.h"
#include "online/InstalledProjects.h"
#include "pages/PageColumns.h"
#include "pages/ParameterPageModel.h"
#include "pages/ParameterPageWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace hesk::app::test {
namespace {

using model::PromptAnswer;
using shell::Command;

class ParameterFileWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window.reset();
        application = std::make_unique<ApplicationWindows>(setup());
        application->window().show();
    }
    void TearDown() override
    {
        application->offlineValues().clearModifications();
        application->window().lifecycle().setProjectModified(false);
        application.reset();
        qunsetenv(online::kProjectsEnvironmentVariable);
        MainWindowTest::TearDown();
    }
    MainWindow& main() { return application->window(); }
    void openInverterHere()
    {
        prompt.chooseFile(copyProject(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418")));
        main().runCommand(Command::OpenProject);
        ASSERT_TRUE(main().lifecycle().projectOpen());
    }
    // A parameter file of the inverter with P0060 = 5 and P0089 = 0 (its factory value).
    QString writeDnl(const QString& version = QStringLiteral("V1.14.18"))
    {
        model::FaultTableLibrary faults;
        model::OpenedProject project{faults};
        EXPECT_FALSE(project.open(installedProject(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418"))));
        QByteArray bytes = files::dnlHeaderBytes(QDateTime::currentDateTime(), QStringLiteral("VRA1"), version);
        bytes += files::dnlRowBytes(project.find(QStringLiteral("P0060"))->referenceKey, QStringLiteral("5"));
        bytes += files::dnlRowBytes(project.find(QStringLiteral("P0089"))->referenceKey, QStringLiteral("0"));
        const QString path = dir.filePath(QStringLiteral("drive.dnl"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QString valueOf(ParameterPageWindow& page, const QString& number)
    {
        for (int row = 0; row < page.page().rowCount(); ++row)
            if (page.page().row(row).numberText == number)
                return page.model()->index(row, pages::ColumnValue).data().toString();
        return QStringLiteral("<no row>");
    }

    std::unique_ptr<ApplicationWindows> application;
};

TEST_F(ParameterFileWindowTest, openDnlImportsTheFileAndTheOpenPageShowsItsValues)
{
    const QString file = writeDnl();
    openInverterHere();
    auto* page = qobject_cast<ParameterPageWindow*>(main().openPage(QStringLiteral("P参数")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(valueOf(*page, QStringLiteral("P0060")), QString());
    main().refreshCommands();
    ASSERT_TRUE(main().action(Command::OpenDnl)->isEnabled());

    prompt.chooseFile(file);
    main().runCommand(Command::OpenDnl);
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("导入dnl数据成功！\ndnl文件中共有2个参数，全部导入成功！"));
    EXPECT_EQ(valueOf(*page, QStringLiteral("P0060")), QStringLiteral("5"));
    EXPECT_EQ(valueOf(*page, QStringLiteral("P0089")), QStringLiteral("0"));
    EXPECT_EQ(application->offlineValues().fileName(), QStringLiteral("drive.dnl"));
    EXPECT_TRUE(main().commandState().offlineModified);
}

// A file of another version: after the version question the window asks the migration
// report (every parameter the file lacks is listed in the log); "No" imports nothing.
TEST_F(ParameterFileWindowTest, openDnlOfAnotherVersionAsksTheMigrationReportFirst)
{
    const QString file = writeDnl(QStringLiteral("V1.14.17"));
    openInverterHere();
    prompt.chooseFile(file);
    prompt.answer(PromptAnswer::Yes).answer(PromptAnswer::No);
    main().runCommand(Command::OpenDnl);
    ASSERT_GE(prompt.questions().size(), 2u);
    EXPECT_EQ(prompt.questions().back().title, QStringLiteral("版本迁移报告"));
    EXPECT_TRUE(prompt.questions().back().text.contains(QStringLiteral("[文件中没有] "))) << prompt.questions().back().text.toStdString();
    EXPECT_FALSE(application->offlineValues().value(QStringLiteral("P0060")).has_value());

    prompt.chooseFile(file);
    prompt.answer(PromptAnswer::Yes).answer(PromptAnswer::Yes);
    main().runCommand(Command::OpenDnl);
    EXPECT_EQ(application->offlineValues().value(QStringLiteral("P0060")), QStringLiteral("5"));
}

TEST_F(ParameterFileWindowTest, openDnlWithoutAProjectOpensTheFilesProjectFirst)
{
    const QString file = writeDnl();
    // The installed projects of this test: a copy, so that nothing is written beside the
    // source tree's.
    const QString root = dir.filePath(QStringLiteral("installed"));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/VRA1/VRA1V11418")));
    ASSERT_TRUE(QFile::copy(installedProject(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418")),
                            root + QStringLiteral("/VRA1/VRA1V11418/VRA1V11418.tmprj")));
    qputenv(online::kProjectsEnvironmentVariable, root.toUtf8());

    prompt.chooseFile(file);
    main().runCommand(Command::OpenDnl);
    ASSERT_TRUE(main().lifecycle().projectOpen());
    EXPECT_EQ(main().session().project().name(), QStringLiteral("VRA1V11418"));
    EXPECT_EQ(application->offlineValues().value(QStringLiteral("P0060")), QStringLiteral("5"));
    auto* page = qobject_cast<ParameterPageWindow*>(main().openPage(QStringLiteral("P参数")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(valueOf(*page, QStringLiteral("P0060")), QStringLiteral("5"));
}

TEST_F(ParameterFileWindowTest, compareDialogShowsTheDifferenceBetweenFactoryValuesAndAFile)
{
    const QString file = writeDnl();
    openInverterHere();
    main().refreshCommands();
    EXPECT_TRUE(main().action(Command::CompareFiles)->isEnabled());

    FileCompareDialog dialog(main().session().project(), prompt, &main());
    dialog.show();
    EXPECT_FALSE(dialog.exportButton()->isVisible());
    dialog.startCompare();
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("基准文件不能为空！"));

    dialog.chooseSource(files::CompareSide::Base, files::CompareSource::Factory);
    prompt.chooseFile(file);
    dialog.chooseSource(files::CompareSide::Compare, files::CompareSource::File);
    dialog.startCompare();
    EXPECT_EQ(dialog.startButton()->text(), QStringLiteral("开始"));
    EXPECT_TRUE(dialog.exportButton()->isVisible());
    EXPECT_TRUE(dialog.filterButton(files::CompareFilter::Different)->isChecked());

    // 不同: P0060 (1 against 5), and every factory row the file lacks; P0089 is equal.
    const files::CompareRowModel& rows = dialog.rows();
    bool p60 = false;
    for (int r = 0; r < rows.rowCount(); ++r) {
        const files::CompareRow* row = rows.shownRow(r);
        EXPECT_FALSE(row->equal);
        if (row->main == QLatin1String("0060")) {
            p60 = true;
            EXPECT_EQ(row->base, QStringLiteral("1"));
            EXPECT_EQ(row->compare, QStringLiteral("5"));
        }
    }
    EXPECT_TRUE(p60);
    dialog.showFilter(files::CompareFilter::Equal);
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.shownRow(0)->main, QStringLiteral("0089"));
    EXPECT_EQ(dialog.table()->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("基准文件"));

    if (const QByteArray shot = qgetenv("HESK_COMPARE_SCREENSHOT"); !shot.isEmpty()) {
        // The difference at the top: P0060 first in the "不同" list, a file against the
        // factory values.
        dialog.showFilter(files::CompareFilter::All);
        for (int r = 0; r < rows.rowCount(); ++r)
            if (rows.shownRow(r)->main == QLatin1String("0060")) {
                dialog.table()->selectRow(r);
                dialog.table()->scrollTo(dialog.table()->model()->index(std::max(r - 3, 0), 0),
                                         QAbstractItemView::PositionAtTop);
                break;
            }
        QApplication::processEvents();
        dialog.grab().save(QString::fromLocal8Bit(shot));
    }

    CompareExportDialog exporter(rows.rows(), QStringLiteral("出厂值"), file, prompt, &dialog);
    exporter.setSets(false, false, true);
    exporter.setFolder(dir.filePath(QStringLiteral("csv")));
    const QStringList written = exporter.exportNow();
    ASSERT_EQ(written.size(), 1);
    EXPECT_TRUE(written[0].endsWith(QStringLiteral("_unequal.csv")));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("文件导出成功！"));
}

}  // namespace
}  // namespace hesk::app::test

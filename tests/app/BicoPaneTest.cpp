// The BICO wiring pane with the inverter sample offline: shown from 视图, searched in both
// directions, following the offline values, opening an input's page on a double-click,
// and exporting the rows shown.
//
// With HESK_BICO_SCREENSHOT set to a path, the window with the pane is saved there as a
// picture (docs/bico-pane.png is taken this way under Xvfb).

#include "MainWindowFixture.h"

#include "ApplicationWindows.h"
#include "frame/BicoPane.h"
#include "online/InstalledProjects.h"
#include "pages/ParameterListView.h"
#include "pages/ParameterPageWindow.h"

#include <QApplication>
#include <QDockWidget>
#include <QStringDecoder>
#include <QTableView>

namespace hesk::app::test {
namespace {

using shell::Command;

class BicoPaneTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window.reset();
        application = std::make_unique<ApplicationWindows>(setup());
        application->window().show();
        prompt.chooseFile(copyProject(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418")));
        main().runCommand(Command::OpenProject);
        ASSERT_TRUE(main().lifecycle().projectOpen());
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
    BicoPane& pane() { return application->bicoPane(); }
    QStringList shownInputs()
    {
        QStringList inputs;
        for (const pages::BicoConnection& c : pane().model().connections())
            inputs << c.input;
        return inputs;
    }

    std::unique_ptr<ApplicationWindows> application;
};

TEST_F(BicoPaneTest, theViewMenuShowsThePaneWithEveryConnectionInput)
{
    QDockWidget* dock = main().dock(MainWindow::Pane::Bico);
    EXPECT_TRUE(dock->isHidden());
    EXPECT_EQ(main().action(Command::ToggleBicoPane)->isChecked(), false);
    main().runCommand(Command::ToggleBicoPane);
    main().refreshCommands();
    EXPECT_FALSE(dock->isHidden());
    EXPECT_TRUE(main().action(Command::ToggleBicoPane)->isChecked());
    EXPECT_EQ(pane().model().rowCount(), 558);
    EXPECT_EQ(pane().model().index(0, 0).data().toString(), pane().model().connections()[0].input);
    EXPECT_TRUE(pane().statusText().startsWith(QStringLiteral("共 558 个连接输入，显示 558 个；离线")))
        << pane().statusText().toStdString();

    if (const QByteArray shot = qgetenv("HESK_BICO_SCREENSHOT"); !shot.isEmpty()) {
        dock->raise();
        pane().setSearch(QStringLiteral("K0091"), BicoPane::SearchBy::Source);
        main().resize(1280, 800);
        QApplication::processEvents();
        main().grab().save(QString::fromLocal8Bit(shot));
    }
}

TEST_F(BicoPaneTest, searchingBySourceOrInputFollowsTheOfflineValues)
{
    main().runCommand(Command::ToggleBicoPane);
    pane().setSearch(QStringLiteral("K0091"), BicoPane::SearchBy::Source);
    EXPECT_EQ(shownInputs(), (QStringList{QStringLiteral("P0222.001"), QStringLiteral("P0222.002")}));
    application->offlineValues().set(QStringLiteral("P0232.1"), QStringLiteral("K0091"));
    pane().refresh();
    EXPECT_EQ(shownInputs(),
              (QStringList{QStringLiteral("P0222.001"), QStringLiteral("P0222.002"), QStringLiteral("P0232.001")}));
    pane().setSearch(QStringLiteral("P0232"), BicoPane::SearchBy::Input);
    ASSERT_EQ(shownInputs(), (QStringList{QStringLiteral("P0232.001"), QStringLiteral("P0232.002")}));
    EXPECT_EQ(pane().model().index(0, 2).data().toString(), QStringLiteral("K0091"));
    EXPECT_EQ(pane().model().index(1, 2).data().toString(), QStringLiteral("K0000"));
    pane().setSearch(QStringLiteral("编码器转速"), BicoPane::SearchBy::AnyColumn);
    EXPECT_EQ(shownInputs().size(), 3);
    pane().setSearch(QStringLiteral("nothing like it"), BicoPane::SearchBy::AnyColumn);
    EXPECT_EQ(pane().model().rowCount(), 0);
}

TEST_F(BicoPaneTest, aDoubleClickShowsTheInputOnItsPage)
{
    main().runCommand(Command::ToggleBicoPane);
    pane().setSearch(QStringLiteral("P0317.2"), BicoPane::SearchBy::Input);
    ASSERT_EQ(pane().model().rowCount(), 1);
    const QModelIndex index = pane().model().index(0, 0);
    Q_EMIT pane().view()->doubleClicked(index);
    ParameterPageWindow* page = application->pages().activePage();
    ASSERT_NE(page, nullptr);
    const int row = page->view()->currentIndex().row();
    ASSERT_GE(row, 0);
    EXPECT_EQ(page->page().row(row).numberText, QStringLiteral("P0317"));
    EXPECT_EQ(page->page().row(row).element.subIndex, 2);
}

TEST_F(BicoPaneTest, exportWritesTheRowsShownInTheGbCodePage)
{
    main().runCommand(Command::ToggleBicoPane);
    pane().setSearch(QStringLiteral("K0091"), BicoPane::SearchBy::Source);
    const QString path = dir.filePath(QStringLiteral("wiring.csv"));
    prompt.chooseFile(path);
    pane().exportShown();
    ASSERT_EQ(prompt.fileDialogs().size(), 2u);  // the project's, then the export's
    EXPECT_TRUE(prompt.fileDialogs().back().spec.fileName.startsWith(QStringLiteral("BICO_VRA1_V1.14.18_")));
    ASSERT_FALSE(prompt.messages().empty());
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("文件导出成功！"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringDecoder gbk("GBK");
    const QString text = gbk.decode(file.readAll());
    EXPECT_EQ(text, QStringLiteral("=\"输入参数\",=\"名称\",=\"信号源\",=\"信号源名称\"\r\n"
                                   "=\"P0222.001\",=\"转速实际值来源\",=\"K0091\",=\"编码器转速实际值\"\r\n"
                                   "=\"P0222.002\",=\"转速实际值来源\",=\"K0091\",=\"编码器转速实际值\"\r\n"));

    // A file that cannot be written says so and reports no success.
    prompt.chooseFile(dir.filePath(QStringLiteral("no-such-folder/wiring.csv")));
    pane().exportShown();
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("导出失败，请您重新尝试！"));
}

}  // namespace
}  // namespace hesk::app::test

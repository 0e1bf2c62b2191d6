// Page windows from the tree: opened through PageWindows in the work area, brought to
// the front when open already, activation reported, status pane 0 from the page, and
// closed with the project.

#include "MainWindowFixture.h"

#include <QApplication>

using namespace hesk;
using namespace hesk::app;
using namespace hesk::app::test;
using shell::Command;

namespace {

// Page windows that are plain labels carrying their page name.
class FakePageWindows final : public PageWindows {
public:
    QWidget* createPageWindow(const QString& pageName, QWidget* parent) override
    {
        created << pageName;
        if (refused.contains(pageName))
            return nullptr;
        auto* label = new QLabel(pageName, parent);
        label->setProperty("pageName", pageName);
        return label;
    }
    QString pageNameOf(const QWidget* window) const override { return window->property("pageName").toString(); }
    void pageActivated(QWidget* window) override { activated << (window ? pageNameOf(window) : QStringLiteral("-")); }
    QString statusText(const QWidget* window) const override
    {
        const QString name = pageNameOf(window);
        return name == QStringLiteral("自定义参数") ? name + QStringLiteral("：右键列表区域，可插入、删除、更改参数") : name;
    }

    QStringList created;
    QStringList activated;
    QStringList refused;
};

class MainWindowPagesTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window->show();
        openInverter();
    }
    void TearDown() override
    {
        window.reset();  // before the pages object goes
        MainWindowTest::TearDown();
    }
    QStringList openPages() const
    {
        QStringList names;
        for (QMdiSubWindow* w : window->workArea()->subWindowList())
            names << pages.pageNameOf(w->widget());
        return names;
    }
    QString activePage() const
    {
        QMdiSubWindow* w = window->workArea()->activeSubWindow();
        return w ? pages.pageNameOf(w->widget()) : QString();
    }

    FakePageWindows pages;
};

TEST_F(MainWindowPagesTest, withoutPageWindowsPageLeavesDoNothing)
{
    EXPECT_TRUE(window->projectTree()->activateNode(QStringLiteral("P参数")));
    EXPECT_TRUE(window->workArea()->subWindowList().isEmpty());
    EXPECT_EQ(pane(0), QStringLiteral("未打开窗口：请双击左侧树菜单"));
}

TEST_F(MainWindowPagesTest, pageLeafOpensItsWindowAndItBecomesThePageOnShow)
{
    window->setPageWindows(&pages);

    ASSERT_TRUE(window->projectTree()->activateNode(QStringLiteral("电机数据组")));

    EXPECT_EQ(pages.created, QStringList{QStringLiteral("电机数据组")});
    EXPECT_EQ(openPages(), QStringList{QStringLiteral("电机数据组")});
    EXPECT_EQ(activePage(), QStringLiteral("电机数据组"));
    ASSERT_FALSE(pages.activated.isEmpty());
    EXPECT_EQ(pages.activated.back(), QStringLiteral("电机数据组"));
    EXPECT_EQ(pane(0), QStringLiteral("电机数据组"));
    EXPECT_NE(window->pageWindow(QStringLiteral("电机数据组")), nullptr);
}

TEST_F(MainWindowPagesTest, anOpenPageIsBroughtToTheFrontInsteadOfOpenedTwice)
{
    window->setPageWindows(&pages);
    window->projectTree()->activateNode(QStringLiteral("P参数"));
    window->projectTree()->activateNode(QStringLiteral("r参数"));
    ASSERT_EQ(activePage(), QStringLiteral("r参数"));

    window->projectTree()->activateNode(QStringLiteral("P参数"));

    EXPECT_EQ(pages.created, (QStringList{QStringLiteral("P参数"), QStringLiteral("r参数")}));
    EXPECT_EQ(openPages().size(), 2);
    EXPECT_EQ(activePage(), QStringLiteral("P参数"));
    EXPECT_EQ(pages.activated.back(), QStringLiteral("P参数"));
    EXPECT_EQ(pane(0), QStringLiteral("P参数"));
}

TEST_F(MainWindowPagesTest, customPageShowsItsHintInPaneZero)
{
    window->setPageWindows(&pages);
    window->projectTree()->activateNode(QStringLiteral("自定义参数"));
    EXPECT_EQ(pane(0), QStringLiteral("自定义参数：右键列表区域，可插入、删除、更改参数"));
}

TEST_F(MainWindowPagesTest, pageWithoutWindowOpensNothing)
{
    window->setPageWindows(&pages);
    pages.refused << QStringLiteral("SLB通讯");
    window->projectTree()->activateNode(QStringLiteral("SLB通讯"));
    EXPECT_EQ(pages.created, QStringList{QStringLiteral("SLB通讯")});
    EXPECT_TRUE(window->workArea()->subWindowList().isEmpty());
}

TEST_F(MainWindowPagesTest, closingThePageWindowReportsNoPageOnShow)
{
    window->setPageWindows(&pages);
    window->projectTree()->activateNode(QStringLiteral("系统设定"));
    QMdiSubWindow* page = window->pageWindow(QStringLiteral("系统设定"));
    ASSERT_NE(page, nullptr);

    page->close();
    QApplication::processEvents();

    EXPECT_TRUE(window->workArea()->subWindowList().isEmpty());
    EXPECT_EQ(pages.activated.back(), QStringLiteral("-"));
    EXPECT_EQ(pane(0), QStringLiteral("未打开窗口：请双击左侧树菜单"));
}

TEST_F(MainWindowPagesTest, closingTheProjectClosesItsPageWindows)
{
    window->setPageWindows(&pages);
    window->projectTree()->activateNode(QStringLiteral("P参数"));
    window->projectTree()->activateNode(QStringLiteral("功率部分定义"));

    window->runCommand(Command::CloseProject);

    EXPECT_TRUE(window->workArea()->subWindowList().isEmpty());
    EXPECT_EQ(pages.activated.back(), QStringLiteral("-"));
    EXPECT_EQ(pane(0), QStringLiteral("未打开工程：请在菜单栏打开工程"));
    // Without a project the tree is empty, and a stray activation opens nothing.
    EXPECT_FALSE(window->projectTree()->activateNode(QStringLiteral("P参数")));
    EXPECT_EQ(pages.created.size(), 2);
}

}  // namespace

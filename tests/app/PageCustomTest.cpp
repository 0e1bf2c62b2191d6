// The custom page window: insert, change and delete through its commands, the context
// menu's enabled items, and a .fpm round trip through the scripted prompt.

#include "PageTestFixture.h"

#include "model/PageCatalogue.h"

#include "pages/PageColumns.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>

#include <set>

using namespace hesk;
using namespace hesk::app;
using hesk::app::test::PageWindowTest;

namespace {

QStringList rowNumbers(ParameterPageWindow* window)
{
    QStringList numbers;
    for (int row = 0; row < window->model()->rowCount(); ++row) {
        const QString sub = window->model()->index(row, pages::ColumnSubIndex).data().toString();
        numbers << window->model()->index(row, pages::ColumnNumber).data().toString()
                       + (sub.isEmpty() ? QString() : QLatin1Char('.') + sub);
    }
    return numbers;
}

std::map<QString, bool> menuItems(QMenu* menu)
{
    std::map<QString, bool> items;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            items[action->text()] = action->isEnabled();
    return items;
}

}  // namespace

TEST_F(PageWindowTest, customPageInsertChangeDelete)
{
    openProject();
    ParameterPageWindow* window = open(model::pages::kCustom, true);
    QSignalSpy modified(pages.get(), &ParameterPageWindows::projectModified);
    EXPECT_EQ(window->model()->rowCount(), 0);

    numberAnswers = {QStringLiteral("P0060"), QStringLiteral("89")};
    window->insertParameter();  // nothing selected: appended
    window->insertParameter();
    EXPECT_EQ(rowNumbers(window), (QStringList{"P0060", "P0089"}));

    // With a row selected the new number goes before that row's entry.
    window->selectRow(1);
    numberAnswers = {QStringLiteral("p0848")};
    window->insertParameter();
    EXPECT_EQ(rowNumbers(window), (QStringList{"P0060", "P0848.000", "P0848.001", "P0848.002", "P0848.003",
                                               "P0848.004", "P0848.005", "P0089"}));
    EXPECT_EQ(window->pollList().size(), 8u);
    EXPECT_EQ(session->project().project().customParameters, (std::vector<uint32_t>{60, 848, 89}));

    // Changing any row of a number changes that entry.
    window->selectRow(3);
    numberAnswers = {QStringLiteral("r0002")};
    window->changeParameter();
    EXPECT_EQ(rowNumbers(window), (QStringList{"P0060", "r0002", "P0089"}));

    window->selectRow(0);
    window->deleteParameter();
    EXPECT_EQ(rowNumbers(window), (QStringList{"r0002", "P0089"}));
    EXPECT_EQ(modified.count(), 5);
    EXPECT_TRUE(pages->customPageState().changed);

    // A cancelled dialog and a number the project lacks change nothing.
    numberAnswers = {std::nullopt, QStringLiteral("P9999")};
    window->insertParameter();
    window->insertParameter();
    EXPECT_EQ(rowNumbers(window), (QStringList{"r0002", "P0089"}));
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0].text, QStringLiteral("参数不存在，请您重新输入！"));
    EXPECT_EQ(modified.count(), 5);
}

TEST_F(PageWindowTest, otherCustomWindowsFollowTheList)
{
    openProject();
    ParameterPageWindow* first = open(model::pages::kCustom);
    ParameterPageWindow* second = open(model::pages::kCustom);
    numberAnswers = {QStringLiteral("60")};
    first->insertParameter();
    EXPECT_EQ(rowNumbers(second), (QStringList{"P0060"}));
    EXPECT_EQ(second->pollList().size(), 1u);
}

TEST_F(PageWindowTest, contextMenuItemsAndTheirEnabledState)
{
    openProject();
    ParameterPageWindow* window = open(model::pages::kCustom, true);
    std::unique_ptr<QMenu> menu(window->createContextMenu(nullptr));
    EXPECT_EQ(menuItems(menu.get()), (std::map<QString, bool>{{"插入参数", true},
                                                              {"删除参数", false},
                                                              {"变更参数", false},
                                                              {"另存为参数文件(.fpm)", false},
                                                              {"加载参数文件(.fpm)", true}}));
    QList<int> commands;
    for (QAction* action : menu->actions())
        commands << (action->isSeparator() ? 0 : action->data().toInt());
    EXPECT_EQ(commands, (QList<int>{1098, 1099, 1100, 0, 1314, 1315}));

    numberAnswers = {QStringLiteral("60")};
    window->insertParameter();
    window->selectRow(0);
    menu.reset(window->createContextMenu(nullptr));
    for (const auto& [text, enabled] : menuItems(menu.get()))
        EXPECT_TRUE(enabled) << text.toStdString();

    // The menu's action runs the command.
    numberAnswers = {QStringLiteral("89")};
    menu->actions().front()->trigger();
    EXPECT_EQ(rowNumbers(window), (QStringList{"P0089", "P0060"}));
}

TEST_F(PageWindowTest, onlyTheCustomPageHasAContextMenu)
{
    openProject();
    EXPECT_EQ(open(model::pages::kCustom)->view()->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_NE(open(model::pages::kAll)->view()->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST_F(PageWindowTest, customPageFileRoundTrip)
{
    openProject();
    ParameterPageWindow* window = open(model::pages::kCustom, true);
    numberAnswers = {QStringLiteral("943"), QStringLiteral("60"), QStringLiteral("943")};
    window->insertParameter();
    window->insertParameter();
    window->insertParameter();
    const QStringList rowsBefore = rowNumbers(window);

    const QString path = dir.filePath(QStringLiteral("custom.fpm"));
    prompt.chooseFile(path);
    window->saveCustomPage();
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("成功将参数导出至文件：") + path);
    EXPECT_EQ(pages->customPageState().filePath, path);

    // Empty the list, then load the file back: no question (same project type, the
    // current list is empty).
    while (window->model()->rowCount() > 0) {
        window->selectRow(0);
        window->deleteParameter();
    }
    prompt.chooseFile(path);
    window->loadCustomPage();
    EXPECT_EQ(rowNumbers(window), rowsBefore);
    EXPECT_TRUE(prompt.questions().empty());
    EXPECT_EQ(window->view()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(session->project().project().customParameters, (std::vector<uint32_t>{943, 60, 943}));
    // r0943's sub-indices twice and P0060 once: each row polled (those in view and the
    // margin) requested once. A window tall enough to show both halves.
    window->resize(1200, 1600);
    QCoreApplication::processEvents();
    const pages::RowSpan polled = window->page().polledRows(window->rowsInView());
    std::set<QString> distinct;
    for (int row = polled.first; row <= polled.last; ++row)
        distinct.insert(rowNumber(window, row));
    EXPECT_LT(distinct.size(), static_cast<std::size_t>(polled.last - polled.first + 1));
    EXPECT_EQ(window->pollList().size(), distinct.size());
}

// The function-code search from its dialog: the hit shown on its page through the main
// window's opener, the end of the search, the refusal on the test bench and a page the
// main window cannot show.

#include "PageTestFixture.h"

#include "model/PageCatalogue.h"

#include "pages/CodeSearchDialog.h"
#include "pages/PageColumns.h"

#include <QLineEdit>
#include <QPushButton>

using namespace hesk;
using namespace hesk::app;
using hesk::app::test::PageWindowTest;

namespace {

model::UserMessage message(model::MessageKind kind, const char* title, const char* text)
{
    return {kind, QString::fromUtf8(title), QString::fromUtf8(text)};
}

}  // namespace

TEST_F(PageWindowTest, findShowsEachHitOnItsPageThenReportsTheEnd)
{
    openProject();
    std::map<QString, ParameterPageWindow*> opened;
    QStringList openedNames;
    pages->setPageOpener([&](const QString& name) -> QWidget* {
        openedNames << name;
        auto& window = opened[name];
        if (!window)
            window = open(name);
        return window;
    });
    CodeSearchDialog* dialog = pages->openFindDialog(nullptr);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("查找"));
    EXPECT_EQ(dialog->direction(), pages::SearchDirection::Down);
    EXPECT_EQ(dialog->keywordEdit()->maxLength(), 50);
    EXPECT_EQ(dialog->findButton()->text(), QStringLiteral("查找下一个"));
    EXPECT_EQ(pages->openFindDialog(nullptr), dialog);  // one dialog

    dialog->keywordEdit()->setText(QStringLiteral("从站数量"));
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
    EXPECT_EQ(openedNames, (QStringList{"P参数", "所有参数", "逆变器并联", "功率部分定义"}));
    for (const QString& name : openedNames) {
        ParameterPageWindow* window = opened[name];
        ASSERT_GE(window->selectedRow(), 0) << name.toStdString();
        EXPECT_EQ(cell(window, window->selectedRow(), pages::ColumnNumber), QStringLiteral("P0089"));
    }
    EXPECT_TRUE(prompt.messages().empty());

    QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
    EXPECT_EQ(prompt.messages(),
              (std::vector<model::UserMessage>{message(model::MessageKind::Information, "信息", "没有找到！")}));
    // And again from the start.
    QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
    EXPECT_EQ(openedNames.back(), QStringLiteral("P参数"));
    delete dialog;
}

TEST_F(PageWindowTest, findUpwardsThroughTheDialog)
{
    openProject();
    ParameterPageWindow* settable = open(model::pages::kSettable);
    pages->setPageOpener([&](const QString& name) -> QWidget* { return name == settable->pageName() ? settable : nullptr; });
    CodeSearchDialog* dialog = pages->openFindDialog(nullptr);
    ASSERT_NE(dialog, nullptr);
    dialog->setDirection(pages::SearchDirection::Up);
    const QString keyword = QStringLiteral("电机额定频率");
    dialog->keywordEdit()->setText(keyword);
    std::vector<int> matching;
    for (int row = settable->page().rowCount() - 1; row >= 0; --row)
        if (pages::rowMatches(settable->page(), row, keyword, false))
            matching.push_back(row);
    ASSERT_GE(matching.size(), 2u);
    // Upwards from the end of "P参数": its last matching row first, then the one above.
    QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
    EXPECT_EQ(settable->selectedRow(), matching[0]);
    QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
    EXPECT_EQ(settable->selectedRow(), matching[1]);
    delete dialog;
}

TEST_F(PageWindowTest, findWithAPageTheMainWindowCannotShowIsAnInternalError)
{
    openProject();
    pages->setPageOpener([](const QString&) -> QWidget* { return nullptr; });
    EXPECT_TRUE(prompt.messages().empty());
    EXPECT_FALSE(pages->findNext(QStringLiteral("从站数量"), pages::SearchDirection::Down));
    EXPECT_EQ(prompt.messages(), (std::vector<model::UserMessage>{
                                     message(model::MessageKind::Error, "错误", "系统内部错误，请联系开发人员！")}));
}

TEST_F(PageWindowTest, findWithoutOpenerUsesAnOpenWindowOfThePage)
{
    openProject();
    ParameterPageWindow* parallel = open(QStringLiteral("逆变器并联"));
    // Only "逆变器并联" is open: the earlier pages' hits cannot be shown.
    EXPECT_FALSE(pages->findNext(QStringLiteral("从站数量"), pages::SearchDirection::Down));
    EXPECT_FALSE(pages->findNext(QStringLiteral("从站数量"), pages::SearchDirection::Down));
    EXPECT_TRUE(pages->findNext(QStringLiteral("从站数量"), pages::SearchDirection::Down));
    EXPECT_EQ(cell(parallel, parallel->selectedRow(), pages::ColumnNumber), QStringLiteral("P0089"));
    EXPECT_EQ(prompt.messages().size(), 2u);
}

TEST_F(PageWindowTest, testBenchRefusesTheSearch)
{
    openProject("PTB/PTBV10000");
    EXPECT_EQ(pages->openFindDialog(nullptr), nullptr);
    EXPECT_EQ(prompt.messages(), (std::vector<model::UserMessage>{
                                     message(model::MessageKind::Warning, "警告", "该设备不支持功能码查找！")}));
}

TEST_F(PageWindowTest, offlineValuesTakePartInTheSearch)
{
    openProject();
    ParameterPageWindow* settable = open(model::pages::kSettable);
    pages->setPageOpener([&](const QString& name) -> QWidget* { return name == settable->pageName() ? settable : nullptr; });
    offline.set(QStringLiteral("P0089"), QStringLiteral("7654321"));
    EXPECT_TRUE(pages->findNext(QStringLiteral("7654321"), pages::SearchDirection::Down));
    EXPECT_EQ(cell(settable, settable->selectedRow(), pages::ColumnNumber), QStringLiteral("P0089"));
}

// Page windows of the installed sample projects: which windows exist, their rows and
// columns, type-ahead through real key events, the values that follow the session's
// tables, the page poll list in the scheduler's slot, and comment editing.

#include "PageTestFixture.h"

#include "model/PageCatalogue.h"
#include "online/ReadRequests.h"
#include "pages/PageColumns.h"

#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

using namespace hesk;
using namespace hesk::app;
using namespace std::chrono_literals;
using hesk::app::test::PageWindowTest;

TEST_F(PageWindowTest, allParametersOfTheLargestSampleShowEveryRowInNineColumns)
{
    openProject();
    ParameterPageWindow* window = open(model::pages::kAll, true);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->model()->rowCount(), static_cast<int>(session->project().project().elements.size()));
    EXPECT_EQ(window->model()->rowCount(), 2054);
    ASSERT_EQ(window->model()->columnCount(), 9);
    const QStringList headers{QString(), "主参数", "名称", QString(), "辅参数", "跟踪值", "出厂值", "单位", "注释"};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(window->model()->headerData(c, Qt::Horizontal).toString(), headers[c]) << c;
    EXPECT_TRUE(window->view()->isColumnHidden(0));
    EXPECT_EQ(window->view()->columnWidth(pages::ColumnName), 240);
    EXPECT_EQ(window->view()->columnWidth(pages::ColumnMarker), 30);
    // Compact rows: the height follows the font, not the style's roomy default.
    EXPECT_LE(window->view()->verticalHeader()->defaultSectionSize(), window->view()->fontMetrics().height() + 4);
    EXPECT_LE(window->view()->rowHeight(0), window->view()->fontMetrics().height() + 4);
    // Number to unit fit beside the project tree on a 1280-pixel screen.
    int throughUnit = 0;
    for (int c = pages::ColumnNumber; c <= pages::ColumnUnit; ++c)
        throughUnit += window->view()->columnWidth(c);
    EXPECT_LE(throughUnit, 760);
    EXPECT_EQ(cell(window, 0, pages::ColumnNumber), QStringLiteral("r0001"));
    EXPECT_EQ(cell(window, 0, pages::ColumnName), QStringLiteral("驱动状态"));
    EXPECT_EQ(window->model()->index(0, pages::ColumnValue).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(255, 255, 255));
    EXPECT_EQ(window->windowTitle(), model::pages::kAll);
}

TEST_F(PageWindowTest, onlyThePagesOfTheDeviceClassGetWindows)
{
    openProject();
    EXPECT_EQ(pages->createPageWindow(QStringLiteral("装置并联"), nullptr), nullptr);
    EXPECT_EQ(pages->createPageWindow(QStringLiteral("没有此页"), nullptr), nullptr);
    for (const QString& name : model::PageCatalogue(model::DeviceClass::Inverter).pageNames())
        EXPECT_NE(pages->createPageWindow(name, nullptr), nullptr) << name.toStdString();
    EXPECT_EQ(pages->windows().size(), 23u);

    openProject("AIC/AICV20207");
    EXPECT_NE(pages->createPageWindow(QStringLiteral("装置并联"), nullptr), nullptr);
    EXPECT_EQ(pages->createPageWindow(QStringLiteral("逆变器并联"), nullptr), nullptr);

    session->project().close();
    EXPECT_EQ(pages->createPageWindow(model::pages::kAll, nullptr), nullptr);
}

TEST_F(PageWindowTest, pageNameAndStatusText)
{
    openProject();
    QWidget* parallel = pages->createPageWindow(QStringLiteral("逆变器并联"), nullptr);
    QWidget* custom = pages->createPageWindow(model::pages::kCustom, nullptr);
    QWidget other;
    EXPECT_EQ(pages->pageNameOf(parallel), QStringLiteral("逆变器并联"));
    EXPECT_EQ(pages->pageNameOf(&other), QString());
    EXPECT_EQ(pages->statusText(parallel), QStringLiteral("逆变器并联"));
    EXPECT_EQ(pages->statusText(custom), QStringLiteral("自定义参数：右键列表区域，可插入、删除、更改参数"));
    EXPECT_EQ(pages->statusText(&other), QString());
}

TEST_F(PageWindowTest, typeAheadThroughKeyEventsAndItsResetAfterAPause)
{
    openProject();
    ParameterPageWindow* window = open(model::pages::kAll, true);
    ParameterListView* view = window->view();
    view->setFocus();

    QTest::keyClicks(view, "P100");
    EXPECT_EQ(rowNumber(window, window->selectedRow()), QStringLiteral("P0100.001"));
    // The selected row is scrolled into view.
    EXPECT_TRUE(view->viewport()->rect().intersects(view->visualRect(view->model()->index(window->selectedRow(), 1))));

    // Within 1.2 s the digits go on the text: P1006 selects nothing.
    now += 1199ms;
    QTest::keyClick(view, Qt::Key_6);
    EXPECT_EQ(window->selectedRow(), -1);

    // After the pause the next digits start afresh: 1, 0, 0 selects the first row with
    // number 100, here typed on the keypad.
    now += 1200ms;
    QTest::keyClick(view, Qt::Key_1, Qt::KeypadModifier);
    QTest::keyClick(view, Qt::Key_0, Qt::KeypadModifier);
    QTest::keyClick(view, Qt::Key_0, Qt::KeypadModifier);
    EXPECT_EQ(rowNumber(window, window->selectedRow()), QStringLiteral("P0100.001"));

    now += 2s;
    QTest::keyClicks(view, "k91");
    EXPECT_EQ(rowNumber(window, window->selectedRow()), QStringLiteral("K0091"));
}

TEST_F(PageWindowTest, enterAndEscapeStayInTheList)
{
    openProject();
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    QWidget* window = pages->createPageWindow(QStringLiteral("逆变器并联"), &dialog);
    layout->addWidget(window);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* page = qobject_cast<ParameterPageWindow*>(window);
    page->view()->setFocus();
    QTest::keyClick(page->view(), Qt::Key_Escape);
    QTest::keyClick(page->view(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(PageWindowTest, onlineValuesFollowTheSessionTablesOnTheRefreshTimer)
{
    openProject();
    ParameterPageWindow* window = open(QStringLiteral("逆变器并联"), true);
    const int row = rowOf(window, QStringLiteral("P0060"));
    ASSERT_GE(row, 0);
    const model::HeskParameterElement& p0060 = element("P0060");

    session->link().state().online.store(true);
    session->values().parameters.store(p0060.address, 3);
    const QModelIndex value = window->model()->index(row, pages::ColumnValue);
    EXPECT_TRUE(QTest::qWaitFor([&] { return value.data().toString() == QStringLiteral("3"); }, 2000));
    EXPECT_EQ(value.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 64, 255));

    // Back to the factory value: drawn in black.
    session->values().parameters.store(p0060.address, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return value.data().toString() == QStringLiteral("1"); }, 2000));
    EXPECT_EQ(value.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 0));
}

TEST_F(PageWindowTest, offlineTheOfflineValuesAreShown)
{
    openProject();
    ParameterPageWindow* window = open(QStringLiteral("逆变器并联"), true);
    const int row = rowOf(window, QStringLiteral("P0848.001"));
    ASSERT_GE(row, 0);
    const QModelIndex value = window->model()->index(row, pages::ColumnValue);
    EXPECT_EQ(value.data().toString(), QString());
    offline.set(QStringLiteral("P0848.1"), QStringLiteral("1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return value.data().toString() == QStringLiteral("1"); }, 2000));
    EXPECT_EQ(value.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 64, 255));  // factory 0
}

TEST_F(PageWindowTest, changedOnlyShowsTheRowsThatDifferFromFactoryAndPollsTheWholePage)
{
    openProject();
    ParameterPageWindow* window = open(model::pages::kAll, true);
    const auto shownRows = [&] {
        QStringList numbers;
        for (int row = 0; row < window->page().rowCount(); ++row)
            if (!window->view()->isRowHidden(row))
                numbers << window->page().row(row).numberText + window->page().row(row).subIndexText;
        return numbers;
    };
    offline.set(QStringLiteral("P0848.1"), QStringLiteral("1"));    // factory 0
    offline.set(QStringLiteral("P0350"), QStringLiteral("80.00"));  // factory 100
    offline.set(QStringLiteral("P0060"), QStringLiteral("1"));      // factory 1
    window->refreshVisibleValues();
    EXPECT_TRUE(window->changedCountText().startsWith(QStringLiteral("与出厂值不同：2 项（已读取 3/")))
        << window->changedCountText().toStdString();
    EXPECT_EQ(shownRows().size(), window->page().rowCount());

    window->setChangedOnly(true);
    EXPECT_EQ(shownRows(), (QStringList{"P0350", "P0848001"}));
    online::FrameList whole;
    window->page().buildPollList(whole);
    EXPECT_EQ(window->pollList().size(), whole.size()) << "every row is read, not only those in view";

    // Online the rows appear as the drive reports values that differ.
    session->link().state().online.store(true);
    session->values().parameters.store(element("P0060").address, 3);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownRows() == QStringList{"P0060"}; }, 2000)) << shownRows().join(' ').toStdString();
    EXPECT_TRUE(window->changedCountText().startsWith(QStringLiteral("与出厂值不同：1 项（已读取 1/")));

    // Off again: every row, and the poll list of the rows in view.
    window->setChangedOnly(false);
    EXPECT_EQ(shownRows().size(), window->page().rowCount());
    EXPECT_LT(window->pollList().size(), whole.size());
}

TEST_F(PageWindowTest, approximateComparisonSwitchRecoloursThePage)
{
    openProject();
    ParameterPageWindow* window = open(model::pages::kAll, true);
    const int row = rowOf(window, QStringLiteral("P0350"));
    ASSERT_GE(row, 0);
    window->selectRow(row);  // in view
    session->link().state().online.store(true);
    session->values().parameters.store(element("P0350").address, 16384);  // 100.00 against "100"
    window->refreshVisibleValues();
    const QModelIndex value = window->model()->index(row, pages::ColumnValue);
    EXPECT_EQ(value.data().toString(), QStringLiteral("100.00"));
    EXPECT_EQ(value.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 64, 255));
    pages->setApproximateComparison(true);
    EXPECT_EQ(value.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 0));
}

TEST_F(PageWindowTest, thePageOnShowFeedsTheSchedulersPageSlot)
{
    openProject();
    auto* parallel = open(QStringLiteral("逆变器并联"));
    auto* custom = open(model::pages::kCustom);
    EXPECT_EQ(parallel->pollList().size(), 10u);  // 13 rows, r0071..r0073 have no address

    pages->pageActivated(parallel);
    EXPECT_EQ(pages->activePage(), parallel);
    session->schedulerTick();
    EXPECT_EQ(parallel->pollList().cursorIndex(), 0);

    // Another widget: no page on show, nothing more is sent from the list.
    QWidget other;
    pages->pageActivated(&other);
    EXPECT_EQ(pages->activePage(), nullptr);
    session->schedulerTick();
    EXPECT_EQ(parallel->pollList().cursorIndex(), 0);

    // A connect empties the slots; the page on show goes back into its slot.
    pages->pageActivated(parallel);
    session->scheduler().reset();
    Q_EMIT session->connectionChanged();
    session->schedulerTick();
    EXPECT_EQ(parallel->pollList().cursorIndex(), 1);

    // Closing the page on show empties the slot before its list goes.
    delete parallel;
    EXPECT_EQ(pages->activePage(), nullptr);
    EXPECT_EQ(pages->windows().size(), 1u);
    session->schedulerTick();  // must not reach the deleted list
    EXPECT_EQ(pages->windows().front(), custom);
}

namespace {

// Whether the window's poll list reads the row (by its request frame).
bool polls(ParameterPageWindow* window, int row)
{
    return window->pollList().indexOf(online::readRequestFor(window->page().row(row).element)) >= 0;
}

}  // namespace

TEST_F(PageWindowTest, thePollListReadsTheRowsInViewAndAMarginAsThePageScrollsAndResizes)
{
    openProject();
    constexpr int margin = pages::ParameterPage::kPollMargin;
    // Before the view is laid out: the first rows, never an empty list.
    ParameterPageWindow* hidden = open(model::pages::kAll);
    EXPECT_FALSE(hidden->pollList().empty());
    EXPECT_TRUE(polls(hidden, 0));
    EXPECT_FALSE(polls(hidden, 1000));

    ParameterPageWindow* window = open(model::pages::kAll, true);
    const auto checkView = [&](const char* when) {
        SCOPED_TRACE(when);
        const pages::RowSpan view = window->rowsInView();
        ASSERT_GE(view.first, 0);
        ASSERT_GE(view.last, view.first + 10);
        for (int row = view.first - margin; row <= view.last + margin; ++row)
            EXPECT_TRUE(polls(window, row)) << "row " << row;
        EXPECT_FALSE(polls(window, view.first - margin - 1));
        EXPECT_FALSE(polls(window, view.last + margin + 1));
        EXPECT_EQ(window->pollList().size(), static_cast<size_t>(view.last - view.first + 1 + 2 * margin));
        // The rows in view come first in every cycle.
        EXPECT_EQ(window->pollList().at(0), online::readRequestFor(window->page().row(view.first).element));
    };

    // Scrolling: what comes into view is polled, what left it is not.
    window->view()->scrollTo(window->model()->index(1000, pages::ColumnValue), QAbstractItemView::PositionAtTop);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->rowsInView().first, 1000);
    checkView("scrolled to row 1000");
    EXPECT_FALSE(polls(window, 0));
    const size_t listAt500Pixels = window->pollList().size();

    window->view()->scrollTo(window->model()->index(1500, pages::ColumnValue), QAbstractItemView::PositionAtTop);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->rowsInView().first, 1500);
    checkView("scrolled to row 1500");
    EXPECT_FALSE(polls(window, 1000));

    // A taller window shows more rows: they are polled too.
    window->resize(1200, 900);
    QCoreApplication::processEvents();
    checkView("resized");
    EXPECT_GT(window->pollList().size(), listAt500Pixels);

    // The last rows of the page: the margin stops at the end.
    window->view()->scrollToBottom();
    QCoreApplication::processEvents();
    const pages::RowSpan bottom = window->rowsInView();
    EXPECT_EQ(bottom.last, window->page().rowCount() - 1);
    EXPECT_TRUE(polls(window, bottom.last));
    EXPECT_TRUE(polls(window, bottom.first - margin));
    EXPECT_FALSE(polls(window, bottom.first - margin - 1));
}

TEST_F(PageWindowTest, doubleClickOnTheCommentEditsItIntoTheProject)
{
    openProject();
    ParameterPageWindow* window = open(QStringLiteral("逆变器并联"), true);
    ParameterPageWindow* all = open(model::pages::kAll);
    QSignalSpy modified(pages.get(), &ParameterPageWindows::projectModified);
    const int row = rowOf(window, QStringLiteral("P0089"));
    ASSERT_GE(row, 0);
    const QModelIndex comment = window->model()->index(row, pages::ColumnComment);
    const QRect cellRect = window->view()->visualRect(comment);
    QTest::mouseClick(window->view()->viewport(), Qt::LeftButton, {}, cellRect.center());
    QTest::mouseDClick(window->view()->viewport(), Qt::LeftButton, {}, cellRect.center());
    auto* editor = window->view()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("slave count"));
    QTest::keyClick(editor, Qt::Key_Return);  // the delegate commits on a queued call
    EXPECT_TRUE(QTest::qWaitFor([&] { return element("P0089").comment == QStringLiteral("slave count"); }, 2000));

    EXPECT_EQ(element("P0089").comment, QStringLiteral("slave count"));
    EXPECT_EQ(comment.data().toString(), QStringLiteral("slave count"));
    EXPECT_EQ(cell(all, rowOf(all, QStringLiteral("P0089")), pages::ColumnComment), QStringLiteral("slave count"));
    EXPECT_EQ(modified.count(), 1);
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(PageWindowTest, doubleClickOnTheValueIsHandedToTheEditors)
{
    openProject();
    ParameterPageWindow* window = open(QStringLiteral("逆变器并联"), true);
    QSignalSpy requests(pages.get(), &ParameterPageWindows::valueEditRequested);
    const QModelIndex value = window->model()->index(5, pages::ColumnValue);
    const QPoint centre = window->view()->visualRect(value).center();
    QTest::mouseClick(window->view()->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(window->view()->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(requests.count(), 0);  // not from inside the view's own handler
    EXPECT_TRUE(QTest::qWaitFor([&] { return requests.count() > 0; }, 2000));
    ASSERT_EQ(requests.count(), 1);
    EXPECT_EQ(requests.front().at(0).value<ParameterPageWindow*>(), window);
    EXPECT_EQ(requests.front().at(1).toInt(), 5);
    // No editor opened on the value cell.
    EXPECT_EQ(window->view()->viewport()->findChild<QLineEdit*>(), nullptr);
}

TEST_F(PageWindowTest, windowsStillOpenAreDeletedWithThePages)
{
    openProject();
    QPointer<QWidget> window = pages->createPageWindow(model::pages::kAll, nullptr);
    pages->pageActivated(window);
    pages.reset();
    EXPECT_TRUE(window.isNull());
    session->schedulerTick();  // the slot was emptied
}

// The log pane: colours by level, the 1000-line cap, the newest line in view, copy and
// clear from keys and the context menu, no typing and no zoom.

#include "QtPrinters.h"

#include "frame/LogPane.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::app;

namespace {

class LogPaneTest : public ::testing::Test {
protected:
    static shell::LogOptions options()
    {
        shell::LogOptions o;
        o.writePeriod = std::chrono::hours(24);
        o.clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)); };
        return o;
    }
    QColor colourOfLine(int line) const
    {
        const QTextBlock block = pane.document()->findBlockByNumber(line);
        return block.begin().fragment().charFormat().foreground().color();
    }

    shell::Log log{options()};
    LogPane pane{log, std::chrono::hours(24)};
};

TEST_F(LogPaneTest, linesShowInTheColourOfTheirLevel)
{
    log.log(QStringLiteral("recording detail"), 0);
    log.log(QStringLiteral("protocol step"), 1);
    log.log(QStringLiteral("开始连接..."), 2);
    log.log(QStringLiteral("<错误>连接超时"), 3);

    pane.drain();

    EXPECT_EQ(pane.toPlainText(), QStringLiteral("2024-03-05 07:08:09 recording detail\n2024-03-05 07:08:09 protocol step\n"
                                                 "2024-03-05 07:08:09 开始连接...\n2024-03-05 07:08:09 <错误>连接超时"));
    EXPECT_EQ(colourOfLine(0), QColor(34, 139, 34));
    EXPECT_EQ(colourOfLine(1), QColor(0, 0, 255));
    EXPECT_EQ(colourOfLine(2), QColor(0, 0, 0));
    EXPECT_EQ(colourOfLine(3), QColor(255, 0, 0));
}

TEST_F(LogPaneTest, nothingQueuedLeavesThePaneAsItIs)
{
    log.log(QStringLiteral("one"), 2);
    pane.drain();
    pane.drain();
    EXPECT_EQ(pane.document()->blockCount(), 1);
}

TEST_F(LogPaneTest, keepsTheNewestThousandLines)
{
    for (int i = 0; i < 700; ++i)
        log.log(QStringLiteral("line %1").arg(i), 2);
    pane.drain();
    for (int i = 700; i < 1300; ++i)
        log.log(QStringLiteral("line %1").arg(i), 2);
    pane.drain();

    EXPECT_EQ(pane.document()->blockCount(), LogPane::kMaxLines);
    EXPECT_EQ(pane.document()->firstBlock().text(), QStringLiteral("2024-03-05 07:08:09 line 300"));
    EXPECT_EQ(pane.document()->lastBlock().text(), QStringLiteral("2024-03-05 07:08:09 line 1299"));
}

TEST_F(LogPaneTest, scrollsToTheNewestLine)
{
    pane.resize(300, 120);
    pane.show();
    for (int i = 0; i < 200; ++i)
        log.log(QStringLiteral("line %1").arg(i), 2);
    pane.drain();
    QApplication::processEvents();
    ASSERT_GT(pane.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(pane.verticalScrollBar()->value(), pane.verticalScrollBar()->maximum());
}

TEST_F(LogPaneTest, ctrlCCopiesTheSelectionAndCtrlDeleteClears)
{
    log.log(QStringLiteral("第一行"), 2);
    log.log(QStringLiteral("second"), 3);
    pane.drain();
    pane.selectAll();

    QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("2024-03-05 07:08:09 第一行\n2024-03-05 07:08:09 second"));

    QTest::keyClick(&pane, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(pane.toPlainText().isEmpty());
    log.log(QStringLiteral("after clearing"), 2);
    pane.drain();
    EXPECT_EQ(pane.toPlainText(), QStringLiteral("2024-03-05 07:08:09 after clearing"));
}

TEST_F(LogPaneTest, clearingDropsWhatWasQueued)
{
    log.log(QStringLiteral("shown"), 2);
    pane.drain();
    log.log(QStringLiteral("queued, never shown"), 2);
    pane.clearLog();
    pane.drain();
    EXPECT_TRUE(pane.toPlainText().isEmpty());
}

TEST_F(LogPaneTest, typingChangesNothing)
{
    log.log(QStringLiteral("text"), 2);
    pane.drain();
    const QString before = pane.toPlainText();
    QTest::keyClicks(&pane, "abc");
    QTest::keyClick(&pane, Qt::Key_Backspace);
    QTest::keyClick(&pane, Qt::Key_Delete);
    QTest::keyClick(&pane, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(pane.toPlainText(), before);
}

TEST_F(LogPaneTest, ctrlWheelDoesNotZoom)
{
    const qreal size = pane.font().pixelSize();
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(pane.viewport(), &wheel);
    EXPECT_EQ(pane.font().pixelSize(), size);
}

TEST_F(LogPaneTest, contextMenuCopiesOnlyWithASelectionAndClears)
{
    log.log(QStringLiteral("line"), 2);
    pane.drain();
    std::unique_ptr<QMenu> menu(pane.createLogContextMenu());
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("复制\tCtrl+C"));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("清空\tCtrl+Delete"));
    EXPECT_FALSE(menu->actions()[0]->isEnabled());

    pane.selectAll();
    menu.reset(pane.createLogContextMenu());
    EXPECT_TRUE(menu->actions()[0]->isEnabled());
    menu->actions()[1]->trigger();
    EXPECT_TRUE(pane.toPlainText().isEmpty());
}

}  // namespace

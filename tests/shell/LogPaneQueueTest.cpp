// The queue the log pane drains: order, levels, partial takes, the cap and clearing.

#include "LogTestSupport.h"
#include "QtPrinters.h"

#include "shell/LogPaneQueue.h"

#include <gtest/gtest.h>

using namespace hesk::shell;
using namespace hesk::shell::testing;

namespace {

QStringList linesOf(const LogPaneBatch& batch)
{
    QStringList lines;
    for (const LogPaneEntry& entry : batch.entries)
        lines << entry.line;
    return lines;
}

TEST(LogPaneQueue, handsOutEntriesOldestFirstInParts)
{
    LogPaneQueue queue;
    for (int i = 0; i < 5; ++i)
        queue.push(QStringLiteral("line %1").arg(i), i % 4);

    const LogPaneBatch first = queue.take(2);
    EXPECT_FALSE(first.clearFirst);
    EXPECT_EQ(linesOf(first), (QStringList{QStringLiteral("line 0"), QStringLiteral("line 1")}));
    EXPECT_EQ(first.entries[1].level, 1);

    const LogPaneBatch rest = queue.take(10);
    EXPECT_EQ(linesOf(rest), (QStringList{QStringLiteral("line 2"), QStringLiteral("line 3"), QStringLiteral("line 4")}));
    EXPECT_EQ(rest.entries[1].level, 3);
    EXPECT_EQ(rest.entries[2].level, 0);
    EXPECT_TRUE(queue.take(10).entries.empty());
}

TEST(LogPaneQueue, keepsOnlyTheNewestEntriesWhenNobodyDrainsIt)
{
    LogPaneQueue queue(3);
    for (int i = 0; i < 5; ++i)
        queue.push(QStringLiteral("line %1").arg(i), 2);

    EXPECT_EQ(queue.size(), 3u);
    EXPECT_EQ(linesOf(queue.take(10)),
              (QStringList{QStringLiteral("line 2"), QStringLiteral("line 3"), QStringLiteral("line 4")}));
    EXPECT_EQ(LogPaneQueue(0).capacity(), 1u);
}

TEST(LogPaneQueue, clearingDropsQueuedLinesAndTellsThePaneOnce)
{
    LogPaneQueue queue;
    queue.push(QStringLiteral("before clear"), 2);
    queue.clear();
    queue.push(QStringLiteral("after clear"), 2);

    const LogPaneBatch batch = queue.take(10);
    EXPECT_TRUE(batch.clearFirst);
    EXPECT_EQ(linesOf(batch), QStringList{QStringLiteral("after clear")});
    EXPECT_FALSE(queue.take(10).clearFirst);
}

TEST(LogPane, unreadLinesAreCappedAtTheThousandThePaneKeeps)
{
    Log log(manualOptions());
    for (int i = 0; i < 1005; ++i)
        log.log(QStringLiteral("line %1").arg(i), 2);

    EXPECT_EQ(log.queuedPaneEntries(), 1000u);
    const LogPaneBatch batch = log.takePaneEntries(2000);
    ASSERT_EQ(batch.entries.size(), 1000u);
    EXPECT_EQ(batch.entries.front().line, QStringLiteral("2024-03-05 07:08:09 line 5"));
    EXPECT_EQ(batch.entries.back().line, QStringLiteral("2024-03-05 07:08:09 line 1004"));
}

TEST(LogPane, clearPaneReachesThePaneAndLeavesTheFileAlone)
{
    ProjectFolder project;
    Log log(manualOptions());
    const QString file = log.openLogFile(project.path()).value_or(QString());
    log.log(QStringLiteral("kept in file"), 2);
    log.clearPane();
    log.flush();

    const LogPaneBatch batch = log.takePaneEntries(10);
    EXPECT_TRUE(batch.clearFirst);
    EXPECT_TRUE(batch.entries.empty());
    EXPECT_EQ(readAll(file), QByteArray("2024-03-05 07:08:09 kept in file\r\n"));
}

}  // namespace

// Log calls from several threads while the writer runs: no line lost, torn or reordered
// within its thread, in the file and in the pane.

#include "LogTestSupport.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <thread>
#include <vector>

using namespace hesk::shell;
using namespace hesk::shell::testing;
using namespace std::chrono_literals;

namespace {

constexpr int threadCount = 4;
constexpr int linesPerThread = 3000;

// Each thread's numbers must come complete and in order.
void expectCompleteInOrder(const std::vector<std::vector<int>>& seen, const char* where)
{
    for (int thread = 0; thread < threadCount; ++thread) {
        ASSERT_EQ(seen[thread].size(), static_cast<std::size_t>(linesPerThread)) << where << " thread " << thread;
        for (int i = 0; i < linesPerThread; ++i)
            ASSERT_EQ(seen[thread][i], i) << where << " thread " << thread;
    }
}

TEST(LogConcurrency, linesFromSeveralThreadsArriveWholeAndInOrder)
{
    ProjectFolder project;
    LogOptions options = manualOptions();
    options.writePeriod = 1ms;  // the writer swaps the pending text out while threads log
    options.paneCapacity = threadCount * linesPerThread;
    options.maxFileSize = 100000;  // and starts new files along the way
    Log log(options);
    ASSERT_TRUE(log.openLogFile(project.path()).has_value());

    std::vector<std::thread> threads;
    for (int thread = 0; thread < threadCount; ++thread) {
        threads.emplace_back([&log, thread] {
            for (int i = 0; i < linesPerThread; ++i)
                log.log(QStringLiteral("t%1 n%2 连接 %3").arg(thread).arg(i).arg(QString(i % 50, QLatin1Char('x'))),
                        1 + i % 3);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    log.shutdown();

    // Files in the order they were written (names carry ascending suffixes).
    QStringList files = logFiles(project.logs());
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    ASSERT_GT(files.size(), 1);
    QByteArray all;
    for (const QString& name : files)
        all += readAll(project.log(name));
    ASSERT_TRUE(all.endsWith("\r\n\r\n"));  // the shutdown line end
    all.chop(2);

    const QRegularExpression format(
        QStringLiteral(R"(^2024-03-05 07:08:09 t(\d) n(\d+) 连接 (x*)$)"));
    std::vector<std::vector<int>> inFile(threadCount);
    const QList<QByteArray> lines = all.split('\n');
    ASSERT_TRUE(lines.back().isEmpty());
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        ASSERT_TRUE(lines[i].endsWith('\r')) << lines[i].toStdString();
        const QRegularExpressionMatch match = format.match(QString::fromUtf8(lines[i].chopped(1)));
        ASSERT_TRUE(match.hasMatch()) << lines[i].toStdString();
        const int number = match.captured(2).toInt();
        ASSERT_EQ(match.captured(3).size(), number % 50);
        inFile[match.captured(1).toInt()].push_back(number);
    }
    expectCompleteInOrder(inFile, "file");

    std::vector<std::vector<int>> inPane(threadCount);
    for (const LogPaneEntry& entry : log.takePaneEntries(threadCount * linesPerThread).entries) {
        const QRegularExpressionMatch match = format.match(entry.line);
        ASSERT_TRUE(match.hasMatch()) << entry.line.toStdString();
        const int number = match.captured(2).toInt();
        ASSERT_EQ(entry.level, 1 + number % 3);
        inPane[match.captured(1).toInt()].push_back(number);
    }
    expectCompleteInOrder(inPane, "pane");
}

}  // namespace

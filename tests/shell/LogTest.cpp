// The log's levels, threshold, line format, file writing, rotation and shutdown.

#include "LogTestSupport.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <thread>

using namespace hesk::shell;
using namespace hesk::shell::testing;
using namespace std::chrono_literals;

namespace {

class LogTest : public ::testing::Test {
protected:
    QString openProject()
    {
        const auto opened = log.openLogFile(project.path());
        EXPECT_TRUE(opened.has_value());
        return opened.value_or(QString());
    }

    std::vector<LogPaneEntry> paneEntries() { return log.takePaneEntries(100000).entries; }

    ProjectFolder project;
    Log log{manualOptions()};
};

QByteArray stamped(const char* text)
{
    return QByteArray("2024-03-05 07:08:09 ") + text + "\r\n";
}

TEST_F(LogTest, linesLoggedBeforeAnyProjectReachTheFirstFileAtEveryLevel)
{
    EXPECT_EQ(log.threshold(), 0);
    for (int level = 0; level <= 3; ++level)
        log.log(QStringLiteral("level %1").arg(level), level);
    log.flush();  // no file yet: the lines stay pending

    const std::vector<LogPaneEntry> pane = paneEntries();
    ASSERT_EQ(pane.size(), 4u);
    for (int level = 0; level <= 3; ++level) {
        EXPECT_EQ(pane[level].line, QStringLiteral("2024-03-05 07:08:09 level %1").arg(level));
        EXPECT_EQ(pane[level].level, level);
    }

    const QString file = openProject();
    log.flush();
    EXPECT_EQ(readAll(file), stamped("level 0") + stamped("level 1") + stamped("level 2") + stamped("level 3"));
}

TEST_F(LogTest, afterOpeningLevelZeroIsDroppedFromFileAndPane)
{
    const QString file = openProject();
    EXPECT_EQ(log.threshold(), 1);
    log.log(QStringLiteral("recorder detail"), 0);
    log.log(QStringLiteral("protocol step"), 1);
    log.log(QStringLiteral("below range"), -4);  // taken as level 0
    log.log(QStringLiteral("above range"), 9);   // taken as level 3
    log.flush();

    EXPECT_EQ(readAll(file), stamped("protocol step") + stamped("above range"));
    const std::vector<LogPaneEntry> pane = paneEntries();
    ASSERT_EQ(pane.size(), 2u);
    EXPECT_EQ(pane[0].level, 1);
    EXPECT_EQ(pane[1].level, 3);
}

TEST_F(LogTest, suppressedLogCallsDoNothing)
{
    const QString file = openProject();
    log.setSuppressed(true);
    EXPECT_TRUE(log.isSuppressed());
    log.log(QStringLiteral("during search"), 3);
    log.setSuppressed(false);
    log.log(QStringLiteral("after search"), 2);
    log.flush();

    EXPECT_EQ(readAll(file), stamped("after search"));
    EXPECT_EQ(paneEntries().size(), 1u);
}

TEST_F(LogTest, emptyTextGoesToThePaneButNotToTheFile)
{
    const QString file = openProject();
    log.log(QString(), 2);
    log.log(QStringLiteral("text"), 2);
    log.flush();

    EXPECT_EQ(readAll(file), stamped("text"));
    const std::vector<LogPaneEntry> pane = paneEntries();
    ASSERT_EQ(pane.size(), 2u);
    EXPECT_EQ(pane[0].line, QStringLiteral("2024-03-05 07:08:09 "));
}

TEST(LogLineFormat, localTimeStampBlankTextAndCrLf)
{
    ProjectFolder project;
    LogOptions options = manualOptions();
    options.clock = {};  // the real local time
    Log log(options);
    const auto file = log.openLogFile(project.path());
    ASSERT_TRUE(file.has_value());
    log.log(QStringLiteral("<ERROR> keeps its own prefix"), 3);
    log.flush();

    const QString written = QString::fromUtf8(readAll(*file));
    const QRegularExpression format(QStringLiteral(
        R"(^(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}) <ERROR> keeps its own prefix\r\n$)"));
    const QRegularExpressionMatch match = format.match(written);
    ASSERT_TRUE(match.hasMatch()) << written.toStdString();
    const QDateTime stamp = QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    ASSERT_TRUE(stamp.isValid());
    EXPECT_LT(std::abs(stamp.secsTo(QDateTime::currentDateTime())), 3600);  // local, not UTC
}

TEST_F(LogTest, chineseTextIsWrittenAsUtf8)
{
    const QString file = openProject();
    const QString text = QStringLiteral("<错误>连接失败，请检查串口");
    log.log(text, 3);
    log.flush();

    const QByteArray bytes = readAll(file);
    EXPECT_EQ(bytes, QByteArray("2024-03-05 07:08:09 ") + text.toUtf8() + "\r\n");
    EXPECT_EQ(QString::fromUtf8(bytes).trimmed(), QStringLiteral("2024-03-05 07:08:09 ") + text);
}

TEST_F(LogTest, aFullFileIsFollowedByANewOneWhileWriting)
{
    const QString first = openProject();
    const QByteArray payload(1000 - 22, 'p');  // 1000 bytes per line with stamp and CR LF
    for (int i = 0; i < 512; ++i)
        log.log(QString::fromLatin1(payload), 2);
    log.flush();
    // 512000 bytes reached: this pass started the next file, in the same second.
    const QString second = project.log(QStringLiteral("debug_20240305_070809_1.log"));
    EXPECT_EQ(QFileInfo(first).size(), 512000);
    EXPECT_EQ(log.currentFilePath(), second);

    log.log(QStringLiteral("after rotation"), 2);
    log.flush();
    EXPECT_EQ(QFileInfo(first).size(), 512000);
    EXPECT_EQ(readAll(second), stamped("after rotation"));
}

TEST_F(LogTest, aFileJustBelowTheLimitIsKept)
{
    const QString first = openProject();
    const QByteArray payload(1000 - 22, 'p');
    for (int i = 0; i < 511; ++i)
        log.log(QString::fromLatin1(payload), 2);
    log.log(QString::fromLatin1(QByteArray(999 - 22, 'q')), 2);
    log.flush();

    EXPECT_EQ(QFileInfo(first).size(), 511999);
    EXPECT_EQ(log.currentFilePath(), first);
    EXPECT_EQ(logFiles(project.logs()).size(), 1);
}

TEST_F(LogTest, pendingLinesOfThePreviousProjectStayInItsFile)
{
    const QString firstFile = openProject();
    log.log(QStringLiteral("first project"), 2);
    ProjectFolder second;
    const auto secondFile = log.openLogFile(second.path());
    ASSERT_TRUE(secondFile.has_value());
    log.log(QStringLiteral("second project"), 2);
    log.flush();

    EXPECT_EQ(readAll(firstFile), stamped("first project"));
    EXPECT_EQ(readAll(*secondFile), stamped("second project"));
    EXPECT_EQ(log.logFolder(), second.logs());
}

TEST(LogShutdown, writesThePendingTextAndALineEnd)
{
    ProjectFolder project;
    QString file;
    {
        Log log(manualOptions());
        file = log.openLogFile(project.path()).value_or(QString());
        log.log(QStringLiteral("written"), 2);
        log.flush();
        log.log(QStringLiteral("pending at exit"), 2);
        log.log(QStringLiteral("last"), 3);
    }
    EXPECT_EQ(readAll(file), stamped("written") + stamped("pending at exit") + stamped("last") + "\r\n");
}

TEST(LogShutdown, withNothingPendingAddsOnlyTheLineEndAndIsIdempotent)
{
    ProjectFolder project;
    Log log(manualOptions());
    const QString file = log.openLogFile(project.path()).value_or(QString());
    log.log(QStringLiteral("line"), 2);
    log.flush();
    log.shutdown();
    log.shutdown();

    EXPECT_EQ(readAll(file), stamped("line") + "\r\n");
    EXPECT_TRUE(log.currentFilePath().isEmpty());
}

TEST(LogShutdown, withoutAnyFileCreatesNothing)
{
    ProjectFolder project;
    {
        Log log(manualOptions());
        log.log(QStringLiteral("never written"), 2);
    }
    EXPECT_FALSE(QFileInfo::exists(project.logs()));
}

TEST(LogWriter, writesPendingTextOnItsOwnEachPeriod)
{
    ProjectFolder project;
    LogOptions options = manualOptions();
    options.writePeriod = 5ms;
    Log log(options);
    const QString file = log.openLogFile(project.path()).value_or(QString());
    log.log(QStringLiteral("by the writer"), 2);

    // Waits for the writer thread, never calling flush(); the limit only stops a hung test.
    const auto giveUp = std::chrono::steady_clock::now() + 20s;
    while (readAll(file).isEmpty() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(5ms);
    EXPECT_EQ(readAll(file), stamped("by the writer"));
}

TEST(LogPending, withoutAFileKeepsOnlyTheNewestWholeLinesWithinItsCapacity)
{
    ProjectFolder project;
    LogOptions options = manualOptions();
    options.pendingCapacity = 1000;
    Log log(options);
    for (int i = 0; i < 200; ++i)
        log.log(QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0')), 2);  // 30 bytes each
    const QString file = log.openLogFile(project.path()).value_or(QString());
    log.flush();

    const QByteArray bytes = readAll(file);
    EXPECT_LE(bytes.size(), 1000);
    EXPECT_GE(bytes.size(), 500 - 30);
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_GT(lines.size(), 2);
    EXPECT_TRUE(lines.back().isEmpty());
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        EXPECT_TRUE(lines[i].startsWith("2024-03-05 07:08:09 line ") && lines[i].endsWith('\r')) << lines[i].toStdString();
    EXPECT_EQ(lines[lines.size() - 2], QByteArray("2024-03-05 07:08:09 line 199\r"));

    // With a file open nothing is dropped, however much is pending.
    for (int i = 0; i < 200; ++i)
        log.log(QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0')), 2);
    log.flush();
    EXPECT_EQ(readAll(file).size(), bytes.size() + 200 * 30);
}

}  // namespace

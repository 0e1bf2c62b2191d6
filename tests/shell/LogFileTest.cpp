// Which file the log continues or starts when a project opens, and how new files are named.

#include "LogTestSupport.h"
#include "QtPrinters.h"

#include "shell/LogFile.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <filesystem>

#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>
#endif

using namespace hesk::shell;
using namespace hesk::shell::testing;
using namespace std::chrono_literals;

namespace {

const QString firstDebugName = QStringLiteral("debug_20240305_070809.log");

#if defined(__unix__)
// While it lives, no file of this process grows beyond `bytes`: a write past it fails as
// on a full disk (the signal it would raise is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
};
#endif

class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(project.logs())); }

    ProjectFolder project;
};

TEST_F(LogFileTest, missingLogsFolderIsCreatedWithANewDebugFile)
{
    ASSERT_TRUE(QDir(project.logs()).removeRecursively());
    Log log(manualOptions());

    EXPECT_EQ(log.openLogFile(project.path()), project.log(firstDebugName));
    EXPECT_EQ(log.logFolder(), project.logs());
    EXPECT_EQ(logFiles(project.logs()), QStringList{firstDebugName});
}

TEST_F(LogFileTest, continuesTheLogFileWithTheNewestLastWriteTime)
{
    // The newest file is neither first nor last by name, and a newer non-log file is ignored.
    writeFile(project.log(QStringLiteral("a.log")), "old a\r\n");
    writeFile(project.log(QStringLiteral("m.log")), "old m\r\n");
    writeFile(project.log(QStringLiteral("z.log")), "old z\r\n");
    writeFile(project.log(QStringLiteral("notes.txt")), "notes\r\n");
    setAge(project.log(QStringLiteral("a.log")), 300s);
    setAge(project.log(QStringLiteral("m.log")), 10s);
    setAge(project.log(QStringLiteral("z.log")), 200s);
    setAge(project.log(QStringLiteral("notes.txt")), 1s);

    Log log(manualOptions());
    ASSERT_EQ(log.openLogFile(project.path()), project.log(QStringLiteral("m.log")));
    log.log(QStringLiteral("appended"), 2);
    log.flush();

    EXPECT_EQ(readAll(project.log(QStringLiteral("m.log"))), "old m\r\n2024-03-05 07:08:09 appended\r\n");
    EXPECT_EQ(readAll(project.log(QStringLiteral("a.log"))), "old a\r\n");
    EXPECT_EQ(readAll(project.log(QStringLiteral("z.log"))), "old z\r\n");
    EXPECT_EQ(logFiles(project.logs()).size(), 3);
}

struct SizeCase {
    qint64 existingSize;
    bool continued;
};

class NewestFileSizeTest : public LogFileTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(NewestFileSizeTest, aFullNewestFileIsLeftAloneForANewDebugFile)
{
    const QString existing = project.log(QStringLiteral("session.log"));
    writeFile(existing, QByteArray(GetParam().existingSize, 'x'));

    Log log(manualOptions());
    const auto opened = log.openLogFile(project.path());
    log.log(QStringLiteral("line"), 2);
    log.flush();

    ASSERT_TRUE(opened.has_value());
    if (GetParam().continued) {
        EXPECT_EQ(*opened, existing);
        EXPECT_EQ(QFileInfo(existing).size(), GetParam().existingSize + 26);
    } else {
        EXPECT_EQ(*opened, project.log(firstDebugName));
        EXPECT_EQ(QFileInfo(existing).size(), GetParam().existingSize);
        EXPECT_EQ(readAll(*opened), "2024-03-05 07:08:09 line\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, NewestFileSizeTest,
                         ::testing::Values(SizeCase{0, true}, SizeCase{511999, true},
                                           SizeCase{512000, false}, SizeCase{700000, false}));

TEST_F(LogFileTest, aNewFileInTheSameSecondNeverOverwritesAnEarlierOne)
{
    // Both names of this second are taken by full files; the newest is the suffixed one.
    const QString first = project.log(firstDebugName);
    const QString second = project.log(QStringLiteral("debug_20240305_070809_1.log"));
    writeFile(first, QByteArray(512000, 'a'));
    writeFile(second, QByteArray(512000, 'b'));
    setAge(first, 20s);
    setAge(second, 10s);

    Log log(manualOptions());
    EXPECT_EQ(log.openLogFile(project.path()), project.log(QStringLiteral("debug_20240305_070809_2.log")));

    EXPECT_EQ(readAll(first), QByteArray(512000, 'a'));
    EXPECT_EQ(readAll(second), QByteArray(512000, 'b'));
}

TEST_F(LogFileTest, unusableLogsFolderOpensNothingAndKeepsLinesPending)
{
    // "logs" is a plain file, so the folder cannot be created.
    ASSERT_TRUE(QDir(project.logs()).removeRecursively());
    writeFile(project.logs(), "not a folder");
    ProjectFolder other;

    Log log(manualOptions());
    log.log(QStringLiteral("before"), 2);
    EXPECT_FALSE(log.openLogFile(project.path()).has_value());
    EXPECT_EQ(log.threshold(), 1);
    EXPECT_TRUE(log.currentFilePath().isEmpty());
    log.flush();

    const auto opened = log.openLogFile(other.path());
    ASSERT_TRUE(opened.has_value());
    log.flush();
    EXPECT_EQ(readAll(*opened), "2024-03-05 07:08:09 before\r\n");
}

// A log file that cannot be opened is said once, in the pane only (red), naming the folder.
TEST_F(LogFileTest, unusableLogsFolderIsReportedOnceInThePane)
{
    ASSERT_TRUE(QDir(project.logs()).removeRecursively());
    writeFile(project.logs(), "not a folder");

    Log log(manualOptions());
    EXPECT_FALSE(log.openLogFile(project.path()).has_value());
    log.log(QStringLiteral("after"), 2);
    log.flush();
    log.flush();

    const std::vector<LogPaneEntry> pane = log.takePaneEntries(100).entries;
    ASSERT_EQ(pane.size(), 2u);
    EXPECT_EQ(pane[0].level, 3);
    EXPECT_TRUE(pane[0].line.startsWith(QStringLiteral("2024-03-05 07:08:09 <错误>日志文件无法打开")))
        << pane[0].line.toStdString();
    EXPECT_TRUE(pane[0].line.endsWith(QDir::toNativeSeparators(project.logs()))) << pane[0].line.toStdString();
    EXPECT_EQ(pane[1].line, QStringLiteral("2024-03-05 07:08:09 after"));

    // The report is no line of any file.
    ProjectFolder other;
    const auto opened = log.openLogFile(other.path());
    ASSERT_TRUE(opened.has_value());
    log.flush();
    EXPECT_EQ(readAll(*opened), "2024-03-05 07:08:09 after\r\n");
}

#if defined(__unix__)
// The disk refuses part of a block (here: a file size limit, as a full disk would): the
// pane hears of it once, nothing is lost, and the rest is written once the disk takes it.
TEST_F(LogFileTest, refusedWriteIsReportedOnceAndWrittenLater)
{
    Log log(manualOptions());
    const QString file = log.openLogFile(project.path()).value_or(QString());
    ASSERT_FALSE(file.isEmpty());
    log.log(QStringLiteral("first"), 2);
    log.flush();
    const QByteArray first = readAll(file);
    ASSERT_EQ(first, "2024-03-05 07:08:09 first\r\n");

    const QString longLine = QStringLiteral("second line, longer than the room left: ") + QString(40, QLatin1Char('x'));
    {
        const FileSizeLimit limit(first.size() + 10);
        log.log(longLine, 2);
        log.flush();
        log.log(QStringLiteral("third"), 2);
        log.flush();
        EXPECT_EQ(QFileInfo(file).size(), first.size() + 10);
    }
    const std::vector<LogPaneEntry> pane = log.takePaneEntries(100).entries;
    QStringList failures;
    for (const LogPaneEntry& entry : pane)
        if (entry.level == 3)
            failures << entry.line;
    ASSERT_EQ(failures.size(), 1) << failures.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(failures[0].contains(QStringLiteral("<错误>日志文件写入失败"))) << failures[0].toStdString();
    EXPECT_TRUE(failures[0].endsWith(QDir::toNativeSeparators(file))) << failures[0].toStdString();

    log.flush();
    EXPECT_EQ(readAll(file), first + "2024-03-05 07:08:09 " + longLine.toUtf8() + "\r\n" + "2024-03-05 07:08:09 third\r\n");

    // Writing works again: a later failure would be said again.
    {
        const FileSizeLimit limit(QFileInfo(file).size());
        log.log(QStringLiteral("fourth"), 2);
        log.flush();
    }
    int reports = 0;
    for (const LogPaneEntry& entry : log.takePaneEntries(100).entries)
        reports += entry.line.contains(QStringLiteral("日志文件写入失败")) ? 1 : 0;
    EXPECT_EQ(reports, 1);
    log.flush();
    EXPECT_TRUE(readAll(file).endsWith("2024-03-05 07:08:09 fourth\r\n"));
}
#endif

TEST_F(LogFileTest, equalLastWriteTimesGoToTheLaterName)
{
    struct TieCase {
        QStringList names;
        QString newest;
    };
    const TieCase cases[] = {
        {{QStringLiteral("debug_20240305_070809.log"), QStringLiteral("debug_20240305_070809_1.log")},
         QStringLiteral("debug_20240305_070809_1.log")},
        {{QStringLiteral("debug_20240305_070809_9.log"), QStringLiteral("debug_20240305_070809_10.log")},
         QStringLiteral("debug_20240305_070809_10.log")},
        {{QStringLiteral("debug_20240305_070808_5.log"), QStringLiteral("debug_20240305_070809.log")},
         QStringLiteral("debug_20240305_070809.log")},
        {{QStringLiteral("debug_20240305_235959_3.log"), QStringLiteral("debug_20240306_000000.log")},
         QStringLiteral("debug_20240306_000000.log")},
    };
    const auto sameTime = std::filesystem::file_time_type::clock::now() - 5s;
    for (const TieCase& tie : cases) {
        ProjectFolder folder;
        ASSERT_TRUE(QDir().mkpath(folder.logs()));
        // Created in both orders so the result cannot come from the directory order.
        for (bool reversed : {false, true}) {
            for (qsizetype i = 0; i < tie.names.size(); ++i) {
                const QString path = folder.log(tie.names[reversed ? tie.names.size() - 1 - i : i]);
                writeFile(path, "x");
                std::filesystem::last_write_time(QFile::encodeName(path).toStdString(), sameTime);
            }
            EXPECT_EQ(LogFile::newestLogFile(folder.logs()), folder.log(tie.newest)) << tie.names.join(' ').toStdString();
        }
    }
}

TEST(LogFileName, isDebugWithTheLocalTime)
{
    EXPECT_EQ(LogFile::newFileName(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58))),
              QStringLiteral("debug_20231231_235958.log"));
}

}  // namespace

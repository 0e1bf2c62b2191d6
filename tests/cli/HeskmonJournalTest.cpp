// heskmon journal: the change journal the window keeps beside a project's logs, printed
// as text, JSON and CSV; a journal that is damaged or another project's is refused.

#include "QtPrinters.h"

#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"
#include "shell/ChangeJournal.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace hesk;

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun heskmon(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(HESK_CLI_PATH), args);
    CliRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class HeskmonJournal : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        project = dir.filePath(QStringLiteral("VRA1V11418.tmprj"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj"), project));
        ASSERT_FALSE(opened.open(project).has_value());
        journalFile = shell::journalPath(dir.filePath(QStringLiteral("logs")));
    }
    shell::JournalEntry entry(const char* key, const char* oldText, const char* newText, shell::JournalEntry::Outcome outcome)
    {
        shell::JournalEntry e;
        e.time = QDateTime(QDate(2026, 12, 11), QTime(10, 5, 0));
        e.key = e.number = QString::fromLatin1(key);
        e.name = QStringLiteral("参考电流");
        e.oldText = QString::fromLatin1(oldText);
        e.newText = QString::fromLatin1(newText);
        e.online = outcome != shell::JournalEntry::Outcome::Stored;
        e.outcome = outcome;
        return e;
    }

    QTemporaryDir dir;
    QString project;
    QString journalFile;
    model::FaultTableLibrary tables;
    model::OpenedProject opened{tables};
};

}  // namespace

TEST_F(HeskmonJournal, printsTheEntriesOldestFirstAndExportsCsv)
{
    const CliRun none = heskmon({QStringLiteral("journal"), QStringLiteral("--project"), project});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_TRUE(none.err.contains(QStringLiteral("no change has been recorded"))) << none.err.toStdString();

    shell::ChangeJournal journal;
    ASSERT_EQ(journal.open(journalFile, shell::journalOwnerOf(opened)), std::nullopt);
    ASSERT_EQ(journal.record(entry("P0350", "100.00", "80.00", shell::JournalEntry::Outcome::Confirmed)), std::nullopt);
    ASSERT_EQ(journal.record(entry("P0350", "80.00", "90.00", shell::JournalEntry::Outcome::Failed)), std::nullopt);
    ASSERT_EQ(journal.record(entry("P0060", "1", "3", shell::JournalEntry::Outcome::Stored)), std::nullopt);

    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    const CliRun text = heskmon({QStringLiteral("journal"), QStringLiteral("--project"), project, QStringLiteral("--csv"), csv});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_EQ(text.out, QStringLiteral("2026-12-11 10:05:00\tP0350\t参考电流\t100.00\t80.00\t在线\t已确认\n"
                                       "2026-12-11 10:05:00\tP0350\t参考电流\t80.00\t90.00\t在线\t失败\n"
                                       "2026-12-11 10:05:00\tP0060\t参考电流\t1\t3\t离线\t离线修改\n"));
    QFile csvFile(csv);
    ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
    QStringDecoder gb("GB18030");
    EXPECT_EQ(QString(gb(csvFile.readAll())).count(QStringLiteral("\r\n")), 4);

    const CliRun json = heskmon({QStringLiteral("journal"), QStringLiteral("--project"), project, QStringLiteral("--json")});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1][QStringLiteral("outcome")].toString(), QStringLiteral("失败"));
    EXPECT_EQ(rows[2][QStringLiteral("online")].toBool(), false);
}

TEST_F(HeskmonJournal, aDamagedOrForeignJournalIsRefusedAndLeftAsItIs)
{
    shell::ChangeJournal journal;
    ASSERT_EQ(journal.open(journalFile, {QStringLiteral("AIC"), QStringLiteral("V20207"), QStringLiteral("AICV20207")}),
              std::nullopt);
    ASSERT_EQ(journal.record(entry("P0350", "100", "90", shell::JournalEntry::Outcome::Confirmed)), std::nullopt);
    const CliRun foreign = heskmon({QStringLiteral("journal"), QStringLiteral("--project"), project});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_TRUE(foreign.err.contains(QStringLiteral("属于其他工程"))) << foreign.err.toStdString();

    QFile file(journalFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"format\":");
    file.close();
    const CliRun damaged = heskmon({QStringLiteral("journal"), QStringLiteral("--project"), project});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.contains(QStringLiteral("文件已损坏"))) << damaged.err.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("{\"format\":")) << "heskmon only reads the journal";
}

// The change journal's file: entries survive a reopen, a damaged or foreign file is set
// aside and never overwritten, a write that fails keeps the entry, and the CSV export.

#include "MessagePrinters.h"
#include "QtPrinters.h"

#include "editing/ValueEdit.h"
#include "model/OpenedProject.h"
#include "shell/ChangeJournal.h"
#include "shell/JournalUndo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::shell;

namespace {

const JournalOwner kOwner{QStringLiteral("VRA1"), QStringLiteral("V11418"), QStringLiteral("VRA1V11418")};

JournalEntry entry(const char* key, const char* oldText, const char* newText,
                   JournalEntry::Outcome outcome = JournalEntry::Outcome::Confirmed)
{
    JournalEntry e;
    e.time = QDateTime(QDate(2026, 12, 11), QTime(9, 30, 15, 250));
    e.key = QString::fromLatin1(key);
    e.number = QString::fromLatin1(key);
    e.name = QStringLiteral("参考电流, \"A\"");
    e.oldText = QString::fromUtf8(oldText);
    e.newText = QString::fromUtf8(newText);
    e.online = outcome != JournalEntry::Outcome::Stored;
    e.outcome = outcome;
    return e;
}

class ChangeJournalFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path() const { return dir.filePath(QString::fromLatin1(ChangeJournal::kFileName)); }
    void writeRaw(const QByteArray& bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList setAside() const
    {
        return QDir(dir.path()).entryList({QStringLiteral("*.damaged-*")}, QDir::Files);
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(ChangeJournalFile, entriesSurviveAReopen)
{
    {
        ChangeJournal journal;
        EXPECT_EQ(journal.open(path(), kOwner), std::nullopt) << "no file yet: an empty journal";
        EXPECT_EQ(journal.record(entry("P0350", "100.00", "80.00")), std::nullopt);
        EXPECT_EQ(journal.record(entry("P0222.1", "K0091", "K0000", JournalEntry::Outcome::Failed)), std::nullopt);
        EXPECT_EQ(journal.record(entry("P0100.1", "", "3", JournalEntry::Outcome::Stored)), std::nullopt);
    }
    ChangeJournal again;
    ASSERT_EQ(again.open(path(), kOwner), std::nullopt);
    ASSERT_EQ(again.entries().size(), 3u);
    EXPECT_EQ(again.entries()[0], entry("P0350", "100.00", "80.00"));
    EXPECT_EQ(again.entries()[1], entry("P0222.1", "K0091", "K0000", JournalEntry::Outcome::Failed));
    EXPECT_EQ(again.entries()[2], entry("P0100.1", "", "3", JournalEntry::Outcome::Stored));
    again.close();
    EXPECT_TRUE(again.entries().empty());
    EXPECT_FALSE(again.isOpen());
}

// Damaged in several ways, or another project's: refused with a message, the file kept
// aside byte for byte, the entries already in memory kept, new entries in a new file.
TEST_F(ChangeJournalFile, aDamagedOrForeignFileIsSetAsideAndNeverOverwritten)
{
    ChangeJournal other;
    ASSERT_EQ(other.open(path(), {QStringLiteral("AIC"), QStringLiteral("V20207"), QStringLiteral("AICV20207")}), std::nullopt);
    ASSERT_EQ(other.record(entry("P0350", "100", "90")), std::nullopt);
    QFile foreignFile(path());
    ASSERT_TRUE(foreignFile.open(QIODevice::ReadOnly));
    const QByteArray foreign = foreignFile.readAll();
    foreignFile.close();
    // The same entry in a file of this project.
    QByteArray own = foreign;
    own.replace("\"AIC\"", "\"VRA1\"").replace("\"V20207\"", "\"V11418\"").replace("\"AICV20207\"", "\"VRA1V11418\"");

    const struct {
        const char* what;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"cut short", foreign.left(foreign.size() / 2), "文件已损坏"},
        {"not a journal", R"({"format":"something else","version":1,"entries":[]})", "不是修改记录文件"},
        {"an entry without its key", QByteArray(own).replace("\"key\": \"P0350\"", "\"key\": 5"), "第1条记录已损坏"},
        {"another project's", foreign, "属于其他工程"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const QString& old : setAside())
            QFile::remove(dir.filePath(old));
        writeRaw(c.bytes);
        ChangeJournal journal;
        journal.record(entry("P0060", "1", "3"));  // kept in memory before the file is bound
        const std::optional<model::UserMessage> problem = journal.open(path(), kOwner);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->kind, model::MessageKind::Error);
        EXPECT_TRUE(problem->text.contains(QString::fromUtf8(c.message))) << problem->text.toStdString();
        ASSERT_EQ(setAside().size(), 1);
        EXPECT_TRUE(problem->text.contains(setAside().front())) << "the message names where the file went";
        QFile kept(dir.filePath(setAside().front()));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), c.bytes);
        EXPECT_EQ(journal.entries().size(), 1u);
        ASSERT_EQ(journal.record(entry("P0350", "100", "80")), std::nullopt);
        ChangeJournal reread;
        ASSERT_EQ(reread.open(path(), kOwner), std::nullopt);
        EXPECT_EQ(reread.entries().size(), 2u);
    }
}

TEST_F(ChangeJournalFile, aWriteThatFailsIsReportedAndKeepsTheEntry)
{
    // The journal's folder is a file: nothing can be written below it.
    const QString blocker = dir.filePath(QStringLiteral("logs"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ChangeJournal journal;
    ASSERT_EQ(journal.open(blocker + QStringLiteral("/change-journal.json"), kOwner), std::nullopt);
    const std::optional<model::UserMessage> problem = journal.record(entry("P0350", "100", "80"));
    ASSERT_TRUE(problem.has_value());
    EXPECT_TRUE(problem->text.contains(QStringLiteral("保存失败"))) << problem->text.toStdString();
    EXPECT_EQ(journal.entries().size(), 1u);
}

TEST_F(ChangeJournalFile, csvExportHasOneLinePerEntryInTheGbCodePage)
{
    ChangeJournal journal;
    ASSERT_EQ(journal.open(path(), kOwner), std::nullopt);
    ASSERT_EQ(journal.record(entry("P0350", "100.00", "80.00")), std::nullopt);
    ASSERT_EQ(journal.record(entry("P0100.1", "", "3", JournalEntry::Outcome::Stored)), std::nullopt);
    const QString csvPath = dir.filePath(QStringLiteral("journal.csv"));
    ASSERT_EQ(journal.exportCsv(csvPath), std::nullopt);
    QFile file(csvPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringDecoder gb("GB18030");
    const QString text = gb(file.readAll());
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << text.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral(R"(="时间",="参数",="名称",="原值",="新值",="方式",="结果")"));
    EXPECT_EQ(lines[1], QStringLiteral(R"(="2026-12-11 09:30:15",="P0350",="参考电流， ""A""",="100.00",="80.00",="在线",="已确认")"));
    EXPECT_EQ(lines[2], QStringLiteral(R"(="2026-12-11 09:30:15",="P0100.1",="参考电流， ""A""",="",="3",="离线",="离线修改")"));
    EXPECT_TRUE(journal.exportCsv(dir.filePath(QStringLiteral("no/such/folder/x.csv"))).has_value());
}

TEST(JournalEntryFor, aRefusalMakesNoEntryAWriteOrAStoreDoes)
{
    model::FaultTableLibrary tables;
    model::OpenedProject project(tables);
    model::HeskParameterElement p0350;
    p0350.number = 350;
    p0350.subIndex = model::kNoSubIndex;
    p0350.settable = 1;
    p0350.name = QStringLiteral("参考电流");
    const struct {
        editing::EditOutcome outcome;
        bool online;
        std::optional<JournalEntry::Outcome> expected;
    } cases[] = {
        {{false, QString(), false}, true, std::nullopt},
        {{false, QStringLiteral("80.00"), true}, true, JournalEntry::Outcome::Failed},
        {{true, QStringLiteral("80.00"), false}, true, JournalEntry::Outcome::Confirmed},
        {{true, QStringLiteral("80.00"), false}, false, JournalEntry::Outcome::Stored},
    };
    for (const auto& c : cases) {
        const std::optional<JournalEntry> made = journalEntryFor(project, p0350, QStringLiteral("100.00"), c.outcome, c.online);
        ASSERT_EQ(made.has_value(), c.expected.has_value());
        if (!made)
            continue;
        EXPECT_EQ(made->outcome, *c.expected);
        EXPECT_EQ(made->key, QStringLiteral("P0350"));
        EXPECT_EQ(made->oldText, QStringLiteral("100.00"));
        EXPECT_EQ(made->newText, QStringLiteral("80.00"));
        EXPECT_EQ(made->online, c.online);
    }
}

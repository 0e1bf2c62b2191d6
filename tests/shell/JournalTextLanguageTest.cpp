// With a translator loaded, the change journal's messages and the pane's outcome texts are
// translated; the CSV export and the log keep the source texts.

#include "MarkingTranslator.h"
#include "MessagePrinters.h"
#include "QtPrinters.h"

#include "shell/ChangeJournal.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::shell;
using hesk::testsupport::MarkingTranslator;
using hesk::testsupport::ScopedMarkingTranslator;

namespace {

const JournalOwner kOwner{QStringLiteral("VRA1"), QStringLiteral("V11418"), QStringLiteral("VRA1V11418")};

JournalEntry entry(JournalEntry::Outcome outcome)
{
    JournalEntry e;
    e.time = QDateTime(QDate(2026, 12, 11), QTime(9, 30, 15));
    e.key = e.number = QStringLiteral("P0350");
    e.name = QStringLiteral("参考电流");
    e.oldText = QStringLiteral("100");
    e.newText = QStringLiteral("80");
    e.online = outcome != JournalEntry::Outcome::Stored;
    e.outcome = outcome;
    return e;
}

TEST(JournalTextLanguage, outcomesAreTranslatedForThePaneOnly)
{
    const ScopedMarkingTranslator translator;
    ASSERT_TRUE(translator.installed());
    const struct {
        JournalEntry::Outcome outcome;
        const char* source;
    } cases[] = {
        {JournalEntry::Outcome::Confirmed, "已确认"},
        {JournalEntry::Outcome::Failed, "失败"},
        {JournalEntry::Outcome::Stored, "离线修改"},
    };
    ChangeJournal journal;  // unbound: nothing is written
    for (const auto& c : cases) {
        EXPECT_EQ(outcomeText(c.outcome), QString::fromUtf8(c.source));
        EXPECT_EQ(outcomeCaption(c.outcome), MarkingTranslator::marked(QString::fromUtf8(c.source)));
        EXPECT_EQ(journal.record(entry(c.outcome)), std::nullopt);
    }
    const QString csv = QStringDecoder("GB18030")(journal.csvBytes());
    const QStringList lines = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << csv.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral(R"(="时间",="参数",="名称",="原值",="新值",="方式",="结果")"));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(R"(="在线",="已确认")"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(R"(="在线",="失败")"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral(R"(="离线",="离线修改")"))) << lines[3].toStdString();
    EXPECT_FALSE(csv.contains(QStringLiteral("EN|")));
}

TEST(JournalTextLanguage, aFailedWriteIsShownTranslatedAndKeptUntranslatedForTheLog)
{
    const ScopedMarkingTranslator translator;
    ASSERT_TRUE(translator.installed());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The journal's folder is a file: nothing can be written below it.
    const QString folder = dir.filePath(QStringLiteral("logs"));
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = folder + QStringLiteral("/change-journal.json");

    ChangeJournal journal;
    ASSERT_EQ(journal.open(path, kOwner), std::nullopt);
    EXPECT_TRUE(journal.lastWriteFailure().isEmpty());
    const std::optional<model::UserMessage> problem = journal.record(entry(JournalEntry::Outcome::Confirmed));
    ASSERT_TRUE(problem.has_value());
    const QString prefix = QStringLiteral("修改记录文件") + QDir::toNativeSeparators(path) + QStringLiteral("保存失败（");
    EXPECT_TRUE(problem->text.startsWith(MarkingTranslator::marked(prefix))) << problem->text.toStdString();
    EXPECT_TRUE(journal.lastWriteFailure().startsWith(prefix)) << journal.lastWriteFailure().toStdString();
    EXPECT_TRUE(journal.lastWriteFailure().endsWith(QStringLiteral("）！")));

    // Once the folder can be made, the next write goes out and the failure is forgotten.
    ASSERT_TRUE(QFile::remove(folder));
    EXPECT_EQ(journal.record(entry(JournalEntry::Outcome::Stored)), std::nullopt);
    EXPECT_TRUE(journal.lastWriteFailure().isEmpty());
    EXPECT_TRUE(QFile::exists(path));
}

}  // namespace

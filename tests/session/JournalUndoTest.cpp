// Undo from the change journal against the real simulated drive: the old value goes back
// through the edit rules and the confirmed write and is recorded; every refusal says why.

#include "MarkingTranslator.h"
#include "SessionFixture.h"

#include "editing/ValueEdit.h"
#include "operation/SessionDrive.h"
#include "pages/OfflineValueSet.h"
#include "shell/JournalUndo.h"

#include <QDir>

namespace hesk::session::test {
namespace {

class JournalUndo : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        ASSERT_TRUE(journalDir.isValid());
        ASSERT_EQ(journal.open(journalDir.filePath(QStringLiteral("change-journal.json")), {}), std::nullopt);
        startSerialSim();
        openSession();
        ASSERT_TRUE(connect());
    }
    // An edit as the value editor makes it, recorded as the window records it.
    void edit(const char* key, const QString& typed)
    {
        const model::HeskParameterElement parameter = element(key);
        const QString before = shell::currentOnlineText(*session, parameter);
        editing::EditEnvironment environment{session->project(), offline, prompt, operation::sessionDriveAccess(*session)};
        const editing::EditOutcome outcome = editing::applyValueText(environment, parameter, typed);
        shell::recordEdit(*session, journal, parameter, before, outcome, true);
    }
    bool undo(std::size_t index) { return shell::undoJournalEntry(*session, prompt, offline, journal, index); }

    QTemporaryDir journalDir;
    shell::ChangeJournal journal;
    pages::OfflineValueSet offline;
};

TEST_F(JournalUndo, theOldValueIsWrittenBackAndTheUndoIsRecorded)
{
    ASSERT_TRUE(session->readParameters(std::vector{&element("P7030")}));
    edit("P7030", QStringLiteral("25"));
    ASSERT_EQ(journal.entries().size(), 1u);
    EXPECT_EQ(journal.entries()[0].newText, QStringLiteral("25.00")) << "as the page shows it";
    EXPECT_EQ(journal.entries()[0].oldText, QStringLiteral("0.00"));
    EXPECT_EQ(journal.entries()[0].outcome, shell::JournalEntry::Outcome::Confirmed);
    ASSERT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=8192"));

    ASSERT_TRUE(undo(0)) << messageTexts().join('\n').toStdString();
    EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=0"));
    ASSERT_EQ(journal.entries().size(), 2u);
    EXPECT_EQ(journal.entries()[1].oldText, QStringLiteral("25.00"));
    EXPECT_EQ(journal.entries()[1].newText, QStringLiteral("0.00"));
    EXPECT_EQ(journal.entries()[1].outcome, shell::JournalEntry::Outcome::Confirmed);
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join('\n').toStdString();
}

// The window records an edit without showing the journal's write failure: it goes to the
// log, and the log keeps the source language even with a translator loaded.
TEST_F(JournalUndo, aJournalThatCannotBeWrittenIsLoggedUntranslated)
{
    const testsupport::ScopedMarkingTranslator translator;
    ASSERT_TRUE(translator.installed());
    // A folder where the file should be: the write cannot replace it.
    ASSERT_TRUE(QDir(journalDir.path()).mkdir(QStringLiteral("change-journal.json")));
    ASSERT_TRUE(session->readParameters(std::vector{&element("P7030")}));
    edit("P7030", QStringLiteral("25"));
    ASSERT_EQ(journal.entries().size(), 1u);
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join('\n').toStdString();
    const QString path = QDir::toNativeSeparators(journalDir.filePath(QStringLiteral("change-journal.json")));
    const QString expected = QStringLiteral("<错误>修改记录文件%1保存失败（").arg(path);
    bool logged = false;
    for (const auto& line : log.lines())
        logged = logged || (line.level == 3 && line.text.startsWith(expected));
    EXPECT_TRUE(logged);
}

// Each refusal leaves the drive and the journal as they were.
TEST_F(JournalUndo, refusalsSayWhyAndWriteNothing)
{
    ASSERT_TRUE(session->readParameters(std::vector{&element("P7030")}));
    edit("P7030", QStringLiteral("25.00"));
    shell::JournalEntry failed = journal.entries()[0];
    failed.outcome = shell::JournalEntry::Outcome::Failed;
    shell::JournalEntry unknownOld = journal.entries()[0];
    unknownOld.oldText.clear();
    shell::JournalEntry gone = journal.entries()[0];
    gone.key = gone.number = QStringLiteral("P9999");
    shell::JournalEntry measured = journal.entries()[0];
    measured.key = measured.number = QStringLiteral("r0002");
    for (const auto& e : {failed, unknownOld, gone, measured})
        ASSERT_EQ(journal.record(e), std::nullopt);
    const std::size_t entries = journal.entries().size();

    const struct {
        const char* what;
        std::size_t index;
        std::function<void()> before;
        const char* message;
    } cases[] = {
        {"a failed write", 1, {}, "无需撤销"},
        {"an unknown old value", 2, {}, "之前的值未知"},
        {"a parameter the project lacks", 3, {}, "当前工程中没有参数P9999"},
        {"a read-only parameter (the rules' own message)", 4, {}, "此类型的参数不允许修改！"},
        {"motor control held", 0, [&] { hooks.controlHeld = true; }, "在获取电机控制权情况下不能撤销修改"},
        {"offline", 0, [&] { hooks.controlHeld = false; ASSERT_TRUE(session->disconnectDevice()); }, "没有连接设备"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t shown = prompt.messages().size();
        if (c.before)
            c.before();
        EXPECT_FALSE(undo(c.index));
        ASSERT_EQ(prompt.messages().size(), shown + 1) << messageTexts().join('\n').toStdString();
        EXPECT_TRUE(messageTexts().back().contains(QString::fromUtf8(c.message))) << messageTexts().back().toStdString();
        EXPECT_EQ(journal.entries().size(), entries);
        EXPECT_EQ(sim.command(QStringLiteral("get P7030")), QStringLiteral("ok P7030=8192"));
    }
}

}  // namespace
}  // namespace hesk::session::test

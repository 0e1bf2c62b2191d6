#include "JournalUndo.h"

#include "EditInputRead.h"

#include "editing/ConnectionEdit.h"
#include "editing/EditContextSource.h"
#include "editing/EditDecision.h"
#include "model/ParameterNumbering.h"
#include "model/ParameterTypes.h"
#include "operation/SessionDrive.h"
#include "pages/ParameterPage.h"

#include <QCoreApplication>

namespace hesk::shell {

namespace {

void refuse(model::UserPrompt& prompt, const QString& text)
{
    prompt.showMessage(model::UserMessage::warning(text));
}

}  // namespace

std::optional<JournalEntry> journalEntryFor(const model::OpenedProject& project,
                                            const model::HeskParameterElement& parameter, const QString& oldText,
                                            const editing::EditOutcome& outcome, bool online)
{
    if (!outcome.applied && !outcome.writeFailed)
        return std::nullopt;
    JournalEntry entry;
    entry.time = QDateTime::currentDateTime();
    entry.key = model::keyText(parameter);
    entry.number = model::displayNumber(project.deviceClass(), parameter, true);
    entry.name = parameter.name;
    entry.oldText = oldText;
    entry.newText = outcome.text;
    entry.online = online;
    entry.outcome = !online ? JournalEntry::Outcome::Stored
                            : (outcome.applied ? JournalEntry::Outcome::Confirmed : JournalEntry::Outcome::Failed);
    return entry;
}

QString currentOnlineText(MonitorSession& session, const model::HeskParameterElement& parameter)
{
    model::OpenedProject& opened = session.project();
    const pages::ConnectionSources sources(opened.project(), opened.deviceClass());
    return pages::onlineValueText(parameter, session.values(), sources, opened.project().timeBases, &opened.formulas());
}

bool recordEdit(MonitorSession& session, ChangeJournal& journal, const model::HeskParameterElement& parameter,
                const QString& oldText, const editing::EditOutcome& outcome, bool online)
{
    std::optional<JournalEntry> entry = journalEntryFor(session.project(), parameter, oldText, outcome, online);
    if (!entry)
        return false;
    if (online && outcome.applied)
        entry->newText = currentOnlineText(session, parameter);
    // Only logged here, so the untranslated text of the failure.
    if (journal.record(std::move(*entry)))
        session.log().log(QStringLiteral("<错误>") + journal.lastWriteFailure(), 3);
    return true;
}

bool undoJournalEntry(MonitorSession& session, model::UserPrompt& prompt, pages::OfflineValueSet& offline,
                      ChangeJournal& journal, std::size_t index)
{
    if (index >= journal.entries().size())
        return false;
    const JournalEntry entry = journal.entries()[index];  // a copy: recording appends
    if (entry.outcome == JournalEntry::Outcome::Failed) {
        refuse(prompt, QCoreApplication::translate("JournalUndo", "该修改未被设备确认，设备上的值没有改变，无需撤销。"));
        return false;
    }
    if (entry.oldText.trimmed().isEmpty()) {
        refuse(prompt, QCoreApplication::translate("JournalUndo", "该修改之前的值未知，不能撤销！"));
        return false;
    }
    if (!session.isOnline()) {
        refuse(prompt, QCoreApplication::translate("JournalUndo", "您当前没有连接设备，不能撤销修改，请连接设备后重新尝试！"));
        return false;
    }
    if (session.motorControlHeld()) {
        refuse(prompt, QCoreApplication::translate("JournalUndo", "在获取电机控制权情况下不能撤销修改，请先释放电机控制权！"));
        return false;
    }
    const model::HeskParameterElement* parameter = session.project().find(entry.key);
    if (!parameter) {
        refuse(prompt, QCoreApplication::translate("JournalUndo", "当前工程中没有参数%1，不能撤销该修改！").arg(entry.number));
        return false;
    }
    // The rules decide on the drive's words as an edit in the editor would.
    if (!readUnreportedEditInputs(session, *parameter)) {
        prompt.showMessage(model::UserMessage::error(QCoreApplication::translate("JournalUndo", "请求数据超时，请您重新尝试！")));
        return false;
    }
    parameter = session.project().find(entry.key);  // the read ran the event loop
    if (!parameter || !session.isOnline())
        return false;
    const editing::EditContext context = editing::editContext(
        session.project(), true, [&session](const model::HeskParameterElement& e) { return session.onlineRaw(e); });
    const editing::EditDecision decision = editing::decideValueEdit(context, *parameter);
    if (decision.refused()) {
        prompt.showMessage(*decision.refusal);
        return false;
    }
    if (decision.editor == editing::EditorKind::None || decision.editor == editing::EditorKind::CommentDialog) {
        refuse(prompt, QCoreApplication::translate("JournalUndo", "参数%1不能修改，不能撤销该修改！").arg(entry.number));
        return false;
    }
    const model::HeskParameterElement copy = *parameter;
    const QString before = currentOnlineText(session, copy);
    editing::EditEnvironment environment{session.project(), offline, prompt, operation::sessionDriveAccess(session)};
    const editing::EditOutcome outcome = decision.editor == editing::EditorKind::ConnectionDialog
                                             ? editing::applyConnection(environment, copy, entry.oldText)
                                             : editing::applyValueText(environment, copy, entry.oldText);
    recordEdit(session, journal, copy, before, outcome, true);
    return outcome.applied;
}

}  // namespace hesk::shell

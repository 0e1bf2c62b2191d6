#include "ValueEditing.h"

#include "operation/SessionDrive.h"

#include "BitWordEditorDialog.h"
#include "ConnectionEditorDialog.h"
#include "ValueEditorDialog.h"
#include "SpecialValueEditorDialog.h"

#include "pages/ParameterPageWindow.h"

#include "editing/AllowedValues.h"
#include "editing/EditContextSource.h"
#include "shell/EditInputRead.h"
#include "shell/JournalUndo.h"

#include <QWidget>

#include <memory>

namespace hesk::app {

ValueEditing::ValueEditing(shell::MonitorSession& session, model::UserPrompt& prompt, pages::OfflineValueSet& offline,
                           QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_session(session), m_prompt(prompt), m_offline(offline), m_parent(dialogParent)
{
}

bool ValueEditing::editRow(ParameterPageWindow* window, int row)
{
    // Every wait below runs the event loop, and the window may close meanwhile: it is held
    // through a guard and its row fetched again after each wait.
    const QPointer<ParameterPageWindow> page(window);
    if (!page)
        return false;
    const model::HeskParameterElement* parameter = page->page().definition(row);
    if (!parameter)
        return false;
    const uint16_t number = parameter->number;
    const uint16_t subIndex = parameter->subIndex;
    const auto sameRowAfterWait = [&]() -> const model::HeskParameterElement* {
        if (!page)
            return nullptr;
        const model::HeskParameterElement* again = page->page().definition(row);
        return again && again->number == number && again->subIndex == subIndex ? again : nullptr;
    };

    const bool online = m_session.isOnline();
    // The rules decide on the drive's last polled words; only what the drive has not
    // reported since the connect is read now.
    if (online) {
        const bool read = shell::readUnreportedEditInputs(m_session, *parameter);
        if (!read) {
            m_prompt.showMessage(model::UserMessage::error(tr("请求数据超时，请您重新尝试！")));
            return false;
        }
        parameter = sameRowAfterWait();
        if (!parameter)
            return false;  // the page closed or was rebuilt meanwhile: nothing left to edit
        page->refreshAllValues();
    }
    const editing::EditContext context = editing::editContext(
        m_session.project(), online, [this](const model::HeskParameterElement& e) { return m_session.onlineRaw(e); });
    const editing::EditDecision decision = editing::decideValueEdit(context, *parameter);
    if (decision.refused()) {
        m_prompt.showMessage(*decision.refusal);
        if (decision.focusBackToList && page)
            page->setFocus();
        return false;
    }
    if (decision.editor == editing::EditorKind::None || decision.editor == editing::EditorKind::CommentDialog)
        return false;
    if (!runEditor(decision.editor, *parameter, page->page().row(row).valueText, m_parent))
        return false;
    if (page)
        page->refreshAllValues();
    return true;
}

bool ValueEditing::editParameter(const QString& key, const QString& text, QWidget* over)
{
    const QPointer<QWidget> guard(over);
    const model::HeskParameterElement* parameter = m_session.project().find(key);
    if (!parameter)
        return false;
    const bool online = m_session.isOnline();
    if (online) {
        if (!shell::readUnreportedEditInputs(m_session, *parameter)) {
            m_prompt.showMessage(model::UserMessage::error(tr("请求数据超时，请您重新尝试！")));
            return false;
        }
        // The read ran the event loop: the caller may be gone, the project replaced.
        parameter = m_session.project().find(key);
        if (!parameter || (over && !guard))
            return false;
    }
    const editing::EditContext context = editing::editContext(
        m_session.project(), online, [this](const model::HeskParameterElement& e) { return m_session.onlineRaw(e); });
    const editing::EditDecision decision = editing::decideValueEdit(context, *parameter);
    if (decision.refused()) {
        m_prompt.showMessage(*decision.refusal);
        return false;
    }
    if (decision.editor == editing::EditorKind::None || decision.editor == editing::EditorKind::CommentDialog)
        return false;
    return runEditor(decision.editor, *parameter, text, guard ? guard.data() : m_parent.data());
}

bool ValueEditing::runEditor(editing::EditorKind kind, const model::HeskParameterElement& parameter,
                             const QString& text, QWidget* over)
{
    editing::EditEnvironment environment{m_session.project(), m_offline, m_prompt, {}};
    environment.drive = operation::sessionDriveAccess(m_session);
    // The editor keeps a copy of the definition: the project stays put while it runs,
    // but nothing here depends on that.
    const model::HeskParameterElement copy = parameter;
    std::unique_ptr<EditorDialog> dialog;
    switch (kind) {
    case editing::EditorKind::ConnectionDialog:
        dialog = std::make_unique<ConnectionEditorDialog>(environment, copy, text, over);
        break;
    case editing::EditorKind::BitDialog:
        dialog = std::make_unique<BitWordEditorDialog>(environment, copy, text, over);
        break;
    case editing::EditorKind::ValueDialog:
        dialog = std::make_unique<ValueEditorDialog>(environment, copy, text, over);
        break;
    case editing::EditorKind::SpecialParameterDialog:
        // A parameter without options in the table (a project's own special) is typed.
        if (editing::hasAllowedValues(editing::AllowedValueSource::of(m_session.project()), parameter.number))
            dialog = std::make_unique<SpecialValueEditorDialog>(environment, copy, text, over);
        else
            dialog = std::make_unique<ValueEditorDialog>(environment, copy, text, over);
        break;
    case editing::EditorKind::None:
    case editing::EditorKind::CommentDialog:
        return false;
    }
    const bool online = environment.drive.online();
    dialog->setOutcomeListener([this, copy, text, online](const editing::EditOutcome& outcome) {
        if (m_journal && shell::recordEdit(m_session, *m_journal, copy, text, outcome, online))
            Q_EMIT journalRecorded();
    });
    if (m_opened)
        m_opened(dialog.get());
    return dialog->exec() == QDialog::Accepted;
}

}  // namespace hesk::app

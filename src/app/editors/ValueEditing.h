#pragma once
// The value cell of a page row, from the double-click to the refreshed page: the edit
// rules decide (a refusal goes through the prompt), the editor they name opens, and
// after OK the page shows the new value.
//
// Online the rules decide on the words the drive last reported (P0053, P0060, r0001,
// r0011, P0089 are polled); only those, and the edited parameter's own word, that the
// drive has not reported since the connect are read first (shell::readUnreportedEditInputs;
// a read that gets no answer ends the edit with "请求数据超时，请您重新尝试！"). The
// editors write through the session; offline they change the offline values.
//
// The page window is held through a guard: a wait (the read, the editor's own) may close
// it, and the row is fetched again after the read. The row's definition is the project's
// current one, matched by number and sub-index.
//
// The special-value parameters choose among their allowed values (the value editor
// when the table has none for them).
//
// Every write and every offline store the editors make is recorded in the change journal
// (when one is set) with the value shown before it.
//
// UI thread only.

#include "editing/EditDecision.h"
#include "model/UserPrompt.h"
#include "pages/OfflineValueSet.h"
#include "shell/ChangeJournal.h"
#include "shell/MonitorSession.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QDialog;
class QWidget;

namespace hesk::app {

class ParameterPageWindow;

class ValueEditing final : public QObject {
    Q_OBJECT
public:
    // All must outlive this object; the dialogs appear over dialogParent.
    ValueEditing(shell::MonitorSession& session, model::UserPrompt& prompt, pages::OfflineValueSet& offline,
                 QWidget* dialogParent, QObject* parent = nullptr);

    // The edit of the row's value cell; true when a value was stored or written. Nothing
    // happens for a null window or a row out of range.
    bool editRow(ParameterPageWindow* window, int row);

    // The edit of one definition shown outside the pages (the quick commissioning wizard),
    // found again by its key text after the reads; the editor appears over `over`.
    // `text` is the value the caller shows. True when a value was stored or written.
    bool editParameter(const QString& key, const QString& text, QWidget* over);

    // Called with every editor just before it runs (tests drive the dialog from here).
    using EditorOpened = std::function<void(QDialog*)>;
    void setEditorOpened(EditorOpened hook) { m_opened = std::move(hook); }
    // The journal the edits are recorded in; nullptr: none. It must outlive its use.
    void setJournal(shell::ChangeJournal* journal) { m_journal = journal; }

Q_SIGNALS:
    // An entry was added to the journal.
    void journalRecorded();

private:
    bool runEditor(editing::EditorKind kind, const model::HeskParameterElement& parameter, const QString& text,
                   QWidget* over);

    shell::MonitorSession& m_session;
    model::UserPrompt& m_prompt;
    pages::OfflineValueSet& m_offline;
    QPointer<QWidget> m_parent;
    EditorOpened m_opened;
    shell::ChangeJournal* m_journal = nullptr;
};

}  // namespace hesk::app

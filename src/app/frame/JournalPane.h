#pragma once
// The change journal pane ("修改记录"): every edit of the open project with its time,
// parameter, old and new value, online or offline, and whether the drive confirmed it.
// "撤销" writes the selected entry's old value back (the rules and the confirmed write
// decide, shell::undoJournalEntry); "导出CSV" writes the journal as CSV.
//
// Thread: UI thread only.

#include "model/UserPrompt.h"
#include "pages/OfflineValueSet.h"
#include "shell/ChangeJournal.h"
#include "shell/MonitorSession.h"

#include <QWidget>

class QPushButton;
class QTableWidget;

namespace hesk::app {

class JournalPane final : public QWidget {
    Q_OBJECT
public:
    // All must outlive the pane.
    JournalPane(shell::ChangeJournal& journal, shell::MonitorSession& session, model::UserPrompt& prompt,
                pages::OfflineValueSet& offline, QWidget* parent = nullptr);

    // Shows the journal's entries again (the newest last, in view).
    void refresh();
    QTableWidget* table() const { return m_table; }
    // Undoes the selected entry; false when none is selected or the undo did not go through.
    bool undoSelected();
    void exportCsv();

Q_SIGNALS:
    // An undo wrote a value (the pages show it at their next refresh).
    void valueWritten();

private:
    void updateButtons();

    shell::ChangeJournal& m_journal;
    shell::MonitorSession& m_session;
    model::UserPrompt& m_prompt;
    pages::OfflineValueSet& m_offline;
    QTableWidget* m_table = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_export = nullptr;
};

}  // namespace hesk::app

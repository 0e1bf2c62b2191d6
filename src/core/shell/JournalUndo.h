#pragma once
// Recording the editors' outcomes in the change journal, and the undo of an entry: the
// old value written back through the same edit rules and the same confirmed write as an
// edit in the editor would take, recorded as a new entry.
//
// Undo is refused, with a message, for an entry that was never confirmed, whose old value
// is not known, while offline, while the control panel holds motor control, for a
// parameter the project no longer has, and wherever the edit rules refuse the parameter
// now (their own message).
//
// UI thread (or heskmon's thread); the write waits with the event loop running.

#include "ChangeJournal.h"
#include "MonitorSession.h"

#include "editing/ValueEdit.h"
#include "model/UserPrompt.h"
#include "pages/OfflineValueSet.h"

#include <cstddef>

namespace hesk::shell {

// The entry an editor's outcome makes: a confirmed or failed write online, a stored value
// offline; nothing for a refusal (nothing was written).
std::optional<JournalEntry> journalEntryFor(const model::OpenedProject& project,
                                            const model::HeskParameterElement& parameter, const QString& oldText,
                                            const editing::EditOutcome& outcome, bool online);

// The value text a page shows online for the parameter now.
QString currentOnlineText(MonitorSession& session, const model::HeskParameterElement& parameter);

// Records an editor's outcome: a confirmed write with the value as the page now shows it
// ("25.00" for a typed "25"), a failed one with the text that was tried, an offline store
// with the stored text. True when an entry was made; a file that could not be written is
// said in the log (the entry stays in memory).
bool recordEdit(MonitorSession& session, ChangeJournal& journal, const model::HeskParameterElement& parameter,
                const QString& oldText, const editing::EditOutcome& outcome, bool online);

// Undoes entry `index` of the journal; true when the old value was written and confirmed.
// Every refusal and failure is shown through the prompt; a failed write is recorded too.
bool undoJournalEntry(MonitorSession& session, model::UserPrompt& prompt, pages::OfflineValueSet& offline,
                      ChangeJournal& journal, std::size_t index);

}  // namespace hesk::shell

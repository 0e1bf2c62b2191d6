#pragma once
// The change journal of a project: every value edit the person made through the editors,
// online (a confirmed or a failed write) and offline (a value stored into the offline
// set), with its time, parameter, old and new display value. It is kept in a file beside
// the project's logs, written whole and atomically after every entry, and read again when
// the project opens, so it survives a restart.
//
// A journal file that cannot be read, or that belongs to another project, is never
// overwritten: it is renamed aside ("….damaged-<time>") with a message that names both
// files, and the journal starts empty; the entries already kept in memory stay.
//
// Not thread-safe: UI thread (the window) or the command's thread (heskmon).

#include "model/OpenedProject.h"
#include "model/UserMessage.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace hesk::shell {

struct JournalEntry {
    enum class Outcome { Confirmed, Failed, Stored };

    QDateTime time;      // local time of the edit
    QString key;         // key text: "P0350", "P0222.1"
    QString number;      // display number: "P0222.001"
    QString name;
    QString oldText;     // the value shown before the edit; empty when not known
    QString newText;     // the value written or stored
    bool online = true;
    Outcome outcome = Outcome::Confirmed;

    bool operator==(const JournalEntry&) const = default;
};

// "已确认", "失败", "离线修改": the text the CSV export and heskmon write, never translated.
QString outcomeText(JournalEntry::Outcome outcome);
// The same in the language of the loaded translator, for the journal pane.
QString outcomeCaption(JournalEntry::Outcome outcome);

// Which project a journal belongs to: device type, version and the project file's name.
struct JournalOwner {
    QString deviceType;
    QString version;
    QString projectName;
    bool operator==(const JournalOwner&) const = default;
};

JournalOwner journalOwnerOf(const model::OpenedProject& project);
// The journal file of a project whose logs go to `logFolder`.
QString journalPath(const QString& logFolder);

class ChangeJournal {
public:
    static constexpr const char* kFileName = "change-journal.json";

    // Binds the journal to a project's file (beside its logs) and reads its entries. A
    // file that does not exist yet is an empty journal. A damaged or foreign file is set
    // aside (see above) and its message returned; the entries in memory are kept.
    std::optional<model::UserMessage> open(const QString& path, const JournalOwner& owner);
    // Unbinds (the project closes) and forgets the entries.
    void close();
    bool isOpen() const { return !m_path.isEmpty(); }
    const QString& path() const { return m_path; }

    // Appends an entry and writes the file. The message says why the file could not be
    // written (the entry stays in memory and goes out with the next write).
    std::optional<model::UserMessage> record(JournalEntry entry);
    // The untranslated text of the last failed write, for the log; empty after a write
    // that worked.
    const QString& lastWriteFailure() const { return m_lastWriteFailure; }
    const std::vector<JournalEntry>& entries() const { return m_entries; }

    // The CSV form of the journal (the exports' GB code page and ="..." fields).
    QByteArray csvBytes() const;
    std::optional<model::UserMessage> exportCsv(const QString& path) const;

    // Reads a journal file without binding it (heskmon journal). The message says why it
    // cannot be read; `owner`, when given, must match.
    static std::optional<model::UserMessage> readFile(const QString& path, const std::optional<JournalOwner>& owner,
                                                      std::vector<JournalEntry>& entries);

private:
    std::optional<model::UserMessage> write();

    QString m_path;
    QString m_lastWriteFailure;
    JournalOwner m_owner;
    std::vector<JournalEntry> m_entries;
};

}  // namespace hesk::shell

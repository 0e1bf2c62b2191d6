#pragma once
// The offline import of a parameter file: each accepted row is resolved to a project
// parameter, its value checked by the parameter's kind and, when accepted, stored in the
// offline value set (only when its text differs from the one held, which sets the
// changed mark). Every refused or corrected row is logged with its message followed by
// the row: refusals at error level ("<错误>"), corrections (range, decimals) at
// information level, where the corrected value is imported.
//
// Value checks by kind:
//  - read-only: the value checks with the "r参数值项值..." texts;
//  - connection input: the file's decimal source number gets the kind letter (K or B) of
//    the input's current connection and four digits; on the inverter P0222's "K0000"
//    becomes "K0091"; the source must be a connector or binector of the project;
//  - hexadecimal: "0X" is put in front of the file's digits;
//  - special parameters: the allowed-value table;
//  - every other settable parameter: the value checks with the "修改值项值..." texts.
//
// DnlImporter does the rows in steps so that a window can show progress between them;
// DnlImportRun drives it from the event loop (a zero timer) and reports progress.
//
// Contract: UI thread (the offline value set and the project are the window's).

#include "model/LogSink.h"
#include "model/OpenedProject.h"
#include "model/UserPrompt.h"
#include "editing/AllowedValues.h"
#include "pages/OfflineValueSet.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <optional>
#include <vector>

namespace hesk::files {

inline constexpr int kImportErrorLevel = 3;
inline constexpr int kImportInfoLevel = 2;

// What became of one row.
struct DnlImportRowOutcome {
    QString line;
    bool imported = false;
    QString value;       // the value stored (or that would be), when imported
    std::optional<std::size_t> element;  // the project parameter the row resolved to
    QString logText;     // the log line written for the row (empty when none)
    int logLevel = 0;
};

struct DnlImportSummary {
    int rows = 0;
    int imported = 0;
    int changed = 0;  // values that differed from the offline set and replaced it
    // The rows that were logged (refused or corrected), in file order.
    std::vector<DnlImportRowOutcome> logged;
    bool allImported() const { return imported == rows; }
};

// The end message: "导入dnl数据成功！..." with the counts.
QString dnlImportEndText(const DnlImportSummary& summary);

// Reads the accepted rows for the import. Nothing, with the message shown, when the file
// cannot be opened ("文件打开失败！") or holds no accepted row
// ("您所打开的文件没有有效项，请您重新尝试打开其它文件！").
std::optional<QStringList> readDnlRowsForImport(const QString& path, model::UserPrompt& prompt);

class DnlImporter {
public:
    // All references must outlive the importer.
    DnlImporter(model::OpenedProject& project, pages::OfflineValueSet& offline, model::LogSink& log,
                QStringList rows);

    // Imports up to maxRows further rows; true while rows remain.
    bool importNext(int maxRows);
    void importAll() { importNext(static_cast<int>(m_rows.size())); }
    int total() const { return static_cast<int>(m_rows.size()); }
    int done() const { return m_next; }
    const DnlImportSummary& summary() const { return m_summary; }

    // One row's checks without storing anything (tests, download-like callers).
    DnlImportRowOutcome checkRow(const QString& line) const;

private:
    model::OpenedProject& m_project;
    pages::OfflineValueSet& m_offline;
    model::LogSink& m_log;
    QStringList m_rows;
    int m_next = 0;
    DnlImportSummary m_summary;
    editing::AllowedValueSource m_allowed;
    QSet<QString> m_connectionSources;  // number texts of the connectors and binectors
};

// The import from the event loop: rows in chunks on a zero timer, progress after each
// chunk, finished() at the end (the end message is the caller's to show).
class DnlImportRun final : public QObject {
    Q_OBJECT
public:
    DnlImportRun(model::OpenedProject& project, pages::OfflineValueSet& offline, model::LogSink& log,
                 QStringList rows, QObject* parent = nullptr);
    void start();
    bool running() const { return m_timer.isActive(); }
    const DnlImportSummary& summary() const { return m_importer.summary(); }

    // Rows per step: a step of this size takes a few milliseconds.
    static constexpr int kChunkRows = 500;

Q_SIGNALS:
    void progress(int done, int total);
    void finished();

private:
    void step();

    DnlImporter m_importer;
    QTimer m_timer;
};

}  // namespace hesk::files

#pragma once
// Reads one sheet of an .xlsx workbook as a table: the first row gives the column
// names, every later row one record. This is what project creation needs from the
// conversion and base-value workbooks, and nothing more: no styles, no formulas (their
// cached results are read), no dates (a date is the number it is stored as).
//
// Reading, as the workbooks' original query "SELECT * FROM [<sheet>$A1:IV65536]" sees
// them:
// - The sheet is found by name through xl/workbook.xml and its relationships; an exact
//   name wins, otherwise the name is compared without case (sheet names in a workbook
//   are unique without case).
// - Only the range A1:IV65536 is read (XlsxLimits): cells right of column IV or below
//   row 65536 are ignored, as the query ignores them. Row 1 holds the column names
//   (trimmed); a column without a name cannot be asked for.
// - Cells are placed by their reference ("C7"), so gaps and any column order work; a
//   cell or row without a reference follows the previous one.
// - Cell texts: shared strings (plain or rich text: the runs are joined, phonetic runs
//   are left out), inline strings and formula strings as stored, with the _xHHHH_
//   escapes of the format decoded; numbers as described at renderXlsxNumber; booleans
//   as "1" and "0" (what an ODBC bit column gives as text); error values and missing
//   cells as empty texts.
// - Rows absent from the sheet and rows whose named cells are all empty (or white
//   space) are not returned: no rule of project creation can use a blank row.
//
// Robustness: the file is read into memory up to maxFileBytes; each XML part is
// inflated up to maxPartBytes whatever sizes the archive claims; the <dimension> claim
// is not used; memory grows with the cells present, never with the references they
// name. Every failure comes back as a status with an English detail for the log.
//
// Contract: reentrant, no shared state; call from any thread.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace hesk::creation {

enum class XlsxStatus {
    Ok,
    FileMissing,        // there is no such file
    FileUnreadable,     // it exists but cannot be read (a folder, no permission, I/O error)
    UnsupportedFormat,  // not a zip archive (no zip signature), or a zip archive without
                        // a workbook part: not a format this reader handles at all
    Damaged,            // a zip archive that cannot be opened (cut short, bad directory),
                        // or whose parts cannot be inflated or parsed, or contradict each
                        // other (bad relationship, shared string index, cell reference)
    SheetMissing,       // the workbook has no sheet of that name
    TooLarge,           // the file or one of its parts is beyond XlsxLimits
};

struct XlsxLimits {
    qint64 maxFileBytes = qint64(256) << 20;
    qint64 maxPartBytes = qint64(64) << 20;  // one inflated XML part
    int lastRow = 65536;                      // 1-based, inclusive
    int lastColumn = 256;                     // 1-based, inclusive (column IV)
};

struct XlsxRow {
    int sheetRow = 0;   // 1-based row number in the sheet, for messages
    QStringList cells;  // one text per column name, in column-name order
};

struct XlsxTable {
    QStringList columnNames;
    std::vector<XlsxRow> rows;

    // Index of the first column with this name, or -1.
    int columnIndex(const QString& name) const { return static_cast<int>(columnNames.indexOf(name)); }
    // The names of the list that the table does not have, in list order.
    QStringList missingColumns(const QStringList& names) const;
};

struct XlsxReadResult {
    XlsxStatus status = XlsxStatus::Ok;
    QString detail;  // why it failed, in English; empty on success
    XlsxTable table;

    bool ok() const { return status == XlsxStatus::Ok; }
};

// Reads the named sheet of the workbook file at path.
XlsxReadResult readXlsxSheet(const QString& path, const QString& sheetName, const XlsxLimits& limits = {});

// The same on the bytes of a workbook file held in memory.
XlsxReadResult readXlsxSheet(const QByteArray& fileBytes, const QString& sheetName,
                             const XlsxLimits& limits = {});

// The text of a number cell's stored value: a whole number below 10^15 in magnitude
// without a decimal part ("3", not "3.0"); any other number with at most 15 significant
// digits, trailing zeros dropped, as a spreadsheet shows it in its general format
// ("0.1", "12.5", "0.3" for a stored 0.30000000000000004, "1e+20"). A value that is no
// number is returned trimmed as it was stored.
QString renderXlsxNumber(const QString& storedValue);

// Decodes the _xHHHH_ escapes that the format uses for characters XML cannot carry.
QString decodeXlsxEscapes(const QString& text);

}  // namespace hesk::creation

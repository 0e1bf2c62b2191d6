#pragma once
// The XML parts of an .xlsx workbook that the sheet reader needs, parsed with pugixml:
// the sheet list of xl/workbook.xml, a relationships part, the shared strings and one
// worksheet. Elements are matched by their local name, so parts that spell the
// spreadsheet namespace with a prefix ("x:row") read like those that do not.
//
// Internal to XlsxReader; every function is reentrant. Failures come back as an
// English detail in an empty optional.

#include "XlsxReader.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace hesk::creation::xlsx {

struct SheetEntry {
    QString name;
    QString relationshipId;
};

struct Relationship {
    QString id;
    QString type;    // full type URI
    QString target;  // as written: relative to the source part's folder, or absolute "/..."
};

std::optional<std::vector<SheetEntry>> parseWorkbookSheets(const QByteArray& xml, QString* detail);
std::optional<std::vector<Relationship>> parseRelationships(const QByteArray& xml, QString* detail);
std::optional<QStringList> parseSharedStrings(const QByteArray& xml, QString* detail);

// The package part a relationship target names, seen from a part in sourceFolder
// ("xl"): "worksheets/sheet1.xml" -> "xl/worksheets/sheet1.xml", "/xl/x.xml" ->
// "xl/x.xml". Nothing when the target climbs out of the package.
std::optional<QString> resolveTarget(const QString& sourceFolder, const QString& target);

// Parses a cell reference ("B12", case ignored) into 1-based column and row; the row
// part may be missing ("B"). Nothing for anything else or a reference beyond the
// format's grid (column XFD, row 1048576).
struct CellReference {
    int column = 0;
    int row = 0;  // 0 when the reference has no row part
};
std::optional<CellReference> parseCellReference(const QString& text);

// Reads the worksheet into a table (see XlsxReader.h for the rules). Damaged on
// malformed XML, a reference outside the grid or a shared string index out of range.
XlsxReadResult parseWorksheet(const QByteArray& xml, const QStringList& sharedStrings, const XlsxLimits& limits);

}  // namespace hesk::creation::xlsx

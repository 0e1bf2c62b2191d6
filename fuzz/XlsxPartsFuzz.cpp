// Feeds arbitrary bytes to the parsers of the XML parts of a workbook. The first byte
// chooses the part (workbook sheet list, relationships, shared strings, worksheet, or the
// texts of cell references, escapes and numbers); the rest is the part. Besides the
// sanitizers it checks what the reader promises: worksheet rows hold one text per column
// name within the sheet's limits, relationship targets resolve inside the package,
// cell references stay on the format's grid, and escapes never lengthen a text.

#include "creation/XlsxParts.h"
#include "creation/XlsxReader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {

using namespace hesk::creation;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkResolved(const QString& sourceFolder, const QString& target)
{
    const std::optional<QString> part = xlsx::resolveTarget(sourceFolder, target);
    if (!part)
        return;
    check(!part->isEmpty() && !part->startsWith(QLatin1Char('/')));
    for (const QString& segment : part->split(QLatin1Char('/')))
        check(!segment.isEmpty() && segment != QLatin1String("..") && segment != QLatin1String("."));
}

void worksheet(const QByteArray& xml)
{
    const QStringList shared = {QStringLiteral("名称"), QStringLiteral("P0100"), QString()};
    XlsxLimits limits;
    limits.lastRow = 500;
    limits.lastColumn = 40;
    const XlsxReadResult result = xlsx::parseWorksheet(xml, shared, limits);
    if (!result.ok()) {
        check(!result.detail.isEmpty());
        return;
    }
    check(result.table.columnNames.size() <= limits.lastColumn);
    int previousRow = 1;
    for (const XlsxRow& row : result.table.rows) {
        check(row.cells.size() == result.table.columnNames.size());
        check(row.sheetRow > previousRow && row.sheetRow <= limits.lastRow);
        previousRow = row.sheetRow;
    }
}

void texts(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    if (const std::optional<xlsx::CellReference> reference = xlsx::parseCellReference(text)) {
        check(reference->column >= 1 && reference->column <= 16384);
        check(reference->row >= 0 && reference->row <= 1048576);
    }
    check(decodeXlsxEscapes(text).size() <= text.size());
    renderXlsxNumber(text);
    checkResolved(QStringLiteral("xl"), text);
    checkResolved(QString(), text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray part(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    QString detail;
    switch (data[0] % 5) {
    case 0:
        if (!xlsx::parseWorkbookSheets(part, &detail))
            check(!detail.isEmpty());
        break;
    case 1:
        if (const auto relationships = xlsx::parseRelationships(part, &detail)) {
            for (const xlsx::Relationship& relationship : *relationships)
                checkResolved(QStringLiteral("xl"), relationship.target);
        } else {
            check(!detail.isEmpty());
        }
        break;
    case 2:
        if (!xlsx::parseSharedStrings(part, &detail))
            check(!detail.isEmpty());
        break;
    case 3:
        worksheet(part);
        break;
    default:
        texts(part);
        break;
    }
    return 0;
}

#include "XlsxParts.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace hesk::creation::xlsx {

namespace {

constexpr int kGridLastColumn = 16384;   // XFD
constexpr int kGridLastRow = 1048576;

const char* localName(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool isElement(const pugi::xml_node& node, const char* local)
{
    return node.type() == pugi::node_element && std::strcmp(localName(node.name()), local) == 0;
}

pugi::xml_node firstChild(const pugi::xml_node& parent, const char* local)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (isElement(child, local))
            return child;
    return {};
}

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// All character data directly inside the element (normally one run).
QString textOf(const pugi::xml_node& element)
{
    QString text;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += utf8(child.value());
    return text;
}

// The text of a shared string item <si> or an inline string <is>: a plain <t>, or the
// <t> of every rich-text run <r>; phonetic runs (<rPh>) are hints, not content.
QString stringItemText(const pugi::xml_node& item)
{
    QString text;
    for (pugi::xml_node child = item.first_child(); child; child = child.next_sibling()) {
        if (isElement(child, "t")) {
            text += textOf(child);
        } else if (isElement(child, "r")) {
            for (pugi::xml_node run = child.first_child(); run; run = run.next_sibling())
                if (isElement(run, "t"))
                    text += textOf(run);
        }
    }
    return decodeXlsxEscapes(text);
}

bool loadXml(pugi::xml_document& doc, const QByteArray& xml, const char* rootName, QString* detail)
{
    const pugi::xml_parse_result parsed =
        doc.load_buffer(xml.constData(), static_cast<size_t>(xml.size()),
                        pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!parsed) {
        if (detail)
            *detail = QStringLiteral("malformed XML at byte %1: %2").arg(parsed.offset).arg(utf8(parsed.description()));
        return false;
    }
    if (!isElement(doc.document_element(), rootName)) {
        if (detail)
            *detail = QStringLiteral("the root element is not <%1>").arg(utf8(rootName));
        return false;
    }
    return true;
}

// An attribute by its local name; with prefixed, only a prefixed one ("r:id", not "id").
pugi::xml_attribute attributeByLocalName(const pugi::xml_node& node, const char* local, bool prefixed)
{
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        const char* name = attribute.name();
        const char* tail = localName(name);
        if (std::strcmp(tail, local) == 0 && (tail != name) == prefixed)
            return attribute;
    }
    return {};
}

// A positive decimal number of at most seven digits (rows go to 1048576).
std::optional<int> parseRowNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > 7)
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value < 1 || value > kGridLastRow)
        return std::nullopt;
    return value;
}

struct CellParse {
    bool ok = true;
    QString text;
};

CellParse cellText(const pugi::xml_node& cell, const QStringList& sharedStrings, QString* detail)
{
    const QString type = utf8(cell.attribute("t").value());
    if (type == QLatin1String("inlineStr")) {
        if (const pugi::xml_node is = firstChild(cell, "is"))
            return {true, stringItemText(is)};
    }
    const pugi::xml_node valueNode = firstChild(cell, "v");
    const QString value = valueNode ? textOf(valueNode) : QString();
    if (type == QLatin1String("s")) {
        if (!valueNode)
            return {true, QString()};
        bool ok = false;
        const qlonglong index = value.trimmed().toLongLong(&ok);
        if (!ok || index < 0 || index >= sharedStrings.size()) {
            if (detail)
                *detail = QStringLiteral("shared string index %1 is out of range (%2 strings)")
                              .arg(value.trimmed())
                              .arg(sharedStrings.size());
            return {false, QString()};
        }
        return {true, sharedStrings[static_cast<qsizetype>(index)]};
    }
    if (type == QLatin1String("str") || type == QLatin1String("inlineStr"))
        return {true, decodeXlsxEscapes(value)};
    if (type == QLatin1String("b")) {
        const QString flag = value.trimmed();
        if (flag.isEmpty())
            return {true, QString()};
        return {true, flag == QLatin1String("1") || flag.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
                          ? QStringLiteral("1")
                          : QStringLiteral("0")};
    }
    if (type == QLatin1String("e"))
        return {true, QString()};
    if (type.isEmpty() || type == QLatin1String("n"))
        return {true, value.isEmpty() ? QString() : renderXlsxNumber(value)};
    return {true, value};  // "d" (an ISO date text) and unknown types: as stored
}

struct RawRow {
    int row = 0;
    std::vector<std::pair<int, QString>> cells;  // column, text
};

XlsxReadResult damaged(const QString& detail)
{
    XlsxReadResult result;
    result.status = XlsxStatus::Damaged;
    result.detail = detail;
    return result;
}

}  // namespace

std::optional<std::vector<SheetEntry>> parseWorkbookSheets(const QByteArray& xml, QString* detail)
{
    pugi::xml_document doc;
    if (!loadXml(doc, xml, "workbook", detail))
        return std::nullopt;
    std::vector<SheetEntry> sheets;
    const pugi::xml_node list = firstChild(doc.document_element(), "sheets");
    for (pugi::xml_node sheet = list.first_child(); sheet; sheet = sheet.next_sibling()) {
        if (!isElement(sheet, "sheet"))
            continue;
        sheets.push_back({utf8(sheet.attribute("name").value()),
                          utf8(attributeByLocalName(sheet, "id", true).value())});
    }
    return sheets;
}

std::optional<std::vector<Relationship>> parseRelationships(const QByteArray& xml, QString* detail)
{
    pugi::xml_document doc;
    if (!loadXml(doc, xml, "Relationships", detail))
        return std::nullopt;
    std::vector<Relationship> relationships;
    for (pugi::xml_node node = doc.document_element().first_child(); node; node = node.next_sibling()) {
        if (!isElement(node, "Relationship"))
            continue;
        if (QLatin1String(node.attribute("TargetMode").value()) == QLatin1String("External"))
            continue;
        relationships.push_back({utf8(node.attribute("Id").value()), utf8(node.attribute("Type").value()),
                                 utf8(node.attribute("Target").value())});
    }
    return relationships;
}

std::optional<QStringList> parseSharedStrings(const QByteArray& xml, QString* detail)
{
    pugi::xml_document doc;
    if (!loadXml(doc, xml, "sst", detail))
        return std::nullopt;
    QStringList strings;
    for (pugi::xml_node item = doc.document_element().first_child(); item; item = item.next_sibling())
        if (isElement(item, "si"))
            strings.append(stringItemText(item));
    return strings;
}

std::optional<QString> resolveTarget(const QString& sourceFolder, const QString& target)
{
    QString path = target;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    else if (!sourceFolder.isEmpty())
        path = sourceFolder + QLatin1Char('/') + path;
    QStringList parts;
    for (const QString& segment : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String("."))
            continue;
        if (segment == QLatin1String("..")) {
            if (parts.isEmpty())
                return std::nullopt;
            parts.removeLast();
            continue;
        }
        parts.append(segment);
    }
    if (parts.isEmpty())
        return std::nullopt;
    return parts.join(QLatin1Char('/'));
}

std::optional<CellReference> parseCellReference(const QString& text)
{
    CellReference reference;
    qsizetype i = 0;
    while (i < text.size() && text[i].isLetter() && text[i].unicode() < 128) {
        if (i == 3)
            return std::nullopt;
        reference.column = reference.column * 26 + (text[i].toUpper().unicode() - 'A' + 1);
        ++i;
    }
    if (i == 0 || reference.column > kGridLastColumn)
        return std::nullopt;
    if (i == text.size())
        return reference;
    const std::optional<int> row = parseRowNumber(text.mid(i));
    if (!row)
        return std::nullopt;
    reference.row = *row;
    return reference;
}

XlsxReadResult parseWorksheet(const QByteArray& xml, const QStringList& sharedStrings, const XlsxLimits& limits)
{
    pugi::xml_document doc;
    QString detail;
    if (!loadXml(doc, xml, "worksheet", &detail))
        return damaged(QStringLiteral("worksheet: %1").arg(detail));

    std::vector<RawRow> rows;
    int previousRow = 0;
    const pugi::xml_node sheetData = firstChild(doc.document_element(), "sheetData");
    for (pugi::xml_node rowNode = sheetData.first_child(); rowNode; rowNode = rowNode.next_sibling()) {
        if (!isElement(rowNode, "row"))
            continue;
        int rowNumber = previousRow + 1;
        if (const pugi::xml_attribute r = rowNode.attribute("r")) {
            const std::optional<int> parsed = parseRowNumber(utf8(r.value()).trimmed());
            if (!parsed)
                return damaged(QStringLiteral("worksheet: row number \"%1\" is outside the grid").arg(utf8(r.value())));
            rowNumber = *parsed;
        }
        if (rowNumber > kGridLastRow)
            return damaged(QStringLiteral("worksheet: more rows than the grid holds"));
        previousRow = rowNumber;
        if (rowNumber > limits.lastRow)
            continue;

        RawRow row;
        row.row = rowNumber;
        int previousColumn = 0;
        for (pugi::xml_node cell = rowNode.first_child(); cell; cell = cell.next_sibling()) {
            if (!isElement(cell, "c"))
                continue;
            int column = previousColumn + 1;
            if (const pugi::xml_attribute r = cell.attribute("r")) {
                const std::optional<CellReference> reference = parseCellReference(utf8(r.value()).trimmed());
                if (!reference)
                    return damaged(QStringLiteral("worksheet: cell reference \"%1\" is outside the grid").arg(utf8(r.value())));
                column = reference->column;
            }
            if (column > kGridLastColumn)
                return damaged(QStringLiteral("worksheet: row %1 has more cells than the grid holds").arg(rowNumber));
            previousColumn = column;
            if (column > limits.lastColumn)
                continue;
            CellParse parsed = cellText(cell, sharedStrings, &detail);
            if (!parsed.ok)
                return damaged(QStringLiteral("worksheet: row %1: %2").arg(rowNumber).arg(detail));
            if (!parsed.text.isEmpty())
                row.cells.emplace_back(column, std::move(parsed.text));
        }
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const RawRow& a, const RawRow& b) { return a.row < b.row; });
    // A row number given twice is one sheet row: its cells are merged in document order, so
    // a later cell of the same column wins, as it would when the sheet is written again.
    std::vector<RawRow> merged;
    merged.reserve(rows.size());
    for (RawRow& row : rows) {
        if (!merged.empty() && merged.back().row == row.row) {
            for (auto& cell : row.cells)
                merged.back().cells.push_back(std::move(cell));
        } else {
            merged.push_back(std::move(row));
        }
    }
    rows = std::move(merged);

    XlsxReadResult result;
    if (rows.empty() || rows.front().row != 1)
        return result;  // no header row: no column can be asked for

    // Header: column number -> position among the named columns, in column order.
    std::map<int, QString> header;
    for (const auto& [column, text] : rows.front().cells)
        header[column] = text;
    QHash<int, int> positionOfColumn;
    for (const auto& [column, text] : header) {
        const QString name = text.trimmed();
        if (name.isEmpty())
            continue;
        positionOfColumn.insert(column, static_cast<int>(result.table.columnNames.size()));
        result.table.columnNames.append(name);
    }

    for (auto it = rows.begin() + 1; it != rows.end(); ++it) {
        XlsxRow row;
        row.sheetRow = it->row;
        row.cells = QStringList(result.table.columnNames.size(), QString());
        for (auto& [column, text] : it->cells) {
            const auto position = positionOfColumn.constFind(column);
            if (position != positionOfColumn.constEnd())
                row.cells[*position] = std::move(text);
        }
        const bool blank = std::all_of(row.cells.cbegin(), row.cells.cend(),
                                       [](const QString& text) { return text.trimmed().isEmpty(); });
        if (!blank)
            result.table.rows.push_back(std::move(row));
    }
    return result;
}

}  // namespace hesk::creation::xlsx

namespace hesk::creation {

QString renderXlsxNumber(const QString& storedValue)
{
    const QString text = storedValue.trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return text;
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

QString decodeXlsxEscapes(const QString& text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == QLatin1Char('_') && i + 6 < text.size() && text[i + 1] == QLatin1Char('x')
            && text[i + 6] == QLatin1Char('_')) {
            char16_t code = 0;
            bool hex = true;
            for (qsizetype k = i + 2; k < i + 6 && hex; ++k) {
                const char16_t c = text[k].unicode();
                const int digit = c >= '0' && c <= '9' ? c - '0'
                    : c >= 'a' && c <= 'f'             ? c - 'a' + 10
                    : c >= 'A' && c <= 'F'             ? c - 'A' + 10
                                                       : -1;
                hex = digit >= 0;
                code = static_cast<char16_t>(code * 16 + (hex ? digit : 0));
            }
            if (hex) {
                out.append(QChar(code));
                i += 7;
                continue;
            }
        }
        out.append(text[i]);
        ++i;
    }
    return out;
}

}  // namespace hesk::creation

#include "ConversionRows.h"

#include <map>
#include <set>
#include <utility>

namespace hesk::samples {

namespace {

enum Column {
    Serial, Reference, Indexed, CommandType, Forward, Reverse, Import, Maximum, Minimum, Unit,
    Decimals, Attribute, Name, Comment, Factory, ColumnCount
};

const QStringList& header()
{
    static const QStringList names = {
        QStringLiteral("序号"),     QStringLiteral("参考描述"), QStringLiteral("辅助参数"), QStringLiteral("命令类型"),
        QStringLiteral("转换公式"), QStringLiteral("反推算公式"), QStringLiteral("是否导入"), QStringLiteral("最大值"),
        QStringLiteral("最小值"),   QStringLiteral("单位"),     QStringLiteral("小数点"),   QStringLiteral("参数属性"),
        QStringLiteral("名称"),     QStringLiteral("注释"),     QStringLiteral("出厂值"),
    };
    return names;
}

// Parameters that a parameter file never writes back into the drive: system words,
// commands, the factory restore and the fixed definitions.
bool importable(const SampleDefinition& d)
{
    if (!d.settable())
        return false;
    switch (d.number) {
    case 115: case 435: case 436: case 942: case 945: case 955: case 957: case 970: case 977: case 979:
    case 7000: return false;
    default: return true;
    }
}

QString commandType(const SampleDefinition& d)
{
    if (d.usesFormulas())
        return QStringLiteral("3");
    if (d.isConnection())
        return QStringLiteral("2");
    if (!d.settable())
        return QStringLiteral("0");
    return d.typeCode == 0 ? QStringLiteral("4") : QStringLiteral("1");
}

QStringList rowOf(const SampleDefinition& d)
{
    QStringList row;
    for (int c = 0; c < ColumnCount; ++c)
        row << QString();
    row[Reference] = referenceKey(d) + d.name;
    row[Indexed] = d.hasSubIndex() ? QStringLiteral("1") : QStringLiteral("0");
    row[CommandType] = commandType(d);
    row[Forward] = d.forwardFormula;
    row[Reverse] = d.reverseFormula;
    row[Import] = importable(d) ? QStringLiteral("1") : QStringLiteral("0");
    // The fixed definitions that project creation adds get their names and units here;
    // their range comes with them.
    row[Maximum] = d.inIntermediateFile ? d.maxText : QString();
    row[Minimum] = d.inIntermediateFile ? d.minText : QString();
    row[Unit] = d.unit;
    row[Decimals] = QString::number(d.decimals);
    row[Attribute] = d.settable() ? QStringLiteral("1") : QStringLiteral("0");
    row[Name] = d.name;
    row[Comment] = d.comment;
    row[Factory] = d.settable() ? d.factoryText : QString();
    return row;
}

QStringList noteRow(const QString& text)
{
    QStringList row;
    for (int c = 0; c < ColumnCount; ++c)
        row << QString();
    row[Reference] = text;
    return row;
}

}  // namespace

QString referenceKey(const SampleDefinition& d)
{
    return QStringLiteral("%1|%2|%3|")
        .arg(d.number, 4, 10, QLatin1Char('0'))
        .arg(d.hasSubIndex() ? d.subIndex : 0, 3, 10, QLatin1Char('0'))
        .arg(d.typeCode % 100, 2, 10, QLatin1Char('0'));
}

SheetContent makeConversionSheet(const SampleDefinitions& definitions,
                                 const std::vector<const SampleDefinitions*>& siblings)
{
    // This project's rows, then the rows that only the other versions have, in
    // parameter order.
    std::map<std::pair<int, int>, const SampleDefinition*> ordered;
    auto sortKey = [](const SampleDefinition& d) {
        return std::pair<int, int>(d.number, d.hasSubIndex() ? d.subIndex : -1);
    };
    std::set<QString> ownKeys;
    for (const SampleDefinition& d : definitions.definitions) {
        if (d.inWorkbook) {
            ordered[sortKey(d)] = &d;
            ownKeys.insert(d.keyText());
        }
    }
    for (const SampleDefinitions* sibling : siblings)
        for (const SampleDefinition& d : sibling->definitions)
            if (d.inWorkbook && !ownKeys.count(d.keyText()) && !ordered.count(sortKey(d)))
                ordered[sortKey(d)] = &d;

    SheetContent sheet;
    sheet.sheetName = QStringLiteral("PARAM");
    sheet.header = header();
    sheet.rows.push_back(noteRow(QStringLiteral("说明：按参数号排列")));
    for (const auto& [key, d] : ordered) {
        QStringList row = rowOf(*d);
        if (d->keyText() == QLatin1String("P0101.1")) {
            QStringList withdrawn = row;
            withdrawn[CommandType] = QStringLiteral("9");
            withdrawn[Name] = QStringLiteral("作废：") + d->name;
            withdrawn[Forward] = withdrawn[Reverse] = QString();
            sheet.rows.push_back(withdrawn);
        }
        if (d->keyText() == QLatin1String("P0108.1") || d->keyText() == QLatin1String("P0089"))
            row[Forward] = QStringLiteral("%1*10").arg(d->keyText());  // left over; not of command type 3
        sheet.rows.push_back(row);
        if (d->keyText() == QLatin1String("P0060")) {
            QStringList repeated = row;
            repeated[Name] = d->name + QStringLiteral("（重复行）");
            repeated[Factory] = QStringLiteral("2");
            sheet.rows.push_back(repeated);
        }
    }
    for (std::size_t i = 0; i < sheet.rows.size(); ++i)
        if (!sheet.rows[i][Reference].isEmpty())
            sheet.rows[i][Serial] = QString::number(i + 1);
    return sheet;
}

SheetContent makeBaseValueWorkbookSheet(const BaseValueSheet& base)
{
    SheetContent sheet;
    sheet.sheetName = QStringLiteral("Sheet1");
    for (const BaseValueColumn& column : base.columns)
        sheet.header << column.name;
    for (const model::UbaseInfo& row : base.rows) {
        QStringList cells;
        for (const BaseValueColumn& column : base.columns)
            cells << row.columns[static_cast<std::size_t>(column.index)];
        sheet.rows.push_back(cells);
    }
    return sheet;
}

}  // namespace hesk::samples

#include "ConversionWorkbook.h"

#include "model/ParameterTypes.h"

#include <QHash>

#include <array>

#include <limits>

namespace hesk::creation {

namespace {

constexpr qsizetype kReferenceKeyLength = 12;

// Column names of the sheet, in the order of ConversionCells.
const QStringList& columnNames()
{
    static const QStringList names{
        QStringLiteral("参考描述"), QStringLiteral("辅助参数"), QStringLiteral("命令类型"),
        QStringLiteral("转换公式"), QStringLiteral("反推算公式"), QStringLiteral("是否导入"),
        QStringLiteral("最大值"), QStringLiteral("最小值"), QStringLiteral("单位"),
        QStringLiteral("小数点"), QStringLiteral("参数属性"), QStringLiteral("名称"),
        QStringLiteral("注释"), QStringLiteral("出厂值"),
    };
    return names;
}

}  // namespace

QStringList conversionColumnNames()
{
    return columnNames();
}

int leadingInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || (text[i].unicode() >= 9 && text[i].unicode() <= 13)))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    return static_cast<int>(negative ? -value : value);
}

std::optional<DnlRowItem> rowItemFromCells(const ConversionCells& raw)
{
    const QString description = raw.referenceDescription.trimmed();
    if (description.size() < kReferenceKeyLength)
        return std::nullopt;

    DnlRowItem row;
    row.referenceKey = description.left(kReferenceKeyLength);
    row.referenceText = description.mid(description.lastIndexOf(QLatin1Char('|')) + 1);
    row.indexed = raw.auxiliary.trimmed() == QLatin1String("1") ? 1 : 0;

    row.commandType = raw.commandType.trimmed();
    const int command = leadingInteger(row.commandType);
    if (command < 0 || command > 4)
        return std::nullopt;
    if (row.commandType == QLatin1String("3")) {
        row.forwardFormula = raw.forwardFormula.trimmed();
        row.reverseFormula = raw.reverseFormula.trimmed();
    }

    row.importFlag = raw.importFlag.trimmed();
    row.maxText = raw.maxText.trimmed();
    row.minText = raw.minText.trimmed();
    row.unit = raw.unit.trimmed();
    row.decimals = leadingInteger(raw.decimals.trimmed());
    row.attribute = raw.attribute.trimmed();
    row.name = raw.name.trimmed();
    row.comment = raw.comment.trimmed();
    row.factoryValue = raw.factoryValue.trimmed();

    row.keyText = (row.attribute == QLatin1String("1") ? QStringLiteral("P") : QStringLiteral("r"))
        + row.referenceKey.left(4);
    if (row.indexed)
        row.keyText += QLatin1Char('.') + QString::number(leadingInteger(row.referenceKey.mid(5, 3)));
    return row;
}

std::optional<ConversionRows> conversionRowsFromTable(const XlsxTable& table, QStringList* missingColumns)
{
    const QStringList missing = table.missingColumns(columnNames());
    if (!missing.isEmpty()) {
        if (missingColumns)
            *missingColumns = missing;
        return std::nullopt;
    }
    std::array<int, 14> at{};
    for (qsizetype i = 0; i < columnNames().size(); ++i)
        at[static_cast<std::size_t>(i)] = table.columnIndex(columnNames()[i]);

    ConversionRows result;
    result.rows.reserve(table.rows.size());
    for (const XlsxRow& row : table.rows) {
        const auto cell = [&](int column) { return row.cells[at[static_cast<std::size_t>(column)]]; };
        const ConversionCells cells{cell(0), cell(1), cell(2),  cell(3),  cell(4),  cell(5),  cell(6),
                                    cell(7), cell(8), cell(9), cell(10), cell(11), cell(12), cell(13)};
        if (std::optional<DnlRowItem> item = rowItemFromCells(cells))
            result.rows.push_back(std::move(*item));
        else
            ++result.skippedRows;
    }
    return result;
}

int mergeRowsIntoDefinitions(std::vector<model::HeskParameterElement>& definitions, const std::vector<DnlRowItem>& rows)
{
    QHash<QString, const DnlRowItem*> firstRowOfKey;
    firstRowOfKey.reserve(static_cast<qsizetype>(rows.size()));
    for (const DnlRowItem& row : rows)
        if (!firstRowOfKey.contains(row.keyText))
            firstRowOfKey.insert(row.keyText, &row);

    int merged = 0;
    for (model::HeskParameterElement& element : definitions) {
        const auto found = firstRowOfKey.constFind(model::keyText(element));
        if (found == firstRowOfKey.constEnd())
            continue;
        const DnlRowItem& row = **found;
        element.commandType = row.commandType;
        if (element.commandType == QLatin1String("3")) {
            element.reverseFormula = row.reverseFormula;
            element.forwardFormula = row.forwardFormula;
        }
        element.maxText = row.maxText;
        element.minText = row.minText;
        element.decimals = row.decimals;
        element.unit = row.unit;
        element.importFlag = row.importFlag;
        element.referenceKey = row.referenceKey;
        element.auxFlag = row.indexed ? QStringLiteral("1") : QStringLiteral("0");
        element.name = row.name;
        element.comment = row.comment;
        element.factoryValue = row.factoryValue;
        ++merged;
    }
    return merged;
}

}  // namespace hesk::creation

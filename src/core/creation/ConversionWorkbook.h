#pragma once
// The conversion workbook (sheet "PARAM"): one row per parameter with the names,
// limits, units, formulas and factory values that the intermediate file lacks. Rows
// become DnlRowItem records by the row rules below and are merged into the parameter
// definitions by key text.
//
// Row rules (every cell trimmed first):
//  1. "参考描述" shorter than 12 characters skips the row; reference key = its first 12
//     characters, reference text = the part after its last "|" (all of it without "|").
//  2. "辅助参数" exactly "1" sets the indexed flag.
//  3. "命令类型" whose integer value (leading digits, as C's atoi reads them; 0 for no
//     digits) is below 0 or above 4 skips the row. Only the text "3" reads "转换公式"
//     and "反推算公式".
//  4. "是否导入", "最大值", "最小值", "单位", "小数点" (its integer value, 0 when empty),
//     "参数属性", "名称", "注释", "出厂值".
//  5. Key text: "P" when "参数属性" is "1", else "r"; the first four characters of the
//     reference key; with the indexed flag "." and the integer value of the reference
//     key's characters 5 to 7 (0-based), so "0107.002..." with "参数属性" 1 gives P0107.2.
//
// Contract: reentrant; nothing is shown, failures are return values.

#include "XlsxReader.h"

#include "model/ProjectRecords.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace hesk::creation {

// One row of the conversion workbook, fields in the record's order.
struct DnlRowItem {
    QString referenceKey;
    QString keyText;
    int32_t indexed = 0;
    QString commandType;
    QString referenceText;
    QString forwardFormula;
    QString spareText;
    QString reverseFormula;
    QString maxText;
    QString minText;
    int32_t decimals = 0;
    QString unit;
    QString importFlag;
    QString attribute;
    QString name;
    QString comment;
    QString factoryValue;

    bool operator==(const DnlRowItem&) const = default;
};

inline const QString kConversionSheet = QStringLiteral("PARAM");

// The column names the rules read, in rule order.
QStringList conversionColumnNames();

// C's atoi on a text: optional leading white space and sign, then decimal digits up to
// the first other character; 0 without digits. Saturates instead of overflowing.
int leadingInteger(const QString& text);

// The row rules for one row, cells given by column name (see conversionColumnNames);
// nothing when the rules skip the row.
struct ConversionCells {
    QString referenceDescription;  // 参考描述
    QString auxiliary;             // 辅助参数
    QString commandType;           // 命令类型
    QString forwardFormula;        // 转换公式
    QString reverseFormula;        // 反推算公式
    QString importFlag;            // 是否导入
    QString maxText;               // 最大值
    QString minText;               // 最小值
    QString unit;                  // 单位
    QString decimals;              // 小数点
    QString attribute;             // 参数属性
    QString name;                  // 名称
    QString comment;               // 注释
    QString factoryValue;          // 出厂值
};
std::optional<DnlRowItem> rowItemFromCells(const ConversionCells& cells);

struct ConversionRows {
    std::vector<DnlRowItem> rows;
    int skippedRows = 0;  // rows that the rules skipped
};

// Applies the row rules to every row of a sheet read as a table. Nothing when a column
// is missing; missingColumns then names the ones that are.
std::optional<ConversionRows> conversionRowsFromTable(const XlsxTable& table, QStringList* missingColumns);

// Merges rows into the definitions in order: each definition takes the first row whose
// key text equals its own and gets commandType, with "3" both formulas, maxText,
// minText, decimals, unit, importFlag, referenceKey, auxFlag ("1"/"0" from the indexed
// flag), name, comment and factoryValue from it. A definition without a row keeps its
// fields; rows that match no definition are ignored. Returns the number of definitions
// that took a row.
int mergeRowsIntoDefinitions(std::vector<model::HeskParameterElement>& definitions,
                             const std::vector<DnlRowItem>& rows);

}  // namespace hesk::creation

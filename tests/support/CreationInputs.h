#pragma once
// Inputs of project creation for tests: conversion-workbook rows by column name and the
// sheets they make (in any column order), base-value sheets, and small file helpers.

#include "IntermediateFileBytes.h"
#include "WorkbookWriter.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace hesk::testsupport::creation {

// One row of sheet "PARAM", cells by column; an empty text leaves the cell out.
struct ParamRow {
    QString reference;  // 参考描述
    QString aux;        // 辅助参数
    QString command;    // 命令类型
    QString forward;    // 转换公式
    QString reverse;    // 反推算公式
    QString import;     // 是否导入
    QString max;        // 最大值
    QString min;        // 最小值
    QString unit;       // 单位
    QString decimals;   // 小数点
    QString attribute;  // 参数属性
    QString name;       // 名称
    QString comment;    // 注释
    QString factory;    // 出厂值
};

inline const QStringList& paramColumns()
{
    static const QStringList names{"参考描述", "辅助参数", "命令类型", "转换公式", "反推算公式",
                                   "是否导入", "最大值",   "最小值",   "单位",     "小数点",
                                   "参数属性", "名称",     "注释",     "出厂值"};
    return names;
}

inline QStringList cellsOf(const ParamRow& r)
{
    return {r.reference, r.aux,  r.command,  r.forward,   r.reverse, r.import,  r.max,
            r.min,       r.unit, r.decimals, r.attribute, r.name,    r.comment, r.factory};
}

// The sheet with the columns placed at the given sheet columns (0-based, any order,
// gaps allowed; default: A to N in list order). With numbersAsNumbers the integer
// columns (辅助参数, 命令类型, 小数点, 参数属性) are stored as numbers.
inline XSheet paramSheet(const std::vector<ParamRow>& rows, std::vector<int> placement = {},
                         bool numbersAsNumbers = false, const QString& sheetName = "PARAM")
{
    if (placement.empty())
        for (int i = 0; i < paramColumns().size(); ++i)
            placement.push_back(i);
    int width = 0;
    for (int column : placement)
        width = std::max(width, column + 1);
    XSheet sheet{sheetName, {}};
    XRow header(static_cast<std::size_t>(width));
    for (std::size_t i = 0; i < placement.size(); ++i)
        header[static_cast<std::size_t>(placement[i])] = XCell::str(paramColumns()[static_cast<qsizetype>(i)]);
    sheet.rows.push_back(header);
    const std::vector<int> integerColumns{1, 2, 9, 10};
    for (const ParamRow& row : rows) {
        const QStringList cells = cellsOf(row);
        XRow out(static_cast<std::size_t>(width));
        for (std::size_t i = 0; i < placement.size(); ++i) {
            const QString& text = cells[static_cast<qsizetype>(i)];
            if (text.isEmpty())
                continue;
            bool isNumber = false;
            const double value = text.toDouble(&isNumber);
            const bool integerColumn =
                std::find(integerColumns.begin(), integerColumns.end(), static_cast<int>(i)) != integerColumns.end();
            out[static_cast<std::size_t>(placement[i])] =
                numbersAsNumbers && integerColumn && isNumber ? XCell::num(value) : XCell::str(text);
        }
        sheet.rows.push_back(out);
    }
    return sheet;
}

// Sheet "Sheet1" with the given header and text rows.
inline XSheet baseSheet(const QStringList& header, const std::vector<QStringList>& rows)
{
    XSheet sheet{"Sheet1", {textRow(header)}};
    for (const QStringList& row : rows)
        sheet.rows.push_back(textRow(row));
    return sheet;
}

// The inverter's base-value header (class 1 names) and one row per key, each column
// holding "<key>-<column name>" except the key itself.
inline QStringList inverterBaseHeader()
{
    return {"P参数读取值", "型号",     "额定电流", "额定输出电压", "额定功率", "额定转矩", "直流电压",
            "电流标定系数", "电压标定系数", "过压门槛", "开关频率", "额定频率", "极对数",
            "从站实际数目", "从站使能", "死区时间", "上升时间", "下降时间", "电容系数",
            "管压降U0", "管压降U1", "管压降U2", "转矩提升电压", "提升电流", "KTL"};
}

inline QStringList baseRowFor(const QStringList& header, const QString& key)
{
    QStringList row{key};
    for (qsizetype i = 1; i < header.size(); ++i)
        row << key + "-" + header[i];
    return row;
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Rows for intermediate::inverterSpec(): P0100 (no sub-index) with formulas, P0107.2
// indexed, P0340 twice (the first row must win), a row for a parameter the program
// does not have, and rows the rules skip.
inline std::vector<ParamRow> inverterRows()
{
    return {
        {"0100.000    |电机|额定频率", "0", "3", "P0100*100", "P0100/100", "1", "100.00", "0.00", "Hz", "2", "1",
         "电机额定频率", "频率注释", "50.00"},
        {"0107.002    |数据组2", "1", "1", "", "", "1", "1000", "0", "", "0", "1", "数据组选择2", "", "1"},
        {"0340.000    |第一行", "0", "2", "P0340*2", "P0340/2", "1", "1000.0", "0.0", "V", "1", "1", "直流电压设定",
         "第一行注释", "540.0"},
        {"0340.000    |第二行", "0", "3", "x", "y", "0", "9", "1", "A", "3", "1", "第二行", "第二行注释", "1"},
        {"0999.000    |程序中没有", "0", "1", "", "", "1", "1", "0", "", "0", "1", "不存在", "", "0"},
        {"0021.000    |命令类型5", "0", "5", "", "", "1", "1", "0", "", "0", "0", "命令类型5", "", "0"},
        {"0021.000|ab", "0", "1", "", "", "1", "1", "0", "", "0", "0", "十一个字符", "", "0"},
    };
}

}  // namespace hesk::testsupport::creation

// Base-value rows by device class: which workbook column lands in which table column.

#include "QtPrinters.h"

#include "creation/BaseValueWorkbook.h"

#include <gtest/gtest.h>

#include <map>

using namespace hesk::creation;
using hesk::model::DeviceClass;
using hesk::model::UbaseInfo;

namespace {

// A table with every given column; each cell holds "<key>/<column name>".
XlsxTable tableWith(const QStringList& columns, const QStringList& keys)
{
    XlsxTable table;
    table.columnNames = columns;
    int sheetRow = 2;
    for (const QString& key : keys) {
        XlsxRow row{sheetRow++, {}};
        for (const QString& column : columns)
            row.cells << (column == "P参数读取值" ? key : key + "/" + column);
        table.rows.push_back(row);
    }
    return table;
}

TEST(BaseValueWorkbook, eachClassReadsItsOwnColumnNames)
{
    struct Case {
        DeviceClass deviceClass;
        std::map<int, QString> columns;  // a sample of table column -> workbook column
        std::vector<int> empty;          // table columns the class leaves empty
    };
    const std::vector<Case> cases = {
        {DeviceClass::Inverter,
         {{1, "型号"}, {2, "额定电流"}, {3, "额定输出电压"}, {5, "额定转矩"}, {6, "直流电压"}, {12, "极对数"},
          {19, "管压降U0"}, {22, "转矩提升电压"}, {24, "KTL"}},
         {25, 43}},
        {DeviceClass::ActiveRectifier,
         {{2, "直流电流"}, {4, "额定功率"}, {5, "电容功率系数"}, {9, "直流电压过压门槛"}, {11, "单机网侧电感值"},
          {15, "网侧交流电压"}, {16, "网侧交流电流"}, {18, "单机直流侧电容值"}},
         {3, 12, 13, 14, 19, 22, 24}},
        {DeviceClass::FeedbackRectifier,
         {{2, "装置额定交流电流"}, {3, "装置额定交流电压"}, {5, "装置额定直流电流"}, {10, "直流电压偏置系数"},
          {13, "从站实际数目"}, {17, "额定直流电流"}, {22, "直流母线过压故障门槛"}},
         {11, 12, 18, 21, 23}},
        {DeviceClass::BasicRectifier, {{2, "装置额定交流电流"}, {6, "直流电压"}, {22, "直流母线过压故障门槛"}}, {11, 12}},
        {DeviceClass::TestBench, {{1, "型号"}}, {2, 3, 6, 22}},
    };
    for (const Case& c : cases) {
        const auto names = baseValueColumnNames(c.deviceClass);
        for (const auto& [column, name] : c.columns)
            EXPECT_EQ(names[column], name) << static_cast<int>(c.deviceClass) << " column " << column;

        // Every column name there is, plus some the class does not read.
        QStringList columns = requiredBaseValueColumns(c.deviceClass);
        columns << "额定转矩" << "网侧交流电压" << "无关列";
        columns.removeDuplicates();
        const auto rows = baseValueRowsFromTable(tableWith(columns, {"37", "55"}), c.deviceClass, nullptr);
        ASSERT_TRUE(rows);
        ASSERT_EQ(rows->size(), 2u);
        const UbaseInfo& second = (*rows)[1];
        EXPECT_EQ(second.columns[0], "55");
        for (const auto& [column, name] : c.columns)
            EXPECT_EQ(second.columns[column], "55/" + name) << static_cast<int>(c.deviceClass);
        for (int column : c.empty)
            EXPECT_EQ(second.columns[column], "") << static_cast<int>(c.deviceClass) << " column " << column;
    }
    EXPECT_EQ(requiredBaseValueColumns(DeviceClass::Inverter).size(), 25);
    EXPECT_EQ(requiredBaseValueColumns(DeviceClass::TestBench), QStringList({"P参数读取值", "型号"}));
    EXPECT_TRUE(requiredBaseValueColumns(DeviceClass::None).isEmpty());
}

TEST(BaseValueWorkbook, rowsWithoutKeyAreLeftOutAndCellsTrimmed)
{
    XlsxTable table;
    table.columnNames = requiredBaseValueColumns(DeviceClass::BasicRectifier);
    const int width = static_cast<int>(table.columnNames.size());
    auto rowWith = [&](const QString& key, const QString& model) {
        QStringList cells(width, QString());
        cells[0] = key;
        cells[1] = model;
        return XlsxRow{0, cells};
    };
    table.rows = {rowWith(" 12 ", " BLM-12 "), rowWith("", "无键"), rowWith("   ", "空白键"), rowWith("13", "")};
    const auto rows = baseValueRowsFromTable(table, DeviceClass::BasicRectifier, nullptr);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0].columns[0], "12");
    EXPECT_EQ((*rows)[0].columns[1], "BLM-12");
    EXPECT_EQ((*rows)[1].columns[0], "13");
}

TEST(BaseValueWorkbook, aMissingColumnOfTheClassIsNamed)
{
    QStringList columns = requiredBaseValueColumns(DeviceClass::Inverter);
    columns.removeAll("KTL");
    columns.removeAll("型号");
    QStringList missing;
    EXPECT_FALSE(baseValueRowsFromTable(tableWith(columns, {"37"}), DeviceClass::Inverter, &missing));
    EXPECT_EQ(missing, QStringList({"型号", "KTL"}));
    // The same sheet serves an active rectifier only if it has that class's names.
    EXPECT_FALSE(baseValueRowsFromTable(tableWith(requiredBaseValueColumns(DeviceClass::Inverter), {"37"}),
                                        DeviceClass::ActiveRectifier, &missing));
    EXPECT_TRUE(missing.contains("电容功率系数"));
}

}  // namespace

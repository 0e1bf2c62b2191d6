#include "BaseValueWorkbook.h"

#include <initializer_list>
#include <utility>

using namespace hesk::model;

namespace hesk::creation {

namespace {

using ColumnList = std::initializer_list<std::pair<int, const char*>>;

const ColumnList kInverterColumns{
    {2, "额定电流"},     {3, "额定输出电压"}, {4, "额定功率"},   {5, "额定转矩"},    {6, "直流电压"},
    {7, "电流标定系数"}, {8, "电压标定系数"}, {9, "过压门槛"},   {10, "开关频率"},   {11, "额定频率"},
    {12, "极对数"},      {13, "从站实际数目"}, {14, "从站使能"},  {15, "死区时间"},   {16, "上升时间"},
    {17, "下降时间"},    {18, "电容系数"},     {19, "管压降U0"},  {20, "管压降U1"},   {21, "管压降U2"},
    {22, "转矩提升电压"}, {23, "提升电流"},    {24, "KTL"},
};

const ColumnList kActiveRectifierColumns{
    {2, "直流电流"},          {4, "额定功率"},          {5, "电容功率系数"},     {6, "直流电压"},
    {7, "交流电流标定系数"},  {8, "交流电压标定系数"},  {9, "直流电压过压门槛"}, {10, "直流电压标定系数"},
    {11, "单机网侧电感值"},   {15, "网侧交流电压"},     {16, "网侧交流电流"},     {17, "单机滤波电容值"},
    {18, "单机直流侧电容值"},
};

const ColumnList kRectifierColumns{
    {2, "装置额定交流电流"},  {3, "装置额定交流电压"}, {4, "额定功率"},         {5, "装置额定直流电流"},
    {6, "直流电压"},          {7, "交流电流标定系数"}, {8, "交流电压标定系数"}, {9, "直流电压标定系数"},
    {10, "直流电压偏置系数"}, {13, "从站实际数目"},     {14, "从站使能"},         {15, "网侧交流电压"},
    {16, "网侧交流电流"},     {17, "额定直流电流"},     {22, "直流母线过压故障门槛"},
};

const ColumnList kNoClassColumns{};

const ColumnList* classColumns(DeviceClass deviceClass)
{
    switch (deviceClass) {
    case DeviceClass::Inverter: return &kInverterColumns;
    case DeviceClass::ActiveRectifier: return &kActiveRectifierColumns;
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier: return &kRectifierColumns;
    case DeviceClass::TestBench: return &kNoClassColumns;
    case DeviceClass::None: break;
    }
    return nullptr;
}

}  // namespace

std::array<QString, kUbaseColumns> baseValueColumnNames(DeviceClass deviceClass)
{
    std::array<QString, kUbaseColumns> names;
    const ColumnList* columns = classColumns(deviceClass);
    if (!columns)
        return names;
    names[0] = QStringLiteral("P参数读取值");
    names[1] = QStringLiteral("型号");
    for (const auto& [column, name] : *columns)
        names[static_cast<std::size_t>(column)] = QString::fromUtf8(name);
    return names;
}

QStringList requiredBaseValueColumns(DeviceClass deviceClass)
{
    QStringList list;
    for (const QString& name : baseValueColumnNames(deviceClass))
        if (!name.isEmpty())
            list.append(name);
    return list;
}

std::optional<std::vector<UbaseInfo>> baseValueRowsFromTable(const XlsxTable& table, DeviceClass deviceClass,
                                                             QStringList* missingColumns)
{
    const std::array<QString, kUbaseColumns> names = baseValueColumnNames(deviceClass);
    const QStringList missing = table.missingColumns(requiredBaseValueColumns(deviceClass));
    if (!missing.isEmpty()) {
        if (missingColumns)
            *missingColumns = missing;
        return std::nullopt;
    }
    std::array<int, kUbaseColumns> source;
    for (std::size_t column = 0; column < names.size(); ++column)
        source[column] = names[column].isEmpty() ? -1 : table.columnIndex(names[column]);

    std::vector<UbaseInfo> rows;
    if (source[0] < 0)
        return rows;  // class 0 reads nothing
    for (const XlsxRow& row : table.rows) {
        const QString key = row.cells[source[0]].trimmed();
        if (key.isEmpty())
            continue;
        UbaseInfo& info = rows.emplace_back();
        for (std::size_t column = 0; column < names.size(); ++column)
            if (source[column] >= 0)
                info.columns[column] = row.cells[source[column]].trimmed();
    }
    return rows;
}

}  // namespace hesk::creation

#include "BaseValueRows.h"

#include <cmath>

namespace hesk::samples {

namespace {

using model::DeviceClass;
using model::UbaseInfo;

struct PowerUnit {
    int key;
    int lineVoltage;  // V
    double power;     // kW
    int slaves;
};

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// A calibration factor close to 1, different per unit but fixed.
QString calibration(int key, int salt)
{
    const int step = (key * 37 + salt * 11) % 41 - 20;  // -20 .. 20
    return number(1.0 + step / 1000.0, 4);
}

QString modelName(const QString& code, int lineVoltage, double power, int slaves)
{
    QString text = QStringLiteral("%1-%2-%3")
                       .arg(code)
                       .arg(lineVoltage > 500 ? 6 : 4)
                       .arg(static_cast<int>(std::lround(power * 10)), 5, 10, QLatin1Char('0'));
    if (slaves > 0)
        text += QStringLiteral("P%1").arg(slaves + 1);
    return text;
}

std::vector<BaseValueColumn> columnsOf(const std::vector<std::pair<int, const char*>>& list)
{
    std::vector<BaseValueColumn> columns{{0, QStringLiteral("P参数读取值")}, {1, QStringLiteral("型号")}};
    for (const auto& [index, name] : list)
        columns.push_back({index, QString::fromUtf8(name)});
    return columns;
}

BaseValueSheet inverterSheet()
{
    BaseValueSheet sheet;
    sheet.columns = columnsOf({{2, "额定电流"}, {3, "额定输出电压"}, {4, "额定功率"}, {5, "额定转矩"},
                               {6, "直流电压"}, {7, "电流标定系数"}, {8, "电压标定系数"}, {9, "过压门槛"},
                               {10, "开关频率"}, {11, "额定频率"}, {12, "极对数"}, {13, "从站实际数目"},
                               {14, "从站使能"}, {15, "死区时间"}, {16, "上升时间"}, {17, "下降时间"},
                               {18, "电容系数"}, {19, "管压降U0"}, {20, "管压降U1"}, {21, "管压降U2"},
                               {22, "转矩提升电压"}, {23, "提升电流"}, {24, "KTL"}});
    std::vector<PowerUnit> units;
    const double low[] = {7.5, 11, 15, 18.5, 22, 30, 37, 45, 55, 75, 90, 110, 132, 160, 200, 250, 315};
    int key = 101;
    for (double p : low)
        units.push_back({key++, 380, p, 0});
    key = 121;
    const double high[] = {55, 75, 90, 110, 132, 160, 200, 250, 315, 400, 500, 560};
    for (double p : high)
        units.push_back({key++, 690, p, 0});
    units.push_back({141, 690, 1100, 1});
    units.push_back({142, 690, 1650, 2});
    units.push_back({143, 690, 2200, 3});
    for (const PowerUnit& u : units) {
        UbaseInfo row;
        auto& c = row.columns;
        // The rated current of the motor the unit is made for (power factor 0.86,
        // efficiency 93 %), so that P = sqrt(3) U I cos(phi) eta holds for the motor data
        // of the sample projects (P0101..P0113 at the base values).
        const double current = u.power * 1000.0 / (std::sqrt(3.0) * u.lineVoltage * 0.86 * 0.93);
        const bool high = u.lineVoltage > 500;
        c[0] = QString::number(u.key);
        c[1] = modelName(QStringLiteral("VRA1"), u.lineVoltage, u.power, u.slaves);
        c[2] = number(current, 1);
        c[3] = QString::number(u.lineVoltage);
        c[4] = number(u.power, 1);
        c[5] = number(u.power * 9550.0 / 1480.0, 1);
        c[6] = high ? QStringLiteral("930") : QStringLiteral("540");
        c[7] = calibration(u.key, 1);
        c[8] = calibration(u.key, 2);
        c[9] = high ? QStringLiteral("1220") : QStringLiteral("820");
        c[10] = u.power <= 22 ? QStringLiteral("5") : u.power <= 90 ? QStringLiteral("2.5")
                : u.power <= 250 ? QStringLiteral("2") : QStringLiteral("1.25");
        c[11] = QStringLiteral("50");
        c[12] = QStringLiteral("2");
        c[13] = QString::number(u.slaves);
        c[14] = u.slaves > 0 ? QStringLiteral("1") : QStringLiteral("0");
        c[15] = u.power <= 90 ? QStringLiteral("3.2") : QStringLiteral("4.8");
        c[16] = number(u.power <= 90 ? 0.3 : 0.5, 1);
        c[17] = number(u.power <= 90 ? 0.4 : 0.6, 1);
        c[18] = number(1.0 + (u.key % 5) * 0.05, 2);
        c[19] = QStringLiteral("0.8");
        c[20] = QStringLiteral("1.2");
        c[21] = QStringLiteral("1.6");
        c[22] = number(u.power <= 22 ? 3.0 : 2.0, 1);
        c[23] = QStringLiteral("50");
        c[24] = number(1.0 + (u.key % 3) * 0.02, 2);
        sheet.rows.push_back(row);
    }
    sheet.defaultKey = QStringLiteral("109");  // 380 V, 55 kW
    return sheet;
}

BaseValueSheet activeRectifierSheet()
{
    BaseValueSheet sheet;
    sheet.columns = columnsOf({{2, "直流电流"}, {4, "额定功率"}, {5, "电容功率系数"}, {6, "直流电压"},
                               {7, "交流电流标定系数"}, {8, "交流电压标定系数"}, {9, "直流电压过压门槛"},
                               {10, "直流电压标定系数"}, {11, "单机网侧电感值"}, {15, "网侧交流电压"},
                               {16, "网侧交流电流"}, {17, "单机滤波电容值"}, {18, "单机直流侧电容值"}});
    std::vector<PowerUnit> units;
    int key = 201;
    for (double p : {75.0, 110.0, 160.0, 250.0, 355.0, 500.0})
        units.push_back({key++, 380, p, 0});
    for (double p : {250.0, 355.0, 500.0, 710.0, 900.0, 1100.0})
        units.push_back({key++, 690, p, 0});
    for (const PowerUnit& u : units) {
        UbaseInfo row;
        auto& c = row.columns;
        const bool high = u.lineVoltage > 500;
        const double dc = high ? 1080.0 : 600.0;
        c[0] = QString::number(u.key);
        c[1] = modelName(QStringLiteral("AIC"), u.lineVoltage, u.power, 0);
        c[2] = number(u.power * 1000.0 / dc, 1);
        c[4] = QString::number(static_cast<int>(u.power));
        c[5] = number(0.95 + (u.key % 4) * 0.01, 2);
        c[6] = QString::number(static_cast<int>(dc));
        c[7] = calibration(u.key, 3);
        c[8] = calibration(u.key, 4);
        c[9] = high ? QStringLiteral("1220") : QStringLiteral("820");
        c[10] = calibration(u.key, 5);
        c[11] = number(30.0 / u.power, 3);
        c[15] = QString::number(u.lineVoltage);
        c[16] = QString::number(static_cast<int>(std::lround(u.power * 1000.0 / (std::sqrt(3.0) * u.lineVoltage))));
        c[17] = QString::number(static_cast<int>(u.power * 2));
        c[18] = QString::number(static_cast<int>(u.power * 40));
        sheet.rows.push_back(row);
    }
    sheet.defaultKey = QStringLiteral("204");  // 380 V, 250 kW
    return sheet;
}

BaseValueSheet rectifierSheet(const QString& code, int firstKey, const QString& defaultKey)
{
    BaseValueSheet sheet;
    sheet.columns = columnsOf({{2, "装置额定交流电流"}, {3, "装置额定交流电压"}, {4, "额定功率"},
                               {5, "装置额定直流电流"}, {6, "直流电压"}, {7, "交流电流标定系数"},
                               {8, "交流电压标定系数"}, {9, "直流电压标定系数"}, {10, "直流电压偏置系数"},
                               {13, "从站实际数目"}, {14, "从站使能"}, {15, "网侧交流电压"},
                               {16, "网侧交流电流"}, {17, "额定直流电流"}, {22, "直流母线过压故障门槛"}});
    std::vector<PowerUnit> units;
    int key = firstKey;
    for (double p : {110.0, 200.0, 355.0, 500.0})
        units.push_back({key++, 400, p, 0});
    for (double p : {355.0, 630.0, 900.0, 1200.0})
        units.push_back({key++, 690, p, 0});
    units.push_back({key++, 690, 2400.0, 1});
    units.push_back({key++, 690, 3600.0, 2});
    for (const PowerUnit& u : units) {
        UbaseInfo row;
        auto& c = row.columns;
        const double dc = 1.35 * u.lineVoltage;
        const double acCurrent = u.power * 1000.0 / (std::sqrt(3.0) * u.lineVoltage * 0.95);
        c[0] = QString::number(u.key);
        c[1] = modelName(code, u.lineVoltage, u.power, u.slaves);
        c[2] = number(acCurrent, 1);
        c[3] = QString::number(u.lineVoltage);
        c[4] = QString::number(static_cast<int>(u.power));
        c[5] = number(u.power * 1000.0 / dc, 1);
        c[6] = QString::number(static_cast<int>(std::lround(dc)));
        c[7] = calibration(u.key, 6);
        c[8] = calibration(u.key, 7);
        c[9] = calibration(u.key, 8);
        c[10] = number(((u.key % 7) - 3) * 0.1, 1);
        c[13] = QString::number(u.slaves);
        c[14] = u.slaves > 0 ? QStringLiteral("1") : QStringLiteral("0");
        c[15] = QString::number(u.lineVoltage);
        c[16] = number(acCurrent, 1);
        c[17] = number(u.power * 1000.0 / dc, 1);
        c[22] = QString::number(static_cast<int>(std::lround(dc * 1.3)));
        sheet.rows.push_back(row);
    }
    sheet.defaultKey = defaultKey;
    return sheet;
}

}  // namespace

BaseValueSheet makeBaseValueSheet(const SampleProfile& profile)
{
    switch (profile.deviceClass) {
    case DeviceClass::Inverter: return inverterSheet();
    case DeviceClass::ActiveRectifier: return activeRectifierSheet();
    case DeviceClass::FeedbackRectifier: return rectifierSheet(QStringLiteral("SLM"), 301, QStringLiteral("305"));
    case DeviceClass::BasicRectifier: return rectifierSheet(QStringLiteral("BLM"), 401, QStringLiteral("403"));
    case DeviceClass::TestBench: {
        // The test bench selects no base values; its table names the units under test.
        BaseValueSheet sheet = rectifierSheet(QStringLiteral("PTB"), 501, QStringLiteral("502"));
        sheet.rows.resize(4);
        return sheet;
    }
    case DeviceClass::None: break;
    }
    return {};
}

}  // namespace hesk::samples

#include "QuickSetupTexts.h"

#include "DriveStates.h"
#include "PanelView.h"

#include <array>

namespace hesk::operation {

QString productTypeText(model::DeviceClass deviceClass, const QString& cpuName)
{
    switch (deviceClass) {
    case model::DeviceClass::FeedbackRectifier: return QStringLiteral("整流回馈电源");
    case model::DeviceClass::ActiveRectifier: return QStringLiteral("有源整流电源");
    case model::DeviceClass::BasicRectifier: return QStringLiteral("基本型整流电源");
    case model::DeviceClass::Inverter:
    case model::DeviceClass::TestBench: return cpuName;
    case model::DeviceClass::None: break;
    }
    return QStringLiteral("未知");
}

QString controlModeText(int mode)
{
    static const std::array<QString, 5> texts{
        QStringLiteral("v/f控制"), QStringLiteral("纺织应用的v/f控制"), QStringLiteral("频率控制（不带码盘）"),
        QStringLiteral("速度控制（带码盘）"), QStringLiteral("转矩控制")};
    if (mode < 0 || mode >= static_cast<int>(texts.size()))
        return QStringLiteral("未知");
    return texts[static_cast<std::size_t>(mode)];
}

QString commandSourceText(int source)
{
    switch (source) {
    case 0: return QStringLiteral("小键盘");
    case 1: return QStringLiteral("模拟量输入和端子排");
    case 2: return QStringLiteral("固定设定值和端子排");
    case 3: return QStringLiteral("电动电位计和端子排");
    case 4: return QStringLiteral("USS通讯");
    // The drive numbers the field bus 6; 5 is not a source.
    case 6: return QStringLiteral("Profibus DP通讯");
    default: break;
    }
    return QStringLiteral("未知");
}

std::optional<QString> encoderText(int connection)
{
    if (connection == 11)
        return QStringLiteral("带编码器");
    return std::nullopt;
}

std::optional<QString> identificationRequestText(int request)
{
    static const std::array<QString, 6> texts{
        QStringLiteral(" -- "),           QStringLiteral("1 [自动参数设置]"), QStringLiteral("2 [静止测量]"),
        QStringLiteral("3 [完全电机辨识]"), QStringLiteral("4 [旋转测量]"),     QStringLiteral("5 [转动惯量测量]")};
    if (request < 0 || request >= static_cast<int>(texts.size()))
        return std::nullopt;
    return texts[static_cast<std::size_t>(request)];
}

QString restoreStateText(int state)
{
    return state == 0 ? QStringLiteral("复位完成") : QStringLiteral("正在复位...");
}

std::optional<QString> codedValueText(const model::HeskParameterElement& element, uint16_t raw)
{
    const int value = static_cast<int16_t>(raw);
    const bool settable = element.isSettable();
    switch (element.number) {
    case 1:
        if (!settable)
            return driveStateText(value);
        break;
    case 970:
        if (settable)
            return restoreStateText(value);
        break;
    case 100:
        if (settable)
            return controlModeText(value);
        break;
    case 368:
        if (settable)
            return commandSourceText(value);
        break;
    case 130:
        if (settable)
            return encoderText(value);
        break;
    case 115:
        if (settable)
            return identificationRequestText(value);
        break;
    default: break;
    }
    return std::nullopt;
}

QString quickSetupValueText(model::OpenedProject& project, const link::OnlineValueTables& tables,
                            const model::HeskParameterElement& element, std::optional<uint16_t> raw)
{
    // Empty while not reported; r0071..r0073 have no device word but a value from the
    // formulas.
    const QString shown = panelValueText(project, tables, &element);
    if (!shown.isEmpty() && raw)
        if (std::optional<QString> coded = codedValueText(element, *raw))
            return *coded;
    return shown;
}

}  // namespace hesk::operation

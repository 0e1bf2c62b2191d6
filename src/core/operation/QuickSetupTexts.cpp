#include "QuickSetupTexts.h"

#include "DriveStates.h"
#include "PanelView.h"

#include <QCoreApplication>

#include <array>

namespace hesk::operation {

QString productTypeText(model::DeviceClass deviceClass, const QString& cpuName)
{
    switch (deviceClass) {
    case model::DeviceClass::FeedbackRectifier: return QCoreApplication::translate("QuickSetupTexts", "整流回馈电源");
    case model::DeviceClass::ActiveRectifier: return QCoreApplication::translate("QuickSetupTexts", "有源整流电源");
    case model::DeviceClass::BasicRectifier: return QCoreApplication::translate("QuickSetupTexts", "基本型整流电源");
    case model::DeviceClass::Inverter:
    case model::DeviceClass::TestBench: return cpuName;
    case model::DeviceClass::None: break;
    }
    return QCoreApplication::translate("QuickSetupTexts", "未知");
}

QString controlModeText(int mode)
{
    static const std::array<const char*, 5> texts{
        QT_TRANSLATE_NOOP("QuickSetupTexts", "v/f控制"), QT_TRANSLATE_NOOP("QuickSetupTexts", "纺织应用的v/f控制"),
        QT_TRANSLATE_NOOP("QuickSetupTexts", "频率控制（不带码盘）"),
        QT_TRANSLATE_NOOP("QuickSetupTexts", "速度控制（带码盘）"), QT_TRANSLATE_NOOP("QuickSetupTexts", "转矩控制")};
    if (mode < 0 || mode >= static_cast<int>(texts.size()))
        return QCoreApplication::translate("QuickSetupTexts", "未知");
    return QCoreApplication::translate("QuickSetupTexts", texts[static_cast<std::size_t>(mode)]);
}

QString commandSourceText(int source)
{
    switch (source) {
    case 0: return QCoreApplication::translate("QuickSetupTexts", "小键盘");
    case 1: return QCoreApplication::translate("QuickSetupTexts", "模拟量输入和端子排");
    case 2: return QCoreApplication::translate("QuickSetupTexts", "固定设定值和端子排");
    case 3: return QCoreApplication::translate("QuickSetupTexts", "电动电位计和端子排");
    case 4: return QCoreApplication::translate("QuickSetupTexts", "USS通讯");
    // The drive numbers the field bus 6; 5 is not a source.
    case 6: return QCoreApplication::translate("QuickSetupTexts", "Profibus DP通讯");
    default: break;
    }
    return QCoreApplication::translate("QuickSetupTexts", "未知");
}

std::optional<QString> encoderText(int connection)
{
    if (connection == 11)
        return QCoreApplication::translate("QuickSetupTexts", "带编码器");
    return std::nullopt;
}

std::optional<QString> identificationRequestText(int request)
{
    static const std::array<const char*, 6> texts{" -- ",
                                                  QT_TRANSLATE_NOOP("QuickSetupTexts", "1 [自动参数设置]"),
                                                  QT_TRANSLATE_NOOP("QuickSetupTexts", "2 [静止测量]"),
                                                  QT_TRANSLATE_NOOP("QuickSetupTexts", "3 [完全电机辨识]"),
                                                  QT_TRANSLATE_NOOP("QuickSetupTexts", "4 [旋转测量]"),
                                                  QT_TRANSLATE_NOOP("QuickSetupTexts", "5 [转动惯量测量]")};
    if (request < 0 || request >= static_cast<int>(texts.size()))
        return std::nullopt;
    if (request == 0)
        return QString::fromLatin1(texts[0]);
    return QCoreApplication::translate("QuickSetupTexts", texts[static_cast<std::size_t>(request)]);
}

QString restoreStateText(int state)
{
    return state == 0 ? QCoreApplication::translate("QuickSetupTexts", "复位完成")
                      : QCoreApplication::translate("QuickSetupTexts", "正在复位...");
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

#include "SpecialOptions.h"

#include <QCoreApplication>

namespace hesk::editing {

namespace {

using model::DeviceClass;

constexpr uint16_t kFactoryRestore = 970;

// The names are only shown (the value rides along), so they are translated here.
std::vector<SpecialOption> options(std::initializer_list<std::pair<const char*, const char*>> list)
{
    std::vector<SpecialOption> result;
    for (const auto& [value, name] : list)
        result.push_back({QString::fromUtf8(value), QCoreApplication::translate("SpecialOptions", name)});
    return result;
}

bool isRectifier(DeviceClass c)
{
    return c == DeviceClass::FeedbackRectifier || c == DeviceClass::ActiveRectifier
           || c == DeviceClass::BasicRectifier;
}

// Options shared by the inverter and the rectifiers.
std::vector<SpecialOption> commonOptions(uint16_t number)
{
    switch (number) {
    case 372: return options({{"0", "OFF1"}, {"1", "OFF3"}});
    case 956:
        return options({{"0", QT_TRANSLATE_NOOP("SpecialOptions", "不保存")},
                        {"1", QT_TRANSLATE_NOOP("SpecialOptions", "保存")}});
    case kFactoryRestore:
        return options({{"0", QT_TRANSLATE_NOOP("SpecialOptions", "不恢复")},
                        {"1", QT_TRANSLATE_NOOP("SpecialOptions", "开始恢复")}});
    default: return {};
    }
}

std::vector<SpecialOption> inverterOptions(uint16_t number)
{
    switch (number) {
    case 60:
        return options({{"1", QT_TRANSLATE_NOOP("SpecialOptions", "参数菜单")},
                        {"2", QT_TRANSLATE_NOOP("SpecialOptions", "固定设置")},
                        {"5", QT_TRANSLATE_NOOP("SpecialOptions", "快速调试")},
                        {"7", QT_TRANSLATE_NOOP("SpecialOptions", "驱动设置")},
                        {"8", QT_TRANSLATE_NOOP("SpecialOptions", "功率部分定义")}});
    case 100:
        return options({{"0", QT_TRANSLATE_NOOP("SpecialOptions", "v/f控制")},
                        {"1", QT_TRANSLATE_NOOP("SpecialOptions", "纺织应用的v/f控制")},
                        {"2", QT_TRANSLATE_NOOP("SpecialOptions", "频率控制(不带码盘)")},
                        {"3", QT_TRANSLATE_NOOP("SpecialOptions", "速度控制(带码盘)")},
                        {"4", QT_TRANSLATE_NOOP("SpecialOptions", "转矩控制")}});
    case 115:
        return options({{"0", QT_TRANSLATE_NOOP("SpecialOptions", "无")},
                        {"1", QT_TRANSLATE_NOOP("SpecialOptions", "自动参数设置")},
                        {"2", QT_TRANSLATE_NOOP("SpecialOptions", "静止测量")},
                        {"3", QT_TRANSLATE_NOOP("SpecialOptions", "完全电机辨识")},
                        {"4", QT_TRANSLATE_NOOP("SpecialOptions", "旋转测量")},
                        {"5", QT_TRANSLATE_NOOP("SpecialOptions", "转动惯量测量")}});
    case 130:
        return options({{"10", QT_TRANSLATE_NOOP("SpecialOptions", "无测速机")},
                        {"11", QT_TRANSLATE_NOOP("SpecialOptions", "带编码器")}});
    case 201:
        return options({{"1", QT_TRANSLATE_NOOP("SpecialOptions", "交流输入")},
                        {"2", QT_TRANSLATE_NOOP("SpecialOptions", "直流输入")},
                        {"4", QT_TRANSLATE_NOOP("SpecialOptions", "带回馈单元")}});
    case 348:
        return options({{"0", QT_TRANSLATE_NOOP("SpecialOptions", "关闭")},
                        {"1", QT_TRANSLATE_NOOP("SpecialOptions", "投入")}});
    case 368:
        return options({{"0", QT_TRANSLATE_NOOP("SpecialOptions", "小键盘")},
                        {"1", QT_TRANSLATE_NOOP("SpecialOptions", "模拟量输入和端子排")},
                        {"2", QT_TRANSLATE_NOOP("SpecialOptions", "固定设定值和端子排")},
                        {"3", QT_TRANSLATE_NOOP("SpecialOptions", "电动电位计和端子排")},
                        {"4", QT_TRANSLATE_NOOP("SpecialOptions", "USS通讯")},
                        {"6", QT_TRANSLATE_NOOP("SpecialOptions", "Profibus DP通讯")}});
    case 514:
        return options({{"0", QT_TRANSLATE_NOOP("SpecialOptions", "主机")},
                        {"1", QT_TRANSLATE_NOOP("SpecialOptions", "从机")}});
    case 702:
        return options({{"0", QT_TRANSLATE_NOOP("SpecialOptions", "无")},
                        {"3", "USS"},
                        {"4", QT_TRANSLATE_NOOP("SpecialOptions", "自由协议")}});
    default: return commonOptions(number);
    }
}

std::vector<SpecialOption> rectifierOptions(uint16_t number)
{
    if (number == 60)
        return options({{"1", QT_TRANSLATE_NOOP("SpecialOptions", "参数菜单")},
                        {"2", QT_TRANSLATE_NOOP("SpecialOptions", "固定设置")},
                        {"5", QT_TRANSLATE_NOOP("SpecialOptions", "快速调试")},
                        {"8", QT_TRANSLATE_NOOP("SpecialOptions", "功率部分定义")}});
    return commonOptions(number);
}

}  // namespace

std::vector<SpecialOption> specialOptions(DeviceClass deviceClass, uint16_t number)
{
    if (deviceClass == DeviceClass::Inverter)
        return inverterOptions(number);
    if (isRectifier(deviceClass))
        return rectifierOptions(number);
    return {};
}

std::optional<QString> specialOptionName(DeviceClass deviceClass, uint16_t number, const QString& value)
{
    const QString trimmed = value.trimmed();
    for (const SpecialOption& option : specialOptions(deviceClass, number))
        if (option.value == trimmed)
            return option.name;
    return std::nullopt;
}

QString specialOptionText(DeviceClass deviceClass, uint16_t number, const QString& value)
{
    const std::optional<QString> name = specialOptionName(deviceClass, number, value);
    return name ? QStringLiteral("%1 (%2)").arg(*name, value.trimmed()) : value;
}

bool isFactoryRestoreChoice(uint16_t number, const QString& value)
{
    return number == kFactoryRestore && value.trimmed() == QLatin1String("1");
}

model::UserMessage factoryRestoreWhileControlHeld()
{
    return model::UserMessage::warning(QCoreApplication::translate("SpecialOptions", "请先释放控制权，再进行恢复出厂设置操作！"));
}

}  // namespace hesk::editing

#include "TriggerSettings.h"

#include "model/DeviceCatalogue.h"
#include "model/OpenedProject.h"
#include "model/ParameterNumbering.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace hesk::recording {

namespace {

using model::UserMessage;

UserMessage warning(const char* text)
{
    return UserMessage::warning(QCoreApplication::translate("TriggerSettings", text));
}

std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

const model::HeskParameterElement* elementNumbered(const model::HeskProject& project, int number)
{
    for (const model::HeskParameterElement& e : project.elements)
        if (e.number == number)
            return &e;
    return nullptr;
}

const char* operatorText(int32_t op)
{
    switch (op) {
    case 0: return " < ";
    case 1: return " > ";
    case 2: return " = ";
    default: return " <> ";
    }
}

}  // namespace

std::vector<int> TriggerSettings::activeChannels() const
{
    std::vector<int> active;
    for (size_t i = 0; i < channels.size() && i < static_cast<size_t>(kRecorderChannels); ++i)
        if (channels[i].address != 0)
            active.push_back(static_cast<int>(i));
    return active;
}

int32_t recorderDeviceCode(const model::OpenedProject& project)
{
    switch (project.deviceClass()) {
    case model::DeviceClass::Inverter: return 1;
    case model::DeviceClass::FeedbackRectifier: return 2;
    case model::DeviceClass::ActiveRectifier: return 3;
    case model::DeviceClass::BasicRectifier: return 4;
    default: return 0;
    }
}

QString deviceCodeName(int32_t deviceCode)
{
    switch (deviceCode) {
    case 1: return QStringLiteral("VRA1");
    case 2: return QStringLiteral("SLM");
    case 3: return QStringLiteral("AIC");
    case 4: return QStringLiteral("BLM");
    default: return {};
    }
}

std::optional<TRSETCHANEL> channelFor(const model::OpenedProject& project, const QString& connector)
{
    const model::HeskParameterElement* e = project.find(connector.trimmed());
    if (e == nullptr)
        return std::nullopt;
    TRSETCHANEL channel;
    channel.address = e->address;
    channel.slot = e->address;
    channel.name = model::displayNumber(project.project(), *e, false);
    if (channel.name.isEmpty())
        channel.name = connector.trimmed();
    channel.text = e->name.isEmpty() ? channel.name : channel.name + QLatin1Char(' ') + e->name;
    return channel;
}

TriggerSettings defaultTriggerSettings(const model::OpenedProject& project)
{
    TriggerSettings settings;
    settings.deviceCode = recorderDeviceCode(project);
    for (int i = 0; i < kRecorderChannels; ++i) {
        const QString name = QStringLiteral("K%1").arg(i, 4, 10, QLatin1Char('0'));
        if (std::optional<TRSETCHANEL> channel = channelFor(project, name))
            settings.channels[static_cast<size_t>(i)] = *channel;
    }
    return settings;
}

std::optional<model::UserMessage> validateTriggerSettings(const TriggerSettingsForm& form)
{
    bool anyChannel = false;
    for (bool ticked : form.channelTicked)
        anyChannel = anyChannel || ticked;
    if (!anyChannel)
        return warning(QT_TRANSLATE_NOOP("TriggerSettings", "通道设置不能为空，请您至少激活一条通道！"));
    if (form.samplingPeriod.trimmed().isEmpty())
        return warning(QT_TRANSLATE_NOOP("TriggerSettings", "采样周期不能为空！"));
    const std::optional<int> period = wholeNumber(form.samplingPeriod);
    if (!period || *period < 1 || *period > 99)
        return warning(QT_TRANSLATE_NOOP("TriggerSettings", "采样周期超过范围1~99，请重新设置！"));
    if (form.preTrigger.trimmed().isEmpty())
        return warning(QT_TRANSLATE_NOOP("TriggerSettings", "预触发设置不能为空！"));
    const std::optional<int> pre = wholeNumber(form.preTrigger);
    if (!pre || *pre < 0 || *pre > 100)
        return warning(QT_TRANSLATE_NOOP("TriggerSettings", "预触发设置超过范围0~100，请重新设置！"));
    if (!form.condition1 && !form.condition2 && !form.faultTrigger)
        return warning(QT_TRANSLATE_NOOP("TriggerSettings", "您必须在条件1、条件2和故障触发中选择一种作为触发条件！"));
    if (form.condition1) {
        if (form.condition1Parameter.trimmed().isEmpty())
            return warning(QT_TRANSLATE_NOOP("TriggerSettings", "触发条件设置中，条件1的触发参数不能为空！"));
        if (form.bitMode) {
            if (form.bitNumber.trimmed().isEmpty())
                return warning(QT_TRANSLATE_NOOP("TriggerSettings", "触发条件设置中，条件1的Bit位选择参数不能为空！"));
        } else if (!form.conditionOperator) {
            return warning(QT_TRANSLATE_NOOP("TriggerSettings", "触发条件设置中，条件1的触发条件不能为空！"));
        }
        if (form.value.trimmed().isEmpty())
            return warning(QT_TRANSLATE_NOOP("TriggerSettings", "触发条件设置中，条件1的触发值不能为空！"));
        if (form.bitMode) {
            const std::optional<int> bit = wholeNumber(form.bitNumber);
            if (!bit || *bit < 0 || *bit > 15)
                return warning(
                    QT_TRANSLATE_NOOP("TriggerSettings", "触发条件设置中，条件1的Bit位超过范围0~15，请重新设置！"));
            const std::optional<int> v = wholeNumber(form.value);
            if (!v || (*v != 0 && *v != 1))
                return warning(
                    QT_TRANSLATE_NOOP("TriggerSettings", "触发条件设置中，Bit位的触发值只能为0或1，请重新设置！"));
        } else {
            const std::optional<double> v = number(form.value);
            if (!v || !conditionWord(*v))
                return warning(QT_TRANSLATE_NOOP("TriggerSettings",
                                                 "触发条件设置中，条件1的触发值超过范围-200~199.996，请重新设置！"));
        }
    }
    if (form.condition2) {
        if (form.condition2Parameter.trimmed().isEmpty())
            return warning(QT_TRANSLATE_NOOP("TriggerSettings", "触发条件设置中，条件2的触发参数不能为空！"));
        if (!form.condition2Value)
            return warning(QT_TRANSLATE_NOOP("TriggerSettings", "触发条件设置中，条件2的触发值不能为空！"));
    }
    return std::nullopt;
}

uint16_t condition2Address(const QString& parameterText, const model::HeskProject& project, uint16_t current)
{
    bool ok = false;
    int n = parameterText.mid(1, 4).toInt(&ok);
    if (!ok)
        return current;
    if (n < 1000)
        n += 9000;
    const model::HeskParameterElement* e = elementNumbered(project, n);
    return e ? e->address : current;
}

uint16_t preTriggerSamples(int preTriggerPercent, int activeChannels)
{
    if (activeChannels <= 0 || preTriggerPercent <= 0)
        return 0;
    // 81.92 = 8192 / 100: the share of the 8192 samples, in whole numbers so that no
    // rounding of 81.92 can move the result.
    const long long n = static_cast<long long>(preTriggerPercent) * kRecorderSamples / (100LL * activeChannels);
    return static_cast<uint16_t>(std::min<long long>(n, 0xFFFF));
}

std::optional<uint16_t> conditionWord(double percent)
{
    if (!std::isfinite(percent) || percent < -200.0 || percent > 199.996)
        return std::nullopt;
    const double word = std::round(percent * 163.84);  // half away from zero
    if (word < -32768.0 || word > 32767.0)
        return std::nullopt;
    return static_cast<uint16_t>(static_cast<int16_t>(word));
}

std::variant<link::CommandFrame, model::UserMessage> conditionFrame(const TriggerSettings& s,
                                                                    const model::HeskProject& project)
{
    if (s.condition1On == 1) {
        if (s.bitMode == 1) {
            const std::optional<int> v = wholeNumber(s.value);
            if (s.bitNumber < 0 || s.bitNumber > 15 || !v || (*v != 0 && *v != 1))
                return UserMessage::error(QCoreApplication::translate(
                    "TriggerSettings", "触发条件设置中，Bit位的触发值只能为0或1，请重新设置！"));
            return link::triggerConditionRequest(s.condition1Address, 5,
                                                 static_cast<uint16_t>((s.bitNumber << 8) | *v));
        }
        const std::optional<double> v = number(s.value);
        const std::optional<uint16_t> word = v ? conditionWord(*v) : std::nullopt;
        if (!word)
            return UserMessage::error(QCoreApplication::translate(
                "TriggerSettings", "触发条件设置中，条件1的触发值超过范围-200~199.996，请重新设置！"));
        if (s.conditionOperator < 0 || s.conditionOperator > 3)
            return UserMessage::error(
                QCoreApplication::translate("TriggerSettings", "触发条件设置中，条件1的触发条件不能为空！"));
        return link::triggerConditionRequest(s.condition1Address, static_cast<uint8_t>(s.conditionOperator + 1), *word);
    }
    if (s.condition2On == 1)
        return link::triggerConditionRequest(s.condition2Address, 3, static_cast<uint16_t>(s.condition2Value));
    if (s.faultTriggerOn == 1) {
        const model::HeskParameterElement* indicator = elementNumbered(project, 9106);
        if (indicator == nullptr)
            return UserMessage::error(QCoreApplication::translate(
                "TriggerSettings", "当前工程没有故障指示参数（9106），无法使用故障触发，触发启动失败！"));
        return link::triggerConditionRequest(indicator->address, 3, 1);
    }
    return UserMessage::warning(
        QCoreApplication::translate("TriggerSettings", "您必须在条件1、条件2和故障触发中选择一种作为触发条件！"));
}

std::variant<StartFrames, model::UserMessage> immediateStartFrames(const TriggerSettings& s)
{
    StartFrames frames;
    const std::vector<int> active = s.activeChannels();
    for (size_t p = 0; p < active.size(); ++p)
        frames.channels.push_back(link::triggerChannelRequest(
            static_cast<uint8_t>(p + 1), static_cast<uint16_t>(s.channels[static_cast<size_t>(active[p])].address)));
    frames.data = link::triggerDataRequest(static_cast<uint8_t>(s.samplingPeriod), 0);
    frames.start = link::triggerImmediateStartRequest();
    return frames;
}

std::variant<StartFrames, model::UserMessage> triggeredStartFrames(const TriggerSettings& s,
                                                                   const model::HeskProject& project)
{
    auto condition = conditionFrame(s, project);
    if (auto* refusal = std::get_if<model::UserMessage>(&condition))
        return *refusal;
    StartFrames frames = std::get<StartFrames>(immediateStartFrames(s));
    const int n = static_cast<int>(frames.channels.size());
    frames.data = link::triggerDataRequest(static_cast<uint8_t>(s.samplingPeriod), preTriggerSamples(s.preTrigger, n));
    frames.condition = std::get<link::CommandFrame>(condition);
    frames.start = link::triggerArmedStartRequest(s.continuous());
    return frames;
}

QString conditionText(const TriggerSettings& s, bool immediate)
{
    if (immediate)
        return QStringLiteral("Start Immediately");
    if (s.condition1On == 1) {
        if (s.bitMode == 1)
            return s.condition1Parameter + QStringLiteral("[%1]").arg(s.bitNumber) + QStringLiteral(" = ") + s.value;
        return s.condition1Parameter + QString::fromLatin1(operatorText(s.conditionOperator)) + s.value;
    }
    if (s.condition2On == 1)
        return s.condition2Parameter + QStringLiteral(" = ") + QString::number(s.condition2Value);
    if (s.faultTriggerOn == 1)
        return QStringLiteral("Fault Trigger");
    return {};
}

}  // namespace hesk::recording

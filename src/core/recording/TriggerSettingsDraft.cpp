#include "TriggerSettingsDraft.h"

#include "model/OpenedProject.h"

#include <QCoreApplication>

namespace hesk::recording {

TriggerSettingsDraft draftOf(const TriggerSettings& s)
{
    TriggerSettingsDraft d;
    for (int i = 0; i < kRecorderChannels; ++i) {
        const TRSETCHANEL& channel = s.channels[static_cast<size_t>(i)];
        d.form.channelTicked[static_cast<size_t>(i)] = channel.address != 0;
        d.channelNames[static_cast<size_t>(i)] = channel.name;
    }
    d.form.samplingPeriod = QString::number(s.samplingPeriod);
    d.form.preTrigger = QString::number(s.preTrigger);
    d.form.condition1 = s.condition1On != 0;
    d.form.condition2 = s.condition2On != 0;
    d.form.faultTrigger = s.faultTriggerOn != 0;
    d.form.condition1Parameter = s.condition1Parameter;
    d.form.bitMode = s.bitMode != 0;
    d.form.bitNumber = QString::number(s.bitNumber);
    if (s.conditionOperator >= 0 && s.conditionOperator <= 3)
        d.form.conditionOperator = static_cast<TriggerOperator>(s.conditionOperator);
    d.form.value = s.value;
    d.form.condition2Parameter = s.condition2Parameter;
    if (!s.condition2ValueText.isEmpty() || s.condition2On)
        d.form.condition2Value = s.condition2Value;
    d.startMode = s.startMode;
    d.savePath = s.savePath;
    return d;
}

std::variant<TriggerSettings, model::UserMessage> settingsFromDraft(const TriggerSettingsDraft& d,
                                                                    const TriggerSettings& base,
                                                                    const model::OpenedProject& project)
{
    if (std::optional<model::UserMessage> refusal = validateTriggerSettings(d.form))
        return *refusal;
    TriggerSettings s = base;
    for (int i = 0; i < kRecorderChannels; ++i) {
        const auto index = static_cast<size_t>(i);
        TRSETCHANEL& channel = s.channels[index];
        if (!d.form.channelTicked[index]) {
            channel.address = 0;  // not active; the name stays for the next time
            channel.name = d.channelNames[index].trimmed();
            continue;
        }
        const std::optional<TRSETCHANEL> chosen = channelFor(project, d.channelNames[index]);
        if (!chosen || chosen->address == 0)
            return model::UserMessage::warning(
                QCoreApplication::translate("TriggerSettingsDraft", "通道%1的参数“%2”在当前工程中不存在，请重新设置！")
                    .arg(i + 1)
                    .arg(d.channelNames[index].trimmed()));
        const int32_t value1 = channel.value1;
        const int32_t value2 = channel.value2;
        channel = *chosen;
        channel.value1 = value1;
        channel.value2 = value2;
    }
    s.samplingPeriod = d.form.samplingPeriod.trimmed().toInt();
    s.preTrigger = d.form.preTrigger.trimmed().toInt();
    s.condition1On = d.form.condition1 ? 1 : 0;
    s.condition2On = d.form.condition2 ? 1 : 0;
    s.faultTriggerOn = d.form.faultTrigger ? 1 : 0;
    s.condition1Parameter = d.form.condition1Parameter.trimmed();
    s.bitMode = d.form.bitMode ? 1 : 0;
    s.bitNumber = d.form.bitNumber.trimmed().toInt();
    s.conditionOperator = static_cast<int32_t>(d.form.conditionOperator.value_or(TriggerOperator::Less));
    s.value = d.form.value.trimmed();
    s.condition2Parameter = d.form.condition2Parameter.trimmed();
    s.condition2Value = d.form.condition2Value.value_or(0);
    s.condition2ValueText = d.form.condition2Value ? QString::number(*d.form.condition2Value) : QString();
    if (s.condition1On) {
        const model::HeskParameterElement* element = project.find(s.condition1Parameter);
        if (!element)
            return model::UserMessage::warning(
                QCoreApplication::translate("TriggerSettingsDraft",
                                            "条件1的触发参数“%1”在当前工程中不存在，请重新设置！")
                    .arg(s.condition1Parameter));
        s.condition1Address = element->address;
    }
    if (s.condition2On) {
        const model::HeskParameterElement* element = project.find(s.condition2Parameter);
        s.condition2Address = condition2Address(s.condition2Parameter, project.project(),
                                                element ? element->address : s.condition2Address);
    }
    s.startMode = d.startMode == continuousTriggerText() ? continuousTriggerText() : singleTriggerText();
    s.savePath = d.savePath.trimmed();
    return s;
}

}  // namespace hesk::recording

#include "EditContextSource.h"

#include <algorithm>

namespace hesk::editing {

namespace {

struct RuleValueSlot {
    const char* keyText;
    bool inverterOnly;
    uint16_t DriveRuleValues::*field;
};

constexpr RuleValueSlot kSlots[] = {
    {"P0053", false, &DriveRuleValues::accessWord},   {"P0060", false, &DriveRuleValues::menuLevel},
    {"r0001", false, &DriveRuleValues::operatingState}, {"r0011", true, &DriveRuleValues::activeDataSet},
    {"P0089", true, &DriveRuleValues::slaveCount},
};

bool usesSlot(model::DeviceClass deviceClass, const RuleValueSlot& slot)
{
    switch (deviceClass) {
    case model::DeviceClass::Inverter: return true;
    case model::DeviceClass::FeedbackRectifier:
    case model::DeviceClass::ActiveRectifier:
    case model::DeviceClass::BasicRectifier: return !slot.inverterOnly;
    default: return false;
    }
}

const model::HeskParameterElement* definitionOf(const model::OpenedProject& project, const RuleValueSlot& slot)
{
    const auto index = project.project().findByKeyText(QString::fromLatin1(slot.keyText));
    return index ? &project.project().elements[*index] : nullptr;
}

}  // namespace

std::vector<const model::HeskParameterElement*> ruleValueParameters(const model::OpenedProject& project)
{
    std::vector<const model::HeskParameterElement*> definitions;
    for (const RuleValueSlot& slot : kSlots) {
        if (!usesSlot(project.deviceClass(), slot))
            continue;
        if (const model::HeskParameterElement* definition = definitionOf(project, slot))
            definitions.push_back(definition);
    }
    return definitions;
}

std::vector<const model::HeskParameterElement*> unreportedEditInputs(const model::OpenedProject& project,
                                                                    const model::HeskParameterElement& parameter,
                                                                    const ReportedLookup& reported)
{
    std::vector<const model::HeskParameterElement*> inputs = ruleValueParameters(project);
    if (std::find(inputs.begin(), inputs.end(), &parameter) == inputs.end())
        inputs.push_back(&parameter);
    std::erase_if(inputs, [&](const model::HeskParameterElement* e) { return reported(*e); });
    return inputs;
}

DriveRuleValues driveRuleValues(const model::OpenedProject& project, const RawWordLookup& raw)
{
    DriveRuleValues values;
    for (const RuleValueSlot& slot : kSlots) {
        if (!usesSlot(project.deviceClass(), slot))
            continue;
        if (const model::HeskParameterElement* definition = definitionOf(project, slot))
            values.*slot.field = raw(*definition).value_or(0);
    }
    return values;
}

bool slaveParametersIndexed(const model::HeskProject& project)
{
    bool indexed = false;
    for (const model::HeskParameterElement& element : project.elements) {
        if (element.number != 848)
            continue;
        if (!element.hasSubIndex())
            return false;
        indexed = true;
    }
    return indexed;
}

EditContext editContext(const model::OpenedProject& project, bool online, const RawWordLookup& raw,
                        RecorderActivity recorder)
{
    EditContext context;
    context.deviceClass = project.deviceClass();
    context.online = online;
    context.recorder = recorder;
    context.slaveParametersIndexed = slaveParametersIndexed(project.project());
    if (online)
        context.values = driveRuleValues(project, raw);
    return context;
}

}  // namespace hesk::editing

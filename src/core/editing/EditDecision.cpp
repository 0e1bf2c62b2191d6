#include "EditDecision.h"

#include "EditMessages.h"
#include "EditRuleLists.h"

namespace hesk::editing {

namespace {

using model::DeviceClass;
using model::HeskParameterElement;

constexpr uint16_t kAccessWord = 53;
constexpr uint16_t kMenuLevel = 60;
constexpr uint16_t kSlaveAddresses = 848;
constexpr uint16_t kCommandWord = 7000;
constexpr uint16_t kSystemCommandSubIndex = 15;

EditDecision refuse(model::UserMessage message, bool focusBackToList = false)
{
    EditDecision decision;
    decision.refusal = std::move(message);
    decision.focusBackToList = focusBackToList;
    return decision;
}

EditDecision open(EditorKind editor)
{
    EditDecision decision;
    decision.editor = editor;
    return decision;
}

bool isRectifier(DeviceClass deviceClass)
{
    return deviceClass == DeviceClass::FeedbackRectifier || deviceClass == DeviceClass::ActiveRectifier
        || deviceClass == DeviceClass::BasicRectifier;
}

// The online rules of a settable inverter parameter; nothing when they pass.
std::optional<model::UserMessage> inverterOnlineRefusal(const EditContext& context, const HeskParameterElement& p)
{
    const DriveRuleValues& v = context.values;
    if (!v.extendedAccess()) {
        const bool allowed = p.number == kAccessWord || (!v.running() && p.number == kMenuLevel);
        if (!allowed)
            return accessStateRefusal();
        return std::nullopt;
    }
    if (v.running()) {
        if (isNotChangeableWhileRunning(p.number))
            return runningRefusal();
    } else {
        const QString forbidden = forbiddenMenuLevels(p.number);
        if (forbidden.contains(QString::number(v.menuLevel)))
            return menuLevelRefusal(forbidden);
    }
    // A definition without a sub-index holds one value for every data set, so it cannot
    // belong to an inactive one.
    if (isMotorDataSetParameter(p.number) && p.hasSubIndex() && p.subIndex != v.activeDataSet)
        return inactiveDataSetRefusal();
    if (p.number == kSlaveAddresses && context.slaveParametersIndexed && p.hasSubIndex()
        && p.subIndex > v.slaveCount)
        return slaveCountRefusal();
    return std::nullopt;
}

EditDecision decideInverter(const EditContext& context, const HeskParameterElement& p)
{
    if (isSystemParameterNumber(DeviceClass::Inverter, p.number)
        || (p.number == kCommandWord && p.subIndex == kSystemCommandSubIndex))
        return refuse(systemParameterRefusal());
    if (p.isSettable() && context.online) {
        if (auto refusal = inverterOnlineRefusal(context, p))
            return refuse(std::move(*refusal));
    }
    if (!p.isSettable())
        return refuse(inverterReadOnlyRefusal());
    return open(editorFor(DeviceClass::Inverter, p));
}

// The rule table of the rectifier supplies (matched by number).
bool rectifierAllows(DeviceClass deviceClass, const DriveRuleValues& v, uint16_t number)
{
    const bool stopped = !v.running();
    if (number == kAccessWord)
        return true;
    if (!v.extendedAccess())
        return (number == kMenuLevel || number == kCommandWord) && stopped;
    if (number == kMenuLevel)
        return stopped;
    if (number == 366 || number == 970)
        return stopped && v.menuLevel == 2;
    if (isRectifierLevel5Parameter(deviceClass, number))
        return stopped && v.menuLevel == 5;
    if (isRectifierLevel8Parameter(deviceClass, number))
        return stopped && v.menuLevel == 8;
    return v.menuLevel == 1;
}

EditDecision decideRectifier(const EditContext& context, const HeskParameterElement& p)
{
    if (isSystemParameterNumber(context.deviceClass, p.number))
        return refuse(systemParameterRefusal());
    if (!p.isSettable())
        return refuse(rectifierReadOnlyRefusal());
    if (context.online && !rectifierAllows(context.deviceClass, context.values, p.number))
        return refuse(rectifierStateRefusal(), true);
    return open(editorFor(context.deviceClass, p));
}

}  // namespace

EditDecision decideValueEdit(const EditContext& context, const HeskParameterElement& parameter)
{
    if (context.recorder.transferring())
        return refuse(recorderTransferringRefusal());
    if (context.deviceClass == DeviceClass::Inverter)
        return decideInverter(context, parameter);
    if (isRectifier(context.deviceClass))
        return decideRectifier(context, parameter);
    return {};  // the test bench has no value editing
}

EditDecision decideCommentEdit()
{
    return open(EditorKind::CommentDialog);
}

EditorKind editorFor(DeviceClass deviceClass, const HeskParameterElement& parameter)
{
    if (parameter.isConnection())
        return EditorKind::ConnectionDialog;
    if (opensSpecialValueEditor(deviceClass, parameter.number))
        return EditorKind::SpecialParameterDialog;
    if (parameter.number == kAccessWord)
        return EditorKind::BitDialog;
    return EditorKind::ValueDialog;
}

}  // namespace hesk::editing

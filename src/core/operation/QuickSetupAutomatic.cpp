#include "QuickSetupAutomatic.h"

#include "DriveStates.h"
#include "SessionDrive.h"

#include "editing/ConnectionEdit.h"
#include "editing/ValueEdit.h"
#include "pages/OfflineValueSet.h"

#include <QCoreApplication>

namespace hesk::operation {

namespace {

bool refusedByMenuLevel(uint16_t level) { return level == 2 || level == 8; }

}  // namespace

model::UserMessage automaticSettingRefusalMessage(AutomaticSetting setting)
{
    if (setting == AutomaticSetting::MotorData)
        return model::UserMessage::warning(QCoreApplication::translate("QuickSetupAutomatic",
                                                                       "当前状态下，不能进行自动设置参数操作！\n"
                                                                       "\n状态提示："
                                                                       "\n    1.请检查设备是否处于运行状态。"
                                                                       "\n    2.请检查参数修改权限是否设置。"
                                                                       "\n    3.修改菜单选择P60的值不为2/8。"));
    return model::UserMessage::warning(QCoreApplication::translate("QuickSetupAutomatic",
                                                                   "当前状态下，不能进行自动设置参数操作！\n"
                                                                   "\n提示："
                                                                   "\n    1.请检查设备是否处于运行状态。"
                                                                   "\n    2.请检查参数修改权限是否设置。"
                                                                   "\n    3.修改菜单选择P60的值为1/5/7。"));
}

std::optional<model::UserMessage> automaticSettingRefusal(AutomaticSetting setting, const AutomaticInputs& inputs)
{
    const bool running = inputs.state && driveRunning(static_cast<int16_t>(*inputs.state));
    const bool noRight = !inputs.accessWord || (*inputs.accessWord & 0x2) == 0;
    const bool level = inputs.menuLevel && refusedByMenuLevel(*inputs.menuLevel);
    if (running || noRight || level)
        return automaticSettingRefusalMessage(setting);
    return std::nullopt;
}

std::vector<AutomaticWrite> automaticSettingWrites(AutomaticSetting setting, const ActiveDataSets& sets)
{
    if (setting == AutomaticSetting::MotorData)
        return {{QStringLiteral("P0115"), QStringLiteral("1")}};
    const QString n = QString::number(sets.bico);
    const QString fixedZero = QStringLiteral("B0000");
    return {{QStringLiteral("P0579.") + n, fixedZero},
            {QStringLiteral("P0578.") + n, fixedZero},
            {QStringLiteral("P0577.") + n, fixedZero},
            {QStringLiteral("P0576.") + n, fixedZero},
            {QStringLiteral("P0590"), fixedZero}};
}

AutomaticOutcome runAutomaticSetting(shell::MonitorSession& session, model::UserPrompt& prompt,
                                     AutomaticSetting setting)
{
    if (!session.isOnline())
        return AutomaticOutcome::Offline;
    model::OpenedProject& project = session.project();
    const model::HeskParameterElement* state = project.find(QStringLiteral("r0001"));
    const model::HeskParameterElement* access = project.find(QStringLiteral("P0053"));
    const model::HeskParameterElement* level = project.find(QStringLiteral("P0060"));
    std::vector<const model::HeskParameterElement*> inputs;
    for (const model::HeskParameterElement* e : {state, access, level, project.find(QStringLiteral("r0012"))})
        if (e)
            inputs.push_back(e);
    // The decision is made on the drive's present words, not on a poll seconds old.
    if (!session.readParameters(inputs)) {
        prompt.showMessage(model::UserMessage::error(
            QCoreApplication::translate("QuickSetupAutomatic", "请求数据超时，请您重新尝试！")));
        return AutomaticOutcome::Refused;
    }
    const auto raw = [&](const model::HeskParameterElement* e) -> std::optional<uint16_t> {
        return e ? session.onlineRaw(*e) : std::nullopt;
    };
    if (const auto refusal = automaticSettingRefusal(setting, {raw(state), raw(access), raw(level)})) {
        prompt.showMessage(*refusal);
        return AutomaticOutcome::Refused;
    }

    const ActiveDataSets sets =
        activeDataSets(project, [&session](const model::HeskParameterElement& e) { return session.onlineRaw(e); });
    pages::OfflineValueSet unused;  // online an edit never stores offline
    editing::EditEnvironment environment{project, unused, prompt, sessionDriveAccess(session)};
    for (const AutomaticWrite& write : automaticSettingWrites(setting, sets)) {
        const model::HeskParameterElement* element = project.find(write.key);
        if (element == nullptr)
            continue;  // the project has no such parameter: nothing to set
        const editing::EditOutcome outcome = element->isConnection()
                                                 ? editing::applyConnection(environment, *element, write.text)
                                                 : editing::applyValueText(environment, *element, write.text);
        if (!outcome.applied)
            return AutomaticOutcome::Failed;
    }
    return AutomaticOutcome::Written;
}

}  // namespace hesk::operation

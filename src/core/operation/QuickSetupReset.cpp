#include "QuickSetupReset.h"

#include "SessionDrive.h"

#include "editing/EditContextSource.h"
#include "editing/ValueEdit.h"
#include "pages/OfflineValueSet.h"

#include <QCoreApplication>

namespace hesk::operation {

QStringList resetModeCaptions()
{
    return {QCoreApplication::translate("QuickSetupReset", "恢复出厂设置（保留P941所列参数）"),
            QCoreApplication::translate("QuickSetupReset", "装置自行恢复（P970=1）")};
}

bool startReset(shell::MonitorSession& session, model::UserPrompt& prompt, FactoryRestore& restore, ResetMode mode)
{
    if (!session.isOnline() || session.linkChanging() || restore.running())
        return false;
    model::OpenedProject& project = session.project();
    // Both modes decide on the drive's present access word, menu level and state: right
    // after a connect the system poll may not have brought them yet, and an unknown access
    // word would refuse the restore for a missing right the drive has.
    const std::vector<const model::HeskParameterElement*> inputs = editing::ruleValueParameters(project);
    if (!session.readParameters(inputs)) {
        prompt.showMessage(
            model::UserMessage::error(QCoreApplication::translate("QuickSetupReset", "请求数据超时，请您重新尝试！")));
        return false;
    }
    if (mode == ResetMode::RestoreCommand)
        return restore.start();
    const model::HeskParameterElement* reset = project.find(QStringLiteral("P0970"));
    if (reset == nullptr) {
        prompt.showMessage(model::UserMessage::warning(
            QCoreApplication::translate("QuickSetupReset", "该设备不支持恢复出厂设置功能！")));
        return false;
    }
    const editing::EditContext context = editing::editContext(
        project, true, [&session](const model::HeskParameterElement& e) { return session.onlineRaw(e); });
    const editing::EditDecision decision = editing::decideValueEdit(context, *reset);
    if (decision.refused()) {
        prompt.showMessage(*decision.refusal);
        return false;
    }
    if (prompt.ask(QCoreApplication::translate("QuickSetupReset", "提示"),
                   QCoreApplication::translate("QuickSetupReset", "确定要恢复出厂设置吗？该操作不可撤销！"),
                   model::PromptButtons::YesNo)
        != model::PromptAnswer::Yes)
        return false;
    pages::OfflineValueSet unused;
    editing::EditEnvironment environment{project, unused, prompt, sessionDriveAccess(session)};
    return editing::applyValueText(environment, *reset, QStringLiteral("1")).applied;
}

}  // namespace hesk::operation

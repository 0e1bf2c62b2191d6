#include "DnlProjectCheck.h"

#include "model/HeskProject.h"

#include <QCoreApplication>

namespace hesk::files {

namespace {

const QString kInverterType = QStringLiteral("VRA1");

}  // namespace

QString deviceTypeOfDnlStyle(const QString& style)
{
    if (style.isEmpty() || style == QLatin1String("VRA1"))
        return kInverterType;
    if (style == QLatin1String("SLM"))
        return QStringLiteral("整流回馈电源");
    if (style == QLatin1String("BLM"))
        return QStringLiteral("基本型整流电源");
    if (style == QLatin1String("AIC"))
        return QStringLiteral("有源整流电源");
    return {};
}

DnlProjectCheck checkDnlAgainstProject(const DnlHeader& header, const model::HeskProjectHeader* project,
                                       model::UserPrompt& prompt)
{
    DnlProjectCheck check;
    check.version = header.version;
    check.deviceType = deviceTypeOfDnlStyle(header.style);
    if (check.deviceType.isEmpty()) {
        prompt.show(model::MessageKind::Warning, QCoreApplication::translate("DnlProjectCheck", "警告"),
                    QCoreApplication::translate("DnlProjectCheck", "无法识别dnl文件中的设备类型，禁止导入！"));
        return check;
    }
    if (!project) {
        check.accepted = true;
        return check;
    }
    if (check.deviceType != project->deviceType) {
        prompt.show(model::MessageKind::Warning, QCoreApplication::translate("DnlProjectCheck", "警告"),
                    QCoreApplication::translate("DnlProjectCheck", "dnl文件中的设备类型与当前工程不匹配，禁止导入！"));
        return check;
    }
    if (!header.version.isEmpty() && header.version != project->deviceVersion) {
        const QString text
            = QCoreApplication::translate("DnlProjectCheck",
                                          "当前工程版本为：%1，\ndnl文件版本为：%2，\n是否继续导入此dnl文件？")
                  .arg(project->deviceVersion, header.version);
        if (prompt.ask(QCoreApplication::translate("DnlProjectCheck", "询问"), text, model::PromptButtons::YesNo)
            != model::PromptAnswer::Yes)
            return check;
    } else if (header.version.isEmpty() && project->deviceType != kInverterType) {
        if (prompt.ask(
                QCoreApplication::translate("DnlProjectCheck", "询问"),
                QCoreApplication::translate("DnlProjectCheck", "dnl文件中缺少有效的版本信息，\n是否继续导入此文件？"),
                model::PromptButtons::YesNo)
            != model::PromptAnswer::Yes)
            return check;
    }
    check.accepted = true;
    return check;
}

}  // namespace hesk::files

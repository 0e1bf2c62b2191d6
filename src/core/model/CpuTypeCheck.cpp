#include "CpuTypeCheck.h"

#include "DeviceCatalogue.h"

#include <QCoreApplication>

namespace hesk::model {

namespace {
UserMessage cpuCheckMessage(const QString& text)
{
    return {MessageKind::Error, QString::fromUtf16(kCpuCheckCaption), text};
}
}  // namespace

CpuTypeCheckResult checkDriveCpuType(uint16_t reportedCode, const QString& projectCpuName)
{
    CpuTypeCheckResult result;
    const std::optional<QString> driveName = cpuNameForCode(reportedCode);
    if (!driveName) {
        result.outcome = CpuCheckOutcome::Unknown;
        result.logText = QStringLiteral("<ERROR>下位机CPU类型不在处理范围内。");
        result.message = cpuCheckMessage(
            QCoreApplication::translate("CpuTypeCheck", "上位机CPU类型是%1！下位机CPU类型不在处理范围内。\n连接操作被终止！")
                .arg(projectCpuName));
        return result;
    }
    result.driveCpuName = *driveName;
    if (*driveName == projectCpuName) {
        result.outcome = CpuCheckOutcome::Match;
        return result;
    }
    result.outcome = CpuCheckOutcome::Mismatch;
    result.logText = QStringLiteral("<错误>设备的CPU类型是%1，请重新打开CPU类型匹配的Monitor工程").arg(*driveName);
    result.message = cpuCheckMessage(
        QCoreApplication::translate("CpuTypeCheck", "设备的CPU类型是%1，与上位机的CPU类型%2不匹配！\n"
                                                    "请重新打开CPU类型匹配的Monitor工程\n连接操作被终止！")
            .arg(*driveName, projectCpuName));
    return result;
}

}  // namespace hesk::model

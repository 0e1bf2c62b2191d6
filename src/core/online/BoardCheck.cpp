#include "BoardCheck.h"

#include <QCoreApplication>

namespace hesk::online {

BoardCheckResult runBoardCheck(const ConnectionSettings& settings, DeviceIdentityProbe& probe, std::stop_token stop)
{
    if (settings.mode != InterfaceMode::Serial)
        return {QString::fromUtf8(QT_TRANSLATE_NOOP("DeviceSearch", "程序执行异常，请联系开发人员！")), std::nullopt};

    const DeviceProbeResult result = probe.probe(settings, stop);
    switch (result.status) {
    case DeviceProbeResult::Status::PortOpenFailed:
        return {QString::fromUtf8(QT_TRANSLATE_NOOP("DeviceSearch", "串口打开失败！")), std::nullopt};
    case DeviceProbeResult::Status::ProgramIdTimeout:
        return {QString::fromUtf8(QT_TRANSLATE_NOOP("DeviceSearch", "请求设备程序ID超时。")), std::nullopt};
    case DeviceProbeResult::Status::ProgramIdRefused:
        return {QString(), std::nullopt};
    case DeviceProbeResult::Status::CpuTypeTimeout:
        return {QString::fromUtf8(QT_TRANSLATE_NOOP("DeviceSearch", "请求设备CPU类型超时。")), result.programId};
    case DeviceProbeResult::Status::Identified:
        break;
    }
    return {result.cpuType == kQb27CpuType ? qb27ResultText() : QString(), result.programId};
}

QString qb27ResultText()
{
    return QStringLiteral("QB27板卡提示");
}

QString qb27AdviceText(uint16_t programId)
{
    switch (programId) {
    case 0x7ADF:
        return QCoreApplication::translate("BoardCheck",
                                           "当前设备为QB27控制板，请安装V2.01.12 20171221版HESKMonitor软件，\n"
                                           "并打开VRA1_QB27_V1.02.00版本的HESKMonitor工程，\n之后再进行设备连接等其它操作！");
    case 0xE2E2:
        return QCoreApplication::translate("BoardCheck",
                                           "当前设备为QB27控制板，请安装V2.01.12 20171221版HESKMonitor软件，\n"
                                           "并打开VRA1_QB27_V2.00.00版本的HESKMonitor工程，\n之后再进行设备连接等其它操作！");
    default:
        break;
    }
    return QCoreApplication::translate("BoardCheck",
                                       "当前设备为QB27控制板，设备版本号为%1，\n请联系售后维护人员，"
                                       "打开对应版本的HESKMonitor工程，\n之后再进行设备连接等其它操作！")
        .arg(programId, 4, 16, QLatin1Char('0'));
}

}  // namespace hesk::online

#include "DriveStates.h"

namespace hesk::operation {

QString driveStateText(int state)
{
    switch (state) {
    case 0: return QStringLiteral("初始状态");
    case 1: return QStringLiteral("并联通讯等待");
    case 5: return QStringLiteral("系统设置");
    case 7: return QStringLiteral("故障");
    case 8: return QStringLiteral("启动禁止");
    case 9: return QStringLiteral("启动待机");
    case 10: return QStringLiteral("直流母线的预充电");
    case 11: return QStringLiteral("操作待机");
    case 14: return QStringLiteral("运行");
    case 15: return QStringLiteral("OFF1有效");
    case 16: return QStringLiteral("OFF3有效");
    case 45: return QStringLiteral("漏感识别");
    default: break;
    }
    if (state >= 21 && state <= 44)
        return QStringLiteral("自检");
    if (state >= 47 && state <= 49)
        return QStringLiteral("静态辨识");
    return QStringLiteral("未知");
}

}  // namespace hesk::operation

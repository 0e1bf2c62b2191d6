#include "DriveStates.h"

#include <QCoreApplication>

namespace hesk::operation {

QString driveStateText(int state)
{
    switch (state) {
    case 0: return QCoreApplication::translate("DriveStates", "初始状态");
    case 1: return QCoreApplication::translate("DriveStates", "并联通讯等待");
    case 5: return QCoreApplication::translate("DriveStates", "系统设置");
    case 7: return QCoreApplication::translate("DriveStates", "故障");
    case 8: return QCoreApplication::translate("DriveStates", "启动禁止");
    case 9: return QCoreApplication::translate("DriveStates", "启动待机");
    case 10: return QCoreApplication::translate("DriveStates", "直流母线的预充电");
    case 11: return QCoreApplication::translate("DriveStates", "操作待机");
    case 14: return QCoreApplication::translate("DriveStates", "运行");
    case 15: return QCoreApplication::translate("DriveStates", "OFF1有效");
    case 16: return QCoreApplication::translate("DriveStates", "OFF3有效");
    case 45: return QCoreApplication::translate("DriveStates", "漏感识别");
    default: break;
    }
    if (state >= 21 && state <= 44)
        return QCoreApplication::translate("DriveStates", "自检");
    if (state >= 47 && state <= 49)
        return QCoreApplication::translate("DriveStates", "静态辨识");
    return QCoreApplication::translate("DriveStates", "未知");
}

}  // namespace hesk::operation

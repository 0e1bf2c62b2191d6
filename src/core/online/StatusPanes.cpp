#include "StatusPanes.h"

#include <QCoreApplication>

namespace hesk::online {

namespace {

int scaled(int screenWidth, int share) { return screenWidth * share / 1280; }

QString unknownLoadText() { return QCoreApplication::translate("OnlineStatusPanes", "CPU负荷:未知"); }

}  // namespace

QString cpuLoadText(uint32_t referenceCount, uint32_t idleCount)
{
    if (referenceCount == 0)
        return unknownLoadText();
    double load = (1.0 - static_cast<double>(idleCount) / static_cast<double>(referenceCount)) * 100.0;
    if (load < 0.0)
        load = 0.0;
    return QCoreApplication::translate("OnlineStatusPanes", "CPU负荷:%1%2").arg(load, 0, 'f', 2).arg(QStringLiteral("%"));
}

PaneText connectionPane(const PaneState& state, int screenWidth)
{
    if (state.online) {
        const int width = scaled(screenWidth, 200);
        if (state.mode == InterfaceMode::Ethernet)
            return {QCoreApplication::translate("OnlineStatusPanes", "在线，通信接口：以太网"), width};
        return {QCoreApplication::translate("OnlineStatusPanes", "在线(%1 | %2bps)").arg(state.portName, state.baudRate),
                width};
    }
    const int width = scaled(screenWidth, 290);
    switch (state.mode) {
    case InterfaceMode::Serial:
        return {QCoreApplication::translate("OnlineStatusPanes", "离线，串口已设置：(%1 | %2bps)")
                    .arg(state.portName, state.baudRate),
                width};
    case InterfaceMode::Ethernet:
        return {QCoreApplication::translate("OnlineStatusPanes", "离线，通信接口：以太网"), width};
    case InterfaceMode::NotSet:
        break;
    }
    return {QCoreApplication::translate("OnlineStatusPanes", "离线：端口没有设置！"), width};
}

PaneText programStatePane(const PaneState& state, int screenWidth)
{
    const int width = scaled(screenWidth, 120);
    if (!state.online)
        return {QCoreApplication::translate("OnlineStatusPanes", "程序状态:未知"), width};
    return {state.monitoring ? QCoreApplication::translate("OnlineStatusPanes", "程序状态:运行中")
                             : QCoreApplication::translate("OnlineStatusPanes", "程序状态:挂起"),
            width};
}

PaneText cpuLoadPane(const PaneState& state, int screenWidth)
{
    if (state.monitoring)
        return {state.cpuLoad.isEmpty() ? unknownLoadText() : state.cpuLoad, scaled(screenWidth, 110)};
    return {unknownLoadText(), scaled(screenWidth, 120)};
}

PaneState offlinePaneState(const std::optional<ConnectionSettings>& loaded)
{
    PaneState state;
    if (loaded) {
        state.mode = loaded->mode;
        state.portName = loaded->portName;
        state.baudRate = loaded->baudRate;
    }
    return state;
}

}  // namespace hesk::online

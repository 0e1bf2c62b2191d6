#pragma once
// The texts of the three connection panes of the status bar (connection, program state,
// CPU load) and their widths, as functions of the connection state. The panes themselves
// belong to the main window; the CLI prints the same texts.

#include "InterfaceSettings.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace hesk::online {

// "CPU负荷:%.2f%" with load = (1 - idle / reference) x 100, both counts unsigned 32-bit.
// A reference count of 0 (nothing measured yet) gives "CPU负荷:未知" instead of a
// division by zero, and an idle count above the reference count is shown as 0 %.
QString cpuLoadText(uint32_t referenceCount, uint32_t idleCount);

struct PaneState {
    bool online = false;
    bool monitoring = false;
    // Online: how the link was opened, with the port name and baud rate used. Offline:
    // the settings as loaded just now (nothing when they do not load).
    InterfaceMode mode = InterfaceMode::NotSet;
    QString portName;
    QString baudRate;
    QString cpuLoad;  // cpuLoadText of the last supervision second, while monitoring
};

struct PaneText {
    QString text;
    int width = 0;
};

// Pane 1: "在线(%s | %sbps)", "在线，通信接口：以太网", "离线，串口已设置：(%s | %sbps)",
// "离线：端口没有设置！" or "离线，通信接口：以太网".
PaneText connectionPane(const PaneState& state, int screenWidth);
// Pane 2: "程序状态:运行中", "程序状态:挂起" or "程序状态:未知".
PaneText programStatePane(const PaneState& state, int screenWidth);
// Pane 3: the CPU load text while monitoring, else "CPU负荷:未知".
PaneText cpuLoadPane(const PaneState& state, int screenWidth);

// The offline pane state from the settings file (reloaded for every refresh).
PaneState offlinePaneState(const std::optional<ConnectionSettings>& loaded);

}  // namespace hesk::online

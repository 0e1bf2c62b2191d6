#pragma once
// The text of status pane 0, which tells what the work area shows.

#include <QString>

#include <optional>

namespace hesk::shell {

// The text the pane holds when the frame is created, before the first refresh.
QString initialPageStatusText();  // "窗口未打开，请双击左侧树菜单"

// No project: "未打开工程：请在菜单栏打开工程"; a project but no page window on show
// (pageText empty or absent): "未打开窗口：请双击左侧树菜单"; otherwise the page
// window's own text (its name, with the custom page's hint).
QString pageStatusText(bool projectOpen, const std::optional<QString>& pageText);

}  // namespace hesk::shell

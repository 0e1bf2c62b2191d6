#pragma once
// The one list of what the window offers but the application does not carry yet: menu
// commands and project-tree leaves whose workflow has not been built. They are shown
// disabled, with notBuiltText() as their tip, so that no click does nothing. Each
// workflow, when it lands, removes its entries here and nowhere else.

#include "CommandRules.h"
#include "ProjectTreeLayout.h"

#include <QString>

#include <array>

namespace hesk::shell {

inline constexpr std::array<Command, 0> kCommandsNotBuilt{};

inline constexpr std::array<TreeNodeKind, 0> kTreeNodesNotBuilt{};

bool commandBuilt(Command command);
bool treeNodeBuilt(TreeNodeKind kind);

// What the window enables: a command that is built and that the rules allow now.
bool commandAvailable(Command command, const CommandState& state);

// The tip of a command or leaf that is not built: "该功能尚未提供。"
QString notBuiltText();

}  // namespace hesk::shell

#include "FeaturesNotBuilt.h"

#include <QCoreApplication>

#include <algorithm>

namespace hesk::shell {

bool commandBuilt(Command command)
{
    return std::find(kCommandsNotBuilt.begin(), kCommandsNotBuilt.end(), command) == kCommandsNotBuilt.end();
}

bool treeNodeBuilt(TreeNodeKind kind)
{
    return std::find(kTreeNodesNotBuilt.begin(), kTreeNodesNotBuilt.end(), kind) == kTreeNodesNotBuilt.end();
}

bool commandAvailable(Command command, const CommandState& state)
{
    return commandBuilt(command) && commandEnabled(command, state);
}

QString notBuiltText() { return QCoreApplication::translate("FeaturesNotBuilt", "该功能尚未提供。"); }

}  // namespace hesk::shell

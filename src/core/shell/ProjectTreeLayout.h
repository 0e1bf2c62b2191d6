#pragma once
// The layout of the project tree for each device family: captions, what a node opens and
// the image it shows. The tree pane builds its items from this; a double click on a leaf
// opens what its kind says.

#include "model/DeviceCatalogue.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace hesk::shell {

enum class TreeNodeKind {
    Folder,            // groups other nodes, opens nothing
    Page,              // a parameter page named by the caption
    ControlPanel,      // 控制面板
    FaultWaveform,     // 故障波形
    TriggerRecording,  // 触发录波
    FaultList,         // 故障报警
    QuickSetup,        // 快速调试
};

// Indices into the tree's image list.
namespace treeimage {
inline constexpr int kFolder = 0;
inline constexpr int kPage = 2;
inline constexpr int kFaultWaveform = 4;
inline constexpr int kControlPanel = 5;
inline constexpr int kFaultList = 6;
inline constexpr int kTriggerRecording = 10;
inline constexpr int kQuickSetup = 11;
}  // namespace treeimage

struct ProjectTreeNode {
    QString caption;
    TreeNodeKind kind = TreeNodeKind::Folder;
    int image = treeimage::kFolder;
    std::vector<ProjectTreeNode> children;
    bool operator==(const ProjectTreeNode&) const = default;
};

// The top-level nodes of the tree of an open project. Families 1 to 4 put the project
// name (with the parameter menu and the three system pages below it), the four general
// pages and the debugging folder side by side at the top; the test bench (5) has only
// the project name with its debugging folder. A known CPU type without a device family
// gets the project name and the four general pages, which every project has.
std::vector<ProjectTreeNode> projectTreeLayout(model::DeviceClass deviceClass, const QString& projectName);

// The captions of all page leaves, depth first.
QStringList pageCaptions(const std::vector<ProjectTreeNode>& nodes);

}  // namespace hesk::shell

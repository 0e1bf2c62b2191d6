#include "ProjectTreeLayout.h"

#include <QCoreApplication>

namespace hesk::shell {

namespace {

using Nodes = std::vector<ProjectTreeNode>;

// Folder and tool captions are interface texts (translated); page captions are the
// project's page names and stay as they are.
ProjectTreeNode folder(const char* caption, Nodes children)
{
    return {QCoreApplication::translate("ProjectTreeLayout", caption), TreeNodeKind::Folder, treeimage::kFolder, std::move(children)};
}

ProjectTreeNode page(const char* caption)
{
    return {QString::fromUtf8(caption), TreeNodeKind::Page, treeimage::kPage, {}};
}

ProjectTreeNode tool(const char* caption, TreeNodeKind kind, int image)
{
    return {QCoreApplication::translate("ProjectTreeLayout", caption), kind, image, {}};
}

ProjectTreeNode faultWaveform() { return tool(QT_TRANSLATE_NOOP("ProjectTreeLayout", "故障波形"), TreeNodeKind::FaultWaveform, treeimage::kFaultWaveform); }

Nodes generalPages() { return {page("P参数"), page("r参数"), page("所有参数"), page("自定义参数")}; }

Nodes systemPages() { return {page("恢复出厂设定"), page("系统设定"), page("功率部分定义")}; }

ProjectTreeNode inverterParameterMenu()
{
    return folder(QT_TRANSLATE_NOOP("ProjectTreeLayout", "参数菜单"),
                  {page("控制字/状态字"),
                   folder(QT_TRANSLATE_NOOP("ProjectTreeLayout", "控制模式"), {page("V/F开环控制(带码盘)"), page("V/F开环控制"), page("V/F开环控制(纺织应用)"),
                                       page("无码盘矢量控制"), page("有码盘矢量控制"), page("转矩控制")}),
                   folder(QT_TRANSLATE_NOOP("ProjectTreeLayout", "数据组"), {page("电机数据组"), page("功能数据组"), page("BICO数据组")}),
                   folder(QT_TRANSLATE_NOOP("ProjectTreeLayout", "通讯"), {page("DP通讯"), page("PN通讯"), page("SLB通讯"), page("逆变器并联")}),
                   page("故障/报警"), page("自由功能参数")});
}

ProjectTreeNode rectifierParameterMenu()
{
    return folder(QT_TRANSLATE_NOOP("ProjectTreeLayout", "参数菜单"), {page("控制字/状态字"), folder(QT_TRANSLATE_NOOP("ProjectTreeLayout", "数据组"), {page("功能数据组")}),
                               folder(QT_TRANSLATE_NOOP("ProjectTreeLayout", "通讯"), {page("DP通讯"), page("PN通讯"), page("装置并联")}),
                               page("故障/报警"), page("自由功能参数")});
}

ProjectTreeNode projectRoot(const QString& name, Nodes children)
{
    return {name, TreeNodeKind::Folder, treeimage::kFolder, std::move(children)};
}

Nodes familyLayout(const QString& name, ProjectTreeNode parameterMenu, ProjectTreeNode debugging)
{
    Nodes rootChildren{std::move(parameterMenu)};
    for (ProjectTreeNode& node : systemPages())
        rootChildren.push_back(std::move(node));
    Nodes top{projectRoot(name, std::move(rootChildren))};
    for (ProjectTreeNode& node : generalPages())
        top.push_back(std::move(node));
    top.push_back(std::move(debugging));
    return top;
}

void collectPages(const Nodes& nodes, QStringList& out)
{
    for (const ProjectTreeNode& node : nodes) {
        if (node.kind == TreeNodeKind::Page)
            out << node.caption;
        collectPages(node.children, out);
    }
}

}  // namespace

std::vector<ProjectTreeNode> projectTreeLayout(model::DeviceClass deviceClass, const QString& projectName)
{
    using model::DeviceClass;
    switch (deviceClass) {
    case DeviceClass::Inverter:
        return familyLayout(
            projectName, inverterParameterMenu(),
            folder(QT_TRANSLATE_NOOP("ProjectTreeLayout", "调试功能"), {tool(QT_TRANSLATE_NOOP("ProjectTreeLayout", "控制面板"), TreeNodeKind::ControlPanel, treeimage::kControlPanel), faultWaveform(),
                                tool(QT_TRANSLATE_NOOP("ProjectTreeLayout", "触发录波"), TreeNodeKind::TriggerRecording, treeimage::kTriggerRecording),
                                tool(QT_TRANSLATE_NOOP("ProjectTreeLayout", "故障报警"), TreeNodeKind::FaultList, treeimage::kFaultList),
                                tool(QT_TRANSLATE_NOOP("ProjectTreeLayout", "快速调试"), TreeNodeKind::QuickSetup, treeimage::kQuickSetup)}));
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::ActiveRectifier:
    case DeviceClass::BasicRectifier:
        return familyLayout(
            projectName, rectifierParameterMenu(),
            folder(QT_TRANSLATE_NOOP("ProjectTreeLayout", "调试功能"), {faultWaveform(), tool(QT_TRANSLATE_NOOP("ProjectTreeLayout", "触发录波"), TreeNodeKind::TriggerRecording, treeimage::kTriggerRecording),
                                tool(QT_TRANSLATE_NOOP("ProjectTreeLayout", "故障报警"), TreeNodeKind::FaultList, treeimage::kFaultList)}));
    case DeviceClass::TestBench:
        return {projectRoot(projectName, {folder(QT_TRANSLATE_NOOP("ProjectTreeLayout", "调试功能"), {faultWaveform()})})};
    case DeviceClass::None:
        break;
    }
    return {projectRoot(projectName, generalPages())};
}

QStringList pageCaptions(const std::vector<ProjectTreeNode>& nodes)
{
    QStringList out;
    collectPages(nodes, out);
    return out;
}

}  // namespace hesk::shell

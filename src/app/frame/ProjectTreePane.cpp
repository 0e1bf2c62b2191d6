#include "ProjectTreePane.h"

#include "model/PageCatalogue.h"
#include "shell/FeaturesNotBuilt.h"

#include <QStyle>
#include <QTreeWidgetItemIterator>

namespace hesk::app {

ProjectTreePane::ProjectTreePane(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("projectTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setExpandsOnDoubleClick(true);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item, int) { onActivated(item); });
}

QIcon ProjectTreePane::iconFor(int image) const
{
    using shell::TreeNodeKind;
    QStyle::StandardPixmap pixmap = QStyle::SP_DirIcon;
    switch (image) {
    case shell::treeimage::kPage: pixmap = QStyle::SP_FileIcon; break;
    case shell::treeimage::kFaultWaveform: pixmap = QStyle::SP_MediaSeekForward; break;
    case shell::treeimage::kControlPanel: pixmap = QStyle::SP_MediaPlay; break;
    case shell::treeimage::kFaultList: pixmap = QStyle::SP_MessageBoxWarning; break;
    case shell::treeimage::kTriggerRecording: pixmap = QStyle::SP_DialogSaveButton; break;
    case shell::treeimage::kQuickSetup: pixmap = QStyle::SP_CommandLink; break;
    default: break;
    }
    return style()->standardIcon(pixmap);
}

void ProjectTreePane::showLayout(const std::vector<shell::ProjectTreeNode>& nodes)
{
    clear();
    addNodes(nullptr, nodes);
    expandAll();
}

void ProjectTreePane::addNodes(QTreeWidgetItem* parent, const std::vector<shell::ProjectTreeNode>& nodes)
{
    for (const shell::ProjectTreeNode& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, node.kind == shell::TreeNodeKind::Page ? model::pageCaption(node.caption) : node.caption);
        item->setData(0, kCaptionRole, node.caption);
        item->setIcon(0, iconFor(node.image));
        item->setData(0, kKindRole, static_cast<int>(node.kind));
        item->setData(0, kImageRole, node.image);
        if (!shell::treeNodeBuilt(node.kind)) {
            // Drawn greyed and never activated: the tip says why.
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            item->setToolTip(0, shell::notBuiltText());
        }
        addNodes(item, node.children);
    }
}

QTreeWidgetItem* ProjectTreePane::findNode(const QString& caption) const
{
    for (QTreeWidgetItemIterator it(const_cast<ProjectTreePane*>(this)); *it; ++it)
        if ((*it)->data(0, kCaptionRole).toString() == caption)
            return *it;
    return nullptr;
}

bool ProjectTreePane::activateNode(const QString& caption)
{
    QTreeWidgetItem* item = findNode(caption);
    if (!item || static_cast<shell::TreeNodeKind>(item->data(0, kKindRole).toInt()) == shell::TreeNodeKind::Folder
        || !(item->flags() & Qt::ItemIsEnabled))
        return false;
    setCurrentItem(item);
    Q_EMIT itemActivated(item, 0);
    return true;
}

void ProjectTreePane::onActivated(QTreeWidgetItem* item)
{
    if (!item || !(item->flags() & Qt::ItemIsEnabled))
        return;
    const auto kind = static_cast<shell::TreeNodeKind>(item->data(0, kKindRole).toInt());
    if (kind != shell::TreeNodeKind::Folder)
        Q_EMIT leafActivated(kind, item->data(0, kCaptionRole).toString());
}

}  // namespace hesk::app

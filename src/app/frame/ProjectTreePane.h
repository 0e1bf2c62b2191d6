#pragma once
// The project tree ("项目" pane): built from the layout of the open project's device
// family; activating a leaf (double click or Enter) reports its kind and caption. Leaves
// whose tool is not built yet are shown disabled with a tip saying so.

#include "shell/ProjectTreeLayout.h"

#include <QTreeWidget>

#include <vector>

namespace hesk::app {

class ProjectTreePane final : public QTreeWidget {
    Q_OBJECT
public:
    // Item data roles: the node kind (int of shell::TreeNodeKind), its image index and its
    // caption as the layout names it (a page's name is a key; the item shows its
    // translated caption).
    static constexpr int kKindRole = Qt::UserRole + 1;
    static constexpr int kImageRole = Qt::UserRole + 2;
    static constexpr int kCaptionRole = Qt::UserRole + 3;

    explicit ProjectTreePane(QWidget* parent = nullptr);

    void showLayout(const std::vector<shell::ProjectTreeNode>& nodes);
    void clearLayout() { clear(); }

    // The first item with this caption as the layout names it, depth first; nullptr when none.
    QTreeWidgetItem* findNode(const QString& caption) const;
    // Activates the node as a double click would; false when there is no such leaf or it
    // is disabled.
    bool activateNode(const QString& caption);

Q_SIGNALS:
    void leafActivated(shell::TreeNodeKind kind, const QString& caption);

private:
    void addNodes(QTreeWidgetItem* parent, const std::vector<shell::ProjectTreeNode>& nodes);
    QIcon iconFor(int image) const;
    void onActivated(QTreeWidgetItem* item);
};

}  // namespace hesk::app

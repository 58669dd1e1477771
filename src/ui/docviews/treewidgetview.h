#pragma once

#include "docset/docviews.h"

#include <QHash>

class QTreeWidget;
class QTreeWidgetItem;

// The document set's tree view over a QTreeWidget. Node handles are numbers of the view's own, never item
// pointers, so a handle whose item went with its parent's subtree is simply unknown. Each item keeps its
// document in Qt::UserRole and its image and state indices in the two roles after it.
class TreeWidgetView : public docset::DocTreeView {
    Q_OBJECT
public:
    static constexpr int DocRole = Qt::UserRole;
    static constexpr int ImageIndexRole = Qt::UserRole + 1;
    static constexpr int StateIndexRole = Qt::UserRole + 2;

    explicit TreeWidgetView(QTreeWidget *tree);

    void clearNodes() override;
    void beginUpdate() override;
    void endUpdate() override;
    Node addNode(Node parent, const QString &text, int imageIndex, int stateIndex,
                 docset::TDoc *data) override;
    void updateNode(Node node, const QString &text, int imageIndex, int stateIndex) override;
    void setNodeData(Node node, docset::TDoc *data) override;
    void deleteNode(Node node) override;
    Node selectedNode() const override;
    void selectNode(Node node) override;
    void refresh() override;

    QTreeWidgetItem *item(Node node) const { return m_items.value(node); }

private:
    // Deletes the item and everything below it, and forgets their handles.
    void dispose(QTreeWidgetItem *root);

    QTreeWidget *m_tree;
    QHash<Node, QTreeWidgetItem *> m_items;
    Node m_next = 1;
};

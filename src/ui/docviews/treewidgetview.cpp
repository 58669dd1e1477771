#include "ui/docviews/treewidgetview.h"

#include <QTreeWidget>

#include <vector>

namespace {
constexpr int NodeRole = Qt::UserRole + 3;
}

TreeWidgetView::TreeWidgetView(QTreeWidget *tree)
    : DocTreeView(tree)
    , m_tree(tree) {
    setObjectName(tree->objectName());
}

void TreeWidgetView::clearNodes() {
    while (m_tree->topLevelItemCount() > 0)
        dispose(m_tree->takeTopLevelItem(m_tree->topLevelItemCount() - 1));
    m_items.clear();
}

void TreeWidgetView::beginUpdate() {
    m_tree->setUpdatesEnabled(false);
}

void TreeWidgetView::endUpdate() {
    m_tree->setUpdatesEnabled(true);
}

TreeWidgetView::Node TreeWidgetView::addNode(Node parent, const QString &text, int imageIndex, int stateIndex,
                                             docset::TDoc *data) {
    QTreeWidgetItem *parentItem = item(parent);
    auto *node = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(m_tree);
    const Node handle = m_next++;
    m_items.insert(handle, node);
    node->setData(0, NodeRole, QVariant::fromValue(handle));
    node->setText(0, text);
    node->setData(0, ImageIndexRole, imageIndex);
    node->setData(0, StateIndexRole, stateIndex);
    setNodeData(handle, data);
    return handle;
}

void TreeWidgetView::updateNode(Node node, const QString &text, int imageIndex, int stateIndex) {
    if (QTreeWidgetItem *it = item(node)) {
        it->setText(0, text);
        it->setData(0, ImageIndexRole, imageIndex);
        it->setData(0, StateIndexRole, stateIndex);
    }
}

void TreeWidgetView::setNodeData(Node node, docset::TDoc *data) {
    if (QTreeWidgetItem *it = item(node))
        it->setData(0, DocRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
}

// An item's destructor deletes its children by recursion, one level of the call stack per level of the tree,
// and a document list may nest as deep as it is long. So the subtree is taken apart from its last item
// backwards, which always detaches a last child that has no children left, and each item is deleted alone.
void TreeWidgetView::dispose(QTreeWidgetItem *root) {
    std::vector<QTreeWidgetItem *> items{root};
    for (size_t i = 0; i < items.size(); ++i) {
        QTreeWidgetItem *it = items[i];
        m_items.remove(it->data(0, NodeRole).value<Node>());
        for (int c = 0; c < it->childCount(); ++c)
            items.push_back(it->child(c));
    }
    while (items.size() > 1) {
        QTreeWidgetItem *it = items.back();
        items.pop_back();
        it->parent()->takeChild(it->parent()->childCount() - 1);
        delete it;
    }
    delete root;
}

void TreeWidgetView::deleteNode(Node node) {
    if (QTreeWidgetItem *it = item(node))
        dispose(it);
}

TreeWidgetView::Node TreeWidgetView::selectedNode() const {
    const QTreeWidgetItem *current = m_tree->currentItem();
    return current ? current->data(0, NodeRole).value<Node>() : 0;
}

void TreeWidgetView::selectNode(Node node) {
    if (QTreeWidgetItem *it = item(node))
        m_tree->setCurrentItem(it);
}

void TreeWidgetView::refresh() {
    m_tree->viewport()->update();
}

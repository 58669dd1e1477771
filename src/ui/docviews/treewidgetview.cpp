#include "ui/docviews/treewidgetview.h"

#include <QTreeWidget>

namespace {
constexpr int NodeRole = Qt::UserRole + 3;
}

TreeWidgetView::TreeWidgetView(QTreeWidget *tree)
    : DocTreeView(tree)
    , m_tree(tree) {
    setObjectName(tree->objectName());
}

void TreeWidgetView::clearNodes() {
    m_tree->clear();
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

void TreeWidgetView::forget(QTreeWidgetItem *it) {
    m_items.remove(it->data(0, NodeRole).value<Node>());
    for (int i = 0; i < it->childCount(); ++i)
        forget(it->child(i));
}

void TreeWidgetView::deleteNode(Node node) {
    if (QTreeWidgetItem *it = item(node)) {
        forget(it);
        delete it;
    }
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

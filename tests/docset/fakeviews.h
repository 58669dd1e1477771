#pragma once

#include "docset/docs.h"

#include <QMap>
#include <QStringList>

// Test doubles for the document set's views, each recording what the component asked of it, and a way to
// write stored bytes by hand.

// Bytes spelled as two-digit hex numbers and 'quoted text', separated by blanks.
inline QByteArray spelled(const char *spelling) {
    QByteArray bytes;
    const QByteArray text(spelling);
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (text[i] == '\'') {
            const qsizetype end = text.indexOf('\'', i + 1);
            bytes += text.mid(i + 1, end - i - 1);
            i = end + 1;
        } else {
            bytes += char(text.mid(i, 2).toInt(nullptr, 16));
            i += 2;
        }
    }
    return bytes;
}

class FakeRichView : public docset::RichTextView {
public:
    explicit FakeRichView(const QString &text = {}, const QString &name = QStringLiteral("RichEdit1"))
        : text(text) {
        setObjectName(name);
    }
    void clear() override {
        text.clear();
        ++clears;
    }
    void loadRtf(const QByteArray &rtf) override {
        text = QString::fromLatin1(rtf);
        ++loads;
    }
    QString text;
    int clears = 0;
    int loads = 0;
};

class FakeTree : public docset::DocTreeView {
public:
    struct Item {
        Node parent;
        QString text;
        int imageIndex;
        int stateIndex;
        docset::TDoc *data;
    };
    FakeTree() { setObjectName(QStringLiteral("TreeView1")); }
    void clearNodes() override { items.clear(); }
    void beginUpdate() override { ++updates; }
    void endUpdate() override {}
    Node addNode(Node parent, const QString &text, int imageIndex, int stateIndex,
                 docset::TDoc *data) override {
        items.insert(next, {parent, text, imageIndex, stateIndex, data});
        return next++;
    }
    void updateNode(Node node, const QString &text, int imageIndex, int stateIndex) override {
        items[node].text = text;
        items[node].imageIndex = imageIndex;
        items[node].stateIndex = stateIndex;
    }
    void setNodeData(Node node, docset::TDoc *data) override { items[node].data = data; }
    void deleteNode(Node node) override { items.remove(node); }
    Node selectedNode() const override { return selected; }
    void selectNode(Node node) override { selected = node; }
    void refresh() override {}

    // "parent text" for every node, in the order they were added: the shape of the tree.
    QStringList shape() const {
        QStringList lines;
        for (auto it = items.cbegin(); it != items.cend(); ++it)
            lines << (it->parent ? items.value(it->parent).text : QStringLiteral("-")) + QLatin1Char('>') +
                         it->text;
        return lines;
    }

    QMap<Node, Item> items;
    Node next = 1;
    Node selected = 0;
    int updates = 0;
};

class FakeReporter : public docset::ErrorReporter {
public:
    void showError(const QString &message) override { messages << message; }
    QStringList messages;
};

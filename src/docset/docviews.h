#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace docset {

class TDoc;

// The seams through which a document set drives what it shows. Each has one production implementation in the
// window layer (a QTextEdit, a QTreeWidget, a message box) and fakes in the tests, so the component itself
// needs nothing beyond QtCore. A view is a QObject so that the component can hear of its destruction and let
// go of it; the window layer makes the adapter a child of the widget it serves.

// A rich-text box that shows the current document.
class RichTextView : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Removes the whole text.
    virtual void clear() = 0;
    // Replaces the whole text with the document that the RTF bytes describe, shown from its start.
    virtual void loadRtf(const QByteArray &rtf) = 0;
};

// A tree of nodes, one per visible document. Nodes are named by handles the view hands out; 0 is no node.
class DocTreeView : public QObject {
    Q_OBJECT
public:
    using Node = quintptr;
    using QObject::QObject;
    virtual void clearNodes() = 0;
    // Groups the changes of one rebuild, so the view repaints once.
    virtual void beginUpdate() = 0;
    virtual void endUpdate() = 0;
    // Adds a node as the last child of parent, or at the top level when parent is 0.
    virtual Node addNode(Node parent, const QString &text, int imageIndex, int stateIndex, TDoc *data) = 0;
    virtual void updateNode(Node node, const QString &text, int imageIndex, int stateIndex) = 0;
    virtual void setNodeData(Node node, TDoc *data) = 0;
    // Removes the node and everything below it.
    virtual void deleteNode(Node node) = 0;
    virtual Node selectedNode() const = 0;
    virtual void selectNode(Node node) = 0;
    virtual void refresh() = 0;
};

// Shows an error's text to the person at the screen (a message box), and returns once it has been seen.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void showError(const QString &message) = 0;
};

// A form designer that wants to hear what happens to the documents of the component on its surface.
class IDocsDesigner {
public:
    virtual ~IDocsDesigner() = default;
    virtual void docAdded(TDoc *doc) = 0;
    virtual void docChanged(TDoc *doc) = 0;
    virtual void docSelected(TDoc *doc) = 0;
    virtual void docDeleted(TDoc *doc) = 0;
};

} // namespace docset

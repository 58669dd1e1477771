#include "docset/docs.h"
#include "ui/docviews/messageboxreporter.h"
#include "ui/docviews/richeditview.h"
#include "ui/docviews/treewidgetview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace docset;

// The widgets behind the document set: the tree of documents and the message box for its errors.
class TestDocViews : public QObject {
    Q_OBJECT
private slots:
    void treeShowsTheDocumentsAndFollowsThem();
    void handlesOfNodesGoneWithTheirParentAreIgnored();
    void reporterShowsTheMessageWithTheProgramsName();
    void hiddenBoxGetsTheLatestDocumentWhenShown();
};

// Laying a document out waits until the box is shown; nothing else may tell the difference.
void TestDocViews::hiddenBoxGetsTheLatestDocumentWhenShown() {
    QTextEdit edit;
    edit.setObjectName(QStringLiteral("RichEdit1"));
    auto *view = new RichEditView(&edit);
    view->loadRtf(QByteArrayLiteral("{\\rtf1 first\\par}"));
    view->loadRtf(QByteArrayLiteral("{\\rtf1 second\\par}"));
    QVERIFY(!edit.toPlainText().contains(QStringLiteral("first")));
    edit.show();
    QCOMPARE(edit.toPlainText().trimmed(), QStringLiteral("second"));
    // Loaded while shown, a document is in the box at once.
    view->loadRtf(QByteArrayLiteral("{\\rtf1 third\\par}"));
    QCOMPARE(edit.toPlainText().trimmed(), QStringLiteral("third"));
    // Text put into the hidden box after a load is newer than the waiting document.
    edit.hide();
    view->loadRtf(QByteArrayLiteral("{\\rtf1 fourth\\par}"));
    edit.setPlainText(QStringLiteral("set directly"));
    edit.show();
    QCOMPARE(edit.toPlainText(), QStringLiteral("set directly"));
    view->clear();
    QVERIFY(edit.toPlainText().isEmpty());
}

void TestDocViews::treeShowsTheDocumentsAndFollowsThem() {
    QTreeWidget widget;
    widget.setObjectName(QStringLiteral("TreeView1"));
    auto *view = new TreeWidgetView(&widget);
    TDocs docs;
    for (int level : {0, 1, 0}) {
        TDoc *doc = docs.DocList().AddDoc(level);
        doc->setTitle(QStringLiteral("d%1").arg(doc->Index()));
    }
    docs.setDocDisplay(view);
    QCOMPARE(view->objectName(), QStringLiteral("TreeView1"));
    QCOMPARE(widget.topLevelItemCount(), 2);
    QTreeWidgetItem *first = widget.topLevelItem(0);
    QCOMPARE(first->text(0), QStringLiteral("d0"));
    QCOMPARE(first->child(0)->text(0), QStringLiteral("d1"));
    QCOMPARE(first->child(0)->data(0, TreeWidgetView::DocRole).value<quintptr>(),
             reinterpret_cast<quintptr>(docs.DocList().Item(1)));

    docs.DocList().Item(2)->setTitle(QStringLiteral("renamed"));
    docs.DocList().Item(2)->setStateIndex(5);
    QCOMPARE(widget.topLevelItem(1)->text(0), QStringLiteral("renamed"));
    QCOMPARE(widget.topLevelItem(1)->data(0, TreeWidgetView::StateIndexRole).toInt(), 5);
    docs.setSelIndex(1);
    QCOMPARE(widget.currentItem(), first->child(0));
    docs.DocList().Item(0)->Delete();
    QCOMPARE(widget.topLevelItemCount(), 1);
    QCOMPARE(widget.topLevelItem(0)->text(0), QStringLiteral("renamed"));
    // Each appended document is the last child of its parent's item.
    for (int level : {1, 1, 2})
        docs.DocList().AddDoc(level)->setTitle(QStringLiteral("a%1").arg(docs.Count() - 1));
    QTreeWidgetItem *top = widget.topLevelItem(0);
    QCOMPARE(top->childCount(), 2);
    QCOMPARE(top->child(1)->text(0), QStringLiteral("a2"));
    QCOMPARE(top->child(1)->child(0)->text(0), QStringLiteral("a3"));
}

void TestDocViews::handlesOfNodesGoneWithTheirParentAreIgnored() {
    QTreeWidget widget;
    TreeWidgetView view(&widget);
    const auto parent = view.addNode(0, QStringLiteral("p"), -1, -1, nullptr);
    const auto child = view.addNode(parent, QStringLiteral("c"), -1, -1, nullptr);
    view.deleteNode(parent);
    QVERIFY(!view.item(child));
    view.updateNode(child, QStringLiteral("x"), 1, 1);
    view.deleteNode(child);
    view.selectNode(child);
    QCOMPARE(widget.topLevelItemCount(), 0);
    QCOMPARE(view.selectedNode(), TreeWidgetView::Node(0));

    // A chain far deeper than an item's destructor can recurse on the stack goes both ways, node and all.
    for (const bool byNode : {true, false}) {
        TreeWidgetView::Node node = 0, root = 0;
        for (int depth = 0; depth < 100000; ++depth) {
            node = view.addNode(node, QString(), -1, -1, nullptr);
            root = root ? root : node;
        }
        if (byNode)
            view.deleteNode(root);
        else
            view.clearNodes();
        QVERIFY(!view.item(node));
        QCOMPARE(widget.topLevelItemCount(), 0);
    }
}

void TestDocViews::reporterShowsTheMessageWithTheProgramsName() {
    QApplication::setApplicationName(QStringLiteral("Логикус"));
    QWidget owner;
    MessageBoxReporter reporter(&owner);
    QString caption;
    QString text;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        caption = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    reporter.showError(QStringLiteral("Could not write DocList resource."));
    QCOMPARE(caption, QStringLiteral("Логикус"));
    QCOMPARE(text, QStringLiteral("Could not write DocList resource."));
}

QTEST_MAIN(TestDocViews)
#include "tst_docviews.moc"

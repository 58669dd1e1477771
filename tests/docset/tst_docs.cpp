#include "docset/docs.h"
#include "fakeviews.h"

#include <QBuffer>
#include <QtTest>

#include <memory>

using namespace docset;

// The document set as a component: levels, hierarchy, selection and history, the views, the reports with
// their events and the designer, deleting, clearing, copying and navigating.
class TestDocs : public QObject {
    Q_OBJECT
private slots:
    void selectingOneThenZeroStacksBothInHistory();
    void selectingThePresentIndexDoesNotReload();
    void selectingAMissingIndexOnlyDropsTheCurrent();
    void insertKeepsLevelsWithoutGaps_data();
    void insertKeepsLevelsWithoutGaps();
    void titleTurnsTabsToBlanksKeepsLevelAndEndsAtNul();
    void attachingARichViewClearsItEvenWithoutCurrent();
    void hierarchyOnMixedLevels_data();
    void hierarchyOnMixedLevels();
    void treeFollowsSubtreesVisibilityAndChanges();
    void treeNodesGoWhereTheWalkAndTheParentSay_data();
    void treeNodesGoWhereTheWalkAndTheParentSay();
    void destroyedViewsAreLetGo();
    void reportsFireEventsAndDesignerSilencesSome();
    void deleteTakesChildrenHistoryAndCurrent();
    void destructionReportsEveryDocumentDeleted();
    void copyingKeepsLevelsContentAndCurrentWithoutHistory();
    void navigationCommandsTakeTheListLevelMoves_data();
    void navigationCommandsTakeTheListLevelMoves();
    void textAsStreamRewindsAndCopiesFromStart();
    void indicesFollowInsertionsAndRemovalsOnBothSides();
};

namespace {

// A list of documents at the given levels, titled "d<index>".
void fill(TDocs &docs, const QList<int> &levels) {
    for (int level : levels) {
        TDoc *doc = docs.DocList().AddDoc(level);
        doc->setTitle(QStringLiteral("d%1").arg(doc->Index()));
        doc->setRtf("rtf" + QByteArray::number(doc->Index()));
    }
}

int indexOf(const TDoc *doc) {
    return doc ? doc->Index() : -1;
}

QList<int> historyIndices(const TDocList &list) {
    QList<int> indices;
    for (const auto &entry : list.History())
        indices << entry.doc->Index();
    return indices;
}

} // namespace

void TestDocs::selectingOneThenZeroStacksBothInHistory() {
    TDocs docs;
    fill(docs, {0, 0});
    docs.setSelIndex(0);
    docs.setSelIndex(1);
    docs.setSelIndex(0);
    QCOMPARE(historyIndices(docs.DocList()), QList<int>({0, 1}));
    QCOMPARE(docs.DocList().History().at(1).title, QStringLiteral("d1"));
    // A document that already ends the history is not stacked twice.
    docs.setSelIndex(-1);
    docs.setSelIndex(1);
    docs.setSelIndex(0);
    QCOMPARE(historyIndices(docs.DocList()), QList<int>({0, 1}));
}

void TestDocs::selectingThePresentIndexDoesNotReload() {
    TDocs docs;
    fill(docs, {0, 0});
    FakeRichView view;
    docs.setRichEdit(&view);
    docs.setSelIndex(1);
    QCOMPARE(view.loads, 1);
    QCOMPARE(view.text, QStringLiteral("rtf1"));
    docs.setSelIndex(1);
    docs.setRichEdit(&view);
    QCOMPARE(view.loads, 1);
    QCOMPARE(view.clears, 1);
}

void TestDocs::selectingAMissingIndexOnlyDropsTheCurrent() {
    TDocs docs;
    fill(docs, {0, 0});
    int selections = 0;
    docs.OnSelection.handler = [&](TDocs *, TDoc *) { ++selections; };
    docs.setSelIndex(1);
    docs.setSelIndex(7);
    QCOMPARE(docs.SelIndex(), -1);
    QCOMPARE(selections, 2);
    docs.setSelIndex(-1);
    QCOMPARE(selections, 2);
}

void TestDocs::insertKeepsLevelsWithoutGaps_data() {
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("levelGiven"); // −2: nothing inserted
    QTest::newRow("first document at level 5 goes to 0") << QList<int>{} << 0 << 5 << 0;
    QTest::newRow("after level 0, level 5 goes to 1") << QList<int>{0} << 1 << 5 << 1;
    QTest::newRow("after level 1, level 2 stays") << QList<int>{0, 1} << 2 << 2 << 2;
    QTest::newRow("inserted at index 0 is level 0") << QList<int>{0, 1} << 0 << 1 << 0;
    QTest::newRow("inserted mid-list follows the one before") << QList<int>{0, 0, 0} << 1 << 3 << 1;
    QTest::newRow("negative level gets no tabs") << QList<int>{0, 1} << 2 << -3 << 0;
    QTest::newRow("lowest level after level 0 gets none") << QList<int>{0} << 1 << INT_MIN << 0;
    QTest::newRow("index past Count inserts nothing") << QList<int>{0} << 2 << 0 << -2;
    QTest::newRow("negative index inserts nothing") << QList<int>{0} << -1 << 0 << -2;
}

void TestDocs::insertKeepsLevelsWithoutGaps() {
    QFETCH(QList<int>, before);
    QFETCH(int, index);
    QFETCH(int, level);
    QFETCH(int, levelGiven);
    TDocs docs;
    fill(docs, before);
    TDoc *doc = docs.DocList().InsertDoc(index, level);
    if (levelGiven == -2) {
        QVERIFY(!doc);
        QCOMPARE(docs.Count(), before.size());
        return;
    }
    QVERIFY(doc);
    QCOMPARE(doc->Index(), index);
    QCOMPARE(doc->Level(), levelGiven);
    QCOMPARE(docs.DocList().Items().at(index).text(), QString(levelGiven, QLatin1Char('\t')));
    QCOMPARE(docs.Count(), before.size() + 1);
    for (int i = 0; i < docs.Count(); ++i)
        QCOMPARE(docs.DocList().Item(i)->Index(), i);
    QVERIFY(!docs.DocList().Item(docs.Count()));
}

void TestDocs::titleTurnsTabsToBlanksKeepsLevelAndEndsAtNul() {
    TDocs docs;
    fill(docs, {0, 1});
    TDoc *doc = docs.DocList().Item(1);
    doc->setTitle(QStringLiteral("\tA\tB"));
    QCOMPARE(doc->Title(), QStringLiteral(" A B"));
    QCOMPARE(doc->Level(), 1);
    QCOMPARE(docs.DocList().Items().at(1).text(), QStringLiteral("\t A B"));
    doc->setTitle(QStringLiteral("shown") + QChar(0) + QStringLiteral("hidden"));
    QCOMPARE(doc->Title(), QStringLiteral("shown"));
}

void TestDocs::attachingARichViewClearsItEvenWithoutCurrent() {
    TDocs docs;
    fill(docs, {0, 0});
    FakeRichView first(QStringLiteral("design text"));
    docs.setRichEdit(&first);
    QCOMPARE(first.text, QString());
    QCOMPARE(first.loads, 0);
    docs.setSelIndex(1);
    FakeRichView second(QStringLiteral("other text"));
    docs.setRichEdit(&second);
    QCOMPARE(second.clears, 1);
    QCOMPARE(second.text, QStringLiteral("rtf1"));
    // The view that was replaced keeps its text and hears no more.
    QCOMPARE(first.text, QStringLiteral("rtf1"));
    docs.DocList().Item(1)->setRtf("new");
    QCOMPARE(first.text, QStringLiteral("rtf1"));
    QCOMPARE(second.text, QStringLiteral("new"));
}

void TestDocs::hierarchyOnMixedLevels_data() {
    // Levels 0 1 2 1 0 1 2, the fifth (index 4) the last top-level document with children after it.
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("parent");
    QTest::addColumn<int>("firstChild");
    QTest::addColumn<int>("nextSibling");
    QTest::addColumn<int>("prevSibling");
    QTest::newRow("top with children") << 0 << -1 << 1 << 4 << -1;
    QTest::newRow("child with a grandchild") << 1 << 0 << 2 << 3 << -1;
    QTest::newRow("grandchild, deeper than what follows") << 2 << 1 << -1 << -1 << -1;
    QTest::newRow("second child, parent's run ends") << 3 << 0 << -1 << -1 << 1;
    QTest::newRow("last top level, children follow") << 4 << -1 << 5 << -1 << 0;
    QTest::newRow("last child") << 5 << 4 << 6 << -1 << -1;
    QTest::newRow("last document") << 6 << 5 << -1 << -1 << -1;
}

void TestDocs::hierarchyOnMixedLevels() {
    QFETCH(int, index);
    QFETCH(int, parent);
    QFETCH(int, firstChild);
    QFETCH(int, nextSibling);
    QFETCH(int, prevSibling);
    TDocs docs;
    fill(docs, {0, 1, 2, 1, 0, 1, 2});
    const TDoc *doc = docs.DocList().Item(index);
    QCOMPARE(indexOf(doc->Parent()), parent);
    QCOMPARE(indexOf(doc->FirstChild()), firstChild);
    QCOMPARE(indexOf(doc->NextSibling()), nextSibling);
    QCOMPARE(indexOf(doc->PrevSibling()), prevSibling);
}

void TestDocs::treeFollowsSubtreesVisibilityAndChanges() {
    TDocs docs;
    fill(docs, {0, 1, 2, 1, 0});
    docs.DocList().Item(3)->setVisible(false);
    FakeTree tree;
    tree.addNode(0, QStringLiteral("stale"), -1, -1, nullptr);
    docs.setDocDisplay(&tree);
    QCOMPARE(tree.shape(), QStringList({"->d0", "d0>d1", "d1>d2", "->d4"}));
    QCOMPARE(tree.items.value(docs.DocList().Item(2)->node()).data, docs.DocList().Item(2));
    QVERIFY(!docs.DocList().Item(3)->node());

    // Added under its parent's node; selecting it selects its node; hiding it drops the node.
    TDoc *added = docs.DocList().AddDoc(1);
    QCOMPARE(tree.items.value(added->node()).parent, docs.DocList().Item(4)->node());
    added->setImageIndex(7);
    QCOMPARE(tree.items.value(added->node()).imageIndex, 7);
    added->MakeCurrent(true);
    QCOMPARE(tree.selected, added->node());
    const auto node = added->node();
    added->setVisible(false);
    QVERIFY(!added->node());
    QVERIFY(!tree.items.contains(node));
    docs.DocList().Item(0)->Delete();
    QCOMPARE(tree.shape(), QStringList({"->d4"}));

    docs.setDocDisplay(nullptr);
    QVERIFY(!docs.DocList().Item(0)->node());
}

void TestDocs::treeNodesGoWhereTheWalkAndTheParentSay_data() {
    // Steps on a list of `levels`: "t" attaches the tree, "f" sets ForceVisible, "hN" hides document N, "xN"
    // deletes it, "iN.L" inserts one at N with level L, titled "iN", and "aL" appends one at level L, titled
    // "a<index>".
    QTest::addColumn<QList<int>>("levels");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("shape");
    const QList<int> levels{0, 1, 2, 1, 0};
    QTest::newRow("hidden document takes its subtree")
        << levels << "h1 t" << QStringList{"->d0", "d0>d3", "->d4"};
    QTest::newRow("hidden top takes its children only") << levels << "h0 t" << QStringList{"->d4"};
    QTest::newRow("forced visible") << levels << "h1 h2 f t"
                                    << QStringList{"->d0", "d0>d1", "d1>d2", "d0>d3", "->d4"};
    QTest::newRow("gap after an insertion: the shallower one is not reached")
        << QList<int>{0, 1, 2, 1} << "i2.0 t" << QStringList{"->d0", "d0>d1", "->i2", "i2>d2"};
    QTest::newRow("appended sibling") << QList<int>{0, 1} << "t a1" << QStringList{"->d0", "d0>d1", "d0>a2"};
    QTest::newRow("appended child") << QList<int>{0, 1} << "t a2" << QStringList{"->d0", "d0>d1", "d1>a2"};
    QTest::newRow("appended top") << QList<int>{0, 1} << "t a0" << QStringList{"->d0", "d0>d1", "->a2"};
    QTest::newRow("appended after an insertion in the middle")
        << QList<int>{0, 1, 2} << "t i1.0 t a1" << QStringList{"->d0", "->i1", "i1>d1", "d1>d2", "i1>a4"};
    QTest::newRow("appended after a deletion in the middle")
        << QList<int>{0, 1, 0, 1} << "t x2 a2" << QStringList{"->d0", "d0>d1", "d1>a2"};
}

void TestDocs::treeNodesGoWhereTheWalkAndTheParentSay() {
    QFETCH(QList<int>, levels);
    QFETCH(QString, steps);
    QFETCH(QStringList, shape);
    TDocs docs;
    fill(docs, levels);
    FakeTree tree;
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        const QStringList numbers = step.mid(1).split(QLatin1Char('.'));
        const int n = numbers.at(0).toInt();
        if (step == QLatin1String("t"))
            docs.setDocDisplay(&tree);
        else if (step == QLatin1String("f"))
            docs.setForceVisible(true);
        else if (step[0] == QLatin1Char('h'))
            docs.DocList().Item(n)->setVisible(false);
        else if (step[0] == QLatin1Char('x'))
            docs.DocList().Item(n)->Delete();
        else if (step[0] == QLatin1Char('i'))
            docs.DocList()
                .InsertDoc(n, numbers.at(1).toInt())
                ->setTitle(step.section(QLatin1Char('.'), 0, 0));
        else
            docs.DocList().AddDoc(n)->setTitle(QStringLiteral("a%1").arg(docs.Count() - 1));
    }
    QCOMPARE(tree.shape(), shape);
}

void TestDocs::destroyedViewsAreLetGo() {
    TDocs docs;
    fill(docs, {0, 0});
    auto view = std::make_unique<FakeRichView>();
    auto tree = std::make_unique<FakeTree>();
    docs.setRichEdit(view.get());
    docs.setDocDisplay(tree.get());
    view.reset();
    tree.reset();
    QVERIFY(!docs.RichEdit());
    QVERIFY(!docs.DocDisplay());
    QVERIFY(!docs.DocList().Item(0)->node());
    docs.setSelIndex(1);
    docs.DocList().Item(1)->Delete();
    QCOMPARE(docs.SelIndex(), -1);
}

void TestDocs::reportsFireEventsAndDesignerSilencesSome() {
    struct Designer : IDocsDesigner {
        QStringList heard;
        void docAdded(TDoc *) override { heard << QStringLiteral("added"); }
        void docChanged(TDoc *) override { heard << QStringLiteral("changed"); }
        void docSelected(TDoc *) override { heard << QStringLiteral("selected"); }
        void docDeleted(TDoc *) override { heard << QStringLiteral("deleted"); }
    };
    QStringList fired; // outlives the component, which reports its documents deleted as it goes
    TDocs docs;
    FakeRichView view;
    docs.setRichEdit(&view);
    const auto record = [&](const char *name) {
        return [&fired, name](TDocs *sender, TDoc *doc) {
            fired
                << QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(doc->Index()).arg(sender ? 1 : 0);
        };
    };
    docs.OnGetData.handler = record("getdata");
    docs.OnChange.handler = record("change");
    docs.OnSelection.handler = record("selection");
    docs.OnDeletion.handler = record("deletion");
    TDoc *doc = docs.DocList().AddDoc(0);
    doc->setTag(5);
    doc->MakeCurrent(true);
    doc->setRtf("x");
    QCOMPARE(fired, QStringList({"getdata 0 1", "change 0 1", "selection 0 1", "change 0 1"}));
    QCOMPARE(view.text, QStringLiteral("x"));

    Designer designer;
    docs.setDesigner(&designer);
    fired.clear();
    docs.DocList().AddDoc(0)->setTitle(QStringLiteral("t"));
    doc->setRtf("y");
    doc->MakeCurrent(false);
    docs.DocList().Item(1)->Delete();
    // While designing the view is not reloaded and OnGetData and OnChange stay silent.
    QCOMPARE(view.text, QStringLiteral("x"));
    QCOMPARE(fired, QStringList({"selection 0 1", "deletion 1 1"}));
    QCOMPARE(designer.heard, QStringList({"added", "changed", "changed", "deleted"}));
}

void TestDocs::deleteTakesChildrenHistoryAndCurrent() {
    QStringList deleted;
    TDocs docs;
    fill(docs, {0, 1, 2, 0});
    docs.OnDeletion.handler = [&](TDocs *, TDoc *doc) { deleted << doc->Title(); };
    docs.setSelIndex(2);
    docs.setSelIndex(3);
    docs.setSelIndex(1);
    docs.DocList().Item(0)->Delete();
    QCOMPARE(deleted, QStringList({"d2", "d1", "d0"}));
    QCOMPARE(docs.Count(), 1);
    QCOMPARE(docs.DocList().Item(0)->Title(), QStringLiteral("d3"));
    QCOMPARE(docs.SelIndex(), -1);
    QCOMPARE(historyIndices(docs.DocList()), QList<int>({0}));
    docs.DocList().Clear();
    QVERIFY(docs.DocList().History().isEmpty());
    QVERIFY(!docs.DocList().Item(0));
}

void TestDocs::destructionReportsEveryDocumentDeleted() {
    QStringList deleted;
    FakeTree tree;
    {
        TDocs docs;
        fill(docs, {0, 1, 0});
        docs.setDocDisplay(&tree);
        docs.OnDeletion.handler = [&](TDocs *, TDoc *doc) { deleted << doc->Title(); };
    }
    QCOMPARE(deleted, QStringList({"d1", "d0", "d2"}));
    QVERIFY(tree.items.isEmpty());
}

void TestDocs::copyingKeepsLevelsContentAndCurrentWithoutHistory() {
    TDocs source;
    fill(source, {0, 1, 1});
    TDoc *doc = source.DocList().Item(2);
    doc->setTag(-9);
    doc->setVisible(false);
    doc->setImageIndex(3);
    doc->setStateIndex(4);
    source.setSelIndex(0);
    source.setSelIndex(2);

    TDocs target;
    fill(target, {0});
    int selections = 0;
    target.OnSelection.handler = [&](TDocs *, TDoc *) { ++selections; };
    target.setDocList(&source.DocList());
    QCOMPARE(target.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TDoc *from = source.DocList().Item(i);
        const TDoc *to = target.DocList().Item(i);
        QCOMPARE(to->Level(), from->Level());
        QCOMPARE(to->Title(), from->Title());
        QCOMPARE(to->rtf(), from->rtf());
        QCOMPARE(to->Tag(), from->Tag());
        QCOMPARE(to->Visible(), from->Visible());
        QCOMPARE(to->ImageIndex(), from->ImageIndex());
        QCOMPARE(to->StateIndex(), from->StateIndex());
    }
    QCOMPARE(target.SelIndex(), 2);
    QVERIFY(target.DocList().History().isEmpty());
    QCOMPARE(selections, 0);

    // A document copied from another keeps its own level.
    target.DocList().Item(1)->Assign(*source.DocList().Item(0));
    QCOMPARE(target.DocList().Item(1)->Level(), 1);
    QCOMPARE(target.DocList().Item(1)->Title(), QStringLiteral("d0"));

    target.setDocList(nullptr);
    QCOMPARE(target.Count(), 0);
}

void TestDocs::navigationCommandsTakeTheListLevelMoves_data() {
    // On levels 0 1 1 0, with the history built by selecting `path` in turn.
    QTest::addColumn<QList<int>>("path");
    QTest::addColumn<bool>("upWhenBack");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QList<int>>("history");
    QTest::newRow("next sibling") << QList<int>{1} << false << "next" << 2 << QList<int>{1};
    QTest::newRow("next at the last sibling stays") << QList<int>{2} << false << "next" << 2 << QList<int>{};
    QTest::newRow("next without current does nothing")
        << QList<int>{} << false << "next" << -1 << QList<int>{};
    QTest::newRow("prev sibling") << QList<int>{3} << false << "prev" << 0 << QList<int>{3};
    QTest::newRow("demo goes to the first child") << QList<int>{0} << false << "demo" << 1 << QList<int>{0};
    QTest::newRow("back pops the history") << QList<int>{0, 3, 2} << false << "back" << 3 << QList<int>{0};
    QTest::newRow("back goes up when asked") << QList<int>{0, 2} << true << "back" << 0 << QList<int>{0, 2};
    QTest::newRow("back with empty history stays") << QList<int>{2} << false << "back" << 2 << QList<int>{};
    QTest::newRow("select next without current takes the first")
        << QList<int>{} << false << "selectNext" << 0 << QList<int>{};
    QTest::newRow("select prev without current takes the last")
        << QList<int>{} << false << "selectPrev" << 3 << QList<int>{};
    QTest::newRow("parent's next sibling") << QList<int>{1} << false << "parentNext" << 3 << QList<int>{1};
}

void TestDocs::navigationCommandsTakeTheListLevelMoves() {
    QFETCH(QList<int>, path);
    QFETCH(bool, upWhenBack);
    QFETCH(QString, command);
    QFETCH(int, selected);
    QFETCH(QList<int>, history);
    TDocs docs;
    fill(docs, {0, 1, 1, 0});
    docs.setUpWhenBack(upWhenBack);
    for (int index : path)
        docs.setSelIndex(index);
    if (command == QLatin1String("next"))
        docs.GoNext();
    else if (command == QLatin1String("prev"))
        docs.GoPrev();
    else if (command == QLatin1String("demo"))
        docs.GoDemo();
    else if (command == QLatin1String("back"))
        docs.GoBack();
    else if (command == QLatin1String("selectNext"))
        docs.DocList().SelectNext();
    else if (command == QLatin1String("selectPrev"))
        docs.DocList().SelectPrev();
    else
        docs.DocList().SelectParentNext();
    QCOMPARE(docs.SelIndex(), selected);
    QCOMPARE(historyIndices(docs.DocList()), history);
}

void TestDocs::textAsStreamRewindsAndCopiesFromStart() {
    TDocs docs;
    TDoc *doc = docs.DocList().AddDoc(0);
    doc->setRtf("{\\rtf1 abc}");
    QIODevice *stream = doc->TextAsStream();
    stream->read(4);
    QCOMPARE(doc->TextAsStream()->pos(), 0);
    QCOMPARE(doc->TextAsStream()->readAll(), QByteArray("{\\rtf1 abc}"));

    QByteArray other("{\\rtf1 longer text}");
    QBuffer source(&other);
    source.open(QIODevice::ReadOnly);
    source.seek(7);
    int changes = 0;
    docs.OnChange.handler = [&](TDocs *, TDoc *) { ++changes; };
    doc->setTextAsStream(&source);
    QCOMPARE(doc->rtf(), other);
    QCOMPARE(doc->TextAsStream()->readAll(), other);
    QCOMPARE(changes, 1);
}

// Index is kept by renumbering the shorter side of the list; every position must still be right.
void TestDocs::indicesFollowInsertionsAndRemovalsOnBothSides() {
    TDocs docs;
    fill(docs, {0, 0, 0, 0, 0, 0, 0, 0});
    QStringList expected;
    for (int i = 0; i < 8; ++i)
        expected << QStringLiteral("d%1").arg(i);
    const auto check = [&] {
        for (int i = 0; i < docs.Count(); ++i) {
            QCOMPARE(docs.DocList().Item(i)->Index(), i);
            QCOMPARE(docs.DocList().Item(i)->Title(), expected.at(i));
        }
    };
    for (int index : {1, 5, 0, 3}) {
        docs.DocList().Item(index)->Delete();
        expected.removeAt(index);
        check();
    }
    for (int index : {1, 3, 0, docs.Count()}) {
        docs.DocList().InsertDoc(index, 0)->setTitle(QStringLiteral("n%1").arg(index));
        expected.insert(index, QStringLiteral("n%1").arg(index));
        check();
    }
}

QTEST_GUILESS_MAIN(TestDocs)
#include "tst_docs.moc"

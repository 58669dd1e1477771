#include "../dialogs/modalrunner.h"
#include "mainwindowsetup.h"
#include "resources/appresources.h"
#include "ui/controls/systemcolors.h"
#include "ui/dialogs/guidelineswindow.h"
#include "ui/docviews/richeditview.h"
#include "ui/main/mainwindow.h"

#include <QAction>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

// The help menu's two commands with the real guidelines window and its stored documents: F1 (N6Click) shows
// the reference text, "Методические указания" (N12Click) the note on the guidelines; switching documents
// reloads the box, selecting the shown one again keeps it where it was scrolled to.
class TestHelpCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void f1RightAfterStartShowsTheReferenceAsLoaded();
    void guidelinesThenF1ReloadsTheReference();
    void f1TwiceKeepsTheScrollPosition();

private:
    struct Shown {
        QString caption;
        QString text;
        QTextDocument *document = nullptr;
        int scroll = -1;
    };
    // Opens the window by `open` and notes what it shows; `whileShown` may then act on it.
    Shown open(const std::function<void()> &open, const std::function<void()> &whileShown = {});
    void pressF1() { QTest::keyClick(m_main->windowHandle(), Qt::Key_F1); }

    TForm1 *m_main = nullptr;
    TForm7 *m_help = nullptr;
};

void TestHelpCommands::initTestCase() {
    prepareMainWindowTests();
}

void TestHelpCommands::init() {
    m_main = new TForm1;
    m_help = new TForm7(m_main, &m_main->drawnButtons());
    m_main->setDialogs(m_help, nullptr, nullptr, nullptr);
    m_main->show();
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
}

void TestHelpCommands::cleanup() {
    m_main->setDialogs(nullptr, nullptr, nullptr, nullptr);
    delete m_help;
    delete m_main;
}

TestHelpCommands::Shown TestHelpCommands::open(const std::function<void()> &open,
                                               const std::function<void()> &whileShown) {
    Shown shown;
    runModal(*m_help, open, [&] {
        if (whileShown)
            whileShown();
        shown.caption = m_help->windowTitle();
        shown.text = control<QTextEdit>(m_help, "RichEdit1")->toPlainText();
        shown.document = control<QTextEdit>(m_help, "RichEdit1")->document();
        shown.scroll = control<QTextEdit>(m_help, "RichEdit1")->verticalScrollBar()->value();
    });
    return shown;
}

void TestHelpCommands::f1RightAfterStartShowsTheReferenceAsLoaded() {
    // The document loaded when the window was made, as the box will show it (a hidden box gets it when
    // shown).
    auto *view = m_help->findChild<RichEditView *>();
    QVERIFY(view);
    QTextDocument *loaded = view->edit()->document();
    const Shown shown = open([&] { pressF1(); });
    QCOMPARE(shown.caption, QStringLiteral("Справочная информация"));
    QVERIFY2(shown.text.startsWith(QStringLiteral("Назначение\nПрограмма предназначена")),
             qPrintable(shown.text));
    QCOMPARE(shown.document, loaded);
    QCOMPARE(control<docset::TDocs>(m_help, "Docs1")->SelIndex(), 0);
}

void TestHelpCommands::guidelinesThenF1ReloadsTheReference() {
    const Shown guidelines = open(
        [&] { control<QAction>(m_main, "N12")->trigger(); },
        [&] { QTest::keyClick(control<QTextEdit>(m_help, "RichEdit1"), Qt::Key_End, Qt::ControlModifier); });
    QCOMPARE(guidelines.caption, QStringLiteral("Методические указания"));
    QVERIFY(guidelines.text.startsWith(QStringLiteral("О методических указаниях\n")));
    QVERIFY(guidelines.scroll > 0);
    const Shown reference = open([&] { pressF1(); });
    QCOMPARE(reference.caption, QStringLiteral("Справочная информация"));
    QVERIFY(reference.text.startsWith(QStringLiteral("Назначение\n")));
    QVERIFY(reference.document != guidelines.document);
    QCOMPARE(reference.scroll, 0);
    QCOMPARE(control<docset::TDocs>(m_help, "Docs1")->DocList().History().size(), 2);
}

void TestHelpCommands::f1TwiceKeepsTheScrollPosition() {
    const Shown first = open(
        [&] { pressF1(); },
        [&] { QTest::keyClick(control<QTextEdit>(m_help, "RichEdit1"), Qt::Key_End, Qt::ControlModifier); });
    QVERIFY(first.scroll > 0);
    const Shown second = open([&] { pressF1(); });
    QCOMPARE(second.scroll, first.scroll);
    QCOMPARE(second.document, first.document);
    QCOMPARE(second.text, first.text);
}

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"

#include "modalrunner.h"
#include "resources/appresources.h"
#include "ui/controls/mmbutton.h"
#include "ui/dialogs/guidelineswindow.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

class TestGuidelinesWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutAsCreated();
    void textIsReadOnlyWithVerticalScrollBarOnly();
    void textTakesFocusWhenShown();
    void enterClosesWhileTextHasFocus_data();
    void enterClosesWhileTextHasFocus();
    void otherKeysGoToText();
    void okButtonCloses();
    void closeBoxCloses();
    void laterShowingKeepsTopLeft();
    void textIsNamedByTheWindowsCaption();
    void storedRecordGivesTwoDocumentsWithReferenceShown();
    void documentsRenderInBundledFacesWithNavyWords_data();
    void documentsRenderInBundledFacesWithNavyWords();
    void guidelinesHeadingKeepsItsSpaceBefore();

private:
    QWidget *m_main = nullptr;
    QList<QImage> m_faces;
    TForm7 *m_form = nullptr;
};

void TestGuidelinesWindow::init() {
    m_main = new QWidget;
    m_main->setGeometry(100, 60, 792, 553);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
    m_faces = {QImage(150, 40, QImage::Format_ARGB32), QImage(150, 40, QImage::Format_ARGB32)};
    m_form = new TForm7(m_main, &m_faces);
}

void TestGuidelinesWindow::cleanup() {
    delete m_form;
    delete m_main;
    m_form = nullptr;
    m_main = nullptr;
}

void TestGuidelinesWindow::layoutAsCreated() {
    QCOMPARE(m_form->size(), QSize(391, 380));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Методические указания"));
    QVERIFY(m_form->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!m_form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!m_form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    const QFont font = m_form->font();
    QCOMPARE(font.family(), programFont(QStringLiteral("Courier New"), 16, false).family());
    QCOMPARE(font.pixelSize(), 16);
    QVERIFY(!font.bold());

    QCOMPARE(control<QTextEdit>(m_form, "RichEdit1")->geometry(), QRect(10, 10, 371, 301));
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->geometry(), QRect(125, 325, 150, 40));
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->text(), QStringLiteral("ОК"));
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->font().pixelSize(), 19);
    QVERIFY(control<TLMDMMButton>(m_form, "LMDMMButton1")->font().bold());
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->focusPolicy(), Qt::NoFocus);
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->faceList(), &m_faces);
}

void TestGuidelinesWindow::textIsReadOnlyWithVerticalScrollBarOnly() {
    QTextEdit *text = control<QTextEdit>(m_form, "RichEdit1");
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(text->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff);
    QCOMPARE(text->lineWrapMode(), QTextEdit::WidgetWidth);
    // Read-only must not take the keyboard away: the pupil moves through the text with it.
    QCOMPARE(text->textInteractionFlags(), Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QCOMPARE(
        text->accessibleDescription(),
        QStringLiteral("Текст документа; стрелки, Page Up и Page Down листают его, Enter закрывает окно"));

    text->setPlainText(QStringLiteral("Текст"));
    bool typedIgnored = false;
    runModal(
        *m_form, [&] { m_form->exec(); },
        [&] {
            pressKey(*m_form, Qt::Key_X);
            typedIgnored = text->toPlainText() == QStringLiteral("Текст");
        });
    QVERIFY(typedIgnored);
}

void TestGuidelinesWindow::textTakesFocusWhenShown() {
    QWidget *focused = nullptr;
    runModal(
        *m_form, [&] { m_form->exec(); }, [&] { focused = m_form->focusWidget(); });
    QCOMPARE(focused, control<QTextEdit>(m_form, "RichEdit1"));
}

void TestGuidelinesWindow::enterClosesWhileTextHasFocus_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Alt+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier | Qt::AltModifier);
}

void TestGuidelinesWindow::enterClosesWhileTextHasFocus() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QWidget *focused = nullptr;
    const bool stillShown = runModal(
        *m_form, [&] { m_form->exec(); },
        [&] {
            focused = m_form->focusWidget();
            pressKey(*m_form, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        });
    QCOMPARE(focused, control<QTextEdit>(m_form, "RichEdit1"));
    QVERIFY(!stillShown);
}

void TestGuidelinesWindow::otherKeysGoToText() {
    QString lines;
    for (int i = 0; i < 200; ++i)
        lines += QStringLiteral("Строка %1\n").arg(i);
    control<QTextEdit>(m_form, "RichEdit1")->setPlainText(lines);
    int scrolled = 0;
    const bool stillShown = runModal(
        *m_form, [&] { m_form->exec(); },
        [&] {
            pressKey(*m_form, Qt::Key_Escape);
            pressKey(*m_form, Qt::Key_End, Qt::ControlModifier);
            scrolled = control<QTextEdit>(m_form, "RichEdit1")->verticalScrollBar()->value();
        });
    QVERIFY(stillShown);
    QVERIFY(scrolled > 0);
}

void TestGuidelinesWindow::okButtonCloses() {
    const bool stillShown = runModal(
        *m_form, [&] { m_form->exec(); },
        [&] { QTest::mouseClick(control<TLMDMMButton>(m_form, "LMDMMButton1"), Qt::LeftButton); });
    QVERIFY(!stillShown);
}

void TestGuidelinesWindow::closeBoxCloses() {
    bool closed = false;
    const bool stillShown = runModal(
        *m_form, [&] { m_form->exec(); }, [&] { closed = m_form->windowHandle()->close(); });
    QVERIFY(closed);
    QVERIFY(!stillShown);
}

void TestGuidelinesWindow::textIsNamedByTheWindowsCaption() {
    QCOMPARE(control<QTextEdit>(m_form, "RichEdit1")->accessibleName(),
             QStringLiteral("Методические указания"));
    for (const QString &caption :
         {QStringLiteral("Справочная информация"), QStringLiteral("Методические указания")}) {
        m_form->setWindowTitle(caption);
        QCOMPARE(control<QTextEdit>(m_form, "RichEdit1")->accessibleName(), caption);
    }
}

void TestGuidelinesWindow::laterShowingKeepsTopLeft() {
    QPoint first;
    QPoint second;
    runModal(
        *m_form, [&] { m_form->exec(); }, [&] { first = m_form->frameGeometry().topLeft(); });
    m_main->move(0, 0);
    runModal(
        *m_form, [&] { m_form->exec(); }, [&] { second = m_form->frameGeometry().topLeft(); });
    QCOMPARE(second, first);
    const QRect owner(QPoint(100, 60), QSize(792, 553));
    QVERIFY(first.x() > owner.left() && first.y() > owner.top());
}

void TestGuidelinesWindow::storedRecordGivesTwoDocumentsWithReferenceShown() {
    QCOMPARE(control<docset::TDocs>(m_form, "Docs1")->objectName(), QStringLiteral("Docs1"));
    QCOMPARE(control<docset::TDocs>(m_form, "Docs1")->Count(), 2);
    QCOMPARE(control<docset::TDocs>(m_form, "Docs1")->SelIndex(), 0);
    QCOMPARE(control<docset::TDocs>(m_form, "Docs1")->RichEdit()->objectName(), QStringLiteral("RichEdit1"));
    QCOMPARE(control<docset::TDocs>(m_form, "Docs1")->Left, 30);
    QCOMPARE(control<docset::TDocs>(m_form, "Docs1")->Top, 330);
    // What the box holds once the window opens.
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    QVERIFY(control<QTextEdit>(m_form, "RichEdit1")
                ->toPlainText()
                .startsWith(QStringLiteral("Назначение\nПрограмма предназначена")));
    QVERIFY(control<docset::TDocs>(m_form, "Docs1")->DocList().History().isEmpty());
}

void TestGuidelinesWindow::documentsRenderInBundledFacesWithNavyWords_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("reference") << 0 << QStringLiteral("Назначение");
    QTest::newRow("guidelines") << 1 << QStringLiteral("О методических указаниях");
}

// Every face the documents use is one of the program's own, so none is synthesised or taken from the machine,
// and the navy words (the button's name, the rights line) come out navy on the screen.
void TestGuidelinesWindow::documentsRenderInBundledFacesWithNavyWords() {
    QFETCH(int, index);
    QFETCH(QString, firstLine);
    control<docset::TDocs>(m_form, "Docs1")->setSelIndex(index);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    QTextDocument *document = control<QTextEdit>(m_form, "RichEdit1")->document();
    QCOMPARE(document->firstBlock().text(), firstLine);
    const QStringList bundled = {QStringLiteral("Liberation Sans"), QStringLiteral("Liberation Serif"),
                                 QStringLiteral("Liberation Mono")};
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QFont font = it.fragment().charFormat().font();
            QVERIFY2(bundled.contains(font.families().value(0)), qPrintable(it.fragment().text()));
            QVERIFY(!font.italic());
            QFontInfo info(font);
            QCOMPARE(info.family(), font.families().value(0));
            QCOMPARE(info.bold(), font.bold());
        }
    }
    QScrollBar *bar = control<QTextEdit>(m_form, "RichEdit1")->verticalScrollBar();
    QImage top = m_form->grab().toImage();
    bar->setValue(bar->maximum());
    const QImage bottom = m_form->grab().toImage();
    if (const QString folder = qEnvironmentVariable("LOGICUS_SCREENS"); !folder.isEmpty()) {
        top.save(QStringLiteral("%1/form7-doc%2-top.png").arg(folder).arg(index));
        bottom.save(QStringLiteral("%1/form7-doc%2-bottom.png").arg(folder).arg(index));
    }
    int navy = 0;
    for (int y = 0; y < bottom.height(); ++y) {
        for (int x = 0; x < bottom.width(); ++x)
            navy += bottom.pixel(x, y) == qRgb(0, 0, 128);
    }
    QVERIFY2(navy > 30, qPrintable(QString::number(navy)));
}

// The guidelines note's heading has 240 twips of space before, the reference's first heading none: on the
// screen the one stands 16 pixels lower than the other.
void TestGuidelinesWindow::guidelinesHeadingKeepsItsSpaceBefore() {
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    int tops[2];
    for (const int index : {0, 1}) {
        control<docset::TDocs>(m_form, "Docs1")->setSelIndex(index);
        QTextCursor start(control<QTextEdit>(m_form, "RichEdit1")->document());
        tops[index] = control<QTextEdit>(m_form, "RichEdit1")->cursorRect(start).top();
    }
    QCOMPARE(tops[1] - tops[0], 16);
}

QTEST_MAIN(TestGuidelinesWindow)
#include "tst_guidelineswindow.moc"

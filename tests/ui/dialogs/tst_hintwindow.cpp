#include "modalrunner.h"
#include "resources/appresources.h"
#include "ui/controls/mmbutton.h"
#include "ui/dialogs/hintwindow.h"

#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include <algorithm>

class TestHintWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutAsCreated();
    void gridShape();
    void enterClosesWhileGridHasFocus_data();
    void enterClosesWhileGridHasFocus();
    void escapeDoesNotClose();
    void okButtonCloses();
    void closeBoxCloses();
    void narrowerLaterShowingKeepsLeftEdge();

private:
    QWidget *m_main = nullptr;
    QList<QImage> m_faces;
    TForm2 *m_form = nullptr;
};

void TestHintWindow::init() {
    m_main = new QWidget;
    m_main->setGeometry(100, 60, 792, 553);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
    m_faces = {QImage(150, 40, QImage::Format_ARGB32), QImage(150, 40, QImage::Format_ARGB32)};
    m_form = new TForm2(m_main, &m_faces);
}

void TestHintWindow::cleanup() {
    delete m_form;
    delete m_main;
    m_form = nullptr;
    m_main = nullptr;
}

void TestHintWindow::layoutAsCreated() {
    QCOMPARE(m_form->size(), QSize(439, 233));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Подсказка"));
    QVERIFY(m_form->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!m_form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!m_form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    const QFont font = m_form->font();
    QCOMPARE(font.family(), programFont(QStringLiteral("Courier New"), 19, true).family());
    QCOMPARE(font.pixelSize(), 19);
    QVERIFY(font.bold());

    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->text(),
             QStringLiteral("Таблица логических операций"));
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->pos(), QPoint(20, 10));
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->height(), 24);
    // At least as designed, and never cutting the title off.
    const int titleWidth =
        QFontMetrics(font).horizontalAdvance(control<QLabel>(m_form, "LMDSimpleLabel1")->text());
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->width(), std::max(299, titleWidth));
    QVERIFY(control<QLabel>(m_form, "LMDSimpleLabel1")->geometry().right() < m_form->width());
    QCOMPARE(control<QTableWidget>(m_form, "StringGrid1")->pos(), QPoint(20, 40));
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->geometry(), QRect(20, 180, 150, 40));
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->text(), QStringLiteral("ОК"));
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->focusPolicy(), Qt::NoFocus);
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->faceList(), &m_faces);
    // The grid sits between the title and the button.
    QVERIFY(control<QTableWidget>(m_form, "StringGrid1")->geometry().bottom() <
            control<TLMDMMButton>(m_form, "LMDMMButton1")->y());
}

void TestHintWindow::gridShape() {
    QTableWidget *grid = control<QTableWidget>(m_form, "StringGrid1");
    QCOMPARE(grid->columnCount(), 6);
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(grid->focusPolicy() & Qt::TabFocus);
    QCOMPARE(grid->accessibleName(), QStringLiteral("Таблица логических операций"));
    QCOMPARE(
        grid->accessibleDescription(),
        QStringLiteral("Первая строка — заголовки, ниже — результаты операций для всех значений входов"));
    for (int row = 0; row < grid->rowCount(); ++row)
        QCOMPARE(grid->rowHeight(row), 24 + 1); // the cell and its grid line
}

void TestHintWindow::enterClosesWhileGridHasFocus_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Alt+Return") << int(Qt::Key_Return) << int(Qt::AltModifier);
}

void TestHintWindow::enterClosesWhileGridHasFocus() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QWidget *focused = nullptr;
    const bool stillShown = runModal(
        *m_form, [&] { m_form->exec(); },
        [&] {
            control<QTableWidget>(m_form, "StringGrid1")->setFocus();
            focused = m_form->focusWidget();
            pressKey(*m_form, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        });
    QCOMPARE(focused, control<QTableWidget>(m_form, "StringGrid1"));
    QVERIFY(!stillShown);
}

void TestHintWindow::escapeDoesNotClose() {
    const bool stillShown = runModal(
        *m_form, [&] { m_form->exec(); },
        [&] {
            control<QTableWidget>(m_form, "StringGrid1")->setFocus();
            pressKey(*m_form, Qt::Key_Escape);
        });
    QVERIFY(stillShown);
}

void TestHintWindow::okButtonCloses() {
    const bool stillShown = runModal(
        *m_form, [&] { m_form->exec(); },
        [&] { QTest::mouseClick(control<TLMDMMButton>(m_form, "LMDMMButton1"), Qt::LeftButton); });
    QVERIFY(!stillShown);
}

void TestHintWindow::closeBoxCloses() {
    bool closed = false;
    const bool stillShown = runModal(
        *m_form, [&] { m_form->exec(); }, [&] { closed = m_form->windowHandle()->close(); });
    QVERIFY(closed);
    QVERIFY(!stillShown);
}

void TestHintWindow::narrowerLaterShowingKeepsLeftEdge() {
    QRect first;
    QRect second;
    runModal(
        *m_form, [&] { m_form->exec(); }, [&] { first = m_form->frameGeometry(); });
    m_form->setClientWidth(380);
    runModal(
        *m_form, [&] { m_form->exec(); }, [&] { second = m_form->frameGeometry(); });
    QCOMPARE(second.topLeft(), first.topLeft());
    QCOMPARE(m_form->size(), QSize(380, 233));
}

QTEST_MAIN(TestHintWindow)
#include "tst_hintwindow.moc"

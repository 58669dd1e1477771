#include "modalrunner.h"
#include "ui/dialogs/fixeddialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <algorithm>

using dialogs::FixedDialog;

namespace {

QPoint expectedCentre(const QWidget &owner, const QWidget &dialog) {
    const QRect o = owner.frameGeometry();
    const QSize d = dialog.frameGeometry().size();
    return {std::max(0, o.x() + (o.width() - d.width()) / 2),
            std::max(0, o.y() + (o.height() - d.height()) / 2)};
}

} // namespace

class TestFixedDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void clientSizeIsFixed();
    void titleButtonsFlags();
    void firstShowingCentredOverOwner();
    void firstShowingNeverStartsOffScreen();
    void laterShowingKeepsTopLeftWhateverItsWidth();
    void laterShowingKeepsWhereItWasMovedTo();
    void escapeNeverCloses();
    void enterClosesEvenFromAFocusedControl_data();
    void enterClosesEvenFromAFocusedControl();
    void enterIgnoredUnlessAsked();
    void closeBoxCloses();

private:
    QWidget *m_owner = nullptr;
};

void TestFixedDialog::init() {
    m_owner = new QWidget;
    m_owner->setGeometry(120, 90, 792, 553);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner));
}

void TestFixedDialog::cleanup() {
    delete m_owner;
    m_owner = nullptr;
}

void TestFixedDialog::clientSizeIsFixed() {
    FixedDialog dialog(m_owner, QSize(300, 111), FixedDialog::closeBoxOnly());
    QCOMPARE(dialog.size(), QSize(300, 111));
    QCOMPARE(dialog.minimumSize(), QSize(300, 111));
    QCOMPARE(dialog.maximumSize(), QSize(300, 111));
    QVERIFY(!dialog.isSizeGripEnabled());

    dialog.setClientWidth(420);
    QCOMPARE(dialog.size(), QSize(420, 111));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
}

void TestFixedDialog::titleButtonsFlags() {
    const Qt::WindowFlags closeOnly = FixedDialog::closeBoxOnly();
    QVERIFY(closeOnly.testFlag(Qt::Dialog));
    QVERIFY(closeOnly.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(closeOnly.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!closeOnly.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!closeOnly.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!closeOnly.testFlag(Qt::WindowContextHelpButtonHint));

    const Qt::WindowFlags none = FixedDialog::noTitleButtons();
    QVERIFY(none.testFlag(Qt::WindowTitleHint));
    QVERIFY(none.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!none.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!none.testFlag(Qt::WindowSystemMenuHint));

    FixedDialog dialog(m_owner, QSize(100, 100), none);
    QVERIFY(dialog.isWindow());
    QCOMPARE(dialog.parentWidget(), m_owner);
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

void TestFixedDialog::firstShowingCentredOverOwner() {
    FixedDialog dialog(m_owner, QSize(300, 200), FixedDialog::closeBoxOnly());
    QVERIFY(!dialog.hasBeenPlaced());
    QPoint shownAt;
    runModal(
        dialog, [&] { dialog.exec(); }, [&] { shownAt = dialog.frameGeometry().topLeft(); });
    QVERIFY(dialog.hasBeenPlaced());
    QCOMPARE(shownAt, expectedCentre(*m_owner, dialog));
    // Known answer when the window system adds no frame: (792 − 300) / 2 and (553 − 200) / 2, truncated.
    if (dialog.frameGeometry() == dialog.geometry() && m_owner->frameGeometry() == m_owner->geometry())
        QCOMPARE(shownAt, QPoint(120 + 246, 90 + 176));
}

void TestFixedDialog::firstShowingNeverStartsOffScreen() {
    m_owner->move(0, 0);
    FixedDialog dialog(m_owner, QSize(900, 700), FixedDialog::closeBoxOnly());
    QPoint shownAt;
    runModal(
        dialog, [&] { dialog.exec(); }, [&] { shownAt = dialog.frameGeometry().topLeft(); });
    QCOMPARE(shownAt, QPoint(0, 0));
}

void TestFixedDialog::laterShowingKeepsTopLeftWhateverItsWidth() {
    FixedDialog dialog(m_owner, QSize(600, 111), FixedDialog::closeBoxOnly());
    QPoint first;
    QPoint second;
    runModal(
        dialog, [&] { dialog.exec(); }, [&] { first = dialog.frameGeometry().topLeft(); });
    dialog.setClientWidth(250);
    // The owner moving away does not pull the dialog along: only the first showing is centred.
    m_owner->move(300, 200);
    runModal(
        dialog, [&] { dialog.exec(); }, [&] { second = dialog.frameGeometry().topLeft(); });
    QCOMPARE(second, first);
    QCOMPARE(dialog.width(), 250);
}

void TestFixedDialog::laterShowingKeepsWhereItWasMovedTo() {
    FixedDialog dialog(m_owner, QSize(300, 200), FixedDialog::closeBoxOnly());
    runModal(
        dialog, [&] { dialog.exec(); }, [&] { dialog.move(33, 44); });
    QPoint second;
    runModal(
        dialog, [&] { dialog.exec(); }, [&] { second = dialog.pos(); });
    QCOMPARE(second, QPoint(33, 44));
}

void TestFixedDialog::escapeNeverCloses() {
    FixedDialog dialog(m_owner, QSize(300, 200), FixedDialog::closeBoxOnly());
    dialog.setClosesOnEnter(true);
    const bool stillShown = runModal(
        dialog, [&] { dialog.exec(); }, [&] { pressKey(dialog, Qt::Key_Escape); });
    QVERIFY(stillShown);
}

void TestFixedDialog::enterClosesEvenFromAFocusedControl_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier);
    QTest::newRow("Alt+Return") << int(Qt::Key_Return) << int(Qt::AltModifier);
}

void TestFixedDialog::enterClosesEvenFromAFocusedControl() {
    QFETCH(int, key);
    QFETCH(int, modifiers);

    FixedDialog dialog(m_owner, QSize(300, 200), FixedDialog::closeBoxOnly());
    auto *edit = new QLineEdit(&dialog);
    bool editSawEnter = false;
    connect(edit, &QLineEdit::returnPressed, this, [&] { editSawEnter = true; });
    dialog.setClosesOnEnter(true);
    dialog.installKeyPreview();

    QWidget *focused = nullptr;
    const bool stillShown = runModal(
        dialog, [&] { dialog.exec(); },
        [&] {
            edit->setFocus();
            focused = dialog.focusWidget();
            pressKey(dialog, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        });
    QCOMPARE(focused, edit);
    QVERIFY(!stillShown);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!editSawEnter);
}

void TestFixedDialog::enterIgnoredUnlessAsked() {
    FixedDialog dialog(m_owner, QSize(300, 200), FixedDialog::closeBoxOnly());
    const bool stillShown = runModal(
        dialog, [&] { dialog.exec(); }, [&] { pressKey(dialog, Qt::Key_Return); });
    QVERIFY(stillShown);
}

void TestFixedDialog::closeBoxCloses() {
    FixedDialog dialog(m_owner, QSize(300, 200), FixedDialog::closeBoxOnly());
    bool closed = false;
    const bool stillShown = runModal(
        dialog, [&] { dialog.exec(); }, [&] { closed = dialog.windowHandle()->close(); });
    QVERIFY(closed);
    QVERIFY(!stillShown);
}

QTEST_MAIN(TestFixedDialog)
#include "tst_fixeddialog.moc"

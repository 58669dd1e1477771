#include "modalrunner.h"
#include "ui/dialogs/fixeddialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <algorithm>

using dialogs::FixedDialog;

class TestFixedDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void clientSizeIsFixed();
    void titleButtonsFlags();
    void firstShowingCentresOuterRectangles_data();
    void firstShowingCentresOuterRectangles();
    void firstShowingLeavesOwnersControlsInItsWindow();
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

void TestFixedDialog::firstShowingCentresOuterRectangles_data() {
    QTest::addColumn<QPoint>("ownerAt");
    QTest::addColumn<QSize>("clientSize");
    QTest::addColumn<QMargins>("ownerFrame");
    QTest::addColumn<QMargins>("dialogFrame");
    QTest::addColumn<QPoint>("outerTopLeft");

    const QPoint owner(120, 90);
    const QMargins thin(1, 20, 1, 1);
    const QMargins thick(48, 114, 48, 48);
    // (792 − 300) / 2 and (553 − 200) / 2, truncated.
    QTest::newRow("no frame") << owner << QSize(300, 200) << QMargins() << QMargins() << QPoint(366, 266);
    // Owner's outer rectangle 119, 70, 794 × 574; the dialog's 302 × 221.
    QTest::newRow("thin frames") << owner << QSize(300, 200) << thin << thin << QPoint(365, 246);
    QTest::newRow("a frame on the dialog only")
        << owner << QSize(300, 200) << QMargins() << thin << QPoint(365, 256);
    // Owner's outer rectangle 72, −24, 888 × 715; the dialog's 396 × 362.
    QTest::newRow("thick frames") << owner << QSize(300, 200) << thick << thick << QPoint(318, 152);
    QTest::newRow("larger than an owner at the corner: never off-screen")
        << QPoint(0, 0) << QSize(900, 700) << thick << thick << QPoint(0, 0);
}

void TestFixedDialog::firstShowingCentresOuterRectangles() {
    QFETCH(QPoint, ownerAt);
    QFETCH(QSize, clientSize);
    QFETCH(QMargins, ownerFrame);
    QFETCH(QMargins, dialogFrame);
    QFETCH(QPoint, outerTopLeft);

    // Placed by its client area: move() would count the headless platform's own frame.
    m_owner->setGeometry(QRect(ownerAt, m_owner->size()));
    FixedDialog dialog(m_owner, clientSize, FixedDialog::closeBoxOnly());
    // The window system's frames, as it would tell them before the dialog is first mapped.
    dialog.setFrameSource([&](QWidget &window) { return &window == m_owner ? ownerFrame : dialogFrame; });
    QVERIFY(!dialog.hasBeenPlaced());
    QRect client;
    runModal(
        dialog, [&] { dialog.exec(); }, [&] { client = dialog.geometry(); });
    QVERIFY(dialog.hasBeenPlaced());
    QCOMPARE(client.topLeft() - QPoint(dialogFrame.left(), dialogFrame.top()), outerTopLeft);
    QCOMPARE(client.size(), clientSize);
}

void TestFixedDialog::firstShowingLeavesOwnersControlsInItsWindow() {
    auto *control = new QLineEdit(m_owner);
    control->show();
    FixedDialog dialog(m_owner, QSize(300, 200), FixedDialog::closeBoxOnly());
    runModal(
        dialog, [&] { dialog.exec(); }, [] {});
    // Asking for the dialog's frame gives it a window of its own; the owner's controls must not get one.
    QVERIFY(!control->testAttribute(Qt::WA_NativeWindow));
    QVERIFY(!control->internalWinId());
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

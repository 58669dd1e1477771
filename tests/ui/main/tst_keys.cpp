#include "ui/main/keys.h"

#include <QTest>

class TestKeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void digitsAreTheDigitRowsPhysicalKeys_data();
    void digitsAreTheDigitRowsPhysicalKeys();
};

void TestKeys::digitsAreTheDigitRowsPhysicalKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<uint>("scanCode");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<int>("code");
    const int none = Qt::NoModifier, shift = Qt::ShiftModifier, keypad = Qt::KeypadModifier;
    // X numbers the digit row's 1, 2, 3 as 10, 11, 12 and the keypad's 1, 2, 3 (or End, Down, PgDn) as 87-89.
    QTest::newRow("X: 1") << int(Qt::Key_1) << none << 10u << "xcb" << 49;
    QTest::newRow("X: Shift+1 gives !") << int(Qt::Key_Exclam) << shift << 10u << "xcb" << 49;
    QTest::newRow("X: French layout, unshifted 2 gives é")
        << int(Qt::Key_Eacute) << none << 11u << "xcb" << 50;
    QTest::newRow("X: French layout, unshifted 3 gives \"")
        << int(Qt::Key_QuoteDbl) << none << 12u << "xcb" << 51;
    QTest::newRow("X: keypad 1") << int(Qt::Key_1) << keypad << 87u << "xcb" << 0;
    QTest::newRow("X: keypad 3 without NumLock") << int(Qt::Key_PageDown) << keypad << 89u << "xcb" << 0;
    QTest::newRow("X: 4") << int(Qt::Key_4) << none << 13u << "xcb" << 0;
    QTest::newRow("Wayland: 3") << int(Qt::Key_3) << none << 12u << "wayland" << 51;
    QTest::newRow("Windows: 2") << int(Qt::Key_2) << none << 3u << "windows" << 50;
    QTest::newRow("Windows: keypad 2") << int(Qt::Key_2) << keypad << 0x50u << "windows" << 0;
    // A key made up by a program has no scan code: it counts by its Qt key.
    QTest::newRow("made up: 2") << int(Qt::Key_2) << none << 0u << "offscreen" << 50;
    QTest::newRow("made up: Shift+3") << int(Qt::Key_3) << shift << 0u << "offscreen" << 51;
    QTest::newRow("made up: keypad 1") << int(Qt::Key_1) << keypad << 0u << "offscreen" << 0;
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::AltModifier) << 36u << "xcb" << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << 104u << "xcb" << 13;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << shift << 9u << "xcb" << 27;
    QTest::newRow("F1") << int(Qt::Key_F1) << none << 67u << "xcb" << 0;
}

void TestKeys::digitsAreTheDigitRowsPhysicalKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(uint, scanCode);
    QFETCH(QString, platform);
    QFETCH(int, code);
    QCOMPARE(virtualKeyCode(key, Qt::KeyboardModifiers(modifiers), scanCode, platform), code);
}

QTEST_GUILESS_MAIN(TestKeys)
#include "tst_keys.moc"

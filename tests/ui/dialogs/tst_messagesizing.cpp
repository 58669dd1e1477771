#include "ui/dialogs/messagesizing.h"

#include <QTest>

namespace {

// A monospace-like measurer in which 'W' is wider than every other character, so that two lines of the same
// length but different letters measure differently and show which one was measured.
int fakeMeasure(const QString &text) {
    int width = 0;
    for (const QChar c : text)
        width += c == QLatin1Char('W') ? 20 : 12;
    return width;
}

const QString kWrongAnswer = QStringLiteral("Твой ответ неправилен.\r\nТы не учёл, что\r\n");

} // namespace

class TestMessageSizing : public QObject {
    Q_OBJECT
private slots:
    void measuringStringIsFirstLongestLinePlusTwoBlanks_data();
    void measuringStringIsFirstLongestLinePlusTwoBlanks();
    void layoutWidthsFollowMeasuredLine_data();
    void layoutWidthsFollowMeasuredLine();
    void cappedWindowIsExactlyEightHundredOutside_data();
    void cappedWindowIsExactlyEightHundredOutside();
    void hugeFrameNeverGivesNegativeWidths();
};

void TestMessageSizing::measuringStringIsFirstLongestLinePlusTwoBlanks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one line") << QStringLiteral("Победа") << QStringLiteral("Победа  ");
    QTest::newRow("empty text") << QString() << QStringLiteral("  ");
    QTest::newRow("equal lengths: first of two")
        << QStringLiteral("WWWW\r\nabcd") << QStringLiteral("WWWW  ");
    QTest::newRow("equal lengths: first of two, reversed")
        << QStringLiteral("abcd\r\nWWWW") << QStringLiteral("abcd  ");
    QTest::newRow("longest in the middle")
        << QStringLiteral("ab\r\nabcdef\r\nabc") << QStringLiteral("abcdef  ");
    QTest::newRow("tail after the last separator counts")
        << QStringLiteral("a\r\nabcdef") << QStringLiteral("abcdef  ");
    QTest::newRow("text ending in CR LF") << QStringLiteral("abc\r\n") << QStringLiteral("abc  ");
    QTest::newRow("only a separator") << QStringLiteral("\r\n") << QStringLiteral("  ");
    QTest::newRow("text ending in a lone CR") << QStringLiteral("abc\r") << QStringLiteral("abc  ");
    // The walk always skips two characters from a CR, whatever follows it.
    QTest::newRow("lone CR also drops the next character")
        << QStringLiteral("ab\rXcdef") << QStringLiteral("cdef  ");
    QTest::newRow("wrong answer: first line widest")
        << kWrongAnswer + QStringLiteral("НЕ Ложь = Истина") << QStringLiteral("Твой ответ неправилен.  ");
    QTest::newRow("wrong answer: explanation widest")
        << kWrongAnswer + QStringLiteral("(Истина ИСКЛ.ИЛИ Ложь) = Истина")
        << QStringLiteral("(Истина ИСКЛ.ИЛИ Ложь) = Истина  ");
    QTest::newRow("victory text") << QStringLiteral("Поздравляем с успехом!\r\nВаши очки: 100.")
                                  << QStringLiteral("Поздравляем с успехом!  ");
}

void TestMessageSizing::measuringStringIsFirstLongestLinePlusTwoBlanks() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(dialogs::measuringString(text), expected);
}

void TestMessageSizing::layoutWidthsFollowMeasuredLine_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("frameWidth");
    QTest::addColumn<int>("labelWidth");
    QTest::addColumn<int>("clientWidth");

    // 8 characters of 12 px.
    QTest::newRow("one line") << QStringLiteral("Победа") << 0 << 96 << 276;
    QTest::newRow("empty text: two blanks") << QString() << 0 << 24 << 204;
    // "WWWW  " is 4 × 20 + 2 × 12; "abcd  " would be 72.
    QTest::newRow("equal lengths: first measured") << QStringLiteral("WWWW\r\nabcd") << 0 << 104 << 284;
    QTest::newRow("equal lengths: first measured, reversed")
        << QStringLiteral("abcd\r\nWWWW") << 0 << 72 << 252;
    // "Твой ответ неправилен." has 22 characters.
    QTest::newRow("wrong answer, three lines")
        << kWrongAnswer + QStringLiteral("НЕ Ложь = Истина") << 8 << 288 << 468;
    QTest::newRow("text ending in CR LF") << QStringLiteral("abcdef\r\n") << 8 << 96 << 276;
    // 48 characters: 600 + 180 + 20 = 800 exactly, which is not over the limit.
    QTest::newRow("outer width exactly 800 is kept") << QString(48, QLatin1Char('x')) << 20 << 600 << 780;
}

void TestMessageSizing::layoutWidthsFollowMeasuredLine() {
    QFETCH(QString, text);
    QFETCH(int, frameWidth);
    QFETCH(int, labelWidth);
    QFETCH(int, clientWidth);

    const dialogs::MessageLayout layout = dialogs::messageLayout(text, fakeMeasure, frameWidth);
    QCOMPARE(layout.labelWidth, labelWidth);
    QCOMPARE(layout.clientWidth, clientWidth);
}

void TestMessageSizing::cappedWindowIsExactlyEightHundredOutside_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("frameWidth");
    QTest::addColumn<int>("labelWidth");
    QTest::addColumn<int>("clientWidth");

    // 49 characters: label 612, client 792, outer 812 → 12 off both.
    QTest::newRow("one pixel group over") << QString(49, QLatin1Char('x')) << 20 << 600 << 780;
    // 60 characters: label 744, client 924, outer 932 → 132 off both.
    QTest::newRow("long explanation") << QString(60, QLatin1Char('x')) << 8 << 612 << 792;
    // Without a frame the client itself is capped at 800.
    QTest::newRow("no frame known") << QString(60, QLatin1Char('x')) << 0 << 620 << 800;
    QTest::newRow("long second line")
        << QStringLiteral("short\r\n") + QString(70, QLatin1Char('y')) << 6 << 614 << 794;
}

void TestMessageSizing::cappedWindowIsExactlyEightHundredOutside() {
    QFETCH(QString, text);
    QFETCH(int, frameWidth);
    QFETCH(int, labelWidth);
    QFETCH(int, clientWidth);

    const dialogs::MessageLayout layout = dialogs::messageLayout(text, fakeMeasure, frameWidth);
    QCOMPARE(layout.labelWidth, labelWidth);
    QCOMPARE(layout.clientWidth, clientWidth);
    QCOMPARE(layout.clientWidth + frameWidth, dialogs::kMaxOuterWidth);
    // The label loses exactly what the window loses: 180 px beside it remain.
    QCOMPARE(layout.clientWidth - layout.labelWidth, 180);
}

void TestMessageSizing::hugeFrameNeverGivesNegativeWidths() {
    const dialogs::MessageLayout layout = dialogs::messageLayout(QStringLiteral("abc"), fakeMeasure, 900);
    QCOMPARE(layout.labelWidth, 0);
    QCOMPARE(layout.clientWidth, 0);
}

QTEST_GUILESS_MAIN(TestMessageSizing)
#include "tst_messagesizing.moc"

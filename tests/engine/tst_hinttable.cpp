#include "engine/hinttable.h"

#include <QTest>

using namespace engine;

class TestHintTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsAreTheTruthTableInTheCurrentTexts();
    void columnsFitTheWiderOfHeaderAndValues_data();
    void columnsFitTheWiderOfHeaderAndValues();
};

void TestHintTable::rowsAreTheTruthTableInTheCurrentTexts() {
    const QList<QStringList> expected{
        {"A", "B", "НЕ A", "A ИЛИ B", "A И B", "A ИСКЛ.ИЛИ B"},
        {"Ложь", "Ложь", "Истина", "Ложь", "Ложь", "Ложь"},
        {"Ложь", "Истина", "Истина", "Истина", "Ложь", "Истина"},
        {"Истина", "Ложь", "Ложь", "Истина", "Ложь", "Истина"},
        {"Истина", "Истина", "Ложь", "Истина", "Истина", "Ложь"},
    };
    QCOMPARE(hintTableRows(2, 0), expected);
    QCOMPARE(hintTableRows(0, 1).first(), (QStringList{"A", "B", "NOT A", "A OR B", "A AND B", "A XOR B"}));
    QCOMPARE(hintTableRows(0, 1).at(2), (QStringList{"0", "1", "1", "1", "0", "1"}));
}

void TestHintTable::columnsFitTheWiderOfHeaderAndValues_data() {
    QTest::addColumn<int>("notation");
    QTest::addColumn<int>("language");
    QTest::addColumn<QList<int>>("widths");
    // Measured as 10 per character: a monospaced font, like the window's.
    QTest::newRow("0/1, Russian") << 0 << 0 << QList<int>{15, 15, 45, 75, 55, 125};
    QTest::newRow("0/1, English") << 0 << 1 << QList<int>{15, 15, 55, 65, 75, 75};
    QTest::newRow("False/True, Russian: False is the wider") << 4 << 0 << QList<int>{55, 55, 55, 75, 55, 125};
    QTest::newRow("False/True, English") << 4 << 1 << QList<int>{55, 55, 55, 65, 75, 75};
    QTest::newRow("Ложь/Истина: Истина is the wider") << 2 << 1 << QList<int>{65, 65, 65, 65, 75, 75};
}

void TestHintTable::columnsFitTheWiderOfHeaderAndValues() {
    QFETCH(int, notation);
    QFETCH(int, language);
    QFETCH(QList<int>, widths);
    const auto tenPerCharacter = [](const QString &text) { return 10 * int(text.size()); };
    QCOMPARE(hintColumnWidths(hintTableRows(notation, language).first(), notation, tenPerCharacter), widths);
}

QTEST_GUILESS_MAIN(TestHintTable)
#include "tst_hinttable.moc"

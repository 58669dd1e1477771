#include "engine/logic.h"

#include <QTest>

using namespace engine;

class TestLogic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void truthFunctionsMatchTheUsualTables_data();
    void truthFunctionsMatchTheUsualTables();
    void valueTextsKeepFalseBeforeTrue_data();
    void valueTextsKeepFalseBeforeTrue();
    void operationNamesAreExact();
    void outOfRangeLookupsGiveEmptyText();
};

void TestLogic::truthFunctionsMatchTheUsualTables_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("expected");
    // Written in 0/1 terms and converted, so the table is the textbook one, not the code arithmetic.
    const struct {
        const char *name;
        TOperationKind kind;
        int a, b, result;
    } rows[] = {
        {"not 0", okNot, 0, 0, 1},
        {"not 1", okNot, 1, 0, 0},
        {"or 00", okOr, 0, 0, 0},
        {"or 01", okOr, 0, 1, 1},
        {"or 10", okOr, 1, 0, 1},
        {"or 11", okOr, 1, 1, 1},
        {"and 00", okAnd, 0, 0, 0},
        {"and 01", okAnd, 0, 1, 0},
        {"and 10", okAnd, 1, 0, 0},
        {"and 11", okAnd, 1, 1, 1},
        {"xor: both false", okXor, 0, 0, 0},
        {"xor 01", okXor, 0, 1, 1},
        {"xor 10", okXor, 1, 0, 1},
        {"xor: both true", okXor, 1, 1, 0},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << int(row.kind) << row.a + 1 << row.b + 1 << row.result + 1;
}

void TestLogic::truthFunctionsMatchTheUsualTables() {
    QFETCH(int, kind);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, expected);
    QCOMPARE(int(operationResult(TOperationKind(kind), TLogicValue(a), TLogicValue(b))), expected);
}

void TestLogic::valueTextsKeepFalseBeforeTrue_data() {
    QTest::addColumn<int>("notation");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("0/1") << 0 << QStringList{"?", "0", "1"};
    QTest::newRow("Нет/Да") << 1 << QStringList{"?", "Нет", "Да"};
    QTest::newRow("Ложь/Истина") << 2 << QStringList{"?", "Ложь", "Истина"};
    QTest::newRow("No/Yes") << 3 << QStringList{"?", "No", "Yes"};
    QTest::newRow("False/True") << 4 << QStringList{"?", "False", "True"};
}

void TestLogic::valueTextsKeepFalseBeforeTrue() {
    QFETCH(int, notation);
    QFETCH(QStringList, items);
    QCOMPARE(valueListTexts(notation), items);
    QCOMPARE(ValueText(notation, lvTrue), items.at(2));
}

void TestLogic::operationNamesAreExact() {
    const QStringList russian{"НЕ", "ИЛИ", "И", "ИСКЛ.ИЛИ"};
    const QStringList english{"NOT", "OR", "AND", "XOR"};
    for (int kind = okNot; kind <= okXor; ++kind) {
        QCOMPARE(OperationName(0, kind), russian.at(kind));
        QCOMPARE(OperationName(1, kind), english.at(kind));
    }
    // A full stop and no blank: a lookalike with a space would pass a visual check.
    QCOMPARE(OperationName(0, okXor).size(), 8);
}

void TestLogic::outOfRangeLookupsGiveEmptyText() {
    QVERIFY(ValueText(5, 1).isEmpty());
    QVERIFY(ValueText(-1, 1).isEmpty());
    QVERIFY(ValueText(0, 3).isEmpty());
    QVERIFY(OperationName(2, 0).isEmpty());
    QVERIFY(OperationName(0, 4).isEmpty());
}

QTEST_GUILESS_MAIN(TestLogic)
#include "tst_logic.moc"

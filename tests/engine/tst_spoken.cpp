#include "engine/exercise.h"
#include "engine/spoken.h"

#include <QTest>

using namespace engine;

namespace {

// Exercise 2 of level 3 drawn with 0, 2, 1, 1, 0: OR over XOR (bottom, Tag 13) and a negation (top, Tag 0).
ExerciseModel levelThree() {
    ExerciseModel model;
    const int draws[] = {0, 2, 1, 1, 0};
    int next = 0;
    BuildExercise(
        model, 3, 2, [&](int) { return draws[next++]; }, 1, 1);
    return model;
}

} // namespace

class TestSpoken : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsSayOperationInputAndWhetherGiven_data();
    void listsSayOperationInputAndWhetherGiven();
};

void TestSpoken::listsSayOperationInputAndWhetherGiven_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    const QString open = QStringLiteral("Вычисли этот результат и выбери его в списке.");
    const QString given = QStringLiteral("Значение дано в упражнении.");
    QTest::newRow("answer box") << 0 << 1 << 1
                                << QStringLiteral("Ответ: результат операции OR, выбери значение")
                                << QStringLiteral("Вычисли результат всего выражения и выбери его в списке.");
    QTest::newRow("final's top input: the negation's result")
        << 1 << 1 << 1 << QStringLiteral("Результат операции NOT, верхний вход операции OR, выбери значение")
        << open;
    QTest::newRow("final's bottom input: the XOR's result, in Russian")
        << 1 << 2 << 0
        << QStringLiteral("Результат операции ИСКЛ.ИЛИ, нижний вход операции ИЛИ, выбери значение") << open;
    QTest::newRow("XOR's top input") << 2 << 1 << 1 << QStringLiteral("Верхний вход операции XOR, дано")
                                     << given;
    QTest::newRow("negation's input") << 3 << 1 << 0 << QStringLiteral("Вход операции НЕ, дано") << given;
    QTest::newRow("no second list in a negation") << 3 << 2 << 1 << QString() << QString();
}

void TestSpoken::listsSayOperationInputAndWhetherGiven() {
    QFETCH(int, slot);
    QFETCH(int, list);
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(QString, description);
    const ExerciseModel model = levelThree();
    QCOMPARE(listSpokenName(model, slot, list, language), name);
    QCOMPARE(listSpokenDescription(model, slot, list), description);
}

QTEST_GUILESS_MAIN(TestSpoken)
#include "tst_spoken.moc"

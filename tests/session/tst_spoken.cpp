#include "session/spoken.h"

#include <QTest>

using namespace session;

using Slots = std::array<int, ExercisesPerGame>;
Q_DECLARE_METATYPE(Slots)

class TestSessionSpoken : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void progressReadsEveryExercise_data() {
        QTest::addColumn<Slots>("results");
        QTest::addColumn<QString>("text");
        QTest::newRow("before the first game")
            << Slots{} << QStringLiteral("Упражнения: 1–10 — ещё не решались.");
        QTest::newRow("third exercise") << Slots{esRight, esRight, esCurrent}
                                        << QStringLiteral("Упражнения: 1, 2 — верно; 3 — решается сейчас; "
                                                          "4–10 — ещё не решались.");
        QTest::newRow("a whole game")
            << Slots{esWrong, esRight, esRight, esRight, esWrong, esWrong, esRight, esRight, esRight, esWrong}
            << QStringLiteral(
                   "Упражнения: 1 — неверно; 2–4 — верно; 5, 6 — неверно; 7–9 — верно; 10 — неверно.");
    }
    void progressReadsEveryExercise() {
        QFETCH(Slots, results);
        QFETCH(QString, text);
        QCOMPARE(progressSummary(results), text);
    }

    void lampsSayColourAndState() {
        QCOMPARE(lampSpokenName(0, true), QStringLiteral("Зелёная лампа, горит"));
        QCOMPARE(lampSpokenName(2, false), QStringLiteral("Красная лампа, не горит"));
    }
};

QTEST_GUILESS_MAIN(TestSessionSpoken)
#include "tst_spoken.moc"

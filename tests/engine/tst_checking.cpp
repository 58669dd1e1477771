#include "engine/checking.h"

#include <QTest>

using namespace engine;

namespace {

// The truth table as a textbook prints it, in 0/1: a, b, NOT a, a OR b, a AND b, a XOR b.
constexpr int TruthTable[4][6] = {
    {0, 0, 1, 0, 0, 0},
    {0, 1, 1, 1, 0, 1},
    {1, 0, 0, 1, 0, 1},
    {1, 1, 0, 1, 1, 0},
};

// Two notations and both languages, spelled out here rather than taken from the program's tables.
struct Texts {
    const char *name;
    int notation, language;
    const char *unknown, *falseText, *trueText;
    const char *kinds[4];
};
constexpr Texts TextSets[] = {
    {"0/1, Russian", 0, 0, "?", "0", "1", {"НЕ", "ИЛИ", "И", "ИСКЛ.ИЛИ"}},
    {"Ложь/Истина, English", 2, 1, "?", "Ложь", "Истина", {"NOT", "OR", "AND", "XOR"}},
};

const QString Unfinished = QStringLiteral("необходимо вычислить результаты всех операций.");

FrameValues negation(int a, int tag = 0) {
    return {FrameClass::TFrame4, tag, a, lvUnknown};
}
FrameValues twoInputs(int kind, int a, int b, int tag = -1) {
    return {FrameClass::TFrame3, tag < 0 ? kind : tag, a, b};
}

} // namespace

Q_DECLARE_METATYPE(FrameValues)
Q_DECLARE_METATYPE(ExerciseValues)

class TestChecking : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyOperationInputAndAnswer_data();
    void everyOperationInputAndAnswer();
    void workedExamplesReadExactly_data();
    void workedExamplesReadExactly();
    void answerOrderExplainsTheFirstMistake_data();
    void answerOrderExplainsTheFirstMistake();
    void textsFollowTheNotationAtTheMomentOfJudging();
};

void TestChecking::everyOperationInputAndAnswer_data() {
    QTest::addColumn<FrameValues>("frame");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("notation");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("explanation");

    for (const Texts &t : TextSets) {
        const auto text = [&t](int code) {
            return QString::fromUtf8(code == lvUnknown ? t.unknown
                                     : code == lvFalse ? t.falseText
                                                       : t.trueText);
        };
        // Inputs: both given values and "?"; the table's 0/1 become the codes 1/2.
        for (int a = lvUnknown; a <= lvTrue; ++a) {
            for (int b = lvUnknown; b <= lvTrue; ++b) {
                const int *row = (a && b) ? TruthTable[(a - 1) * 2 + (b - 1)] : nullptr;
                for (int kind = okNot; kind <= okXor; ++kind) {
                    if (kind == okNot && b != lvUnknown)
                        continue; // a negation has one input
                    const bool known = kind == okNot ? a != lvUnknown : row != nullptr;
                    const int truth = !known          ? lvUnknown
                                      : kind == okNot ? TruthTable[(a - 1) * 2][2] + 1
                                                      : row[2 + kind] + 1;
                    for (int answer = lvUnknown; answer <= lvTrue; ++answer) {
                        const FrameValues frame = kind == okNot ? negation(a) : twoInputs(kind, a, b);
                        bool right = false;
                        QString explanation;
                        const QString name = QString::fromUtf8(t.kinds[kind]);
                        if (!known || answer == lvUnknown)
                            explanation = Unfinished;
                        else if (answer == truth)
                            right = true;
                        else if (kind == okNot)
                            explanation = name + " " + text(a) + " = " + text(truth);
                        else
                            explanation = text(a) + " " + name + " " + text(b) + " = " + text(truth);
                        const QString rowName = QStringLiteral("%1: %2 %3 %4 answered %5")
                                                    .arg(QString::fromUtf8(t.name), name, text(a),
                                                         kind == okNot ? QString() : text(b), text(answer));
                        QTest::newRow(qPrintable(rowName))
                            << frame << answer << t.notation << t.language << right << explanation;
                    }
                }
            }
        }
    }
}

void TestChecking::everyOperationInputAndAnswer() {
    QFETCH(FrameValues, frame);
    QFETCH(int, answer);
    QFETCH(int, notation);
    QFETCH(int, language);
    QFETCH(bool, right);
    QFETCH(QString, explanation);
    QString got = QStringLiteral("left over from an earlier check");
    QCOMPARE(CheckFrame(frame, answer, notation, language, got), right);
    QCOMPARE(got, explanation);
}

void TestChecking::workedExamplesReadExactly_data() {
    QTest::addColumn<FrameValues>("frame");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("notation");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("explanation");
    // The kind comes from Tag mod 10: a frame feeding the bottom input carries 10 more.
    QTest::newRow("OR on Да, Нет answered Нет")
        << twoInputs(okOr, lvTrue, lvFalse) << int(lvFalse) << 1 << 1 << QStringLiteral("Да OR Нет = Да");
    QTest::newRow("negation answered with its input")
        << negation(lvFalse, 10) << int(lvFalse) << 2 << 0 << QStringLiteral("НЕ Ложь = Истина");
    QTest::newRow("XOR of two trues, feeding the bottom")
        << twoInputs(okXor, lvTrue, lvTrue, 13) << int(lvTrue) << 2 << 0
        << QStringLiteral("Истина ИСКЛ.ИЛИ Истина = Ложь");
    QTest::newRow("AND in No/Yes") << twoInputs(okAnd, lvTrue, lvFalse) << int(lvTrue) << 3 << 1
                                   << QStringLiteral("Yes AND No = No");
    QTest::newRow("NOT in False/True")
        << negation(lvTrue) << int(lvTrue) << 4 << 1 << QStringLiteral("NOT True = False");
}

void TestChecking::workedExamplesReadExactly() {
    QFETCH(FrameValues, frame);
    QFETCH(int, answer);
    QFETCH(int, notation);
    QFETCH(int, language);
    QFETCH(QString, explanation);
    QString got;
    QVERIFY(!CheckFrame(frame, answer, notation, language, got));
    QCOMPARE(got, explanation);
}

void TestChecking::answerOrderExplainsTheFirstMistake_data() {
    QTest::addColumn<ExerciseValues>("exercise");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("explanation");
    // Notation "Нет/Да", English names throughout.
    const int F = lvFalse, T = lvTrue, U = lvUnknown;

    QTest::newRow("level 1: answer box left at ?")
        << ExerciseValues{{twoInputs(okAnd, T, T)}, U} << 1 << false << Unfinished;
    QTest::newRow("level 1: right") << ExerciseValues{{negation(F)}, T} << 1 << true << QString();

    // Level 2, a negation of Нет feeding the bottom input of AND, whose top input is given as Да.
    const auto andOverNot = [=](int bottom, int answer) {
        return ExerciseValues{{twoInputs(okAnd, T, bottom), negation(F, 10)}, answer};
    };
    QTest::newRow("level 2: intermediate ? with an answer given")
        << andOverNot(U, F) << 2 << false << Unfinished;
    QTest::newRow("level 2: wrong intermediate, consistent final")
        << andOverNot(F, F) << 2 << false << QStringLiteral("NOT Нет = Да");
    QTest::newRow("level 2: right intermediate, wrong final")
        << andOverNot(T, F) << 2 << false << QStringLiteral("Да AND Да = Да");
    QTest::newRow("level 2: all right") << andOverNot(T, T) << 2 << true << QString();
    // The negation feeding the top input is judged against the top list.
    QTest::newRow("level 2: negation feeding the top input")
        << ExerciseValues{{twoInputs(okOr, T, F), negation(T, 0)}, T} << 2 << false
        << QStringLiteral("NOT Да = Нет");
    // Exercises 3, 6, 9: a two-input operation feeds the final negation's only input.
    QTest::newRow("level 2: OR feeding a negation, wrong OR")
        << ExerciseValues{{negation(T), twoInputs(okOr, F, F)}, F} << 2 << false
        << QStringLiteral("Нет OR Нет = Нет");

    // Level 3: "Frame31" OR; XOR of Да, Да in the second slot; a negation of Нет in the third.
    const auto level3 = [=](int xorTag, int notTag, int top, int bottom, int answer) {
        return ExerciseValues{
            {twoInputs(okOr, top, bottom), twoInputs(okXor, T, T, xorTag), negation(F, notTag)}, answer};
    };
    QTest::newRow("level 3: ? in the bottom input") << level3(3, 10, F, U, T) << 3 << false << Unfinished;
    QTest::newRow("level 3: both intermediates wrong, final consistent: the XOR is explained")
        << level3(3, 10, T, F, T) << 3 << false << QStringLiteral("Да XOR Да = Нет");
    QTest::newRow("level 3: only the negation wrong")
        << level3(3, 10, F, F, F) << 3 << false << QStringLiteral("NOT Нет = Да");
    QTest::newRow("level 3: all right, XOR on top") << level3(3, 10, F, T, T) << 3 << true << QString();
    // Even exercises: the XOR feeds the bottom input and the negation the top; Frames[2] is still first.
    QTest::newRow("level 3: swapped, both wrong")
        << level3(13, 0, F, T, T) << 3 << false << QStringLiteral("Да XOR Да = Нет");
    QTest::newRow("level 3: swapped, all right") << level3(13, 0, T, F, T) << 3 << true << QString();
}

void TestChecking::answerOrderExplainsTheFirstMistake() {
    QFETCH(ExerciseValues, exercise);
    QFETCH(int, level);
    QFETCH(bool, right);
    QFETCH(QString, explanation);
    const Judgement judgement = JudgeExercise(exercise, level, 1, 1);
    QCOMPARE(judgement.right, right);
    QCOMPARE(judgement.explanation, explanation);
}

void TestChecking::textsFollowTheNotationAtTheMomentOfJudging() {
    const ExerciseValues exercise{{twoInputs(okXor, lvTrue, lvFalse)}, lvFalse};
    QCOMPARE(JudgeExercise(exercise, 1, 0, 0).explanation, QStringLiteral("1 ИСКЛ.ИЛИ 0 = 1"));
    QCOMPARE(JudgeExercise(exercise, 1, 4, 1).explanation, QStringLiteral("True XOR False = True"));
}

QTEST_GUILESS_MAIN(TestChecking)
#include "tst_checking.moc"

#include "engine/exercise.h"

#include <QTest>

using namespace engine;

namespace {

// Hands out a fixed script of draws and records the bound of every call.
struct ScriptedDraws {
    QList<int> script;
    QList<int> bounds;
    int next = 0;

    DrawSource source() {
        return [this](int n) {
            bounds << n;
            if (next >= script.size())
                return 0;
            const int value = script.at(next++);
            return value < n ? value : 0;
        };
    }
};

QString describeList(const char *name, const ValueListModel &list) {
    return QStringLiteral(" %1=%2%3")
        .arg(QLatin1String(name))
        .arg(list.itemIndex)
        .arg(list.enabled ? 'o' : 'g');
}

// "Frame3@135,300#1 c1=2g c2=1g" — class and name, place, Tag, each list's value, given (g) or open (o).
QString describe(const ExerciseModel &model) {
    QStringList parts;
    for (const auto &frame : model.Frames) {
        if (!frame) {
            parts << QStringLiteral("-");
            continue;
        }
        QString text =
            QStringLiteral("%1@%2,%3#%4").arg(frame->name).arg(frame->left).arg(frame->top).arg(frame->Tag);
        text += describeList("c1", frame->ComboBox1);
        if (frame->isTwoInput())
            text += describeList("c2", frame->ComboBox2);
        if (frame->isTwoInput() != (frame->name.startsWith(QLatin1String("Frame3"))))
            text += QStringLiteral(" CLASS-MISMATCH");
        parts << text;
    }
    parts << QStringLiteral("ans=%1 %2%3")
                 .arg(model.answerLeft)
                 .arg(model.answerBox.itemIndex)
                 .arg(model.answerBox.enabled ? 'o' : 'g');
    return parts.join(QStringLiteral(" | "));
}

QString boundsText(const QList<int> &bounds) {
    QStringList parts;
    for (int bound : bounds)
        parts << QString::number(bound);
    return parts.join(QLatin1Char(','));
}

} // namespace

class TestExercise : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyExerciseBuildsItsDiagram_data();
    void everyExerciseBuildsItsDiagram();
    void levelOneRunsThroughTheOperationsInOrder();
    void workedExampleLevelTwo();
    void workedExampleLevelThree();
    void newBuildLeavesOnlyTheNewFrames();
    void answerBoxResetsToUnknownEachExercise();
    void headingIsSingularOnlyAtLevelOne();
    void equalsSignsStandBesideTheListsTheyFeed_data();
    void equalsSignsStandBesideTheListsTheyFeed();
};

void TestExercise::everyExerciseBuildsItsDiagram_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("exercise");
    QTest::addColumn<QList<int>>("draws");
    QTest::addColumn<QString>("bounds");
    QTest::addColumn<QString>("diagram");

    const QString twoGiven = QStringLiteral("c1=2g c2=1g");
    for (int e = 1; e <= 10; ++e) {
        const QByteArray name = "level 1, exercise " + QByteArray::number(e);
        if (e % 4 == 0) {
            QTest::newRow(name) << 1 << e << QList<int>{0} << QStringLiteral("2")
                                << QStringLiteral("Frame4@135,330#0 c1=1g | - | - | ans=385 0o");
        } else {
            QTest::newRow(name)
                << 1 << e << QList<int>{1, 0} << QStringLiteral("2,2")
                << QStringLiteral("Frame3@135,300#%1 %2 | - | - | ans=385 0o").arg(e % 4).arg(twoGiven);
        }
    }
    for (int e = 1; e <= 10; ++e) {
        const QByteArray name = "level 2, exercise " + QByteArray::number(e);
        if (e % 3 == 0) {
            QTest::newRow(name)
                << 2 << e << QList<int>{2, 1, 0} << QStringLiteral("3,2,2")
                << QStringLiteral("Frame4@260,330#0 c1=0o | Frame3@10,300#3 c1=2g c2=1g | - | ans=510 0o");
        } else if (e % 2 == 1) {
            // s = 0: the negation moves down and feeds the bottom input; the top input is given.
            QTest::newRow(name)
                << 2 << e << QList<int>{0, 1, 0, 0} << QStringLiteral("3,2,2,2")
                << QStringLiteral("Frame3@260,300#1 c1=1g c2=0o | Frame4@10,380#10 c1=2g | - | ans=510 0o");
        } else {
            // s = 1: the negation stays at the top; the bottom input is given.
            QTest::newRow(name)
                << 2 << e << QList<int>{2, 0, 1, 1} << QStringLiteral("3,2,2,2")
                << QStringLiteral("Frame3@260,300#3 c1=0o c2=2g | Frame4@10,280#0 c1=1g | - | ans=510 0o");
        }
    }
    for (int e = 1; e <= 10; ++e) {
        const QByteArray name = "level 3, exercise " + QByteArray::number(e);
        const QString last = QStringLiteral("Frame31@260,300#2 c1=0o c2=0o");
        if (e % 2 == 1) {
            QTest::newRow(name)
                << 3 << e << QList<int>{1, 0, 0, 1, 1} << QStringLiteral("3,3,2,2,2")
                << last +
                       QStringLiteral(" | Frame3@10,250#1 c1=1g c2=2g | Frame4@10,380#10 c1=2g | ans=510 0o");
        } else {
            QTest::newRow(name)
                << 3 << e << QList<int>{1, 0, 0, 1, 1} << QStringLiteral("3,3,2,2,2")
                << last +
                       QStringLiteral(" | Frame3@10,350#11 c1=1g c2=2g | Frame4@10,280#0 c1=2g | ans=510 0o");
        }
    }
}

void TestExercise::everyExerciseBuildsItsDiagram() {
    QFETCH(int, level);
    QFETCH(int, exercise);
    QFETCH(QList<int>, draws);
    QFETCH(QString, bounds);
    QFETCH(QString, diagram);

    ScriptedDraws scripted{draws, {}};
    ExerciseModel model;
    BuildExercise(model, level, exercise, scripted.source(), 1, 1);
    QCOMPARE(describe(model), diagram);
    QCOMPARE(boundsText(scripted.bounds), bounds);
}

void TestExercise::levelOneRunsThroughTheOperationsInOrder() {
    const QList<int> expected{okOr, okAnd, okXor, okNot, okOr, okAnd, okXor, okNot, okOr, okAnd};
    ScriptedDraws scripted;
    ExerciseModel model;
    for (int e = 1; e <= 10; ++e) {
        BuildExercise(model, 1, e, scripted.source(), 1, 1);
        QCOMPARE(int(model.Frames[0]->kind()), expected.at(e - 1));
    }
}

void TestExercise::workedExampleLevelTwo() {
    ScriptedDraws scripted{{1, 0, 0, 1}, {}};
    ExerciseModel model;
    BuildExercise(model, 2, 4, scripted.source(), 1, 1);
    const FrameModel &last = *model.Frames[0];
    QCOMPARE(int(last.kind()), int(okAnd));
    QCOMPARE(QPoint(last.left, last.top), QPoint(260, 300));
    QCOMPARE(last.ComboBox1.itemIndex, int(lvTrue));
    QVERIFY(!last.ComboBox1.enabled);
    QCOMPARE(last.ComboBox2.itemIndex, int(lvUnknown));
    QVERIFY(last.ComboBox2.enabled);
    const FrameModel &negation = *model.Frames[1];
    QCOMPARE(negation.frameClass, FrameClass::TFrame4);
    QCOMPARE(QPoint(negation.left, negation.top), QPoint(10, 380));
    QCOMPARE(negation.Tag, 10);
    QCOMPARE(negation.ComboBox1.itemIndex, int(lvFalse));
    // The right entries follow from the truth functions.
    const auto bottom = operationResult(okNot, lvFalse);
    QCOMPARE(bottom, lvTrue);
    QCOMPARE(operationResult(last.kind(), lvTrue, bottom), lvTrue);
}

void TestExercise::workedExampleLevelThree() {
    ScriptedDraws scripted{{0, 2, 1, 1, 0}, {}};
    ExerciseModel model;
    BuildExercise(model, 3, 2, scripted.source(), 1, 1);
    QCOMPARE(model.Frames[0]->name, QStringLiteral("Frame31"));
    QCOMPARE(int(model.Frames[0]->kind()), int(okOr));
    const FrameModel &xorFrame = *model.Frames[1];
    QCOMPARE(int(xorFrame.kind()), int(okXor));
    QCOMPARE(xorFrame.ComboBox1.itemIndex, int(lvTrue));
    QCOMPARE(xorFrame.ComboBox2.itemIndex, int(lvTrue));
    QCOMPARE(QPoint(xorFrame.left, xorFrame.top), QPoint(10, 350));
    QCOMPARE(xorFrame.Tag, 13);
    const FrameModel &negation = *model.Frames[2];
    QCOMPARE(negation.ComboBox1.itemIndex, int(lvFalse));
    QCOMPARE(QPoint(negation.left, negation.top), QPoint(10, 280));
    QCOMPARE(negation.Tag, 0);
    const auto top = operationResult(okNot, lvFalse);           // the negation feeds the top input
    const auto bottom = operationResult(okXor, lvTrue, lvTrue); // the XOR feeds the bottom input
    QCOMPARE(top, lvTrue);
    QCOMPARE(bottom, lvFalse);
    QCOMPARE(operationResult(okOr, top, bottom), lvTrue);
}

void TestExercise::newBuildLeavesOnlyTheNewFrames() {
    ScriptedDraws scripted;
    ExerciseModel model;
    BuildExercise(model, 3, 1, scripted.source(), 1, 1);
    QCOMPARE(model.frameCount(), 3);
    BuildExercise(model, 1, 4, scripted.source(), 1, 1);
    QCOMPARE(model.frameCount(), 1);
    QVERIFY(!model.Frames[1] && !model.Frames[2]);
    BuildExercise(model, 2, 3, scripted.source(), 1, 1);
    QCOMPARE(model.frameCount(), 2);
    QCOMPARE(model.Frames[0]->frameClass, FrameClass::TFrame4);
}

void TestExercise::answerBoxResetsToUnknownEachExercise() {
    ScriptedDraws scripted;
    ExerciseModel model;
    BuildExercise(model, 1, 1, scripted.source(), 1, 1);
    QCOMPARE(model.answerLeft, 385);
    model.answerBox.itemIndex = lvTrue;
    BuildExercise(model, 2, 2, scripted.source(), 1, 1);
    QCOMPARE(model.answerBox.itemIndex, int(lvUnknown));
    QVERIFY(model.answerBox.enabled);
    QCOMPARE(model.answerLeft, 510);
}

void TestExercise::headingIsSingularOnlyAtLevelOne() {
    ScriptedDraws scripted;
    ExerciseModel model;
    BuildExercise(model, 1, 1, scripted.source(), 1, 1);
    QCOMPARE(model.taskHeading, QStringLiteral("Вычисли результат выполнения логической операции"));
    BuildExercise(model, 2, 1, scripted.source(), 1, 1);
    QCOMPARE(model.taskHeading, QStringLiteral("Вычисли результаты выполнения логических операций"));
    BuildExercise(model, 3, 1, scripted.source(), 1, 1);
    QCOMPARE(model.taskHeading, QStringLiteral("Вычисли результаты выполнения логических операций"));
}

void TestExercise::equalsSignsStandBesideTheListsTheyFeed_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("exercise");
    QTest::addColumn<int>("side");
    for (int level = 1; level <= 3; ++level)
        for (int e = 1; e <= 10; ++e)
            for (int side = 0; side < 2; ++side)
                QTest::addRow("level %d, exercise %d, draw %d", level, e, side) << level << e << side;
}

void TestExercise::equalsSignsStandBesideTheListsTheyFeed() {
    QFETCH(int, level);
    QFETCH(int, exercise);
    QFETCH(int, side);
    ExerciseModel model;
    BuildExercise(
        model, level, exercise, [side](int) { return side; }, 1, 1);

    const FrameModel &last = *model.Frames[0];
    // The final "=" stands just left of the answer box, at its top.
    const QPoint sign = equalsSignPosition(last.frameClass, last.left, last.top);
    QCOMPARE(sign.y(), AnswerBoxTop);
    QCOMPARE(last.left + 250, model.answerLeft);
    for (int slot = 1; slot < 3; ++slot) {
        if (!model.Frames[slot])
            continue;
        const FrameModel &feeder = *model.Frames[slot];
        const QPoint feederSign = equalsSignPosition(feeder.frameClass, feeder.left, feeder.top);
        const int listTop = last.isTwoInput() && feeder.feedsBottomInput() ? last.top + 100 : last.top;
        QCOMPARE(feederSign.y(), last.frameClass == FrameClass::TFrame4 ? last.top + 20 : listTop);
        QCOMPARE(feeder.left + 250, last.left);
        // The list it feeds is the one the pupil fills.
        const ValueListModel &fed = feeder.feedsBottomInput() ? last.ComboBox2 : last.ComboBox1;
        QVERIFY(fed.enabled);
        QCOMPARE(fed.itemIndex, int(lvUnknown));
    }
}

QTEST_GUILESS_MAIN(TestExercise)
#include "tst_exercise.moc"

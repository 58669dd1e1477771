#include "engine/notation.h"

#include <QTest>

using namespace engine;

namespace {

ExerciseModel levelThreeExercise() {
    ExerciseModel model;
    int next = 0;
    const QList<int> draws{2, 1, 0, 1, 0};
    BuildExercise(
        model, 3, 1, [&](int) { return draws.at(next++ % draws.size()); }, 1, 1);
    return model;
}

// Everything a relabelling must leave alone: value codes, enabled states, positions, tags.
QString codes(const ExerciseModel &model) {
    QString text = QStringLiteral("%1%2@%3")
                       .arg(model.answerBox.itemIndex)
                       .arg(model.answerBox.enabled)
                       .arg(model.answerLeft);
    for (const auto &frame : model.Frames) {
        if (!frame)
            continue;
        text += QStringLiteral("|%1,%2,%3:%4%5:%6%7")
                    .arg(frame->left)
                    .arg(frame->top)
                    .arg(frame->Tag)
                    .arg(frame->ComboBox1.itemIndex)
                    .arg(frame->ComboBox1.enabled)
                    .arg(frame->ComboBox2.itemIndex)
                    .arg(frame->ComboBox2.enabled);
    }
    return text + model.taskHeading;
}

} // namespace

class TestNotation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void relabellingKeepsEveryChoice_data();
    void relabellingKeepsEveryChoice();
    void firstExerciseOfARunShowsNoYesAndEnglish();
    void languageSwitchRenamesEveryFrameAndBack();
};

void TestNotation::relabellingKeepsEveryChoice_data() {
    QTest::addColumn<int>("notation");
    QTest::addColumn<int>("language");
    for (int notation = 0; notation < NotationCount; ++notation)
        for (int language = 0; language < LanguageCount; ++language)
            QTest::addRow("notation %d, language %d", notation, language) << notation << language;
}

void TestNotation::relabellingKeepsEveryChoice() {
    QFETCH(int, notation);
    QFETCH(int, language);
    ExerciseModel model = levelThreeExercise();
    // The pupil's choices: a chosen answer and one intermediate value, another left at "?".
    model.answerBox.itemIndex = lvTrue;
    model.Frames[0]->ComboBox1.itemIndex = lvFalse;
    const QString before = codes(model);

    ExerciseNotationTarget target(model, notation, language);
    ApplyNotation(target);

    QCOMPARE(codes(model), before);
    const QStringList items = valueListTexts(notation);
    QCOMPARE(model.answerBox.items, items);
    QCOMPARE(model.answerBox.items.at(model.answerBox.itemIndex), ValueText(notation, lvTrue));
    QCOMPARE(model.Frames[0]->ComboBox2.items.at(model.Frames[0]->ComboBox2.itemIndex), QStringLiteral("?"));
    for (const auto &frame : model.Frames) {
        QCOMPARE(frame->ComboBox1.items, items);
        QCOMPARE(frame->isTwoInput() ? frame->ComboBox2.items : QStringList{},
                 frame->isTwoInput() ? items : QStringList{});
        QCOMPARE(frame->operationLabel, OperationName(language, frame->kind()));
    }
}

void TestNotation::firstExerciseOfARunShowsNoYesAndEnglish() {
    ExerciseModel model;
    BuildExercise(
        model, 1, 4, [](int) { return 1; }, 1, 1);
    QCOMPARE(model.answerBox.items, (QStringList{"?", "Нет", "Да"}));
    QCOMPARE(model.Frames[0]->operationLabel, QStringLiteral("NOT"));
    QCOMPARE(model.Frames[0]->ComboBox1.items.at(model.Frames[0]->ComboBox1.itemIndex), QStringLiteral("Да"));
}

void TestNotation::languageSwitchRenamesEveryFrameAndBack() {
    ExerciseModel model = levelThreeExercise();
    const QStringList english{model.Frames[0]->operationLabel, model.Frames[1]->operationLabel,
                              model.Frames[2]->operationLabel};
    QCOMPARE(english, (QStringList{"XOR", "AND", "NOT"}));

    ExerciseNotationTarget russian(model, 1, 0);
    ApplyNotation(russian);
    QCOMPARE(model.Frames[0]->operationLabel, QStringLiteral("ИСКЛ.ИЛИ"));
    QCOMPARE(model.Frames[1]->operationLabel, QStringLiteral("И"));
    QCOMPARE(model.Frames[2]->operationLabel, QStringLiteral("НЕ"));

    ExerciseNotationTarget back(model, 1, 1);
    ApplyNotation(back);
    QCOMPARE((QStringList{model.Frames[0]->operationLabel, model.Frames[1]->operationLabel,
                          model.Frames[2]->operationLabel}),
             english);
}

QTEST_GUILESS_MAIN(TestNotation)
#include "tst_notation.moc"

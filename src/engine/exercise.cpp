#include "engine/exercise.h"

#include "engine/notation.h"

#include <utility>

namespace engine {

namespace {

constexpr int LevelOneShift = 125;

FrameModel placeFrame(FrameClass frameClass, int left, int top, int tag) {
    FrameModel frame;
    frame.frameClass = frameClass;
    frame.name = frameLayoutName(frameClass);
    frame.left = left;
    frame.top = top;
    frame.Tag = tag;
    return frame;
}

void give(ValueListModel &list, int value) {
    list.itemIndex = value;
    list.enabled = false;
}

int givenValue(const DrawSource &randomBelow) {
    return 1 + randomBelow(2);
}
int twoInputKind(const DrawSource &randomBelow) {
    return 1 + randomBelow(3);
}

void buildLevelOne(ExerciseModel &model, int exercise, const DrawSource &randomBelow) {
    const int k = exercise % 4;
    FrameModel frame;
    if (k == okNot) {
        frame = placeFrame(FrameClass::TFrame4, 260, 330, okNot);
        give(frame.ComboBox1, givenValue(randomBelow));
    } else {
        frame = placeFrame(FrameClass::TFrame3, 260, 300, k);
        give(frame.ComboBox1, givenValue(randomBelow));
        give(frame.ComboBox2, givenValue(randomBelow));
    }
    model.answerLeft -= LevelOneShift;
    frame.left -= LevelOneShift;
    model.Frames[0] = std::move(frame);
}

void buildLevelTwo(ExerciseModel &model, int exercise, const DrawSource &randomBelow) {
    if (exercise % 3 == 0) {
        // A two-input operation feeds a negation whose input the pupil enters.
        model.Frames[0] = placeFrame(FrameClass::TFrame4, 260, 330, okNot);
        FrameModel feeder = placeFrame(FrameClass::TFrame3, 10, 300, 0);
        feeder.Tag = twoInputKind(randomBelow);
        give(feeder.ComboBox1, givenValue(randomBelow));
        give(feeder.ComboBox2, givenValue(randomBelow));
        model.Frames[1] = std::move(feeder);
        return;
    }
    FrameModel last = placeFrame(FrameClass::TFrame3, 260, 300, 0);
    last.Tag = twoInputKind(randomBelow);
    FrameModel negation = placeFrame(FrameClass::TFrame4, 10, 280, okNot);
    give(negation.ComboBox1, givenValue(randomBelow));
    if (randomBelow(2) == 0) {
        negation.top += 100;
        negation.Tag += 10;
        give(last.ComboBox1, givenValue(randomBelow));
    } else {
        give(last.ComboBox2, givenValue(randomBelow));
    }
    model.Frames[0] = std::move(last);
    model.Frames[1] = std::move(negation);
}

void buildLevelThree(ExerciseModel &model, int exercise, const DrawSource &randomBelow) {
    FrameModel last = placeFrame(FrameClass::TFrame3, 260, 300, 0);
    // Two frames of one layout must bear distinct names; the final one is renamed first.
    last.name = QStringLiteral("Frame31");
    last.Tag = twoInputKind(randomBelow);

    FrameModel twoInput = placeFrame(FrameClass::TFrame3, 10, 250, 0);
    twoInput.Tag = twoInputKind(randomBelow);
    give(twoInput.ComboBox1, givenValue(randomBelow));
    give(twoInput.ComboBox2, givenValue(randomBelow));

    FrameModel negation = placeFrame(FrameClass::TFrame4, 10, 380, okNot + 10);
    give(negation.ComboBox1, givenValue(randomBelow));

    if (exercise % 2 == 0) {
        twoInput.top += 100;
        twoInput.Tag += 10;
        negation.top -= 100;
        negation.Tag -= 10;
    }
    model.Frames[0] = std::move(last);
    model.Frames[1] = std::move(twoInput);
    model.Frames[2] = std::move(negation);
}

} // namespace

QSize frameSize(FrameClass frameClass) {
    return frameClass == FrameClass::TFrame3 ? QSize(250, 130) : QSize(250, 71);
}

QString frameLayoutName(FrameClass frameClass) {
    return frameClass == FrameClass::TFrame3 ? QStringLiteral("Frame3") : QStringLiteral("Frame4");
}

QPoint equalsSignPosition(FrameClass frameClass, int left, int top) {
    return {left + 227, top + (frameClass == FrameClass::TFrame3 ? 50 : 20)};
}

int ExerciseModel::frameCount() const {
    int count = 0;
    for (const auto &frame : Frames)
        count += frame.has_value();
    return count;
}

QString taskHeading(int level) {
    return level == 1 ? QStringLiteral("Вычисли результат выполнения логической операции")
                      : QStringLiteral("Вычисли результаты выполнения логических операций");
}

void BuildExercise(ExerciseModel &model, int level, int exercise, const DrawSource &randomBelow, int notation,
                   int language) {
    for (auto &frame : model.Frames)
        frame.reset();
    model.answerBox.itemIndex = lvUnknown;
    model.answerLeft = AnswerBoxLeft;
    model.taskHeading = taskHeading(level);

    switch (level) {
    case 1:
        buildLevelOne(model, exercise, randomBelow);
        break;
    case 2:
        buildLevelTwo(model, exercise, randomBelow);
        break;
    case 3:
        buildLevelThree(model, exercise, randomBelow);
        break;
    default:
        break;
    }

    ExerciseNotationTarget target(model, notation, language);
    ApplyNotation(target);
}

} // namespace engine

#pragma once

#include "engine/logic.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace engine {

enum class FrameClass { TFrame3, TFrame4 };

// One drop-down list of the diagram: its value code, whether the pupil may change it, and the texts it
// currently offers (written by ApplyNotation).
struct ValueListModel {
    int itemIndex = lvUnknown;
    bool enabled = true;
    QStringList items;

    bool operator==(const ValueListModel &) const = default;
};

// One operation frame as placed in the exercise area. Tag = kind + 10 when the frame feeds the bottom
// input of the final operation. ComboBox2 exists only in a TFrame3.
struct FrameModel {
    FrameClass frameClass = FrameClass::TFrame3;
    QString name;
    int left = 0;
    int top = 0;
    int Tag = 0;
    ValueListModel ComboBox1;
    ValueListModel ComboBox2;
    QString operationLabel;

    TOperationKind kind() const { return TOperationKind(Tag % 10); }
    bool feedsBottomInput() const { return Tag >= 10; }
    bool isTwoInput() const { return frameClass == FrameClass::TFrame3; }

    bool operator==(const FrameModel &) const = default;
};

// Fixed geometry of the two frame layouts, in frame coordinates.
QSize frameSize(FrameClass frameClass);
QString frameLayoutName(FrameClass frameClass);
// Top-left of the "=" sign of a frame placed at (left, top).
QPoint equalsSignPosition(FrameClass frameClass, int left, int top);

inline constexpr int AnswerBoxLeft = 510;
inline constexpr int AnswerBoxTop = 350;

// The diagram of the current exercise: Frames[0] is the final operation (Frames[1] of the windows),
// Frames[1] and Frames[2] the operations feeding it.
struct ExerciseModel {
    std::array<std::optional<FrameModel>, 3> Frames;
    ValueListModel answerBox;
    int answerLeft = AnswerBoxLeft;
    QString taskHeading;

    int frameCount() const;
};

// The random source as exercise construction sees it: an integer in [0, n).
using DrawSource = std::function<int(int n)>;

QString taskHeading(int level);

// Disposes of the model's previous diagram and builds exercise `exercise` (1..10) of `level` (1..3),
// drawing exactly the values, in exactly the order, that the exercise needs from `randomBelow`, and ends
// with the answer box at "?" and every list's texts in `notation` and operation names in `language`.
void BuildExercise(ExerciseModel &model, int level, int exercise, const DrawSource &randomBelow, int notation,
                   int language);

} // namespace engine

#pragma once

#include "engine/exercise.h"

#include <QString>

#include <array>
#include <optional>

namespace engine {

// One operation frame as the answer command reads it at the moment of the command: its class, its Tag and
// the item indices (value codes) of its lists. ComboBox2 is read only for a two-input frame.
struct FrameValues {
    FrameClass frameClass = FrameClass::TFrame3;
    int Tag = 0;
    int ComboBox1 = lvUnknown;
    int ComboBox2 = lvUnknown;

    TOperationKind kind() const { return TOperationKind(Tag % 10); }
};

// The explanation of an operation that still has a "?" in it.
QString unfinishedExplanation();

// Judges one operation frame against the value the pupil gave as its result. Right gives an empty
// explanation; wrong gives the "?" text or the missed equation, whose result is the operation's true result
// on the values in its input lists, never the pupil's answer. Texts in `notation` (0..4) and `language`
// (0..1).
bool CheckFrame(const FrameValues &frame, int answer, int notation, int language, QString &explanation);

// The diagram as the answer command reads it: Frames[0] is the final operation (the windows' Frames[1]).
struct ExerciseValues {
    std::array<std::optional<FrameValues>, 3> Frames;
    int answerBox = lvUnknown;
};

struct Judgement {
    bool right = false;
    QString explanation; // of the first failing check; empty when right
};

// Judges a whole exercise in the answer command's order: the final operation against the answer box, then
// at level 2 and 3 the operation in the second slot, then at level 3 the one in the third, each against the
// list of the final operation that it feeds; the first failing check is the one explained. So a "?" anywhere
// is caught by the first check, and a wrong intermediate result that the pupil then used consistently is
// explained as the intermediate operation.
Judgement JudgeExercise(const ExerciseValues &exercise, int level, int notation, int language);

} // namespace engine

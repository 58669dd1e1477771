#include "engine/checking.h"

namespace engine {

QString unfinishedExplanation() {
    return QStringLiteral("необходимо вычислить результаты всех операций.");
}

bool CheckFrame(const FrameValues &frame, int answer, int notation, int language, QString &explanation) {
    const TOperationKind kind = frame.kind();
    const int a = frame.ComboBox1;
    const auto V = [notation](int value) { return ValueText(notation, value); };
    const QString O = OperationName(language, kind);

    if (frame.frameClass == FrameClass::TFrame4) {
        if (a == lvUnknown || answer == lvUnknown) {
            explanation = unfinishedExplanation();
            return false;
        }
        if (answer == a) {
            explanation = O + QLatin1Char(' ') + V(a) + QStringLiteral(" = ") + V(3 - a);
            return false;
        }
        explanation.clear();
        return true;
    }

    const int b = frame.ComboBox2;
    if (a == lvUnknown || b == lvUnknown || answer == lvUnknown) {
        explanation = unfinishedExplanation();
        return false;
    }
    const TLogicValue c = operationResult(kind, TLogicValue(a), TLogicValue(b));
    if (answer == c) {
        explanation.clear();
        return true;
    }
    explanation = V(a) + QLatin1Char(' ') + O + QLatin1Char(' ') + V(b) + QStringLiteral(" = ") + V(c);
    return false;
}

namespace {

// The list of the final operation that a feeding frame's result goes into.
int fedList(const FrameValues &final, const FrameValues &feeding) {
    if (final.frameClass == FrameClass::TFrame4)
        return final.ComboBox1;
    return feeding.Tag >= 10 ? final.ComboBox2 : final.ComboBox1;
}

} // namespace

Judgement JudgeExercise(const ExerciseValues &exercise, int level, int notation, int language) {
    Judgement judgement;
    const std::optional<FrameValues> &final = exercise.Frames[0];
    if (!final) {
        judgement.explanation = unfinishedExplanation();
        return judgement;
    }
    judgement.right = CheckFrame(*final, exercise.answerBox, notation, language, judgement.explanation);
    for (int slot = 1; slot < level && slot < 3 && judgement.right; ++slot) {
        const std::optional<FrameValues> &feeding = exercise.Frames[slot];
        if (!feeding)
            break;
        judgement.right =
            CheckFrame(*feeding, fedList(*final, *feeding), notation, language, judgement.explanation);
    }
    return judgement;
}

} // namespace engine

#include "engine/notation.h"

namespace engine {

void ApplyNotation(NotationTarget &target) {
    target.fillAnswerBox(valueListTexts(target.valueNotation()));
    for (int slot = 1; slot <= 3; ++slot) {
        if (!target.hasFrame(slot))
            continue;
        target.setOperationLabel(slot, OperationName(target.operationLanguage(), target.frameTag(slot) % 10));
        target.fillFrameList(slot, 1, valueListTexts(target.valueNotation()));
        if (target.isTwoInputFrame(slot))
            target.fillFrameList(slot, 2, valueListTexts(target.valueNotation()));
    }
}

ExerciseNotationTarget::ExerciseNotationTarget(ExerciseModel &model, int notation, int language)
    : m_model(model)
    , m_notation(notation)
    , m_language(language) {}

void ExerciseNotationTarget::fillAnswerBox(const QStringList &texts) {
    m_model.answerBox.items = texts;
}

void ExerciseNotationTarget::fillFrameList(int slot, int list, const QStringList &texts) {
    (list == 1 ? frame(slot).ComboBox1 : frame(slot).ComboBox2).items = texts;
}

bool ExerciseNotationTarget::hasFrame(int slot) const {
    return slot >= 1 && slot <= 3 && m_model.Frames[slot - 1].has_value();
}

int ExerciseNotationTarget::frameTag(int slot) const {
    return frame(slot).Tag;
}

bool ExerciseNotationTarget::isTwoInputFrame(int slot) const {
    return frame(slot).isTwoInput();
}

void ExerciseNotationTarget::setOperationLabel(int slot, const QString &text) {
    frame(slot).operationLabel = text;
}

FrameModel &ExerciseNotationTarget::frame(int slot) const {
    return *m_model.Frames[slot - 1];
}

} // namespace engine

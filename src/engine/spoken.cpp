#include "engine/spoken.h"

namespace engine {

namespace {

const ValueListModel *listOf(const ExerciseModel &model, int slot, int list) {
    if (slot == 0)
        return &model.answerBox;
    if (slot < 1 || slot > 3 || !model.Frames[slot - 1])
        return nullptr;
    const FrameModel &frame = *model.Frames[slot - 1];
    if (list == 1)
        return &frame.ComboBox1;
    if (list == 2 && frame.isTwoInput())
        return &frame.ComboBox2;
    return nullptr;
}

QString operation(const FrameModel &frame, int language) {
    return QStringLiteral("операции ") + OperationName(language, frame.kind());
}

// The frame whose result goes into list `list` of the final operation, if any.
const FrameModel *feeding(const ExerciseModel &model, int list) {
    const FrameModel &final = *model.Frames[0];
    for (int slot = 1; slot < 3; ++slot) {
        const std::optional<FrameModel> &frame = model.Frames[slot];
        if (frame && (final.isTwoInput() ? (frame->feedsBottomInput() ? 2 : 1) : 1) == list)
            return &*frame;
    }
    return nullptr;
}

} // namespace

QString listSpokenName(const ExerciseModel &model, int slot, int list, int language) {
    const ValueListModel *values = listOf(model, slot, list);
    if (!values)
        return {};
    const QString choice = values->enabled ? QStringLiteral(", выбери значение") : QStringLiteral(", дано");
    if (slot == 0) {
        if (!model.Frames[0])
            return QStringLiteral("Ответ") + choice;
        return QStringLiteral("Ответ: результат ") + operation(*model.Frames[0], language) + choice;
    }
    const FrameModel &frame = *model.Frames[slot - 1];
    QString name;
    if (slot == 1) {
        if (const FrameModel *source = feeding(model, list))
            name = QStringLiteral("Результат ") + operation(*source, language) + QStringLiteral(", ");
    }
    const QString input = !frame.isTwoInput() ? QStringLiteral("вход ")
                          : list == 1         ? QStringLiteral("верхний вход ")
                                              : QStringLiteral("нижний вход ");
    name += input + operation(frame, language) + choice;
    name[0] = name[0].toUpper();
    return name;
}

QString listSpokenDescription(const ExerciseModel &model, int slot, int list) {
    const ValueListModel *values = listOf(model, slot, list);
    if (!values)
        return {};
    if (!values->enabled)
        return QStringLiteral("Значение дано в упражнении.");
    return slot == 0 ? QStringLiteral("Вычисли результат всего выражения и выбери его в списке.")
                     : QStringLiteral("Вычисли этот результат и выбери его в списке.");
}

} // namespace engine

#pragma once

#include "engine/exercise.h"

#include <QStringList>

namespace engine {

// What ApplyNotation needs of a diagram, whether it is the engine's model or the main window's widgets.
// Slots are numbered 1..3 as the main window's Frames. The notation and language are read from the
// target at each use and never copied.
class NotationTarget {
public:
    virtual ~NotationTarget() = default;

    virtual int valueNotation() const = 0;
    virtual int operationLanguage() const = 0;

    // Replace a list's items by `texts`, keeping its item index and enabled state.
    virtual void fillAnswerBox(const QStringList &texts) = 0;
    virtual void fillFrameList(int slot, int list, const QStringList &texts) = 0;

    virtual bool hasFrame(int slot) const = 0;
    virtual int frameTag(int slot) const = 0;
    virtual bool isTwoInputFrame(int slot) const = 0;
    // The operation box's text, shown in "Courier New".
    virtual void setOperationLabel(int slot, const QString &text) = 0;
};

// Rewrites the answer box and every frame of the diagram in the target's current notation and language.
void ApplyNotation(NotationTarget &target);

// The engine's own model as a notation target.
class ExerciseNotationTarget : public NotationTarget {
public:
    ExerciseNotationTarget(ExerciseModel &model, int notation, int language);

    int valueNotation() const override { return m_notation; }
    int operationLanguage() const override { return m_language; }
    void fillAnswerBox(const QStringList &texts) override;
    void fillFrameList(int slot, int list, const QStringList &texts) override;
    bool hasFrame(int slot) const override;
    int frameTag(int slot) const override;
    bool isTwoInputFrame(int slot) const override;
    void setOperationLabel(int slot, const QString &text) override;

private:
    FrameModel &frame(int slot) const;

    ExerciseModel &m_model;
    int m_notation;
    int m_language;
};

} // namespace engine

#pragma once

#include "engine/exercise.h"

#include <QWidget>

class QLabel;
class TLMDBevelLabel;
class TValueList;

// An operation frame of the exercise diagram: value lists for the inputs, connector lines, the operation
// box and "=". The main window creates one per operation of an exercise inside its exercise area and
// deletes it when the next exercise is built or the game ends. Tag = kind + 10 when the frame feeds the
// bottom input of the final operation.
class TOperationFrame : public QWidget {
    Q_OBJECT
public:
    int Tag = 0;

    virtual engine::FrameClass frameClass() const = 0;
    bool isTwoInput() const { return frameClass() == engine::FrameClass::TFrame3; }
    // The list numbered 1 or 2 (2 only in a two-input frame): ComboBox1, ComboBox2.
    TValueList *valueList(int list) const { return list == 2 ? m_bottom : m_top; }
    // The box with the operation's name, LMDLabel1.
    TLMDBevelLabel *operationBox() const { return m_operation; }

protected:
    explicit TOperationFrame(QWidget *parent);
    // Takes what the frame's form has made: the lists (bottom only in a two-input frame), the operation box
    // and the "=" sign.
    void completeTheForm(TValueList *top, TValueList *bottom, TLMDBevelLabel *operation, QLabel *equals);

private:
    TValueList *m_top = nullptr;
    TValueList *m_bottom = nullptr;
    TLMDBevelLabel *m_operation = nullptr;
};

// A two-input operation (OR, AND, XOR), 250 × 130.
class TFrame3 : public TOperationFrame {
    Q_OBJECT
public:
    explicit TFrame3(QWidget *parent = nullptr);
    engine::FrameClass frameClass() const override { return engine::FrameClass::TFrame3; }
};

// The negation, 250 × 71.
class TFrame4 : public TOperationFrame {
    Q_OBJECT
public:
    explicit TFrame4(QWidget *parent = nullptr);
    engine::FrameClass frameClass() const override { return engine::FrameClass::TFrame4; }
};

// Creates the frame of a model (class, name, place, Tag, given values disabled) inside the exercise area,
// which owns it. Texts are left to ApplyNotation.
TOperationFrame *createFrame(const engine::FrameModel &model, QWidget *area);

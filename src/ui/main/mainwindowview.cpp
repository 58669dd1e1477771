// The main window as the engine and the game flow see it: the notation's target, and the game view that
// shows each state. Everything here only shows what the logic decided.

#include "ui/main/mainwindow.h"
#include "ui_mainwindow.h"

#include "engine/spoken.h"
#include "resources/appresources.h"
#include "session/segmentcolors.h"
#include "session/spoken.h"
#include "ui/controls/bevellabel.h"
#include "ui/controls/mmbutton.h"
#include "ui/controls/systemcolors.h"
#include "ui/dialogs/messagewindow.h"
#include "ui/main/operationframes.h"
#include "ui/main/soundoutput.h"
#include "ui/main/valuelist.h"

#include <QTimer>

using session::ActionButton;

// The window's widgets as the engine's relabelling sees them.
class TForm1::WidgetNotationTarget : public engine::NotationTarget {
public:
    explicit WidgetNotationTarget(TForm1 &form)
        : m_form(form) {}
    int valueNotation() const override { return m_form.m_ui->RadioGroup1->ItemIndex(); }
    int operationLanguage() const override { return m_form.m_ui->RadioGroup2->ItemIndex(); }
    void fillAnswerBox(const QStringList &texts) override { m_form.m_ui->ComboBox1->refill(texts); }
    void fillFrameList(int slot, int list, const QStringList &texts) override {
        m_form.frame(slot)->valueList(list)->refill(texts);
    }
    bool hasFrame(int slot) const override { return m_form.frame(slot) != nullptr; }
    int frameTag(int slot) const override { return m_form.frame(slot)->Tag; }
    bool isTwoInputFrame(int slot) const override { return m_form.frame(slot)->isTwoInput(); }
    void setOperationLabel(int slot, const QString &text) override {
        TOperationFrame *frame = m_form.frame(slot);
        frame->operationBox()->setText(text);
        static const QFont operationFont = programFont(QStringLiteral("Courier New"), 19, true);
        if (frame->operationBox()->font() != operationFont)
            frame->operationBox()->setFont(operationFont);
    }

private:
    TForm1 &m_form;
};

void TForm1::ApplyNotation() {
    WidgetNotationTarget target(*this);
    engine::ApplyNotation(target);
    nameTheLists();
}

void TForm1::nameTheLists() {
    const int language = m_ui->RadioGroup2->ItemIndex();
    const auto name = [&](TValueList *list, int slot, int number) {
        list->setSpokenName(engine::listSpokenName(m_model, slot, number, language),
                            engine::listSpokenDescription(m_model, slot, number));
    };
    name(m_ui->ComboBox1, 0, 1);
    for (int slot = 1; slot <= 3; ++slot) {
        if (TOperationFrame *shown = frame(slot)) {
            shown->setAccessibleName(QStringLiteral("Операция ") + shown->operationBox()->text());
            for (int list = 1; list <= (shown->isTwoInput() ? 2 : 1); ++list)
                name(shown->valueList(list), slot, list);
        }
    }
}

void TForm1::LMDProgress1GetColor(int segment, QColor &color) const {
    if (segment < 0 || segment >= session::ExercisesPerGame)
        return;
    switch (session::segmentColorRole(m_game.data().ResultSlots.at(segment))) {
    case session::SegmentColorRole::SelectionHighlight:
        color = systemColor(SystemColor::Highlight);
        break;
    case session::SegmentColorRole::ButtonHighlight:
        color = systemColor(SystemColor::ButtonHighlight);
        break;
    case session::SegmentColorRole::Red:
        color = QColor(255, 0, 0);
        break;
    case session::SegmentColorRole::Green:
        color = QColor(0, 255, 0);
        break;
    case session::SegmentColorRole::Unchanged:
        break;
    }
}

void TForm1::setStatusText(const QString &text) {
    // Lines of the program's texts are separated by CR LF; Qt's labels break on LF alone.
    m_ui->Label5->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TForm1::setActionButtonVisible(ActionButton button, bool visible) {
    // The action buttons are numbered as the window's buttons, from "Да" on.
    TLMDMMButton *const buttons[] = {m_ui->LMDMMButton2, m_ui->LMDMMButton3, m_ui->LMDMMButton4,
                                     m_ui->LMDMMButton5, m_ui->LMDMMButton6, m_ui->LMDMMButton7};
    buttons[int(button) - int(ActionButton::Yes)]->setVisible(visible);
}

void TForm1::setHintEnabled(bool enabled) {
    m_ui->LMDMMButton1->setEnabled(enabled);
}

void TForm1::setLevelMenuEnabled(bool enabled) {
    m_ui->N4->setEnabled(enabled);
}

void TForm1::setDoneMenuEnabled(bool enabled) {
    m_ui->N9->setEnabled(enabled);
}

void TForm1::setRestartMenuEnabled(bool enabled) {
    m_ui->N5->setEnabled(enabled);
}

void TForm1::setTitlePictureShown(bool shown) {
    m_ui->GroupBox1->setVisible(!shown);
    m_ui->LMDLabel1->setVisible(!shown);
    m_ui->ComboBox1->setVisible(!shown);
    m_ui->Image1->setVisible(shown);
}

void TForm1::setGameClockRunning(bool running) {
    if (running)
        Timer1->start();
    else
        Timer1->stop();
}

void TForm1::setClockText(const QString &text) {
    m_ui->LMDSimpleLabel1->setText(text);
}

void TForm1::redrawProgress() {
    m_ui->LMDProgress1->update();
    describeProgress();
}

void TForm1::describeProgress() {
    // The same words as a tooltip, for a pupil who cannot tell the segments' red from their green.
    const QString summary = session::progressSummary(m_game.data().ResultSlots);
    m_ui->LMDProgress1->setToolTip(summary);
    m_ui->LMDProgress1->setAccessibleDescription(summary);
}

void TForm1::showMessage(const QString &text, const QString &caption, int kind) {
    if (m_form8)
        m_form8->InitializeAndShow(text, caption, kind);
}

bool TForm1::soundOn() const {
    return m_ui->N10->isChecked();
}

void TForm1::playSound(const QString &clip) {
    if (m_sound)
        m_sound->play(clip);
}

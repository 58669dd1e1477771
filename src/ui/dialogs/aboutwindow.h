#pragma once

#include "ui/dialogs/fixeddialog.h"

#include <QImage>
#include <QList>

#include <memory>

class QTimer;
namespace Ui {
class Form9;
}

// The about window Form9, in two roles. As the start-up screen (shown modally by plain exec(), as created)
// its progress fill steps from 10 % to 100 % on the first ten ticks of its 500 ms timer, which runs from the
// window's creation, and the eleventh tick stops the timer for good and closes it; the pupil cannot close it
// in any other way. As the about box (showAsAboutBox) the fill is hidden and an "ОК" button, the only control
// that takes the focus, is the only way out (Enter and space press it: it is auto-default, and the window
// never presses a default button on its own); Escape and close requests are ignored. Created once, last of
// the windows; the tick counter is never reset. Its controls are laid out by aboutwindow.ui.
class TForm9 : public dialogs::FixedDialog {
    Q_OBJECT
public:
    // owner: the main window. The about window has no image-faced button; the face list is taken only so that
    // every dialog is made the same way, and is not used.
    explicit TForm9(QWidget *owner, const QList<QImage> *drawnButtons = nullptr);
    ~TForm9() override;

    // The "О программе" command's showing: fill hidden, "ОК" shown and focused, modal until "ОК".
    void showAsAboutBox();

    // Whether the window is in its start-up form (fill shown, no button).
    bool isStartupScreen() const { return !m_aboutBox; }
    int tickCount() const { return m_ticks; }

    // The pupil's ways out (Escape, the window manager's close) lead here and are refused: the start-up
    // screen ends by its timer, the about box by "ОК".
    void reject() override;

public slots:
    // One tick of Timer1; public so that the schedule can be driven without waiting.
    void Timer1Timer();
    void LMDButton1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void describeProgress();

    std::unique_ptr<Ui::Form9> m_ui;
    QTimer *Timer1 = nullptr;
    int m_ticks = 0;
    bool m_aboutBox = false;
};

// The about picture with its background colour, exact lime (0, 255, 0), made fully transparent.
QImage withLimeTransparent(const QImage &picture);

#pragma once

#include "engine/notation.h"
#include "session/gameflow.h"

#include <QImage>
#include <QList>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <utility>

class QLabel;
class QTimer;
class SoundOutput;
class TForm2;
class TForm7;
class TForm8;
class TForm9;
class TOperationFrame;

namespace Ui {
class TForm1;
}

// The main window Form1: the exercise area, the notation choice, the progress bar, the right-hand column
// with lamps, clock and action buttons, and the menu. It is a thin view: the game flow (session) decides
// what is shown, the engine builds each diagram, and this window creates the widgets and forwards the
// pupil's commands. Created first of the five windows; closing it ends the program.
class TForm1 : public QMainWindow, private session::GameView {
    Q_OBJECT
public:
    // Runs the creation handler: screen checks (messages shown through `showScreenMessage`, by default a
    // modal error box, or on a screen Qt cannot paint a window the window system draws, see plainmessage.h),
    // faces, lamps, clock frame, and the level prompt.
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The dialogs are created after the main window and handed to it.
    void setDialogs(TForm7 *form7, TForm8 *form8, TForm2 *form2, TForm9 *form9);
    // Where the answer's sounds go; not owned. Without one the program is silent.
    void setSoundOutput(SoundOutput *sound) { m_sound = sound; }
    // Where exercises draw their chance from: the random source, unless a test needs a repeatable one.
    void setDrawSource(engine::DrawSource draws) { m_draws = std::move(draws); }

    bool terminationRequested() const { return m_terminationRequested; }
    session::GameFlow &game() { return m_game; }
    const QList<QImage> &drawnButtons() const { return m_drawnButtons; }
    const QList<QImage> &lampImages() const { return m_lampImages; }
    int totalSeconds() const { return m_totalSeconds; }
    TOperationFrame *frame(int slot) const { return m_frames.at(slot - 1); }

    // The screen the checks read; tests replace it before construction.
    static std::function<session::ScreenFacts()> screenFactsSource;
    // How the checks' messages are shown; tests replace it to record them.
    static std::function<void(const QString &caption, const QString &text)> showScreenMessage;

public Q_SLOTS:
    void N11Click() { m_game.chooseLevel(1); }
    void N21Click() { m_game.chooseLevel(2); }
    void N31Click() { m_game.chooseLevel(3); }
    void N5Click() { m_game.restart(); }
    // The answer command ("Готово", its menu item, Enter while playing): judges the diagram as its lists
    // stand and hands the verdict to the game.
    void LMDMMButton7Click();
    void N9Click() { LMDMMButton7Click(); }
    void LMDMMButton2Click() { m_game.playAgain(); }
    void LMDMMButton3Click() { m_game.quit(); }
    // The hint table ("Подсказка"): counts the hint, fills and fits the table in the notation and language of
    // the moment and shows it modally.
    void LMDMMButton1Click();
    void N6Click();
    void N8Click();
    void N10Click();
    void N12Click();
    void mnuExitClick() { close(); }
    void RadioGroup1Click();
    void RadioGroup2Click();
    void Timer1Timer() { m_game.tick(); }
    void Timer3Timer();
    void NextExercise() { m_game.nextExercise(); }
    void LMDProgress1GetColor(int segment, QColor &color) const;
    // Builds the current exercise's diagram at `level` (the game flow's startExercise calls it).
    void BuildExercise(int level);
    void ApplyNotation();

    // The main window's key handler, in the desktop's key codes (keys.h). It sees every key pressed in the
    // window before the focused control does, and never consumes it.
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);

private:
    class WidgetNotationTarget;

    void FormCreate();
    void FormActivate();
    void showDocument(const QString &caption, int index);
    void completeTheForm();
    void connectCommands();
    void disposeFrames();
    void showLamp(QLabel *lamp, int image);
    // What screen readers say of each value list: its operation, its input, whether it is given or open.
    void nameTheLists();
    void describeProgress();

    // session::GameView
    void setStatusText(const QString &text) override;
    void setActionButtonVisible(session::ActionButton button, bool visible) override;
    void setHintEnabled(bool enabled) override;
    void setLevelMenuEnabled(bool enabled) override;
    void setDoneMenuEnabled(bool enabled) override;
    void setRestartMenuEnabled(bool enabled) override;
    void setTitlePictureShown(bool shown) override;
    void setGameClockRunning(bool running) override;
    void setClockText(const QString &text) override;
    void buildExercise(int level) override { BuildExercise(level); }
    void disposeExercise() override { disposeFrames(); }
    void redrawProgress() override;
    void showMessage(const QString &text, const QString &caption, int kind) override;
    void closeMainWindow() override { close(); }
    bool soundOn() const override;
    void playSound(const QString &clip) override;

    std::unique_ptr<Ui::TForm1> m_ui;
    QTimer *Timer1 = nullptr;
    QTimer *Timer3 = nullptr;
    session::GameFlow m_game;
    engine::ExerciseModel m_model;
    std::array<TOperationFrame *, 3> m_frames{};
    QWidget *m_disposedFrames = nullptr;
    QList<QImage> m_drawnButtons;
    QList<QImage> m_lampImages;
    int m_totalSeconds = 0;
    bool m_terminationRequested = false;
    TForm7 *m_form7 = nullptr;
    TForm8 *m_form8 = nullptr;
    TForm2 *m_form2 = nullptr;
    TForm9 *m_form9 = nullptr;
    SoundOutput *m_sound = nullptr;
    engine::DrawSource m_draws;
};

#pragma once

#include "session/gamedata.h"

#include <QString>

namespace session {

enum class GameState { LevelPrompt, Playing, GameOver };

// The six action buttons of the main window's right-hand column, numbered as the window's buttons.
enum class ActionButton { Yes = 2, No = 3, Level1 = 4, Level2 = 5, Level3 = 6, Done = 7 };

// What the game flow asks of the main window. The window implements it over its widgets; tests record it.
class GameView {
public:
    virtual ~GameView() = default;

    virtual void setStatusText(const QString &text) = 0; // Label5; lines separated by "\r\n"
    virtual void setActionButtonVisible(ActionButton button, bool visible) = 0;
    virtual void setHintEnabled(bool enabled) = 0;        // "Подсказка"
    virtual void setLevelMenuEnabled(bool enabled) = 0;   // submenu "Выбери уровень"
    virtual void setDoneMenuEnabled(bool enabled) = 0;    // menu item "Готово"
    virtual void setRestartMenuEnabled(bool enabled) = 0; // menu item "Начать заново"
    // true: title picture shown, notation choice, task heading and answer box hidden; false: the reverse.
    virtual void setTitlePictureShown(bool shown) = 0;
    virtual void setGameClockRunning(bool running) = 0;
    virtual void setClockText(const QString &text) = 0;
    virtual void buildExercise(int level) = 0;
    virtual void disposeExercise() = 0;
    virtual void redrawProgress() = 0;
    // Shows a message modally and returns when the pupil has closed it.
    virtual void showMessage(const QString &text, const QString &caption, int kind) = 0;
    virtual void closeMainWindow() = 0;
    // The sound switch (the check mark of "Звук включен") and the clips: play() starts a clip and returns.
    virtual bool soundOn() const = 0;
    virtual void playSound(const QString &clip) = 0;
};

// The shown/enabled state of every element that the game states set.
struct StateView {
    QString statusText;
    bool titlePicture = false;
    bool levelButtons = false;
    bool doneButton = false;
    bool yesNoButtons = false;
    bool hintEnabled = false;
    bool levelMenuEnabled = false;
    bool gameMenuItemsEnabled = false;
    bool clockRunning = false;

    bool operator==(const StateView &) const = default;
};

// The state table: what each state shows. `level` is only read for Playing.
StateView stateView(GameState state, int level);

// The game of ten exercises: its data, the three states and every command that moves between them.
// Commands run in the order the window's handlers need; every showing and hiding goes through the view.
class GameFlow {
public:
    explicit GameFlow(GameView &view);

    GameData &data() { return m_data; }
    const GameData &data() const { return m_data; }
    GameState state() const { return m_state; }

    // Level commands: menu "Сложность N", buttons "1", "2", "3", keys 1..3.
    void N11Click() { chooseLevel(1); }
    void N21Click() { chooseLevel(2); }
    void N31Click() { chooseLevel(3); }
    void chooseLevel(int level);

    void StartGame(int level);
    void StartExercise(int level);
    // Called by the answer command after it stored the exercise's result.
    void NextExercise();

    // The answer command once the window has judged the diagram: a right exercise is recorded and its sound
    // started; a wrong one starts its sound, then shows the explanation and is recorded only when the pupil
    // has closed the message. Then the bar is redrawn and the game moves on. Only while playing.
    void AnswerExercise(bool right, const QString &explanation);

    void N5Click();           // end the game ("Начать заново", and after the score message)
    void LMDMMButton2Click(); // play again: yes
    void LMDMMButton3Click(); // play again: no

    void StartGameClock();
    void StopGameClock();
    void Timer1Timer();

private:
    void HideAllButtons();
    void ShowTitlePicture();
    void ShowExerciseArea();

    GameView &m_view;
    GameData m_data;
    GameState m_state = GameState::LevelPrompt;
};

} // namespace session

#pragma once

#include "session/gamedata.h"
#include "session/keycodes.h"

#include <QString>
#include <QStringList>

#include <optional>

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

// The commands of the game, whichever button, key or menu item gives them.
enum class Command { Hint, Answer, Restart, PlayAgain, Quit, Level1, Level2, Level3 };

// Whether a command given by its button in the right-hand column acts in `state`: its button is shown and
// enabled there. "Начать заново" has no button and acts where its menu item is enabled. The level menu is a
// second way to the level commands, open in the game-over state too (StateView::levelMenuEnabled).
bool commandActs(GameState state, Command command);

// The command that a key (keycodes.h) gives in `state`, or none: the keys answer for the buttons shown. While
// "Да" and "Нет" are shown, Enter and Escape; while the level buttons are, the digits 1 to 3; while "Готово"
// is, Enter. Every other key is left to the focused control.
std::optional<Command> keyCommand(GameState state, int key);

// The screen as the start-up checks read it.
struct ScreenFacts {
    int bitsPerPixel = 24;
    int width = 1024;
    int height = 768;
};

// The messages of the start-up checks that fail, colour first; empty for a screen the program can run on.
QStringList failingScreenChecks(const ScreenFacts &screen);

// The game of ten exercises: its data, the three states and every command that moves between them.
// Commands run in the order the window's handlers need; every showing and hiding goes through the view.
class GameFlow {
public:
    explicit GameFlow(GameView &view);

    GameData &data() { return m_data; }
    const GameData &data() const { return m_data; }
    GameState state() const { return m_state; }

    // Menu "Сложность N", buttons "1", "2", "3", keys 1..3.
    void chooseLevel(int level);

    void startGame(int level);
    void startExercise(int level);
    // Called by the answer command after it stored the exercise's result.
    void nextExercise();

    // The answer command once the window has judged the diagram: a right exercise is recorded and its sound
    // started; a wrong one starts its sound, then shows the explanation and is recorded only when the pupil
    // has closed the message. Then the bar is redrawn and the game moves on. Only while playing.
    void answer(bool right, const QString &explanation);

    // "Подсказка": counts the hint against the score and says whether the hint table is to be shown, which
    // it is only while playing.
    bool takeHint();

    void restart();   // end the game ("Начать заново", and after the score message)
    void playAgain(); // "Да"
    void quit();      // "Нет"

    void startClock();
    void stopClock();
    void tick(); // one second of the game clock

private:
    void hideAllButtons();
    void showTitlePicture();
    void showExerciseArea();

    GameView &m_view;
    GameData m_data;
    GameState m_state = GameState::LevelPrompt;
};

} // namespace session

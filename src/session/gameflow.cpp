#include "session/gameflow.h"

#include "session/clocks.h"
#include "session/score.h"

namespace session {

namespace {

const QString LevelPromptText = QStringLiteral("Выбери уровень сложности:");
const QString GameOverText = QStringLiteral("Игра окончена.\r\nСыграем еще раз?");

QString levelText(int level) {
    return QStringLiteral("Уровень сложности: ") + QString::number(level);
}

} // namespace

StateView stateView(GameState state, int level) {
    StateView view;
    switch (state) {
    case GameState::LevelPrompt:
        view.statusText = LevelPromptText;
        view.titlePicture = true;
        view.levelButtons = true;
        view.levelMenuEnabled = true;
        break;
    case GameState::Playing:
        view.statusText = levelText(level);
        view.doneButton = true;
        view.hintEnabled = true;
        view.gameMenuItemsEnabled = true;
        view.clockRunning = true;
        break;
    case GameState::GameOver:
        view.statusText = GameOverText;
        view.titlePicture = true;
        view.yesNoButtons = true;
        view.levelMenuEnabled = true;
        break;
    }
    return view;
}

bool commandActs(GameState state, Command command) {
    const StateView view = stateView(state, 0);
    switch (command) {
    case Command::Hint:
        return view.hintEnabled;
    case Command::Answer:
        return view.doneButton;
    case Command::Restart:
        return view.gameMenuItemsEnabled;
    case Command::PlayAgain:
    case Command::Quit:
        return view.yesNoButtons;
    case Command::Level1:
    case Command::Level2:
    case Command::Level3:
        return view.levelButtons;
    }
    return false;
}

std::optional<Command> keyCommand(GameState state, int key) {
    // The keys stand for the buttons on the screen, so that a key never does what no button shown offers.
    static constexpr std::pair<int, Command> Keys[] = {
        {vkReturn, Command::PlayAgain}, {vkEscape, Command::Quit},   {vkReturn, Command::Answer},
        {vkDigit1, Command::Level1},    {vkDigit2, Command::Level2}, {vkDigit3, Command::Level3},
    };
    for (const auto &[given, command] : Keys)
        if (given == key && commandActs(state, command))
            return command;
    return std::nullopt;
}

QStringList failingScreenChecks(const ScreenFacts &screen) {
    QStringList messages;
    const QString tail = QStringLiteral(
        "\r\nНажмите ОК, чтобы завершить работу, измените параметры экрана и запустите программу заново.");
    if (screen.bitsPerPixel < 16)
        messages << QStringLiteral("Эта программа использует 16-разрядный цвет (High color).") + tail;
    if (screen.width < 800 || screen.height < 600)
        messages << QStringLiteral("Эта программа использует разрешение экрана 800х600.") + tail;
    return messages;
}

GameFlow::GameFlow(GameView &view)
    : m_view(view) {}

void GameFlow::chooseLevel(int level) {
    m_data.Level = level;
    m_view.setStatusText(levelText(level));
    startGame(level);
}

void GameFlow::startGame(int level) {
    startClock();
    hideAllButtons();
    m_view.setActionButtonVisible(ActionButton::Done, true);
    m_view.setHintEnabled(true);
    m_view.setDoneMenuEnabled(true);
    m_view.setRestartMenuEnabled(true);
    m_view.setLevelMenuEnabled(false);
    m_data.ResultSlots.fill(esNotPlayed);
    showExerciseArea();
    m_state = GameState::Playing;
    m_data.CurrentExercise = 1;
    startExercise(level);
}

void GameFlow::startExercise(int level) {
    m_data.slot(m_data.CurrentExercise) = esCurrent;
    m_view.buildExercise(level);
    m_view.redrawProgress();
}

void GameFlow::nextExercise() {
    if (m_data.CurrentExercise >= ExercisesPerGame) {
        stopClock();
        m_view.redrawProgress();
        m_view.showMessage(QStringLiteral("Поздравляем с успехом!\r\nВаши очки: ") + GameScore(m_data) +
                               QStringLiteral("."),
                           QStringLiteral("Победа!"), 64);
        restart();
        return;
    }
    ++m_data.CurrentExercise;
    startExercise(m_data.Level);
}

void GameFlow::answer(bool right, const QString &explanation) {
    if (m_state != GameState::Playing)
        return;
    if (right) {
        m_data.slot(m_data.CurrentExercise) = esRight;
        if (m_view.soundOn())
            m_view.playSound(QStringLiteral("Sound2"));
    } else {
        if (m_view.soundOn())
            m_view.playSound(QStringLiteral("Sound3"));
        m_view.showMessage(QStringLiteral("Твой ответ неправилен.\r\nТы не учёл, что\r\n") + explanation,
                           QStringLiteral("Неверно!"), 48);
        m_data.slot(m_data.CurrentExercise) = esWrong;
    }
    m_view.redrawProgress();
    nextExercise();
}

bool GameFlow::takeHint() {
    if (!commandActs(m_state, Command::Hint))
        return false;
    ++m_data.HintCount;
    return true;
}

void GameFlow::restart() {
    m_view.setRestartMenuEnabled(false);
    m_view.setDoneMenuEnabled(false);
    m_view.setLevelMenuEnabled(true);
    stopClock();
    showTitlePicture();
    hideAllButtons();
    m_view.setHintEnabled(false);
    m_view.disposeExercise();
    m_view.setStatusText(GameOverText);
    m_view.setActionButtonVisible(ActionButton::Yes, true);
    m_view.setActionButtonVisible(ActionButton::No, true);
    m_state = GameState::GameOver;
}

void GameFlow::playAgain() {
    hideAllButtons();
    showTitlePicture();
    m_view.setDoneMenuEnabled(false);
    m_view.setRestartMenuEnabled(false);
    m_view.setLevelMenuEnabled(true);
    m_view.setStatusText(LevelPromptText);
    m_view.setActionButtonVisible(ActionButton::Level1, true);
    m_view.setActionButtonVisible(ActionButton::Level2, true);
    m_view.setActionButtonVisible(ActionButton::Level3, true);
    m_state = GameState::LevelPrompt;
}

void GameFlow::quit() {
    m_view.closeMainWindow();
}

void GameFlow::startClock() {
    m_view.setGameClockRunning(true);
    m_data.GameSeconds = 0;
    m_view.setClockText(TimeText(0));
}

void GameFlow::stopClock() {
    m_view.setGameClockRunning(false);
}

void GameFlow::tick() {
    ++m_data.GameSeconds;
    m_view.setClockText(TimeText(m_data.GameSeconds));
}

void GameFlow::hideAllButtons() {
    for (auto button : {ActionButton::Yes, ActionButton::No, ActionButton::Level1, ActionButton::Level2,
                        ActionButton::Level3, ActionButton::Done})
        m_view.setActionButtonVisible(button, false);
}

void GameFlow::showTitlePicture() {
    m_view.setTitlePictureShown(true);
}

void GameFlow::showExerciseArea() {
    m_view.setTitlePictureShown(false);
}

} // namespace session

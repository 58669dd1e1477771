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

GameFlow::GameFlow(GameView &view)
    : m_view(view) {}

void GameFlow::chooseLevel(int level) {
    m_data.Level = level;
    m_view.setStatusText(levelText(level));
    StartGame(level);
}

void GameFlow::StartGame(int level) {
    StartGameClock();
    HideAllButtons();
    m_view.setActionButtonVisible(ActionButton::Done, true);
    m_view.setHintEnabled(true);
    m_view.setDoneMenuEnabled(true);
    m_view.setRestartMenuEnabled(true);
    m_view.setLevelMenuEnabled(false);
    m_data.ResultSlots.fill(esNotPlayed);
    ShowExerciseArea();
    m_state = GameState::Playing;
    m_data.CurrentExercise = 1;
    StartExercise(level);
}

void GameFlow::StartExercise(int level) {
    m_data.slot(m_data.CurrentExercise) = esCurrent;
    m_view.buildExercise(level);
    m_view.redrawProgress();
}

void GameFlow::NextExercise() {
    if (m_data.CurrentExercise >= ExercisesPerGame) {
        StopGameClock();
        m_view.redrawProgress();
        m_view.showMessage(QStringLiteral("Поздравляем с успехом!\r\nВаши очки: ") + GameScore(m_data) +
                               QStringLiteral("."),
                           QStringLiteral("Победа!"), 64);
        N5Click();
        return;
    }
    ++m_data.CurrentExercise;
    StartExercise(m_data.Level);
}

void GameFlow::AnswerExercise(bool right, const QString &explanation) {
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
    NextExercise();
}

void GameFlow::N5Click() {
    m_view.setRestartMenuEnabled(false);
    m_view.setDoneMenuEnabled(false);
    m_view.setLevelMenuEnabled(true);
    StopGameClock();
    ShowTitlePicture();
    HideAllButtons();
    m_view.setHintEnabled(false);
    m_view.disposeExercise();
    m_view.setStatusText(GameOverText);
    m_view.setActionButtonVisible(ActionButton::Yes, true);
    m_view.setActionButtonVisible(ActionButton::No, true);
    m_state = GameState::GameOver;
}

void GameFlow::LMDMMButton2Click() {
    HideAllButtons();
    ShowTitlePicture();
    m_view.setDoneMenuEnabled(false);
    m_view.setRestartMenuEnabled(false);
    m_view.setLevelMenuEnabled(true);
    m_view.setStatusText(LevelPromptText);
    m_view.setActionButtonVisible(ActionButton::Level1, true);
    m_view.setActionButtonVisible(ActionButton::Level2, true);
    m_view.setActionButtonVisible(ActionButton::Level3, true);
    m_state = GameState::LevelPrompt;
}

void GameFlow::LMDMMButton3Click() {
    m_view.closeMainWindow();
}

void GameFlow::StartGameClock() {
    m_view.setGameClockRunning(true);
    m_data.GameSeconds = 0;
    m_view.setClockText(TimeText(0));
}

void GameFlow::StopGameClock() {
    m_view.setGameClockRunning(false);
}

void GameFlow::Timer1Timer() {
    ++m_data.GameSeconds;
    m_view.setClockText(TimeText(m_data.GameSeconds));
}

void GameFlow::HideAllButtons() {
    for (auto button : {ActionButton::Yes, ActionButton::No, ActionButton::Level1, ActionButton::Level2,
                        ActionButton::Level3, ActionButton::Done})
        m_view.setActionButtonVisible(button, false);
}

void GameFlow::ShowTitlePicture() {
    m_view.setTitlePictureShown(true);
}

void GameFlow::ShowExerciseArea() {
    m_view.setTitlePictureShown(false);
}

} // namespace session

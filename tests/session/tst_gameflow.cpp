#include "session/gameflow.h"

#include <QTest>

#include <functional>
#include <map>

using namespace session;

namespace {

// Keeps what the flow has shown, and a log of the calls that matter for ordering.
class RecordingView : public GameView {
public:
    QString status;
    std::map<ActionButton, bool> buttons{{ActionButton::Yes, false},    {ActionButton::No, false},
                                         {ActionButton::Level1, false}, {ActionButton::Level2, false},
                                         {ActionButton::Level3, false}, {ActionButton::Done, false}};
    bool hint = false, levelMenu = true, doneMenu = false, restartMenu = false, title = true, clock = false;
    QString clockText = QStringLiteral("00:00");
    bool frames = false;
    QStringList log;
    std::function<void()> onMessage;

    void setStatusText(const QString &text) override { status = text; }
    void setActionButtonVisible(ActionButton button, bool visible) override { buttons[button] = visible; }
    void setHintEnabled(bool enabled) override { hint = enabled; }
    void setLevelMenuEnabled(bool enabled) override { levelMenu = enabled; }
    void setDoneMenuEnabled(bool enabled) override { doneMenu = enabled; }
    void setRestartMenuEnabled(bool enabled) override { restartMenu = enabled; }
    void setTitlePictureShown(bool shown) override { title = shown; }
    void setGameClockRunning(bool running) override { clock = running; }
    void setClockText(const QString &text) override { clockText = text; }
    void buildExercise(int level) override {
        frames = true;
        log << QStringLiteral("build %1").arg(level);
    }
    void disposeExercise() override {
        frames = false;
        log << QStringLiteral("dispose");
    }
    void redrawProgress() override { log << QStringLiteral("redraw"); }
    void showMessage(const QString &text, const QString &caption, int kind) override {
        log << QStringLiteral("message %1 %2 %3").arg(caption, text).arg(kind);
        if (onMessage)
            onMessage();
    }
    void closeMainWindow() override { log << QStringLiteral("close"); }
    bool sound = true;
    bool soundOn() const override { return sound; }
    void playSound(const QString &clip) override { log << QStringLiteral("sound ") + clip; }

    StateView observed() const {
        StateView view;
        view.statusText = status;
        view.titlePicture = title;
        const bool one = buttons.at(ActionButton::Level1);
        // The three level buttons, and "Да"/"Нет", are only ever shown together.
        view.levelButtons = one && buttons.at(ActionButton::Level2) && buttons.at(ActionButton::Level3);
        if (one != view.levelButtons)
            view.statusText += QStringLiteral(" [level buttons split]");
        view.doneButton = buttons.at(ActionButton::Done);
        view.yesNoButtons = buttons.at(ActionButton::Yes) && buttons.at(ActionButton::No);
        if (buttons.at(ActionButton::Yes) != buttons.at(ActionButton::No))
            view.statusText += QStringLiteral(" [yes/no split]");
        view.hintEnabled = hint;
        view.levelMenuEnabled = levelMenu;
        view.gameMenuItemsEnabled = doneMenu && restartMenu;
        if (doneMenu != restartMenu)
            view.statusText += QStringLiteral(" [game menu split]");
        view.clockRunning = clock;
        return view;
    }
};

// The answer command's share of the flow: store a result, then move on.
void answer(GameFlow &flow, int result) {
    flow.data().slot(flow.data().CurrentExercise) = result;
    flow.NextExercise();
}

} // namespace

class TestGameFlow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void transitionsReachTheStatesOfTheTable_data();
    void transitionsReachTheStatesOfTheTable();
    void tenExercisesThenScoreThenGameOver();
    void scoreMessageOnlyAfterTheTenthExercise();
    void restartKeepsTheCurrentSlotCurrent();
    void menuLevelFromGameOverStartsAFreshGame();
    void noClosesTheMainWindow();
    void gameClockStartsFreezesAndResets();
    void answerSoundsExplainsAndRecordsInOrder_data();
    void answerSoundsExplainsAndRecordsInOrder();
    void wrongTenthAnswerExplainsThenScoresItsTime();
    void answerOutsideAGameChangesNothing();
};

using Step = std::function<void(GameFlow &)>;
Q_DECLARE_METATYPE(Step)

void TestGameFlow::transitionsReachTheStatesOfTheTable_data() {
    QTest::addColumn<Step>("steps");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("level");

    const Step startUp = [](GameFlow &flow) { flow.LMDMMButton2Click(); };
    QTest::newRow("start-up: level prompt") << startUp << int(GameState::LevelPrompt) << 0;
    QTest::newRow("level 1 from the prompt")
        << Step([=](GameFlow &flow) { startUp(flow), flow.N11Click(); }) << int(GameState::Playing) << 1;
    QTest::newRow("level 2 from the prompt")
        << Step([=](GameFlow &flow) { startUp(flow), flow.N21Click(); }) << int(GameState::Playing) << 2;
    QTest::newRow("level 3, five answers in") << Step([=](GameFlow &flow) {
        startUp(flow), flow.N31Click();
        for (int i = 0; i < 5; ++i)
            answer(flow, esRight);
    }) << int(GameState::Playing) << 3;
    QTest::newRow("restart: game over")
        << Step([=](GameFlow &flow) { startUp(flow), flow.N21Click(), flow.N5Click(); })
        << int(GameState::GameOver) << 0;
    QTest::newRow("tenth answer: game over") << Step([=](GameFlow &flow) {
        startUp(flow), flow.N11Click();
        for (int i = 0; i < 10; ++i)
            answer(flow, esWrong);
    }) << int(GameState::GameOver) << 0;
    QTest::newRow("yes from game over: level prompt") << Step([=](GameFlow &flow) {
        startUp(flow), flow.N11Click(), flow.N5Click(), flow.LMDMMButton2Click();
    }) << int(GameState::LevelPrompt) << 0;
    QTest::newRow("menu level from game over: playing")
        << Step([=](GameFlow &flow) { startUp(flow), flow.N11Click(), flow.N5Click(), flow.N31Click(); })
        << int(GameState::Playing) << 3;
}

void TestGameFlow::transitionsReachTheStatesOfTheTable() {
    QFETCH(Step, steps);
    QFETCH(int, state);
    QFETCH(int, level);
    RecordingView view;
    GameFlow flow(view);
    steps(flow);
    QCOMPARE(int(flow.state()), state);
    QCOMPARE(view.observed(), stateView(GameState(state), level));
    QCOMPARE(view.frames, GameState(state) == GameState::Playing);
}

void TestGameFlow::tenExercisesThenScoreThenGameOver() {
    RecordingView view;
    GameFlow flow(view);
    flow.LMDMMButton2Click();
    flow.N21Click();
    QCOMPARE(flow.data().Level, 2);
    QCOMPARE(flow.data().CurrentExercise, 1);
    QCOMPARE(flow.data().slot(1), int(esCurrent));
    for (int e = 1; e <= 9; ++e) {
        answer(flow, e % 2 ? esRight : esWrong);
        QCOMPARE(flow.data().CurrentExercise, e + 1);
        QCOMPARE(flow.data().slot(e + 1), int(esCurrent));
    }
    for (int i = 0; i < 125; ++i)
        flow.Timer1Timer();
    // The score message comes while the diagram is still shown, after the clock stopped: the time spent
    // reading it does not count.
    StateView whileScoring = stateView(GameState::Playing, 2);
    whileScoring.clockRunning = false;
    StateView seen;
    view.onMessage = [&] { seen = view.observed(); };
    answer(flow, esRight);
    // 6 right, 125 s, no hints: 50 + 90 + 100 + 100.
    QCOMPARE(view.log.filter(QStringLiteral("message")),
             QStringList{QStringLiteral("message Победа! Поздравляем с успехом!\r\nВаши очки: 340. 64")});
    QCOMPARE(view.log.mid(view.log.size() - 4),
             (QStringList{"redraw", "redraw", "message Победа! Поздравляем с успехом!\r\nВаши очки: 340. 64",
                          "dispose"}));
    QCOMPARE(seen, whileScoring);
    QCOMPARE(view.log.count(QStringLiteral("build 2")), 10);
    QCOMPARE(flow.state(), GameState::GameOver);
    QCOMPARE(view.clockText, QStringLiteral("02:05"));
    QVERIFY(!view.clock);
}

void TestGameFlow::scoreMessageOnlyAfterTheTenthExercise() {
    RecordingView view;
    GameFlow flow(view);
    flow.LMDMMButton2Click();
    flow.N11Click();
    for (int e = 1; e <= 9; ++e)
        answer(flow, esRight);
    QVERIFY(view.log.filter(QStringLiteral("message")).isEmpty());
    answer(flow, esRight);
    QCOMPARE(view.log.filter(QStringLiteral("message")).size(), 1);
}

void TestGameFlow::restartKeepsTheCurrentSlotCurrent() {
    RecordingView view;
    GameFlow flow(view);
    flow.LMDMMButton2Click();
    flow.N31Click();
    answer(flow, esRight);
    answer(flow, esWrong);
    flow.N5Click();
    const std::array<int, 10> expected{esRight, esWrong, esCurrent, 0, 0, 0, 0, 0, 0, 0};
    QCOMPARE(flow.data().ResultSlots, expected);
    QVERIFY(view.log.filter(QStringLiteral("message")).isEmpty());
    QCOMPARE(view.log.last(), QStringLiteral("dispose"));
}

void TestGameFlow::menuLevelFromGameOverStartsAFreshGame() {
    RecordingView view;
    GameFlow flow(view);
    flow.LMDMMButton2Click();
    flow.N11Click();
    answer(flow, esRight);
    flow.N5Click();
    flow.N21Click();
    QCOMPARE(flow.data().Level, 2);
    QCOMPARE(flow.data().CurrentExercise, 1);
    const std::array<int, 10> expected{esCurrent, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QCOMPARE(flow.data().ResultSlots, expected);
    QCOMPARE(view.status, QStringLiteral("Уровень сложности: 2"));
}

void TestGameFlow::noClosesTheMainWindow() {
    RecordingView view;
    GameFlow flow(view);
    flow.LMDMMButton2Click();
    flow.N11Click();
    flow.N5Click();
    flow.LMDMMButton3Click();
    QCOMPARE(view.log.last(), QStringLiteral("close"));
}

void TestGameFlow::gameClockStartsFreezesAndResets() {
    RecordingView view;
    GameFlow flow(view);
    flow.LMDMMButton2Click();
    QVERIFY(!view.clock);
    flow.N11Click();
    QVERIFY(view.clock);
    QCOMPARE(view.clockText, QStringLiteral("00:00"));
    flow.Timer1Timer();
    QCOMPARE(view.clockText, QStringLiteral("00:01"));
    flow.Timer1Timer();
    flow.N5Click();
    QVERIFY(!view.clock);
    QCOMPARE(view.clockText, QStringLiteral("00:02"));
    QCOMPARE(flow.data().GameSeconds, 2);
    flow.N31Click();
    QCOMPARE(view.clockText, QStringLiteral("00:00"));
    QCOMPARE(flow.data().GameSeconds, 0);
}

void TestGameFlow::answerSoundsExplainsAndRecordsInOrder_data() {
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<int>("slotDuringMessage");
    QTest::addColumn<int>("slotAfter");
    const QString wrong =
        QStringLiteral("message Неверно! Твой ответ неправилен.\r\nТы не учёл, что\r\nNOT Нет = Да 48");
    QTest::newRow("right, sound on") << true << true
                                     << QStringList{"sound Sound2", "redraw", "build 2", "redraw"} << -1
                                     << int(esRight);
    QTest::newRow("right, sound off")
        << true << false << QStringList{"redraw", "build 2", "redraw"} << -1 << int(esRight);
    // The clip starts before the message, and the exercise counts as wrong only once the message is closed.
    QTest::newRow("wrong, sound on") << false << true
                                     << QStringList{"sound Sound3", wrong, "redraw", "build 2", "redraw"}
                                     << int(esCurrent) << int(esWrong);
    QTest::newRow("wrong, sound off") << false << false << QStringList{wrong, "redraw", "build 2", "redraw"}
                                      << int(esCurrent) << int(esWrong);
}

void TestGameFlow::answerSoundsExplainsAndRecordsInOrder() {
    QFETCH(bool, right);
    QFETCH(bool, sound);
    QFETCH(QStringList, log);
    QFETCH(int, slotDuringMessage);
    QFETCH(int, slotAfter);
    RecordingView view;
    view.sound = sound;
    GameFlow flow(view);
    flow.LMDMMButton2Click();
    flow.N21Click();
    view.log.clear();
    int seen = -1;
    view.onMessage = [&] { seen = flow.data().slot(1); };
    flow.AnswerExercise(right, right ? QString() : QStringLiteral("NOT Нет = Да"));
    QCOMPARE(view.log, log);
    QCOMPARE(seen, slotDuringMessage);
    QCOMPARE(flow.data().slot(1), slotAfter);
    QCOMPARE(flow.data().CurrentExercise, 2);
    QCOMPARE(flow.data().slot(2), int(esCurrent));
}

void TestGameFlow::wrongTenthAnswerExplainsThenScoresItsTime() {
    RecordingView view;
    GameFlow flow(view);
    flow.LMDMMButton2Click();
    flow.N11Click();
    for (int e = 1; e <= 9; ++e)
        flow.AnswerExercise(true, QString());
    for (int i = 0; i < 179; ++i)
        flow.Timer1Timer();
    // The pupil reads the explanation for two seconds: the clock still runs, so the time bonus falls from
    // 100 (179 s) to 99 (181 s).
    view.onMessage = [&] {
        if (view.log.last().contains(QStringLiteral("Неверно!"))) {
            flow.Timer1Timer();
            flow.Timer1Timer();
        }
    };
    view.log.clear();
    flow.AnswerExercise(false, QStringLiteral("0 OR 1 = 1"));
    const QStringList messages = view.log.filter(QStringLiteral("message"));
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages.at(0).startsWith(QStringLiteral("message Неверно!")));
    // 9 right, 181 s, no hints: 50 + 135 + 99 + 100.
    QVERIFY2(messages.at(1).contains(QStringLiteral("Ваши очки: 384.")), qPrintable(messages.at(1)));
    QCOMPARE(flow.data().slot(10), int(esWrong));
    QCOMPARE(flow.state(), GameState::GameOver);
}

void TestGameFlow::answerOutsideAGameChangesNothing() {
    RecordingView view;
    GameFlow flow(view);
    flow.LMDMMButton2Click();
    flow.N11Click();
    flow.N5Click();
    const auto before = flow.data().ResultSlots;
    view.log.clear();
    flow.AnswerExercise(false, QStringLiteral("x"));
    flow.AnswerExercise(true, QString());
    QVERIFY(view.log.isEmpty());
    QCOMPARE(flow.data().ResultSlots, before);
    QCOMPARE(flow.state(), GameState::GameOver);
}

QTEST_GUILESS_MAIN(TestGameFlow)
#include "tst_gameflow.moc"

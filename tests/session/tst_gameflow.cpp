#include "session/gameflow.h"

#include <QTest>

#include <array>
#include <functional>
#include <iterator>
#include <map>
#include <optional>

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
void recordResult(GameFlow &flow, int result) {
    flow.data().slot(flow.data().CurrentExercise) = result;
    flow.nextExercise();
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
    void keysAndCommandsActOnlyWhereTheirButtonsAreShown_data();
    void keysAndCommandsActOnlyWhereTheirButtonsAreShown();
    void screenChecksFailInOrder_data();
    void screenChecksFailInOrder();
};

using Step = std::function<void(GameFlow &)>;
Q_DECLARE_METATYPE(Step)

namespace {

QString commandName(std::optional<Command> command) {
    static const char *const names[] = {"Hint", "Answer", "Restart", "PlayAgain",
                                        "Quit", "Level1", "Level2",  "Level3"};
    return command ? QLatin1String(names[int(*command)]) : QStringLiteral("none");
}

} // namespace

void TestGameFlow::transitionsReachTheStatesOfTheTable_data() {
    QTest::addColumn<Step>("steps");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("level");

    const Step startUp = [](GameFlow &flow) { flow.playAgain(); };
    QTest::newRow("start-up: level prompt") << startUp << int(GameState::LevelPrompt) << 0;
    QTest::newRow("level 1 from the prompt")
        << Step([=](GameFlow &flow) { startUp(flow), flow.chooseLevel(1); }) << int(GameState::Playing) << 1;
    QTest::newRow("level 2 from the prompt")
        << Step([=](GameFlow &flow) { startUp(flow), flow.chooseLevel(2); }) << int(GameState::Playing) << 2;
    QTest::newRow("level 3, five answers in") << Step([=](GameFlow &flow) {
        startUp(flow), flow.chooseLevel(3);
        for (int i = 0; i < 5; ++i)
            recordResult(flow, esRight);
    }) << int(GameState::Playing) << 3;
    QTest::newRow("restart: game over")
        << Step([=](GameFlow &flow) { startUp(flow), flow.chooseLevel(2), flow.restart(); })
        << int(GameState::GameOver) << 0;
    QTest::newRow("tenth answer: game over") << Step([=](GameFlow &flow) {
        startUp(flow), flow.chooseLevel(1);
        for (int i = 0; i < 10; ++i)
            recordResult(flow, esWrong);
    }) << int(GameState::GameOver) << 0;
    QTest::newRow("yes from game over: level prompt")
        << Step([=](GameFlow &flow) { startUp(flow), flow.chooseLevel(1), flow.restart(), flow.playAgain(); })
        << int(GameState::LevelPrompt) << 0;
    QTest::newRow("menu level from game over: playing") << Step([=](GameFlow &flow) {
        startUp(flow), flow.chooseLevel(1), flow.restart(), flow.chooseLevel(3);
    }) << int(GameState::Playing) << 3;
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
    flow.playAgain();
    flow.chooseLevel(2);
    QCOMPARE(flow.data().Level, 2);
    QCOMPARE(flow.data().CurrentExercise, 1);
    QCOMPARE(flow.data().slot(1), int(esCurrent));
    for (int e = 1; e <= 9; ++e) {
        recordResult(flow, e % 2 ? esRight : esWrong);
        QCOMPARE(flow.data().CurrentExercise, e + 1);
        QCOMPARE(flow.data().slot(e + 1), int(esCurrent));
    }
    for (int i = 0; i < 125; ++i)
        flow.tick();
    // The score message comes while the diagram is still shown, after the clock stopped: the time spent
    // reading it does not count.
    StateView whileScoring = stateView(GameState::Playing, 2);
    whileScoring.clockRunning = false;
    StateView seen;
    view.onMessage = [&] { seen = view.observed(); };
    recordResult(flow, esRight);
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
    flow.playAgain();
    flow.chooseLevel(1);
    for (int e = 1; e <= 9; ++e)
        recordResult(flow, esRight);
    QVERIFY(view.log.filter(QStringLiteral("message")).isEmpty());
    recordResult(flow, esRight);
    QCOMPARE(view.log.filter(QStringLiteral("message")).size(), 1);
}

void TestGameFlow::restartKeepsTheCurrentSlotCurrent() {
    RecordingView view;
    GameFlow flow(view);
    flow.playAgain();
    flow.chooseLevel(3);
    recordResult(flow, esRight);
    recordResult(flow, esWrong);
    flow.restart();
    const std::array<int, 10> expected{esRight, esWrong, esCurrent, 0, 0, 0, 0, 0, 0, 0};
    QCOMPARE(flow.data().ResultSlots, expected);
    QVERIFY(view.log.filter(QStringLiteral("message")).isEmpty());
    QCOMPARE(view.log.last(), QStringLiteral("dispose"));
}

void TestGameFlow::menuLevelFromGameOverStartsAFreshGame() {
    RecordingView view;
    GameFlow flow(view);
    flow.playAgain();
    flow.chooseLevel(1);
    recordResult(flow, esRight);
    flow.restart();
    flow.chooseLevel(2);
    QCOMPARE(flow.data().Level, 2);
    QCOMPARE(flow.data().CurrentExercise, 1);
    const std::array<int, 10> expected{esCurrent, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QCOMPARE(flow.data().ResultSlots, expected);
    QCOMPARE(view.status, QStringLiteral("Уровень сложности: 2"));
}

void TestGameFlow::noClosesTheMainWindow() {
    RecordingView view;
    GameFlow flow(view);
    flow.playAgain();
    flow.chooseLevel(1);
    flow.restart();
    flow.quit();
    QCOMPARE(view.log.last(), QStringLiteral("close"));
}

void TestGameFlow::gameClockStartsFreezesAndResets() {
    RecordingView view;
    GameFlow flow(view);
    flow.playAgain();
    QVERIFY(!view.clock);
    flow.chooseLevel(1);
    QVERIFY(view.clock);
    QCOMPARE(view.clockText, QStringLiteral("00:00"));
    flow.tick();
    QCOMPARE(view.clockText, QStringLiteral("00:01"));
    flow.tick();
    flow.restart();
    QVERIFY(!view.clock);
    QCOMPARE(view.clockText, QStringLiteral("00:02"));
    QCOMPARE(flow.data().GameSeconds, 2);
    flow.chooseLevel(3);
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
    flow.playAgain();
    flow.chooseLevel(2);
    view.log.clear();
    int seen = -1;
    view.onMessage = [&] { seen = flow.data().slot(1); };
    flow.answer(right, right ? QString() : QStringLiteral("NOT Нет = Да"));
    QCOMPARE(view.log, log);
    QCOMPARE(seen, slotDuringMessage);
    QCOMPARE(flow.data().slot(1), slotAfter);
    QCOMPARE(flow.data().CurrentExercise, 2);
    QCOMPARE(flow.data().slot(2), int(esCurrent));
}

void TestGameFlow::wrongTenthAnswerExplainsThenScoresItsTime() {
    RecordingView view;
    GameFlow flow(view);
    flow.playAgain();
    flow.chooseLevel(1);
    for (int e = 1; e <= 9; ++e)
        flow.answer(true, QString());
    for (int i = 0; i < 179; ++i)
        flow.tick();
    // The pupil reads the explanation for two seconds: the clock still runs, so the time bonus falls from
    // 100 (179 s) to 99 (181 s).
    view.onMessage = [&] {
        if (view.log.last().contains(QStringLiteral("Неверно!"))) {
            flow.tick();
            flow.tick();
        }
    };
    view.log.clear();
    flow.answer(false, QStringLiteral("0 OR 1 = 1"));
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
    flow.playAgain();
    flow.chooseLevel(1);
    flow.restart();
    const auto before = flow.data().ResultSlots;
    view.log.clear();
    flow.answer(false, QStringLiteral("x"));
    flow.answer(true, QString());
    QVERIFY(view.log.isEmpty());
    QCOMPARE(flow.data().ResultSlots, before);
    QCOMPARE(flow.state(), GameState::GameOver);
}

void TestGameFlow::keysAndCommandsActOnlyWhereTheirButtonsAreShown_data() {
    QTest::addColumn<Step>("steps"); // the state, reached through the flow's own commands
    // The command of Enter, Escape, 1, 2, 3, another key and keypad 1, and the commands that act.
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("acting");
    QTest::newRow("level prompt") << Step([](GameFlow &flow) { flow.playAgain(); })
                                  << QString("none none Level1 Level2 Level3 none none").split(' ')
                                  << QString("Level1 Level2 Level3").split(' ');
    QTest::newRow("playing") << Step([](GameFlow &flow) { flow.playAgain(), flow.chooseLevel(2); })
                             << QString("Answer none none none none none none").split(' ')
                             << QString("Hint Answer Restart").split(' ');
    QTest::newRow("game over") << Step([](GameFlow &flow) {
        flow.playAgain(), flow.chooseLevel(1), flow.restart();
    }) << QString("PlayAgain Quit none none none none none").split(' ')
                               << QString("PlayAgain Quit").split(' ');
}

void TestGameFlow::keysAndCommandsActOnlyWhereTheirButtonsAreShown() {
    QFETCH(Step, steps);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, acting);
    RecordingView view;
    GameFlow flow(view);
    steps(flow);
    const int codes[] = {vkReturn, vkEscape, vkDigit1, vkDigit2, vkDigit3, vkNone, 97};
    for (int k = 0; k < int(std::size(codes)); ++k) {
        const std::optional<Command> given = keyCommand(flow.state(), codes[k]);
        QCOMPARE(commandName(given), keys.at(k));
        // A key stands for a button: it never gives a command that the button would refuse.
        if (given)
            QVERIFY(commandActs(flow.state(), *given));
    }
    for (int command = 0; command <= int(Command::Level3); ++command)
        QCOMPARE(commandActs(flow.state(), Command(command)), acting.contains(commandName(Command(command))));
    // Hints count against the score only when the table is shown, and that is only while playing.
    flow.data().HintCount = 4;
    const bool hint = acting.contains(QStringLiteral("Hint"));
    QCOMPARE(flow.takeHint(), hint);
    QCOMPARE(flow.data().HintCount, hint ? 5 : 4);
}

void TestGameFlow::screenChecksFailInOrder_data() {
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QStringList>("starts");
    const QString colour = QStringLiteral("Эта программа использует 16-разрядный цвет");
    const QString size = QStringLiteral("Эта программа использует разрешение экрана 800х600.");
    QTest::newRow("800x600x16 passes") << 16 << 800 << 600 << QStringList{};
    QTest::newRow("799 wide") << 24 << 799 << 600 << QStringList{size};
    QTest::newRow("599 high") << 24 << 800 << 599 << QStringList{size};
    QTest::newRow("15 bits") << 15 << 1024 << 768 << QStringList{colour};
    QTest::newRow("both, colour first") << 8 << 640 << 480 << QStringList{colour, size};
}

void TestGameFlow::screenChecksFailInOrder() {
    QFETCH(int, bits);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QStringList, starts);
    const QStringList messages = failingScreenChecks({bits, width, height});
    QCOMPARE(messages.size(), starts.size());
    for (int i = 0; i < messages.size(); ++i) {
        QVERIFY2(messages.at(i).startsWith(starts.at(i)), qPrintable(messages.at(i)));
        QVERIFY(messages.at(i).endsWith(QStringLiteral(".\r\nНажмите ОК, чтобы завершить работу, измените "
                                                       "параметры экрана и запустите программу заново.")));
    }
}

QTEST_GUILESS_MAIN(TestGameFlow)
#include "tst_gameflow.moc"

// Careless use: drives the real main window and its real dialogs through thousands of random steps (clicks on
// whatever is visible and enabled, keys, menu commands, notation changes, clock ticks, worked-out answers,
// every dialog opened and closed) and after every step checks that the window is in one state of its state
// table and that everything it shows agrees with that state and with the game's data.
//
// LOGICUS_MONKEY_STEPS sets the number of steps (3000 by default) and LOGICUS_MONKEY_SEED the seed (by
// default one drawn from the clock). The seed is printed at the start and with every failure, so that a
// failing run can be repeated exactly: the exercises draw from the monkey's own generator and the clocks tick
// only when the monkey says so.
#include "engine/logic.h"
#include "mainwindowsetup.h"
#include "resources/appresources.h"
#include "session/gameflow.h"
#include "session/score.h"
#include "ui/controls/mmbutton.h"
#include "ui/controls/picturebox.h"
#include "ui/controls/systemcolors.h"
#include "ui/dialogs/aboutwindow.h"
#include "ui/dialogs/guidelineswindow.h"
#include "ui/dialogs/hintwindow.h"
#include "ui/dialogs/messagewindow.h"
#include "ui/main/mainwindow.h"
#include "ui/main/operationframes.h"
#include "ui/main/radiogroup.h"
#include "ui/main/valuelist.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <random>

using session::GameState;

namespace {

struct Dialogs {
    explicit Dialogs(TForm1 &form)
        : Form7(&form, &form.drawnButtons())
        , Form8(&form, &form.drawnButtons())
        , Form2(&form, &form.drawnButtons())
        , Form9(&form, &form.drawnButtons()) {}
    TForm7 Form7;
    TForm8 Form8;
    TForm2 Form2;
    TForm9 Form9;
};

class Monkey {
public:
    Monkey(TForm1 &form, Dialogs &dialogs, quint64 seed)
        : m_form(form)
        , m_dialogs(dialogs)
        , m_rng(seed) {
        startDialogServer();
    }

    int below(int n) { return int(m_rng() % quint64(n)); }

    // One random step; returns what it did.
    QString step() {
        switch (below(9)) {
        case 0:
        case 1:
            return clickSomething();
        case 2:
        case 3:
            return pressSomething();
        case 4:
            return useMenu();
        case 5:
            return changeNotation();
        case 6:
            return tick();
        case 7:
            return chooseInAList();
        default:
            return answerRightly();
        }
    }

    int dialogsServed = 0;

private:
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_form.windowHandle(), key, modifiers);
    }

    QString clickSomething() {
        QList<QAbstractButton *> candidates{
            control<TLMDMMButton>(&m_form, "LMDMMButton1"), control<TLMDMMButton>(&m_form, "LMDMMButton2"),
            control<TLMDMMButton>(&m_form, "LMDMMButton3"), control<TLMDMMButton>(&m_form, "LMDMMButton4"),
            control<TLMDMMButton>(&m_form, "LMDMMButton5"), control<TLMDMMButton>(&m_form, "LMDMMButton6"),
            control<TLMDMMButton>(&m_form, "LMDMMButton7")};
        for (TRadioGroup *group :
             {control<TRadioGroup>(&m_form, "RadioGroup1"), control<TRadioGroup>(&m_form, "RadioGroup2")})
            for (int i = 0; i < group->count(); ++i)
                candidates << group->item(i);
        QList<QAbstractButton *> clickable;
        for (QAbstractButton *button : candidates)
            if (button->isVisible() && button->isEnabled())
                clickable << button;
        if (clickable.isEmpty())
            return QStringLiteral("nothing to click");
        QAbstractButton *button = clickable.at(below(int(clickable.size())));
        const QPoint at =
            qobject_cast<QRadioButton *>(button) ? QPoint(6, button->height() / 2) : button->rect().center();
        const QString name = button->objectName().isEmpty() ? button->text() : button->objectName();
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
        return QStringLiteral("click ") + name;
    }

    QString pressSomething() {
        struct Press {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char *name;
        };
        static const Press presses[] = {
            {Qt::Key_Return, Qt::NoModifier, "Enter"},
            {Qt::Key_Enter, Qt::KeypadModifier, "keypad Enter"},
            {Qt::Key_Escape, Qt::NoModifier, "Escape"},
            {Qt::Key_1, Qt::NoModifier, "1"},
            {Qt::Key_2, Qt::NoModifier, "2"},
            {Qt::Key_3, Qt::NoModifier, "3"},
            {Qt::Key_1, Qt::ShiftModifier, "Shift+1"},
            {Qt::Key_2, Qt::KeypadModifier, "keypad 2"},
            {Qt::Key_3, Qt::KeypadModifier, "keypad 3"},
            {Qt::Key_F1, Qt::NoModifier, "F1"},
            {Qt::Key_Tab, Qt::NoModifier, "Tab"},
            {Qt::Key_Down, Qt::NoModifier, "Down"},
            {Qt::Key_Up, Qt::NoModifier, "Up"},
            {Qt::Key_Space, Qt::NoModifier, "Space"},
        };
        const Press &press = presses[below(int(std::size(presses)))];
        key(press.key, press.modifiers);
        return QStringLiteral("key ") + QLatin1String(press.name);
    }

    QString useMenu() {
        QList<QAction *> actions;
        if (control<QMenu>(&m_form, "N4")->isEnabled())
            actions << control<QAction>(&m_form, "N11") << control<QAction>(&m_form, "N21")
                    << control<QAction>(&m_form, "N31");
        for (QAction *action : {control<QAction>(&m_form, "N9"), control<QAction>(&m_form, "N5"),
                                control<QAction>(&m_form, "N10"), control<QAction>(&m_form, "N12"),
                                control<QAction>(&m_form, "N6"), control<QAction>(&m_form, "N8")})
            if (action->isEnabled())
                actions << action;
        QAction *action = actions.at(below(int(actions.size())));
        action->trigger();
        return QStringLiteral("menu ") + action->objectName();
    }

    QString changeNotation() {
        TRadioGroup *group = below(2) ? control<TRadioGroup>(&m_form, "RadioGroup1")
                                      : control<TRadioGroup>(&m_form, "RadioGroup2");
        if (!group->isVisible())
            return QStringLiteral("notation choice hidden");
        const int item = below(group->count());
        QTest::mouseClick(group->item(item), Qt::LeftButton, {}, QPoint(6, group->item(item)->height() / 2));
        return QStringLiteral("%1 item %2").arg(group->objectName()).arg(item);
    }

    QString tick() {
        const int ticks = 1 + below(120);
        for (int i = 0; i < ticks; ++i) {
            m_form.Timer3Timer();
            if (control<QTimer>(&m_form, "Timer1")->isActive())
                m_form.Timer1Timer();
        }
        return QStringLiteral("%1 ticks").arg(ticks);
    }

    QList<TValueList *> openLists() const {
        QList<TValueList *> lists;
        for (int slot = 1; slot <= 3; ++slot)
            if (TOperationFrame *frame = m_form.frame(slot))
                for (int list = 1; list <= (frame->isTwoInput() ? 2 : 1); ++list)
                    if (frame->valueList(list)->isEnabled())
                        lists << frame->valueList(list);
        if (control<TValueList>(&m_form, "ComboBox1")->isVisible())
            lists << control<TValueList>(&m_form, "ComboBox1");
        return lists;
    }

    QString chooseInAList() {
        const QList<TValueList *> lists = openLists();
        if (lists.isEmpty())
            return QStringLiteral("no open list");
        TValueList *list = lists.at(below(int(lists.size())));
        list->setFocus();
        key(below(2) ? Qt::Key_Down : Qt::Key_Up);
        return QStringLiteral("arrow in a list");
    }

    static int resultOf(const TOperationFrame *frame) {
        const auto a = engine::TLogicValue(frame->valueList(1)->currentIndex());
        if (a == engine::lvUnknown)
            return engine::lvUnknown;
        if (!frame->isTwoInput())
            return engine::operationResult(engine::okNot, a);
        const auto b = engine::TLogicValue(frame->valueList(2)->currentIndex());
        if (b == engine::lvUnknown)
            return engine::lvUnknown;
        return engine::operationResult(engine::TOperationKind(frame->Tag % 10), a, b);
    }

    QString answerRightly() {
        TOperationFrame *final = m_form.frame(1);
        if (!final)
            return QStringLiteral("no exercise to answer");
        for (int slot = 2; slot <= 3; ++slot)
            if (const TOperationFrame *feeding = m_form.frame(slot))
                final->valueList(final->isTwoInput() && feeding->Tag >= 10 ? 2 : 1)
                    ->setCurrentIndex(resultOf(feeding));
        control<TValueList>(&m_form, "ComboBox1")->setCurrentIndex(resultOf(final));
        if (below(2))
            key(Qt::Key_Return);
        else
            QTest::mouseClick(control<TLMDMMButton>(&m_form, "LMDMMButton7"), Qt::LeftButton);
        return QStringLiteral("right answer");
    }

    // Whatever modal window a step opens is served from the event loop it runs: a random way of closing it,
    // or a key that must not close it, until it is gone. A timer rather than a queued call, since delivering
    // a key also delivers the calls queued before it, before the key opens any window.
    void startDialogServer() {
        m_server.setInterval(1);
        QObject::connect(&m_server, &QTimer::timeout, [this] { serveDialog(); });
        m_server.start();
    }

    void serveDialog() {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            m_rounds = 0;
            return;
        }
        ++dialogsServed;
        if (++m_rounds > 20) {
            dialog->done(QDialog::Rejected);
            return;
        }
        const int way = below(5);
        if (dialog == &m_dialogs.Form9) {
            auto *ok = control<QPushButton>(&m_dialogs.Form9, "LMDButton1");
            if (ok->isVisible())
                QTest::mouseClick(ok, Qt::LeftButton);
        } else if (way == 0) {
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
        } else if (way == 1) {
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
        } else if (way == 2) {
            dialog->windowHandle()->close();
        } else if (way == 3) {
            QTest::keyClick(dialog->windowHandle(), Qt::Key_F1);
        } else if (auto *button = dialog->findChild<TLMDMMButton *>(QStringLiteral("LMDMMButton1"))) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }

    TForm1 &m_form;
    Dialogs &m_dialogs;
    std::mt19937_64 m_rng;
    QTimer m_server;
    int m_rounds = 0;
};

// What is wrong with the window now, or nothing.
QStringList violations(TForm1 &form) {
    QStringList found;
    const auto expect = [&found](bool ok, const QString &what) {
        if (!ok)
            found << what;
    };
    const session::GameData &data = form.game().data();
    const GameState state = form.game().state();

    // The window shows exactly what its state's row of the table says.
    const session::StateView view = session::stateView(state, data.Level);
    expect(control<QLabel>(&form, "Label5")->text() ==
               QString(view.statusText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
           QStringLiteral("status text \"%1\"").arg(control<QLabel>(&form, "Label5")->text()));
    expect(control<PictureBox>(&form, "Image1")->isVisibleTo(&form) == view.titlePicture,
           QStringLiteral("title picture"));
    for (QWidget *widget : {static_cast<QWidget *>(control<QGroupBox>(&form, "GroupBox1")),
                            static_cast<QWidget *>(control<QLabel>(&form, "LMDLabel1")),
                            static_cast<QWidget *>(control<TValueList>(&form, "ComboBox1"))})
        expect(widget->isVisibleTo(&form) == !view.titlePicture, widget->objectName());
    for (QWidget *button :
         {control<TLMDMMButton>(&form, "LMDMMButton4"), control<TLMDMMButton>(&form, "LMDMMButton5"),
          control<TLMDMMButton>(&form, "LMDMMButton6")})
        expect(button->isVisibleTo(&form) == view.levelButtons, button->objectName());
    expect(control<TLMDMMButton>(&form, "LMDMMButton7")->isVisibleTo(&form) == view.doneButton,
           QStringLiteral("button Готово"));
    expect(control<TLMDMMButton>(&form, "LMDMMButton2")->isVisibleTo(&form) == view.yesNoButtons,
           QStringLiteral("button Да"));
    expect(control<TLMDMMButton>(&form, "LMDMMButton3")->isVisibleTo(&form) == view.yesNoButtons,
           QStringLiteral("button Нет"));
    expect(control<TLMDMMButton>(&form, "LMDMMButton1")->isEnabled() == view.hintEnabled,
           QStringLiteral("button Подсказка"));
    expect(control<QMenu>(&form, "N4")->isEnabled() == view.levelMenuEnabled,
           QStringLiteral("menu Выбери уровень"));
    expect(control<QAction>(&form, "N9")->isEnabled() == view.gameMenuItemsEnabled,
           QStringLiteral("menu Готово"));
    expect(control<QAction>(&form, "N5")->isEnabled() == view.gameMenuItemsEnabled,
           QStringLiteral("menu Начать заново"));
    expect(control<QTimer>(&form, "Timer1")->isActive() == view.clockRunning, QStringLiteral("game clock"));

    // Result slots.
    int current = 0;
    for (int e = 1; e <= 10; ++e) {
        const int slot = data.slot(e);
        expect(slot >= session::esNotPlayed && slot <= session::esRight,
               QStringLiteral("slot %1 is %2").arg(e).arg(slot));
        current += slot == session::esCurrent;
        if (state == GameState::Playing) {
            const bool answered = slot == session::esRight || slot == session::esWrong;
            expect(e < data.CurrentExercise    ? answered
                   : e == data.CurrentExercise ? slot == session::esCurrent
                                               : slot == session::esNotPlayed,
                   QStringLiteral("slot %1 is %2 at exercise %3").arg(e).arg(slot).arg(data.CurrentExercise));
        }
    }
    if (state == GameState::Playing)
        expect(current == 1, QStringLiteral("%1 current slots while playing").arg(current));
    expect(data.HintCount >= 0, QStringLiteral("hint count %1").arg(data.HintCount));
    if (data.Level > 0) {
        const int score = session::GameScore(data).toInt();
        expect(score >= 50 && score <= 400, QStringLiteral("score %1").arg(score));
    }

    // The diagram: the frames of the level and exercise, in their places, and no others anywhere.
    QList<TOperationFrame *> inSlots;
    for (int slot = 1; slot <= 3; ++slot)
        if (TOperationFrame *frame = form.frame(slot))
            inSlots << frame;
    const QList<TOperationFrame *> alive = form.findChildren<TOperationFrame *>();
    expect(alive.size() == inSlots.size(),
           QStringLiteral("%1 frames alive, %2 in the slots").arg(alive.size()).arg(inSlots.size()));
    if (state != GameState::Playing) {
        expect(inSlots.isEmpty(), QStringLiteral("frames outside a game"));
        return found;
    }
    const int level = data.Level, e = data.CurrentExercise;
    expect(inSlots.size() == level && form.frame(level) != nullptr,
           QStringLiteral("%1 frames at level %2").arg(inSlots.size()).arg(level));
    if (inSlots.size() != level)
        return found;
    expect(control<TValueList>(&form, "ComboBox1")->pos() == QPoint(level == 1 ? 385 : 510, 350),
           QStringLiteral("answer box at %1").arg(control<TValueList>(&form, "ComboBox1")->x()));
    using engine::FrameClass;
    struct Place {
        FrameClass frameClass;
        QPoint at;
    };
    QList<Place> expected;
    const int s2 = form.frame(std::min(level, 2))->Tag >= 10; // the second frame feeds the bottom input
    if (level == 1)
        expected = {{e % 4 == 0 ? FrameClass::TFrame4 : FrameClass::TFrame3, {135, e % 4 == 0 ? 330 : 300}}};
    else if (level == 2 && e % 3 == 0)
        expected = {{FrameClass::TFrame4, {260, 330}}, {FrameClass::TFrame3, {10, 300}}};
    else if (level == 2)
        expected = {{FrameClass::TFrame3, {260, 300}}, {FrameClass::TFrame4, {10, s2 ? 380 : 280}}};
    else
        expected = {{FrameClass::TFrame3, {260, 300}},
                    {FrameClass::TFrame3, {10, e % 2 ? 250 : 350}},
                    {FrameClass::TFrame4, {10, e % 2 ? 380 : 280}}};
    for (int slot = 1; slot <= level; ++slot) {
        const TOperationFrame *frame = form.frame(slot);
        const Place &place = expected.at(slot - 1);
        expect(frame->frameClass() == place.frameClass && frame->pos() == place.at &&
                   frame->parentWidget() == control(&form, "Panel1") && frame->isVisibleTo(&form),
               QStringLiteral("frame %1 at (%2, %3)").arg(slot).arg(frame->x()).arg(frame->y()));
        expect((frame->Tag % 10 == engine::okNot) == !frame->isTwoInput(),
               QStringLiteral("frame %1 Tag %2").arg(slot).arg(frame->Tag));
        for (int list = 1; list <= (frame->isTwoInput() ? 2 : 1); ++list) {
            const TValueList *values = frame->valueList(list);
            expect(
                values->count() == 3 && values->currentIndex() >= 0,
                QStringLiteral("frame %1 list %2 index %3").arg(slot).arg(list).arg(values->currentIndex()));
        }
    }
    if (level == 3)
        expect(form.frame(1)->objectName() == QStringLiteral("Frame31"),
               QStringLiteral("final frame's name"));
    return found;
}

quint64 seedFromEnvironment() {
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("LOGICUS_MONKEY_SEED").toULongLong(&ok);
    return ok ? seed : quint64(QDateTime::currentMSecsSinceEpoch());
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { prepareMainWindowTests(); }

    void randomUseKeepsTheWindowConsistent() {
        const quint64 seed = seedFromEnvironment();
        bool ok = false;
        int steps = qEnvironmentVariableIntValue("LOGICUS_MONKEY_STEPS", &ok);
        if (!ok || steps <= 0)
            steps = 3000;
        qInfo("monkey: %d steps, seed %llu (LOGICUS_MONKEY_SEED=%llu repeats this run)", steps, seed, seed);
        // Qt's warnings (a recursive exec, a null object, a bad index) are faults too; only the offscreen
        // platform's notes about what it cannot do are expected.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support).*")));

        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // The start-up screen belongs to the first activation; it has passed before the dialogs are handed
        // over.
        QCoreApplication::processEvents();
        Dialogs dialogs(form);
        form.setDialogs(&dialogs.Form7, &dialogs.Form8, &dialogs.Form2, &dialogs.Form9);
        Monkey monkey(form, dialogs, seed);
        form.setDrawSource([&monkey](int n) { return monkey.below(n); });
        // The clocks tick when the monkey says so, not when the machine happens to be quick or slow.
        control<QTimer>(&form, "Timer3")->stop();
        control<QTimer>(&form, "Timer1")->setInterval(24 * 3600 * 1000);

        QStringList recent;
        int games = 0, answers = 0;
        for (int step = 1; step <= steps; ++step) {
            const int before = form.game().data().CurrentExercise;
            const GameState stateBefore = form.game().state();
            const QString action = monkey.step();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (!form.isVisible())
                form.show(); // "Нет", Escape or the close box ended the program; the monkey starts it again
            recent << QStringLiteral("%1: %2").arg(step).arg(action);
            if (recent.size() > 8)
                recent.removeFirst();
            games += stateBefore != GameState::Playing && form.game().state() == GameState::Playing;
            answers += stateBefore == GameState::Playing && form.game().data().CurrentExercise != before;
            const QStringList wrong = violations(form);
            QVERIFY2(wrong.isEmpty(),
                     qPrintable(QStringLiteral("seed %1, step %2 (%3): %4\nlast steps:\n  %5")
                                    .arg(seed)
                                    .arg(step)
                                    .arg(action, wrong.join(QStringLiteral("; ")),
                                         recent.join(QStringLiteral("\n  ")))));
        }
        qInfo("monkey: %d games started, %d exercises answered, %d dialog rounds", games, answers,
              monkey.dialogsServed);
        // A run that never reaches the interesting states proves little.
        QVERIFY(games > 0 && answers > 0 && monkey.dialogsServed > 0);
        form.setDialogs(nullptr, nullptr, nullptr, nullptr);
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"

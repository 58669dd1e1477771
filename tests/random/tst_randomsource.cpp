#include "fakerandomplatform.h"
#include "random/randomsource.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <memory>

namespace {

// Counts what reaches it and lets every input event go on to its parent.
class PassingWidget : public QWidget {
public:
    using QWidget::QWidget;
    int presses = 0;
    int releases = 0;
    int keyPresses = 0;
    int keyReleases = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override {
        ++presses;
        event->ignore();
    }
    void mouseReleaseEvent(QMouseEvent *event) override {
        ++releases;
        event->ignore();
    }
    void keyPressEvent(QKeyEvent *event) override {
        ++keyPresses;
        event->ignore();
    }
    void keyReleaseEvent(QKeyEvent *event) override {
        ++keyReleases;
        event->ignore();
    }
};

class RecordingWindow : public QWindow {
public:
    QList<QEvent::Type> received;

protected:
    bool event(QEvent *event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            received << event->type();
            break;
        default:
            break;
        }
        return QWindow::event(event);
    }
};

// The tree: a top-level widget with `depth` nested children, each filling most of its parent.
struct WidgetTree {
    std::unique_ptr<PassingWidget> top;
    QList<PassingWidget *> levels; // levels[0] is the top, the last one the innermost

    explicit WidgetTree(int depth)
        : top(std::make_unique<PassingWidget>()) {
        top->resize(300, 300);
        levels << top.get();
        for (int level = 1; level <= depth; ++level) {
            auto *child = new PassingWidget(levels.last());
            child->setGeometry(5, 5, 300 - 10 * level, 300 - 10 * level);
            levels << child;
        }
        for (PassingWidget *widget : levels)
            widget->setFocusPolicy(Qt::StrongFocus);
    }
    PassingWidget *innermost() const { return levels.last(); }
};

quint64 mouseFeeds() {
    return rndgen::randomFeedCounts().mouse;
}

quint64 keyboardFeeds() {
    return rndgen::randomFeedCounts().keyboard;
}

} // namespace

class TestRandomSource : public QObject {
    Q_OBJECT

private:
    FakeRandomPlatform m_platform;
    std::unique_ptr<RecordingWindow> m_window;

private slots:
    void init() {
        m_platform = FakeRandomPlatform();
        m_platform.stepPerReading = 3;
        rndgen::setRandomPlatform(&m_platform);
        StartRandomSource();
        m_window = std::make_unique<RecordingWindow>();
        m_window->resize(200, 200);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        // Qt reports a press away from the last pointer position as a move and then the press;
        // the clicks below land where the pointer already is, so that they are one event each.
        QTest::mouseMove(m_window.get(), QPoint(50, 50));
        m_window->received.clear();
    }

    void cleanup() {
        m_window.reset();
        StopRandomSource();
        rndgen::setRandomPlatform(nullptr);
    }

    void startSeedsFromPlatformAndSetsBaselinesInOrder() {
        StopRandomSource();
        m_platform.nextCount = 5000;
        m_platform.stepPerReading = 1;
        m_platform.counterReadings = 0;
        StartRandomSource();

        rndgen::MixingPool expected;
        FakeRandomPlatform sameMachine;
        expected.seed(sameMachine);
        expected.LastTimerCount = 5000;
        expected.LastMouseCount = 5001;
        expected.LastKeyboardCount = 5002;
        QVERIFY(samePoolState(rndgen::randomPool(), expected));
        QCOMPARE(m_platform.counterReadings, 3);
        QCOMPARE(rndgen::randomSourceState(), rndgen::RandomSourceState::Running);
        QVERIFY(rndgen::randomSourceInstalled());
    }

    void feedReadsCounterAndMixesElapsedLowByte_data() {
        QTest::addColumn<int>("source");
        QTest::newRow("mouse") << 0;
        QTest::newRow("keyboard") << 1;
        QTest::newRow("timer") << 2;
    }
    void feedReadsCounterAndMixesElapsedLowByte() {
        QFETCH(int, source);
        rndgen::MixingPool &pool = rndgen::randomPool();
        std::uint64_t &baseline = source == 0   ? pool.LastMouseCount
                                  : source == 1 ? pool.LastKeyboardCount
                                                : pool.LastTimerCount;
        rndgen::MixingPool expected = pool;
        const std::uint64_t reading = baseline + 0x1337;
        m_platform.nextCount = reading;
        (source == 0 ? FeedMouseEvent : source == 1 ? FeedKeyboardEvent : FeedTimerTick)();
        expected.MixByte(0x37);
        (source == 0   ? expected.LastMouseCount
         : source == 1 ? expected.LastKeyboardCount
                       : expected.LastTimerCount) = reading;
        QVERIFY(samePoolState(pool, expected));
    }

    void clickOnWindowFeedsPressAndReleaseOnce() {
        const quint64 before = mouseFeeds();
        QTest::mouseClick(m_window.get(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(mouseFeeds(), before + 2);
        // Not consumed: the window still gets both.
        QCOMPARE(m_window->received,
                 (QList<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease}));
    }

    void clickFeedsPoolFromCounter() {
        rndgen::MixingPool &pool = rndgen::randomPool();
        const rndgen::MixingPool before = pool;
        QTest::mouseClick(m_window.get(), Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(!samePoolState(pool, before));
        QVERIFY(pool.LastMouseCount > before.LastMouseCount);
        QCOMPARE(pool.LastKeyboardCount, before.LastKeyboardCount);
    }

    void moveFeedsOnce() {
        const quint64 before = mouseFeeds();
        QTest::mouseMove(m_window.get(), QPoint(60, 70));
        QCOMPARE(mouseFeeds(), before + 1);
        QCOMPARE(m_window->received, QList<QEvent::Type>{QEvent::MouseMove});
    }

    void keyClickOnWindowFeedsPressAndReleaseOnce() {
        const quint64 mouseBefore = mouseFeeds();
        const quint64 before = keyboardFeeds();
        QTest::keyClick(m_window.get(), Qt::Key_A);
        QCOMPARE(keyboardFeeds(), before + 2);
        QCOMPARE(mouseFeeds(), mouseBefore);
        QCOMPARE(m_window->received, (QList<QEvent::Type>{QEvent::KeyPress, QEvent::KeyRelease}));
    }

    void eventSentByProgramIsNotInput() {
        const quint64 before = mouseFeeds();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), m_window->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window.get(), &press);
        QCOMPARE(mouseFeeds(), before);
        QCOMPARE(m_window->received, QList<QEvent::Type>{QEvent::MouseButtonPress});
    }

    void clickOnNestedWidgetsFeedsOnceWhateverTheDepth_data() {
        QTest::addColumn<int>("depth");
        QTest::newRow("top-level widget only") << 0;
        QTest::newRow("one child") << 1;
        QTest::newRow("three nested children") << 3;
        QTest::newRow("eight nested children") << 8;
    }
    void clickOnNestedWidgetsFeedsOnceWhateverTheDepth() {
        QFETCH(int, depth);
        WidgetTree tree(depth);
        tree.top->show();
        QVERIFY(QTest::qWaitForWindowExposed(tree.top.get()));
        QWindow *window = tree.top->windowHandle();
        QVERIFY(window);

        QTest::mouseMove(window, QPoint(150, 150));
        const quint64 before = mouseFeeds();
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(150, 150));
        QCOMPARE(mouseFeeds(), before + 2);
        // The click went all the way through the tree, so every re-send passed the filter too.
        for (PassingWidget *widget : tree.levels) {
            QCOMPARE(widget->presses, 1);
            QCOMPARE(widget->releases, 1);
        }
    }

    void keyOnNestedWidgetsFeedsOnceWhateverTheDepth_data() {
        clickOnNestedWidgetsFeedsOnceWhateverTheDepth_data();
    }
    void keyOnNestedWidgetsFeedsOnceWhateverTheDepth() {
        QFETCH(int, depth);
        WidgetTree tree(depth);
        tree.top->show();
        QVERIFY(QTest::qWaitForWindowExposed(tree.top.get()));
        tree.top->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(tree.top.get()));
        tree.innermost()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), tree.innermost());

        const quint64 before = keyboardFeeds();
        QTest::keyClick(tree.top->windowHandle(), Qt::Key_B);
        QCOMPARE(keyboardFeeds(), before + 2);
        for (PassingWidget *widget : tree.levels) {
            QCOMPARE(widget->keyPresses, 1);
            QCOMPARE(widget->keyReleases, 1);
        }
    }

    void everyKeyFeedsOnceBeforeItIsHandled_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("feeds");
        QTest::addColumn<int>("fedWhenHandled"); // by the action's shortcut or the menu; 0: neither acts
        QTest::newRow("ordinary key") << Qt::Key_A << Qt::KeyboardModifiers() << 2 << 0;
        QTest::newRow("F1, an action's shortcut") << Qt::Key_F1 << Qt::KeyboardModifiers() << 2 << 1;
        QTest::newRow("Alt+M, the menu bar's access key")
            << Qt::Key_M << Qt::KeyboardModifiers(Qt::AltModifier) << 4 << 2;
    }
    void everyKeyFeedsOnceBeforeItIsHandled() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, feeds);
        QFETCH(int, fedWhenHandled);
        QWidget window;
        QMenu *menu = (new QMenuBar(&window))->addMenu(QStringLiteral("&Menu"));
        menu->addAction(QStringLiteral("Item"));
        auto *help = new QAction(&window);
        help->setShortcut(Qt::Key_F1);
        window.addAction(help);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const quint64 before = keyboardFeeds();
        quint64 fedWhen = before;
        connect(help, &QAction::triggered, this, [&] { fedWhen = keyboardFeeds(); });
        connect(menu, &QMenu::aboutToShow, this, [&] { fedWhen = keyboardFeeds(); });
        QTest::keyClick(window.windowHandle(), key, modifiers);
        QCOMPARE(int(keyboardFeeds() - before), feeds);
        QCOMPARE(int(fedWhen - before), fedWhenHandled);
    }

    void timerFeedsTicks() {
        rndgen::MixingPool &pool = rndgen::randomPool();
        const rndgen::MixingPool before = pool;
        const quint64 ticks = rndgen::randomFeedCounts().timer;
        QTRY_VERIFY_WITH_TIMEOUT(rndgen::randomFeedCounts().timer >= ticks + 20, 5000);
        QVERIFY(pool.LastTimerCount > before.LastTimerCount);
        QVERIFY(!samePoolState(pool, before));
    }

    void startingTwiceKeepsOneSetOfFeeds() {
        StartRandomSource();
        const quint64 before = mouseFeeds();
        QTest::mouseClick(m_window.get(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(mouseFeeds(), before + 2);

        StopRandomSource();
        const quint64 ticks = rndgen::randomFeedCounts().timer;
        QTest::qWait(30);
        QCOMPARE(rndgen::randomFeedCounts().timer, ticks);
    }

    void stopRemovesEveryFeed() {
        StopRandomSource();
        QCOMPARE(rndgen::randomSourceState(), rndgen::RandomSourceState::Stopped);
        QVERIFY(!rndgen::randomSourceInstalled());
        QVERIFY(rndgen::randomPool().FeedingSuspended);

        const rndgen::MixingPool before = rndgen::randomPool();
        const rndgen::RandomFeedCounts counts = rndgen::randomFeedCounts();
        QTest::mouseClick(m_window.get(), Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseMove(m_window.get(), QPoint(10, 10));
        QTest::keyClick(m_window.get(), Qt::Key_C);
        QTest::qWait(30);
        QCOMPARE(rndgen::randomFeedCounts().mouse, counts.mouse);
        QCOMPARE(rndgen::randomFeedCounts().keyboard, counts.keyboard);
        QCOMPARE(rndgen::randomFeedCounts().timer, counts.timer);
        QVERIFY(samePoolState(rndgen::randomPool(), before));
        // Removed, not only muted: the events still reach the window.
        QCOMPARE(m_window->received.size(), 5);
    }

    void drawAfterStopLeavesFeedingSuspended() {
        StopRandomSource();
        RandomBelow(3);
        std::uint8_t bytes[2];
        RandomBytes(bytes, 2);
        QVERIFY(rndgen::randomPool().FeedingSuspended);

        // A feed that still arrives only moves its baseline.
        rndgen::MixingPool expected = rndgen::randomPool();
        m_platform.nextCount = expected.LastMouseCount + 77;
        expected.LastMouseCount = m_platform.nextCount;
        FeedMouseEvent();
        QVERIFY(samePoolState(rndgen::randomPool(), expected));
    }

    void drawWhileRunningClearsSuspension() {
        QVERIFY(!rndgen::randomPool().FeedingSuspended);
        const int value = RandomBelow(2);
        QVERIFY(value == 0 || value == 1);
        QVERIFY(!rndgen::randomPool().FeedingSuspended);
    }
};

QTEST_MAIN(TestRandomSource)
#include "tst_randomsource.moc"

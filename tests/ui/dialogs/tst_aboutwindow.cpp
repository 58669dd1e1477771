#include "loadedplugins.h"
#include "modalrunner.h"
#include "resources/appresources.h"
#include "ui/controls/progressfill.h"
#include "ui/controls/shadowlabel.h"
#include "ui/dialogs/aboutwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// The real 500 ms timer would add ticks of its own while a test drives them by hand; a long interval keeps
// it running (so that stopping it shows) without ever firing during the test.
void holdRealTimer(TForm9 &form) {
    control<QTimer>(&form, "Timer1")->start(60 * 60 * 1000);
}

void tick(TForm9 &form, int times) {
    for (int i = 0; i < times; ++i)
        form.Timer1Timer();
}

} // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // Runs first, while no other test has read a picture in this process.
    void pictureLoadsNoImagePlugins();
    void windowAsCreated();
    void childGeometries_data();
    void childGeometries();
    void textsAndFonts();
    void limeBecomesTransparentOnlyWhenExact();
    void pictureHasTransparentBackground();
    void ticksFillTenPercentEach();
    void eleventhTickClosesStartupScreen();
    void startupScreenClosesItselfAfterFiveAndAHalfSeconds();
    void startupScreenIgnoresEscapeAndCloseRequests_data();
    void startupScreenIgnoresEscapeAndCloseRequests();
    void eleventhTickWhileHiddenOnlyStopsTimer();
    void startupScreenShownAfterTimerRanOutClosesAtOnce();
    void aboutBoxShowsButtonNotFill();
    void aboutBoxStaysOpenOnFurtherTicks();
    void aboutBoxIgnoresEscapeAndCloseRequests();
    void aboutBoxClosesByKeyOnOk_data();
    void aboutBoxClosesByKeyOnOk();
    void aboutBoxClosesByClickOnOk();
    void laterShowingAtSamePlace();

private:
    QWidget *m_main = nullptr;
    TForm9 *m_form = nullptr;
};

void TestAboutWindow::init() {
    m_main = new QWidget;
    m_main->setGeometry(100, 60, 792, 553);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
    m_form = new TForm9(m_main);
}

void TestAboutWindow::cleanup() {
    delete m_form;
    delete m_main;
    m_form = nullptr;
    m_main = nullptr;
}

void TestAboutWindow::pictureLoadsNoImagePlugins() {
    QVERIFY(!control<QLabel>(m_form, "Image1")->pixmap().isNull());
    QVERIFY(!imageFormatPluginLoaded());
}

void TestAboutWindow::windowAsCreated() {
    QCOMPARE(m_form->size(), QSize(472, 298));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QCOMPARE(m_form->windowTitle(), QStringLiteral("О программе"));
    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    QVERIFY(m_form->isStartupScreen());
    QCOMPARE(m_form->tickCount(), 0);
    QVERIFY(!control<TLMDProgressFill>(m_form, "LMDProgressFill1")->isHidden());
    QCOMPARE(control<TLMDProgressFill>(m_form, "LMDProgressFill1")->position(), 0);
    QVERIFY(control<QPushButton>(m_form, "LMDButton1")->isHidden());
    QVERIFY(control<QTimer>(m_form, "Timer1")->isActive());
    QCOMPARE(control<QTimer>(m_form, "Timer1")->interval(), 500);

    // The button is the only control that can take the focus.
    const auto controls = m_form->findChildren<QWidget *>();
    for (const QWidget *child : controls) {
        if (child != control<QPushButton>(m_form, "LMDButton1"))
            QCOMPARE(child->focusPolicy(), Qt::NoFocus);
    }
    QVERIFY(control<QPushButton>(m_form, "LMDButton1")->focusPolicy() & Qt::TabFocus);
}

void TestAboutWindow::childGeometries_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("bounds"); // an empty size: only the position is fixed
    QTest::addColumn<QString>("spoken");
    QTest::newRow("picture") << QStringLiteral("Image1") << QStringLiteral("QLabel") << QRect(10, 10, 96, 96)
                             << QStringLiteral("Эмблема программы Логикус");
    QTest::newRow("title") << QStringLiteral("LMDSimpleLabel1") << QStringLiteral("TLMDShadowLabel")
                           << QRect(144, 22, 0, 0) << QString();
    QTest::newRow("version") << QStringLiteral("LMDSimpleLabel2") << QStringLiteral("QLabel")
                             << QRect(144, 72, 0, 0) << QString();
    QTest::newRow("description") << QStringLiteral("LMDSimpleLabel3") << QStringLiteral("QLabel")
                                 << QRect(8, 114, 457, 105) << QString();
    QTest::newRow("rights") << QStringLiteral("LMDSimpleLabel4") << QStringLiteral("QLabel")
                            << QRect(10, 272, 0, 0) << QString();
    QTest::newRow("progress fill") << QStringLiteral("LMDProgressFill1") << QStringLiteral("TLMDProgressFill")
                                   << QRect(19, 235, 433, 20) << QStringLiteral("Загрузка программы");
    QTest::newRow("OK button") << QStringLiteral("LMDButton1") << QStringLiteral("QPushButton")
                               << QRect(167, 229, 139, 33) << QString();
}

void TestAboutWindow::childGeometries() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, bounds);
    QFETCH(QString, spoken);
    const auto *control = m_form->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), m_form);
    // The drawn controls paint what a stock widget would not (the sunken title, the bevelled fill).
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    QCOMPARE(control->accessibleName(), spoken);
    if (bounds.isEmpty()) {
        QCOMPARE(control->pos(), bounds.topLeft());
        // Sized to its text: it holds it and stays inside the window.
        QVERIFY(control->width() > 0 && control->height() > 0);
        QVERIFY(QRect(QPoint(0, 0), m_form->size()).contains(control->geometry()));
    } else {
        QCOMPARE(control->geometry(), bounds);
    }
}

void TestAboutWindow::textsAndFonts() {
    const QString mono = programFont(QStringLiteral("Courier New"), 19, true).family();
    QCOMPARE(control<TLMDShadowLabel>(m_form, "LMDSimpleLabel1")->text(), QStringLiteral("Логикус"));
    QCOMPARE(control<TLMDShadowLabel>(m_form, "LMDSimpleLabel1")->font().family(), mono);
    QCOMPARE(control<TLMDShadowLabel>(m_form, "LMDSimpleLabel1")->font().pixelSize(), 32);
    QVERIFY(control<TLMDShadowLabel>(m_form, "LMDSimpleLabel1")->font().bold());
    const int titleWidth = QFontMetrics(control<TLMDShadowLabel>(m_form, "LMDSimpleLabel1")->font())
                               .horizontalAdvance(QStringLiteral("Логикус"));
    QVERIFY(control<TLMDShadowLabel>(m_form, "LMDSimpleLabel1")->width() >= titleWidth);

    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel2")->text(), QStringLiteral("Версия 1.02"));
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel2")->font().pixelSize(), 19);
    QVERIFY(control<QLabel>(m_form, "LMDSimpleLabel2")->font().bold());

    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel3")->text(),
             QStringLiteral(
                 "Обучающая программа-тренажер, знакомящая учеников с логическими выражениями и операциями"));
    QVERIFY(control<QLabel>(m_form, "LMDSimpleLabel3")->wordWrap());
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel3")->alignment(), Qt::AlignCenter);
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel3")->font().pixelSize(), 19);

    const QString rights = control<QLabel>(m_form, "LMDSimpleLabel4")->text();
    QVERIFY(!rights.isEmpty());
    QVERIFY(!rights.contains(QLatin1Char('\n')));
    QVERIFY(rights.contains(QStringLiteral("Логикус")));
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel4")->font().pixelSize(), 15);
    QVERIFY(control<QLabel>(m_form, "LMDSimpleLabel4")->font().bold());
    // One line that fits the window's width.
    QVERIFY(control<QLabel>(m_form, "LMDSimpleLabel4")->geometry().right() < m_form->width());

    QCOMPARE(control<QPushButton>(m_form, "LMDButton1")->text(), QStringLiteral("ОК"));
    QCOMPARE(control<QPushButton>(m_form, "LMDButton1")->font().family(), mono);
    QCOMPARE(control<QPushButton>(m_form, "LMDButton1")->font().pixelSize(), 19);
}

void TestAboutWindow::limeBecomesTransparentOnlyWhenExact() {
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0, 255, 0));
    picture.setPixel(1, 0, qRgb(0, 254, 0));
    picture.setPixel(2, 0, qRgb(1, 255, 0));
    picture.setPixel(3, 0, qRgb(0, 128, 128));

    const QImage result = withLimeTransparent(picture);
    QCOMPARE(qAlpha(result.pixel(0, 0)), 0);
    QCOMPARE(result.pixel(1, 0), qRgba(0, 254, 0, 255));
    QCOMPARE(result.pixel(2, 0), qRgba(1, 255, 0, 255));
    QCOMPARE(result.pixel(3, 0), qRgba(0, 128, 128, 255));
}

void TestAboutWindow::pictureHasTransparentBackground() {
    const QImage source(QStringLiteral(":/pictures/about.png"));
    QVERIFY(!source.isNull());
    QCOMPARE(source.pixel(0, 95), qRgb(0, 255, 0));
    const QImage shown = control<QLabel>(m_form, "Image1")->pixmap().toImage();
    QCOMPARE(shown.size(), QSize(96, 96));
    QCOMPARE(qAlpha(shown.pixel(0, 95)), 0);
    // The book and disc stay opaque: at least a quarter of the picture is not background.
    int opaque = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            opaque += qAlpha(shown.pixel(x, y)) == 255 ? 1 : 0;
    QVERIFY(opaque > 96 * 96 / 4);
}

void TestAboutWindow::ticksFillTenPercentEach() {
    holdRealTimer(*m_form);
    for (int i = 1; i <= 10; ++i) {
        m_form->Timer1Timer();
        QCOMPARE(m_form->tickCount(), i);
        QCOMPARE(control<TLMDProgressFill>(m_form, "LMDProgressFill1")->position(), i * 10);
        QCOMPARE(control<TLMDProgressFill>(m_form, "LMDProgressFill1")->accessibleDescription(),
                 QStringLiteral("Загружено %1 %").arg(i * 10));
        QVERIFY(control<QTimer>(m_form, "Timer1")->isActive());
    }
}

void TestAboutWindow::eleventhTickClosesStartupScreen() {
    holdRealTimer(*m_form);
    int positionBefore = -1;
    bool shownAfterTen = false;
    int result = -1;
    const bool stillShown = runModal(
        *m_form, [&] { result = m_form->exec(); },
        [&] {
            tick(*m_form, 10);
            shownAfterTen = m_form->isVisible();
            positionBefore = control<TLMDProgressFill>(m_form, "LMDProgressFill1")->position();
            m_form->Timer1Timer();
        });
    QVERIFY(shownAfterTen);
    QCOMPARE(positionBefore, 100);
    QVERIFY(!stillShown);
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(!control<QTimer>(m_form, "Timer1")->isActive());
    QCOMPARE(control<TLMDProgressFill>(m_form, "LMDProgressFill1")->position(), 100);
}

void TestAboutWindow::startupScreenClosesItselfAfterFiveAndAHalfSeconds() {
    // The window was made in init(); the schedule counts from there. A busy machine can only make ticks late.
    QElapsedTimer sinceCreation;
    sinceCreation.start();
    QList<qint64> tickTimes;
    QList<int> positions;
    // Connected after the window's own handler, so it sees what each tick did.
    connect(control<QTimer>(m_form, "Timer1"), &QTimer::timeout, this, [&] {
        tickTimes.append(sinceCreation.elapsed());
        positions.append(control<TLMDProgressFill>(m_form, "LMDProgressFill1")->position());
    });
    const int result = m_form->exec();
    const qint64 closedAt = sinceCreation.elapsed();

    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(tickTimes.size(), 11);
    QCOMPARE(positions, QList<int>({10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100}));
    for (int i = 0; i < tickTimes.size(); ++i)
        QVERIFY2(tickTimes[i] >= (i + 1) * 500 - 20, qPrintable(QString::number(tickTimes[i])));
    QVERIFY2(closedAt >= 5480 && closedAt < 9000, qPrintable(QString::number(closedAt)));
    // The bar stands full for about the last half second.
    QVERIFY(tickTimes[10] - tickTimes[9] >= 300);
    QCOMPARE(m_form->tickCount(), 11);
    QVERIFY(!control<QTimer>(m_form, "Timer1")->isActive());
}

void TestAboutWindow::startupScreenIgnoresEscapeAndCloseRequests_data() {
    QTest::addColumn<QString>("request");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("Enter") << QStringLiteral("enter");
    QTest::newRow("Space") << QStringLiteral("space");
    QTest::newRow("window manager close") << QStringLiteral("wm");
    QTest::newRow("close()") << QStringLiteral("close");
    QTest::newRow("reject()") << QStringLiteral("reject");
}

void TestAboutWindow::startupScreenIgnoresEscapeAndCloseRequests() {
    QFETCH(QString, request);
    holdRealTimer(*m_form);
    bool shownAfterRequest = false;
    const bool stillShown = runModal(
        *m_form, [&] { m_form->exec(); },
        [&] {
            if (request == QLatin1String("escape"))
                pressKey(*m_form, Qt::Key_Escape);
            else if (request == QLatin1String("enter"))
                pressKey(*m_form, Qt::Key_Return);
            else if (request == QLatin1String("space"))
                pressKey(*m_form, Qt::Key_Space);
            else if (request == QLatin1String("wm"))
                QVERIFY(!m_form->windowHandle()->close());
            else if (request == QLatin1String("close"))
                QVERIFY(!m_form->close());
            else
                m_form->reject();
            shownAfterRequest = m_form->isVisible();
            // Still the timer's to close.
            control<QTimer>(m_form, "Timer1")->stop();
            tick(*m_form, 11);
        });
    QVERIFY(shownAfterRequest);
    QVERIFY(!stillShown);
}

void TestAboutWindow::eleventhTickWhileHiddenOnlyStopsTimer() {
    holdRealTimer(*m_form);
    tick(*m_form, 11);
    QVERIFY(!control<QTimer>(m_form, "Timer1")->isActive());
    QVERIFY(!m_form->isVisible());
    QCOMPARE(control<TLMDProgressFill>(m_form, "LMDProgressFill1")->position(), 100);
    QCOMPARE(m_form->result(), 0);
}

void TestAboutWindow::startupScreenShownAfterTimerRanOutClosesAtOnce() {
    holdRealTimer(*m_form);
    tick(*m_form, 11);
    // Nothing but the timer could close the start-up screen, and it has stopped for good: without care the
    // program would wait here for ever.
    QElapsedTimer clock;
    clock.start();
    bool forced = false;
    QTimer fallback;
    fallback.setSingleShot(true);
    connect(&fallback, &QTimer::timeout, m_form, [&] {
        forced = true;
        m_form->done(QDialog::Rejected);
    });
    fallback.start(2000);
    const int result = m_form->exec();
    QVERIFY(!forced);
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(clock.elapsed() < 2000);
}

void TestAboutWindow::aboutBoxShowsButtonNotFill() {
    holdRealTimer(*m_form);
    tick(*m_form, 11);
    bool fillHidden = false;
    bool buttonShown = false;
    QWidget *focused = nullptr;
    runModal(
        *m_form, [&] { m_form->showAsAboutBox(); },
        [&] {
            fillHidden = !control<TLMDProgressFill>(m_form, "LMDProgressFill1")->isVisible();
            buttonShown = control<QPushButton>(m_form, "LMDButton1")->isVisible();
            focused = m_form->focusWidget();
        });
    QVERIFY(fillHidden);
    QVERIFY(buttonShown);
    QCOMPARE(focused, control<QPushButton>(m_form, "LMDButton1"));
    QVERIFY(!m_form->isStartupScreen());
    QCOMPARE(control<TLMDProgressFill>(m_form, "LMDProgressFill1")->position(), 100);
}

void TestAboutWindow::aboutBoxStaysOpenOnFurtherTicks() {
    holdRealTimer(*m_form);
    tick(*m_form, 11);
    const bool stillShown = runModal(
        *m_form, [&] { m_form->showAsAboutBox(); }, [&] { tick(*m_form, 3); });
    QVERIFY(stillShown);
    QCOMPARE(m_form->tickCount(), 14);
}

void TestAboutWindow::aboutBoxIgnoresEscapeAndCloseRequests() {
    holdRealTimer(*m_form);
    tick(*m_form, 11);
    bool wmClosed = true;
    bool closed = true;
    const bool stillShown = runModal(
        *m_form, [&] { m_form->showAsAboutBox(); },
        [&] {
            pressKey(*m_form, Qt::Key_Escape);
            wmClosed = m_form->windowHandle()->close();
            closed = m_form->close();
        });
    QVERIFY(!wmClosed);
    QVERIFY(!closed);
    QVERIFY(stillShown);
}

void TestAboutWindow::aboutBoxClosesByKeyOnOk_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
}

void TestAboutWindow::aboutBoxClosesByKeyOnOk() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    holdRealTimer(*m_form);
    tick(*m_form, 11);
    int result = -1;
    const bool stillShown = runModal(
        *m_form, [&] { m_form->showAsAboutBox(); },
        [&] {
            pressKey(*m_form, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            result = m_form->result();
        });
    QVERIFY(!stillShown);
    QCOMPARE(result, int(QDialog::Accepted));
}

void TestAboutWindow::aboutBoxClosesByClickOnOk() {
    holdRealTimer(*m_form);
    tick(*m_form, 11);
    const bool stillShown = runModal(
        *m_form, [&] { m_form->showAsAboutBox(); },
        [&] { QTest::mouseClick(control<QPushButton>(m_form, "LMDButton1"), Qt::LeftButton); });
    QVERIFY(!stillShown);
}

void TestAboutWindow::laterShowingAtSamePlace() {
    holdRealTimer(*m_form);
    QRect startup;
    runModal(
        *m_form, [&] { m_form->exec(); },
        [&] {
            startup = m_form->frameGeometry();
            tick(*m_form, 11);
        });
    QRect first;
    QRect second;
    runModal(
        *m_form, [&] { m_form->showAsAboutBox(); }, [&] { first = m_form->frameGeometry(); });
    runModal(
        *m_form, [&] { m_form->showAsAboutBox(); }, [&] { second = m_form->frameGeometry(); });
    QCOMPARE(first.topLeft(), startup.topLeft());
    QCOMPARE(second.topLeft(), startup.topLeft());

    const QRect owner = m_main->frameGeometry();
    QCOMPARE(startup.left(), std::max(0, owner.left() + (owner.width() - startup.width()) / 2));
    QCOMPARE(startup.top(), std::max(0, owner.top() + (owner.height() - startup.height()) / 2));
}

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"

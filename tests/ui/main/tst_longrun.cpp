// Long runs: a whole day of clock ticks, and a thousand exercises, in one run of the main window.
#include "mainwindowsetup.h"
#include "resources/appresources.h"
#include "ui/controls/systemcolors.h"
#include "ui/main/mainwindow.h"
#include "ui/main/operationframes.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <atomic>

// Qt's hooks for tools that follow every QObject; the table is part of QtCore's stable interface.
extern "C" Q_CORE_EXPORT quintptr qtHookData[];

namespace {

constexpr int AddQObjectHook = 3;
constexpr int RemoveQObjectHook = 4;

std::atomic<qint64> liveObjects{0};

void objectAdded(QObject *) {
    ++liveObjects;
}
void objectRemoved(QObject *) {
    --liveObjects;
}

void flushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestLongRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { prepareMainWindowTests(); }

    void aDayOfTicksKeepsLampsHintsAndClockRight() {
        TForm1 form;
        const auto lampsAre = [&form](int green, int yellow, int red) {
            const auto shows = [&form](QLabel *lamp, int image) {
                return lamp->pixmap().toImage() == QPixmap::fromImage(form.lampImages().at(image)).toImage();
            };
            return shows(control<QLabel>(&form, "Image6"), green) &&
                   shows(control<QLabel>(&form, "Image3"), yellow) &&
                   shows(control<QLabel>(&form, "Image5"), red);
        };
        control<QTimer>(&form, "Timer3")->stop();
        form.N31Click();
        control<QTimer>(&form, "Timer1")->stop();
        struct Boundary {
            int seconds;
            const char *clock;
            int green, yellow, red;
        };
        const Boundary boundaries[] = {
            {1, "00:01", 1, 2, 4},      {59, "00:59", 1, 2, 4},      {60, "01:00", 1, 2, 4},
            {900, "15:00", 1, 2, 4},    {901, "15:01", 0, 3, 4},     {1200, "20:00", 0, 3, 4},
            {1201, "20:01", 0, 2, 5},   {5999, "99:59", 0, 2, 5},    {6000, "100:00", 0, 2, 5},
            {59999, "999:59", 0, 2, 5}, {60000, "1000:00", 0, 2, 5}, {86400, "1440:00", 0, 2, 5},
        };
        QVERIFY(lampsAre(0, 2, 4));
        int seconds = 0;
        for (const Boundary &b : boundaries) {
            while (seconds < b.seconds) {
                form.Timer3Timer();
                form.Timer1Timer();
                ++seconds;
            }
            QCOMPARE(control<QLabel>(&form, "LMDSimpleLabel1")->text(), QLatin1String(b.clock));
            for (QLabel *lamp : {control<QLabel>(&form, "Image6"), control<QLabel>(&form, "Image3"),
                                 control<QLabel>(&form, "Image5")})
                QCOMPARE(lamp->toolTip(), QStringLiteral("Общее время - ") + QLatin1String(b.clock));
            QVERIFY2(lampsAre(b.green, b.yellow, b.red), b.clock);
        }
        QCOMPARE(form.game().data().GameSeconds, 86400);
    }

    void aThousandExercisesLeaveNoWidgetsOrObjectsBehind() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const auto play = [&form](int exercises) {
            for (int i = 0; i < exercises; ++i) {
                auto &data = form.game().data();
                if (form.game().state() != session::GameState::Playing)
                    form.game().chooseLevel(1 + i % 3);
                else if (data.CurrentExercise == 10)
                    form.N5Click(); // the tenth answer would show the score message
                else
                    form.LMDMMButton7Click(); // the diagram left at "?": a wrong answer, without a message
                                              // window
                QCoreApplication::processEvents();
                flushDeferredDeletes();
            }
            form.N5Click();
            QCoreApplication::processEvents();
            flushDeferredDeletes();
        };
        // The first games make what is made once: fonts, styles, the drop-down lists' machinery.
        play(60);
        qtHookData[AddQObjectHook] = reinterpret_cast<quintptr>(&objectAdded);
        qtHookData[RemoveQObjectHook] = reinterpret_cast<quintptr>(&objectRemoved);
        const qsizetype widgets = QApplication::allWidgets().size();
        play(1000);
        qtHookData[AddQObjectHook] = 0;
        qtHookData[RemoveQObjectHook] = 0;
        QCOMPARE(QApplication::allWidgets().size(), widgets);
        QCOMPARE(liveObjects.load(), qint64(0));
    }
};

QTEST_MAIN(TestLongRun)
#include "tst_longrun.moc"

// The random source started before any QCoreApplication exists: it must seed, install nothing and
// still run its feeds when they are called directly. Needs a process without an application object,
// hence its own executable.
#include "fakerandomplatform.h"
#include "randomsource.h"

#include <QTest>

class TestRandomSourceWithoutApplication : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!QCoreApplication::instance()); }

    void sourceIsNotStartedBeforeStart() {
        QCOMPARE(rndgen::randomSourceState(), rndgen::RandomSourceState::NotStarted);
    }

    void startWithoutApplicationSeedsButInstallsNothing() {
        FakeRandomPlatform platform;
        platform.nextCount = 70;
        platform.stepPerReading = 5;
        rndgen::setRandomPlatform(&platform);
        StartRandomSource();

        rndgen::MixingPool expected;
        FakeRandomPlatform sameMachine;
        expected.seed(sameMachine);
        expected.LastTimerCount = 70;
        expected.LastMouseCount = 75;
        expected.LastKeyboardCount = 80;
        QVERIFY(samePoolState(rndgen::randomPool(), expected));
        QCOMPARE(rndgen::randomSourceState(), rndgen::RandomSourceState::Running);
        QVERIFY(!rndgen::randomSourceInstalled());

        // Feeds called by hand still mix from their own baseline.
        platform.nextCount = 75 + 0x240;
        FeedMouseEvent();
        expected.MixByte(0x40);
        expected.LastMouseCount = 75 + 0x240;
        QVERIFY(samePoolState(rndgen::randomPool(), expected));

        StopRandomSource();
        QCOMPARE(rndgen::randomSourceState(), rndgen::RandomSourceState::Stopped);
        QVERIFY(rndgen::randomPool().FeedingSuspended);
        rndgen::setRandomPlatform(nullptr);
    }

    void systemPlatformStartsWithoutApplication() {
        StartRandomSource();
        QVERIFY(!rndgen::randomSourceInstalled());
        const int value = RandomBelow(3);
        QVERIFY(value >= 0 && value < 3);
        StopRandomSource();
    }
};

QTEST_APPLESS_MAIN(TestRandomSourceWithoutApplication)
#include "tst_randomsource_noapp.moc"

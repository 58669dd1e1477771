#include "session/clocks.h"

#include <QTest>

using namespace session;

class TestClocks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void timeTexts_data();
    void timeTexts();
    void lampSchedule_data();
    void lampSchedule();
    void lampHintAfterFiveSeconds();
};

void TestClocks::timeTexts_data() {
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0 << "00:00";
    QTest::newRow("first tick") << 1 << "00:01";
    QTest::newRow("59") << 59 << "00:59";
    QTest::newRow("a minute") << 60 << "01:00";
    QTest::newRow("ten minutes") << 600 << "10:00";
    QTest::newRow("no hour field") << 3600 << "60:00";
    QTest::newRow("three-digit minutes") << 6000 << "100:00";
    QTest::newRow("mixed") << 6185 << "103:05";
}

void TestClocks::timeTexts() {
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(TimeText(seconds), text);
}

void TestClocks::lampSchedule_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("yellow");
    QTest::addColumn<int>("red");
    QTest::newRow("all off at start") << 0 << 0 << 2 << 4;
    QTest::newRow("green at the first tick") << 1 << 1 << 2 << 4;
    QTest::newRow("green still at 900") << 900 << 1 << 2 << 4;
    QTest::newRow("yellow at 901") << 901 << 0 << 3 << 4;
    QTest::newRow("yellow still at 1200") << 1200 << 0 << 3 << 4;
    QTest::newRow("red at 1201") << 1201 << 0 << 2 << 5;
    QTest::newRow("red for good") << 100000 << 0 << 2 << 5;
}

void TestClocks::lampSchedule() {
    QFETCH(int, ticks);
    QFETCH(int, green);
    QFETCH(int, yellow);
    QFETCH(int, red);
    QCOMPARE(lampImagesAfter(ticks), (LampImages{green, yellow, red}));
}

void TestClocks::lampHintAfterFiveSeconds() {
    QCOMPARE(totalTimeHint(5), QStringLiteral("Общее время - 00:05"));
}

QTEST_GUILESS_MAIN(TestClocks)
#include "tst_clocks.moc"

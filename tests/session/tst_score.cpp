#include "session/score.h"
#include "session/segmentcolors.h"

#include <QTest>

using namespace session;

class TestScore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scoreAtItsBoundaries_data();
    void scoreAtItsBoundaries();
    void hintsOfAnEarlierGameLowerALaterScore();
    void everySlotStateHasItsSegmentColour();
};

void TestScore::scoreAtItsBoundaries_data() {
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("hints");
    QTest::addColumn<int>("score");
    // Figures worked out by hand from the scoring rules, not from the code.
    QTest::newRow("worked example: 8 right, 200 s, 2 hints") << 8 << 200 << 2 << 350;
    QTest::newRow("best game") << 10 << 0 << 0 << 400;
    QTest::newRow("179 s keeps the full time bonus") << 0 << 179 << 20 << 150;
    QTest::newRow("180 s still 100") << 0 << 180 << 20 << 150;
    QTest::newRow("181 s gives 99") << 0 << 181 << 20 << 149;
    QTest::newRow("182 s gives 99") << 0 << 182 << 20 << 149;
    QTest::newRow("379 s gives 0") << 0 << 379 << 20 << 50;
    QTest::newRow("380 s gives 0") << 0 << 380 << 20 << 50;
    QTest::newRow("19 hints give 5") << 0 << 1000 << 19 << 55;
    QTest::newRow("20 hints give 0") << 0 << 1000 << 20 << 50;
    QTest::newRow("worst game") << 0 << 5000 << 300 << 50;
}

void TestScore::scoreAtItsBoundaries() {
    QFETCH(int, right);
    QFETCH(int, seconds);
    QFETCH(int, hints);
    QFETCH(int, score);
    GameData data;
    for (int i = 0; i < 10; ++i)
        data.ResultSlots[i] = i < right ? esRight : esWrong;
    data.GameSeconds = seconds;
    data.HintCount = hints;
    QCOMPARE(GameScore(data), QString::number(score));
}

void TestScore::hintsOfAnEarlierGameLowerALaterScore() {
    GameData data;
    data.ResultSlots.fill(esRight);
    data.HintCount = 3; // taken in an earlier game; a game start never resets it
    QCOMPARE(GameScore(data), QStringLiteral("385"));
}

void TestScore::everySlotStateHasItsSegmentColour() {
    QCOMPARE(segmentColorRole(esNotPlayed), SegmentColorRole::SelectionHighlight);
    QCOMPARE(segmentColorRole(esCurrent), SegmentColorRole::ButtonHighlight);
    QCOMPARE(segmentColorRole(esWrong), SegmentColorRole::Red);
    QCOMPARE(segmentColorRole(esRight), SegmentColorRole::Green);
    QCOMPARE(segmentColorRole(7), SegmentColorRole::Unchanged);
}

QTEST_GUILESS_MAIN(TestScore)
#include "tst_score.moc"

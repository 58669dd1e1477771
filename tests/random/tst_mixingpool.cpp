#include "random/mixingpool.h"

#include <QTest>

#include <algorithm>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using rndgen::MixingPool;

namespace {

MixingPool seededByFixedSchedule() {
    MixingPool pool;
    pool.seedFixedSchedule();
    return pool;
}

bool isPermutation(const MixingPool &pool) {
    std::array<bool, 256> seen{};
    for (std::uint8_t value : pool.Table) {
        if (seen[value])
            return false;
        seen[value] = true;
    }
    return true;
}

// Everything a step or a feed may change.
bool sameState(const MixingPool &a, const MixingPool &b) {
    return a.Table == b.Table && a.StepIndex == b.StepIndex && a.SumJ == b.SumJ && a.SumK == b.SumK &&
           a.LastInput == b.LastInput && a.LastOutput == b.LastOutput &&
           a.FeedingSuspended == b.FeedingSuspended && a.LastTimerCount == b.LastTimerCount &&
           a.LastMouseCount == b.LastMouseCount && a.LastKeyboardCount == b.LastKeyboardCount;
}

QList<int> draws(MixingPool &pool, int count) {
    QList<int> bytes;
    for (int n = 0; n < count; ++n)
        bytes << pool.draw();
    return bytes;
}

class FixedSeedSource final : public rndgen::SeedSource {
public:
    rndgen::MemoryFigures memory{0x12345678u, 0x9ABCDEF0u, 0xFFFFFFFFu};
    rndgen::LocalDayTime first{46000, 43200000};
    rndgen::LocalDayTime second{46000, 43200001};
    // Which reading came when: 'm' memory, 't' clock, 'y' yield.
    std::string calls;

    rndgen::MemoryFigures memoryFigures() override {
        calls += 'm';
        return memory;
    }
    rndgen::LocalDayTime localDayTime() override {
        const bool isFirst = calls.find('t') == std::string::npos;
        calls += 't';
        return isFirst ? first : second;
    }
    void yieldProcessor() override { calls += 'y'; }
};

enum class Source { Mouse, Keyboard, Timer };

void feed(MixingPool &pool, Source source, std::uint64_t counter) {
    switch (source) {
    case Source::Mouse:
        pool.FeedMouseEvent(counter);
        break;
    case Source::Keyboard:
        pool.FeedKeyboardEvent(counter);
        break;
    case Source::Timer:
        pool.FeedTimerTick(counter);
        break;
    }
}

std::uint64_t &baseline(MixingPool &pool, Source source) {
    switch (source) {
    case Source::Mouse:
        return pool.LastMouseCount;
    case Source::Keyboard:
        return pool.LastKeyboardCount;
    case Source::Timer:
        break;
    }
    return pool.LastTimerCount;
}

} // namespace

Q_DECLARE_METATYPE(Source)

class TestMixingPool : public QObject {
    Q_OBJECT

private slots:
    void fixedScheduleGivesKnownState() {
        const MixingPool pool = seededByFixedSchedule();
        QCOMPARE(pool.StepIndex, 1);
        QCOMPARE(pool.SumJ, 19);
        QCOMPARE(pool.SumK, 2);
        QCOMPARE(pool.LastInput, 0);
        QCOMPARE(pool.LastOutput, 125);
        const std::array<std::uint8_t, 8> head{223, 216, 251, 252, 112, 169, 147, 76};
        QVERIFY(std::equal(head.begin(), head.end(), pool.Table.begin()));
        QVERIFY(isPermutation(pool));
    }

    void drawsAfterFixedScheduleGiveKnownBytes() {
        MixingPool pool = seededByFixedSchedule();
        QCOMPARE(draws(pool, 8), (QList<int>{193, 224, 223, 108, 231, 6, 163, 47}));
    }

    void randomBelowGivesKnownValues_data() {
        QTest::addColumn<int>("drawsBefore");
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("n = 0: unreduced value") << 0 << 0 << QList<int>{1826611393};
        QTest::newRow("n < 0: unreduced value") << 0 << -5 << QList<int>{1826611393};
        QTest::newRow("n = minimum: unreduced value")
            << 0 << std::numeric_limits<int>::min() << QList<int>{1826611393};
        QTest::newRow("n = 3, six calls") << 0 << 3 << QList<int>{1, 0, 1, 0, 2, 0};
        QTest::newRow("n = 2, eight calls") << 0 << 2 << QList<int>{1, 1, 1, 1, 0, 1, 0, 0};
        QTest::newRow("n = 1 is always 0") << 0 << 1 << QList<int>{0, 0, 0};
        // After one draw the fourth byte is 231: its top bit must not reach the result.
        QTest::newRow("top bit of fourth byte cleared") << 1 << 0 << QList<int>{1735188448};
        QTest::newRow("n = maximum keeps the value")
            << 1 << std::numeric_limits<int>::max() << QList<int>{1735188448};
    }
    void randomBelowGivesKnownValues() {
        QFETCH(int, drawsBefore);
        QFETCH(int, n);
        QFETCH(QList<int>, expected);
        MixingPool pool = seededByFixedSchedule();
        draws(pool, drawsBefore);
        QList<int> values;
        for (qsizetype call = 0; call < expected.size(); ++call)
            values << pool.RandomBelow(n);
        QCOMPARE(values, expected);
    }

    void randomBelowUsesExactlyFourDraws_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("n = 1") << 1;
        QTest::newRow("n = 2") << 2;
        QTest::newRow("n = 0") << 0;
        QTest::newRow("n = -1") << -1;
    }
    void randomBelowUsesExactlyFourDraws() {
        QFETCH(int, n);
        MixingPool viaRandomBelow = seededByFixedSchedule();
        MixingPool viaDraws = viaRandomBelow;
        viaRandomBelow.RandomBelow(n);
        draws(viaDraws, 4);
        QVERIFY(sameState(viaRandomBelow, viaDraws));
    }

    void drawIsOneStepWithInputZero() {
        MixingPool pool = seededByFixedSchedule();
        pool.MixByte(0x5A); // leaves a non-zero LastInput behind
        QCOMPARE(pool.LastInput, 0x5A);
        MixingPool reference = pool;
        const std::uint8_t drawn = pool.draw();
        reference.MixByte(0);
        QCOMPARE(pool.LastInput, 0);
        QCOMPARE(drawn, reference.LastOutput);
        QVERIFY(sameState(pool, reference));
    }

    void mix32TakesLeastSignificantByteFirst_data() {
        QTest::addColumn<quint32>("value");
        QTest::newRow("distinct bytes") << quint32(0x11223344);
        QTest::newRow("top byte only") << quint32(0xFF000000);
        QTest::newRow("all ones") << quint32(0xFFFFFFFF);
    }
    void mix32TakesLeastSignificantByteFirst() {
        QFETCH(quint32, value);
        MixingPool viaMix32 = seededByFixedSchedule();
        MixingPool viaBytes = viaMix32;
        viaMix32.Mix32(value);
        for (int shift = 0; shift < 32; shift += 8)
            viaBytes.MixByte(static_cast<std::uint8_t>(value >> shift));
        QVERIFY(sameState(viaMix32, viaBytes));
    }

    void tableStaysPermutationOverLongRandomRuns() {
        MixingPool pool = seededByFixedSchedule();
        std::mt19937 generator(20240611);
        std::uniform_int_distribution<int> byte(0, 255);
        std::uniform_int_distribution<int> choice(0, 9);
        for (int step = 0; step < 200000; ++step) {
            // Now and then the registers are forced so that indices collide.
            if (choice(generator) == 0) {
                const std::uint8_t at = static_cast<std::uint8_t>(byte(generator));
                pool.LastInput = at;
                pool.LastOutput = choice(generator) < 5 ? at : static_cast<std::uint8_t>(byte(generator));
                pool.StepIndex = static_cast<std::uint8_t>(at - 1);
            }
            pool.MixByte(static_cast<std::uint8_t>(byte(generator)));
            if (step % 997 == 0)
                QVERIFY2(isPermutation(pool), qPrintable(QStringLiteral("after step %1").arg(step)));
        }
        QVERIFY(isPermutation(pool));
    }

    // The rotation is made assignment by assignment: with i, j, x, y the new StepIndex, the new
    // SumJ and the old LastInput and LastOutput, S[y] := S[j], S[j] := S[x], S[x] := S[i], S[i] := old S[y].
    void rotationFollowsAssignmentOrderWhenIndicesCoincide_data() {
        QTest::addColumn<int>("i");
        QTest::addColumn<int>("j");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("all distinct") << 10 << 20 << 30 << 40;
        QTest::newRow("x = y") << 10 << 20 << 30 << 30;
        QTest::newRow("i = j") << 10 << 10 << 30 << 40;
        QTest::newRow("i = x") << 10 << 20 << 10 << 40;
        QTest::newRow("j = y") << 10 << 20 << 30 << 20;
        QTest::newRow("i = y") << 10 << 20 << 30 << 10;
        QTest::newRow("j = x") << 10 << 20 << 20 << 40;
        QTest::newRow("i = j = x = y") << 10 << 10 << 10 << 10;
        QTest::newRow("i = 0 after wrap") << 0 << 20 << 0 << 20;
    }
    void rotationFollowsAssignmentOrderWhenIndicesCoincide() {
        QFETCH(int, i);
        QFETCH(int, j);
        QFETCH(int, x);
        QFETCH(int, y);
        MixingPool pool = seededByFixedSchedule();
        pool.StepIndex = static_cast<std::uint8_t>(i - 1);
        pool.SumJ = static_cast<std::uint8_t>(j - pool.Table[pool.StepIndex]);
        pool.LastInput = static_cast<std::uint8_t>(x);
        pool.LastOutput = static_cast<std::uint8_t>(y);

        std::array<std::uint8_t, 256> expected = pool.Table;
        const std::uint8_t t = expected[y];
        expected[y] = expected[j];
        expected[j] = expected[x];
        expected[x] = expected[i];
        expected[i] = t;

        pool.MixByte(0x33);
        QCOMPARE(pool.StepIndex, i);
        QCOMPARE(pool.SumJ, j);
        QVERIFY(pool.Table == expected);
        QVERIFY(isPermutation(pool));
    }

    void x_equal_y_swapsOnlyCellsIAndX() {
        MixingPool pool = seededByFixedSchedule();
        pool.StepIndex = 9;
        pool.SumJ = static_cast<std::uint8_t>(20 - pool.Table[9]);
        pool.LastInput = 30;
        pool.LastOutput = 30;
        const auto before = pool.Table;
        pool.MixByte(0);
        QCOMPARE(pool.Table[10], before[30]);
        QCOMPARE(pool.Table[30], before[10]);
        QCOMPARE(pool.Table[20], before[20]);
    }

    void suspendedFeedMovesOnlyItsBaseline_data() {
        QTest::addColumn<Source>("source");
        QTest::newRow("mouse") << Source::Mouse;
        QTest::newRow("keyboard") << Source::Keyboard;
        QTest::newRow("timer") << Source::Timer;
    }
    void suspendedFeedMovesOnlyItsBaseline() {
        QFETCH(Source, source);
        MixingPool pool = seededByFixedSchedule();
        pool.LastMouseCount = 100;
        pool.LastKeyboardCount = 200;
        pool.LastTimerCount = 300;
        pool.FeedingSuspended = true;
        MixingPool expected = pool;
        baseline(expected, source) = 0x123456789ULL;

        feed(pool, source, 0x123456789ULL);
        QVERIFY(sameState(pool, expected));

        // The next feed measures from the moved baseline: 0x1234567A0 − 0x123456789 = 0x17.
        pool.FeedingSuspended = false;
        expected.FeedingSuspended = false;
        feed(pool, source, 0x1234567A0ULL);
        expected.MixByte(0x17);
        baseline(expected, source) = 0x1234567A0ULL;
        QVERIFY(sameState(pool, expected));
    }

    void feedMixesLowByteOfElapsedCount_data() {
        QTest::addColumn<Source>("source");
        QTest::addColumn<quint64>("before");
        QTest::addColumn<quint64>("reading");
        QTest::addColumn<int>("mixed");
        QTest::newRow("mouse: small step") << Source::Mouse << quint64(1000) << quint64(1037) << 37;
        QTest::newRow("keyboard: beyond one byte")
            << Source::Keyboard << quint64(0x1FF) << quint64(0x10203) << 4;
        QTest::newRow("timer: low byte wraps") << Source::Timer << quint64(0xF0) << quint64(0x105) << 0x15;
        QTest::newRow("mouse: counter wraps 64 bits") << Source::Mouse << quint64(~0ULL) << quint64(3) << 4;
        QTest::newRow("timer: same reading") << Source::Timer << quint64(777) << quint64(777) << 0;
    }
    void feedMixesLowByteOfElapsedCount() {
        QFETCH(Source, source);
        QFETCH(quint64, before);
        QFETCH(quint64, reading);
        QFETCH(int, mixed);
        MixingPool pool = seededByFixedSchedule();
        baseline(pool, source) = before;
        MixingPool expected = pool;
        expected.MixByte(static_cast<std::uint8_t>(mixed));
        baseline(expected, source) = reading;
        feed(pool, source, reading);
        QVERIFY(sameState(pool, expected));
    }

    void randomBytesFillsSuccessiveDraws() {
        MixingPool pool = seededByFixedSchedule();
        std::vector<std::uint8_t> buffer(10, 0xEE);
        pool.RandomBytes(buffer.data(), 8);
        QCOMPARE(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 8),
                 (std::vector<std::uint8_t>{193, 224, 223, 108, 231, 6, 163, 47}));
        QCOMPARE(buffer[8], 0xEE); // nothing beyond count
        QVERIFY(!pool.FeedingSuspended);
    }

    void randomBytesSuspendsFeedingWhileDrawing() {
        MixingPool pool = seededByFixedSchedule();
        QList<bool> suspendedAtDraw;
        pool.setDrawHook([&](std::int32_t) { suspendedAtDraw << pool.FeedingSuspended; });
        std::uint8_t buffer[3];
        pool.RandomBytes(buffer, 3);
        QCOMPARE(suspendedAtDraw, (QList<bool>{true, true, true}));
        QVERIFY(!pool.FeedingSuspended);
    }

    void randomBytesWithNoCountDrawsNothingAndClearsSuspension_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -4;
    }
    void randomBytesWithNoCountDrawsNothingAndClearsSuspension() {
        QFETCH(int, count);
        MixingPool pool = seededByFixedSchedule();
        pool.FeedingSuspended = true;
        MixingPool expected = pool;
        expected.FeedingSuspended = false;
        std::uint8_t untouched = 0xAB;
        pool.RandomBytes(&untouched, count);
        QCOMPARE(untouched, 0xAB);
        QVERIFY(sameState(pool, expected));
    }

    void randomBytesClearsSuspensionWhenInterrupted() {
        MixingPool pool = seededByFixedSchedule();
        pool.setDrawHook([](std::int32_t position) {
            if (position == 2)
                throw std::runtime_error("interrupted");
        });
        std::uint8_t buffer[4] = {0, 0, 0, 0};
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, pool.RandomBytes(buffer, 4));
        QVERIFY(!pool.FeedingSuspended);
        QCOMPARE(buffer[0], 193);
        QCOMPARE(buffer[1], 224);
        QCOMPARE(buffer[2], 0);

        // The pool is left after exactly the two finished draws, and a feed mixes again.
        pool.setDrawHook({});
        MixingPool expected = seededByFixedSchedule();
        draws(expected, 2);
        QVERIFY(sameState(pool, expected));
        pool.FeedMouseEvent(5);
        expected.MixByte(5);
        expected.LastMouseCount = 5;
        QVERIFY(sameState(pool, expected));
    }

    void seedingWithFixedReadingsGivesKnownState() {
        FixedSeedSource readings;
        MixingPool pool;
        pool.seed(readings);
        QCOMPARE(pool.StepIndex, 25);
        QCOMPARE(pool.SumJ, 32);
        QCOMPARE(pool.SumK, 206);
        QCOMPARE(pool.LastInput, 64);
        QCOMPARE(pool.LastOutput, 242);
        const std::array<std::uint8_t, 8> head{238, 134, 79, 127, 133, 182, 135, 66};
        QVERIFY(std::equal(head.begin(), head.end(), pool.Table.begin()));
        QCOMPARE(draws(pool, 4), (QList<int>{214, 51, 15, 233}));
        QVERIFY(isPermutation(pool));
    }

    void seedingReadsClockAgainAfter256Yields() {
        FixedSeedSource readings;
        MixingPool pool;
        pool.seed(readings);
        QCOMPARE(QString::fromStdString(readings.calls), QString("mt" + QString(256, 'y') + "t"));
    }

    void seedingIsRepeatable() {
        FixedSeedSource readings;
        MixingPool first;
        first.seed(readings);
        FixedSeedSource sameReadings;
        MixingPool second;
        second.seed(sameReadings);
        QVERIFY(sameState(first, second));
    }

    void seedingDependsOnEveryReading_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("physical memory") << 0;
        QTest::newRow("swap space") << 1;
        QTest::newRow("virtual space") << 2;
        QTest::newRow("day number") << 3;
        QTest::newRow("first time of day") << 4;
        QTest::newRow("second time of day") << 5;
    }
    void seedingDependsOnEveryReading() {
        QFETCH(int, which);
        FixedSeedSource readings;
        MixingPool reference;
        reference.seed(readings);

        FixedSeedSource changed;
        switch (which) {
        case 0:
            changed.memory.availablePhysical += 4096;
            break;
        case 1:
            changed.memory.availableSwap ^= 0x01000000;
            break;
        case 2:
            changed.memory.availableVirtual -= 1;
            break;
        case 3:
            changed.first.dayNumber += 1;
            break;
        case 4:
            changed.first.millisecondOfDay += 1;
            break;
        case 5:
            changed.second.millisecondOfDay += 1;
            break;
        }
        MixingPool pool;
        pool.seed(changed);
        QVERIFY(!sameState(pool, reference));
        QVERIFY(isPermutation(pool));
    }

    void seedingLeavesSuspensionAndBaselinesAlone() {
        FixedSeedSource readings;
        MixingPool pool;
        pool.FeedingSuspended = true;
        pool.LastMouseCount = 11;
        pool.LastKeyboardCount = 22;
        pool.LastTimerCount = 33;
        pool.seed(readings);
        QVERIFY(pool.FeedingSuspended);
        QCOMPARE(pool.LastMouseCount, 11u);
        QCOMPARE(pool.LastKeyboardCount, 22u);
        QCOMPARE(pool.LastTimerCount, 33u);
    }

    void dayFractionRoundsToNearest_data() {
        QTest::addColumn<int>("millisecond");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("midnight") << 0 << quint32(0);
        QTest::newRow("first millisecond rounds up") << 1 << quint32(25);
        QTest::newRow("six o'clock rounds up") << 21600000 << quint32(536870912);
        QTest::newRow("noon: exact half rounds up") << 43200000 << quint32(1073741824);
        QTest::newRow("last millisecond rounds down") << 86399999 << quint32(2147483622);
    }
    void dayFractionRoundsToNearest() {
        QFETCH(int, millisecond);
        QFETCH(quint32, expected);
        QCOMPARE(MixingPool::dayFractionValue(millisecond), expected);
    }
};

QTEST_GUILESS_MAIN(TestMixingPool)
#include "tst_mixingpool.moc"

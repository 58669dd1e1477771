// The random source without any QCoreApplication: started so, it must seed, install nothing and
// still run its feeds when they are called directly; and the machine readings it seeds from.
// Needs a process without an application object, hence its own executable.
#include "fakerandomplatform.h"
#include "random/randomsource.h"

#include <QTest>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

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

    void procFieldIsReadInKibibytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("found");
        QTest::addColumn<quint64>("bytes");
        const QString meminfo =
            "MemTotal:       16318480 kB\nMemFree:         1043712 kB\n"
            "MemAvailable:    9876543 kB\nSwapTotal:             0 kB\nSwapFree:              0 kB\n";
        QTest::newRow("MemAvailable") << meminfo << "MemAvailable" << true << quint64(9876543) * 1024;
        QTest::newRow("zero swap") << meminfo << "SwapFree" << true << quint64(0);
        QTest::newRow("first line") << meminfo << "MemTotal" << true << quint64(16318480) * 1024;
        QTest::newRow("missing key") << meminfo << "Cached" << false << quint64(0);
        QTest::newRow("key only as prefix")
            << QString("MemAvailableX: 5 kB\n") << "MemAvailable" << false << quint64(0);
        QTest::newRow("tab before value")
            << QString("VmSize:\t  123 kB\n") << "VmSize" << true << quint64(123) * 1024;
        QTest::newRow("no trailing newline")
            << QString("VmSize: 7 kB") << "VmSize" << true << quint64(7) * 1024;
        QTest::newRow("value unreadable") << QString("VmSize: lots\n") << "VmSize" << false << quint64(0);
        QTest::newRow("empty text") << QString() << "VmSize" << false << quint64(0);
    }
    void procFieldIsReadInKibibytes() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(bool, found);
        QFETCH(quint64, bytes);
        const std::string utf8 = text.toStdString();
        const std::string name = key.toStdString();
        const std::optional<std::uint64_t> value = rndgen::procFieldBytes(utf8, name);
        QCOMPARE(value.has_value(), found);
        if (found)
            QCOMPARE(*value, bytes);
    }

    void byteCountsAreClippedTo32Bits_data() {
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<quint32>("figure");
        QTest::newRow("small") << quint64(4096) << quint32(4096);
        QTest::newRow("largest 32-bit") << quint64(0xFFFFFFFFu) << quint32(0xFFFFFFFFu);
        QTest::newRow("just above") << quint64(0x100000000ULL) << quint32(0xFFFFFFFFu);
        QTest::newRow("16 GiB") << quint64(16) * 1024 * 1024 * 1024 << quint32(0xFFFFFFFFu);
    }
    void byteCountsAreClippedTo32Bits() {
        QFETCH(quint64, bytes);
        QFETCH(quint32, figure);
        QCOMPARE(rndgen::clippedByteCount(bytes), figure);
    }

    void dayNumberCountsFrom30December1899_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("number");
        QTest::newRow("day zero") << 1899 << 12 << 30 << 0;
        QTest::newRow("1 January 1900") << 1900 << 1 << 1 << 2;
        QTest::newRow("1 March 1900, no 29 February") << 1900 << 3 << 1 << 61;
        QTest::newRow("1 January 2000") << 2000 << 1 << 1 << 36526;
        QTest::newRow("29 February 2024") << 2024 << 2 << 29 << 45351;
        QTest::newRow("1 January 2025") << 2025 << 1 << 1 << 45658;
        QTest::newRow("before day zero") << 1899 << 12 << 29 << -1;
    }
    void dayNumberCountsFrom30December1899() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, number);
        QCOMPARE(rndgen::dayNumberOf(year, month, day), number);
    }

    void systemReadingsAreInRange() {
        rndgen::SystemRandomPlatform machine;
        const std::uint64_t first = machine.counter();
        machine.yieldProcessor();
        QVERIFY(machine.counter() >= first);

        const rndgen::LocalDayTime now = machine.localDayTime();
        QVERIFY(now.dayNumber > rndgen::dayNumberOf(2020, 1, 1));
        QVERIFY(now.millisecondOfDay >= 0 && now.millisecondOfDay < 86400000);

        // Both platforms report the free physical memory; without an address-space limit (a 64-bit Windows
        // program has none) the free virtual space of a 47-bit user space exceeds 32 bits.
        const rndgen::MemoryFigures memory = machine.memoryFigures();
        QVERIFY(memory.availablePhysical > 0);
#ifdef Q_OS_WIN
        const bool unlimited = true;
#else
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_AS, &limit), 0);
        const bool unlimited = limit.rlim_cur == RLIM_INFINITY;
#endif
        if (unlimited)
            QCOMPARE(memory.availableVirtual, 0xFFFFFFFFu);
    }
};

QTEST_APPLESS_MAIN(TestRandomSourceWithoutApplication)
#include "tst_randomsource_noapp.moc"

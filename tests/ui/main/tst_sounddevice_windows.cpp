#include "ui/main/sounddevice_windows.h"

#include <QFile>
#include <QResource>
#include <QTest>

#include <windows.h>

#include <mmsystem.h>

#include <vector>

// Windows's sound device hands winmm the clip's own bytes, where they lie in the program, with the flags that
// play it from memory, asynchronously, never a default sound instead and never waiting for a busy device; it
// silences what plays on stop and when it goes.
class TestWinmmSoundDevice : public QObject {
    Q_OBJECT

private slots:
    void startsPlayTheClipFromMemory_data();
    void startsPlayTheClipFromMemory();
    void winmmTakesTheCalls();
};

namespace {

struct Call {
    const void *clip;
    unsigned flags;
};

} // namespace

void TestWinmmSoundDevice::startsPlayTheClipFromMemory_data() {
    QTest::addColumn<QString>("clip");
    QTest::addColumn<bool>("played");
    QTest::newRow("right answer") << ":/sounds/SOUND2" << true;
    QTest::newRow("wrong answer") << ":/sounds/SOUND3" << true;
    QTest::newRow("no such clip") << ":/sounds/SOUND4" << false;
}

void TestWinmmSoundDevice::startsPlayTheClipFromMemory() {
    QFETCH(QString, clip);
    QFETCH(bool, played);
    std::vector<Call> calls;
    {
        WinmmSoundDevice device([&](const void *bytes, unsigned flags) { calls.push_back({bytes, flags}); });
        device.prepare({clip});
        QVERIFY(calls.empty());
        device.start(clip);
        device.start(clip);
        device.stop();
        QCOMPARE(calls.size(), std::size_t(played ? 3 : 1));
    }
    // Stopped once more as the device went: the clip's bytes may go with it.
    QCOMPARE(calls.size(), std::size_t(played ? 4 : 2));
    QCOMPARE(calls.back().clip, nullptr);
    if (!played)
        return;
    QCOMPARE(WinmmSoundDevice::startFlags, unsigned(SND_MEMORY | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT));
    const QResource resource(clip);
    for (int i = 0; i < 2; ++i) {
        // The clip where it lies in the program, a whole WAVE file: no copy to outlive, nothing cut off.
        QCOMPARE(calls[i].clip, static_cast<const void *>(resource.data()));
        QCOMPARE(calls[i].flags, WinmmSoundDevice::startFlags);
    }
    QVERIFY(QByteArray::fromRawData(static_cast<const char *>(calls[0].clip), 12).startsWith("RIFF"));
    QCOMPARE(calls[2].clip, nullptr);
}

void TestWinmmSoundDevice::winmmTakesTheCalls() {
    // The real PlaySound, on a machine that may have no sound device at all: it must come back at once, and a
    // clip that cannot be played says nothing.
    WinmmSoundDevice device;
    device.prepare({QStringLiteral(":/sounds/SOUND2"), QStringLiteral(":/sounds/SOUND3")});
    device.start(QStringLiteral(":/sounds/SOUND3"));
    device.start(QStringLiteral(":/sounds/SOUND2"));
    device.stop();
}

QTEST_APPLESS_MAIN(TestWinmmSoundDevice)
#include "tst_sounddevice_windows.moc"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

// The committed sound clips must be exactly what the committed generator makes, be the 8-bit mono 22050 Hz
// PCM WAVE files the program announces, start and end in silence without clicks, and move in pitch the way
// each answer needs: up after a right answer, down after a wrong one.
class TestSounds : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void builtInClipsAreTheGeneratorsOutput_data();
    void builtInClipsAreTheGeneratorsOutput();
    void clipsAreEightBitMonoPcmOfTheirSize_data();
    void clipsAreEightBitMonoPcmOfTheirSize();
    void clipsFadeFromAndToSilenceWithoutClicks_data();
    void clipsFadeFromAndToSilenceWithoutClicks();
    void pitchMovesUpForRightAndDownForWrong_data();
    void pitchMovesUpForRightAndDownForWrong();

private:
    QTemporaryDir m_generated;
};

namespace {

constexpr int headerSize = 44;
constexpr int rate = 22050;

QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray committed(const QString &name) {
    return readAll(QStringLiteral(LOGICUS_SOUNDS_DIR "/%1.wav").arg(name));
}

quint32 le(const QByteArray &data, int at, int bytes) {
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | uchar(data[at + i]);
    return value;
}

int level(const QByteArray &wave, int sample) {
    return int(uchar(wave[headerSize + sample])) - 128;
}

int sampleCount(const QByteArray &wave) {
    return int(wave.size()) - headerSize;
}

// The pitch of a stretch of the clip as half its rate of sign changes, in Hz: with overtones weaker than the
// fundamental, as in these clips, that is the fundamental of the note or chord's top voice.
double pitchAt(const QByteArray &wave, int fromMs, int toMs) {
    const int from = rate * fromMs / 1000, to = rate * toMs / 1000;
    int changes = 0, previous = 0;
    for (int i = from; i < to; ++i) {
        const int v = level(wave, i);
        if (v == 0)
            continue;
        const int sign = v > 0 ? 1 : -1;
        changes += previous != 0 && sign != previous;
        previous = sign;
    }
    return changes / 2.0 / ((to - from) / double(rate));
}

void addClipRows() {
    QTest::addColumn<QString>("name");
    QTest::newRow("SOUND1 (neutral, never played)") << "SOUND1";
    QTest::newRow("SOUND2 (right answer)") << "SOUND2";
    QTest::newRow("SOUND3 (wrong answer)") << "SOUND3";
}

} // namespace

void TestSounds::initTestCase() {
    QVERIFY(m_generated.isValid());
    QProcess generator;
    generator.start(QStringLiteral(LOGICUS_GEN_SOUNDS), {m_generated.path()});
    QVERIFY2(generator.waitForFinished(60000), "gen_sounds did not finish");
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QVERIFY2(generator.exitCode() == 0, generator.readAllStandardError().constData());
}

void TestSounds::builtInClipsAreTheGeneratorsOutput_data() {
    addClipRows();
}

// The committed clip is what the generator writes, and the program carries exactly that clip.
void TestSounds::builtInClipsAreTheGeneratorsOutput() {
    QFETCH(QString, name);
    const QByteArray generated = readAll(m_generated.filePath(name + QStringLiteral(".wav")));
    const QByteArray stored = committed(name);
    QVERIFY(!generated.isEmpty());
    QCOMPARE(generated.size(), stored.size());
    QVERIFY2(generated == stored, "the committed clip differs; regenerate with gen_sounds resources/sounds");
    QVERIFY(readAll(QStringLiteral(":/sounds/") + name) == stored);
}

void TestSounds::clipsAreEightBitMonoPcmOfTheirSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bytes");
    QTest::newRow("SOUND1") << "SOUND1" << 5556;
    QTest::newRow("SOUND2: 28828 bytes, about 1.3 s") << "SOUND2" << 28828;
    QTest::newRow("SOUND3: 31036 bytes, about 1.4 s") << "SOUND3" << 31036;
}

void TestSounds::clipsAreEightBitMonoPcmOfTheirSize() {
    QFETCH(QString, name);
    QFETCH(int, bytes);
    const QByteArray wave = committed(name);
    QCOMPARE(int(wave.size()), bytes);
    QCOMPARE(wave.left(4), QByteArray("RIFF"));
    QCOMPARE(le(wave, 4, 4), quint32(bytes - 8));
    QCOMPARE(wave.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(le(wave, 16, 4), 16u);    // plain PCM format chunk
    QCOMPARE(le(wave, 20, 2), 1u);     // PCM
    QCOMPARE(le(wave, 22, 2), 1u);     // mono
    QCOMPARE(le(wave, 24, 4), 22050u); // samples per second
    QCOMPARE(le(wave, 28, 4), 22050u); // bytes per second
    QCOMPARE(le(wave, 32, 2), 1u);     // bytes per sample frame
    QCOMPARE(le(wave, 34, 2), 8u);     // bits per sample
    QCOMPARE(wave.mid(36, 4), QByteArray("data"));
    QCOMPARE(le(wave, 40, 4), quint32(bytes - headerSize));
}

void TestSounds::clipsFadeFromAndToSilenceWithoutClicks_data() {
    addClipRows();
}

void TestSounds::clipsFadeFromAndToSilenceWithoutClicks() {
    QFETCH(QString, name);
    const QByteArray wave = committed(name);
    const int n = sampleCount(wave);
    QVERIFY(n > rate / 10);
    // The first and last millisecond are at or next to silence: a clip that starts or stops mid-wave clicks.
    for (int i = 0; i < rate / 1000; ++i) {
        QVERIFY2(std::abs(level(wave, i)) <= 2, qPrintable(QStringLiteral("sample %1").arg(i)));
        QVERIFY2(std::abs(level(wave, n - 1 - i)) <= 2,
                 qPrintable(QStringLiteral("sample %1").arg(n - 1 - i)));
    }
    // Nowhere a step larger than the steepest slope of the clip's highest overtone at full level; a note that
    // started without its attack would jump by most of the range at once.
    int peak = 0, largestStep = 0, at = 0;
    for (int i = 0; i < n; ++i) {
        peak = std::max(peak, std::abs(level(wave, i)));
        if (i > 0 && std::abs(level(wave, i) - level(wave, i - 1)) > largestStep) {
            largestStep = std::abs(level(wave, i) - level(wave, i - 1));
            at = i;
        }
    }
    QVERIFY2(largestStep <= 48,
             qPrintable(QStringLiteral("a step of %1 at sample %2").arg(largestStep).arg(at)));
    // And it is heard: loud enough over 8 bits, yet with headroom.
    QVERIFY2(peak >= 60 && peak <= 110, qPrintable(QString::number(peak)));
}

void TestSounds::pitchMovesUpForRightAndDownForWrong_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("lowestHz");
    QTest::addColumn<int>("highestHz");
    QTest::addColumn<bool>("rising");
    // Compared: the first 80 ms against 240–320 ms (the chime's fourth note) or 500–580 ms (the low note).
    QTest::newRow("SOUND2: bright and rising") << "SOUND2" << 900 << 2400 << true;
    QTest::newRow("SOUND3: low and falling") << "SOUND3" << 200 << 400 << false;
}

void TestSounds::pitchMovesUpForRightAndDownForWrong() {
    QFETCH(QString, name);
    QFETCH(int, lowestHz);
    QFETCH(int, highestHz);
    QFETCH(bool, rising);
    const QByteArray wave = committed(name);
    const double early = pitchAt(wave, 0, 80);
    const double late = rising ? pitchAt(wave, 240, 320) : pitchAt(wave, 500, 580);
    const QString figures = QStringLiteral("%1 Hz, then %2 Hz").arg(early).arg(late);
    QVERIFY2(early >= lowestHz && early <= highestHz && late >= lowestHz && late <= highestHz,
             qPrintable(figures));
    QVERIFY2(rising ? late > early * 1.2 : late < early * 0.9, qPrintable(figures));
}

QTEST_GUILESS_MAIN(TestSounds)
#include "tst_sounds.moc"

// The smallest program that does what Логикус needs from Qt at start-up and at rest: a main window with a
// 792 × 553 client, one sound effect loaded through Qt Multimedia and a 1 ms timer. tools/perf/startup.sh
// compares the two programs' start-up, memory and idle use; with LOGICUS_TRACE_FIRST_PAINT set this program
// reports its first paint the same way.

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QtEndian>

#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

// A tenth of a second of a 440 Hz tone, 8-bit mono PCM at 22050 samples per second, like the program's clips.
QByteArray toneWave() {
    constexpr quint32 rate = 22050;
    constexpr quint32 samples = rate / 10;
    QByteArray data(samples, Qt::Uninitialized);
    for (quint32 i = 0; i < samples; ++i)
        data[i] = char(128 + 100 * std::sin(2 * M_PI * 440 * i / rate));

    QByteArray wave;
    auto put32 = [&wave](quint32 v) {
        v = qToLittleEndian(v);
        wave.append(reinterpret_cast<const char *>(&v), 4);
    };
    auto put16 = [&wave](quint16 v) {
        v = qToLittleEndian(v);
        wave.append(reinterpret_cast<const char *>(&v), 2);
    };
    wave.append("RIFF");
    put32(36 + samples);
    wave.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(rate);
    put32(rate); // bytes per second
    put16(1);    // block align
    put16(8);    // bits per sample
    wave.append("data");
    put32(samples);
    wave.append(data);
    return wave;
}

class FirstPaintTrace : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::fprintf(stderr, "first-paint %lld\n", now.tv_sec * 1000000000LL + now.tv_nsec);
            std::fflush(stderr);
            watched->removeEventFilter(this);
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    QFile file(path);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(toneWave()) < 0)
        return 1;
    file.close();
    QSoundEffect effect;
    effect.setSource(QUrl::fromLocalFile(path));

    // The random source's feed: a 1 ms timer whose tick does a few byte operations.
    unsigned char pool = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&pool] { pool = static_cast<unsigned char>(pool * 31 + 7); });
    tick.start(1);

    QMainWindow window;
    auto *client = new QWidget(&window);
    client->setFixedSize(792, 553);
    window.setCentralWidget(client);
    window.setWindowTitle(QStringLiteral("bare_window"));
    // A window that shows one line of text pays for the font system's start, as every real program does;
    // BARE_WITH_TEXT=1 measures against that instead of an empty window.
    if (qEnvironmentVariableIsSet("BARE_WITH_TEXT"))
        (new QLabel(QStringLiteral("Логикус"), client))->move(10, 10);

    FirstPaintTrace trace;
    if (qEnvironmentVariableIsSet("LOGICUS_TRACE_FIRST_PAINT"))
        window.installEventFilter(&trace);
    window.show();
    return QApplication::exec();
}

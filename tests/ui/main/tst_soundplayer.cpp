#include "ui/main/sounddevice.h"
#include "ui/main/soundmessagefilter.h"
#include "ui/main/soundplayer.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QWidget>

#include <memory>

// The player as the program uses it, on a machine without a sound server (PULSE_SERVER names a socket that
// does not exist): it finds the built-in clips by name in any case, loads them only after the window's first
// paint, never lets the pupil's thread wait for the sound device, drops starts that come too late, and the
// back end's complaints are recognised and dropped.
class TestSoundPlayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void backendComplaintsWithoutServerAreRecognised();
    void filterDropsOnlyTheBackendsComplaints_data();
    void filterDropsOnlyTheBackendsComplaints();
    void clipsAreFoundWithoutRegardToCase_data();
    void clipsAreFoundWithoutRegardToCase();
    void loadsOnlyAfterTheWindowsFirstPaint();
    void startsNeverWaitForTheDevice_data();
    void startsNeverWaitForTheDevice();

private:
    QList<QString> m_backendMessages;
    QList<QThread *> m_backendThreads;
};

namespace {

QMutex capturing;
QList<QString> *captured = nullptr;
QList<QThread *> *capturedThreads = nullptr;

void capture(QtMsgType, const QMessageLogContext &, const QString &message) {
    QMutexLocker lock(&capturing);
    if (captured)
        captured->append(message);
    if (capturedThreads)
        capturedThreads->append(QThread::currentThread());
}

// Records whether the sounds were loaded while it painted.
class PaintProbe : public QWidget {
public:
    explicit PaintProbe(const TSoundPlayer &player)
        : m_player(player) {}
    QList<bool> loadedAtPaint;

protected:
    void paintEvent(QPaintEvent *) override {
        loadedAtPaint.append(m_player.isLoaded());
        QPainter(this).fillRect(rect(), Qt::white);
    }

private:
    const TSoundPlayer &m_player;
};

// A device whose first `hangs` starts each take `hangMs`, as a sound server that stopped answering does.
class SlowDevice : public SoundDevice {
public:
    SlowDevice(int hangs, int hangMs, QStringList *log)
        : m_hangs(hangs)
        , m_hangMs(hangMs)
        , m_log(log) {}
    void prepare(const QStringList &) override {}
    void start(const QString &clipPath) override {
        if (m_hangs-- > 0)
            QThread::msleep(m_hangMs);
        record(QStringLiteral("start ") + clipPath.section(QLatin1Char('/'), -1));
    }
    void stop() override { record(QStringLiteral("stop")); }

private:
    void record(const QString &what) {
        QMutexLocker lock(&capturing);
        m_log->append(what);
    }
    int m_hangs;
    int m_hangMs;
    QStringList *m_log;
};

} // namespace

void TestSoundPlayer::initTestCase() {
    QVERIFY2(qgetenv("PULSE_SERVER").startsWith("unix:/nonexistent"), "the test runs without a sound server");
    // What Qt's back end says when it finds no server, and on which thread, taken before the filter is
    // installed.
    captured = &m_backendMessages;
    capturedThreads = &m_backendThreads;
    qInstallMessageHandler(capture);
    {
        TSoundPlayer player;
        QSignalSpy started(&player, &TSoundPlayer::clipStarted);
        player.play(QStringLiteral("Sound2"));
        QTRY_COMPARE(started.count(), 1);
        QTest::qWait(100);
    }
    qInstallMessageHandler(nullptr);
    captured = nullptr;
    capturedThreads = nullptr;
    // The other tests' players complain too; the program's filter keeps the test's output readable.
    installSoundMessageFilter();
}

void TestSoundPlayer::backendComplaintsWithoutServerAreRecognised() {
    // If Qt stops complaining, this test has nothing to show; if it words its complaints differently, the
    // filter must learn the new words.
    QVERIFY(!m_backendMessages.isEmpty());
    for (const QString &message : std::as_const(m_backendMessages))
        QVERIFY2(isSoundBackendMessage(QtWarningMsg, QMessageLogContext(), message), qPrintable(message));
    // Only the sound thread and the back end's own threads ever called into the back end.
    for (QThread *thread : std::as_const(m_backendThreads))
        QVERIFY(thread != QCoreApplication::instance()->thread());
}

void TestSoundPlayer::filterDropsOnlyTheBackendsComplaints_data() {
    QTest::addColumn<QByteArray>("category");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("passed");
    // The quoted ones are word for word what Qt 6.4 printed with a server that was stopped, killed or gone.
    const QList<std::pair<const char *, const char *>> dropped{
        {"no server", "PulseAudioService: pa_context_connect() failed"},
        {"server gone", "PulseAudioService: Context terminated."},
        {"no device", "No audio device detected"},
        {"no stream", "QAudioSink: pa_stream_new_with_proplist() failed!"},
        {"server killed", "\"Stream error: Connection terminated\""},
        {"server stopped", "\"Stream error: Timeout\""},
        {"server stopped at connecting", "\"PulseAudioService: Connection failure: Timeout\""},
        {"no server at connecting", "\"PulseAudioService: Connection failure: Connection refused\""},
    };
    for (const auto &[row, message] : dropped)
        QTest::newRow(row) << QByteArray("default") << QString::fromUtf8(message) << false;
    QTest::newRow("back end's category")
        << QByteArray("qt.multimedia.pulseaudio.output") << "Stream error: x" << false;
    QTest::newRow("broken clip still reported")
        << QByteArray("default") << "QSoundEffect(qaudio): Error decoding source qrc:/sounds/SOUND2" << true;
    QTest::newRow("other warning") << QByteArray("default") << "QWidget::setLayout: already has a layout"
                                   << true;
    QTest::newRow("other quoted warning") << QByteArray("default") << "\"QWidget: Stream error: x\"" << true;
    QTest::newRow("a lone quote") << QByteArray("default") << "\"" << true;
    QTest::newRow("server named later in the text")
        << QByteArray("default") << "Lost PulseAudioService: pa_context_connect() failed" << true;
    QTest::newRow("other category") << QByteArray("qt.qpa.xcb") << "No audio device detected?" << true;
}

void TestSoundPlayer::filterDropsOnlyTheBackendsComplaints() {
    QFETCH(QByteArray, category);
    QFETCH(QString, message);
    QFETCH(bool, passed);
    QList<QString> got;
    captured = &got;
    qInstallMessageHandler(capture);
    installSoundMessageFilter();
    installSoundMessageFilter(); // a second installation must not make the filter its own successor
    QMessageLogger(nullptr, 0, nullptr, category.constData()).warning().noquote() << message;
    qInstallMessageHandler(nullptr);
    installSoundMessageFilter();
    captured = nullptr;
    QCOMPARE(got, passed ? QList<QString>{message} : QList<QString>{});
}

void TestSoundPlayer::clipsAreFoundWithoutRegardToCase_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("clip");
    const QList<std::pair<const char *, const char *>> rows{
        {"Sound2", "SOUND2"}, {"sound3", "SOUND3"}, {"SOUND3", "SOUND3"}, {"sOuNd2", "SOUND2"},
        {"Sound1", "SOUND1"}, {"Sound4", ""},       {"Sound", ""},        {"", ""}};
    for (const auto &[name, clip] : rows)
        QTest::newRow(*name ? name : "empty") << QString::fromUtf8(name) << QString::fromUtf8(clip);
}

void TestSoundPlayer::clipsAreFoundWithoutRegardToCase() {
    QFETCH(QString, name);
    QFETCH(QString, clip);
    TSoundPlayer player;
    QCOMPARE(player.clipNames(), (QStringList{"SOUND1", "SOUND2", "SOUND3"}));
    QCOMPARE(player.clipPath(name), clip.isEmpty() ? QString() : QStringLiteral(":/sounds/") + clip);
}

void TestSoundPlayer::loadsOnlyAfterTheWindowsFirstPaint() {
    TSoundPlayer player;
    PaintProbe window(player);
    window.resize(200, 100);
    player.loadAfterFirstPaint(&window);
    QCoreApplication::processEvents();
    QVERIFY(!player.isLoaded());
    window.show();
    QTRY_VERIFY(player.isLoaded());
    QVERIFY(!window.loadedAtPaint.isEmpty());
    QCOMPARE(window.loadedAtPaint.first(), false);
}

void TestSoundPlayer::startsNeverWaitForTheDevice_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("hangs");
    QTest::addColumn<QStringList>("device");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<QStringList>("dropped");
    QTest::newRow("right, wrong") << QStringList{"Sound2", "sound3"} << 0
                                  << QStringList{"start SOUND2", "start SOUND3"}
                                  << QStringList{"SOUND2", "SOUND3"} << QStringList{};
    QTest::newRow("unknown name") << QStringList{"Sound4"} << 0 << QStringList{} << QStringList{}
                                  << QStringList{};
    // The first start hangs in the device past the limit: it is silenced when the device lets go, and the
    // starts asked for meanwhile are never handed to it.
    QTest::newRow("device hangs at the first start")
        << QStringList{"Sound2", "Sound3", "Sound2"} << 1 << QStringList{"start SOUND2", "stop"}
        << QStringList{} << QStringList{"SOUND2", "SOUND3", "SOUND2"};
}

void TestSoundPlayer::startsNeverWaitForTheDevice() {
    QFETCH(QStringList, names);
    QFETCH(int, hangs);
    QFETCH(QStringList, device);
    QFETCH(QStringList, started);
    QFETCH(QStringList, dropped);
    QStringList log;
    TSoundPlayer player(QStringLiteral(":/sounds"), nullptr, [&] {
        return std::make_unique<SlowDevice>(hangs, TSoundPlayer::startLimitMs + 300, &log);
    });
    QSignalSpy startedSpy(&player, &TSoundPlayer::clipStarted);
    QSignalSpy droppedSpy(&player, &TSoundPlayer::clipDropped);
    const auto clips = [](const QSignalSpy &spy) {
        QStringList list;
        for (const QList<QVariant> &call : spy)
            list.append(call.at(0).toString());
        return list;
    };
    for (const QString &name : names) {
        QElapsedTimer asked;
        asked.start();
        player.play(name);
        QVERIFY2(asked.elapsed() < 50, "play() waited for the device");
        QTest::qWait(20);
    }
    QTRY_COMPARE(clips(startedSpy) + clips(droppedSpy), started + dropped);
    QCOMPARE(clips(startedSpy), started);
    {
        QMutexLocker lock(&capturing);
        QCOMPARE(log, device);
    }
    // A device that answers again is heard again.
    if (hangs) {
        player.play(QStringLiteral("Sound3"));
        QTRY_COMPARE(clips(startedSpy), QStringList{"SOUND3"});
    }
}

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"

#include "ui/main/soundmessagefilter.h"
#include "ui/main/soundplayer.h"

#include <QPainter>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QTest>
#include <QWidget>

#include <memory>

// The player as the program uses it, on a machine without a sound server (PULSE_SERVER names a socket that
// does not exist): it finds the built-in clips by name in any case, loads them only after the window's first
// paint, queues every start instead of calling the back end, and the back end's complaints are recognised and
// dropped.
class TestSoundPlayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void backendComplaintsWithoutServerAreRecognised();
    void filterDropsOnlyTheBackendsComplaints_data();
    void filterDropsOnlyTheBackendsComplaints();
    void clipsAreFoundWithoutRegardToCase_data();
    void clipsAreFoundWithoutRegardToCase();
    void loadsEveryBuiltInClipOnceAndQtDecodesIt();
    void loadsOnlyAfterTheWindowsFirstPaint();
    void playQueuesTheStartOfTheNamedClipOnly_data();
    void playQueuesTheStartOfTheNamedClipOnly();

private:
    QList<QString> m_backendMessages;
};

namespace {

QList<QString> *captured = nullptr;

void capture(QtMsgType, const QMessageLogContext &, const QString &message) {
    if (captured)
        captured->append(message);
}

// Catches the starts of one clip.
struct StartSpy {
    explicit StartSpy(QSoundEffect *effect)
        : spy(effect, &QSoundEffect::playingChanged) {}
    QSignalSpy spy;
};

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

} // namespace

void TestSoundPlayer::initTestCase() {
    QVERIFY2(qgetenv("PULSE_SERVER").startsWith("unix:/nonexistent"), "the test runs without a sound server");
    // What Qt's back end says when it finds no server, taken before the filter is installed.
    captured = &m_backendMessages;
    qInstallMessageHandler(capture);
    {
        TSoundPlayer player;
        player.load();
        StartSpy right(player.clip(QStringLiteral("SOUND2")));
        player.play(QStringLiteral("Sound2"));
        QTRY_VERIFY(right.spy.count() > 0);
        QTest::qWait(100);
    }
    qInstallMessageHandler(nullptr);
    captured = nullptr;
    // The other tests' players complain too; the program's filter keeps the test's output readable.
    installSoundMessageFilter();
}

void TestSoundPlayer::backendComplaintsWithoutServerAreRecognised() {
    // If Qt stops complaining, this test has nothing to show; if it words its complaints differently, the
    // filter must learn the new words.
    QVERIFY(!m_backendMessages.isEmpty());
    for (const QString &message : std::as_const(m_backendMessages))
        QVERIFY2(isSoundBackendMessage(QtWarningMsg, QMessageLogContext(), message), qPrintable(message));
}

void TestSoundPlayer::filterDropsOnlyTheBackendsComplaints_data() {
    QTest::addColumn<QByteArray>("category");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("passed");
    QTest::newRow("no server") << QByteArray("default") << "PulseAudioService: pa_context_connect() failed"
                               << false;
    QTest::newRow("server gone") << QByteArray("default") << "PulseAudioService: Context terminated."
                                 << false;
    QTest::newRow("no device") << QByteArray("default") << "No audio device detected" << false;
    QTest::newRow("no stream") << QByteArray("default") << "QAudioSink: pa_stream_new_with_proplist() failed!"
                               << false;
    QTest::newRow("back end's category")
        << QByteArray("qt.multimedia.pulseaudio.output") << "Stream error: x" << false;
    QTest::newRow("broken clip still reported")
        << QByteArray("default") << "QSoundEffect(qaudio): Error decoding source qrc:/sounds/SOUND2" << true;
    QTest::newRow("other warning") << QByteArray("default") << "QWidget::setLayout: already has a layout"
                                   << true;
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
    QTest::newRow("Sound2") << "Sound2"
                            << "SOUND2";
    QTest::newRow("sound3") << "sound3"
                            << "SOUND3";
    QTest::newRow("SOUND3") << "SOUND3"
                            << "SOUND3";
    QTest::newRow("sOuNd2") << "sOuNd2"
                            << "SOUND2";
    QTest::newRow("Sound1 (stored)") << "Sound1"
                                     << "SOUND1";
    QTest::newRow("Sound4") << "Sound4"
                            << "";
    QTest::newRow("Sound") << "Sound"
                           << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestSoundPlayer::clipsAreFoundWithoutRegardToCase() {
    QFETCH(QString, name);
    QFETCH(QString, clip);
    TSoundPlayer player;
    player.load();
    QSoundEffect *effect = player.clip(name);
    if (clip.isEmpty()) {
        QVERIFY(!effect);
        return;
    }
    QVERIFY(effect);
    QCOMPARE(effect->source(), QUrl(QStringLiteral("qrc:/sounds/") + clip));
}

void TestSoundPlayer::loadsEveryBuiltInClipOnceAndQtDecodesIt() {
    TSoundPlayer player;
    QVERIFY(!player.isLoaded());
    QVERIFY(player.clipNames().isEmpty());
    player.load();
    QCOMPARE(player.clipNames(), (QStringList{"SOUND1", "SOUND2", "SOUND3"}));
    QSoundEffect *right = player.clip(QStringLiteral("Sound2"));
    player.load();
    QCOMPARE(player.clip(QStringLiteral("Sound2")), right);
    QCOMPARE(player.findChildren<QSoundEffect *>().size(), 3);
    // Ready means Qt's own reader took the clip; a malformed header would end in Error.
    for (const QString &name : player.clipNames())
        QTRY_COMPARE(player.clip(name)->status(), QSoundEffect::Ready);
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
    // Later paints do not load again.
    window.update();
    QTRY_VERIFY(window.loadedAtPaint.size() >= 2);
    QCOMPARE(player.findChildren<QSoundEffect *>().size(), 3);
}

void TestSoundPlayer::playQueuesTheStartOfTheNamedClipOnly_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("rightStarts");
    QTest::addColumn<int>("wrongStarts");
    QTest::addColumn<bool>("loadedFirst");
    QTest::newRow("right") << QStringList{"Sound2"} << 1 << 0 << true;
    QTest::newRow("wrong") << QStringList{"Sound3"} << 0 << 1 << true;
    QTest::newRow("right twice, the second while the first plays")
        << QStringList{"Sound2", "sound2"} << 2 << 0 << true;
    QTest::newRow("unknown name") << QStringList{"Sound4"} << 0 << 0 << true;
    QTest::newRow("wrong, before the player was loaded") << QStringList{"Sound3"} << 0 << 1 << false;
}

void TestSoundPlayer::playQueuesTheStartOfTheNamedClipOnly() {
    QFETCH(QStringList, names);
    QFETCH(int, rightStarts);
    QFETCH(int, wrongStarts);
    QFETCH(bool, loadedFirst);
    TSoundPlayer player;
    if (loadedFirst)
        player.load();
    int starts[2] = {0, 0};
    // Counting ends with this test, before the player's clips report stopping as they are destroyed.
    QObject counting;
    const auto count = [&] {
        QSoundEffect *right = player.clip(QStringLiteral("SOUND2"));
        QSoundEffect *wrong = player.clip(QStringLiteral("SOUND3"));
        connect(right, &QSoundEffect::playingChanged, &counting,
                [&, right] { starts[0] += right->isPlaying(); });
        connect(wrong, &QSoundEffect::playingChanged, &counting,
                [&, wrong] { starts[1] += wrong->isPlaying(); });
    };
    if (loadedFirst)
        count();
    for (const QString &name : names)
        player.play(name);
    // A player asked before it was loaded loads at once, so that the start still comes.
    QVERIFY(player.isLoaded());
    if (!loadedFirst)
        count();
    // Nothing reached the back end inside play(): the answer command goes on at once.
    QCOMPARE(starts[0] + starts[1], 0);
    QTRY_COMPARE(starts[0], rightStarts);
    QTRY_COMPARE(starts[1], wrongStarts);
    QTest::qWait(50);
    QCOMPARE(starts[0], rightStarts);
    QCOMPARE(starts[1], wrongStarts);
}

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"

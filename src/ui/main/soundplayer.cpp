#include "ui/main/soundplayer.h"

#include "ui/main/sounddevice.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEvent>
#include <QThread>
#include <QWidget>

// The player's half on the sound thread: it makes the device there, so that everything the device builds
// belongs to that thread, and checks each start's deadline before and after the device takes it.
class SoundWorker : public QObject {
    Q_OBJECT
public:
    explicit SoundWorker(TSoundPlayer::DeviceFactory makeDevice)
        : m_makeDevice(std::move(makeDevice)) {}

    void prepare(const QStringList &clipPaths) { device().prepare(clipPaths); }

    void start(const QString &clip, const QString &path, QDeadlineTimer deadline) {
        if (deadline.hasExpired()) {
            emit dropped(clip);
            return;
        }
        device().start(path);
        // The device itself may have waited past the deadline (a server that stopped answering and then went
        // on): a clip that starts that late no longer belongs to the answer.
        if (deadline.hasExpired()) {
            device().stop();
            emit dropped(clip);
            return;
        }
        emit started(clip);
    }

signals:
    void started(const QString &clip);
    void dropped(const QString &clip);

private:
    SoundDevice &device() {
        if (!m_device)
            m_device = m_makeDevice ? m_makeDevice() : SoundDevice::create();
        return *m_device;
    }

    TSoundPlayer::DeviceFactory m_makeDevice;
    std::unique_ptr<SoundDevice> m_device;
};

TSoundPlayer::TSoundPlayer(const QString &folder, QObject *parent, DeviceFactory makeDevice)
    : QObject(parent)
    , m_thread(new QThread)
    , m_worker(new SoundWorker(std::move(makeDevice))) {
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name))
        m_clips.insert(name.toUpper(), folder + QLatin1Char('/') + name);
    m_thread->setObjectName(QStringLiteral("sound"));
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &SoundWorker::started, this, &TSoundPlayer::clipStarted);
    connect(m_worker, &SoundWorker::dropped, this, &TSoundPlayer::clipDropped);
    m_thread->start();
}

TSoundPlayer::~TSoundPlayer() {
    if (!shutDown(1000)) {
        // Deleting a running thread would abort the program; the process's exit ends it instead.
        m_thread = nullptr;
        return;
    }
    delete m_thread;
}

bool TSoundPlayer::shutDown(int msecs) {
    if (!m_thread)
        return false;
    m_thread->quit();
    return m_thread->wait(QDeadlineTimer(msecs));
}

void TSoundPlayer::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    QMetaObject::invokeMethod(m_worker,
                              [worker = m_worker, paths = m_clips.values()] { worker->prepare(paths); });
}

void TSoundPlayer::loadAfterFirstPaint(QWidget *window) {
    window->installEventFilter(this);
}

bool TSoundPlayer::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Queued, so that the paint in progress reaches the screen first.
        QMetaObject::invokeMethod(this, &TSoundPlayer::load, Qt::QueuedConnection);
    }
    return false;
}

void TSoundPlayer::play(const QString &name) {
    const QString clip = name.toUpper();
    const QString path = m_clips.value(clip);
    if (path.isEmpty())
        return;
    load();
    const QDeadlineTimer deadline(startLimitMs);
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, clip, path, deadline] { worker->start(clip, path, deadline); });
}

#include "soundplayer.moc"

#include "ui/main/soundplayer.h"

#include <QDir>
#include <QEvent>
#include <QSoundEffect>
#include <QUrl>
#include <QWidget>

TSoundPlayer::TSoundPlayer(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder) {}

TSoundPlayer::~TSoundPlayer() = default;

void TSoundPlayer::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    const QString prefix = m_folder.startsWith(QLatin1Char(':')) ? QStringLiteral("qrc") : QString();
    for (const QString &name : QDir(m_folder).entryList(QDir::Files, QDir::Name)) {
        auto *effect = new QSoundEffect(this);
        const QString path = m_folder + QLatin1Char('/') + name;
        effect->setSource(prefix.isEmpty() ? QUrl::fromLocalFile(path) : QUrl(prefix + path));
        m_clips.insert(name.toUpper(), effect);
    }
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

QSoundEffect *TSoundPlayer::clip(const QString &name) const {
    return m_clips.value(name.toUpper(), nullptr);
}

void TSoundPlayer::play(const QString &name) {
    load();
    QSoundEffect *effect = clip(name);
    if (!effect)
        return;
    // The start waits for the event loop, so the answer command goes on at once whatever the device does. A
    // clip still playing is stopped first: starting a playing effect again does not restart it on every back
    // end.
    QMetaObject::invokeMethod(
        effect,
        [effect] {
            if (effect->isPlaying())
                effect->stop();
            effect->play();
        },
        Qt::QueuedConnection);
}

#include "ui/main/sounddevice.h"

#include <QSoundEffect>
#include <QUrl>

#include <map>

namespace {

QUrl clipUrl(const QString &clipPath) {
    return clipPath.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + clipPath)
                                                 : QUrl::fromLocalFile(clipPath);
}

// Qt Multimedia's sound effects. Every start gets an effect of its own: an effect binds to the output that
// was the default when its clip was loaded, and one made before a sound server went away keeps talking to the
// server that is gone. The clips decoded once stay in Qt's sample cache, so a new effect is ready at once.
class QtSoundDevice : public SoundDevice {
public:
    void prepare(const QStringList &clipPaths) override {
        // Held, never played: they keep the decoded clips in the cache and make the back end find the sound
        // server while the start-up screen is up, not at the first answer.
        for (const QString &path : clipPaths) {
            auto &effect = m_prepared[path];
            if (!effect) {
                effect = std::make_unique<QSoundEffect>();
                effect->setSource(clipUrl(path));
            }
        }
    }

    void start(const QString &clipPath) override {
        m_playing.reset();
        auto effect = std::make_unique<QSoundEffect>();
        effect->setSource(clipUrl(clipPath));
        effect->play();
        m_playing = std::move(effect);
    }

    void stop() override { m_playing.reset(); }

private:
    std::map<QString, std::unique_ptr<QSoundEffect>> m_prepared;
    std::unique_ptr<QSoundEffect> m_playing;
};

} // namespace

std::unique_ptr<SoundDevice> SoundDevice::create() {
    return std::make_unique<QtSoundDevice>();
}

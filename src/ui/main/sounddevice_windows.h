#pragma once

#include "ui/main/sounddevice.h"

#include <QByteArray>

#include <functional>
#include <map>

// The sound device on Windows: winmm's PlaySound on the clip's bytes in memory, asynchronous, with no default
// sound in place of a clip it cannot play and no wait when the device is busy. The clips are read once from
// the program's resources and kept for the device's life, since PlaySound reads them while they play.
class WinmmSoundDevice : public SoundDevice {
public:
    // The one call into winmm: PlaySound with a clip's bytes and flags, or with none to silence what plays.
    using PlayCall = std::function<void(const void *clip, unsigned flags)>;
    // SND_MEMORY | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT.
    static const unsigned startFlags;

    // Without a call given, winmm's own PlaySound.
    explicit WinmmSoundDevice(PlayCall play = {});
    // Silences whatever plays: nothing may go on reading clips that are about to go.
    ~WinmmSoundDevice() override;

    void prepare(const QStringList &clipPaths) override;
    void start(const QString &clipPath) override;
    void stop() override;

private:
    const QByteArray &clip(const QString &clipPath);

    PlayCall m_play;
    std::map<QString, QByteArray> m_clips;
};

#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// What puts a built-in clip on this platform's sound output. TSoundPlayer owns one and calls it only from its
// own sound thread, never from the pupil's: any of these calls may wait for as long as the platform's sound
// service takes (a server that hangs, restarts or is not there at all). A clip that cannot be played is
// skipped without a word; no call reports failure.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;

    // Gets the clips (resource paths such as ":/sounds/SOUND2") ready for their first start, so that the
    // first answer is heard without delay.
    virtual void prepare(const QStringList &clipPaths) = 0;
    // Starts one of the clips, cutting off any clip still playing.
    virtual void start(const QString &clipPath) = 0;
    // Silences whatever plays.
    virtual void stop() = 0;

    // This platform's device; each platform has its own file that defines it.
    static std::unique_ptr<SoundDevice> create();
};

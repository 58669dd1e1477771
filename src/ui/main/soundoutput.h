#pragma once

#include <QString>

// Where the main window sends its sounds: the clips built into the program, asked for by name ("Sound2",
// "Sound3"; names match without regard to case). The program's implementation plays them through the sound
// device; tests record them. play() starts the clip and returns at once, never waits for a busy device, and
// says nothing when the clip cannot be played.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const QString &name) = 0;
};

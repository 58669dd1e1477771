#pragma once

#include "ui/main/soundoutput.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

class QSoundEffect;
class QWidget;

// The program's SoundOutput: plays the clips built in under :/sounds (SOUND1, SOUND2, SOUND3) through Qt
// Multimedia. main() creates it, has it load once the main window has first painted (so that start-up shows
// the window no later for the sounds) and hands it to the main window, whose answer command asks for
// "Sound2" or "Sound3" in any case of letters.
//
// load() makes one QSoundEffect per clip; Qt decodes them on its own thread, long before a pupil can answer.
// play() only queues the start and returns at once: the answer command never waits for the sound device, and
// a start while the clip still plays restarts it without blocking. A name without a clip, a clip that cannot
// be decoded and a missing sound device or server all leave the program silent and say nothing (the back
// end's own complaints are dropped by installSoundMessageFilter()).
class TSoundPlayer : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit TSoundPlayer(const QString &folder = QStringLiteral(":/sounds"), QObject *parent = nullptr);
    ~TSoundPlayer() override;

    void play(const QString &name) override;

    // Makes the clips' sound effects; later calls do nothing.
    void load();
    // Calls load() as soon as `window` has painted for the first time, after that paint is on the screen.
    void loadAfterFirstPaint(QWidget *window);
    bool isLoaded() const { return m_loaded; }

    // The loaded clips' names, upper case, and the sound effect of a name in any case (null if none).
    QStringList clipNames() const { return m_clips.keys(); }
    QSoundEffect *clip(const QString &name) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_folder;
    QMap<QString, QSoundEffect *> m_clips;
    bool m_loaded = false;
};

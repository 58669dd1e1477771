#pragma once

#include "ui/main/soundoutput.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QThread;
class QWidget;
class SoundDevice;
class SoundWorker;

// The program's SoundOutput: plays the clips built in under :/sounds (SOUND1, SOUND2, SOUND3), asked for by
// name in any case of letters ("Sound2", "Sound3"). main() creates it, has it load once the main window has
// first painted and hands it to the main window.
//
// The sound device lives on a thread of the player's own, and the pupil's thread never calls into it: play()
// only posts the start and returns, so a sound server that hangs, dies or comes back cannot hold up the
// windows, the keys or the clocks. A start that the device could not take up within two seconds is dropped
// instead of being heard late (after a hung server, the answers given meanwhile do not sound in a burst); the
// limit leaves room for a slow but working server, as on a machine under heavy load.
// Without a clip of that name, a decodable clip or a sound server the program stays silent and says nothing.
class TSoundPlayer : public QObject, public SoundOutput {
    Q_OBJECT
public:
    using DeviceFactory = std::function<std::unique_ptr<SoundDevice>()>;

    // How late a start may come before it is dropped: past it, the clip no longer goes with its answer.
    static constexpr int startLimitMs = 2000;

    explicit TSoundPlayer(const QString &folder = QStringLiteral(":/sounds"), QObject *parent = nullptr,
                          DeviceFactory makeDevice = {});
    // Ends the sound thread as shutDown() does; a thread that does not end is left to the process's exit.
    ~TSoundPlayer() override;

    void play(const QString &name) override;

    // Has the device prepare the clips; later calls do nothing.
    void load();
    // Calls load() as soon as `window` has painted for the first time, after that paint is on the screen.
    void loadAfterFirstPaint(QWidget *window);
    bool isLoaded() const { return m_loaded; }

    // The clips' names, upper case, and the resource path of a name in any case (empty if none).
    QStringList clipNames() const { return m_clips.keys(); }
    QString clipPath(const QString &name) const { return m_clips.value(name.toUpper()); }

    // Stops the sound thread, waiting at most `msecs`; false if it is still held inside the device (a hung
    // sound server), in which case the process should end without waiting for it.
    bool shutDown(int msecs);

signals:
    // On the player's thread, after the device took up or dropped a start of the clip (upper-case name).
    void clipStarted(const QString &clip);
    void clipDropped(const QString &clip);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMap<QString, QString> m_clips;
    bool m_loaded = false;
    QThread *m_thread = nullptr;
    SoundWorker *m_worker = nullptr;
};

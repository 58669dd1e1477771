#include "random/randomsource.h"
#include "resources/appresources.h"
#include "ui/controls/systemcolors.h"
#include "ui/dialogs/aboutwindow.h"
#include "ui/dialogs/guidelineswindow.h"
#include "ui/dialogs/hintwindow.h"
#include "ui/dialogs/messagewindow.h"
#include "ui/dialogs/windowframe.h"
#include "ui/main/mainwindow.h"
#include "ui/main/soundmessagefilter.h"
#include "ui/main/soundplayer.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

void centreOnDesktop(QWidget &window) {
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    // The outer rectangle is centred, frame included, and the frame is asked for before the window is mapped:
    // a window manager draws it only once it maps the window.
    const QMargins frame = dialogs::windowFrame(window);
    QRect outer = window.geometry().marginsAdded(frame);
    outer.moveCenter(desktop.center());
    const QPoint topLeft(std::max(outer.left(), desktop.left()), std::max(outer.top(), desktop.top()));
    // Placed by its client area, around which the window system draws the frame.
    window.setGeometry(QRect(topLeft + QPoint(frame.left(), frame.top()), window.size()));
}

// With LOGICUS_TRACE_FIRST_PAINT set, prints the monotonic clock (ns) when the main window first paints,
// so that the start-up time can be measured from outside against the moment the process was started.
class FirstPaintTrace : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::fprintf(stderr, "first-paint %lld\n", now.tv_sec * 1000000000LL + now.tv_nsec);
            std::fflush(stderr);
            watched->removeEventFilter(this);
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[]) {
    // Without a sound server the game goes on silently, and quietly: the back end's complaints stay off the
    // console, from whatever thread they come.
    installSoundMessageFilter();
    QApplication app(argc, argv);
    // The pool mixes in the timing of every input event, so its feeds go in before any window exists.
    StartRandomSource();
    QApplication::setApplicationName(QStringLiteral("Логикус"));
    registerApplicationFonts();
    // Texts that no window sets a font for (message boxes, tooltips) use our Arial twin, the same on every
    // machine, instead of whatever the desktop's default happens to be.
    QApplication::setFont(programFont(QStringLiteral("Arial"), 12, false));
    installQtTranslation(app);
    applySystemColors(app);

    int status = 0;
    bool soundEnded = true;
    {
        TForm1 Form1;
        TForm7 Form7(&Form1, &Form1.drawnButtons());
        TForm8 Form8(&Form1, &Form1.drawnButtons());
        TForm2 Form2(&Form1, &Form1.drawnButtons());
        TForm9 Form9(&Form1, &Form1.drawnButtons());
        Form1.setDialogs(&Form7, &Form8, &Form2, &Form9);
        TSoundPlayer sound;
        Form1.setSoundOutput(&sound);
        FirstPaintTrace trace;
        if (qEnvironmentVariableIsSet("LOGICUS_TRACE_FIRST_PAINT"))
            Form1.installEventFilter(&trace);

        if (Form1.terminationRequested()) {
            // An unsuitable screen: the messages have been shown; the program ends without a game as soon as
            // the event loop runs.
            QTimer::singleShot(0, &app, [] { QCoreApplication::exit(1); });
        } else {
            centreOnDesktop(Form1);
            // The clips load once the window is on the screen: start-up shows it no later for them, and the
            // start-up screen gives them seconds before the first answer.
            sound.loadAfterFirstPaint(&Form1);
            Form1.show();
        }
        status = QApplication::exec();
        soundEnded = sound.shutDown(1000);
    }
    StopRandomSource();
    if (!soundEnded) {
        // The sound thread is still held by a sound server that stopped answering. The program has nothing
        // left to save, and tearing down the sound library under that thread could hang or crash the exit.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

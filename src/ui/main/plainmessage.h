#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

class QFont;

// A message for a screen that Qt's windows cannot paint. On an X11 screen of 8 bits per pixel (a palette
// screen) a Qt window is mapped but stays black, so a start-up refusal there could not be read. Such a screen
// still shows what the window system draws itself: the message is set in black and white in memory (draw)
// and handed to the window system as a bitmap, which every screen shows in its own black and white (show).
// Only the start-up screen checks use it, before any Qt window is shown.
//
// qtPaintsScreen() and show() are the platform's: the build picks one file for them (plainmessage_xcb.cpp on
// Linux, plainmessage_other.cpp elsewhere).
namespace plainmessage {

// The message window's whole picture: one bit per pixel (Format_Mono), black on white, with a title strip
// that holds the caption (a bare screen may have no window manager to show it), an error sign, the text's
// lines and an "ОК" button at `button`.
struct Picture {
    QImage image;
    QRect button;
};

// Lines of the text are separated by "\r\n" (or "\n"); `font` is the message's, drawn without grey edges.
Picture draw(const QString &caption, const QString &text, const QFont &font);

// How a window system lays out the rows of a one-bit picture (on X11, the server's bitmap format and image
// byte order): rows padded to `pad` bits, read in units of `unit` bits, each unit's bits and bytes in either
// order.
struct BitmapLayout {
    int unit = 32;
    int pad = 32;
    bool leastSignificantBitFirst = true;
    bool leastSignificantByteFirst = true;
};

// The picture's rows in that layout, a set bit for each black pixel.
QByteArray bitmapRows(const QImage &picture, const BitmapLayout &layout);

// Writes the message to the console (stderr, UTF-8), for where it can be shown nowhere else.
void writeToConsole(const QString &caption, const QString &text);

// Whether Qt's windows paint the screen the program runs on. On X11 they do on a true-colour screen of 15
// bits per pixel or more; under another Qt platform plug-in on Linux, where the pixels' kind is not known, on
// any screen of 15 bits or more; elsewhere, and wherever it cannot be told, they are trusted to.
bool qtPaintsScreen();

// Shows the message in a window of its own and returns once the pupil closed it: Enter, Space or Escape, a
// click on "ОК", or the window's close box. Returns false at once, having shown nothing, where the platform
// gives no such window (another Qt platform plug-in, no connection to the X server).
bool show(const QString &caption, const QString &text);

} // namespace plainmessage

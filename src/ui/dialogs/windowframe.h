#pragma once

#include <QMargins>

class QWidget;

namespace dialogs {

// The frame that the window system draws around a top-level window (title bar and borders, in the window's
// own pixels), known before the window is first shown, so that a window can be placed by its outer rectangle
// from its first showing on. On an X11 desktop the window manager is asked for it and waited for at most half
// a second; without a window manager, one that does not answer, or on another window system it is what Qt
// knows of the frame, which before the first showing may be nothing. Gives the window its native handle if it
// has none yet. Which implementation runs is chosen by the build: windowframe_x11.cpp on Linux and the other
// X11 systems, windowframe_qt.cpp elsewhere.
QMargins windowFrame(QWidget &window);

// Gives a top-level window its window on the window system, if it has none yet, without turning the controls
// of its parent window into native windows as well, as QWidget::winId() does for a dialog, which has a
// parent.
void createNativeWindow(QWidget &window);

} // namespace dialogs

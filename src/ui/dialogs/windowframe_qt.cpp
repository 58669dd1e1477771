#include "ui/dialogs/windowframe.h"

#include <QWidget>
#include <QWindow>

namespace dialogs {

QMargins windowFrame(QWidget &window) {
    // Where the window system draws the frame itself, Qt can tell its size as soon as the window exists.
    createNativeWindow(window);
    const QWindow *handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

} // namespace dialogs

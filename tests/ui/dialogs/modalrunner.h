#pragma once

#include "controls.h"

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QtGlobal>

#include <functional>

// Shows a dialog modally through `show` (exec() or a window's own showing method) and runs `whileShown` from
// inside its modal loop. If the dialog is still open afterwards it is closed for real, so a test never waits
// on a human. Returns whether the dialog was still shown when `whileShown` had finished.
inline bool runModal(QDialog &dialog, const std::function<void()> &show,
                     const std::function<void()> &whileShown) {
    bool stillShown = false;
    bool ran = false;
    QTimer::singleShot(0, &dialog, [&] {
        ran = true;
        whileShown();
        stillShown = dialog.isVisible();
        if (dialog.isVisible())
            dialog.done(QDialog::Rejected);
    });
    // A safety net for a dialog that would not let the queued callback run or close.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &dialog, [&dialog] { dialog.done(QDialog::Rejected); });
    guard.start(20000);
    show();
    if (!ran)
        qWarning("runModal: the dialog closed before the queued callback ran");
    return stillShown;
}

// A key press and release delivered the way the window system delivers them: to the window, which routes it
// to its focused control (or to itself when none has the focus).
inline void pressKey(QDialog &dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(dialog.windowHandle(), key, modifiers);
}

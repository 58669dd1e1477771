#pragma once

#include "controls.h"

#include <QDialog>
#include <QTest>
#include <QThread>
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
    // Windows's event dispatcher may deliver a zero timer while the dialog is being shown, before its modal
    // loop runs: a dialog closed then would leave exec() waiting. The callback waits for a loop deeper than
    // this one.
    const int outerLoop = QThread::currentThread()->loopLevel();
    std::function<void()> whenModal = [&] {
        if (QThread::currentThread()->loopLevel() <= outerLoop) {
            QTimer::singleShot(0, &dialog, whenModal);
            return;
        }
        ran = true;
        whileShown();
        stillShown = dialog.isVisible();
        if (dialog.isVisible())
            dialog.done(QDialog::Rejected);
        // A key simulated from inside the modal loop can leave Windows's dispatcher waiting for one more
        // event before the loop sees that it was told to end: it is given one.
        QMetaObject::invokeMethod(
            &dialog, [] {}, Qt::QueuedConnection);
    };
    QTimer::singleShot(0, &dialog, whenModal);
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

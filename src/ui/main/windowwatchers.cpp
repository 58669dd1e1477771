#include "ui/main/windowwatchers.h"

#include "ui/main/keys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

FirstActivation::FirstActivation(QWidget *window, std::function<void()> handler)
    : QObject(window)
    , m_window(window)
    , m_handler(std::move(handler)) {
    window->installEventFilter(this);
}

bool FirstActivation::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_window && !m_activated) {
        if (event->type() == QEvent::Show ||
            (event->type() == QEvent::ActivationChange && m_window->isActiveWindow())) {
            if (m_painted)
                QTimer::singleShot(0, this, &FirstActivation::run);
            else
                m_pending = true;
        } else if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // Queued, so that it runs once this paint is done.
            if (m_pending)
                QTimer::singleShot(0, this, &FirstActivation::run);
        }
    }
    return QObject::eventFilter(watched, event);
}

void FirstActivation::run() {
    if (m_activated)
        return;
    m_activated = true;
    m_handler();
}

KeyPreview::KeyPreview(QWidget *window, QAction *help,
                       std::function<void(int, Qt::KeyboardModifiers)> handler)
    : QObject(window)
    , m_window(window)
    , m_help(help)
    , m_handler(std::move(handler)) {
    window->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Show && watched == m_window && !m_installed && m_window->windowHandle()) {
        m_window->windowHandle()->installEventFilter(this);
        m_installed = true;
    }
    if (event->type() != QEvent::KeyPress || watched != m_window->windowHandle())
        return QObject::eventFilter(watched, event);
    // While a drop-down list is open its keys are its own: Enter there only chooses the item and does not
    // answer. Answering would judge the value the list held before the key and throw away the one the pupil
    // has just chosen. A window that a modal dialog blocks sees no keys at all.
    const QWidget *modal = QApplication::activeModalWidget();
    if (QApplication::activePopupWidget() || (modal && modal != m_window))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    auto *window = static_cast<QWindow *>(watched);
    // Without a window manager no window of the program is active once a dialog has gone away, and the menu's
    // shortcut then never sees F1; the key still comes here, to the window under the pointer.
    if (m_help->isEnabled() && QKeySequence(key->keyCombination()) == m_help->shortcut()) {
        m_help->trigger();
        return true;
    }
    const QPointer<QObject> pressedIn = window->focusObject();
    m_handler(virtualKeyCode(*key), key->modifiers());
    if (window->focusObject() != pressedIn) {
        // The handler has put the focus on a control of its own making, the first list of a new exercise: the
        // key belongs to the control it was pressed in and must not act there too (a typed "1" would choose
        // the item "1"). It still goes on, to where it was pressed.
        if (pressedIn)
            QCoreApplication::sendEvent(pressedIn, key);
        return true;
    }
    return false;
}

#pragma once

#include <QObject>

#include <functional>

class QAction;
class QWidget;

// Runs a handler once, on the window's first activation, but never before the window has been painted: the
// start-up screen comes over the main window once the window is on the screen, not before, since showing it
// first would only keep the pupil waiting longer for the window. Without a window manager nothing activates
// the window; the first showing stands in for it.
class FirstActivation : public QObject {
    Q_OBJECT
public:
    FirstActivation(QWidget *window, std::function<void()> handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void run();

    QWidget *m_window;
    std::function<void()> m_handler;
    bool m_activated = false;
    bool m_painted = false;
    bool m_pending = false;
};

// The window's key preview: the handler sees every key pressed in the window before the focused control does,
// in the desktop's key codes (keys.h), and the key is never consumed. Every key reaches the window-system
// window first, before Qt hands it to the focused control: watching there sees each key exactly once, and
// decides where it goes after the handler has run.
class KeyPreview : public QObject {
    Q_OBJECT
public:
    // help: the reference command, whose key must work even when the window system counts no window active.
    KeyPreview(QWidget *window, QAction *help, std::function<void(int key, Qt::KeyboardModifiers)> handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QAction *m_help;
    std::function<void(int, Qt::KeyboardModifiers)> m_handler;
    bool m_installed = false;
};

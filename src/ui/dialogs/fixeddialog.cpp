#include "ui/dialogs/fixeddialog.h"

#include "ui/dialogs/placement.h"
#include "ui/dialogs/windowframe.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

namespace dialogs {

Qt::WindowFlags FixedDialog::closeBoxOnly() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

Qt::WindowFlags FixedDialog::noTitleButtons() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

FixedDialog::FixedDialog(QWidget *owner, const QSize &clientSize, Qt::WindowFlags flags)
    : QDialog(owner, flags)
    , m_frameOf(windowFrame) {
    setSizeGripEnabled(false);
    setFixedSize(clientSize);
}

void FixedDialog::setClientWidth(int width) {
    setFixedSize(width, height());
}

void FixedDialog::setVisible(bool visible) {
    if (visible == isVisible()) {
        QDialog::setVisible(visible);
        return;
    }
    if (!visible) {
        // pos() of a top-level window is the top-left corner of its outer frame.
        m_lastTopLeft = pos();
        const bool wasActive = isActiveWindow();
        QDialog::setVisible(false);
        // A window manager hands the activation back to the window below; without one nothing is active
        // any more, and the program's shortcuts (F1) find no window to act in. Only a window that had the
        // activation gives it back, so that a window closing by itself never takes it from another program.
        // The request goes to the window system itself: Qt still counts the owner as active while the focus
        // rests on a window that was transient for it, and activateWindow() would then do nothing.
        if (wasActive) {
            QWidget *next = QApplication::activeModalWidget();
            if (!next && parentWidget())
                next = parentWidget()->window();
            if (next && next->isVisible() && next->windowHandle())
                next->windowHandle()->requestActivate();
        }
        return;
    }
    if (!m_placed) {
        // Asked before the window is mapped: a window manager draws the frame only once it maps the window.
        const QMargins frame = outerFrame();
        QRect ownerOuter;
        if (QWidget *owner = parentWidget())
            ownerOuter = owner->window()->geometry().marginsAdded(m_frameOf(*owner->window()));
        else if (QScreen *screen = QGuiApplication::primaryScreen())
            ownerOuter = screen->availableGeometry();
        m_lastTopLeft = centredTopLeft(ownerOuter, size().grownBy(frame));
        m_placed = true;
        // Placed by its client area: Qt has no frame to go by yet, and the window system draws the frame
        // around the client where it is asked to put it.
        setGeometry(QRect(m_lastTopLeft + QPoint(frame.left(), frame.top()), size()));
    } else {
        // An explicit move also keeps QDialog from placing the window by its own rule.
        move(m_lastTopLeft);
    }
    QDialog::setVisible(true);
}

bool FixedDialog::isEnterKey(const QKeyEvent *event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

bool FixedDialog::previewKeyPress(QKeyEvent *event) {
    if (m_closesOnEnter && isEnterKey(event)) {
        accept();
        return true;
    }
    return false;
}

void FixedDialog::installKeyPreview() {
    const auto controls = findChildren<QWidget *>();
    for (QWidget *control : controls) {
        control->removeEventFilter(this);
        control->installEventFilter(this);
    }
}

void FixedDialog::keyPressEvent(QKeyEvent *event) {
    // QDialog's own handling would close on Escape and press default buttons on Enter; neither belongs here.
    if (!previewKeyPress(event))
        QWidget::keyPressEvent(event);
}

bool FixedDialog::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && watched != this)
        return previewKeyPress(static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

} // namespace dialogs

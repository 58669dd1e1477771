#include "ui/dialogs/fixeddialog.h"

#include "ui/dialogs/placement.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace dialogs {

Qt::WindowFlags FixedDialog::closeBoxOnly() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

Qt::WindowFlags FixedDialog::noTitleButtons() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

FixedDialog::FixedDialog(QWidget *owner, const QSize &clientSize, Qt::WindowFlags flags)
    : QDialog(owner, flags) {
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
        QDialog::setVisible(false);
        return;
    }
    if (!m_placed) {
        // The frame's size is known only once the window exists on the window system.
        create();
        QRect ownerFrame;
        if (QWidget *owner = parentWidget())
            ownerFrame = owner->window()->frameGeometry();
        else if (QScreen *screen = QGuiApplication::primaryScreen())
            ownerFrame = screen->availableGeometry();
        m_lastTopLeft = centredTopLeft(ownerFrame, frameGeometry().size());
        m_placed = true;
    }
    // An explicit move also keeps QDialog from placing the window by its own rule.
    move(m_lastTopLeft);
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

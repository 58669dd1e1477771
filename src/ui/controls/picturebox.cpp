#include "picturebox.h"

#include "drawnaccessible.h"

#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    registerDrawnControl();
}

void PictureBox::setPicture(const QImage &picture) {
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QRect covered = m_picture.rect() & event->rect();
    painter.drawImage(covered.topLeft(), m_picture, covered);
    // Whatever the picture does not reach is plain button face, as the window around it.
    const QRegion rest = QRegion(event->rect()) - covered;
    for (const QRect &part : rest)
        painter.fillRect(part, palette().color(QPalette::Window));
}

#include "ui/controls/picturebox.h"

#include "ui/controls/drawnaccessible.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Qt shares the drawing of 96 rows or more out among helper threads.
constexpr int BandRows = 64;

} // namespace

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
    // In bands small enough that Qt converts each on this thread: a whole picture of this size would have its
    // conversion to the screen's format shared out to a pool of helper threads that then idle for the rest of
    // the run.
    const int band = BandRows;
    for (int top = covered.top(); top <= covered.bottom(); top += band) {
        const QRect part(covered.left(), top, covered.width(), std::min(band, covered.bottom() + 1 - top));
        painter.drawImage(part.topLeft(), m_picture, part);
    }
    // Whatever the picture does not reach is plain button face, as the window around it.
    const QRegion rest = QRegion(event->rect()) - covered;
    for (const QRect &part : rest)
        painter.fillRect(part, palette().color(QPalette::Window));
}

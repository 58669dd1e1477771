#include "ui/main/roundedshape.h"

#include "ui/controls/systemcolors.h"

#include <QPainter>

void RoundedShape::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(systemColor(SystemColor::AppWorkspace));
    const int corner = std::min(width(), height()) / 4;
    painter.drawRoundedRect(QRectF(0.5, 0.5, width() - 1, height() - 1), corner / 2.0, corner / 2.0);
}

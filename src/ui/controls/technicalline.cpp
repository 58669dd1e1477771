#include "ui/controls/technicalline.h"

#include <QLineF>
#include <QPainter>
#include <QPen>
#include <algorithm>

TLMDTechnicalLine::TLMDTechnicalLine(QWidget *parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

void TLMDTechnicalLine::setLineType(LineType type) {
    m_lineType = type;
    update();
}

void TLMDTechnicalLine::setPenWidth(int width) {
    m_penWidth = std::max(1, width);
    update();
}

QLine TLMDTechnicalLine::lineEndPoints(const QRect &rect, LineType type, int penWidth) {
    const int e = penWidth / 2;
    const int x0 = rect.left() + e + 1;
    const int y0 = rect.top() + e + 1;
    const int w = rect.width() - 2 * (e + 1);
    const int h = rect.height() - 2 * (e + 1);
    switch (type) {
    case lsStraightLeftToRight:
        return QLine(x0 + e, y0 + h / 2, x0 + w - e, y0 + h / 2);
    case lsTopLeftToBottomRight:
        return QLine(x0, y0, x0 + w, y0 + h);
    case lsBottomLeftToTopRight:
        return QLine(x0, y0 + h, x0 + w, y0);
    default:
        return QLine();
    }
}

void TLMDTechnicalLine::paintEvent(QPaintEvent *) {
    const QLine line = lineEndPoints(rect(), m_lineType, m_penWidth);
    if (line.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::black, m_penWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    // Through the pixel centres, and half a pixel longer at each end, so that both end pixels are painted
    // and nothing reaches past them.
    QLineF centred = QLineF(line).translated(0.5, 0.5);
    const QPointF unit = centred.length() > 0 ? (centred.p2() - centred.p1()) / centred.length() : QPointF();
    centred.setP1(centred.p1() - unit * 0.5);
    centred.setP2(centred.p2() + unit * 0.5);
    painter.drawLine(centred);
}

#include "ui/controls/bevel.h"

#include "ui/controls/systemcolors.h"

#include <QPainter>

QRect drawLoweredBevel(QPainter &painter, const QRect &rect) {
    if (rect.width() <= 0 || rect.height() <= 0)
        return QRect();
    const QColor shadow = systemColor(SystemColor::ButtonShadow);
    const QColor highlight = systemColor(SystemColor::ButtonHighlight);
    // Bottom and right first, so that the shadow owns the two corners it shares with them.
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), highlight);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), highlight);
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width() - 1, 1), shadow);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height() - 1), shadow);
    return rect.adjusted(1, 1, -1, -1);
}

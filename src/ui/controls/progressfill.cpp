#include "ui/controls/progressfill.h"

#include "ui/controls/bevel.h"
#include "ui/controls/drawnaccessible.h"
#include "ui/controls/systemcolors.h"

#include <QPainter>
#include <algorithm>

TLMDProgressFill::TLMDProgressFill(QWidget *parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    registerDrawnControl();
}

void TLMDProgressFill::setPosition(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == m_position)
        return;
    m_position = percent;
    update();
}

int TLMDProgressFill::filledWidth(int percent, int innerWidth) {
    if (innerWidth <= 0)
        return 0;
    percent = std::clamp(percent, 0, 100);
    return static_cast<int>(static_cast<long long>(percent) * innerWidth / 100);
}

void TLMDProgressFill::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), systemColor(SystemColor::ButtonFace));
    const QRect inner = drawLoweredBevel(painter, rect());
    if (inner.isEmpty())
        return;
    const int filled = filledWidth(m_position, inner.width());
    painter.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()),
                     systemColor(SystemColor::Highlight));
}

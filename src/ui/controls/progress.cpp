#include "ui/controls/progress.h"

#include "ui/controls/bevel.h"
#include "ui/controls/drawnaccessible.h"
#include "ui/controls/systemcolors.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

TLMDProgress::TLMDProgress(QWidget *parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    registerDrawnControl();
}

long long TLMDProgress::roundHalfEven(long long numerator, long long denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    // Floor division, then look at the remainder against half the denominator.
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) {
        remainder += denominator;
        --quotient;
    }
    const long long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

int TLMDProgress::barWidth(int innerWidth, int count) {
    if (count <= 0)
        return 0;
    return static_cast<int>(roundHalfEven(static_cast<long long>(innerWidth) - kSpace * count, count));
}

int TLMDProgress::drawnBars(int position, int count) {
    if (count <= 0)
        return 0;
    return static_cast<int>(roundHalfEven(static_cast<long long>(std::clamp(position, 0, 100)) * count, 100));
}

QList<QRect> TLMDProgress::segmentRects(int innerWidth, int innerHeight, int count, int position) {
    QList<QRect> rects;
    const int a = barWidth(innerWidth, count);
    const int top = kSpace;
    const int bottom = innerHeight - kSpace; // exclusive
    if (a <= 0 || bottom <= top)
        return rects;
    const int drawn = drawnBars(position, count);
    for (int i = 0; i < drawn; ++i) {
        const int left = kSpace + (kSpace + a) * i;
        const int right = (i + 1) * (kSpace + a); // exclusive
        rects.append(QRect(left, top, right - left, bottom - top));
    }
    return rects;
}

int TLMDProgress::autoSizeWidth(int width, int count) {
    const int a = std::max(0, barWidth(width - 2 * kBevel, count));
    return (a + kSpace) * count + kSpace + 2 * kBevel;
}

void TLMDProgress::setPosition(int percent) {
    percent = std::clamp(percent, 0, 100);
    m_position = percent;
    userFromPosition();
    update();
}

void TLMDProgress::setMinValue(int value) {
    m_min = value;
    m_max = std::max(m_max, m_min);
    positionFromUser();
    update();
}

void TLMDProgress::setMaxValue(int value) {
    m_max = value;
    m_min = std::min(m_min, m_max);
    positionFromUser();
    update();
}

void TLMDProgress::setUserValue(int value) {
    m_user = value;
    positionFromUser();
    update();
}

void TLMDProgress::positionFromUser() {
    m_user = std::clamp(m_user, m_min, m_max);
    // An empty range has no fraction to show; it stands at 0 rather than dividing by zero.
    if (m_max == m_min) {
        m_position = 0;
        return;
    }
    const long long span = static_cast<long long>(m_max) - m_min;
    const long long percent = roundHalfEven((static_cast<long long>(m_user) - m_min) * 100, span);
    m_position = static_cast<int>(std::clamp<long long>(percent, 0, 100));
}

void TLMDProgress::userFromPosition() {
    const long long span = static_cast<long long>(m_max) - m_min;
    m_user = static_cast<int>(m_min + roundHalfEven(static_cast<long long>(m_position) * span, 100));
}

void TLMDProgress::setBarCount(int count) {
    m_count = std::max(1, count);
    applyAutoSize();
    update();
}

void TLMDProgress::setBarColor(const QColor &color) {
    m_barColor = color;
    update();
}

void TLMDProgress::setAutoSize(bool on) {
    m_autoSize = on;
    applyAutoSize();
}

void TLMDProgress::setOnGetColor(GetColorHandler handler) {
    m_onGetColor = std::move(handler);
    update();
}

void TLMDProgress::applyAutoSize() {
    if (!m_autoSize)
        return;
    const int wanted = autoSizeWidth(width(), m_count);
    if (wanted != width())
        resize(wanted, height());
}

void TLMDProgress::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    applyAutoSize();
}

void TLMDProgress::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QColor face = systemColor(SystemColor::ButtonFace);
    painter.fillRect(rect(), face);
    const QRect inner = drawLoweredBevel(painter, rect());
    if (inner.isEmpty())
        return;
    painter.fillRect(inner, face);
    const QList<QRect> bars = segmentRects(inner.width(), inner.height(), m_count, m_position);
    for (qsizetype i = 0; i < bars.size(); ++i) {
        QColor color = m_barColor;
        if (m_onGetColor)
            m_onGetColor(static_cast<int>(i), color);
        painter.fillRect(bars[i].translated(inner.topLeft()), color);
    }
}

#include "ui/controls/shadowlabel.h"

#include "ui/controls/systemcolors.h"

#include <QEvent>
#include <QPainter>

namespace {
// How far the highlight copy lies right of and below the shadow copy.
constexpr int kDepth = 3;
} // namespace

TLMDShadowLabel::TLMDShadowLabel(QWidget *parent)
    : DrawnLabel(QString(), parent) {}

TLMDShadowLabel::TLMDShadowLabel(const QString &text, QWidget *parent)
    : DrawnLabel(text, parent) {
    fitToText();
}

void TLMDShadowLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void TLMDShadowLabel::setAutoSize(bool on) {
    m_autoSize = on;
    fitToText();
}

QSize TLMDShadowLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text()) + kDepth, metrics.height() + kDepth);
}

void TLMDShadowLabel::fitToText() {
    updateGeometry();
    if (m_autoSize)
        resize(sizeHint());
}

void TLMDShadowLabel::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange)
        fitToText();
    QWidget::changeEvent(event);
}

void TLMDShadowLabel::paintSunkenText(QPainter &painter, const QRect &area, Qt::Alignment alignment,
                                      const QString &text) {
    const QRect place = area.adjusted(0, 0, -kDepth, 0);
    const int flags = static_cast<int>(alignment) | Qt::TextSingleLine;
    painter.setPen(systemColor(SystemColor::ButtonShadow));
    painter.drawText(place, flags, text);
    painter.setPen(systemColor(SystemColor::ButtonHighlight));
    painter.drawText(place.translated(kDepth, kDepth), flags, text);
    painter.setPen(systemColor(SystemColor::WindowText));
    painter.drawText(place.translated(1, 1), flags, text);
}

void TLMDShadowLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setFont(font());
    // The place is measured without the offset copies, which spill into the 3 pixels kept for them.
    paintSunkenText(painter, rect().adjusted(0, 0, 0, -kDepth), m_alignment, text());
}

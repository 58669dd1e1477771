#include "bevellabel.h"

#include "bevel.h"
#include "drawnaccessible.h"
#include "systemcolors.h"

#include <QPainter>

TLMDBevelLabel::TLMDBevelLabel(QWidget *parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    registerDrawnControl();
}

TLMDBevelLabel::TLMDBevelLabel(const QString &text, QWidget *parent)
    : TLMDBevelLabel(parent) {
    m_text = text;
}

void TLMDBevelLabel::setText(const QString &text) {
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry();
    update();
    drawnLabelTextChanged(this);
}

QSize TLMDBevelLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    const QSize text = metrics.size(0, m_text);
    return QSize(text.width() + 2 * metrics.averageCharWidth() + 4, text.height() + metrics.height() / 2 + 4);
}

void TLMDBevelLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), systemColor(SystemColor::ButtonFace));
    const QRect inner = drawLoweredBevel(painter, drawLoweredBevel(painter, rect()));
    if (inner.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(systemColor(SystemColor::WindowText));
    painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, m_text);
}

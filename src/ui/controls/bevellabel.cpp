#include "ui/controls/bevellabel.h"

#include "ui/controls/bevel.h"
#include "ui/controls/systemcolors.h"

#include <QPainter>

TLMDBevelLabel::TLMDBevelLabel(QWidget *parent)
    : TLMDBevelLabel(QString(), parent) {}

TLMDBevelLabel::TLMDBevelLabel(const QString &text, QWidget *parent)
    : DrawnLabel(text, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TLMDBevelLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    const QSize caption = metrics.size(0, text());
    return QSize(caption.width() + 2 * metrics.averageCharWidth() + 4,
                 caption.height() + metrics.height() / 2 + 4);
}

void TLMDBevelLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), systemColor(SystemColor::ButtonFace));
    const QRect inner = drawLoweredBevel(painter, drawLoweredBevel(painter, rect()));
    if (inner.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(systemColor(SystemColor::WindowText));
    painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, text());
}

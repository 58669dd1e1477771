#include "ui/controls/mmbutton.h"

#include "ui/controls/systemcolors.h"

#include <QPaintEvent>
#include <QPainter>

TLMDMMButton::TLMDMMButton(QWidget *parent)
    : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover, false);
}

void TLMDMMButton::setFaceList(const QList<QImage> *faces) {
    m_faces = faces;
    updateGeometry();
    update();
}

void TLMDMMButton::setTakesFocus(bool takes) {
    setFocusPolicy(takes ? Qt::StrongFocus : Qt::NoFocus);
    if (!takes && hasFocus())
        clearFocus();
}

void TLMDMMButton::setBackgroundColor(const QColor &color) {
    m_background = color;
    update();
}

const QImage *TLMDMMButton::currentFace() const {
    if (!m_faces || m_faces->isEmpty())
        return nullptr;
    const qsizetype index = isDown() && m_faces->size() > 1 ? 1 : 0;
    const QImage &face = m_faces->at(index);
    return face.isNull() ? nullptr : &face;
}

QSize TLMDMMButton::sizeHint() const {
    if (m_faces && !m_faces->isEmpty() && !m_faces->first().isNull())
        return m_faces->first().deviceIndependentSize().toSize();
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text()) + 2 * metrics.height(), 2 * metrics.height());
}

void TLMDMMButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (m_background.isValid())
        painter.fillRect(rect(), m_background);

    if (const QImage *face = currentFace()) {
        // In logical pixels: a face drawn for a high-density screen has more pixels than it measures.
        const QSize size = face->deviceIndependentSize().toSize();
        const QPoint origin((width() - size.width()) / 2, (height() - size.height()) / 2);
        // A disabled face is shown faded into what lies beneath, so that it reads as unavailable even
        // where the caption is short.
        painter.setOpacity(isEnabled() ? 1.0 : 0.45);
        painter.drawImage(origin, *face);
        painter.setOpacity(1.0);
    }

    const QColor caption = isEnabled() ? palette().color(QPalette::Active, QPalette::ButtonText)
                                       : systemColor(SystemColor::ButtonShadow);
    painter.setPen(caption);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

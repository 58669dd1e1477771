#include "ui/controls/drawnlabel.h"

#include "ui/controls/drawnaccessible.h"

DrawnLabel::DrawnLabel(const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_text(text) {
    registerDrawnControl();
}

void DrawnLabel::setText(const QString &text) {
    if (text == m_text)
        return;
    m_text = text;
    textChanged();
    update();
    drawnLabelTextChanged(this);
}

#pragma once

#include "ui/controls/drawnlabel.h"

// The operation box of the exercise frames: a centred, possibly multi-line caption on the button face
// colour inside two nested one-pixel lowered bevels. The text is in the window text colour and the
// widget's font.
class TLMDBevelLabel : public DrawnLabel {
    Q_OBJECT
public:
    explicit TLMDBevelLabel(QWidget *parent = nullptr);
    explicit TLMDBevelLabel(const QString &text, QWidget *parent = nullptr);

    // The area left for the caption inside both bevels.
    static QRect captionArea(const QRect &rect) { return rect.adjusted(2, 2, -2, -2); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void textChanged() override { updateGeometry(); }
};

#pragma once

#include "ui/controls/drawnlabel.h"

// A one-line label with sunken-shadow text, for window titles: the text is drawn in the button shadow
// colour at its place, again in the button highlight colour 3 pixels right and down, and last in the
// window text colour 1 pixel right and down of the first copy. The area that places the text has its right
// edge pulled in by 3 pixels. The label sizes itself to its text (plus the 3 pixels the offset copies need)
// whenever the text or the font changes; the background is the parent's.
class TLMDShadowLabel : public DrawnLabel {
    Q_OBJECT
public:
    explicit TLMDShadowLabel(QWidget *parent = nullptr);
    explicit TLMDShadowLabel(const QString &text, QWidget *parent = nullptr);

    // Placement of the text inside the (pulled-in) area; top-left by default.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    // On by default: the label's size follows its text and font.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Draws the three copies of `text` into `area` (its right edge not yet pulled in) with the painter's
    // font.
    static void paintSunkenText(QPainter &painter, const QRect &area, Qt::Alignment alignment,
                                const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void textChanged() override { fitToText(); }

private:
    void fitToText();

    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
    bool m_autoSize = true;
};

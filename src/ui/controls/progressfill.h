#pragma once

#include <QWidget>

// A plain progress bar: inside a one-pixel lowered bevel, the left part (position per cent of the inner
// width, the fraction dropped) is filled with the selection highlight colour and the rest with the button
// face colour. No text. The about window's start-up screen fills it in steps of ten. Positions outside
// 0..100 are clamped.
class TLMDProgressFill : public QWidget {
    Q_OBJECT
public:
    explicit TLMDProgressFill(QWidget *parent = nullptr);

    int position() const { return m_position; }
    void setPosition(int percent);

    // Width of the highlighted part for a position (0..100) and an inner width; exact integer arithmetic,
    // so 29 % of 100 pixels is 29, never 28 through a rounding error of 0.01.
    static int filledWidth(int percent, int innerWidth);

    QSize sizeHint() const override { return QSize(433, 20); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_position = 0;
};

#pragma once

#include <QLine>
#include <QRect>
#include <QWidget>

// The connector line of the exercise diagrams: one straight, solid, black line 3 pixels wide across the
// control, with flat ends and no end signs, border, shadow or background; whatever lies under the control
// shows through, and mouse events pass to what lies beneath. Of the line types only the first, third and
// fourth are drawn; the others draw nothing.
class TLMDTechnicalLine : public QWidget {
    Q_OBJECT
public:
    enum LineType {
        lsStraightLeftToRight,
        lsStraightTopToBottom,
        lsTopLeftToBottomRight,
        lsBottomLeftToTopRight,
        lsEdgeLeftTop,
        lsEdgeRightTop,
        lsEdgeLeftBottom,
        lsEdgeRightBottom,
        lsCurveLeftTop,
        lsCurveRightTop,
        lsCurveLeftBottom,
        lsCurveRightBottom,
    };
    Q_ENUM(LineType)

    explicit TLMDTechnicalLine(QWidget *parent = nullptr);

    LineType lineType() const { return m_lineType; }
    void setLineType(LineType type);

    int penWidth() const { return m_penWidth; }
    void setPenWidth(int width);

    // Start and end point of the line for a control occupying `rect` (in whatever coordinates `rect` is
    // given): the rectangle shrunk by penWidth/2 + 1 on every side, then corner to corner or across the
    // middle. A null QLine for a type that draws nothing.
    static QLine lineEndPoints(const QRect &rect, LineType type, int penWidth);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LineType m_lineType = lsStraightLeftToRight;
    int m_penWidth = 3;
};

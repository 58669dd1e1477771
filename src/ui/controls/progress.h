#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QWidget>
#include <functional>

// The segmented progress bar at the foot of the main window: inside a one-pixel lowered bevel, a row of
// `barCount()` bars with 3-pixel gaps and margins, each bar's colour asked from the owner (OnGetColor) on
// every paint, with the bar colour (navy) preset each time. Position (0..100 %) decides how many bars are
// drawn; it follows UserValue within MinValue..MaxValue and the other way round. With auto size on (the
// default) the width snaps to what the bars and gaps fill exactly.
class TLMDProgress : public QWidget {
    Q_OBJECT
public:
    using GetColorHandler = std::function<void(int bar, QColor &color)>;

    explicit TLMDProgress(QWidget *parent = nullptr);

    // Rectangles of the bars drawn for `position` per cent, in the inner area's coordinates (the area
    // inside the bevel, innerWidth × innerHeight). Empty when the bars would have no width or height.
    static QList<QRect> segmentRects(int innerWidth, int innerHeight, int count, int position);
    // Width of one bar: (innerWidth − 3·count) / count, rounded to nearest, halves to even.
    static int barWidth(int innerWidth, int count);
    // Number of bars drawn: position % of count, rounded to nearest, halves to even.
    static int drawnBars(int position, int count);
    // The control width that auto size settles on for a control now `width` wide.
    static int autoSizeWidth(int width, int count);

    // Integer rounding to nearest with halves to the even neighbour; denominator must not be 0.
    static long long roundHalfEven(long long numerator, long long denominator);

    int position() const { return m_position; }
    void setPosition(int percent);
    int minValue() const { return m_min; }
    void setMinValue(int value);
    int maxValue() const { return m_max; }
    void setMaxValue(int value);
    int userValue() const { return m_user; }
    void setUserValue(int value);

    int barCount() const { return m_count; }
    void setBarCount(int count);

    QColor barColor() const { return m_barColor; }
    void setBarColor(const QColor &color);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    void setOnGetColor(GetColorHandler handler);

    QSize sizeHint() const override { return QSize(autoSizeWidth(615, m_count), 40); }

    static constexpr int kSpace = 3;
    static constexpr int kBevel = 1;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void positionFromUser();
    void userFromPosition();
    void applyAutoSize();

    int m_position = 0;
    int m_min = 0;
    int m_max = 100;
    int m_user = 0;
    int m_count = 10;
    QColor m_barColor = QColor(0, 0, 128);
    bool m_autoSize = true;
    GetColorHandler m_onGetColor;
};

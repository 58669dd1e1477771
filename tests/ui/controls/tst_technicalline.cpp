#include "ui/controls/technicalline.h"

#include <QtTest>
#include <cmath>

namespace {

const QColor kBackground(255, 0, 255);

// Distance from a pixel's centre to the segment joining the centres of the two end pixels.
double distanceToSegment(QPoint pixel, const QLine &line) {
    const QPointF p = QPointF(pixel) + QPointF(0.5, 0.5);
    const QPointF a = QPointF(line.p1()) + QPointF(0.5, 0.5);
    const QPointF b = QPointF(line.p2()) + QPointF(0.5, 0.5);
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + ab * t;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

} // namespace

class TestTechnicalLine : public QObject {
    Q_OBJECT

private:
    void addFrameUses() {
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<int>("type");
        QTest::addColumn<QLine>("expected");
        QTest::newRow("two-input frame, top line")
            << QRect(90, 15, 31, 51) << int(TLMDTechnicalLine::lsTopLeftToBottomRight)
            << QLine(92, 17, 119, 64);
        QTest::newRow("two-input frame, bottom line")
            << QRect(90, 65, 31, 51) << int(TLMDTechnicalLine::lsBottomLeftToTopRight)
            << QLine(92, 114, 119, 67);
        QTest::newRow("negation frame, straight line")
            << QRect(90, 20, 31, 30) << int(TLMDTechnicalLine::lsStraightLeftToRight)
            << QLine(93, 35, 118, 35);
    }

private slots:
    void endPointsOfTheFrameLines_data() { addFrameUses(); }
    void endPointsOfTheFrameLines() {
        QFETCH(QRect, bounds);
        QFETCH(int, type);
        QFETCH(QLine, expected);
        QCOMPARE(TLMDTechnicalLine::lineEndPoints(bounds, TLMDTechnicalLine::LineType(type), 3), expected);
    }

    void unusedLineTypesDrawNothing() {
        for (const auto type : {TLMDTechnicalLine::lsStraightTopToBottom, TLMDTechnicalLine::lsEdgeLeftTop,
                                TLMDTechnicalLine::lsCurveRightBottom})
            QVERIFY(TLMDTechnicalLine::lineEndPoints(QRect(0, 0, 31, 51), type, 3).isNull());
        QCOMPARE(int(TLMDTechnicalLine::lsCurveRightBottom), 11);
        QCOMPARE(int(TLMDTechnicalLine::lsBottomLeftToTopRight), 3);
    }

    void paintedLineCoversEndsWithoutMarksAndShowsBackground_data() { addFrameUses(); }
    void paintedLineCoversEndsWithoutMarksAndShowsBackground() {
        QFETCH(QRect, bounds);
        QFETCH(int, type);
        QFETCH(QLine, expected);
        QWidget frame;
        frame.resize(200, 150);
        frame.setAutoFillBackground(true);
        QPalette palette = frame.palette();
        palette.setColor(QPalette::Window, kBackground);
        frame.setPalette(palette);
        auto *line = new TLMDTechnicalLine(&frame);
        line->setGeometry(bounds);
        line->setLineType(TLMDTechnicalLine::LineType(type));
        QVERIFY(line->testAttribute(Qt::WA_TransparentForMouseEvents));
        const QImage image = frame.grab().toImage();

        const QRgb black = qRgb(0, 0, 0);
        QCOMPARE(image.pixel(expected.p1()), black);
        QCOMPARE(image.pixel(expected.p2()), black);
        // The line is continuous from end to end.
        for (int step = 0; step <= 100; ++step) {
            const QPointF p =
                QPointF(expected.p1()) + QPointF(expected.p2() - expected.p1()) * (step / 100.0);
            QCOMPARE(image.pixel(qRound(p.x()), qRound(p.y())), black);
        }
        int blackPixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (pixel == black) {
                    ++blackPixels;
                    // A pen 3 wide with flat ends stays in a band around the segment: no arrowhead or sign.
                    QVERIFY2(distanceToSegment(QPoint(x, y), expected) <= 2.3,
                             qPrintable(QStringLiteral("stray pixel %1,%2").arg(x).arg(y)));
                } else {
                    QVERIFY2(pixel == kBackground.rgb(),
                             qPrintable(QStringLiteral("%1,%2 hides the background").arg(x).arg(y)));
                }
            }
        }
        const double length = std::hypot(expected.dx(), expected.dy()) + 1;
        QVERIFY(blackPixels >= int(2.5 * length));
        QVERIFY(blackPixels <= int(3.5 * length) + 6);
    }

    void widerPenWidensTheBand() {
        QCOMPARE(TLMDTechnicalLine::lineEndPoints(QRect(0, 0, 31, 51),
                                                  TLMDTechnicalLine::lsTopLeftToBottomRight, 5),
                 QLine(3, 3, 28, 48));
    }
};

QTEST_MAIN(TestTechnicalLine)
#include "tst_technicalline.moc"

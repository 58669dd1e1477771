#include "ui/controls/progressfill.h"
#include "ui/controls/systemcolors.h"

#include <QtTest>

class TestProgressFill : public QObject {
    Q_OBJECT

private slots:
    void filledWidthDropsTheFraction_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("innerWidth");
        QTest::addColumn<int>("expected");
        QTest::newRow("0 %") << 0 << 431 << 0;
        QTest::newRow("10 % of 431 → 43.1 → 43") << 10 << 431 << 43;
        QTest::newRow("50 % of 431 → 215.5 → 215") << 50 << 431 << 215;
        QTest::newRow("29 % of 100 is 29, not 28 by a floating error") << 29 << 100 << 29;
        QTest::newRow("57 % of 100 is 57") << 57 << 100 << 57;
        QTest::newRow("100 % fills exactly") << 100 << 431 << 431;
        QTest::newRow("above 100 stays within") << 150 << 431 << 431;
        QTest::newRow("below 0 is empty") << -5 << 431 << 0;
        QTest::newRow("no inner width") << 50 << 0 << 0;
    }
    void filledWidthDropsTheFraction() {
        QFETCH(int, percent);
        QFETCH(int, innerWidth);
        QFETCH(int, expected);
        QCOMPARE(TLMDProgressFill::filledWidth(percent, innerWidth), expected);
    }

    void positionIsClamped() {
        TLMDProgressFill fill;
        QCOMPARE(fill.position(), 0);
        fill.setPosition(130);
        QCOMPARE(fill.position(), 100);
        fill.setPosition(-1);
        QCOMPARE(fill.position(), 0);
    }

    void paintsHighlightPartFaceRestInsideLoweredBevel_data() {
        QTest::addColumn<int>("percent");
        QTest::newRow("start-up at 0 %") << 0;
        QTest::newRow("first tick 10 %") << 10;
        QTest::newRow("half way") << 50;
        QTest::newRow("full") << 100;
    }
    void paintsHighlightPartFaceRestInsideLoweredBevel() {
        QFETCH(int, percent);
        TLMDProgressFill fill;
        fill.resize(433, 20);
        fill.setPosition(percent);
        const QImage image = fill.grab().toImage();
        const QRgb face = systemColor(SystemColor::ButtonFace).rgb();
        const QRgb highlight = systemColor(SystemColor::Highlight).rgb();
        const int filled = 431 * percent / 100;
        for (int y = 1; y < 19; ++y) {
            for (int x = 1; x < 432; ++x) {
                const QRgb expected = x - 1 < filled ? highlight : face;
                if (image.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
        const QRgb shadow = systemColor(SystemColor::ButtonShadow).rgb();
        const QRgb light = systemColor(SystemColor::ButtonHighlight).rgb();
        for (int x = 0; x < 432; ++x)
            QCOMPARE(image.pixel(x, 0), shadow);
        for (int y = 0; y < 19; ++y)
            QCOMPARE(image.pixel(0, y), shadow);
        for (int x = 1; x < 433; ++x)
            QCOMPARE(image.pixel(x, 19), light);
        for (int y = 1; y < 20; ++y)
            QCOMPARE(image.pixel(432, y), light);
    }
};

QTEST_MAIN(TestProgressFill)
#include "tst_progressfill.moc"

#include "ui/controls/progress.h"
#include "ui/controls/systemcolors.h"

#include <QtTest>

namespace {

QColor answeredColour(int bar) {
    return QColor(20 * bar, 255 - 20 * bar, 77);
}

struct Query {
    int bar;
    QColor preset;
};

} // namespace

class TestProgress : public QObject {
    Q_OBJECT

private slots:
    void barWidthRoundsHalvesToEven_data() {
        QTest::addColumn<int>("innerWidth");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        QTest::newRow("main window: 613 → 58.3 → 58") << 613 << 10 << 58;
        QTest::newRow("605 → 57.5 → 58 (even)") << 605 << 10 << 58;
        QTest::newRow("595 → 56.5 → 56 (even)") << 595 << 10 << 56;
        QTest::newRow("617 → 58.7 → 59") << 617 << 10 << 59;
        QTest::newRow("exactly filled 33 → 0") << 33 << 10 << 0;
        QTest::newRow("five bars, 18 → 0.6 → 1") << 18 << 5 << 1;
    }
    void barWidthRoundsHalvesToEven() {
        QFETCH(int, innerWidth);
        QFETCH(int, count);
        QFETCH(int, expected);
        QCOMPARE(TLMDProgress::barWidth(innerWidth, count), expected);
    }

    void roundHalfEvenMatchesBankersRounding_data() {
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");
        QTest::addColumn<int>("expected");
        QTest::newRow("2.5 → 2") << 5 << 2 << 2;
        QTest::newRow("3.5 → 4") << 7 << 2 << 4;
        QTest::newRow("-2.5 → -2") << -5 << 2 << -2;
        QTest::newRow("-3.5 → -4") << -7 << 2 << -4;
        QTest::newRow("-0.3 → 0") << -3 << 10 << 0;
        QTest::newRow("-0.7 → -1") << -7 << 10 << -1;
        QTest::newRow("negative denominator: 7/-2 → -4") << 7 << -2 << -4;
    }
    void roundHalfEvenMatchesBankersRounding() {
        QFETCH(int, numerator);
        QFETCH(int, denominator);
        QFETCH(int, expected);
        QCOMPARE(TLMDProgress::roundHalfEven(numerator, denominator), expected);
    }

    void segmentGeometryOfTheMainWindowBar() {
        const QList<QRect> rects = TLMDProgress::segmentRects(613, 38, 10, 100);
        QCOMPARE(rects.size(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(rects[i].left(), 3 + 61 * i);
            QCOMPARE(rects[i].right() + 1, 61 * (i + 1));
            QCOMPARE(rects[i].top(), 3);
            QCOMPARE(rects[i].bottom() + 1, 35);
        }
        QCOMPARE(rects.last().right() + 1, 610);
    }

    void drawnBarsFollowPosition_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("bars");
        QTest::newRow("0 %") << 0 << 0;
        QTest::newRow("14 % → 1.4 → 1") << 14 << 1;
        QTest::newRow("25 % → 2.5 → 2 (even)") << 25 << 2;
        QTest::newRow("35 % → 3.5 → 4 (even)") << 35 << 4;
        QTest::newRow("100 %") << 100 << 10;
        QTest::newRow("above 100 clamps") << 140 << 10;
    }
    void drawnBarsFollowPosition() {
        QFETCH(int, position);
        QFETCH(int, bars);
        QCOMPARE(TLMDProgress::drawnBars(position, 10), bars);
        QCOMPARE(TLMDProgress::segmentRects(613, 38, 10, position).size(), bars);
    }

    void tooSmallAreaDrawsNoBars() {
        QVERIFY(TLMDProgress::segmentRects(30, 38, 10, 100).isEmpty());
        QVERIFY(TLMDProgress::segmentRects(613, 6, 10, 100).isEmpty());
    }

    void positionFollowsUserValue_data() {
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("userValue");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("keptUserValue");
        QTest::newRow("main window: 10 of 10") << 0 << 10 << 10 << 100 << 10;
        QTest::newRow("1 of 3 → 33") << 0 << 3 << 1 << 33 << 1;
        QTest::newRow("2 of 3 → 67") << 0 << 3 << 2 << 67 << 2;
        QTest::newRow("1 of 8 → 12.5 → 12") << 0 << 8 << 1 << 12 << 1;
        QTest::newRow("3 of 8 → 37.5 → 38") << 0 << 8 << 3 << 38 << 3;
        QTest::newRow("offset range 15 in 10..20 → 50") << 10 << 20 << 15 << 50 << 15;
        QTest::newRow("above the range clamps") << 0 << 10 << 14 << 100 << 10;
        QTest::newRow("below the range clamps") << 5 << 10 << 2 << 0 << 5;
        QTest::newRow("empty range stands at 0") << 4 << 4 << 4 << 0 << 4;
    }
    void positionFollowsUserValue() {
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(int, userValue);
        QFETCH(int, position);
        QFETCH(int, keptUserValue);
        TLMDProgress bar;
        bar.setMaxValue(maxValue);
        bar.setMinValue(minValue);
        bar.setUserValue(userValue);
        QCOMPARE(bar.position(), position);
        QCOMPARE(bar.userValue(), keptUserValue);
    }

    void userValueFollowsPosition_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("userValue");
        QTest::newRow("45 % of 10 → 4.5 → 4") << 45 << 4;
        QTest::newRow("55 % of 10 → 5.5 → 6") << 55 << 6;
        QTest::newRow("100 %") << 100 << 10;
        QTest::newRow("below 0 clamps") << -3 << 0;
    }
    void userValueFollowsPosition() {
        QFETCH(int, position);
        QFETCH(int, userValue);
        TLMDProgress bar;
        bar.setMaxValue(10);
        bar.setPosition(position);
        QCOMPARE(bar.userValue(), userValue);
    }

    void autoSizeSnapsWidthToBars_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("snapped");
        QTest::newRow("main window 615 stays") << 615 << 615;
        QTest::newRow("600 → bar 57 → 605") << 600 << 605;
        QTest::newRow("620 → bar 59 → 625") << 620 << 625;
    }
    void autoSizeSnapsWidthToBars() {
        QFETCH(int, width);
        QFETCH(int, snapped);
        QCOMPARE(TLMDProgress::autoSizeWidth(width, 10), snapped);
        QCOMPARE(TLMDProgress::autoSizeWidth(snapped, 10), snapped);
        QWidget parent;
        TLMDProgress bar(&parent);
        bar.setGeometry(4, 507, width, 40);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QCOMPARE(bar.width(), snapped);
        QCOMPARE(bar.height(), 40);
    }

    void paintedBarsGapsAndBevelMatchGeometry() {
        TLMDProgress bar;
        bar.setAutoSize(false);
        bar.resize(615, 40);
        bar.setMaxValue(10);
        bar.setUserValue(10);
        QList<Query> queries;
        bar.setOnGetColor([&queries](int index, QColor &colour) {
            queries.append({index, colour});
            colour = answeredColour(index);
        });
        const QImage image = bar.grab().toImage();
        QCOMPARE(image.size(), QSize(615, 40));

        QCOMPARE(queries.size(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(queries[i].bar, i);
            QCOMPARE(queries[i].preset, QColor(0, 0, 128));
        }

        const QRgb face = systemColor(SystemColor::ButtonFace).rgb();
        for (int y = 1; y < 39; ++y) {
            for (int x = 1; x < 614; ++x) {
                const int ix = x - 1;
                const int iy = y - 1;
                QRgb expected = face;
                if (iy >= 3 && iy < 35 && ix >= 3 && ix < 610 && (ix % 61) >= 3)
                    expected = answeredColour(ix / 61).rgb();
                if (image.pixel(x, y) != expected)
                    QFAIL(qPrintable(
                        QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(image.pixel(x, y), 8, 16)));
            }
        }
        // The thin sunken border: shadow above and left, highlight below and right.
        const QRgb shadow = systemColor(SystemColor::ButtonShadow).rgb();
        const QRgb highlight = systemColor(SystemColor::ButtonHighlight).rgb();
        QCOMPARE(image.pixel(300, 0), shadow);
        QCOMPARE(image.pixel(0, 20), shadow);
        QCOMPARE(image.pixel(300, 39), highlight);
        QCOMPARE(image.pixel(614, 20), highlight);
    }

    void everyPaintAsksAgainWithNavyPreset() {
        TLMDProgress bar;
        bar.setAutoSize(false);
        bar.resize(615, 40);
        bar.setPosition(100);
        QList<Query> queries;
        bar.setOnGetColor([&queries](int index, QColor &colour) {
            queries.append({index, colour});
            colour = Qt::red;
        });
        bar.grab();
        bar.grab();
        QCOMPARE(queries.size(), 20);
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(queries[i].bar, i % 10);
            QCOMPARE(queries[i].preset, QColor(0, 0, 128));
        }
    }

    void changingOneAnswerRepaintsOnlyThatBar() {
        TLMDProgress bar;
        bar.setAutoSize(false);
        bar.resize(615, 40);
        bar.setPosition(100);
        int changed = -1;
        bar.setOnGetColor([&changed](int index, QColor &colour) {
            colour = index == changed ? QColor(Qt::red) : answeredColour(index);
        });
        const QImage before = bar.grab().toImage();
        changed = 4;
        const QImage after = bar.grab().toImage();
        const QRect bar4 = TLMDProgress::segmentRects(613, 38, 10, 100).at(4).translated(1, 1);
        int differing = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 615; ++x) {
                if (before.pixel(x, y) == after.pixel(x, y))
                    continue;
                ++differing;
                QVERIFY2(bar4.contains(x, y), qPrintable(QStringLiteral("%1,%2 changed").arg(x).arg(y)));
                QCOMPARE(after.pixel(x, y), QColor(Qt::red).rgb());
            }
        }
        QCOMPARE(differing, bar4.width() * bar4.height());
    }

    void withoutHandlerBarsAreNavy() {
        TLMDProgress bar;
        bar.setAutoSize(false);
        bar.resize(615, 40);
        bar.setPosition(100);
        const QImage image = bar.grab().toImage();
        QCOMPARE(image.pixel(1 + 30, 1 + 20), qRgb(0, 0, 128));
        QCOMPARE(image.pixel(1 + 62, 1 + 20), systemColor(SystemColor::ButtonFace).rgb());
    }
};

QTEST_MAIN(TestProgress)
#include "tst_progress.moc"

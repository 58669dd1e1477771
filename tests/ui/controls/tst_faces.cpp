#include "ui/controls/faces.h"
#include "ui/controls/systemcolors.h"

#include <QSet>
#include <QtTest>

namespace {

const QRgb kWhite = 0xffffffu;
const QRgb kBlack = 0x000000u;

QRgb rgbAt(const QImage &image, int x, int y) {
    return image.pixel(x, y) & 0xffffffu;
}

QRgb rgbOf(const QColor &color) {
    return color.rgb() & 0xffffffu;
}

} // namespace

class TestFaces : public QObject {
    Q_OBJECT

private:
    void addCases() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("raised");
        QTest::addColumn<QColor>("fill");
        QTest::newRow("button face 0: raised 150x40")
            << 150 << 40 << true << systemColor(SystemColor::ButtonFace);
        QTest::newRow("button face 1: sunken 150x40")
            << 150 << 40 << false << systemColor(SystemColor::ButtonShadow);
        QTest::newRow("green lamp lit: raised 40x40") << 40 << 40 << true << QColor(0, 255, 0);
        QTest::newRow("red lamp off: raised 40x40") << 40 << 40 << true << QColor(128, 0, 0);
        QTest::newRow("clock frame: sunken 140x40") << 140 << 40 << false << QColor(255, 251, 240);
    }

private slots:
    void outlinesAndRegionsLandWhereDrawn_data() { addCases(); }
    void outlinesAndRegionsLandWhereDrawn() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, raised);
        QFETCH(QColor, fill);
        const QImage face = DrawButtonFace(width, height, raised, fill);
        QCOMPARE(face.size(), QSize(width, height));
        QCOMPARE(face.format(), QImage::Format_RGB32);
        const int w = width;
        const int h = height;
        const int mid = h / 2 - 1;

        // White outside the outer outline: corners, and the last column and row the outline leaves out.
        for (const QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            QCOMPARE(rgbAt(face, p.x(), p.y()), kWhite);
        for (int x = 0; x < w; ++x)
            QCOMPARE(rgbAt(face, x, h - 1), kWhite);
        for (int y = 0; y < h; ++y)
            QCOMPARE(rgbAt(face, w - 1, y), kWhite);

        // Outer outline on columns 0..w-2 and rows 0..h-2; inner outline on 5..w-7 and 5..h-7.
        QCOMPARE(rgbAt(face, 0, mid), kBlack);
        QCOMPARE(rgbAt(face, w - 2, mid), kBlack);
        QCOMPARE(rgbAt(face, w / 2, 0), kBlack);
        QCOMPARE(rgbAt(face, w / 2, h - 2), kBlack);
        QCOMPARE(rgbAt(face, 5, mid), kBlack);
        QCOMPARE(rgbAt(face, w - 7, mid), kBlack);
        QCOMPARE(rgbAt(face, w / 2, 5), kBlack);
        QCOMPARE(rgbAt(face, w / 2, h - 7), kBlack);

        // The ring: lighter at the upper left and darker at the lower right when raised, reversed when
        // sunken.
        const QRgb light = rgbOf(systemColor(SystemColor::ButtonFace));
        const QRgb dark = rgbOf(systemColor(SystemColor::ButtonShadow));
        const QRgb upperLeft = raised ? light : dark;
        const QRgb lowerRight = raised ? dark : light;
        QCOMPARE(rgbAt(face, w / 2, 2), upperLeft);
        QCOMPARE(rgbAt(face, 2, mid), upperLeft);
        QCOMPARE(rgbAt(face, w / 2, h - 4), lowerRight);
        QCOMPARE(rgbAt(face, w - 4, mid), lowerRight);

        // The inner pill holds C, also where the dividing line crosses it.
        QCOMPARE(rgbAt(face, w / 2, mid), rgbOf(fill));
        QCOMPARE(rgbAt(face, 12, mid), rgbOf(fill));
        QCOMPARE(rgbAt(face, w / 2, 6), rgbOf(fill));
    }

    void noColourCrossesAnOutline_data() { addCases(); }
    void noColourCrossesAnOutline() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, raised);
        QFETCH(QColor, fill);
        const QImage face = DrawButtonFace(width, height, raised, fill);
        const QRgb c = rgbOf(fill);
        const QRgb light = rgbOf(systemColor(SystemColor::ButtonFace));
        const QRgb dark = rgbOf(systemColor(SystemColor::ButtonShadow));

        QSet<QRgb> colours;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const QRgb p = rgbAt(face, x, y);
                colours.insert(p);
                const QPoint neighbours[4] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
                for (const QPoint n : neighbours) {
                    if (!face.rect().contains(n))
                        continue;
                    const QRgb q = rgbAt(face, n.x(), n.y());
                    // White only ever meets black: the white fill stopped at the outer outline and nothing
                    // of the ring leaked out.
                    if (p == kWhite)
                        QVERIFY2(q == kWhite || q == kBlack,
                                 qPrintable(QStringLiteral("white meets %1 at %2,%3")
                                                .arg(q, 6, 16, QLatin1Char('0'))
                                                .arg(x)
                                                .arg(y)));
                    // A fill colour distinct from the ring's meets only itself and black.
                    if (p == c && c != light && c != dark)
                        QVERIFY2(q == c || q == kBlack,
                                 qPrintable(QStringLiteral("C leaks at %1,%2").arg(x).arg(y)));
                }
            }
        }
        const QSet<QRgb> allowed{kWhite, kBlack, light, dark, c};
        QVERIFY(colours.size() >= 4);
        for (const QRgb colour : colours)
            QVERIFY2(allowed.contains(colour), qPrintable(QString::number(colour, 16)));
    }

    void outlinesAreMirrorSymmetric_data() { addCases(); }
    void outlinesAreMirrorSymmetric() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, raised);
        QFETCH(QColor, fill);
        const QImage face = DrawButtonFace(width, height, raised, fill);
        // Both outlines are centred on (w-2)/2, (h-2)/2; a stray pixel at one extreme breaks the mirror.
        for (int y = 0; y <= height - 2; ++y) {
            for (int x = 0; x <= width - 2; ++x) {
                const bool here = rgbAt(face, x, y) == kBlack;
                QCOMPARE(rgbAt(face, width - 2 - x, y) == kBlack, here);
                QCOMPARE(rgbAt(face, x, height - 2 - y) == kBlack, here);
            }
        }
    }

    void circleLampIsRoundNotClipped() {
        const QImage lamp = DrawButtonFace(40, 40, true, QColor(255, 0, 0));
        // A circle of 39 pixels across: touches all four sides at their middles, nowhere near the corners.
        QCOMPARE(rgbAt(lamp, 19, 0), kBlack);
        QCOMPARE(rgbAt(lamp, 0, 19), kBlack);
        QCOMPARE(rgbAt(lamp, 38, 19), kBlack);
        QCOMPARE(rgbAt(lamp, 19, 38), kBlack);
        QCOMPARE(rgbAt(lamp, 3, 3), kWhite);
        QCOMPARE(rgbAt(lamp, 35, 35), kWhite);
        QCOMPARE(rgbAt(lamp, 19, 19), 0xff0000u);
    }

    void faceOutsideTurnsTransparentWhenMasked() {
        const QImage masked = maskWhite(DrawButtonFace(150, 40, true, systemColor(SystemColor::ButtonFace)));
        QCOMPARE(masked.format(), QImage::Format_ARGB32);
        QCOMPARE(qAlpha(masked.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(masked.pixel(149, 39)), 0);
        QCOMPARE(qAlpha(masked.pixel(0, 19)), 255);
        QCOMPARE(masked.pixel(75, 19), systemColor(SystemColor::ButtonFace).rgba());
    }

    void maskWhiteKeepsEveryOtherColourOpaque() {
        QImage image(3, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, qRgb(255, 255, 255));
        image.setPixel(1, 0, qRgb(255, 255, 254));
        image.setPixel(2, 0, qRgb(0, 0, 0));
        const QImage masked = maskWhite(image);
        QCOMPARE(qAlpha(masked.pixel(0, 0)), 0);
        QCOMPARE(masked.pixel(1, 0), qRgba(255, 255, 254, 255));
        QCOMPARE(masked.pixel(2, 0), qRgba(0, 0, 0, 255));
    }

    void highDensityFacesAreDrawnNotStretched_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("raised");
        QTest::newRow("1.25, raised") << 1.25 << true;
        QTest::newRow("1.5, sunken") << 1.5 << false;
        QTest::newRow("2, raised") << 2.0 << true;
        QTest::newRow("2, sunken") << 2.0 << false;
    }
    void highDensityFacesAreDrawnNotStretched() {
        QFETCH(qreal, ratio);
        QFETCH(bool, raised);
        const QColor fill(0, 255, 0);
        const QImage face = maskWhite(DrawButtonFace(150, 40, raised, fill, ratio));
        QCOMPARE(face.devicePixelRatio(), ratio);
        QCOMPARE(face.deviceIndependentSize().toSize(), QSize(150, 40));
        const int w = face.width(), h = face.height();
        QCOMPARE(QSize(w, h), QSize(qRound(150 * ratio), qRound(40 * ratio)));
        // Transparent outside, black outlines, the two rings in their light and dark halves, the pill filled.
        QCOMPARE(qAlpha(face.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(face.pixel(w - 1, h - 1)), 0);
        QCOMPARE(rgbAt(face, w / 2, 0), kBlack);
        QCOMPARE(rgbAt(face, w / 2, qRound(5.5 * ratio)), kBlack);
        const QRgb face0 = rgbOf(systemColor(SystemColor::ButtonFace));
        const QRgb shadow = rgbOf(systemColor(SystemColor::ButtonShadow));
        QCOMPARE(rgbAt(face, w / 2, qRound(3 * ratio)), raised ? face0 : shadow);
        QCOMPARE(rgbAt(face, w / 2, h - 1 - qRound(3 * ratio)), raised ? shadow : face0);
        QCOMPARE(rgbAt(face, w / 2, h / 2), rgbOf(fill));
        // Only the face's own colours: nothing blurred in between.
        QSet<QRgb> colours;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (qAlpha(face.pixel(x, y)))
                    colours << rgbAt(face, x, y);
        QCOMPARE(colours, (QSet<QRgb>{kBlack, face0, shadow, rgbOf(fill)}));
        // A stretched one-to-one face repeats every pixel in whole blocks; one drawn for the density steps by
        // single device pixels along its curves.
        const QImage stretched = maskWhite(DrawButtonFace(150, 40, raised, fill))
                                     .scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        int differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < 20 * ratio; ++x)
                differing += face.pixel(x, y) != stretched.pixel(x, y);
        QVERIFY2(differing > 10, qPrintable(QString::number(differing)));
    }

    void emptySizeGivesNullImage() {
        QVERIFY(DrawButtonFace(0, 40, true, Qt::red).isNull());
        QVERIFY(DrawButtonFace(40, -1, true, Qt::red).isNull());
    }
};

QTEST_GUILESS_MAIN(TestFaces)
#include "tst_faces.moc"

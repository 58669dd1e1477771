#include "ui/controls/faces.h"

#include <QtTest>

namespace {

// Pictures as rows of characters: '.' white, '#' black, 'r' red, 'g' green, 'b' blue.
QRgb colourOf(QChar c) {
    switch (c.toLatin1()) {
    case '#':
        return qRgb(0, 0, 0);
    case 'r':
        return qRgb(255, 0, 0);
    case 'g':
        return qRgb(0, 255, 0);
    case 'b':
        return qRgb(0, 0, 255);
    default:
        return qRgb(255, 255, 255);
    }
}

QChar charOf(QRgb rgb) {
    for (const char c : {'.', '#', 'r', 'g', 'b'}) {
        if ((colourOf(QLatin1Char(c)) & 0xffffffu) == (rgb & 0xffffffu))
            return QLatin1Char(c);
    }
    return QLatin1Char('?');
}

QImage picture(const QStringList &rows, QImage::Format format = QImage::Format_RGB32) {
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colourOf(rows[y][x]));
    return image.convertToFormat(format);
}

QStringList rowsOf(const QImage &image) {
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x)
            row += charOf(image.pixel(x, y));
        rows << row;
    }
    return rows;
}

} // namespace

class TestFloodFill : public QObject {
    Q_OBJECT

private slots:
    void surfaceFillReplacesOnlyTheConnectedArea_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QPoint>("seed");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("wall stops the fill") << QStringList{"..#..", "..#..", "..#.."} << QPoint(0, 0)
                                             << QStringList{"rr#..", "rr#..", "rr#.."};
        QTest::newRow("diagonal gap is not crossed")
            << QStringList{"...#", "..#.", ".#..", "#..."} << QPoint(0, 0)
            << QStringList{"rrr#", "rr#.", "r#..", "#..."};
        QTest::newRow("seed on the far side of a diagonal")
            << QStringList{"...#", "..#.", ".#..", "#..."} << QPoint(3, 3)
            << QStringList{"...#", "..#r", ".#rr", "#rrr"};
        QTest::newRow("other colours bound the surface too")
            << QStringList{".g..", ".g..", ".b.."} << QPoint(3, 0) << QStringList{".grr", ".grr", ".brr"};
        QTest::newRow("seed on a border pixel fills the border's own surface")
            << QStringList{"..#..", "..#..", "....."} << QPoint(2, 0)
            << QStringList{"..r..", "..r..", "....."};
        QTest::newRow("seed in the bottom-right corner")
            << QStringList{"#...", "#.#.", "#..."} << QPoint(3, 2) << QStringList{"#rrr", "#r#r", "#rrr"};
        QTest::newRow("whole image") << QStringList{"....", "....", "...."} << QPoint(1, 1)
                                     << QStringList{"rrrr", "rrrr", "rrrr"};
        QTest::newRow("one-pixel pocket")
            << QStringList{"###", "#.#", "###"} << QPoint(1, 1) << QStringList{"###", "#r#", "###"};
        QTest::newRow("fill colour equals the seed's: nothing changes")
            << QStringList{"r.#", "rr#"} << QPoint(0, 0) << QStringList{"r.#", "rr#"};
        QTest::newRow("seed outside the image: nothing changes")
            << QStringList{"...", "..."} << QPoint(3, 0) << QStringList{"...", "..."};
    }
    void surfaceFillReplacesOnlyTheConnectedArea() {
        QFETCH(QStringList, before);
        QFETCH(QPoint, seed);
        QFETCH(QStringList, after);
        QImage image = picture(before);
        floodFillSurface(image, seed, QColor(255, 0, 0));
        QCOMPARE(rowsOf(image), after);
    }

    void borderFillStopsOnlyAtTheBorderColour_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QPoint>("seed");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("paints over other colours up to black")
            << QStringList{"#####", "#.gb#", "#g.r#", "#####"} << QPoint(1, 1)
            << QStringList{"#####", "#rrr#", "#rrr#", "#####"};
        QTest::newRow("diagonal gap in the border holds")
            << QStringList{"..g#", ".g#.", "g#.b", "#.b."} << QPoint(0, 0)
            << QStringList{"rrr#", "rr#.", "r#.b", "#.b."};
        QTest::newRow("outside of a ring from a corner")
            << QStringList{".....", ".###.", ".#g#.", ".###.", "....."} << QPoint(0, 4)
            << QStringList{"rrrrr", "r###r", "r#g#r", "r###r", "rrrrr"};
        QTest::newRow("seed on the border: nothing changes")
            << QStringList{"..#", "..#"} << QPoint(2, 1) << QStringList{"..#", "..#"};
        QTest::newRow("whole image without border")
            << QStringList{"gb", "b."} << QPoint(1, 1) << QStringList{"rr", "rr"};
    }
    void borderFillStopsOnlyAtTheBorderColour() {
        QFETCH(QStringList, before);
        QFETCH(QPoint, seed);
        QFETCH(QStringList, after);
        QImage image = picture(before);
        floodFillToBorder(image, seed, QColor(0, 0, 0), QColor(255, 0, 0));
        QCOMPARE(rowsOf(image), after);
    }

    void fillsWorkOnOtherPixelFormats_data() {
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("ARGB32") << QImage::Format_ARGB32;
        QTest::newRow("premultiplied ARGB32") << QImage::Format_ARGB32_Premultiplied;
        QTest::newRow("RGB888 through a copy") << QImage::Format_RGB888;
    }
    void fillsWorkOnOtherPixelFormats() {
        QFETCH(QImage::Format, format);
        QImage image = picture({"..#..", "..#.."}, format);
        floodFillSurface(image, QPoint(4, 1), QColor(0, 255, 0));
        floodFillToBorder(image, QPoint(0, 0), QColor(0, 0, 0), QColor(0, 0, 255));
        QCOMPARE(image.format(), format);
        QCOMPARE(rowsOf(image), (QStringList{"bb#gg", "bb#gg"}));
    }

    void longWindingAreaNeedsNoRecursion() {
        // A serpentine corridor of a million pixels: a recursive fill would exhaust the stack.
        const int size = 1001;
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = 1; y < size; y += 2) {
            const int gap = (y / 2) % 2 == 0 ? size - 1 : 0;
            for (int x = 0; x < size; ++x)
                if (x != gap)
                    image.setPixel(x, y, qRgb(0, 0, 0));
        }
        floodFillSurface(image, QPoint(0, 0), QColor(255, 0, 0));
        QCOMPARE(image.pixel(0, size - 1) & 0xffffffu, 0xff0000u);
        QCOMPARE(image.pixel(size - 1, size - 1) & 0xffffffu, 0xff0000u);
        floodFillToBorder(image, QPoint(size - 1, size - 1), QColor(0, 0, 0), QColor(0, 255, 0));
        QCOMPARE(image.pixel(0, 0) & 0xffffffu, 0x00ff00u);
    }
};

QTEST_GUILESS_MAIN(TestFloodFill)
#include "tst_floodfill.moc"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

// The committed pictures must be exactly what the committed generator draws, and must keep the properties the
// windows rely on (size, true colour, the lime key of the about picture) and those the desktop relies on for
// the icons (square, transparent around the tile, the lamp lit).
class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void generatorWritesEveryCommittedPicture();
    void committedPicturesComeFromGenerator_data();
    void committedPicturesComeFromGenerator();
    void embeddedPicturesAreTheCommittedOnes_data();
    void embeddedPicturesAreTheCommittedOnes();
    void picturesAreStoredAs24BitTrueColour_data();
    void picturesAreStoredAs24BitTrueColour();
    void titleHasPhotographicDetail();
    void aboutHasLimeKeyAndNoLimeFringes();
    void aboutBookIsDarkCyan();
    void iconsComeInTheThemesSizes();
    void iconsAreStoredWithAlpha_data();
    void iconsAreStoredWithAlpha();
    void iconIsATileWithItsShadowOnTransparency_data();
    void iconIsATileWithItsShadowOnTransparency();
    void iconShowsTheGateAndItsLitLamp_data();
    void iconShowsTheGateAndItsLitLamp();

private:
    QTemporaryDir m_generated;
};

namespace {

QString committedPath(const QString &name) {
    return QStringLiteral(LOGICUS_PICTURES_DIR "/") + name;
}

QImage loadRgb(const QString &path) {
    QImage image(path);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB888);
}

QImage loadArgb(const QString &path) {
    QImage image(path);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

// What a PNG file's first chunk says of its pixels.
struct PngHeader {
    bool valid = false;
    int width = 0, height = 0, bitsPerChannel = 0, colourType = 0;
};

PngHeader readPngHeader(const QByteArray &start) {
    PngHeader png;
    if (start.size() < 26 || start.left(8) != QByteArray("\x89PNG\r\n\x1a\n", 8) ||
        start.mid(12, 4) != "IHDR")
        return png;
    const auto be32 = [&](int at) {
        return (uchar(start[at]) << 24) | (uchar(start[at + 1]) << 16) | (uchar(start[at + 2]) << 8) |
               uchar(start[at + 3]);
    };
    png.valid = true;
    png.width = be32(16);
    png.height = be32(20);
    png.bitsPerChannel = uchar(start[24]);
    png.colourType = uchar(start[25]);
    return png;
}

QStringList picturesIn(const QString &folder) {
    return QDir(folder).entryList({QStringLiteral("*.png"), QStringLiteral("*.bmp")}, QDir::Files,
                                  QDir::Name);
}

// The committed icon sizes, from the names icon-<size>.png, smallest first.
QList<int> iconSizes() {
    QList<int> sizes;
    for (const QString &name :
         QDir(QStringLiteral(LOGICUS_PICTURES_DIR)).entryList({QStringLiteral("icon-*.png")}))
        sizes << name.mid(5, name.size() - 9).toInt();
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

QString iconName(int size) {
    return QStringLiteral("icon-%1.png").arg(size);
}

void addIconRows() {
    QTest::addColumn<int>("size");
    for (const int size : iconSizes())
        QTest::addRow("%dx%d", size, size) << size;
}

// The icon's pixel under a point of the 256-unit square it is designed on.
QRgb iconPixel(const QImage &icon, double u, double v) {
    return icon.pixel(int(u * icon.width() / 256), int(v * icon.height() / 256));
}

bool isLime(QRgb c) {
    return qRed(c) == 0 && qGreen(c) == 255 && qBlue(c) == 0;
}

bool isDarkCyan(QRgb c) {
    return qRed(c) < 60 && qGreen(c) >= 40 && qGreen(c) <= 170 && qBlue(c) >= 40 && qBlue(c) <= 170 &&
           std::abs(qGreen(c) - qBlue(c)) < 40;
}

} // namespace

void TestArtwork::initTestCase() {
    QVERIFY(m_generated.isValid());
    QProcess generator;
    generator.start(QStringLiteral(LOGICUS_GEN_ARTWORK), {m_generated.path()});
    QVERIFY2(generator.waitForFinished(480000), "gen_artwork did not finish");
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QVERIFY2(generator.exitCode() == 0, generator.readAllStandardError().constData());
}

void TestArtwork::generatorWritesEveryCommittedPicture() {
    QCOMPARE(picturesIn(m_generated.path()), picturesIn(QStringLiteral(LOGICUS_PICTURES_DIR)));
}

void TestArtwork::committedPicturesComeFromGenerator_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("title") << "title.bmp";
    QTest::newRow("about") << "about.png";
    for (const int size : iconSizes())
        QTest::addRow("icon %d", size) << iconName(size);
}

void TestArtwork::committedPicturesComeFromGenerator() {
    QFETCH(QString, name);
    // Alpha included: the icons' transparency is part of the picture.
    const QImage generated = loadArgb(m_generated.filePath(name));
    const QImage committed = loadArgb(committedPath(name));
    QVERIFY(!generated.isNull());
    QVERIFY(!committed.isNull());
    QCOMPARE(generated.size(), committed.size());
    int differing = 0;
    for (int y = 0; y < committed.height(); ++y) {
        for (int x = 0; x < committed.width(); ++x)
            differing += generated.pixel(x, y) != committed.pixel(x, y);
    }
    QVERIFY2(differing == 0,
             qPrintable(QStringLiteral("%1 pixels differ; regenerate with gen_artwork").arg(differing)));
}

void TestArtwork::embeddedPicturesAreTheCommittedOnes_data() {
    // The icons are for the desktop only: the program does not carry them.
    QTest::addColumn<QString>("name");
    QTest::newRow("title") << "title.bmp";
    QTest::newRow("about") << "about.png";
}

void TestArtwork::embeddedPicturesAreTheCommittedOnes() {
    QFETCH(QString, name);
    QFile embedded(QStringLiteral(":/pictures/") + name);
    QFile committed(committedPath(name));
    QVERIFY(embedded.open(QIODevice::ReadOnly));
    QVERIFY(committed.open(QIODevice::ReadOnly));
    QVERIFY(embedded.readAll() == committed.readAll());
}

void TestArtwork::picturesAreStoredAs24BitTrueColour_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("title") << "title.bmp" << 617 << 497;
    QTest::newRow("about") << "about.png" << 96 << 96;
}

void TestArtwork::picturesAreStoredAs24BitTrueColour() {
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QFile file(committedPath(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(54);
    const auto le = [&](int at, int bytes) {
        quint32 value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | uchar(header[at + i]);
        return value;
    };
    if (name.endsWith(QLatin1String(".bmp"))) {
        // The title loads at start-up, before the first paint: an uncompressed bitmap stored top row first
        // with its pixels on a four-byte boundary is shown straight from the program's resource data.
        QCOMPARE(header.left(2), QByteArray("BM"));
        QCOMPARE(int(le(18, 4)), width);
        QCOMPARE(qint32(le(22, 4)), -height);
        QCOMPARE(le(10, 4) % 4, 0u);
        QCOMPARE(int(le(28, 2)), 24); // bits per pixel
        QCOMPARE(int(le(30, 4)), 0);  // no compression
        return;
    }
    const PngHeader png = readPngHeader(header);
    QVERIFY(png.valid);
    QCOMPARE(png.width, width);
    QCOMPARE(png.height, height);
    QCOMPARE(png.bitsPerChannel, 8);
    QCOMPARE(png.colourType, 2); // RGB, no alpha, no palette
}

void TestArtwork::titleHasPhotographicDetail() {
    const QImage title = loadRgb(committedPath(QStringLiteral("title.bmp")));
    QCOMPARE(title.size(), QSize(617, 497));
    QSet<QRgb> colours;
    for (int y = 0; y < title.height(); ++y) {
        for (int x = 0; x < title.width(); ++x)
            colours.insert(title.pixel(x, y));
    }
    QVERIFY2(colours.size() > 5000, qPrintable(QString::number(colours.size())));

    // Flat clip-art has large areas of one colour; a photograph has texture in nearly every 8 × 8 block.
    int blocks = 0, textured = 0;
    for (int by = 0; by + 8 <= title.height(); by += 8) {
        for (int bx = 0; bx + 8 <= title.width(); bx += 8) {
            double sum = 0, sum2 = 0;
            for (int y = by; y < by + 8; ++y) {
                for (int x = bx; x < bx + 8; ++x) {
                    const double g = qGray(title.pixel(x, y));
                    sum += g;
                    sum2 += g * g;
                }
            }
            const double variance = sum2 / 64 - (sum / 64) * (sum / 64);
            ++blocks;
            textured += variance > 1.0;
        }
    }
    QVERIFY2(textured > blocks * 95 / 100, qPrintable(QStringLiteral("%1 of %2").arg(textured).arg(blocks)));
}

void TestArtwork::aboutHasLimeKeyAndNoLimeFringes() {
    const QImage about = loadRgb(committedPath(QStringLiteral("about.png")));
    QCOMPARE(about.size(), QSize(96, 96));
    QVERIFY(isLime(about.pixel(0, 95)));
    int object = 0;
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            const QRgb c = about.pixel(x, y);
            if (isLime(c))
                continue;
            ++object;
            // An edge pixel blended with the lime would be greener than anything in the book or the disc.
            const bool edge =
                (x > 0 && isLime(about.pixel(x - 1, y))) || (x < 95 && isLime(about.pixel(x + 1, y))) ||
                (y > 0 && isLime(about.pixel(x, y - 1))) || (y < 95 && isLime(about.pixel(x, y + 1)));
            if (edge)
                QVERIFY2(qGreen(c) - std::max(qRed(c), qBlue(c)) < 30,
                         qPrintable(
                             QStringLiteral("lime fringe at %1,%2: %3").arg(x).arg(y).arg(QColor(c).name())));
        }
    }
    QVERIFY2(object > 96 * 96 / 4, qPrintable(QString::number(object)));
    QVERIFY2(object < 96 * 96 * 3 / 4, qPrintable(QString::number(object)));
}

void TestArtwork::aboutBookIsDarkCyan() {
    const QImage about = loadRgb(committedPath(QStringLiteral("about.png")));
    int object = 0, darkCyan = 0;
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            const QRgb c = about.pixel(x, y);
            if (isLime(c))
                continue;
            ++object;
            darkCyan += isDarkCyan(c);
        }
    }
    // The cover and spine outweigh the disc and the page edges.
    QVERIFY2(darkCyan * 100 > object * 40, qPrintable(QStringLiteral("%1 of %2").arg(darkCyan).arg(object)));
    // The lower-left quarter of the object (cover corner and spine) is dark cyan.
    QVERIFY(isDarkCyan(about.pixel(20, 55)));
}

void TestArtwork::iconsComeInTheThemesSizes() {
    const QList<int> sizes = iconSizes();
    // 48 × 48 is the size every icon theme falls back on; software centres show 64 and 128.
    for (const int size : {16, 48, 64, 128, 256})
        QVERIFY2(sizes.contains(size), qPrintable(QStringLiteral("no icon-%1.png").arg(size)));
}

void TestArtwork::iconsAreStoredWithAlpha_data() {
    addIconRows();
}

void TestArtwork::iconsAreStoredWithAlpha() {
    QFETCH(int, size);
    QFile file(committedPath(iconName(size)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const PngHeader png = readPngHeader(file.read(26));
    QVERIFY(png.valid);
    QCOMPARE(png.width, size);
    QCOMPARE(png.height, size);
    QCOMPARE(png.bitsPerChannel, 8);
    QCOMPARE(png.colourType, 6); // RGB with alpha
    // Packed, not stored: a desktop reads many icons.
    QVERIFY2(file.size() < qint64(size) * size * 4 * 2 / 3, qPrintable(QString::number(file.size())));
}

void TestArtwork::iconIsATileWithItsShadowOnTransparency_data() {
    addIconRows();
}

void TestArtwork::iconIsATileWithItsShadowOnTransparency() {
    QFETCH(int, size);
    const QImage icon = loadArgb(committedPath(iconName(size)));
    QCOMPARE(icon.size(), QSize(size, size));
    const int last = size - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        QCOMPARE(qAlpha(icon.pixel(corner)), 0);
    // The tile, from a little inside each edge to the middle, is opaque.
    for (const QPointF inside :
         {QPointF(128, 128), QPointF(128, 22), QPointF(22, 128), QPointF(234, 128), QPointF(128, 234)})
        QCOMPARE(qAlpha(iconPixel(icon, inside.x(), inside.y())), 255);
    // The shadow falls below the tile, not above it: more cover under the bottom edge than over the top edge.
    if (size >= 32) {
        const int above = qAlpha(iconPixel(icon, 128, 12));
        const int below = qAlpha(iconPixel(icon, 128, 246));
        QVERIFY2(below > 2 * above && below < 255,
                 qPrintable(QStringLiteral("above %1, below %2").arg(above).arg(below)));
    }
}

void TestArtwork::iconShowsTheGateAndItsLitLamp_data() {
    addIconRows();
}

void TestArtwork::iconShowsTheGateAndItsLitLamp() {
    QFETCH(int, size);
    const QImage icon = loadArgb(committedPath(iconName(size)));
    const auto describe = [](QRgb c) { return qPrintable(QColor(c).name()); };
    // The lamp is lit green.
    const QRgb lamp = iconPixel(icon, 200, 128);
    QVERIFY2(qGreen(lamp) >= 180 && qGreen(lamp) > qRed(lamp) + 60 && qGreen(lamp) > qBlue(lamp) + 60,
             describe(lamp));
    // The gate's body is dark, the board around it green.
    const QRgb gate = iconPixel(icon, 90, 128);
    QVERIFY2(std::max({qRed(gate), qGreen(gate), qBlue(gate)}) < 90, describe(gate));
    const QRgb board = iconPixel(icon, 128, 40);
    QVERIFY2(qGreen(board) > qRed(board) + 30 && qGreen(board) > qBlue(board) + 20, describe(board));
    // Where there is room for them, the input pads are gold.
    if (size >= 48) {
        const QRgb pad = iconPixel(icon, 36, 90);
        QVERIFY2(qRed(pad) > 150 && qRed(pad) > qBlue(pad) + 60 && qGreen(pad) > qBlue(pad) + 30,
                 describe(pad));
    }
}

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"

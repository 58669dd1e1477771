#include <QColor>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

// The committed pictures must be exactly what the committed generator draws, and must keep the properties the
// windows rely on (size, true colour, the lime key of the about picture).
class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void committedPicturesComeFromGenerator_data();
    void committedPicturesComeFromGenerator();
    void embeddedPicturesAreTheCommittedOnes_data();
    void embeddedPicturesAreTheCommittedOnes();
    void picturesAreStoredAs24BitTrueColour_data();
    void picturesAreStoredAs24BitTrueColour();
    void titleHasPhotographicDetail();
    void aboutHasLimeKeyAndNoLimeFringes();
    void aboutBookIsDarkCyan();

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

void TestArtwork::committedPicturesComeFromGenerator_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("title") << "title.bmp";
    QTest::newRow("about") << "about.png";
}

void TestArtwork::committedPicturesComeFromGenerator() {
    QFETCH(QString, name);
    const QImage generated = loadRgb(m_generated.filePath(name));
    const QImage committed = loadRgb(committedPath(name));
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
    committedPicturesComeFromGenerator_data();
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
    QCOMPARE(header.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    QCOMPARE(header.mid(12, 4), QByteArray("IHDR"));
    const auto be32 = [&](int at) {
        return (uchar(header[at]) << 24) | (uchar(header[at + 1]) << 16) | (uchar(header[at + 2]) << 8) |
               uchar(header[at + 3]);
    };
    QCOMPARE(be32(16), width);
    QCOMPARE(be32(20), height);
    QCOMPARE(int(uchar(header[24])), 8); // bits per channel
    QCOMPARE(int(uchar(header[25])), 2); // colour type: RGB, no alpha, no palette
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

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"

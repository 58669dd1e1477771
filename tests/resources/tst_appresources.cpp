#include "resources/appresources.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QResource>
#include <QtEndian>

#include <QtTest>
#include <cstring>

namespace {
QStringList capturedWarnings;

void captureWarnings(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        capturedWarnings << message;
}
} // namespace

class TestAppResources : public QObject {
    Q_OBJECT

private slots:
    // Must run first: fonts are registered once per process.
    void registeringFontsIsSilentAndComplete();
    void programFontResolvesToLiberationTwin_data();
    void programFontResolvesToLiberationTwin();
    void courierNewTwinIsMonospaced();
    void russianSampleKeepsItsMeasuredWidth_data();
    void russianSampleKeepsItsMeasuredWidth();
    void programFontUsesFullHinting();
    void bitmapFastPathMatchesQtsReader_data();
    void bitmapFastPathMatchesQtsReader();
    void malformedBitmapsAreRefused_data();
    void malformedBitmapsAreRefused();
    void bitmapViewNeedsRowsInOrderOnWordBoundaries_data();
    void bitmapViewNeedsRowsInOrderOnWordBoundaries();
    void titlePictureIsShownFromTheResourceData();
    void unknownFamilyPassesThrough();
    void windowsFamiliesAreSubstituted_data();
    void windowsFamiliesAreSubstituted();
    void arialResolvesToLiberationSans();
    // Installs the translator for the rest of the run, so it goes last.
    void qtStandardTextsReadRussianAfterInstall_data();
    void qtStandardTextsReadRussianAfterInstall();
};

void TestAppResources::registeringFontsIsSilentAndComplete() {
    capturedWarnings.clear();
    QtMessageHandler previous = qInstallMessageHandler(captureWarnings);
    const bool all = registerApplicationFonts();
    const bool again = registerApplicationFonts();
    qInstallMessageHandler(previous);
    QVERIFY(all);
    QVERIFY(again);
    QVERIFY2(capturedWarnings.isEmpty(), qPrintable(capturedWarnings.join(QLatin1Char('\n'))));
    // The program's three families and nothing of the machine's: its fonts and rules stay out. On Linux Qt
    // adds fontconfig's three generic names, which can only lead to the program's fonts.
    QStringList families = QFontDatabase::families();
    families.sort();
    QStringList expected = {QStringLiteral("Liberation Mono"), QStringLiteral("Liberation Sans"),
                            QStringLiteral("Liberation Serif")};
#ifndef Q_OS_WIN
    expected << QStringLiteral("Monospace") << QStringLiteral("Sans Serif") << QStringLiteral("Serif");
#endif
    QCOMPARE(families, expected);
    for (const char *generic : {"Monospace", "Sans Serif", "Serif"})
        QVERIFY2(QFontInfo(QFont(QLatin1String(generic))).family().startsWith(QLatin1String("Liberation ")),
                 generic);
}

void TestAppResources::programFontResolvesToLiberationTwin_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixelHeight");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("expected");
    QTest::newRow("courier new bold 19") << "Courier New" << 19 << true << "Liberation Mono";
    QTest::newRow("courier new bold 32") << "Courier New" << 32 << true << "Liberation Mono";
    QTest::newRow("courier new regular 15") << "Courier New" << 15 << false << "Liberation Mono";
    QTest::newRow("arial regular 13") << "Arial" << 13 << false << "Liberation Sans";
    QTest::newRow("arial bold 16") << "Arial" << 16 << true << "Liberation Sans";
    QTest::newRow("times new roman regular 16") << "Times New Roman" << 16 << false << "Liberation Serif";
    QTest::newRow("lower-case name") << "courier new" << 19 << true << "Liberation Mono";
}

void TestAppResources::programFontResolvesToLiberationTwin() {
    QFETCH(QString, family);
    QFETCH(int, pixelHeight);
    QFETCH(bool, bold);
    QFETCH(QString, expected);
    const QFont font = programFont(family, pixelHeight, bold);
    QCOMPARE(font.family(), expected);
    const QFontInfo info(font);
    QCOMPARE(info.family(), expected);
    QCOMPARE(info.pixelSize(), pixelHeight);
    QCOMPARE(info.bold(), bold);
    QVERIFY(info.exactMatch());
}

void TestAppResources::courierNewTwinIsMonospaced() {
    const QFontMetrics metrics(programFont(QStringLiteral("Courier New"), 19, true));
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('W')), metrics.horizontalAdvance(QLatin1Char('i')));
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("Ж")), metrics.horizontalAdvance(QLatin1Char('i')));
}

// Widths measured once with the bundled fonts; a change of font files or hinting shifts every window's layout
// and must show up here. Hinted Liberation Mono advances a whole 11 px at 19 px, so 25 characters take 275
// px; unhinted advances of 0.6 em would give 285.
void TestAppResources::russianSampleKeepsItsMeasuredWidth_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixelHeight");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("status text, mono bold 19")
        << "Courier New" << 19 << true << QStringLiteral("Выбери уровень сложности:") << 275;
    QTest::newRow("title, mono bold 32") << "Courier New" << 32 << true << QStringLiteral("Логикус") << 133;
    QTest::newRow("version, mono bold 15")
        << "Courier New" << 15 << true << QStringLiteral("Версия 1.02") << 99;
    QTest::newRow("sans regular 13") << "Arial" << 13 << false << QStringLiteral("Таблица истинности") << 121;
}

void TestAppResources::russianSampleKeepsItsMeasuredWidth() {
    QFETCH(QString, family);
    QFETCH(int, pixelHeight);
    QFETCH(bool, bold);
    QFETCH(QString, text);
    QFETCH(int, width);
    const QFontMetrics metrics(programFont(family, pixelHeight, bold));
    QCOMPARE(metrics.horizontalAdvance(text), width);
}

namespace {

// A small picture with distinct pixels, written by Qt's own writer.
QByteArray bitmapOf(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QImage sampleImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 37 % 256, y * 53 % 256, (x * y + 11) % 256));
    return image;
}

} // namespace

void TestAppResources::bitmapFastPathMatchesQtsReader_data() {
    QTest::addColumn<QByteArray>("bitmap");
    QFile title(QStringLiteral(":/pictures/title.bmp"));
    QVERIFY(title.open(QIODevice::ReadOnly));
    QTest::newRow("the title picture") << title.readAll();
    // Widths whose rows need 1, 2 and 3 padding bytes, and none.
    for (int width : {1, 2, 3, 4, 7})
        QTest::addRow("%d pixels wide", width) << bitmapOf(sampleImage(width, 5));
    // A top-down bitmap: negative height, first row first.
    QByteArray topDown = bitmapOf(sampleImage(3, 4));
    const qint32 negative = -4;
    std::memcpy(topDown.data() + 22, &negative, 4);
    const qsizetype offset = qFromLittleEndian<quint32>(topDown.constData() + 10);
    QByteArray flipped = topDown.left(offset);
    for (int row = 3; row >= 0; --row)
        flipped += topDown.mid(offset + row * 12, 12);
    QTest::newRow("top-down") << flipped;
}

void TestAppResources::bitmapFastPathMatchesQtsReader() {
    QFETCH(QByteArray, bitmap);
    const QImage fast = readBitmap24(bitmap);
    QVERIFY(!fast.isNull());
    const QImage reference = QImage::fromData(bitmap, "BMP").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(fast.size(), reference.size());
    QCOMPARE(fast.convertToFormat(QImage::Format_RGB32), reference);
}

void TestAppResources::malformedBitmapsAreRefused_data() {
    QTest::addColumn<QByteArray>("bitmap");
    const QByteArray good = bitmapOf(sampleImage(5, 3));
    QVERIFY(!readBitmap24(good).isNull());
    const auto patched = [&](int at, QByteArray bytes) {
        return QByteArray(good).replace(at, bytes.size(), bytes);
    };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut short") << good.left(40);
    QTest::newRow("pixels cut short") << good.left(good.size() - 1);
    QTest::newRow("not a bitmap") << patched(0, "PN");
    QTest::newRow("32 bits per pixel") << patched(28, QByteArray("\x20\x00", 2));
    QTest::newRow("run-length compressed") << patched(30, QByteArray("\x01\x00\x00\x00", 4));
    QTest::newRow("zero width") << patched(18, QByteArray(4, '\0'));
    QTest::newRow("absurd height") << patched(22, QByteArray("\x00\x00\x00\x7f", 4));
    QTest::newRow("pixels before the header's end") << patched(10, QByteArray("\x10\x00\x00\x00", 4));
}

void TestAppResources::malformedBitmapsAreRefused() {
    QFETCH(QByteArray, bitmap);
    QVERIFY(readBitmap24(bitmap).isNull());
}

void TestAppResources::bitmapViewNeedsRowsInOrderOnWordBoundaries_data() {
    QTest::addColumn<QByteArray>("bitmap");
    QTest::addColumn<bool>("viewable");
    const QImage sample = sampleImage(5, 4);
    const QByteArray bottomUp = bitmapOf(sample);
    constexpr qsizetype stride = 16; // 5 pixels of 3 bytes, padded to four
    // The same pixels stored top row first, starting at `pixelsAt`.
    const auto topDown = [&](quint32 pixelsAt) {
        QByteArray bitmap = bottomUp.left(54);
        bitmap.append(QByteArray(qsizetype(pixelsAt) - 54, '\0'));
        for (int row = 3; row >= 0; --row)
            bitmap += bottomUp.mid(54 + row * stride, stride);
        const qint32 negative = -4;
        std::memcpy(bitmap.data() + 22, &negative, 4);
        const quint32 at = qToLittleEndian(pixelsAt);
        std::memcpy(bitmap.data() + 10, &at, 4);
        return bitmap;
    };
    QTest::newRow("top-down, pixels at 56") << topDown(56) << true;
    QTest::newRow("top-down, pixels at 64") << topDown(64) << true;
    QTest::newRow("top-down, pixels at 54") << topDown(54) << false;
    QTest::newRow("bottom-up") << bottomUp << false;
    QTest::newRow("cut short") << topDown(56).chopped(1) << false;
}

void TestAppResources::bitmapViewNeedsRowsInOrderOnWordBoundaries() {
    QFETCH(QByteArray, bitmap);
    QFETCH(bool, viewable);
    QVERIFY2(reinterpret_cast<quintptr>(bitmap.constData()) % 4 == 0, "the test assumes aligned byte arrays");
    const QImage view = bitmap24View(bitmap);
    QCOMPARE(!view.isNull(), viewable);
    if (!viewable)
        return;
    // Shown where it lies, and the same picture a copy gives.
    QCOMPARE(view.constBits(), reinterpret_cast<const uchar *>(bitmap.constData()) +
                                   qFromLittleEndian<quint32>(bitmap.constData() + 10));
    QCOMPARE(view.convertToFormat(QImage::Format_RGB32), sampleImage(5, 4));
    QCOMPARE(readBitmap24(bitmap), sampleImage(5, 4));
}

void TestAppResources::titlePictureIsShownFromTheResourceData() {
    const QString path = QStringLiteral(":/pictures/title.bmp");
    const QImage picture = loadProgramPicture(path);
    QCOMPARE(picture.size(), QSize(617, 497));
    QCOMPARE(picture.convertToFormat(QImage::Format_RGB32),
             QImage(path).convertToFormat(QImage::Format_RGB32));
    const QResource resource(path);
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
    const uchar *begin = resource.data();
    QVERIFY(picture.constBits() > begin && picture.constBits() < begin + resource.size());
}

void TestAppResources::programFontUsesFullHinting() {
    QCOMPARE(programFont(QStringLiteral("Arial"), 13, false).hintingPreference(), QFont::PreferFullHinting);
    QCOMPARE(programFont(QStringLiteral("Courier New"), 19, true).hintingPreference(),
             QFont::PreferFullHinting);
}

void TestAppResources::unknownFamilyPassesThrough() {
    QCOMPARE(programFontFamily(QStringLiteral("Liberation Serif")), QStringLiteral("Liberation Serif"));
    QCOMPARE(programFontFamily(QStringLiteral("Tahoma")), QStringLiteral("Tahoma"));
    QCOMPARE(programFont(QStringLiteral("Tahoma"), 12, false).family(), QStringLiteral("Tahoma"));
}

void TestAppResources::windowsFamiliesAreSubstituted_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("expected");
    QTest::newRow("courier new") << "Courier New"
                                 << "Liberation Mono";
    QTest::newRow("arial") << "Arial"
                           << "Liberation Sans";
    QTest::newRow("times new roman") << "Times New Roman"
                                     << "Liberation Serif";
}

void TestAppResources::windowsFamiliesAreSubstituted() {
    QFETCH(QString, family);
    QFETCH(QString, expected);
    QVERIFY(QFont::substitutes(family).contains(expected, Qt::CaseInsensitive));
}

void TestAppResources::arialResolvesToLiberationSans() {
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(14);
    QCOMPARE(QFontInfo(arial).family(), QStringLiteral("Liberation Sans"));
}

void TestAppResources::qtStandardTextsReadRussianAfterInstall_data() {
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("russian");
    // QPlatformTheme gives QDialogButtonBox and QMessageBox their standard button texts.
    QTest::newRow("standard button cancel") << "QPlatformTheme"
                                            << "Cancel"
                                            << "Cancel"
                                            << "Отмена";
    QTest::newRow("standard button yes") << "QPlatformTheme"
                                         << "&Yes"
                                         << "&Yes"
                                         << "&Да";
    QTest::newRow("standard button close") << "QPlatformTheme"
                                           << "Close"
                                           << "Close"
                                           << "Закрыть";
    // Context menus of line edits and read-only rich text.
    QTest::newRow("line edit copy") << "QLineEdit"
                                    << "&Copy"
                                    << "&Copy"
                                    << "&Копировать";
    QTest::newRow("rich text select all") << "QWidgetTextControl"
                                          << "Select All"
                                          << "Select All"
                                          << "Выделить всё";
}

void TestAppResources::qtStandardTextsReadRussianAfterInstall() {
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, english);
    QFETCH(QString, russian);
    const QByteArray contextBytes = context.toLatin1();
    const QByteArray sourceBytes = source.toLatin1();
    static bool installed = false;
    if (!installed) {
        QCOMPARE(QCoreApplication::translate(contextBytes.constData(), sourceBytes.constData()), english);
        QVERIFY(installQtTranslation(*QCoreApplication::instance()));
        installed = true;
    }
    QCOMPARE(QCoreApplication::translate(contextBytes.constData(), sourceBytes.constData()), russian);
}

QTEST_MAIN(TestAppResources)
#include "tst_appresources.moc"

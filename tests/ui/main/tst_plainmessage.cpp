#include "resources/appresources.h"
#include "ui/main/plainmessage.h"

#include <QtTest>

namespace {

bool black(const QImage &image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// Rows of `image` between top and bottom (exclusive) that hold ink between left and right (exclusive),
// counted as bands of consecutive rows: one band per line of text.
int inkBands(const QImage &image, int left, int right, int top, int bottom) {
    int bands = 0;
    bool inBand = false;
    for (int y = top; y < bottom; ++y) {
        bool ink = false;
        for (int x = left; x < right && !ink; ++x)
            ink = black(image, x, y);
        bands += ink && !inBand;
        inBand = ink;
    }
    return bands;
}

const QString Caption = QStringLiteral("Неприемлемый режим экрана");
const QString Tail = QStringLiteral(
    "\r\nНажмите ОК, чтобы завершить работу, измените параметры экрана и запустите программу заново.");

} // namespace

class TestPlainMessage : public QObject {
    Q_OBJECT

private slots:
    void pictureShowsEveryLineWholeAboveItsButton_data();
    void pictureShowsEveryLineWholeAboveItsButton();
    void bitmapRowsFollowTheServersLayout_data();
    void bitmapRowsFollowTheServersLayout();
};

void TestPlainMessage::pictureShowsEveryLineWholeAboveItsButton_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::newRow("colour message")
        << Caption << QStringLiteral("Эта программа использует 16-разрядный цвет (High color).") + Tail << 2;
    QTest::newRow("size message") << Caption
                                  << QStringLiteral("Эта программа использует разрешение экрана 800х600.") +
                                         Tail
                                  << 2;
    QTest::newRow("lines parted by LF alone, caption wider than the text")
        << Caption + Caption << QStringLiteral("Один\nДва\nТри") << 3;
}

void TestPlainMessage::pictureShowsEveryLineWholeAboveItsButton() {
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, lines);
    const plainmessage::Picture picture = plainmessage::draw(caption, text, programFont("Arial", 12, false));
    const QImage &image = picture.image;
    QCOMPARE(image.format(), QImage::Format_Mono);
    const int w = image.width(), h = image.height();

    // The edge: a black line, then a white one, all round.
    for (const QPoint &p : {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, 0), QPoint(w / 2, h - 1)})
        QVERIFY2(black(image, p.x(), p.y()),
                 qPrintable(QStringLiteral("edge at %1, %2").arg(p.x()).arg(p.y())));
    QVERIFY(!black(image, 1, h / 2) && !black(image, w - 2, h / 2) && !black(image, w / 2, h - 2));

    // The title strip, black from the edge down, carries the caption in white, none of it cut at the right.
    int titleBottom = 2;
    while (titleBottom < h && black(image, 3, titleBottom))
        ++titleBottom;
    QVERIFY(titleBottom > 12);
    QImage title = image.copy(2, 2, w - 4, titleBottom - 2);
    title.invertPixels();
    QCOMPARE(inkBands(title, 0, title.width(), 0, title.height()), 1);
    QCOMPARE(inkBands(title, title.width() - 8, title.width(), 0, title.height()), 0);

    // "ОК" on a button centred below the text, inside the picture.
    const QRect button = picture.button;
    QVERIFY(QRect(0, 0, w, h).contains(button));
    QVERIFY(qAbs(button.left() - (w - 1 - button.right())) <= 1);
    QVERIFY(black(image, button.left(), button.top()) && black(image, button.right(), button.bottom()));
    QCOMPARE(inkBands(image, button.left() + 3, button.right() - 2, button.top() + 3, button.bottom() - 2),
             1);

    // Each line of the text is a band of ink right of the error sign, and no line runs into the right edge.
    const int signRight = 2 + 12 + 32;
    QCOMPARE(inkBands(image, signRight + 1, w - 2, titleBottom, button.top()), lines);
    QCOMPARE(inkBands(image, w - 8, w - 2, titleBottom, button.top()), 0);
    QCOMPARE(inkBands(image, 2, signRight, titleBottom, button.top()), 1);
}

void TestPlainMessage::bitmapRowsFollowTheServersLayout_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("pad");
    QTest::addColumn<bool>("lsbBits");
    QTest::addColumn<bool>("lsbBytes");
    QTest::addColumn<QByteArray>("rows");
    // An 11 × 2 picture, black at x 0 and 9 in its first row, at x 1 and 10 in its second.
    QTest::newRow("bytes, least significant bit first")
        << 8 << 8 << true << true << QByteArray::fromHex("01020204");
    QTest::newRow("bytes, most significant bit first")
        << 8 << 8 << false << true << QByteArray::fromHex("80404020");
    QTest::newRow("32-bit units, little-endian")
        << 32 << 32 << true << true << QByteArray::fromHex("0102000002040000");
    QTest::newRow("32-bit units, big-endian")
        << 32 << 32 << false << false << QByteArray::fromHex("8040000040200000");
    QTest::newRow("32-bit units, bits from the least, bytes from the most significant")
        << 32 << 32 << true << false << QByteArray::fromHex("0000020100000402");
    QTest::newRow("16-bit units padded to 32 bits, bits from the most, bytes from the least significant")
        << 16 << 32 << false << true << QByteArray::fromHex("4080000020400000");
}

void TestPlainMessage::bitmapRowsFollowTheServersLayout() {
    QFETCH(int, unit);
    QFETCH(int, pad);
    QFETCH(bool, lsbBits);
    QFETCH(bool, lsbBytes);
    QFETCH(QByteArray, rows);
    QImage picture(11, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (const QPoint &p : {QPoint(0, 0), QPoint(9, 0), QPoint(1, 1), QPoint(10, 1)})
        picture.setPixel(p, qRgb(0, 0, 0));
    QCOMPARE(plainmessage::bitmapRows(picture, {unit, pad, lsbBits, lsbBytes}).toHex(), rows.toHex());
}

QTEST_MAIN(TestPlainMessage)
#include "tst_plainmessage.moc"

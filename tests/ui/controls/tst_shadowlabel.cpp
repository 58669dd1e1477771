#include "ui/controls/shadowlabel.h"
#include "ui/controls/systemcolors.h"

#include <QPainter>
#include <QtTest>

namespace {

const QRgb kBackground = qRgb(0, 200, 0);

QFont crispFont(int pixelHeight) {
    QFont font(QStringLiteral("Liberation Mono"));
    font.setPixelSize(pixelHeight);
    font.setBold(true);
    // Binary glyph masks make the three copies comparable pixel by pixel.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Where plain text lands when drawn once into `place` with `alignment`.
QImage glyphMask(QSize size, const QFont &font, const QRect &place, Qt::Alignment alignment,
                 const QString &text) {
    QImage mask(size, QImage::Format_RGB32);
    mask.fill(Qt::white);
    QPainter painter(&mask);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(place, int(alignment) | Qt::TextSingleLine, text);
    return mask;
}

bool inked(const QImage &mask, int x, int y) {
    return mask.rect().contains(x, y) && mask.pixel(x, y) == qRgb(0, 0, 0);
}

// The composite of the three copies: shadow at the place, highlight at +3,+3, text at +1,+1, later over
// earlier.
QRgb expectedPixel(const QImage &mask, int x, int y) {
    if (inked(mask, x - 1, y - 1))
        return systemColor(SystemColor::WindowText).rgb();
    if (inked(mask, x - 3, y - 3))
        return systemColor(SystemColor::ButtonHighlight).rgb();
    if (inked(mask, x, y))
        return systemColor(SystemColor::ButtonShadow).rgb();
    return kBackground;
}

} // namespace

class TestShadowLabel : public QObject {
    Q_OBJECT

private slots:
    void threeCopiesLieAtTheirOffsets_data() {
        QTest::addColumn<int>("alignment");
        QTest::newRow("title: top left") << int(Qt::AlignLeft | Qt::AlignTop);
        QTest::newRow("right edge pulled in by 3") << int(Qt::AlignRight | Qt::AlignTop);
        QTest::newRow("centred") << int(Qt::AlignCenter);
    }
    void threeCopiesLieAtTheirOffsets() {
        QFETCH(int, alignment);
        const QFont font = crispFont(32);
        const QString text = QStringLiteral("Логикус");
        const QSize size(260, 50);
        const QRect area(0, 0, 250, 44);
        QImage image(size, QImage::Format_RGB32);
        image.fill(kBackground);
        {
            QPainter painter(&image);
            painter.setFont(font);
            TLMDShadowLabel::paintSunkenText(painter, area, Qt::Alignment(alignment), text);
        }
        const QImage mask = glyphMask(size, font, area.adjusted(0, 0, -3, 0), Qt::Alignment(alignment), text);
        int textPixels = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                textPixels += inked(mask, x, y);
                if (image.pixel(x, y) != expectedPixel(mask, x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(textPixels > 100);
    }

    void sizesItselfToTheText() {
        TLMDShadowLabel label;
        label.setFont(crispFont(32));
        label.setText(QStringLiteral("Логикус"));
        const QFontMetrics metrics(label.font());
        const QSize expected(metrics.horizontalAdvance(QStringLiteral("Логикус")) + 3, metrics.height() + 3);
        QCOMPARE(label.size(), expected);
        QCOMPARE(label.sizeHint(), expected);
        label.setText(QStringLiteral("Л"));
        QCOMPARE(label.width(), metrics.horizontalAdvance(QStringLiteral("Л")) + 3);
        label.setFont(crispFont(19));
        QCOMPARE(label.height(), QFontMetrics(label.font()).height() + 3);
    }

    void fixedSizeWhenAutoSizeIsOff() {
        TLMDShadowLabel label(QStringLiteral("Логикус"));
        label.setAutoSize(false);
        label.resize(300, 60);
        label.setText(QStringLiteral("Л"));
        QCOMPARE(label.size(), QSize(300, 60));
    }

    void paintedLabelShowsAllThreeColours() {
        QWidget parent;
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, QColor(kBackground));
        parent.setPalette(palette);
        parent.resize(300, 80);
        auto *label = new TLMDShadowLabel(&parent);
        label->setFont(crispFont(32));
        label->setText(QStringLiteral("Логикус"));
        label->move(10, 10);
        const QImage image = parent.grab().toImage();
        QSet<QRgb> seen;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                seen.insert(image.pixel(x, y));
        QVERIFY(seen.contains(systemColor(SystemColor::WindowText).rgb()));
        QVERIFY(seen.contains(systemColor(SystemColor::ButtonHighlight).rgb()));
        QVERIFY(seen.contains(systemColor(SystemColor::ButtonShadow).rgb()));
        QVERIFY(seen.contains(kBackground));
    }
};

QTEST_MAIN(TestShadowLabel)
#include "tst_shadowlabel.moc"

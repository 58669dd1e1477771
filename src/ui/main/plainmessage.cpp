#include "ui/main/plainmessage.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace plainmessage {

namespace {

constexpr int Margin = 12;
constexpr int SignSize = 32;
constexpr int Edge = 2;

QStringList linesOf(const QString &text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
}

// The error sign of a message box, in one colour: a black disc crossed out in white.
void drawErrorSign(QPainter &painter, const QRect &place) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(place);
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::FlatCap));
    const QRect cross = place.adjusted(10, 10, -10, -10);
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
}

} // namespace

Picture draw(const QString &caption, const QString &text, const QFont &font) {
    // Grey edges would become a ragged mix of black and white: glyphs are drawn in whole pixels instead.
    QFont plain = font;
    plain.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(plain);
    const QStringList lines = linesOf(text);
    const QString ok = QStringLiteral("ОК");

    // Laid out inside the window's edge: a black line and a white one, so that the window stands out on a
    // black desktop as on a white one, also where no window manager frames it.
    int textWidth = 0;
    for (const QString &line : lines)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    const int titleHeight = metrics.height() + 8;
    const QRect sign(Margin, titleHeight + Margin, SignSize, SignSize);
    const int textLeft = sign.right() + 1 + Margin;
    const int textHeight = metrics.lineSpacing() * int(lines.size());
    const QSize buttonSize(std::max(75, metrics.horizontalAdvance(ok) + 24), metrics.height() + 10);
    const int width = std::max({textLeft + textWidth + Margin, buttonSize.width() + 2 * Margin,
                                Margin + metrics.horizontalAdvance(caption) + Margin});
    const int buttonTop = std::max(sign.bottom() + 1, titleHeight + Margin + textHeight) + Margin + 4;
    const QRect button(QPoint((width - buttonSize.width()) / 2, buttonTop), buttonSize);
    const int height = button.bottom() + 1 + Margin;

    QImage canvas(width + 2 * Edge, height + 2 * Edge, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(Qt::black);
    painter.drawRect(canvas.rect().adjusted(0, 0, -1, -1));
    painter.translate(Edge, Edge);

    painter.fillRect(0, 0, width, titleHeight, Qt::black);
    painter.setFont(plain);
    painter.setPen(Qt::white);
    painter.drawText(Margin, (titleHeight - metrics.height()) / 2 + metrics.ascent(), caption);

    drawErrorSign(painter, sign);

    painter.setPen(Qt::black);
    int baseline = titleHeight + Margin + metrics.ascent();
    for (const QString &line : lines) {
        painter.drawText(textLeft, baseline, line);
        baseline += metrics.lineSpacing();
    }

    // The default button of a message box: a double outline around its caption.
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(button.adjusted(0, 0, -1, -1));
    painter.drawRect(button.adjusted(1, 1, -2, -2));
    painter.drawText(button, Qt::AlignCenter, ok);
    painter.end();

    return {canvas.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither),
            button.translated(Edge, Edge)};
}

QByteArray bitmapRows(const QImage &picture, const BitmapLayout &layout) {
    const int stride = (picture.width() + layout.pad - 1) / layout.pad * layout.pad / 8;
    const int unitBytes = layout.unit / 8;
    QByteArray rows(stride * picture.height(), '\0');
    for (int y = 0; y < picture.height(); ++y) {
        char *row = rows.data() + y * stride;
        for (int x = 0; x < picture.width(); ++x) {
            if (qGray(picture.pixel(x, y)) >= 128)
                continue;
            // The pixel's bit within its unit, counted from the unit's least significant bit, and the byte of
            // the unit that holds that bit.
            const int bit =
                layout.leastSignificantBitFirst ? x % layout.unit : layout.unit - 1 - x % layout.unit;
            const int byte = layout.leastSignificantByteFirst ? bit / 8 : unitBytes - 1 - bit / 8;
            row[x / layout.unit * unitBytes + byte] |= char(1 << (bit % 8));
        }
    }
    return rows;
}

void writeToConsole(const QString &caption, const QString &text) {
    const QByteArray message =
        (caption + QStringLiteral(": ") + linesOf(text).join(QLatin1Char('\n'))).toUtf8();
    std::fprintf(stderr, "%s\n", message.constData());
    std::fflush(stderr);
}

} // namespace plainmessage

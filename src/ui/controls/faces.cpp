#include "ui/controls/faces.h"

#include "ui/controls/systemcolors.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

bool isDirect32(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// The stored 32-bit value of a colour in one of the direct 32-bit formats.
QRgb pixelValue(QImage::Format format, const QColor &color) {
    switch (format) {
    case QImage::Format_RGB32:
        return 0xff000000u | color.rgb();
    case QImage::Format_ARGB32_Premultiplied:
        return qPremultiply(color.rgba());
    default:
        return color.rgba();
    }
}

// Runs `fill` on a direct 32-bit image; any other format is filled through an ARGB32 copy.
template<typename Fill>
void withDirect32(QImage &image, Fill fill) {
    if (isDirect32(image.format())) {
        fill(image);
        return;
    }
    const QImage::Format original = image.format();
    QImage work = image.convertToFormat(QImage::Format_ARGB32);
    fill(work);
    image = work.convertToFormat(original);
}

// Scan-free 4-connected fill with an explicit stack: every pixel that `inside` accepts and that is
// reachable from the seed through accepted pixels is set to `value` exactly once.
template<typename Inside>
void fill4(QImage &image, QPoint seed, QRgb value, Inside inside) {
    // Span by span rather than pixel by pixel: each row run is filled in one sweep and seeds at most one
    // entry per run in the rows above and below, which keeps start-up's nine faces cheap.
    const int width = image.width();
    const int height = image.height();
    std::vector<std::uint8_t> visited(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    auto row = [&](int y) { return reinterpret_cast<QRgb *>(image.scanLine(y)); };
    auto open = [&](const QRgb *line, const std::uint8_t *seen, int x) {
        return !seen[x] && inside(line[x]);
    };

    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        QRgb *line = row(p.y());
        std::uint8_t *seen = visited.data() + static_cast<size_t>(p.y()) * static_cast<size_t>(width);
        if (!open(line, seen, p.x()))
            continue;
        int left = p.x();
        while (left > 0 && open(line, seen, left - 1))
            --left;
        int right = p.x();
        while (right + 1 < width && open(line, seen, right + 1))
            ++right;
        for (int x = left; x <= right; ++x) {
            line[x] = value;
            seen[x] = 1;
        }
        for (const int y : {p.y() - 1, p.y() + 1}) {
            if (y < 0 || y >= height)
                continue;
            const QRgb *next = row(y);
            const std::uint8_t *nextSeen =
                visited.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
            bool inRun = false;
            for (int x = left; x <= right; ++x) {
                const bool candidate = open(next, nextSeen, x);
                if (candidate && !inRun)
                    stack.emplace_back(x, y);
                inRun = candidate;
            }
        }
    }
}

// Strokes a one-pixel rounded rectangle given by its left, top, exclusive right and exclusive bottom
// edge and the size of its corner ellipse, so the outline lands on columns left..right-1 and rows
// top..bottom-1. Qt's own curve rasteriser leaves stray pixels at the extremes and is not symmetric
// without antialiasing, so the corners are set pixel by pixel: one quarter is sampled by columns and by
// rows (which keeps it 8-connected) and mirrored into the other three.
void strokeRoundedRect(QImage &image, int left, int top, int right, int bottom, int ellipseW, int ellipseH,
                       QRgb value) {
    const int l = left;
    const int t = top;
    const int r = right - 1;
    const int b = bottom - 1;
    if (r < l || b < t)
        return;
    auto plot = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
            reinterpret_cast<QRgb *>(image.scanLine(y))[x] = value;
    };
    // Sets the pixel of the upper-left quarter and its three mirror images.
    auto plot4 = [&](int x, int y) {
        plot(x, y);
        plot(l + r - x, y);
        plot(x, t + b - y);
        plot(l + r - x, t + b - y);
    };

    const int ew = std::clamp(ellipseW, 1, r - l + 1);
    const int eh = std::clamp(ellipseH, 1, b - t + 1);
    const double a = (ew - 1) / 2.0;
    const double bb = (eh - 1) / 2.0;
    const double cx = l + a;
    const double cy = t + bb;
    if (a > 0 && bb > 0) {
        for (int x = l; x <= static_cast<int>(std::floor(cx)); ++x) {
            const double u = (cx - x) / a;
            plot4(x, static_cast<int>(std::lround(cy - bb * std::sqrt(std::max(0.0, 1.0 - u * u)))));
        }
        for (int y = t; y <= static_cast<int>(std::floor(cy)); ++y) {
            const double v = (cy - y) / bb;
            plot4(static_cast<int>(std::lround(cx - a * std::sqrt(std::max(0.0, 1.0 - v * v)))), y);
        }
    }
    for (int x = static_cast<int>(std::floor(cx)); x <= l + r - static_cast<int>(std::floor(cx)); ++x) {
        plot(x, t);
        plot(x, b);
    }
    for (int y = static_cast<int>(std::floor(cy)); y <= t + b - static_cast<int>(std::floor(cy)); ++y) {
        plot(l, y);
        plot(r, y);
    }
}

} // namespace

void floodFillSurface(QImage &image, QPoint seed, const QColor &fill) {
    if (!image.rect().contains(seed))
        return;
    withDirect32(image, [&](QImage &img) {
        const QRgb target = img.pixel(seed);
        const QRgb value = pixelValue(img.format(), fill);
        if (target == value)
            return;
        fill4(img, seed, value, [target](QRgb p) { return p == target; });
    });
}

void floodFillToBorder(QImage &image, QPoint seed, const QColor &border, const QColor &fill) {
    if (!image.rect().contains(seed))
        return;
    withDirect32(image, [&](QImage &img) {
        const QRgb stop = pixelValue(img.format(), border);
        if (img.pixel(seed) == stop)
            return;
        fill4(img, seed, pixelValue(img.format(), fill), [stop](QRgb p) { return p != stop; });
    });
}

QImage maskWhite(const QImage &image) {
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if ((line[x] & 0x00ffffffu) == 0x00ffffffu)
                line[x] = 0;
        }
    }
    return masked;
}

QImage DrawButtonFace(int width, int height, bool raised, const QColor &fill, qreal devicePixelRatio) {
    if (width <= 0 || height <= 0)
        return QImage();

    const QColor face = systemColor(SystemColor::ButtonFace);
    const QColor shadow = systemColor(SystemColor::ButtonShadow);
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    // The figure is laid out in logical pixels and drawn at the screen's own resolution, so that outlines and
    // curves stay crisp instead of being stretched: a logical edge at c lands on device pixel round(c ×
    // ratio), and a logical stroke is as many device pixels thick as the logical pixel it stands on covers.
    // At a ratio of 1 every step is the one-to-one face's own.
    const qreal ratio = std::max<qreal>(devicePixelRatio, 1.0);
    const auto device = [ratio](qreal logical) { return int(std::lround(logical * ratio)); };
    const auto thickness = [&](int logical) { return std::max(1, device(logical + 1) - device(logical)); };
    const int w = width;
    const int h = height;
    const QSize size(device(w), device(h));

    QImage image(size, QImage::Format_RGB32);
    image.fill(white);

    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(face, 0));
        painter.setBrush(Qt::NoBrush);
        const QPoint logical[4] = {
            {h / 2, 6 * h / 5 - 7}, {3 * h / 20 + 3, 17 * h / 20 - 3}, {h / 2, 5}, {w, 5}};
        QPoint divide[4];
        for (int i = 0; i < 4; ++i)
            divide[i] = QPoint(device(logical[i].x()), device(logical[i].y()));
        const int t = thickness(5);
        for (int dy = 0; dy < t; ++dy)
            for (int dx = 0; dx < t; ++dx) {
                painter.save();
                painter.translate(dx, dy);
                painter.drawPolyline(divide, 4);
                painter.restore();
            }
    }

    const QPoint upperLeft(0, 0);
    const QPoint lowerRight(size.width() - 1, size.height() - 1);
    floodFillSurface(image, raised ? upperLeft : lowerRight, face);
    floodFillSurface(image, raised ? lowerRight : upperLeft, shadow);

    // Each outline as nested one-device-pixel rings, so the fills stop at every one of them.
    const QRgb outline = pixelValue(image.format(), black);
    const auto ring = [&](int inset, int ellipse) {
        const int l = device(inset);
        const int r = device(w - 1 - inset);
        const int b = device(h - 1 - inset);
        const int e = device(ellipse);
        for (int i = 0; i < thickness(inset); ++i)
            strokeRoundedRect(image, l + i, l + i, r - i, b - i, e - 2 * i, e - 2 * i, outline);
    };
    ring(0, h);
    ring(5, h - 10);

    // The inner pill is filled up to its own outline rather than by the painter's brush: a brush
    // rasterised apart from the pen can stray a pixel past the outline at the curves.
    const QPoint centre((device(5) + device(w - 6) - 1) / 2, (device(5) + device(h - 6) - 1) / 2);
    if (w > 12 && h > 12)
        floodFillToBorder(image, centre, black, fill);

    for (const QPoint corner :
         {lowerRight, QPoint(0, size.height() - 1), QPoint(size.width() - 1, 0), upperLeft})
        floodFillToBorder(image, corner, black, white);
    if (ratio != 1.0)
        image.setDevicePixelRatio(ratio);
    return image;
}

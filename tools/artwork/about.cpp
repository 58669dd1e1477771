#include "artwork.h"
#include "raster.h"

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

constexpr int aboutSize = 96;
constexpr int supersample = 4;

Rgb hue(double h) {
    // Fully saturated hue, h in turns.
    h -= std::floor(h);
    const double r = std::clamp(std::abs(h * 6 - 3) - 1, 0.0, 1.0);
    const double g = std::clamp(2 - std::abs(h * 6 - 2), 0.0, 1.0);
    const double b = std::clamp(2 - std::abs(h * 6 - 4), 0.0, 1.0);
    return {float(r), float(g), float(b)};
}

} // namespace

QImage drawAbout(std::uint64_t seed) {
    Random random(seed);
    const int n = aboutSize * supersample;
    QTransform up;
    up.scale(supersample, supersample);
    const auto mask = [&](const std::function<void(QPainter &)> &draw) { return paintMask(n, n, up, draw); };

    // The book lies with its spine on the left; its top cover is seen in slight perspective, the page block
    // shows along the front edge and the spine's thickness down the left edge.
    const QPointF a(6, 38), b(64, 19), c(92, 47), d(30, 72);
    const QPointF t(0, 12);
    const QPolygonF cover({a, b, c, d});
    const QPolygonF front({d, c, c + t, d + t});
    const QPolygonF spine({a, d, d + t, a + t});

    const Field coverMask = mask([&](QPainter &p) { p.drawPolygon(cover); });
    const Field frontMask = mask([&](QPainter &p) { p.drawPolygon(front); });
    const Field spineMask = mask([&](QPainter &p) {
        QPainterPath path;
        path.moveTo(a);
        path.lineTo(d);
        path.quadTo(d + t * 0.5 - QPointF(3, 0), d + t);
        path.lineTo(a + t);
        path.quadTo(a + t * 0.5 - QPointF(3, 0), a);
        p.drawPath(path);
    });

    Canvas canvas(n, n);
    Field object(n, n);
    const auto merge = [&](const Field &m) {
        for (std::size_t i = 0; i < object.v.size(); ++i)
            object.v[i] = std::max(object.v[i], m.v[i]);
    };

    // Cloth-bound cover: dark cyan, lit from the back left, with a faint weave.
    const Rgb darkCyan = rgb(0, 118, 124);
    composite(canvas, coverMask, [&](int x, int y) {
        const double u = double(x) / n, v = double(y) / n;
        const double light = 1.12 - 0.45 * (u * 0.5 + v * 0.8);
        const double weave = 0.04 * valueNoise(x / 1.5, y / 1.5, 7) + 0.03 * std::sin((x + y) * 1.3);
        return scale(darkCyan, float(light + weave));
    });
    merge(coverMask);

    // Page block: cream with fine page lines parallel to the cover edge, covers above and below.
    composite(canvas, frontMask, [&](int x, int y) {
        // Distance below the front edge of the cover, in book pixels.
        const double u = (double(x) / supersample - d.x()) / (c.x() - d.x());
        const double edgeY = d.y() + u * (c.y() - d.y());
        const double depth = double(y) / supersample - edgeY;
        const Rgb cream = rgb(236, 228, 204);
        if (depth < 1.6 || depth > t.y() - 1.6)
            return scale(darkCyan, 0.62f);
        const double lines = 0.88 + 0.12 * std::sin(depth * 9.0 + valueNoise(x / 8.0, 0, 3) * 2);
        return scale(cream, float(lines * (0.96 - 0.12 * u)));
    });
    merge(frontMask);
    composite(canvas, spineMask, [&](int x, int y) {
        (void)x;
        const double v = (double(y) / supersample - a.y()) / (d.y() + t.y() - a.y());
        return scale(darkCyan, float(0.55 + 0.15 * std::sin(v * 3.14159)));
    });
    merge(spineMask);

    // Soft shadow of the disc on the cover.
    const QPointF discCentre(50, 43);
    const double rx = 23, ry = 14.5, tilt = -14;
    const auto disc = [&](double scaleFactor, QPointF offset) {
        QPainterPath path;
        QTransform m;
        m.translate(discCentre.x() + offset.x(), discCentre.y() + offset.y());
        m.rotate(tilt);
        path.addEllipse(QPointF(0, 0), rx * scaleFactor, ry * scaleFactor);
        return m.map(path);
    };
    Field shadow = mask([&](QPainter &p) { p.drawPath(disc(1.0, QPointF(2.5, 3.5))); });
    shadow = gaussianBlur(shadow, 2.0f * supersample);
    for (std::size_t i = 0; i < canvas.px.size(); ++i)
        canvas.px[i] = scale(canvas.px[i], 1 - 0.5f * shadow.v[i] * coverMask.v[i]);

    // The disc: silver with a rainbow sheen that turns with the angle, a clear hub ring and the centre hole.
    const Field discMask = mask([&](QPainter &p) { p.drawPath(disc(1.0, {})); });
    const Field hubMask = mask([&](QPainter &p) { p.drawPath(disc(0.36, {})); });
    const Field holeMask = mask([&](QPainter &p) { p.drawPath(disc(0.12, {})); });
    const double cosT = std::cos(tilt * 3.14159265358979 / 180),
                 sinT = std::sin(tilt * 3.14159265358979 / 180);
    const double phase = random.range(0.0, 1.0);
    composite(canvas, discMask, [&](int x, int y) {
        // Position in the disc's own frame, undoing the perspective squash.
        const double px = double(x) / supersample - discCentre.x(),
                     py = double(y) / supersample - discCentre.y();
        const double lx = (px * cosT + py * sinT) / rx, ly = (-px * sinT + py * cosT) / ry;
        const double radius = std::sqrt(lx * lx + ly * ly);
        const double angle = std::atan2(ly, lx);
        const Rgb silver = rgb(206, 210, 218);
        // Diffraction is strongest in two opposite sectors across the light direction.
        const double sector = std::pow(std::abs(std::sin(angle - 0.7)), 3.0);
        const Rgb rainbow = hue(phase + radius * 1.6 + angle / 6.28318);
        Rgb colour =
            mix(silver, rainbow, float(0.55 * sector * std::clamp((radius - 0.38) / 0.15, 0.0, 1.0)));
        // A bright streak towards the lamp.
        const double streak = std::exp(-std::pow((angle + 2.3) / 0.25, 2.0)) * 0.35;
        colour = {colour.r + float(streak), colour.g + float(streak), colour.b + float(streak)};
        // Dark rim and the edge of the data area.
        if (radius > 0.95)
            colour = scale(colour, 0.72f);
        if (std::abs(radius - 0.42) < 0.025)
            colour = scale(colour, 0.82f);
        return colour;
    });
    merge(discMask);
    composite(canvas, hubMask, [&](int x, int y) {
        const Rgb plastic = rgb(170, 178, 186);
        const double k = 0.92 + 0.1 * (double(y) / n < 0.45 ? 1 : 0);
        return mix(scale(plastic, float(k)), canvas.at(x, y), 0.35f);
    });
    // Through the hole the cover shows.
    composite(canvas, holeMask, [&](int x, int y) {
        (void)x;
        (void)y;
        return scale(darkCyan, 0.7f);
    });

    // Down-sample: each pixel averages only the object's samples, so edges never take on the lime; a pixel
    // mostly outside the object becomes exact lime.
    QImage image(aboutSize, aboutSize, QImage::Format_RGB888);
    for (int y = 0; y < aboutSize; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < aboutSize; ++x) {
            double r = 0, g = 0, bl = 0, weight = 0;
            for (int sy = 0; sy < supersample; ++sy) {
                for (int sx = 0; sx < supersample; ++sx) {
                    const int X = x * supersample + sx, Y = y * supersample + sy;
                    const float w = object.at(X, Y);
                    const Rgb &p = canvas.at(X, Y);
                    // The canvas starts black outside the object; un-premultiply partial coverage.
                    const float cover = std::max(w, 1e-6f);
                    r += w * p.r / cover;
                    g += w * p.g / cover;
                    bl += w * p.b / cover;
                    weight += w;
                }
            }
            const bool inside = weight >= 0.5 * supersample * supersample;
            const auto channel = [&](double v) {
                return uchar(std::clamp(int(std::floor(v / weight * 255 + 0.5)), 0, 255));
            };
            if (inside) {
                line[x * 3] = channel(r);
                line[x * 3 + 1] = channel(g);
                line[x * 3 + 2] = channel(bl);
                // Never produce the key colour inside the object.
                if (line[x * 3] == 0 && line[x * 3 + 1] == 255 && line[x * 3 + 2] == 0)
                    line[x * 3 + 1] = 254;
            } else {
                line[x * 3] = 0;
                line[x * 3 + 1] = 255;
                line[x * 3 + 2] = 0;
            }
        }
    }
    return image;
}

} // namespace artwork

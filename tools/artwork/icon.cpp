#include "artwork.h"
#include "raster.h"
#include "strokefont.h"

#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

// The icon is designed on a 256-unit square and drawn afresh at every size, never scaled from another size,
// so that the small sizes stay sharp. Work resolution: at least 512 samples across, at least 2 per pixel.
constexpr double design = 256;

int samplesPerPixel(int size) {
    return std::max(2, 512 / size);
}

// A tile of green solder mask with a moulded AND gate on it: two gold inputs on the left, and the output
// lighting a green lamp like the program's own, as 1 AND 1 = 1.
const QRectF tileRect(16, 16, 224, 224);
constexpr double tileRadius = 40;
const QPointF inputA(36, 100), inputB(36, 156);
constexpr double gateLeft = 58, gateTop = 76, gateBottom = 180;
const QPointF gateCentre(106, 128); // centre of the gate's round front
constexpr double gateRadius = 52;
const QPointF lamp(200, 128);
constexpr double lampRadius = 26, bezelRadius = 32;

QPainterPath gatePath() {
    QPainterPath path;
    path.moveTo(gateLeft, gateTop);
    path.lineTo(gateCentre.x(), gateTop);
    path.arcTo(QRectF(gateCentre.x() - gateRadius, gateTop, 2 * gateRadius, gateBottom - gateTop), 90, -180);
    path.lineTo(gateLeft, gateBottom);
    path.closeSubpath();
    return path;
}

// Lighting of a raised shape from its height field, lamp up and to the left: 1 on flat ground, brighter on
// slopes that face the light, darker on those that face away.
Field slopeLight(const Field &height, double strength) {
    Field light(height.width, height.height, 1);
    const double lx = -0.5, ly = -0.7;
    for (int y = 0; y < height.height; ++y) {
        for (int x = 0; x < height.width; ++x) {
            const double dx = (height.clamped(x + 1, y) - height.clamped(x - 1, y)) * 0.5;
            const double dy = (height.clamped(x, y + 1) - height.clamped(x, y - 1)) * 0.5;
            light.at(x, y) = float(1 - strength * (dx * lx + dy * ly));
        }
    }
    return light;
}

void multiply(Canvas &canvas, const Field &factor) {
    for (std::size_t i = 0; i < canvas.px.size(); ++i)
        canvas.px[i] = scale(canvas.px[i], factor.v[i]);
}

} // namespace

QImage drawIcon(int size, std::uint64_t seed) {
    Random random(seed);
    const std::uint32_t boardSeed = std::uint32_t(random.next());
    const std::uint32_t grainSeed = std::uint32_t(random.next());
    const int ss = samplesPerPixel(size);
    const int n = size * ss;
    const double unit = n / design; // samples per design unit
    QTransform view;
    view.scale(unit, unit);
    const auto mask = [&](const std::function<void(QPainter &)> &draw) {
        return paintMask(n, n, view, draw);
    };
    // A stroke never thinner than `pixels` of the finished icon, so the leads do not vanish at 16 × 16.
    const auto strokes = [&](const QPainterPath &path, double width, double pixels) {
        const double w = std::max(width, pixels * design / size);
        return mask([&](QPainter &p) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(Qt::white, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path);
        });
    };
    const auto blur = [&](const Field &field, double sigmaUnits) {
        return gaussianBlur(field, float(sigmaUnits * unit));
    };

    QPainterPath tilePath;
    tilePath.addRoundedRect(tileRect, tileRadius, tileRadius);
    const Field tile = mask([&](QPainter &p) { p.drawPath(tilePath); });

    // Solder mask: mottled lacquer, lit from the top left, with a rounded edge.
    Canvas canvas(n, n);
    const Rgb maskGreen = rgb(24, 104, 54);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double u = x / unit, v = y / unit;
            const double mottle = fractalNoise(u / 40.0, v / 40.0, 3, boardSeed);
            const double light = 1.18 - 0.36 * (u + v) / (2 * design);
            canvas.at(x, y) = scale(maskGreen, float(light * (1 + 0.08 * mottle)));
        }
    }
    multiply(canvas, slopeLight(blur(tile, 5), 0.55 * 5 * unit));

    // Copper under the mask: the output's trace, wider than the leads it joins.
    QPainterPath outputTrace;
    outputTrace.moveTo(gateCentre.x() + gateRadius - 4, gateCentre.y());
    outputTrace.lineTo(lamp);
    const Field trace = strokes(outputTrace, 14, 1.5);
    composite(canvas, trace, rgb(52, 140, 58));

    // Gold input pads and their leads into the gate; the leads lift a little off the board.
    QPainterPath inputLeads;
    for (const QPointF pad : {inputA, inputB}) {
        inputLeads.moveTo(pad);
        inputLeads.lineTo(gateLeft + 6, pad.y());
    }
    const Field leads = strokes(inputLeads, 12, 1.5);
    Field pads = mask([&](QPainter &p) {
        for (const QPointF pad : {inputA, inputB})
            p.drawEllipse(pad, 15.0, 15.0);
    });
    const Field padHoles = mask([&](QPainter &p) {
        for (const QPointF pad : {inputA, inputB})
            p.drawEllipse(pad, 5.5, 5.5);
    });
    for (std::size_t i = 0; i < pads.v.size(); ++i)
        pads.v[i] = std::max(pads.v[i], leads.v[i]);
    const Field padLight = slopeLight(blur(pads, 1.5), 0.8 * 1.5 * unit);
    composite(canvas, pads, [&](int x, int y) {
        const float k =
            padLight.at(x, y) * float(1 + 0.05 * valueNoise(x / unit / 3, y / unit / 3, grainSeed));
        return scale(rgb(219, 176, 92), k);
    });
    if (size >= 32)
        composite(canvas, padHoles, rgb(20, 16, 10));

    // The inputs' values in white silkscreen where there is room to read them.
    if (size >= 64) {
        QPainterPath marks;
        addStrokeText(marks, QStringLiteral("1"), inputA + QPointF(-7, -42), 20);
        addStrokeText(marks, QStringLiteral("1"), inputB + QPointF(-7, 24), 20);
        composite(canvas, strokes(marks, 5, 1.2), rgb(236, 238, 228), 0.92f);
    }

    // The gate: a moulded black body with a soft shadow, grained, rounded at its edges and glossy on top.
    const QPainterPath gate = gatePath();
    const Field body = mask([&](QPainter &p) { p.drawPath(gate); });
    {
        QTransform shifted = view;
        shifted.translate(5, 7);
        const Field shadow = blur(paintMask(n, n, shifted, [&](QPainter &p) { p.drawPath(gate); }), 5);
        for (std::size_t i = 0; i < canvas.px.size(); ++i)
            canvas.px[i] = scale(canvas.px[i], 1 - 0.6f * shadow.v[i]);
    }
    const Field bodyLight = slopeLight(blur(body, 3), 1.6 * 3 * unit);
    composite(canvas, body, [&](int x, int y) {
        const double u = x / unit, v = y / unit;
        const double grain = valueNoise(u / 3, v / 3, grainSeed + 1);
        // A softbox reflected across the upper half of the lacquer.
        const double sheen = 0.22 * std::exp(-std::pow((v - gateTop - 26) / 18.0, 2.0));
        const float k = bodyLight.at(x, y) * float(1 + 0.12 * grain);
        const Rgb base = scale(rgb(30, 31, 36), k);
        return Rgb{base.r + float(sheen), base.g + float(sheen), base.b + float(sheen * 1.05)};
    });

    // The lamp: a dark metal bezel, then the lit green glass with a glow on the board around it.
    // Below 32 pixels a bezel ring would leave only a dot of light: the glass fills it.
    const double glassRadius = size < 32 ? bezelRadius : lampRadius;
    const Field bezel = mask([&](QPainter &p) { p.drawEllipse(lamp, bezelRadius, bezelRadius); });
    const Field glass = mask([&](QPainter &p) { p.drawEllipse(lamp, glassRadius, glassRadius); });
    const Field glow = blur(glass, 14);
    for (std::size_t i = 0; i < canvas.px.size(); ++i) {
        const float g = 0.55f * glow.v[i] * (1 - bezel.v[i]);
        canvas.px[i] = {canvas.px[i].r + 0.25f * g, canvas.px[i].g + g, canvas.px[i].b + 0.2f * g};
    }
    const Field bezelLight = slopeLight(blur(bezel, 2), -1.2 * 2 * unit);
    composite(canvas, bezel, [&](int x, int y) { return scale(rgb(70, 74, 80), bezelLight.at(x, y)); });
    composite(canvas, glass, [&](int x, int y) {
        const double dx = (x / unit - lamp.x()) / glassRadius, dy = (y / unit - lamp.y()) / glassRadius;
        const double r = std::sqrt(dx * dx + dy * dy);
        // Brightest a little above the centre, where the filament shows through; a highlight up and left.
        const double core = std::exp(-((dx * dx) + (dy + 0.15) * (dy + 0.15)) * 1.6);
        const Rgb lit = mix(rgb(0, 170, 20), rgb(190, 255, 170), float(core));
        const double spot = std::exp(-(std::pow(dx + 0.38, 2.0) + std::pow(dy + 0.42, 2.0)) / 0.03);
        const Rgb rim = scale(lit, float(1 - 0.35 * std::clamp((r - 0.75) / 0.25, 0.0, 1.0)));
        return mix(rim, Rgb{1, 1, 1}, float(0.8 * spot));
    });

    // A thin dark rim keeps the tile's outline on light backgrounds.
    const Field inner = blur(tile, 1.2);
    for (std::size_t i = 0; i < canvas.px.size(); ++i)
        canvas.px[i] = scale(canvas.px[i], 1 - 0.5f * std::clamp((1 - inner.v[i]) * 2.5f, 0.0f, 1.0f));

    // The tile casts a soft shadow below it onto whatever the desktop shows.
    QTransform lowered = view;
    lowered.translate(0, 5);
    const Field dropShadow = blur(paintMask(n, n, lowered, [&](QPainter &p) { p.drawPath(tilePath); }), 4);

    // Down-sample to straight (not premultiplied) alpha: the tile's samples give the colour, the shadow is
    // black.
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0, alpha = 0;
            for (int sy = 0; sy < ss; ++sy) {
                for (int sx = 0; sx < ss; ++sx) {
                    const int X = x * ss + sx, Y = y * ss + sy;
                    const float cover = tile.at(X, Y);
                    const Rgb &p = canvas.at(X, Y);
                    r += cover * std::clamp(p.r, 0.0f, 1.0f);
                    g += cover * std::clamp(p.g, 0.0f, 1.0f);
                    b += cover * std::clamp(p.b, 0.0f, 1.0f);
                    alpha += cover + 0.45f * dropShadow.at(X, Y) * (1 - cover);
                }
            }
            const auto channel = [&](double v) {
                return alpha > 0 ? std::clamp(int(std::floor(v / alpha * 255 + 0.5)), 0, 255) : 0;
            };
            const int a = std::clamp(int(std::floor(alpha / (ss * ss) * 255 + 0.5)), 0, 255);
            line[x] = a == 0 ? qRgba(0, 0, 0, 0) : qRgba(channel(r), channel(g), channel(b), a);
        }
    }
    return image;
}

} // namespace artwork

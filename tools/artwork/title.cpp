#include "artwork.h"
#include "raster.h"
#include "strokefont.h"

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

constexpr int titleWidth = 617;
constexpr int titleHeight = 497;

// A polyline of copper, drawn with round ends like a router would.
struct Trace {
    QPolygonF points;
    double width;
};

// A part placed on the board: its body, its leads and what its footprint leaves exposed.
struct Body {
    QPainterPath shape; // moulded or metal body seen from above
    double height;      // how far it stands off the board, for shading and shadow length
    Rgb colour;
    float gloss; // specular strength
    float shininess;
    float texture; // strength of the moulding grain
};

// Everything on the board, collected first and rendered layer by layer.
struct Board {
    std::vector<Trace> traces;
    QPainterPath pads;     // exposed gold (pads, via rings, header rings)
    QPainterPath holes;    // drilled holes
    QPainterPath pour;     // copper pour under the solder mask
    QPainterPath silk;     // silkscreen strokes
    QPainterPath silkFill; // silkscreen filled marks (pin-one dots)
    QPainterPath leads;    // tinned component leads and pins
    QPainterPath marking;  // laser-etched text on chip tops
    QPainterPath dimples;  // ejector-pin marks on chip tops
    std::vector<Body> bodies;
};

QPointF normalOf(QPointF d) {
    const double len = std::hypot(d.x(), d.y());
    return {-d.y() / len, d.x() / len};
}

// The polyline shifted sideways by `offset`, with mitred corners, so parallel bus lines keep their spacing
// through 45° and 90° bends.
QPolygonF offsetPolyline(const QPolygonF &line, double offset) {
    QPolygonF out;
    for (int i = 0; i < line.size(); ++i) {
        QPointF n;
        if (i == 0) {
            n = normalOf(line[1] - line[0]);
        } else if (i == line.size() - 1) {
            n = normalOf(line[i] - line[i - 1]);
        } else {
            const QPointF n0 = normalOf(line[i] - line[i - 1]);
            const QPointF n1 = normalOf(line[i + 1] - line[i]);
            const double dot = n0.x() * n1.x() + n0.y() * n1.y();
            n = (n0 + n1) / (1 + dot);
        }
        out << line[i] + n * offset;
    }
    return out;
}

// Octilinear route from a to b: straight along the longer axis, then 45° for the rest.
QPolygonF route(QPointF a, QPointF b, bool diagonalFirst = false) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double diag = std::min(std::abs(dx), std::abs(dy));
    const QPointF diagonal(std::copysign(diag, dx), std::copysign(diag, dy));
    QPolygonF out;
    out << a << (diagonalFirst ? a + diagonal : b - diagonal) << b;
    return out;
}

void addVia(Board &board, QPointF c, double ring = 4.6, double hole = 2.0) {
    board.pads.addEllipse(c, ring, ring);
    board.holes.addEllipse(c, hole, hole);
}

// A quad flat package: body, gull-wing leads on four sides, pads under the lead tips. Returns the outer end
// of every pad, side by side (left side top to bottom, bottom left to right, right bottom to top, top right
// to left), for the fan-out.
std::vector<std::vector<QPointF>> addQfp(Board &board, QPointF centre, double bodySize, int perSide,
                                         double pitch) {
    const double half = bodySize / 2;
    QPainterPath body;
    body.addRoundedRect(QRectF(centre.x() - half, centre.y() - half, bodySize, bodySize), 3, 3);
    // Corner chamfer marks pin one.
    board.bodies.push_back({body, 9, rgb(22, 22, 25), 0.16f, 10, 1});
    board.dimples.addEllipse(centre + QPointF(-half + 14, -half + 14), 5, 5);
    board.dimples.addEllipse(centre + QPointF(half - 18, half - 18), 9, 9);

    std::vector<std::vector<QPointF>> ends(4);
    const double span = pitch * (perSide - 1);
    for (int side = 0; side < 4; ++side) {
        // Directions: left, bottom, right, top (counter-clockwise as the pins are numbered).
        const QPointF out[4] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};
        const QPointF along[4] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
        const QPointF o = out[side], a = along[side];
        for (int i = 0; i < perSide; ++i) {
            const QPointF base = centre + o * half + a * (-span / 2 + i * pitch);
            const QPointF padA = base + o * 3, padB = base + o * 17;
            const QPointF leadB = base + o * 13;
            QPainterPath pad;
            QRectF r = QRectF(padA, padB).normalized();
            if (std::abs(o.x()) > 0)
                r.adjust(0, -2.1, 0, 2.1);
            else
                r.adjust(-2.1, 0, 2.1, 0);
            board.pads.addRoundedRect(r, 1, 1);
            QRectF lead = QRectF(base, leadB).normalized();
            if (std::abs(o.x()) > 0)
                lead.adjust(0, -1.3, 0, 1.3);
            else
                lead.adjust(-1.3, 0, 1.3, 0);
            board.leads.addRect(lead);
            ends[std::size_t(side)].push_back(padB);
        }
    }
    return ends;
}

// Dual in-line package, pins along the vertical axis.
void addDip(Board &board, QPointF centre, int pinsPerRow, double pitch, double rowSpacing,
            const QString &label, const QString &mark1, const QString &mark2) {
    const double length = pitch * pinsPerRow + 8;
    const double width = rowSpacing - 14;
    for (int side = 0; side < 2; ++side) {
        const double x = centre.x() + (side == 0 ? -rowSpacing / 2 : rowSpacing / 2);
        for (int i = 0; i < pinsPerRow; ++i) {
            const QPointF p(x, centre.y() - pitch * (pinsPerRow - 1) / 2 + i * pitch);
            if (side == 0 && i == 0)
                board.pads.addRect(QRectF(p - QPointF(7, 7), QSizeF(14, 14)));
            else
                board.pads.addEllipse(p, 7.2, 7.2);
            board.holes.addEllipse(p, 3.0, 3.0);
            // The leads bend down from the body into the holes.
            const double inner = side == 0 ? centre.x() - width / 2 : centre.x() + width / 2;
            board.leads.addRect(QRectF(QPointF(std::min(inner, p.x()), p.y() - 2.4),
                                       QPointF(std::max(inner, p.x()), p.y() + 2.4)));
            board.leads.addEllipse(p, 3.4, 3.4);
        }
    }
    const QRectF rect(centre.x() - width / 2, centre.y() - length / 2, width, length);
    QPainterPath body;
    body.addRoundedRect(rect, 2.5, 2.5);
    QPainterPath notch;
    notch.addEllipse(QPointF(centre.x(), rect.top()), 6, 6);
    board.bodies.push_back({body.subtracted(notch), 11, rgb(20, 20, 22), 0.14f, 9, 1});
    board.dimples.addEllipse(QPointF(rect.left() + 9, rect.top() + 13), 3.5, 3.5);
    addStrokeText(board.marking, mark1, QPointF(centre.x() + 5, rect.top() + 18), 7, 90);
    addStrokeText(board.marking, mark2, QPointF(centre.x() - 6, rect.top() + 18), 6, 90);
    // Silkscreen outline with the notch.
    const QRectF outline = rect.adjusted(-5, -5, 5, 5);
    QPainterPath silk;
    silk.moveTo(outline.center().x() - 8, outline.top());
    silk.lineTo(outline.topLeft());
    silk.lineTo(outline.bottomLeft());
    silk.lineTo(outline.bottomRight());
    silk.lineTo(outline.topRight());
    silk.lineTo(outline.center().x() + 8, outline.top());
    silk.arcTo(QRectF(outline.center().x() - 8, outline.top() - 8, 16, 16), 0, -180);
    board.silk.addPath(silk);
    addStrokeText(board.silk, label, QPointF(rect.right() + 8, rect.top() - 18), 9);
}

// Small outline package, pins along the horizontal sides.
void addSoic(Board &board, QPointF centre, const QString &label, const QString &mark) {
    const double pitch = 11;
    const QRectF rect(centre.x() - 22, centre.y() - 17, 44, 34);
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < 4; ++i) {
            const double x = centre.x() - 1.5 * pitch + i * pitch;
            const double y0 = side == 0 ? rect.top() : rect.bottom();
            const double dir = side == 0 ? -1 : 1;
            board.pads.addRoundedRect(
                QRectF(QPointF(x - 3, y0 + dir * 2), QPointF(x + 3, y0 + dir * 16)).normalized(), 1, 1);
            board.leads.addRect(QRectF(QPointF(x - 1.8, y0), QPointF(x + 1.8, y0 + dir * 11)).normalized());
        }
    }
    QPainterPath body;
    body.addRoundedRect(rect, 2, 2);
    board.bodies.push_back({body, 7, rgb(24, 24, 27), 0.16f, 10, 1});
    board.dimples.addEllipse(QPointF(rect.left() + 6, rect.bottom() - 6), 2.6, 2.6);
    addStrokeText(board.marking, mark, QPointF(rect.left() + 7, centre.y() - 4), 6);
    board.silkFill.addEllipse(QPointF(rect.left() - 6, rect.bottom() + 12), 2.2, 2.2);
    addStrokeText(board.silk, label, QPointF(rect.left() - 2, rect.top() - 30), 9);
}

// Two-terminal chip part (resistor or capacitor), horizontal or vertical.
void addChipPart(Board &board, QPointF centre, bool vertical, bool resistor, double length = 17,
                 double width = 10) {
    const QPointF axis = vertical ? QPointF(0, 1) : QPointF(1, 0);
    const QPointF across = vertical ? QPointF(1, 0) : QPointF(0, 1);
    for (int end = -1; end <= 1; end += 2) {
        const QPointF c = centre + axis * (end * (length / 2 + 1));
        board.pads.addRoundedRect(
            QRectF(c - axis * 5.5 - across * (width / 2 + 1.5), c + axis * 5.5 + across * (width / 2 + 1.5))
                .normalized(),
            1, 1);
        // Tinned terminations.
        board.leads.addRect(QRectF(centre + axis * (end * length / 2) - across * width / 2,
                                   centre + axis * (end * (length / 2 - 4)) + across * width / 2)
                                .normalized());
    }
    QPainterPath body;
    body.addRect(QRectF(centre - axis * (length / 2 - 4) - across * width / 2,
                        centre + axis * (length / 2 - 4) + across * width / 2)
                     .normalized());
    if (resistor)
        board.bodies.push_back({body, 3, rgb(28, 28, 30), 0.12f, 8, 0.6f});
    else
        board.bodies.push_back({body, 4, rgb(150, 118, 78), 0.1f, 6, 0.4f});
}

void addFanOut(Board &board, Random &random, const std::vector<QPointF> &ends, QPointF outward, double pitch,
               double spread, double minRun, double maxRun) {
    const int n = int(ends.size());
    const QPointF along = ends.size() > 1 ? (ends[1] - ends[0]) / pitch : QPointF(0, 1);
    for (int i = 0; i < n; ++i) {
        if (random.chance(0.12))
            continue;
        const double di = i - (n - 1) / 2.0;
        const QPointF start = ends[std::size_t(i)];
        const QPointF knee = start + outward * 4;
        const double shift = di * (spread - pitch);
        const QPointF diagonalEnd = knee + outward * std::abs(shift) + along * shift;
        const double run = random.range(minRun, maxRun);
        const QPointF end = diagonalEnd + outward * run;
        QPolygonF line;
        line << start << knee << diagonalEnd << end;
        board.traces.push_back({line, 2.2});
        addVia(board, end + outward * 2);
    }
}

void buildTitleBoard(Board &board, Random &random) {
    // U1: the processor, fanned out on all four sides.
    const QPointF u1(250, 245);
    const double qfpPitch = 7;
    const auto ends = addQfp(board, u1, 120, 16, qfpPitch);
    addStrokeText(board.marking, QStringLiteral("LGX8051"), u1 + QPointF(-40, -14), 11);
    addStrokeText(board.marking, QStringLiteral("2213 A4"), u1 + QPointF(-34, 6), 8);
    addStrokeText(board.marking, QStringLiteral("TWN 0218"), u1 + QPointF(-34, 22), 7);
    // Corner marks of the silkscreen outline and the pin-one dot.
    const double o = 60 + 22;
    for (int sx = -1; sx <= 1; sx += 2) {
        for (int sy = -1; sy <= 1; sy += 2) {
            QPainterPath corner;
            corner.moveTo(u1 + QPointF(sx * o, sy * (o - 10)));
            corner.lineTo(u1 + QPointF(sx * o, sy * o));
            corner.lineTo(u1 + QPointF(sx * (o - 10), sy * o));
            board.silk.addPath(corner);
        }
    }
    board.silkFill.addEllipse(u1 + QPointF(-o - 2, -o + 16), 2.6, 2.6);
    addStrokeText(board.silk, QStringLiteral("U1"), u1 + QPointF(-o, -o - 16), 10);

    // Left: fan-out to vias, then a power rail feeding the decoupling column.
    addFanOut(board, random, ends[0], QPointF(-1, 0), qfpPitch, 11, 6, 38);
    board.traces.push_back({QPolygonF({QPointF(88, 108), QPointF(88, 400), QPointF(110, 422)}), 5});
    for (int i = 0; i < 7; ++i) {
        const QPointF c(44, 128 + i * 38);
        addChipPart(board, c, false, i % 3 != 1);
        board.traces.push_back({QPolygonF({c + QPointF(10, 0), QPointF(88, c.y())}), 2.6});
        board.traces.push_back(
            {QPolygonF({c - QPointF(10, 0), c - QPointF(22, 0), c - QPointF(22, -8)}), 2.2});
        addVia(board, c + QPointF(-22, 10));
        addStrokeText(board.silk, QStringLiteral("%1%2").arg(i % 3 != 1 ? "R" : "C").arg(i + 3),
                      c + QPointF(-12, -18), 7);
    }

    // Bottom: fan-out that drops to the header.
    addFanOut(board, random, ends[1], QPointF(0, 1), qfpPitch, 10, 4, 26);

    // Right: two eight-line buses that bend away to the two DIP packages and end in staggered vias.
    const auto &right = ends[2];
    for (int group = 0; group < 2; ++group) {
        const int first = group * 8;
        QPointF mid(0, 0);
        for (int k = 0; k < 8; ++k)
            mid += right[std::size_t(first + k)];
        mid /= 8;
        const double dir = group == 0 ? 1 : -1; // right[0] is the bottom-most pin
        const double bend = 334 + group * 6;
        const double rise = 62 + group * 6;
        QPolygonF centre;
        centre << mid << QPointF(bend, mid.y()) << QPointF(bend + rise, mid.y() + dir * rise)
               << QPointF(bend + rise + 22, mid.y() + dir * rise);
        for (int k = 0; k < 8; ++k) {
            const double offset = (k - 3.5) * qfpPitch;
            QPolygonF line = offsetPolyline(centre, -offset);
            const double extra = (k % 2) * 13;
            line.last() += QPointF(extra, 0);
            board.traces.push_back({line, 2.2});
            addVia(board, line.last() + QPointF(2, 0));
        }
    }

    // Top: fan-out up to the crystal's row.
    addFanOut(board, random, ends[3], QPointF(0, -1), qfpPitch, 10, 4, 30);

    // U2, U3: DIP packages on the right, wired to a few bus vias.
    addDip(board, QPointF(515, 152), 4, 22, 66, QStringLiteral("U2"), QStringLiteral("LX324N"),
           QStringLiteral("K0921"));
    addDip(board, QPointF(515, 345), 4, 22, 66, QStringLiteral("U3"), QStringLiteral("HC14AP"),
           QStringLiteral("2B17"));
    for (int i = 0; i < 4; ++i) {
        board.traces.push_back({route(QPointF(482, 119 + i * 22), QPointF(452, 92 + i * 11), true), 2.2});
        addVia(board, QPointF(450, 92 + i * 11), 3.8, 1.6);
        board.traces.push_back({route(QPointF(548, 312 + i * 22), QPointF(596, 300 + i * 30)), 2.2});
        addVia(board, QPointF(596, 300 + i * 30));
    }
    board.traces.push_back({QPolygonF({QPointF(482, 378), QPointF(460, 400), QPointF(460, 430),
                                       QPointF(420, 470), QPointF(340, 470)}),
                            3.2});
    // Decoupling next to the DIPs.
    addChipPart(board, QPointF(590, 150), true, false, 15, 9);
    addChipPart(board, QPointF(590, 205), true, true, 15, 9);
    addStrokeText(board.silk, QStringLiteral("C8"), QPointF(575, 110), 7);
    addStrokeText(board.silk, QStringLiteral("R11"), QPointF(572, 228), 7);

    // X1: crystal can at the top.
    {
        const QPointF c(330, 48);
        for (int side = -1; side <= 1; side += 2) {
            board.pads.addEllipse(c + QPointF(side * 24, 0), 6.5, 6.5);
            board.holes.addEllipse(c + QPointF(side * 24, 0), 2.6, 2.6);
        }
        QPainterPath can;
        can.addRoundedRect(QRectF(c.x() - 50, c.y() - 20, 100, 40), 20, 20);
        board.bodies.push_back({can, 10, rgb(196, 198, 204), 0.9f, 18, 0.15f});
        QPainterPath outline;
        outline.addRoundedRect(QRectF(c.x() - 55, c.y() - 25, 110, 50), 25, 25);
        board.silk.addPath(outline);
        addStrokeText(board.silk, QStringLiteral("X1"), c + QPointF(60, -6), 9);
        addStrokeText(board.marking, QStringLiteral("16.000"), c + QPointF(-26, -5), 9);
    }

    // J1: two-row pin header at the bottom, pin one square.
    {
        for (int row = 0; row < 2; ++row) {
            for (int i = 0; i < 6; ++i) {
                const QPointF p(168 + i * 22, 446 + row * 22);
                if (row == 0 && i == 0)
                    board.pads.addRect(QRectF(p - QPointF(7.5, 7.5), QSizeF(15, 15)));
                else
                    board.pads.addEllipse(p, 7.5, 7.5);
                board.holes.addEllipse(p, 3.4, 3.4);
            }
        }
        board.silk.addRect(QRectF(152, 431, 22 * 6 + 10, 52));
        addStrokeText(board.silk, QStringLiteral("J1"), QPointF(120, 440), 9);
        addStrokeText(board.silk, QStringLiteral("1"), QPointF(158, 418), 7);
    }

    // U4: small outline package in the bottom-left corner, with its bypass capacitor.
    addSoic(board, QPointF(64, 450), QStringLiteral("U4"), QStringLiteral("24C02"));
    addChipPart(board, QPointF(118, 470), true, false, 14, 8);
    board.traces.push_back({route(QPointF(47.5, 420), QPointF(88, 400), true), 2.2});
    board.traces.push_back({QPolygonF({QPointF(80.5, 420), QPointF(80.5, 410), QPointF(88, 402)}), 2.2});

    // C1: electrolytic capacitor hanging over the bottom-right corner.
    {
        const QPointF c(585, 468);
        QPainterPath can;
        can.addEllipse(c, 42, 42);
        board.bodies.push_back({can, 26, rgb(175, 178, 186), 0.7f, 14, 0.2f});
        QPainterPath ring;
        ring.addEllipse(c, 48, 48);
        board.silk.addPath(ring);
        addStrokeText(board.silk, QStringLiteral("C1"), c + QPointF(-70, -40), 9);
        addStrokeText(board.silk, QStringLiteral("+"), c + QPointF(-60, -8), 9);
    }

    // Mounting holes.
    for (const QPointF c : {QPointF(26, 26), QPointF(594, 24)}) {
        board.pads.addEllipse(c, 17, 17);
        board.holes.addEllipse(c, 10, 10);
        for (int k = 0; k < 8; ++k) {
            const double a = k * 3.14159265358979 / 4;
            addVia(board, c + QPointF(std::cos(a), std::sin(a)) * 13.5, 2.2, 1.0);
        }
    }

    // Loose vias of the ground stitching.
    for (int i = 0; i < 26; ++i) {
        // One draw per statement: the order of evaluation of arguments differs between compilers.
        const double py = random.range(400, 440);
        const double px = random.range(380, 600);
        const double qy = random.range(70, 150);
        const double qx = random.range(110, 210);
        const QPointF p(px, py), q(qx, qy);
        if (i % 2 == 0)
            addVia(board, QPointF(std::round(p.x() / 14) * 14, std::round(p.y() / 14) * 14), 3.8, 1.6);
        else if (i < 12)
            addVia(board, QPointF(std::round(q.x() / 14) * 14, std::round(q.y() / 14) * 14), 3.8, 1.6);
    }

    addStrokeText(board.silk, QStringLiteral("LOGICUS-MB REV 1.2"), QPointF(224, 400), 8);
    // Decoupling at the processor's corners and a resistor pair by the crystal.
    for (const QPointF c : {QPointF(160, 140), QPointF(340, 350), QPointF(160, 350)}) {
        addChipPart(board, c, false, false, 13, 7);
        addVia(board, c + QPointF(0, 12), 3.4, 1.4);
    }
    addChipPart(board, QPointF(420, 40), false, true, 15, 8);
    addChipPart(board, QPointF(420, 62), false, true, 15, 8);
    addStrokeText(board.silk, QStringLiteral("R1"), QPointF(440, 30), 7);
    addStrokeText(board.silk, QStringLiteral("R2"), QPointF(440, 58), 7);
    board.traces.push_back({QPolygonF({QPointF(380, 48), QPointF(400, 40), QPointF(410, 40)}), 2.2});
    board.traces.push_back(
        {QPolygonF({QPointF(430, 62), QPointF(470, 62), QPointF(482, 74), QPointF(482, 119)}), 2.2});

    // Ground pour under the mask in the lower right and top left, kept clear of traces and pads.
    QPainterPath pour;
    pour.addPolygon(QPolygonF(
        {QPointF(330, 497), QPointF(330, 440), QPointF(380, 395), QPointF(617, 395), QPointF(617, 497)}));
    board.pour = pour;
}

// Clearance of the pour: traces and pads widened.
Field pourMask(const Board &board, const QTransform &transform) {
    Field pour = paintMask(titleWidth, titleHeight, transform, [&](QPainter &p) { p.drawPath(board.pour); });
    const Field clearance = paintMask(titleWidth, titleHeight, transform, [&](QPainter &p) {
        for (const Trace &t : board.traces) {
            p.setPen(QPen(Qt::white, t.width + 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(t.points);
        }
        p.setPen(QPen(Qt::white, 8));
        p.drawPath(board.pads);
        for (const Body &b : board.bodies)
            p.drawPath(b.shape);
    });
    for (std::size_t i = 0; i < pour.v.size(); ++i)
        pour.v[i] *= 1 - clearance.v[i];
    return pour;
}

} // namespace

QImage drawTitle(std::uint64_t seed) {
    Random random(seed);
    Board board;
    buildTitleBoard(board, random);

    // The camera looks slightly askew at the board and a little closer than the layout.
    QTransform view;
    view.translate(titleWidth / 2.0, titleHeight / 2.0);
    view.rotate(-2.2);
    view.scale(1.05, 1.05);
    view.translate(-titleWidth / 2.0, -titleHeight / 2.0);

    const int w = titleWidth, h = titleHeight;
    const auto mask = [&](const std::function<void(QPainter &)> &draw) {
        return paintMask(w, h, view, draw);
    };
    const auto strokes = [&](const QPainterPath &path, double width) {
        return mask([&](QPainter &p) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path);
        });
    };

    // Solder mask over glass-fibre laminate: mottling, a woven glass pattern and fibre streaks.
    const Rgb maskGreen = rgb(18, 84, 44);
    Canvas albedo(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double mottle = fractalNoise(x / 70.0, y / 70.0, 4, 11);
            const double weave = std::sin(x * 0.95) * std::sin(y * 0.95);
            const double fibreX = valueNoise(x / 40.0, y / 1.6, 21);
            const double fibreY = valueNoise(x / 1.6, y / 40.0, 22);
            const double grain = valueNoise(x / 1.2, y / 1.2, 23);
            const float k =
                float(1 + 0.07 * mottle + 0.025 * weave + 0.03 * fibreX + 0.025 * fibreY + 0.02 * grain);
            albedo.at(x, y) = {maskGreen.r * k * 0.95f, maskGreen.g * k, maskGreen.b * k * 1.04f};
        }
    }
    Field heightMap(w, h);
    Field gloss(w, h, 0.32f); // the mask is a glossy lacquer
    Field shininess(w, h, 24.0f);

    // Copper under the mask shows as lighter, yellower green and lifts the lacquer a little.
    const Field pour = pourMask(board, view);
    const Field traces = mask([&](QPainter &p) {
        for (const Trace &t : board.traces) {
            p.setPen(QPen(Qt::white, t.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(t.points);
        }
    });
    const Rgb copperUnderMask = rgb(44, 128, 50);
    composite(albedo, pour, mix(maskGreen, copperUnderMask, 0.75f));
    composite(albedo, traces, copperUnderMask);
    addScaled(heightMap, gaussianBlur(pour, 0.8f), 0.7f);
    addScaled(heightMap, gaussianBlur(traces, 0.8f), 1.0f);

    // Silkscreen: slightly uneven white ink.
    Field silk = strokes(board.silk, 1.7);
    const Field silkDots = mask([&](QPainter &p) { p.drawPath(board.silkFill); });
    for (std::size_t i = 0; i < silk.v.size(); ++i)
        silk.v[i] = std::max(silk.v[i], silkDots.v[i]);
    composite(albedo, silk, [&](int x, int y) {
        const float k = float(0.9 + 0.08 * valueNoise(x / 2.0, y / 2.0, 31));
        return Rgb{0.93f * k, 0.94f * k, 0.90f * k};
    });
    addScaled(heightMap, silk, 0.5f);
    blendTo(gloss, silk, 0.05f);

    // Exposed gold: pads, via rings, header rings.
    const Field pads = mask([&](QPainter &p) { p.drawPath(board.pads); });
    composite(albedo, pads, [&](int x, int y) {
        const float k = float(1 + 0.06 * valueNoise(x / 3.0, y / 3.0, 41));
        return Rgb{0.86f * k, 0.69f * k, 0.36f * k};
    });
    addScaled(heightMap, gaussianBlur(pads, 0.6f), 1.2f);
    blendTo(gloss, pads, 0.9f);
    blendTo(shininess, pads, 14);

    // Drilled holes: dark, deep.
    const Field holes = mask([&](QPainter &p) { p.drawPath(board.holes); });
    composite(albedo, holes, rgb(12, 10, 8));
    addScaled(heightMap, holes, -4.0f);
    blendTo(gloss, holes, 0.0f);

    // Components: soft shadows first, then leads, then bodies with their own bevel.
    Field shadow(w, h);
    // Each part casts its outline, shifted away from the light and blurred, onto the shadow field.
    const auto castShadow = [&](const QPainterPath &shape, double dx, double dy, float blur, float strength) {
        QTransform shifted = view;
        shifted.translate(dx, dy);
        const Field s = gaussianBlur(paintMask(w, h, shifted, [&](QPainter &p) { p.drawPath(shape); }), blur);
        for (std::size_t i = 0; i < s.v.size(); ++i)
            shadow.v[i] = std::max(shadow.v[i], s.v[i] * strength);
    };
    for (const Body &b : board.bodies)
        castShadow(b.shape, b.height * 0.45, b.height * 0.55, float(1.5 + b.height * 0.35), 1.0f);
    castShadow(board.leads, 1.5, 2.0, 1.2f, 0.8f);
    for (std::size_t i = 0; i < albedo.px.size(); ++i)
        albedo.px[i] = scale(albedo.px[i], 1 - 0.62f * shadow.v[i]);

    const Field leads = mask([&](QPainter &p) { p.drawPath(board.leads); });
    composite(albedo, leads, [&](int x, int y) {
        const float k = float(1 + 0.08 * valueNoise(x / 2.5, y / 2.5, 51));
        return Rgb{0.80f * k, 0.81f * k, 0.83f * k};
    });
    addScaled(heightMap, gaussianBlur(leads, 0.9f), 2.5f);
    blendTo(gloss, leads, 0.85f);
    blendTo(shininess, leads, 16);

    std::uint32_t textureSeed = 60;
    for (const Body &b : board.bodies) {
        const Field body = mask([&](QPainter &p) { p.drawPath(b.shape); });
        const std::uint32_t ts = textureSeed++;
        composite(albedo, body, [&](int x, int y) {
            const double grain =
                valueNoise(x / 1.3, y / 1.3, ts) * 0.6 + valueNoise(x / 6.0, y / 6.0, ts + 7) * 0.4;
            const float k = float(1 + b.texture * 0.22 * grain);
            return scale(b.colour, k);
        });
        // The moulded edge rounds over a few pixels.
        const Field bevel = gaussianBlur(body, 1.6f);
        for (std::size_t i = 0; i < heightMap.v.size(); ++i)
            heightMap.v[i] = heightMap.v[i] * (1 - body.v[i]) + body.v[i] * (float(b.height) * bevel.v[i]);
        blendTo(gloss, body, b.gloss);
        blendTo(shininess, body, b.shininess);
    }
    const Field dimples = mask([&](QPainter &p) { p.drawPath(board.dimples); });
    for (std::size_t i = 0; i < albedo.px.size(); ++i)
        albedo.px[i] = scale(albedo.px[i], 1 - 0.25f * dimples.v[i]);
    addScaled(heightMap, gaussianBlur(dimples, 0.8f), -0.8f);
    const Field marking = strokes(board.marking, 1.1);
    composite(albedo, marking, rgb(120, 120, 118), 0.8f);

    // Electrolytic can: dark sleeve stripe and the pressure-vent cross on the top.
    {
        const Field stripe = mask([&](QPainter &p) {
            QPainterPath can;
            can.addEllipse(QPointF(585, 468), 42, 42);
            QPainterPath band;
            band.addRect(QRectF(540, 420, 22, 100));
            p.drawPath(can.intersected(band));
        });
        composite(albedo, stripe, rgb(30, 34, 60), 0.9f);
        QPainterPath vent;
        vent.moveTo(570, 453);
        vent.lineTo(600, 483);
        vent.moveTo(600, 453);
        vent.lineTo(570, 483);
        const Field ventMask = strokes(vent, 2.2);
        addScaled(heightMap, ventMask, -1.5f);
        composite(albedo, ventMask, rgb(120, 122, 130), 0.6f);
    }

    // Lighting: a lamp up and to the left, a camera above the centre; the height map gives the normals.
    Canvas lit(w, h);
    const Field smoothHeight = gaussianBlur(heightMap, 0.7f);
    const double lightX = -260, lightY = -340, lightZ = 700;
    const double camX = w * 0.5, camY = h * 0.55, camZ = 900;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double hx = (smoothHeight.clamped(x + 1, y) - smoothHeight.clamped(x - 1, y)) * 0.5;
            const double hy = (smoothHeight.clamped(x, y + 1) - smoothHeight.clamped(x, y - 1)) * 0.5;
            double nx = -hx * 0.9, ny = -hy * 0.9, nz = 1;
            const double nl = std::sqrt(nx * nx + ny * ny + nz * nz);
            nx /= nl, ny /= nl, nz /= nl;
            const double pz = smoothHeight.at(x, y);
            double lx = lightX - x, ly = lightY - y, lz = lightZ - pz;
            const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
            lx /= ll, ly /= ll, lz /= ll;
            double vx = camX - x, vy = camY - y, vz = camZ - pz;
            const double vl = std::sqrt(vx * vx + vy * vy + vz * vz);
            vx /= vl, vy /= vl, vz /= vl;
            double hvx = lx + vx, hvy = ly + vy, hvz = lz + vz;
            const double hl = std::sqrt(hvx * hvx + hvy * hvy + hvz * hvz);
            hvx /= hl, hvy /= hl, hvz /= hl;
            const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz) / lz;
            const double nh = std::max(0.0, nx * hvx + ny * hvy + nz * hvz);
            const double specular = gloss.at(x, y) * std::pow(nh, double(shininess.at(x, y)));
            // A broad softbox reflection across the glossy surfaces.
            const double band = (x * 0.55 + y * 0.83 - 230) / 120.0;
            const double sheen = gloss.at(x, y) * 0.10 * std::exp(-band * band);
            const Rgb a = albedo.at(x, y);
            const double light = 0.30 + 0.78 * diffuse;
            const bool metal = gloss.at(x, y) > 0.5f;
            // Metal tints its highlights; the lacquer reflects white.
            const float top = std::max({a.r, a.g, a.b, 0.01f});
            const Rgb tint =
                metal ? Rgb{0.55f + 0.45f * a.r / top, 0.55f + 0.45f * a.g / top, 0.55f + 0.45f * a.b / top}
                      : Rgb{1, 1, 1};
            const double highlight = specular * 0.9 + sheen;
            lit.at(x, y) = {float(a.r * light + tint.r * highlight), float(a.g * light + tint.g * highlight),
                            float(a.b * light + tint.b * highlight)};
        }
    }

    // Lens: a little softness everywhere, more towards the top and bottom edges, and a vignette.
    const Canvas soft = gaussianBlur(lit, 0.55f);
    const Canvas blurred = gaussianBlur(lit, 1.7f);
    Canvas out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double fy = (y - h * 0.48) / (h * 0.5);
            const double fx = (x - w * 0.45) / (w * 0.5);
            const float defocus =
                float(std::clamp((std::abs(fy) - 0.45) / 0.55 + (std::abs(fx) - 0.7) / 0.6, 0.0, 1.0));
            const Rgb p = mix(soft.at(x, y), blurred.at(x, y), defocus);
            const double r2 = fx * fx * 0.8 + fy * fy;
            const double vignette = 1.0 - 0.28 * r2;
            const double diagonal = 1.08 - 0.16 * (double(x) / w + double(y) / h) / 2;
            out.at(x, y) = scale(p, float(vignette * diagonal));
        }
    }
    return toImage(out, random, 0.012f);
}

} // namespace artwork

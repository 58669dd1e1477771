#include "strokefont.h"

#include <QStringList>
#include <QTransform>

namespace artwork {

namespace {

const char *glyph(QChar c) {
    switch (c.toLatin1()) {
    case '0':
        return "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0";
    case '1':
        return "1,1 2,0 2,6|1,6 3,6";
    case '2':
        return "0,1 1,0 3,0 4,1 4,2 0,6 4,6";
    case '3':
        return "0,0 4,0 2,2 3,2 4,3 4,5 3,6 1,6 0,5";
    case '4':
        return "3,6 3,0 0,4 4,4";
    case '5':
        return "4,0 0,0 0,3 3,3 4,4 4,5 3,6 0,6";
    case '6':
        return "3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,4 3,3 0,3";
    case '7':
        return "0,0 4,0 1,6";
    case '8':
        return "1,0 3,0 4,1 4,2 3,3 1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3|1,3 0,2 0,1 1,0";
    case '9':
        return "4,3 1,3 0,2 0,1 1,0 3,0 4,1 4,5 3,6 1,6";
    case 'A':
        return "0,6 0,2 2,0 4,2 4,6|0,4 4,4";
    case 'B':
        return "0,0 0,6 3,6 4,5 4,4 3,3 0,3|0,0 3,0 4,1 4,2 3,3";
    case 'C':
        return "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5";
    case 'D':
        return "0,0 0,6 2,6 4,4 4,2 2,0 0,0";
    case 'E':
        return "4,0 0,0 0,6 4,6|0,3 3,3";
    case 'F':
        return "4,0 0,0 0,6|0,3 3,3";
    case 'G':
        return "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3 2,3";
    case 'H':
        return "0,0 0,6|4,0 4,6|0,3 4,3";
    case 'I':
        return "1,0 3,0|2,0 2,6|1,6 3,6";
    case 'J':
        return "4,0 4,5 3,6 1,6 0,5";
    case 'K':
        return "0,0 0,6|4,0 0,4|1,3 4,6";
    case 'L':
        return "0,0 0,6 4,6";
    case 'M':
        return "0,6 0,0 2,3 4,0 4,6";
    case 'N':
        return "0,6 0,0 4,6 4,0";
    case 'O':
        return "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0";
    case 'P':
        return "0,6 0,0 3,0 4,1 4,2 3,3 0,3";
    case 'Q':
        return "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0|2,4 4,6";
    case 'R':
        return "0,6 0,0 3,0 4,1 4,2 3,3 0,3|2,3 4,6";
    case 'S':
        return "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5";
    case 'T':
        return "0,0 4,0|2,0 2,6";
    case 'U':
        return "0,0 0,5 1,6 3,6 4,5 4,0";
    case 'V':
        return "0,0 2,6 4,0";
    case 'W':
        return "0,0 1,6 2,3 3,6 4,0";
    case 'X':
        return "0,0 4,6|4,0 0,6";
    case 'Y':
        return "0,0 2,3 4,0|2,3 2,6";
    case 'Z':
        return "0,0 4,0 0,6 4,6";
    case '.':
        return "1.7,6 2.3,6";
    case '-':
        return "1,3 3,3";
    case '+':
        return "2,1.5 2,4.5|0.5,3 3.5,3";
    case '/':
        return "0,6 4,0";
    default:
        return "";
    }
}

} // namespace

double addStrokeText(QPainterPath &path, const QString &text, QPointF origin, double height,
                     double angleDegrees) {
    const double unit = height / 6.0;
    QTransform placement;
    placement.translate(origin.x(), origin.y());
    placement.rotate(angleDegrees);
    placement.scale(unit, unit);
    double advance = 0;
    for (const QChar c : text) {
        const QStringList strokes =
            QString::fromLatin1(glyph(c.toUpper())).split(QLatin1Char('|'), Qt::SkipEmptyParts);
        for (const QString &stroke : strokes) {
            const QStringList points = stroke.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            for (int i = 0; i < points.size(); ++i) {
                const QStringList xy = points[i].split(QLatin1Char(','));
                const QPointF p = placement.map(QPointF(advance + xy[0].toDouble(), xy[1].toDouble()));
                if (i == 0)
                    path.moveTo(p);
                else
                    path.lineTo(p);
            }
        }
        advance += 6;
    }
    return advance * unit;
}

} // namespace artwork

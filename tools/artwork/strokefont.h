#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QString>

// A tiny single-stroke font (upper-case Latin letters, digits, '.', '-', '+', '/' and space) for silkscreen
// and chip markings, so the artwork never depends on installed fonts. Glyphs sit on a 4 × 6 grid; unknown
// characters are left blank.
namespace artwork {

// Appends the text as open polylines to path: top-left corner at origin, capital height `height`, advancing
// along `angleDegrees` (0 = left to right). Returns the advance width.
double addStrokeText(QPainterPath &path, const QString &text, QPointF origin, double height,
                     double angleDegrees = 0);

} // namespace artwork

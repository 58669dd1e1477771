#pragma once

#include <QRect>

class QPainter;

// One-pixel lowered bevel shared by the drawn controls: shadow along the top and left edge, highlight along
// the bottom and right edge of `rect`. Returns the area inside it. An empty rect draws nothing.
QRect drawLoweredBevel(QPainter &painter, const QRect &rect);

#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

// Pill-shaped button faces, lamps and the clock frame are all drawn by DrawButtonFace: width × height logical
// pixels, drawn at `devicePixelRatio` device pixels per logical pixel (crisp, not stretched) and marked with
// that ratio. Returns an opaque RGB32 image whose white outside the outer outline becomes transparent once
// passed through maskWhite(). All strokes are drawn without antialiasing so that the flood fills stop at
// them.
QImage DrawButtonFace(int width, int height, bool raised, const QColor &fill, qreal devicePixelRatio = 1.0);

// Replaces the contiguous area (4-connected) of the colour found at `seed` with `fill`.
void floodFillSurface(QImage &image, QPoint seed, const QColor &fill);

// Fills the 4-connected area around `seed` up to pixels of `border` colour with `fill`.
void floodFillToBorder(QImage &image, QPoint seed, const QColor &border, const QColor &fill);

// The masked form a picture list keeps: every pure white pixel becomes fully transparent.
QImage maskWhite(const QImage &image);

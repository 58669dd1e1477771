#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

// Pill-shaped button faces, lamps and the clock frame are all drawn by DrawButtonFace. Returns an opaque
// RGB32 image whose white outside the outer outline becomes transparent once passed through
// maskWhite(). All strokes are drawn without antialiasing so that the flood fills stop at them.
QImage DrawButtonFace(int width, int height, bool raised, const QColor &fill);

// The same face for a screen of `devicePixelRatio` device pixels per logical pixel: drawn at the screen's own
// resolution (so outlines and curves stay crisp instead of being stretched) and marked with that ratio, so
// that it still measures width × height logical pixels. At a ratio of 1 it is exactly the face above.
QImage DrawButtonFace(int width, int height, bool raised, const QColor &fill, qreal devicePixelRatio);

// Replaces the contiguous area (4-connected) of the colour found at `seed` with `fill`.
void floodFillSurface(QImage &image, QPoint seed, const QColor &fill);

// Fills the 4-connected area around `seed` up to pixels of `border` colour with `fill`.
void floodFillToBorder(QImage &image, QPoint seed, const QColor &border, const QColor &fill);

// The masked form a picture list keeps: every pure white pixel becomes fully transparent.
QImage maskWhite(const QImage &image);

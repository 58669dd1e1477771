#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace dialogs {

// Where a dialog's outer frame goes on its first showing: centred over the owner's outer frame (the half of
// an odd difference is truncated), pulled back to 0 where the owner sits so near the top or left screen edge
// that the dialog would start off-screen.
QPoint centredTopLeft(const QRect &ownerFrame, const QSize &dialogFrameSize);

} // namespace dialogs

#include "ui/dialogs/placement.h"

#include <algorithm>

namespace dialogs {

QPoint centredTopLeft(const QRect &ownerFrame, const QSize &dialogFrameSize) {
    // Division truncates toward zero, as it does for a dialog larger than its owner too.
    const int x = ownerFrame.x() + (ownerFrame.width() - dialogFrameSize.width()) / 2;
    const int y = ownerFrame.y() + (ownerFrame.height() - dialogFrameSize.height()) / 2;
    return {std::max(0, x), std::max(0, y)};
}

} // namespace dialogs

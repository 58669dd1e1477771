// The plain message where the program has no window of its own to draw it with: Qt's message boxes are
// trusted to paint the screen, as they do on every screen these platforms offer.

#include "ui/main/plainmessage.h"

namespace plainmessage {

bool qtPaintsScreen() {
    return true;
}

bool show(const QString &, const QString &) {
    return false;
}

} // namespace plainmessage

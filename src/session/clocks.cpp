#include "session/clocks.h"

namespace session {

QString TimeText(int seconds) {
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString totalTimeHint(int totalSeconds) {
    return QStringLiteral("Общее время - ") + TimeText(totalSeconds);
}

LampImages lampImagesAfter(int totalSeconds) {
    LampImages lamps;
    if (totalSeconds >= 1)
        lamps.green = 1;
    if (totalSeconds >= 901) {
        lamps.green = 0;
        lamps.yellow = 3;
    }
    if (totalSeconds >= 1201) {
        lamps.yellow = 2;
        lamps.red = 5;
    }
    return lamps;
}

} // namespace session

#pragma once

#include <QString>

namespace session {

// "mm:ss": minutes at least two digits (three from 100 minutes on), no hour field.
QString TimeText(int seconds);

// The hint of the three total-time lamps.
QString totalTimeHint(int totalSeconds);

// Picture-list indices of the green, yellow and red lamps: 0/1 green off/lit, 2/3 yellow, 4/5 red.
struct LampImages {
    int green = 0;
    int yellow = 2;
    int red = 4;

    bool operator==(const LampImages &) const = default;
};

// What the lamps show after `totalSeconds` ticks of the total-time timer: all off during the first
// second, green until 900, yellow from the 901st tick, red from the 1201st.
LampImages lampImagesAfter(int totalSeconds);

} // namespace session

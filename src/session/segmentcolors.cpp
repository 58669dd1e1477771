#include "session/segmentcolors.h"

#include "session/gamedata.h"

namespace session {

SegmentColorRole segmentColorRole(int slotState) {
    switch (slotState) {
    case esNotPlayed:
        return SegmentColorRole::SelectionHighlight;
    case esCurrent:
        return SegmentColorRole::ButtonHighlight;
    case esWrong:
        return SegmentColorRole::Red;
    case esRight:
        return SegmentColorRole::Green;
    default:
        return SegmentColorRole::Unchanged;
    }
}

} // namespace session

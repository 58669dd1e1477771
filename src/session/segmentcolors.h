#pragma once

namespace session {

// The colour of one progress-bar segment as a role; the window maps roles to its fixed colours.
// Unchanged leaves the bar's own preset colour (a slot value that never occurs).
enum class SegmentColorRole { SelectionHighlight, ButtonHighlight, Red, Green, Unchanged };

SegmentColorRole segmentColorRole(int slotState);

} // namespace session

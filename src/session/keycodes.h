#pragma once

namespace session {

// The key codes that the game's keys are written in: the desktop's virtual-key codes. The main window turns
// each key press into one of them (or vkNone) before the game looks at it.
enum TKeyCode : int { vkNone = 0, vkReturn = 13, vkEscape = 27, vkDigit1 = 49, vkDigit2 = 50, vkDigit3 = 51 };

} // namespace session

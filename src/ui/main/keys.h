#pragma once

#include "session/keycodes.h"

#include <QStringView>
#include <Qt>

class QKeyEvent;

// The codes as the window's key handler and its tests name them.
using enum session::TKeyCode;

// The code of one key press. Return and the keypad's Enter are both 13 and Escape is 27, whatever the
// modifiers. The digits 1, 2 and 3 are the keys of the main keyboard's digit row, recognised by the physical
// key, so that Shift+1 is still 1 and so is the unshifted key of a layout whose digit row needs Shift for
// digits; keypad digits are not digits here. `nativeScanCode` is the window system's code of the physical key
// (0 when the event was made up by a program, which then counts by its Qt key); `platform` is Qt's platform
// name, which says how scan codes are numbered. Any other key gives vkNone.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode, QStringView platform);
int virtualKeyCode(const QKeyEvent &event);

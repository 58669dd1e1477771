#pragma once

#include <QColor>

class QApplication;

// The desktop colour roles the program draws with. They are one fixed table rather than the desktop's
// palette so that every machine, window and test sees the same pixels.
enum class SystemColor {
    ButtonFace,
    ButtonShadow,
    ButtonHighlight,
    Highlight, // selection highlight
    AppWorkspace,
    Window,
    WindowText,
};

QColor systemColor(SystemColor role);

// Puts the fixed table into the application palette (and the Fusion style, whose drawing follows the
// palette), so that Qt's own controls agree with the drawn ones.
void applySystemColors(QApplication &app);

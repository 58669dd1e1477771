#include "ui/main/keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace {

// PC keyboard scan codes of the digit row's 1, 2 and 3. Linux input numbers keys the same way, and X and
// Wayland report those numbers plus 8.
constexpr quint32 ScanDigit1 = 2;
constexpr quint32 ScanDigit3 = 4;
constexpr quint32 EvdevToX = 8;

int digitRowCode(quint32 scanCode, QStringView platform) {
    if (platform != u"windows") {
        if (scanCode < EvdevToX)
            return vkNone;
        scanCode -= EvdevToX;
    }
    if (scanCode >= ScanDigit1 && scanCode <= ScanDigit3)
        return vkDigit1 + int(scanCode - ScanDigit1);
    return vkNone;
}

} // namespace

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode, QStringView platform) {
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter)
        return vkReturn;
    if (qtKey == Qt::Key_Escape)
        return vkEscape;
    if (nativeScanCode != 0)
        return digitRowCode(nativeScanCode, platform);
    if (modifiers & Qt::KeypadModifier)
        return vkNone;
    if (qtKey >= Qt::Key_1 && qtKey <= Qt::Key_3)
        return vkDigit1 + (qtKey - Qt::Key_1);
    return vkNone;
}

int virtualKeyCode(const QKeyEvent &event) {
    return virtualKeyCode(event.key(), event.modifiers(), event.nativeScanCode(),
                          QGuiApplication::platformName());
}

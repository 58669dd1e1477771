#pragma once

#include <QFont>
#include <QImage>
#include <QString>

class QCoreApplication;

// The program's built-in fonts and Qt's Russian texts.
//
// Every window asks programFont() for its fonts instead of naming a system family, so texts measure the same
// on every machine: the Windows families the windows are designed for ("Courier New", "Arial", "Times New
// Roman") are served by their metric twins from the Liberation set built into the program. All functions need
// a QGuiApplication (or QApplication) to exist. Failures are not fatal: a font that cannot be registered
// leaves Qt's own fallback in place, and a missing translation leaves Qt's English texts.

// Registers the five built-in Liberation fonts (:/fonts) and makes rich text that names "Courier New",
// "Arial" or "Times New Roman" use their Liberation twins. Safe to call more than once; returns true when all
// five fonts are registered.
bool registerApplicationFonts();

// The font for a Windows family name at a character height in pixels (the windows give heights like 19).
// "Courier New" → "Liberation Mono", "Arial" → "Liberation Sans", "Times New Roman" → "Liberation Serif";
// other families are used as given. Registers the built-in fonts first if that has not happened yet.
QFont programFont(const QString &family, int pixelHeight, bool bold);

// The Liberation family that stands for a Windows family name, or the name itself when it has no twin.
QString programFontFamily(const QString &family);

// Loads Qt's Russian texts (:/i18n/qtbase_ru.qm) into a translator owned by app and installs it, so Qt's
// standard buttons and context menus read Russian. Returns false if the translation could not be loaded or
// installed.
bool installQtTranslation(QCoreApplication &app);

// A picture of the program's resources. An uncompressed 24-bit bitmap (the title picture, read before the
// main window's first paint) is read straight from the resource data, far faster than through Qt's image
// plug-in: stored top row first with four-byte aligned rows, it is not even copied but shown where it lies (a
// read-only Format_BGR888 image). Any other picture goes through Qt's reader for the format its suffix names.
// A null image if the picture is missing or malformed.
QImage loadProgramPicture(const QString &resourcePath);

// The fast path on its own: a null image unless `data` is a complete uncompressed 24-bit bitmap.
QImage readBitmap24(const QByteArray &data);

// The same bitmap as a read-only image over `data`'s own bytes, which must outlive it; a null image unless
// the bitmap is stored top row first with its pixels on a four-byte boundary.
QImage bitmap24View(const QByteArray &data);

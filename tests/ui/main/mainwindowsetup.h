#pragma once

#include "resources/appresources.h"
#include "ui/controls/systemcolors.h"
#include "ui/main/mainwindow.h"

#include <QApplication>

// What every main-window test needs before its first window: the program's fonts and colours, and a screen
// the window accepts whatever the machine running the tests has.
inline void prepareMainWindowTests() {
    registerApplicationFonts();
    applySystemColors(*qApp);
    TForm1::screenFactsSource = [] { return session::ScreenFacts{24, 1024, 768}; };
}

#pragma once

#include "controls.h"

#include "resources/appresources.h"
#include "ui/controls/mmbutton.h"
#include "ui/controls/picturebox.h"
#include "ui/controls/progress.h"
#include "ui/controls/systemcolors.h"
#include "ui/main/mainwindow.h"
#include "ui/main/radiogroup.h"
#include "ui/main/valuelist.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>

// What every main-window test needs before its first window: the program's fonts and colours, and a screen
// the window accepts whatever the machine running the tests has.
inline void prepareMainWindowTests() {
    registerApplicationFonts();
    applySystemColors(*qApp);
    TForm1::screenFactsSource = [] { return session::ScreenFacts{24, 1024, 768}; };
}

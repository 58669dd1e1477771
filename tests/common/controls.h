#pragma once

#include <QLatin1String>
#include <QObject>
#include <QWidget>
#include <QtGlobal>

// A control of a window by its layout name, as the window's form names it. A missing control stops the test
// at once, naming it, instead of failing later on a null pointer.
template<class T = QWidget>
T *control(const QObject *window, const char *name) {
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("%s has no %s named %s", qPrintable(window->objectName()), T::staticMetaObject.className(),
               name);
    return found;
}

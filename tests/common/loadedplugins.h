#pragma once

#include <QFile>
#include <QString>

// Whether this process has mapped any of Qt's image-format plugins (libqgif, libqjpeg, libqsvg, …). Start-up
// must not load them: the program's pictures are read by Qt's built-in readers or its own.
inline bool imageFormatPluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

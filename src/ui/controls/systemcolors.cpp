#include "ui/controls/systemcolors.h"

#include "ui/controls/programstyle.h"

#include <QApplication>
#include <QPalette>

QColor systemColor(SystemColor role) {
    switch (role) {
    case SystemColor::ButtonFace:
        return QColor(212, 208, 200);
    case SystemColor::ButtonShadow:
        return QColor(128, 128, 128);
    case SystemColor::ButtonHighlight:
        return QColor(255, 255, 255);
    case SystemColor::Highlight:
        return QColor(10, 36, 106);
    case SystemColor::AppWorkspace:
        return QColor(128, 128, 128);
    case SystemColor::Window:
        return QColor(255, 255, 255);
    case SystemColor::WindowText:
        return QColor(0, 0, 0);
    }
    return QColor(0, 0, 0);
}

void applySystemColors(QApplication &app) {
    QApplication::setStyle(new ProgramStyle);

    const QColor face = systemColor(SystemColor::ButtonFace);
    const QColor shadow = systemColor(SystemColor::ButtonShadow);
    const QColor light = systemColor(SystemColor::ButtonHighlight);
    const QColor text = systemColor(SystemColor::WindowText);

    QPalette palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Button, face);
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::Light, light);
        palette.setColor(group, QPalette::Midlight, face);
        palette.setColor(group, QPalette::Dark, shadow);
        palette.setColor(group, QPalette::Mid, shadow);
        palette.setColor(group, QPalette::Shadow, QColor(0, 0, 0));
        palette.setColor(group, QPalette::Highlight, systemColor(SystemColor::Highlight));
        palette.setColor(group, QPalette::HighlightedText, QColor(255, 255, 255));
        palette.setColor(group, QPalette::Base, systemColor(SystemColor::Window));
        palette.setColor(group, QPalette::AlternateBase, face);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 225));
        palette.setColor(group, QPalette::ToolTipText, text);
        palette.setColor(group, QPalette::PlaceholderText, shadow);
    }
    palette.setColor(QPalette::Disabled, QPalette::Text, shadow);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, shadow);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, shadow);
    QApplication::setPalette(palette);
    Q_UNUSED(app);
}

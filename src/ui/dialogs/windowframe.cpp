#include "ui/dialogs/windowframe.h"

#include <QCoreApplication>
#include <QWidget>

namespace dialogs {

void createNativeWindow(QWidget &window) {
    if (window.internalWinId())
        return;
    // winId() marks the window native, and a native widget makes all its siblings native too unless the
    // application says otherwise: the owner's menu bar and client area would become windows of their own.
    const bool siblingsWere = QCoreApplication::testAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    window.winId();
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings, siblingsWere);
}

} // namespace dialogs

#include "ui/docviews/messageboxreporter.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxReporter::showError(const QString &message) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), message, QMessageBox::Ok, m_parent);
    box.exec();
}

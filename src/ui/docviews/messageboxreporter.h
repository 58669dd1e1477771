#pragma once

#include "docset/docviews.h"

class QWidget;

// Shows the document set's errors in a message box over the given window, with the program's name as its
// caption and an "OK" button, and returns when it is closed.
class MessageBoxReporter : public docset::ErrorReporter {
public:
    explicit MessageBoxReporter(QWidget *parent)
        : m_parent(parent) {}
    void showError(const QString &message) override;

private:
    QWidget *m_parent;
};

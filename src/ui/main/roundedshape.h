#pragma once

#include <QWidget>

// The rounded background of the main window's right-hand column, in the desktop's application-workspace
// colour.
class RoundedShape : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *event) override;
};

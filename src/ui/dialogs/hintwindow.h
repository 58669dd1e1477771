#pragma once

#include "fixeddialog.h"

#include <QImage>
#include <QList>

class QLabel;
class QTableWidget;
class TLMDMMButton;

// The hint table window Form2: the truth table of the four operations in a 6 × 5 grid (header row and four
// value rows) under a title, with an "ОК" button. The main window fills the grid and fits the window's width
// before showing it modally; "ОК", Enter (any modifiers, even while the grid has the focus) or the close box
// close it. Created once, hidden between openings; the position is kept from one showing to the next.
class TForm2 : public dialogs::FixedDialog {
    Q_OBJECT
public:
    // owner: the main window; drawnButtons: the main window's button faces, which must outlive this window.
    TForm2(QWidget *owner, const QList<QImage> *drawnButtons);

    QLabel *LMDSimpleLabel1 = nullptr;
    QTableWidget *StringGrid1 = nullptr;
    TLMDMMButton *LMDMMButton1 = nullptr;

public slots:
    void LMDMMButton1Click();
};

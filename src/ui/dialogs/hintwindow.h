#pragma once

#include "ui/dialogs/fixeddialog.h"

#include <QImage>
#include <QList>

#include <memory>

class QPainter;
namespace Ui {
class Form2;
}

// The hint table window Form2: the truth table of the four operations in a 6 × 5 grid (header row and four
// value rows) under a title, with an "ОК" button. The main window fills the grid and fits the window's width
// (fill) before showing it modally; every cell is drawn by StringGrid1DrawCell alone, the selection unmarked;
// "ОК", Enter (any modifiers, even while the grid has the focus) or the close box close it. Created once,
// hidden between openings; the position is kept from one showing to the next. Its controls are laid out by
// hintwindow.ui.
class TForm2 : public dialogs::FixedDialog {
    Q_OBJECT
public:
    // owner: the main window; drawnButtons: the main window's button faces, which must outlive this window.
    TForm2(QWidget *owner, const QList<QImage> *drawnButtons);
    ~TForm2() override;

    // Writes the five rows of six texts, gives each column its width (the cell's, without the 1-pixel grid
    // line), fits the grid to the columns and rows and the window to the grid, 20 pixels either side.
    void fill(const QList<QStringList> &rows, const QList<int> &columnWidths);

    // Draws one cell: the header row on button face, the others on window colour, the text centred in the
    // label's font. `rect` is the cell without its grid lines.
    void StringGrid1DrawCell(QPainter &painter, int column, int row, const QRect &rect) const;

public slots:
    void LMDMMButton1Click();

private:
    std::unique_ptr<Ui::Form2> m_ui;
};

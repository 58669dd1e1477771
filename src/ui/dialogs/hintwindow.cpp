#include "ui/dialogs/hintwindow.h"
#include "ui_hintwindow.h"

#include "resources/appresources.h"
#include "ui/controls/mmbutton.h"
#include "ui/controls/systemcolors.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int kColumns = 6;
constexpr int kRows = 5; // the header row and the four value rows
constexpr int kRowHeight = 24;
constexpr int kGridLine = 1;

// Hands every cell to the window's drawing routine, which marks neither the selection nor the focus.
class CellPainter : public QStyledItemDelegate {
public:
    explicit CellPainter(TForm2 *form)
        : QStyledItemDelegate(form)
        , m_form(form) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        m_form->StringGrid1DrawCell(*painter, index.column(), index.row(), option.rect);
    }

private:
    const TForm2 *m_form;
};

} // namespace

TForm2::TForm2(QWidget *owner, const QList<QImage> *drawnButtons)
    : FixedDialog(owner, QSize(439, 233), closeBoxOnly())
    , m_ui(std::make_unique<Ui::Form2>()) {
    // Made in the window's font, as the layout was measured; a form's fonts have point sizes only.
    setFont(programFont(QStringLiteral("Courier New"), 19, true));
    m_ui->setupUi(this);

    // Designed 299 wide for the desktop's hinted glyphs; our unhinted advances are a little wider, and the
    // title must never be cut off.
    QLabel *title = m_ui->LMDSimpleLabel1;
    title->resize(std::max(299, QFontMetrics(font()).horizontalAdvance(title->text())), title->height());

    // The header is the grid's first row rather than a QHeaderView, so that it is measured and drawn like the
    // value rows; a row's section holds its cell and the grid line below it, and never changes.
    QTableWidget *grid = m_ui->StringGrid1;
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setItemDelegate(new CellPainter(this));
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            grid->setItem(row, column, new QTableWidgetItem);
    // Its size is fitted to the texts at each opening; until then it fills the width under the title, as tall
    // as the rows and the style's frame.
    grid->resize(grid->width(), kRows * (kRowHeight + kGridLine) + 2 * grid->frameWidth());

    // The faces are drawn by the main window at start-up.
    m_ui->LMDMMButton1->setFaceList(drawnButtons);
    connect(m_ui->LMDMMButton1, &TLMDMMButton::clicked, this, &TForm2::LMDMMButton1Click);

    setClosesOnEnter(true);
    installKeyPreview();
}

TForm2::~TForm2() = default;

void TForm2::LMDMMButton1Click() {
    accept();
}

void TForm2::fill(const QList<QStringList> &rows, const QList<int> &columnWidths) {
    QTableWidget *grid = m_ui->StringGrid1;
    int sum = 0;
    for (int column = 0; column < kColumns; ++column) {
        const int width = columnWidths.value(column);
        grid->setColumnWidth(column, width + kGridLine);
        sum += width;
    }
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            grid->item(row, column)->setText(rows.value(row).value(column));
    const int frame = 2 * grid->frameWidth();
    grid->resize(sum + kColumns * kGridLine + frame, kRows * (kRowHeight + kGridLine) + frame);
    setClientWidth(grid->width() + 2 * grid->x());
}

void TForm2::StringGrid1DrawCell(QPainter &painter, int column, int row, const QRect &rect) const {
    painter.fillRect(rect, systemColor(row == 0 ? SystemColor::ButtonFace : SystemColor::Window));
    const QTableWidgetItem *cell = m_ui->StringGrid1->item(row, column);
    const QString text = cell ? cell->text() : QString();
    const QFontMetrics metrics(m_ui->LMDSimpleLabel1->font());
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    // The cell's right and bottom edges counted exclusive; the division truncates.
    const int x = (rect.left() + rect.left() + rect.width() - w) / 2;
    const int y = (rect.top() + rect.top() + rect.height() - h) / 2;
    painter.setFont(m_ui->LMDSimpleLabel1->font());
    painter.setPen(systemColor(SystemColor::WindowText));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

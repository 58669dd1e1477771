#include "ui/dialogs/hintwindow.h"

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
    : FixedDialog(owner, QSize(439, 233), closeBoxOnly()) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Подсказка"));
    setFont(programFont(QStringLiteral("Courier New"), 19, true));

    LMDSimpleLabel1 = new QLabel(QStringLiteral("Таблица логических операций"), this);
    LMDSimpleLabel1->setObjectName(QStringLiteral("LMDSimpleLabel1"));
    // Designed 299 wide for the desktop's hinted glyphs; our unhinted advances are a little wider, and the
    // title must never be cut off.
    const int titleWidth = QFontMetrics(font()).horizontalAdvance(LMDSimpleLabel1->text());
    LMDSimpleLabel1->setGeometry(20, 10, std::max(299, titleWidth), 24);

    // The header is the grid's first row rather than a QHeaderView, so that it is measured and drawn like the
    // value rows.
    StringGrid1 = new QTableWidget(kRows, kColumns, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setAccessibleName(LMDSimpleLabel1->text());
    StringGrid1->setAccessibleDescription(
        QStringLiteral("Первая строка — заголовки, ниже — результаты операций для всех значений входов"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    // The hidden header would otherwise keep rows as tall as its own font needs.
    StringGrid1->verticalHeader()->setMinimumSectionSize(kRowHeight);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // A section holds its cell and the grid line below or right of it.
    StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight + kGridLine);
    StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
    StringGrid1->setShowGrid(true);
    StringGrid1->setGridStyle(Qt::SolidLine);
    StringGrid1->setItemDelegate(new CellPainter(this));
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            StringGrid1->setItem(row, column, new QTableWidgetItem);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setFocusPolicy(Qt::StrongFocus);
    StringGrid1->setFrameShadow(QFrame::Sunken);
    // Its size is fitted to the texts at each opening; until then it fills the width under the title.
    StringGrid1->setGeometry(20, 40, 399, kRows * (kRowHeight + kGridLine) + 2 * StringGrid1->frameWidth());

    LMDMMButton1 = new TLMDMMButton(this);
    LMDMMButton1->setObjectName(QStringLiteral("LMDMMButton1"));
    LMDMMButton1->setGeometry(20, 180, 150, 40);
    LMDMMButton1->setText(QStringLiteral("ОК"));
    LMDMMButton1->setFaceList(drawnButtons);
    LMDMMButton1->setTakesFocus(false);
    connect(LMDMMButton1, &TLMDMMButton::clicked, this, &TForm2::LMDMMButton1Click);

    setClosesOnEnter(true);
    installKeyPreview();
}

void TForm2::LMDMMButton1Click() {
    accept();
}

void TForm2::fill(const QList<QStringList> &rows, const QList<int> &columnWidths) {
    int sum = 0;
    for (int column = 0; column < kColumns; ++column) {
        const int width = columnWidths.value(column);
        StringGrid1->setColumnWidth(column, width + kGridLine);
        sum += width;
    }
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            StringGrid1->item(row, column)->setText(rows.value(row).value(column));
    const int frame = 2 * StringGrid1->frameWidth();
    StringGrid1->resize(sum + kColumns * kGridLine + frame, kRows * (kRowHeight + kGridLine) + frame);
    setClientWidth(StringGrid1->width() + 2 * StringGrid1->x());
}

void TForm2::StringGrid1DrawCell(QPainter &painter, int column, int row, const QRect &rect) const {
    painter.fillRect(rect, systemColor(row == 0 ? SystemColor::ButtonFace : SystemColor::Window));
    const QTableWidgetItem *cell = StringGrid1->item(row, column);
    const QString text = cell ? cell->text() : QString();
    const QFontMetrics metrics(LMDSimpleLabel1->font());
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    // The cell's right and bottom edges counted exclusive; the division truncates.
    const int x = (rect.left() + rect.left() + rect.width() - w) / 2;
    const int y = (rect.top() + rect.top() + rect.height() - h) / 2;
    painter.setFont(LMDSimpleLabel1->font());
    painter.setPen(systemColor(SystemColor::WindowText));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

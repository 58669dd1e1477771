#include "hintwindow.h"

#include "appresources.h"
#include "mmbutton.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int kColumns = 6;
constexpr int kRows = 5; // the header row and the four value rows
constexpr int kRowHeight = 24;

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
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    // The hidden header would otherwise keep rows as tall as its own font needs.
    StringGrid1->verticalHeader()->setMinimumSectionSize(kRowHeight);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setFocusPolicy(Qt::StrongFocus);
    StringGrid1->setFrameShadow(QFrame::Sunken);
    // Its size is fitted to the texts at each opening; until then it fills the width under the title.
    StringGrid1->setGeometry(20, 40, 399, kRows * (kRowHeight + 1) + 2);

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

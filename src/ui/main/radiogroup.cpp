#include "ui/main/radiogroup.h"

#include <QButtonGroup>
#include <QPainter>
#include <QRadioButton>

#include "ui/controls/systemcolors.h"

TGroupBox::TGroupBox(QWidget *parent)
    : QGroupBox(parent) {}

void TGroupBox::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -2, -2);
    painter.setPen(systemColor(SystemColor::ButtonShadow));
    painter.drawRect(frame);
    painter.setPen(systemColor(SystemColor::ButtonHighlight));
    painter.drawRect(frame.translated(1, 1));
    const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

TRadioGroup::TRadioGroup(QWidget *parent)
    : TGroupBox(parent)
    , m_group(new QButtonGroup(this)) {
    connect(m_group, &QButtonGroup::idClicked, this, [this](int) { Q_EMIT clicked(); });
}

void TRadioGroup::setItems(const QStringList &items) {
    qDeleteAll(m_items);
    m_items.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        m_group->addButton(button, i);
        m_items << button;
    }
    layoutItems();
}

int TRadioGroup::ItemIndex() const {
    return m_group->checkedId();
}

void TRadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < m_items.size())
        m_items.at(index)->setChecked(true);
}

void TRadioGroup::resizeEvent(QResizeEvent *event) {
    QGroupBox::resizeEvent(event);
    layoutItems();
}

void TRadioGroup::layoutItems() {
    if (m_items.isEmpty())
        return;
    // The items share the inside of the frame in equal rows, each centred in its row.
    const QRect inside = rect().adjusted(8, fontMetrics().height(), -8, -4);
    const int rowHeight = inside.height() / int(m_items.size());
    for (int i = 0; i < m_items.size(); ++i) {
        QRadioButton *button = m_items.at(i);
        const int itemHeight = std::min(rowHeight, button->sizeHint().height());
        button->setGeometry(inside.left(), inside.top() + i * rowHeight + (rowHeight - itemHeight) / 2,
                            inside.width(), itemHeight);
    }
}

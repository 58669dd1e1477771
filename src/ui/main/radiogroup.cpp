#include "radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>

TRadioGroup::TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent)
    : QGroupBox(caption, parent)
    , m_group(new QButtonGroup(this)) {
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        m_group->addButton(button, i);
        m_items << button;
    }
    connect(m_group, &QButtonGroup::idClicked, this, [this](int) { Q_EMIT clicked(); });
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
    // Below the caption, the items share the rest of the box in equal rows, each centred in its row.
    const int top = fontMetrics().height();
    const int bottom = 4;
    const int rowHeight = (height() - top - bottom) / int(m_items.size());
    for (int i = 0; i < m_items.size(); ++i) {
        QRadioButton *button = m_items.at(i);
        const int itemHeight = std::min(rowHeight, button->sizeHint().height());
        button->setGeometry(8, top + i * rowHeight + (rowHeight - itemHeight) / 2, width() - 16, itemHeight);
    }
}

#include "valuelist.h"

#include <QStyledItemDelegate>

namespace {

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 22};
    }
};

} // namespace

TValueList::TValueList(QWidget *parent)
    : QComboBox(parent) {
    setEditable(false);
    setItemDelegate(new FixedHeightDelegate(this));
    setFocusPolicy(Qt::StrongFocus);
}

void TValueList::refill(const QStringList &texts) {
    const int index = currentIndex();
    // Signals would report the transient empty list; nothing listens for a relabelling.
    const bool blocked = blockSignals(true);
    clear();
    addItems(texts);
    setCurrentIndex(index);
    blockSignals(blocked);
}

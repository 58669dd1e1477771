#include "valuelist.h"

namespace {

constexpr int ItemHeight = 22;

} // namespace

TValueList::TValueList(QWidget *parent)
    : QComboBox(parent) {
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
}

void TValueList::refill(const QStringList &texts) {
    const int index = currentIndex();
    // Signals would report the transient empty list; nothing listens for a relabelling.
    const bool blocked = blockSignals(true);
    clear();
    addItems(texts);
    // The height goes with the items rather than through a delegate: a delegate needs the drop-down's
    // popup window, and making and destroying one per list would dominate building an exercise.
    for (int i = 0; i < count(); ++i)
        setItemData(i, QSize(0, ItemHeight), Qt::SizeHintRole);
    setCurrentIndex(index);
    blockSignals(blocked);
}

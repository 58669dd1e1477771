#include "ui/main/valuelist.h"

#include <QLabel>

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

void TValueList::setSpokenName(const QString &name, const QString &description) {
    setAccessibleName(name);
    setAccessibleDescription(description);
    if (!m_spokenLabel && parentWidget()) {
        // A sibling, as a buddy label must be; never shown.
        m_spokenLabel = new QLabel(parentWidget());
        m_spokenLabel->hide();
        m_spokenLabel->setBuddy(this);
    }
    if (m_spokenLabel)
        m_spokenLabel->setText(name);
}

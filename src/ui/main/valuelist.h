#pragma once

#include <QComboBox>
#include <QStringList>

// A drop-down value list of the diagram: selection only, 22-pixel items, and refilled in place so that a
// change of notation keeps the chosen value's code (the item index).
class TValueList : public QComboBox {
    Q_OBJECT
public:
    explicit TValueList(QWidget *parent = nullptr);

    // Remember the item index, replace the items, put the index back. Enabled state is left alone.
    void refill(const QStringList &texts);
};

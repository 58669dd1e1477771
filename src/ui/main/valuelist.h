#pragma once

#include <QComboBox>
#include <QStringList>

class QLabel;

// A drop-down value list of the diagram: selection only, 22-pixel items, and refilled in place so that a
// change of notation keeps the chosen value's code (the item index).
class TValueList : public QComboBox {
    Q_OBJECT
public:
    explicit TValueList(QWidget *parent = nullptr);

    // Remember the item index, replace the items, put the index back. Enabled state is left alone.
    void refill(const QStringList &texts);
    // The layout's initial items.
    void setItems(const QStringList &texts) { refill(texts); }

    // What screen readers say of the list besides its value. On Linux a drop-down list's accessible name is
    // its current value and its name comes from the label that it is the buddy of, so the list keeps a hidden
    // label of its own with that text, beside its accessible name and description.
    void setSpokenName(const QString &name, const QString &description);

private:
    QLabel *m_spokenLabel = nullptr;
};

#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A group box drawn the classic way: an etched frame whose caption interrupts its top edge, which
// leaves the contents the room the window's layout gives them.
class TGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TGroupBox(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A captioned group of radio buttons whose items share the box's height evenly, one column. ItemIndex is
// the checked item; clicked() is emitted when the pupil picks an item, not when the program sets one.
class TRadioGroup : public TGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget *parent = nullptr);

    // Replaces the items by new ones, none checked.
    void setItems(const QStringList &items);

    int ItemIndex() const;
    void setItemIndex(int index);
    QRadioButton *item(int index) const { return m_items.at(index); }
    int count() const { return int(m_items.size()); }

Q_SIGNALS:
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutItems();

    QButtonGroup *m_group;
    QList<QRadioButton *> m_items;
};

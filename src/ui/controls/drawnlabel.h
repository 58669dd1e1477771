#pragma once

#include <QWidget>

// What the labels the program draws itself have in common: the text they show, which screen readers read by
// the "text" property (see drawnaccessible.h), and telling a listening reader when it changes.
class DrawnLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    QString text() const { return m_text; }
    void setText(const QString &text);

protected:
    explicit DrawnLabel(const QString &text, QWidget *parent);

    // What a new text changes besides the picture, such as the label's size; called before the repaint.
    virtual void textChanged() {}

private:
    QString m_text;
};

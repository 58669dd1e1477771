#pragma once

#include <QImage>
#include <QWidget>

// Shows one picture at its top-left corner, drawn straight from the image it is given. A label would first
// turn the picture into a pixmap, a full copy in the screen's format; the title picture is shown from the
// program's resource data, so this way it is never copied at all. Opaque pictures only: the widget claims
// every pixel it covers.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
};

#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QList>

// The image-faced button of every window: its face is taken from a shared list of masked faces
// (the main window's drawnButtons: [0] raised, shown at rest; [1] sunken, shown while pressed), centred
// under the centred caption. No hover effect. Disabled buttons draw a greyed caption. The list is not
// owned and must outlive the button; without a list only the caption is drawn.
class TLMDMMButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TLMDMMButton(QWidget *parent = nullptr);

    void setFaceList(const QList<QImage> *faces);
    const QList<QImage> *faceList() const { return m_faces; }

    // Buttons of the dialogs take no keyboard focus (Qt::NoFocus); otherwise Qt::StrongFocus, the
    // default. The main window may narrow its buttons to Qt::ClickFocus with setFocusPolicy().
    void setTakesFocus(bool takes);

    // Background behind the transparent parts of the face; invalid (the default) paints nothing there.
    void setBackgroundColor(const QColor &color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Face 1 while pressed (face 0 if the list has only one), face 0 at rest; null without a usable list.
    const QImage *currentFace() const;

    const QList<QImage> *m_faces = nullptr;
    QColor m_background;
};

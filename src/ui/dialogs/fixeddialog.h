#pragma once

#include <QDialog>
#include <QMargins>
#include <QPoint>

#include <functional>

class QKeyEvent;

namespace dialogs {

// What every dialog window of the program shares: a dialog frame around a fixed client size (no resizing),
// the title-bar buttons the window asks for, and its placement: its outer rectangle, frame included, centred
// over the owner's (the main window, which is also the parent) on the first showing, and on every later
// showing at the top-left corner it had when last hidden, whatever its size now. The frame is asked of the
// window system before the first showing (windowFrame()); tests give a frame of their own. It sees every key
// press in the window before the focused control does (key preview); Escape never closes a dialog of this
// program, and a dialog may ask to be closed by Enter with any modifiers. Modal showing is QDialog::exec().
// Hiding the active dialog activates the window below it (a dialog still open, else the owner's window), with
// or without a window manager.
class FixedDialog : public QDialog {
    Q_OBJECT
public:
    // Title bar with a close box only.
    static Qt::WindowFlags closeBoxOnly();
    // Title bar with the caption and no buttons at all.
    static Qt::WindowFlags noTitleButtons();

    FixedDialog(QWidget *owner, const QSize &clientSize, Qt::WindowFlags flags);

    // Changes the fixed client width; the height stays.
    void setClientWidth(int width);

    // Enter or Return, with any modifiers, closes the window even while a control has the focus.
    void setClosesOnEnter(bool closes) { m_closesOnEnter = closes; }

    // Whether the window has already been placed by a first showing.
    bool hasBeenPlaced() const { return m_placed; }

    // The frame around this window, and around its owner's window, as the window system will draw it.
    using FrameSource = std::function<QMargins(QWidget &window)>;
    void setFrameSource(FrameSource source) { m_frameOf = std::move(source); }
    QMargins outerFrame() { return m_frameOf(*this); }

    void setVisible(bool visible) override;

    static bool isEnterKey(const QKeyEvent *event);

    // Puts the key preview in front of every control the window holds at that moment; call it again after
    // adding controls.
    void installKeyPreview();

protected:
    // Called for every key press in the window, on the focused control or the window itself, before anyone
    // else sees it; true consumes it. The default closes on Enter when asked to.
    virtual bool previewKeyPress(QKeyEvent *event);

    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FrameSource m_frameOf;
    bool m_placed = false;
    bool m_closesOnEnter = false;
    QPoint m_lastTopLeft;
};

} // namespace dialogs

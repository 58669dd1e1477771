#pragma once

#include "ui/dialogs/fixeddialog.h"

#include <QImage>
#include <QList>
#include <QString>

#include <memory>

namespace Ui {
class Form8;
}

// The message window Form8: tells the pupil something that must be acknowledged before play goes on (a wrong
// answer's explanation, the final score). InitializeAndShow fits the window's width to the text's widest
// line (plain text always: an explanation is never taken for markup), shows the kind's icon and returns only
// when the pupil has closed the window by "Продолжить", Enter (with any modifiers) or the close box; Escape
// and every other key are ignored. Created once, hidden between calls; the only thing carried from one call
// to the next is the window's position. Its controls are laid out by messagewindow.ui.
class TForm8 : public dialogs::FixedDialog {
    Q_OBJECT
public:
    // The message kinds that have an icon: the platform's message-box icon codes.
    enum Kind { kindError = 16, kindQuestion = 32, kindWarning = 48, kindInformation = 64 };

    // owner: the main window (placement, modality); drawnButtons: the main window's button faces, which must
    // outlive this window.
    TForm8(QWidget *owner, const QList<QImage> *drawnButtons);
    ~TForm8() override;

    // Sets caption, text, widths and icon afresh, then shows the window modally until it is closed.
    void InitializeAndShow(const QString &text, const QString &caption, int kind);

    // Everything InitializeAndShow does before showing: caption, text, label and client widths, icon.
    void prepare(const QString &text, const QString &caption, int kind);

    // The outer frame's extra width as the window system reports it, also before the first showing.
    int frameWidth();

public slots:
    void LMDMMButton1Click();

private:
    std::unique_ptr<Ui::Form8> m_ui;
};

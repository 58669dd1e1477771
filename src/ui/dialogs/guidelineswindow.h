#pragma once

#include "fixeddialog.h"

#include <QImage>
#include <QList>

class QTextEdit;
class TLMDMMButton;

// The guidelines and reference window Form7: a read-only rich-text reader with an "ОК" button. The main
// window's commands set its caption, choose the document and show it modally; "ОК", Enter (any modifiers,
// even while the text has the focus) or the close box close it. The text box takes the focus whenever the
// window opens. Created once, hidden between openings; the position is kept from one showing to the next.
class TForm7 : public dialogs::FixedDialog {
    Q_OBJECT
public:
    // owner: the main window; drawnButtons: the main window's button faces, which must outlive this window.
    TForm7(QWidget *owner, const QList<QImage> *drawnButtons);

    QTextEdit *RichEdit1 = nullptr;
    TLMDMMButton *LMDMMButton1 = nullptr;

public slots:
    void LMDMMButton1Click();

protected:
    void showEvent(QShowEvent *event) override;
};

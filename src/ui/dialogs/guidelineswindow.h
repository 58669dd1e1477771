#pragma once

#include "docset/docs.h"
#include "ui/dialogs/fixeddialog.h"

#include <QImage>
#include <QList>

#include <memory>

class RichEditView;
class MessageBoxReporter;
namespace Ui {
class Form7;
}

// The guidelines and reference window Form7: a read-only rich-text reader with an "ОК" button. The main
// window's commands set its caption, choose the document and show it modally; "ОК", Enter (any modifiers,
// even while the text has the focus) or the close box close it. The text box takes the focus whenever the
// window opens. Created once, hidden between openings; the position is kept from one showing to the next.
// Docs1, the document set that holds the reference text (0) and the note on the guidelines (1), is read from
// the window's stored layout record (:/layouts/guidelineswindow.bin, written at build time by gen_layouts),
// which attaches RichEdit1 and selects document 0, so the box shows it from the start. An error in that
// record is shown in a message box; the window then shows what could be read. Its controls are laid out by
// guidelineswindow.ui.
class TForm7 : public dialogs::FixedDialog {
    Q_OBJECT
public:
    // owner: the main window; drawnButtons: the main window's button faces, which must outlive this window.
    TForm7(QWidget *owner, const QList<QImage> *drawnButtons);
    ~TForm7() override;

    // Shows document `index` (0 the reference text, 1 the guidelines); the one already shown stays as it is,
    // scroll position and all.
    void selectDocument(int index) { Docs1->setSelIndex(index); }

public slots:
    void LMDMMButton1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void readStoredLayout(RichEditView *richEdit);

    std::unique_ptr<Ui::Form7> m_ui;
    std::unique_ptr<MessageBoxReporter> m_reporter;
    docset::TDocs *Docs1 = nullptr;
};

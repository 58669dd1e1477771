#pragma once

#include "docset/docviews.h"

class QTextDocument;
class QTextEdit;

// The document set's rich-text view over a QTextEdit: RTF goes through the program's RTF reader, with the
// Windows font names of the documents drawn in their built-in Liberation twins. The view is a child of the
// box and takes its object name, which the stored record refers to, so it goes (and the component lets go of
// it) when the box does. Malformed RTF shows the text read up to the fault.
//
// A document loaded while the box is hidden reaches the box when it is first shown or its text is asked for
// (document()): laying a document out is the dearest part of loading it, and the window that holds the box
// is made at start-up but opened only on the pupil's command.
class RichEditView : public docset::RichTextView {
    Q_OBJECT
public:
    explicit RichEditView(QTextEdit *edit);

    void clear() override;
    void loadRtf(const QByteArray &rtf) override;

    // The box with the latest loaded document in it.
    QTextEdit *edit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void install();

    QTextEdit *m_edit;
    QTextDocument *m_pending = nullptr;
    bool m_installing = false;
};

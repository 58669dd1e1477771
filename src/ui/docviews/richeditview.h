#pragma once

#include "docset/docviews.h"

class QTextEdit;

// The document set's rich-text view over a QTextEdit: RTF goes through the program's RTF reader, with the
// Windows font names of the documents drawn in their built-in Liberation twins. The view is a child of the
// box and takes its object name, which the stored record refers to, so it goes (and the component lets go of
// it) when the box does. Malformed RTF shows the text read up to the fault.
class RichEditView : public docset::RichTextView {
    Q_OBJECT
public:
    explicit RichEditView(QTextEdit *edit);

    void clear() override;
    void loadRtf(const QByteArray &rtf) override;

private:
    QTextEdit *m_edit;
};

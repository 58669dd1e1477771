#include "richeditview.h"

#include "appresources.h"
#include "rtf/rtfreader.h"

#include <QPointer>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>

RichEditView::RichEditView(QTextEdit *edit)
    : RichTextView(edit)
    , m_edit(edit) {
    setObjectName(edit->objectName());
}

void RichEditView::clear() {
    m_edit->clear();
}

void RichEditView::loadRtf(const QByteArray &rtf) {
    // The document is filled before the box sees it, so the box lays it out once rather than after every
    // paragraph.
    auto *document = new QTextDocument(m_edit);
    document->setDefaultFont(m_edit->font());
    rtf::ReadOptions options;
    options.fontFamily = programFontFamily;
    rtf::read(rtf, document, options);
    // The box deletes a document it made itself; one of ours, it leaves to us.
    const QPointer<QTextDocument> previous = m_edit->document();
    m_edit->setDocument(document);
    if (previous && previous->parent() == m_edit)
        delete previous;
    // The box would otherwise keep the scroll position it had in the document it showed before.
    m_edit->moveCursor(QTextCursor::Start);
    m_edit->verticalScrollBar()->setValue(0);
}

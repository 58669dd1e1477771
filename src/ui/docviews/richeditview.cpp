#include "ui/docviews/richeditview.h"

#include "resources/appresources.h"
#include "rtf/rtfreader.h"

#include <QEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>

RichEditView::RichEditView(QTextEdit *edit)
    : RichTextView(edit)
    , m_edit(edit) {
    setObjectName(edit->objectName());
    m_edit->installEventFilter(this);
    // Whatever else fills the box afterwards is newer than a document still waiting to be shown.
    connect(m_edit, &QTextEdit::textChanged, this, [this] {
        if (!m_installing) {
            delete m_pending;
            m_pending = nullptr;
        }
    });
}

void RichEditView::clear() {
    delete m_pending;
    m_pending = nullptr;
    m_edit->clear();
}

void RichEditView::loadRtf(const QByteArray &rtf) {
    // The document is filled before the box sees it, so the box lays it out once rather than after every
    // paragraph.
    auto *document = new QTextDocument(this);
    document->setDefaultFont(m_edit->font());
    rtf::ReadOptions options;
    options.fontFamily = programFontFamily;
    rtf::read(rtf, document, options);
    delete m_pending;
    m_pending = document;
    if (m_edit->isVisible())
        install();
}

QTextEdit *RichEditView::edit() {
    install();
    return m_edit;
}

bool RichEditView::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_edit && event->type() == QEvent::Show)
        install();
    return RichTextView::eventFilter(watched, event);
}

void RichEditView::install() {
    if (!m_pending)
        return;
    QTextDocument *document = m_pending;
    m_pending = nullptr;
    const QScopedValueRollback installing(m_installing, true);
    document->setParent(m_edit);
    // The box deletes a document it made itself; one of ours, it leaves to us.
    const QPointer<QTextDocument> previous = m_edit->document();
    m_edit->setDocument(document);
    if (previous && previous != document && previous->parent() == m_edit)
        delete previous;
    // The box would otherwise keep the scroll position it had in the document it showed before.
    m_edit->moveCursor(QTextCursor::Start);
    m_edit->verticalScrollBar()->setValue(0);
}

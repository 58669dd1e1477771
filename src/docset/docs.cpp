#include "docset/docs.h"

#include <QBuffer>

#include <algorithm>

namespace docset {

EDocList::EDocList(const QString &message, const QString &detail)
    : std::runtime_error(message.toStdString())
    , m_detail(detail) {}

// ---- TDoc ----

TDoc::TDoc(TDocList *list)
    : m_list(list) {}

TDoc::~TDoc() = default;

int TDoc::Index() const {
    if (!m_listed)
        return -1;
    return int(m_slot < m_list->m_gapBegin ? m_slot : m_slot - (m_list->m_gapEnd - m_list->m_gapBegin));
}

void TDoc::changed() {
    m_list->reportChanged(this);
}

QString TDoc::Title() const {
    if (!m_listed)
        return {};
    const qsizetype nul = m_title.indexOf(QChar(0));
    return nul < 0 ? m_title : m_title.left(nul);
}

void TDoc::setTitle(const QString &title) {
    if (!m_listed)
        return;
    m_title = title;
    m_title.replace(QLatin1Char('\t'), QLatin1Char(' '));
    changed();
}

int TDoc::Level() const {
    return m_listed ? m_level : 0;
}

void TDoc::setTag(qint32 tag) {
    m_tag = tag;
    changed();
}

QIODevice *TDoc::TextAsStream() {
    if (!m_stream) {
        m_stream = std::make_unique<QBuffer>(&m_rtf);
        m_stream->open(QIODevice::ReadWrite);
    }
    m_stream->seek(0);
    return m_stream.get();
}

void TDoc::setTextAsStream(QIODevice *source) {
    QByteArray bytes;
    if (source) {
        if (!source->isSequential())
            source->seek(0);
        bytes = source->readAll();
    }
    setRtf(bytes);
}

void TDoc::setRtf(const QByteArray &rtf) {
    // The open stream works on m_rtf itself; it is reopened so that its size follows the new text.
    if (m_stream)
        m_stream->close();
    m_rtf = rtf;
    if (m_stream)
        m_stream->open(QIODevice::ReadWrite);
    changed();
}

void TDoc::setVisible(bool visible) {
    m_visible = visible;
    changed();
}

void TDoc::setImageIndex(qint32 index) {
    m_imageIndex = index;
    changed();
}

void TDoc::setStateIndex(qint32 index) {
    m_stateIndex = index;
    changed();
}

TDoc *TDoc::Parent() const {
    const int level = Level();
    if (level <= 0)
        return nullptr;
    for (int i = Index() - 1; i >= 0; --i) {
        if (m_list->Item(i)->Level() < level)
            return m_list->Item(i);
    }
    return nullptr;
}

TDoc *TDoc::FirstChild() const {
    TDoc *next = Index() < 0 ? nullptr : m_list->Item(Index() + 1);
    return next && next->Level() > Level() ? next : nullptr;
}

TDoc *TDoc::NextSibling() const {
    if (Index() < 0)
        return nullptr;
    const int level = Level();
    for (int i = Index() + 1; i < m_list->Count(); ++i) {
        const int other = m_list->Item(i)->Level();
        if (other <= level)
            return other == level ? m_list->Item(i) : nullptr;
    }
    return nullptr;
}

TDoc *TDoc::PrevSibling() const {
    const int level = Level();
    for (int i = Index() - 1; i >= 0; --i) {
        const int other = m_list->Item(i)->Level();
        if (other <= level)
            return other == level ? m_list->Item(i) : nullptr;
    }
    return nullptr;
}

void TDoc::MakeCurrent(bool current) {
    if (!current) {
        if (m_list->m_current == this) {
            m_list->m_current = nullptr;
            m_list->reportSelected(this);
        }
        return;
    }
    if (m_list->m_current == this)
        return;
    if (TDoc *previous = m_list->m_current) {
        auto &history = m_list->m_history;
        if (history.isEmpty() || history.last().doc != previous)
            history.append({previous->Title(), previous});
    }
    m_list->m_current = this;
    m_list->reportSelected(this);
}

void TDoc::Delete() {
    // Children first, each with its own children before it, as deep as the list nests: the path down is kept
    // here rather than on the call stack.
    std::vector<TDoc *> path{this};
    while (!path.empty()) {
        TDoc *doc = path.back();
        if (TDoc *child = doc->FirstChild()) {
            path.push_back(child);
            continue;
        }
        path.pop_back();
        TDocList *list = doc->m_list;
        list->reportDeleted(doc);
        list->remove(doc);
        delete doc;
    }
}

void TDoc::Assign(const TDoc &source) {
    if (&source == this)
        return;
    setTitle(source.Title());
    setTag(source.m_tag);
    setRtf(source.m_rtf);
    m_macroBack = source.m_macroBack;
    m_macroDemo = source.m_macroDemo;
    m_macroNext = source.m_macroNext;
    m_macroPrev = source.m_macroPrev;
    setVisible(source.m_visible);
    setImageIndex(source.m_imageIndex);
    setStateIndex(source.m_stateIndex);
}

// ---- TDocList ----

TDocList::TDocList(TDocs *component)
    : m_component(component) {}

TDocList::~TDocList() {
    Clear();
}

QString TDocList::Entry::text() const {
    return doc ? QString(doc->Level(), QLatin1Char('\t')) + doc->m_title : QString();
}

TDoc *TDocList::Item(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return m_slots[index < m_gapBegin ? index : index + (m_gapEnd - m_gapBegin)];
}

// Moves the gap so that it begins at index, renumbering the documents it passes over.
void TDocList::moveGapTo(qsizetype index) {
    const qsizetype length = m_gapEnd - m_gapBegin;
    while (m_gapBegin > index) {
        --m_gapBegin;
        --m_gapEnd;
        m_slots[m_gapEnd] = m_slots[m_gapBegin];
        m_slots[m_gapEnd]->m_slot = m_gapEnd;
    }
    while (m_gapBegin < index) {
        m_slots[m_gapBegin] = m_slots[m_gapEnd];
        m_slots[m_gapBegin]->m_slot = m_gapBegin;
        ++m_gapBegin;
        ++m_gapEnd;
    }
    Q_ASSERT(m_gapEnd - m_gapBegin == length);
}

void TDocList::insertAt(qsizetype index, TDoc *doc) {
    if (m_gapBegin == m_gapEnd) {
        // Full: twice the room, with the gap opened where the document goes.
        const qsizetype count = qsizetype(m_slots.size());
        const qsizetype room = qMax<qsizetype>(16, count * 2);
        std::vector<TDoc *> grown(size_t(room), nullptr);
        for (qsizetype i = 0; i < count; ++i) {
            const qsizetype at = i < index ? i : i + (room - count);
            grown[at] = m_slots[i];
            grown[at]->m_slot = at;
        }
        m_slots.swap(grown);
        m_gapBegin = index;
        m_gapEnd = index + (room - count);
    } else {
        moveGapTo(index);
    }
    m_slots[m_gapBegin] = doc;
    doc->m_slot = m_gapBegin++;
    doc->m_listed = true;
}

TDoc *TDocList::InsertDoc(int index, int level) {
    if (index < 0 || index > Count())
        return nullptr;
    // In 64 bits, so that the lowest level asked for compares without overflow.
    qint64 given = level;
    if (index == 0)
        given = 0;
    else if (const qint64 before = Item(index - 1)->Level(); before < given - 1)
        given = before + 1;
    auto *doc = new TDoc(this);
    doc->m_level = int(qMax<qint64>(given, 0));
    const bool appended = index == Count();
    insertAt(index, doc);
    if (appended)
        appendToLastLine(doc);
    else
        m_lastLineValid = false;
    return doc;
}

void TDocList::appendToLastLine(TDoc *doc) {
    if (!m_lastLineValid) {
        m_lastLine.clear();
        for (int i = Count() - 2; i >= 0; --i) {
            TDoc *before = Item(i);
            if (m_lastLine.empty() || before->Level() < m_lastLine.back()->Level())
                m_lastLine.push_back(before);
            if (before->Level() == 0)
                break;
        }
        std::reverse(m_lastLine.begin(), m_lastLine.end());
        m_lastLineValid = true;
    }
    while (!m_lastLine.empty() && m_lastLine.back()->Level() >= doc->Level())
        m_lastLine.pop_back();
    m_lastLine.push_back(doc);
}

TDoc *TDocList::AddDoc(int level) {
    TDoc *doc = InsertDoc(Count(), level);
    if (!doc)
        throw EDocList(QStringLiteral("Could not insert an item at level %1.").arg(level));
    // The appended document is last on the line; its Parent is the one before it there.
    TDoc *parent = level != 0 && doc->Level() > 0 ? m_lastLine[m_lastLine.size() - 2] : nullptr;
    if (m_component)
        m_component->docAdded(doc, parent);
    return doc;
}

void TDocList::remove(TDoc *doc) {
    if (doc->m_listed) {
        moveGapTo(doc->Index());
        m_slots[m_gapEnd++] = nullptr;
        doc->m_listed = false;
        m_lastLineValid = false;
        if (Count() == 0) {
            m_slots.clear();
            m_gapBegin = m_gapEnd = 0;
        }
    }
    m_history.removeIf([doc](const HistoryEntry &entry) { return entry.doc == doc; });
    if (m_current == doc)
        m_current = nullptr;
}

void TDocList::Clear() {
    while (TDoc *first = Item(0))
        first->Delete();
    m_current = nullptr;
    m_history.clear();
}

void TDocList::Assign(const TDocList &source) {
    if (&source == this)
        return;
    Clear();
    for (const Entry entry : source.Items())
        AddDoc(entry.doc->Level())->Assign(*entry.doc);
    m_current = source.m_current ? Item(source.m_current->Index()) : nullptr;
}

void TDocList::reportChanged(TDoc *doc) {
    if (m_component)
        m_component->docChanged(doc);
}

void TDocList::reportSelected(TDoc *doc) {
    if (m_component)
        m_component->docSelected(doc);
}

void TDocList::reportDeleted(TDoc *doc) {
    if (m_component)
        m_component->docDeleted(doc);
}

void TDocList::select(TDoc *doc) {
    if (doc)
        doc->MakeCurrent(true);
}

void TDocList::Back() {
    if (m_history.isEmpty())
        return;
    TDoc *doc = m_history.takeLast().doc;
    m_current = nullptr;
    doc->MakeCurrent(true);
}

void TDocList::SelectFirstChild() {
    if (m_current)
        select(m_current->FirstChild());
}

void TDocList::SelectNext() {
    select(m_current ? m_current->NextSibling() : Item(0));
}

void TDocList::SelectPrev() {
    select(m_current ? m_current->PrevSibling() : Item(Count() - 1));
}

void TDocList::SelectParent() {
    if (m_current)
        select(m_current->Parent());
}

void TDocList::SelectParentNext() {
    if (TDoc *parent = m_current ? m_current->Parent() : nullptr)
        select(parent->NextSibling());
}

// ---- TDocs ----

TDocs::TDocs(QObject *owner)
    : QObject(owner) {}

TDocs::~TDocs() {
    m_designer = nullptr;
    m_list.Clear();
    setRichEdit(nullptr);
    setDocDisplay(nullptr);
}

void TDocs::setDocList(const TDocList *source) {
    if (source)
        m_list.Assign(*source);
    else
        m_list.Clear();
}

int TDocs::SelIndex() const {
    return m_list.Current() ? m_list.Current()->Index() : -1;
}

void TDocs::setSelIndex(int index) {
    if (index == SelIndex())
        return;
    if (TDoc *doc = m_list.Item(index))
        doc->MakeCurrent(true);
    else if (TDoc *current = m_list.Current())
        current->MakeCurrent(false);
}

void TDocs::setRichEdit(RichTextView *view) {
    if (view == m_richEdit)
        return;
    disconnect(m_richEditGone);
    m_richEdit = view;
    if (!view)
        return;
    m_richEditGone = connect(view, &QObject::destroyed, this, [this] { m_richEdit = nullptr; });
    view->clear();
    if (TDoc *current = m_list.Current())
        view->loadRtf(current->rtf());
}

void TDocs::forgetNodes() {
    for (const TDocList::Entry entry : m_list.Items())
        entry.doc->m_node = 0;
}

void TDocs::setDocDisplay(DocTreeView *view) {
    if (view != m_tree) {
        disconnect(m_treeGone);
        forgetNodes();
        m_tree = view;
        if (view) {
            m_treeGone = connect(view, &QObject::destroyed, this, [this] {
                m_tree = nullptr;
                forgetNodes();
            });
        }
    }
    if (!view)
        return;
    view->clearNodes();
    forgetNodes();
    if (m_list.Count() == 0)
        return;
    view->beginUpdate();
    buildTree();
    view->endUpdate();
}

// The tree is walked from document 0 along its siblings, and from each shown document into its first child
// and along that child's siblings; a hidden one is not walked into, so everything below it stays out of the
// tree. So a document is reached as the first child of a shown document or as the next sibling of a reached
// one: after an insertion in the middle has left a gap in the levels, a document shallower than the one
// before it but deeper than the one it is under is neither, and nothing of its subtree is reached. Taken in
// one pass over the list, keeping the line of the present document's ancestors, rather than by walking the
// siblings of each: a long or deep list costs a constant per document.
void TDocs::buildTree() {
    struct Open {
        int level;
        bool reached;
        DocTreeView::Node node; // 0: not shown, and so its children are not reached
    };
    std::vector<Open> line;
    for (const TDocList::Entry entry : m_list.Items()) {
        TDoc *doc = entry.doc;
        const int level = doc->Level();
        bool deeperBefore = false;
        while (!line.empty() && line.back().level > level) {
            line.pop_back();
            deeperBefore = true;
        }
        bool reached = line.empty();
        if (!line.empty() && line.back().level == level) {
            reached = line.back().reached;
            line.pop_back();
        } else if (!line.empty()) {
            reached = !deeperBefore && line.back().node != 0;
        }
        DocTreeView::Node node = 0;
        if (reached && shows(doc)) {
            node = m_tree->addNode(line.empty() ? 0 : line.back().node, doc->Title(), doc->ImageIndex(),
                                   doc->StateIndex(), doc);
            doc->m_node = node;
        }
        line.push_back({level, reached, node});
    }
}

void TDocs::reportError(const QString &message) const {
    if (m_reporter)
        m_reporter->showError(message);
}

void TDocs::fire(const TDocEvent &event, TDoc *doc) {
    if (event.handler)
        event.handler(this, doc);
}

void TDocs::reloadView(TDoc *doc) {
    if (m_richEdit && !isDesigning())
        m_richEdit->loadRtf(doc->rtf());
}

void TDocs::docAdded(TDoc *doc, TDoc *parent) {
    if (m_tree && shows(doc)) {
        doc->m_node = m_tree->addNode(parent ? parent->m_node : 0, doc->Title(), doc->ImageIndex(),
                                      doc->StateIndex(), doc);
        m_tree->refresh();
    }
    if (m_designer)
        m_designer->docAdded(doc);
    if (!isDesigning())
        fire(OnGetData, doc);
}

void TDocs::docChanged(TDoc *doc) {
    if (doc == m_list.Current())
        reloadView(doc);
    if (doc->m_node && m_tree) {
        if (shows(doc)) {
            m_tree->updateNode(doc->m_node, doc->Title(), doc->ImageIndex(), doc->StateIndex());
        } else {
            m_tree->deleteNode(doc->m_node);
            doc->m_node = 0;
        }
    }
    if (m_designer)
        m_designer->docChanged(doc);
    if (!isDesigning())
        fire(OnChange, doc);
}

void TDocs::docSelected(TDoc *doc) {
    if (doc == m_list.Current()) {
        reloadView(doc);
        if (doc->m_node && m_tree && m_tree->selectedNode() != doc->m_node)
            m_tree->selectNode(doc->m_node);
        if (m_designer)
            m_designer->docSelected(doc);
    }
    fire(OnSelection, doc);
}

void TDocs::docDeleted(TDoc *doc) {
    if (doc->m_node && m_tree) {
        m_tree->setNodeData(doc->m_node, nullptr);
        m_tree->deleteNode(doc->m_node);
    }
    doc->m_node = 0;
    if (m_designer)
        m_designer->docDeleted(doc);
    fire(OnDeletion, doc);
}

// A document's sequence (MacroBack, MacroDemo, MacroNext, MacroPrev) would run in place of each list-level
// move below when it is not empty. This program's sequences are always empty, and the stored-form reader
// refuses any other, so every command takes the list-level move.

void TDocs::GoBack() {
    if (m_upWhenBack)
        m_list.SelectParent();
    else if (!m_list.History().isEmpty())
        m_list.Back();
}

void TDocs::GoDemo() {
    if (m_list.Current())
        m_list.SelectFirstChild();
}

void TDocs::GoNext() {
    if (m_list.Current())
        m_list.SelectNext();
}

void TDocs::GoPrev() {
    if (m_list.Current())
        m_list.SelectPrev();
}

} // namespace docset

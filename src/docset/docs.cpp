#include "docset/docs.h"

#include <QBuffer>

namespace docset {

namespace {

int leadingTabs(const QString &text) {
    int tabs = 0;
    while (tabs < text.size() && text.at(tabs) == QLatin1Char('\t'))
        ++tabs;
    return tabs;
}

} // namespace

EDocList::EDocList(const QString &message, const QString &detail)
    : std::runtime_error(message.toStdString())
    , m_detail(detail) {}

// ---- TDoc ----

TDoc::TDoc(TDocList *list)
    : m_list(list) {}

TDoc::~TDoc() = default;

int TDoc::Index() const {
    return m_listed ? int(m_slot - m_list->m_indexBase) : -1;
}

void TDoc::changed() {
    m_list->reportChanged(this);
}

QString TDoc::Title() const {
    if (Index() < 0)
        return {};
    const QString &text = m_list->m_items.at(Index()).text;
    const int start = leadingTabs(text);
    const qsizetype nul = text.indexOf(QChar(0), start);
    return text.mid(start, nul < 0 ? -1 : nul - start);
}

void TDoc::setTitle(const QString &title) {
    if (Index() < 0)
        return;
    QString value = title;
    value.replace(QLatin1Char('\t'), QLatin1Char(' '));
    m_list->m_items[Index()].text = QString(Level(), QLatin1Char('\t')) + value;
    changed();
}

int TDoc::Level() const {
    return Index() < 0 ? 0 : leadingTabs(m_list->m_items.at(Index()).text);
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
    while (TDoc *child = FirstChild())
        child->Delete();
    m_list->reportDeleted(this);
    m_list->remove(this);
    delete this;
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

TDoc *TDocList::Item(int index) const {
    return index >= 0 && index < m_items.size() ? m_items.at(index).doc : nullptr;
}

TDoc *TDocList::InsertDoc(int index, int level) {
    if (index < 0 || index > Count())
        return nullptr;
    if (index == 0)
        level = 0;
    else if (const int before = m_items.at(index - 1).doc->Level(); before < level - 1)
        level = before + 1;
    auto *doc = new TDoc(this);
    m_items.insert(index, Entry{QString(qMax(level, 0), QLatin1Char('\t')), doc});
    shiftAround(index, 1);
    doc->m_slot = index + m_indexBase;
    doc->m_listed = true;
    return doc;
}

TDoc *TDocList::AddDoc(int level) {
    TDoc *doc = InsertDoc(Count(), level);
    if (!doc)
        throw EDocList(QStringLiteral("Could not insert an item at level %1.").arg(level));
    if (m_component)
        m_component->docAdded(doc, level == 0 ? nullptr : doc->Parent());
    return doc;
}

// After an entry was inserted at (shift 1) or removed from (shift -1) index: the entries after it have moved
// by shift, those before it have not.
void TDocList::shiftAround(int index, int shift) {
    const int after = index + (shift > 0 ? 1 : 0);
    if (index < m_items.size() - after) {
        m_indexBase -= shift;
        for (int i = 0; i < index; ++i)
            m_items[i].doc->m_slot -= shift;
    } else {
        for (int i = after; i < m_items.size(); ++i)
            m_items[i].doc->m_slot += shift;
    }
}

void TDocList::remove(TDoc *doc) {
    const int index = doc->Index();
    if (index >= 0) {
        // QList closes a gap by moving what follows it, unless the gap is at the very front; near the front
        // (Clear deletes a document's children there), the few entries before it are moved instead.
        if (index < m_items.size() / 2) {
            for (int i = index; i > 0; --i)
                m_items[i] = std::move(m_items[i - 1]);
            m_items.removeFirst();
        } else {
            m_items.removeAt(index);
        }
        shiftAround(index, -1);
        doc->m_listed = false;
    }
    m_history.removeIf([doc](const HistoryEntry &entry) { return entry.doc == doc; });
    if (m_current == doc)
        m_current = nullptr;
}

void TDocList::Clear() {
    while (!m_items.isEmpty())
        m_items.first().doc->Delete();
    m_current = nullptr;
    m_history.clear();
    m_indexBase = 0;
}

void TDocList::Assign(const TDocList &source) {
    if (&source == this)
        return;
    Clear();
    for (const Entry &entry : source.m_items)
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
    for (const TDocList::Entry &entry : m_list.Items())
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
    for (TDoc *doc = m_list.Item(0); doc; doc = doc->NextSibling())
        addSubtree(doc, 0);
    view->endUpdate();
}

void TDocs::addSubtree(TDoc *doc, DocTreeView::Node parent) {
    if (!shows(doc))
        return;
    doc->m_node = m_tree->addNode(parent, doc->Title(), doc->ImageIndex(), doc->StateIndex(), doc);
    for (TDoc *child = doc->FirstChild(); child && child->Parent() == doc; child = child->NextSibling())
        addSubtree(child, doc->m_node);
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

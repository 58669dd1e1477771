#pragma once

#include "docset/docviews.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QBuffer;
class QIODevice;

namespace docset {

class TDocList;
class TDocs;

// The document set's own error: English messages, raised by the list and by the readers of its stored and
// text forms. A second, optional text says what lay behind it for whoever debugs.
class EDocList : public std::runtime_error {
public:
    explicit EDocList(const QString &message, const QString &detail = {});
    QString message() const { return QString::fromUtf8(what()); }
    const QString &detail() const { return m_detail; }

private:
    QString m_detail;
};

// A demonstration sequence of a document. The components that would run one are not part of this program,
// and its data holds only empty sequences (the stored-form reader refuses any other), so a sequence here is
// always empty; it exists so that the stored form keeps its four collections per document.
class TCustomMacro {
public:
    bool isEmpty() const { return true; }
};

// A handler of one of the component's events together with the name of the method the stored record keeps for
// it. Either part may be empty: a record read without a form to resolve names keeps only the name.
struct TDocEvent {
    QString method;
    std::function<void(TDocs *sender, TDoc *doc)> handler;
};

// A plain notification, as OnUpdate is: it can be set and is stored, but the component never fires it.
struct TNotifyEvent {
    QString method;
    std::function<void(TDocs *sender)> handler;
};

// One rich-text document of a list. Created and freed by its TDocList only. Every property change is reported
// to the list, which passes it to its component. Its entry in the list's Items reads as Level tabs followed
// by the title; the document keeps the two apart and puts them together only when the entry's text is asked
// for, since a crafted list nests one level deeper with every document and the tabs would grow with the
// square of its length.
class TDoc {
public:
    TDoc(const TDoc &) = delete;
    TDoc &operator=(const TDoc &) = delete;

    TDocList *list() const { return m_list; }

    // Tabs in the value become blanks; the text read back ends at the first NUL.
    QString Title() const;
    void setTitle(const QString &title);
    int Level() const;
    qint32 Tag() const { return m_tag; }
    void setTag(qint32 tag);
    // The RTF bytes, rewound to position 0. The stream stays the document's own.
    QIODevice *TextAsStream();
    // Copies the whole of source, from its start, as the document's RTF.
    void setTextAsStream(QIODevice *source);
    const QByteArray &rtf() const { return m_rtf; }
    void setRtf(const QByteArray &rtf);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    qint32 ImageIndex() const { return m_imageIndex; }
    void setImageIndex(qint32 index);
    qint32 StateIndex() const { return m_stateIndex; }
    void setStateIndex(qint32 index);
    const TCustomMacro &MacroBack() const { return m_macroBack; }
    const TCustomMacro &MacroDemo() const { return m_macroDemo; }
    const TCustomMacro &MacroNext() const { return m_macroNext; }
    const TCustomMacro &MacroPrev() const { return m_macroPrev; }

    // The node of the attached tree view, or 0.
    DocTreeView::Node node() const { return m_node; }

    // Position in the list's Items, or −1.
    int Index() const;
    TDoc *Parent() const;
    TDoc *FirstChild() const;
    TDoc *NextSibling() const;
    TDoc *PrevSibling() const;

    void MakeCurrent(bool current);
    // Deletes the document's children, then the document; `this` is freed on return.
    void Delete();
    // Copies title, tag, RTF text, sequences, Visible, ImageIndex and StateIndex; not the level.
    void Assign(const TDoc &source);

private:
    friend class TDocList;
    friend class TDocs;
    explicit TDoc(TDocList *list);
    ~TDoc();
    void changed();

    TDocList *m_list;
    qsizetype m_slot = 0; // Place in TDocList::m_slots while listed
    bool m_listed = false;
    int m_level = 0;
    QString m_title;
    qint32 m_tag = 0;
    QByteArray m_rtf;
    std::unique_ptr<QBuffer> m_stream;
    bool m_visible = true;
    qint32 m_imageIndex = -1;
    qint32 m_stateIndex = -1;
    TCustomMacro m_macroBack, m_macroDemo, m_macroNext, m_macroPrev;
    DocTreeView::Node m_node = 0;
};

// The ordered documents of a component (or of none), their back stack and the current one. Items out of range
// read as none. Reports of added, changed, selected and deleted documents go to the component, if any.
class TDocList {
public:
    struct Entry {
        TDoc *doc;
        // Level tabs, then the title.
        QString text() const;
    };
    // The entries in order; a view of the list, valid while the list is not changed.
    class ItemList {
    public:
        class const_iterator {
        public:
            Entry operator*() const { return m_list->at(m_index); }
            const_iterator &operator++() {
                ++m_index;
                return *this;
            }
            bool operator!=(const const_iterator &other) const { return m_index != other.m_index; }

        private:
            friend class ItemList;
            const_iterator(const ItemList *list, int index)
                : m_list(list)
                , m_index(index) {}
            const ItemList *m_list;
            int m_index;
        };
        int size() const { return m_owner->Count(); }
        bool isEmpty() const { return size() == 0; }
        Entry at(int index) const { return {m_owner->Item(index)}; }
        const_iterator begin() const { return {this, 0}; }
        const_iterator end() const { return {this, size()}; }

    private:
        friend class TDocList;
        explicit ItemList(const TDocList *owner)
            : m_owner(owner) {}
        const TDocList *m_owner;
    };
    struct HistoryEntry {
        QString title;
        TDoc *doc;
    };

    explicit TDocList(TDocs *component = nullptr);
    ~TDocList();
    TDocList(const TDocList &) = delete;
    TDocList &operator=(const TDocList &) = delete;

    TDocs *component() const { return m_component; }
    int Count() const { return int(m_slots.size() - (m_gapEnd - m_gapBegin)); }
    TDoc *Item(int index) const;
    ItemList Items() const { return ItemList(this); }
    const QList<HistoryEntry> &History() const { return m_history; }
    TDoc *Current() const { return m_current; }

    // Appends a document, raising EDocList when it cannot be inserted, and reports it as added.
    TDoc *AddDoc(int level);
    // Inserts a document at 0…Count, at most one level below the one before it (level 0 at index 0); none for
    // an index out of range. Reports nothing.
    TDoc *InsertDoc(int index, int level);
    void Clear();
    // Makes this list a copy of source; the copy's current document is set without history or reports.
    void Assign(const TDocList &source);

    // The text exchange form of the whole list. Setting it reads the text into a copy first and changes this
    // list only when all of it was read, else raises EDocList.
    QStringList Lines() const;
    void setLines(const QStringList &lines);

    void Back();
    void SelectFirstChild();
    void SelectNext();
    void SelectPrev();
    void SelectParent();
    void SelectParentNext();

private:
    friend class TDoc;
    friend class TDocs;
    void moveGapTo(qsizetype index);
    void insertAt(qsizetype index, TDoc *doc);
    void appendToLastLine(TDoc *doc);
    void reportChanged(TDoc *doc);
    void reportSelected(TDoc *doc);
    void reportDeleted(TDoc *doc);
    void remove(TDoc *doc);
    static void select(TDoc *doc);

    TDocs *m_component;
    // The documents in order, with a gap of unused slots at the place of the last insertion or removal. Only
    // the documents between the old and the new place of the gap move, so appending, and deleting a subtree
    // from its deepest end as Delete and Clear do, cost a constant per document, whatever the shape of the
    // tree. A document's Index is its slot, less the gap's length when it lies after the gap.
    std::vector<TDoc *> m_slots;
    qsizetype m_gapBegin = 0;
    qsizetype m_gapEnd = 0;
    // The last document and its ancestors, shallowest first, so that an appended document finds its Parent
    // without a walk back over its elder siblings; rebuilt when the list changed other than at its end.
    std::vector<TDoc *> m_lastLine;
    bool m_lastLineValid = true;
    QList<HistoryEntry> m_history;
    TDoc *m_current = nullptr;
};

// The document set component: an ordered list of rich-text documents at depth levels, one of them current. It
// shows the current document in the attached rich-text view and the whole list in the attached tree view,
// fires its events for what happens to the documents, and notifies an attached designer. A designer being
// attached means the component sits on a design surface: then the views are not reloaded and the events that
// the designer stands in for (OnGetData, OnChange) are not fired. Views that are destroyed are let go of at
// once. On destruction every document is reported as deleted. Errors while reading or writing the stored list
// go to the error reporter (a message box), if one is set, and no further.
class TDocs : public QObject {
    Q_OBJECT
public:
    explicit TDocs(QObject *owner = nullptr);
    ~TDocs() override;

    int Count() const { return m_list.Count(); }
    TDocList &DocList() { return m_list; }
    const TDocList &DocList() const { return m_list; }
    // Copies source into the list; none clears it.
    void setDocList(const TDocList *source);

    DocTreeView *DocDisplay() const { return m_tree; }
    void setDocDisplay(DocTreeView *view);
    bool ForceVisible() const { return m_forceVisible; }
    void setForceVisible(bool force) { m_forceVisible = force; }
    RichTextView *RichEdit() const { return m_richEdit; }
    void setRichEdit(RichTextView *view);
    int SelIndex() const;
    void setSelIndex(int index);
    bool UpWhenBack() const { return m_upWhenBack; }
    void setUpWhenBack(bool up) { m_upWhenBack = up; }

    TDocEvent OnChange, OnGetData, OnDeletion, OnSelection;
    TNotifyEvent OnUpdate;

    // The inherited free-for-use number, and the place on the design surface; stored, meaningless at run
    // time.
    qint32 Tag = 0;
    qint32 Left = 0;
    qint32 Top = 0;

    void setDesigner(IDocsDesigner *designer) { m_designer = designer; }
    IDocsDesigner *designer() const { return m_designer; }
    bool isDesigning() const { return m_designer != nullptr; }

    void setErrorReporter(ErrorReporter *reporter) { m_reporter = reporter; }
    ErrorReporter *errorReporter() const { return m_reporter; }
    void reportError(const QString &message) const;

    void GoBack();
    void GoDemo();
    void GoNext();
    void GoPrev();

private:
    friend class TDocList;
    friend class TDoc;
    void docAdded(TDoc *doc, TDoc *parent);
    void docChanged(TDoc *doc);
    void docSelected(TDoc *doc);
    void docDeleted(TDoc *doc);
    void reloadView(TDoc *doc);
    void fire(const TDocEvent &event, TDoc *doc);
    void forgetNodes();
    void buildTree();
    bool shows(const TDoc *doc) const { return doc->Visible() || m_forceVisible; }

    TDocList m_list{this};
    RichTextView *m_richEdit = nullptr;
    DocTreeView *m_tree = nullptr;
    QMetaObject::Connection m_richEditGone, m_treeGone;
    bool m_forceVisible = false;
    bool m_upWhenBack = false;
    IDocsDesigner *m_designer = nullptr;
    ErrorReporter *m_reporter = nullptr;
};

} // namespace docset

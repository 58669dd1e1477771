// The stored-form reader meets a record it did not write: whatever the bytes, reading ends in the record or a
// clear error, and a record it read is written back so that reading and writing it again gives the same
// bytes. The list read is also shown in a tree view, and a short one goes through its text form and back
// unchanged. Run with large inputs and a time limit, a cost that grows faster than the input is a finding.
#include "docset/docsrecord.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

class NullView : public docset::RichTextView {
public:
    using RichTextView::RichTextView;
    void clear() override {}
    void loadRtf(const QByteArray &rtf) override { m_bytes += rtf.size(); }
    qsizetype m_bytes = 0;
};

class NullTree : public docset::DocTreeView {
public:
    void clearNodes() override { m_nodes = 0; }
    void beginUpdate() override {}
    void endUpdate() override {}
    Node addNode(Node, const QString &, int, int, docset::TDoc *) override { return ++m_nodes; }
    void updateNode(Node, const QString &, int, int) override {}
    void setNodeData(Node, docset::TDoc *) override {}
    void deleteNode(Node) override {}
    Node selectedNode() const override { return 0; }
    void selectNode(Node) override {}
    void refresh() override {}
    Node m_nodes = 0;
};

class Errors : public docset::ErrorReporter {
public:
    void showError(const QString &message) override { m_count += message.isEmpty() ? 0 : 1; }
    int m_count = 0;
};

QByteArray readAndWrite(const QByteArray &input, bool &read) {
    NullView view;
    view.setObjectName(QStringLiteral("RichEdit1"));
    Errors errors;
    docset::TDocs docs;
    docs.setErrorReporter(&errors);
    docset::FormNames names;
    names.component = [&](const QString &name) -> QObject * {
        return name == view.objectName() ? &view : nullptr;
    };
    read = false;
    try {
        docset::PropertyReader reader(input);
        docset::readDocsRecord(reader, docs, names);
        read = errors.m_count == 0;
        NullTree tree;
        docs.setDocDisplay(&tree);
        if (read && input.size() <= 64 * 1024) {
            const QStringList lines = docs.DocList().Lines();
            docset::TDocs copy;
            copy.setObjectName(docs.objectName());
            copy.DocList().setLines(lines);
            if (copy.DocList().Lines() != lines) {
                std::fprintf(stderr, "A list read from its text form gives other text.\n");
                std::abort();
            }
        }
        docs.setDocDisplay(nullptr);
        return docset::docsRecordBytes(docs);
    } catch (const std::runtime_error &) {
        return {};
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    bool read = false;
    const QByteArray once = readAndWrite(input, read);
    if (!read)
        return 0;
    const QByteArray twice = readAndWrite(once, read);
    if (!read || twice != once) {
        std::fprintf(stderr, "A record written by the writer reads back differently.\n");
        std::abort();
    }
    return 0;
}

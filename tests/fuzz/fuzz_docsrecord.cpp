// The stored-form reader meets a record it did not write: whatever the bytes, reading ends in the record or a
// clear error, and a record it read is written back so that reading and writing it again gives the same
// bytes.
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

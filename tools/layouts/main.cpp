// gen_layouts: writes the guidelines window's stored layout record, the document set Docs1 with the two
// documents, through the program's own writer, so that the program reads exactly what its writer writes.
//   gen_layouts <record> <document 0 RTF> <document 1 RTF>
#include "docset/docsrecord.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

// Stands in for the window's rich-text box: the record names it, nothing is shown.
class NamedView : public docset::RichTextView {
public:
    using RichTextView::RichTextView;
    void clear() override {}
    void loadRtf(const QByteArray &) override {}
};

// A failure while writing the list must fail the build, not only be told.
class Failures : public docset::ErrorReporter {
public:
    void showError(const QString &message) override {
        std::fprintf(stderr, "gen_layouts: %s\n", qPrintable(message));
        failed = true;
    }
    bool failed = false;
};

} // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: gen_layouts <record> <document 0 RTF> <document 1 RTF>\n");
        return 2;
    }
    NamedView richEdit;
    richEdit.setObjectName(QStringLiteral("RichEdit1"));
    Failures failures;
    docset::TDocs docs;
    docs.setObjectName(QStringLiteral("Docs1"));
    docs.setErrorReporter(&failures);
    docs.setRichEdit(&richEdit);
    // Where the component sits on the window's design surface.
    docs.Left = 30;
    docs.Top = 330;
    for (int i = 2; i < argc; ++i) {
        QFile document(QString::fromLocal8Bit(argv[i]));
        if (!document.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "gen_layouts: cannot read %s\n", argv[i]);
            return 1;
        }
        docs.DocList().AddDoc(0)->setRtf(document.readAll());
    }
    docs.setSelIndex(0);

    QSaveFile record(QString::fromLocal8Bit(argv[1]));
    if (!record.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "gen_layouts: cannot write %s\n", argv[1]);
        return 1;
    }
    try {
        docset::PropertyWriter writer(&record);
        docset::writeDocsRecord(writer, docs);
        writer.flush();
    } catch (const std::runtime_error &error) {
        std::fprintf(stderr, "gen_layouts: %s\n", error.what());
        return 1;
    }
    return !failures.failed && record.commit() ? 0 : 1;
}

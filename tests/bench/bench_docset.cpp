#include "docset/docsrecord.h"
#include "resources/appresources.h"
#include "ui/dialogs/guidelineswindow.h"
#include "ui/docviews/richeditview.h"

#include <QApplication>
#include <QResource>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <limits>

namespace {

QByteArray guidelinesRecord() {
    const QResource resource(QStringLiteral(":/layouts/guidelineswindow.bin"));
    return resource.uncompressedData();
}

docset::FormNames namesFor(QObject *view) {
    docset::FormNames names;
    names.component = [view](const QString &name) { return name == view->objectName() ? view : nullptr; };
    return names;
}

} // namespace

// What the guidelines window does at start-up: read its stored record, which attaches the rich-text box and
// loads document 0 into it.
static void BM_ReadWindowRecordAndLoadReference(benchmark::State &state) {
    const QByteArray record = guidelinesRecord();
    QTextEdit edit;
    edit.setObjectName(QStringLiteral("RichEdit1"));
    edit.resize(371, 301);
    auto *view = new RichEditView(&edit);
    for (auto _ : state) {
        docset::TDocs docs;
        docset::PropertyReader reader(record);
        docset::readDocsRecord(reader, docs, namesFor(view));
        benchmark::DoNotOptimize(edit.document());
    }
}
BENCHMARK(BM_ReadWindowRecordAndLoadReference)->Unit(benchmark::kMicrosecond);

// Switching the shown window between its documents, laid out and painted as the pupil sees it.
static void BM_SwitchDocumentInShownWindow(benchmark::State &state) {
    QWidget owner;
    const QList<QImage> faces{QImage(150, 40, QImage::Format_ARGB32), QImage(150, 40, QImage::Format_ARGB32)};
    TForm7 form(&owner, &faces);
    form.show();
    QCoreApplication::processEvents();
    int index = 0;
    for (auto _ : state) {
        index = 1 - index;
        form.selectDocument(index);
        form.findChild<QTextEdit *>(QStringLiteral("RichEdit1"))->viewport()->repaint();
    }
}
BENCHMARK(BM_SwitchDocumentInShownWindow)->Unit(benchmark::kMicrosecond);

// The stored-form reader alone on a large synthetic list: `range(0)` documents of `range(1)` RTF bytes each,
// titled and at varying levels.
static void BM_ReadLargeList(benchmark::State &state) {
    docset::TDocs source;
    source.setObjectName(QStringLiteral("Docs1"));
    const QByteArray rtf = "{\\rtf1\\ansi " + QByteArray(state.range(1), 'x') + '}';
    for (int i = 0; i < state.range(0); ++i) {
        docset::TDoc *doc = source.DocList().AddDoc(i % 3);
        doc->setTitle(QStringLiteral("Документ %1").arg(i));
        doc->setRtf(rtf);
    }
    source.setSelIndex(0);
    const QByteArray record = docset::docsRecordBytes(source);
    for (auto _ : state) {
        docset::TDocs docs;
        docset::PropertyReader reader(record);
        docset::readDocsRecord(reader, docs);
        benchmark::DoNotOptimize(docs.Count());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * record.size());
}
BENCHMARK(BM_ReadLargeList)
    ->Args({2000, 8192})
    ->Args({20000, 1024})
    ->Args({20000, 64})
    ->Unit(benchmark::kMillisecond);

// A record of 100 000 empty documents, all at level 0 (range(0) = 0) or each asking for the deepest level and
// so nested one below the one before (range(0) = 1), read and then let go. Both must stay linear: well under
// 100 ms each, and a peak memory a small multiple of the record.
static void BM_ReadAndDestroyHundredThousand(benchmark::State &state) {
    const bool chained = state.range(0) != 0;
    QByteArray record;
    {
        docset::TDocs source;
        source.setObjectName(QStringLiteral("Docs1"));
        for (int i = 0; i < 100000; ++i)
            source.DocList().AddDoc(chained ? std::numeric_limits<int>::max() : 0);
        record = docset::docsRecordBytes(source);
    }
    for (auto _ : state) {
        docset::TDocs docs;
        docset::PropertyReader reader(record);
        docset::readDocsRecord(reader, docs);
        benchmark::DoNotOptimize(docs.Count());
    }
    state.counters["record_MB"] = double(record.size()) / 1e6;
    state.SetLabel(chained ? "chained" : "flat");
}
BENCHMARK(BM_ReadAndDestroyHundredThousand)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerApplicationFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

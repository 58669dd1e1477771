// The RTF reader meets malformed text: it fills the document with what it recovered and says what was wrong,
// without crashing or hanging.
#include "rtf/rtfreader.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QTextDocument document;
    const rtf::ReadResult result =
        rtf::read(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), &document);
    if (result.ok != result.error.isEmpty() || result.offset > qsizetype(size)) {
        std::fprintf(stderr, "The result contradicts itself.\n");
        std::abort();
    }
    // Walking the blocks touches every format the reader made.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        (void)block.blockFormat().leftMargin();
    return 0;
}

// The text exchange form meets text and records it did not write: every record it turns into text turns back
// into the same bytes, and every text it accepts gives a record whose text turns into the same record again.
#include "docset/propertystream.h"
#include "docset/textform.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

using namespace docset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const QString text = textform::toText(input);
        if (textform::toBinary(text) != input) {
            std::fprintf(stderr, "binary -> text -> binary changed the bytes\n");
            std::abort();
        }
    } catch (const EStreamError &) {
    }
    QByteArray record;
    try {
        record = textform::toBinary(QString::fromUtf8(input));
    } catch (const EStreamError &) {
        return 0;
    }
    try {
        if (textform::toBinary(textform::toText(record)) != record) {
            std::fprintf(stderr, "text -> binary -> text -> binary changed the bytes\n");
            std::abort();
        }
    } catch (const EStreamError &error) {
        std::fprintf(stderr, "a record made from text does not read back: %s\n", error.what());
        std::abort();
    }
    return 0;
}

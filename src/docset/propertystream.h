#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <stdexcept>

class QIODevice;

namespace docset {

// The type tags of the binary property stream in which windows keep their layout and the document set its
// list.
enum class ValueTag : quint8 {
    Null = 0, // end of a list
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    String = 6, // one length byte, code page 1251
    Ident = 7,
    False = 8,
    True = 9,
    LString = 12, // 32-bit length, code page 1251
    Collection = 14,
    WString = 18,   // 32-bit count of UTF-16LE units
    Utf8String = 20 // 32-bit length, UTF-8
};

bool isKnownTag(quint8 tag);

// A stream that cannot be read or written: truncated or corrupt data, or a device that fails. The message
// says what and where.
class EStreamError : public std::runtime_error {
public:
    explicit EStreamError(const QString &message);
};

// Reads the property stream from bytes held by the caller. Every length is checked against the bytes that are
// left before anything is allocated for it, so nothing larger than the input is ever asked for; any fault
// raises EStreamError naming the byte offset.
class PropertyReader {
public:
    // How deep lists and collections may nest inside one value.
    static constexpr int maxDepth = 64;

    explicit PropertyReader(QByteArrayView data)
        : m_data(data) {}

    qsizetype pos() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }

    quint8 readByte();
    // A one-byte length and that many bytes (class, component and property names).
    QByteArray readShortString();
    // The same without a copy: valid as long as the data the reader reads.
    QByteArrayView readShortStringView();
    // The next value's tag; unknown tags are an error.
    ValueTag readTag();
    ValueTag peekTag();
    // True, and the 0 consumed, when a list of properties or values ends here.
    bool readEndOfList();

    // The value after a tag that has been read.
    qint32 readIntegerBody(ValueTag tag);
    // Raw string bytes after tag 6, 7, 12 (code page 1251), 18 (UTF-16LE) or 20 (UTF-8).
    QByteArray readStringBody(ValueTag tag);

    // A whole value of the given kind, tag included; a value of another kind is an error.
    qint32 readInteger();
    // Any string tag, decoded.
    QString readString();
    // A string as code page 1251 bytes: tags 6 and 12 as they are, the Unicode tags encoded; a character
    // that the code page lacks is an error rather than a silent '?'.
    QByteArray readAnsiString();
    QByteArray readIdent();
    bool readBool();

    // The head of one item of a collection: the integer that older writers put before it (its index, which
    // readers ignore; `indexTag` Null when there is none) and the tag of the item's property list. Without
    // that tag the stream fails with `what`, at the item's first byte.
    struct ItemHead {
        ValueTag indexTag = ValueTag::Null;
        qint32 index = 0;
    };
    ItemHead readItemHead(const QString &what);

    // Skips one value of any kind, nested ones included; the second form when its tag has been read.
    void skipValue();
    void skipValueAfterTag(ValueTag tag) { skipValue(tag, 0); }
    // Goes back to a position read earlier.
    void restore(qsizetype pos) { m_pos = qBound(qsizetype(0), pos, m_data.size()); }

    // Decodes a string body read by readStringBody.
    static QString decodeString(ValueTag tag, const QByteArray &body);

    [[noreturn]] void fail(const QString &what) const;
    [[noreturn]] void fail(const QString &what, qsizetype at) const;

private:
    const char *take(qsizetype count);
    qint32 readLength();
    void skipValue(ValueTag tag, int depth);

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

// Writes the property stream to a device through a buffer. A device that refuses bytes raises EStreamError at
// the flush that meets it; after that every flush raises it again.
class PropertyWriter {
public:
    explicit PropertyWriter(QIODevice *device);
    // The buffer is not flushed here: call flush() and handle its error.
    ~PropertyWriter() = default;

    void writeByte(quint8 byte);
    void writeRaw(QByteArrayView bytes);
    void writeTag(ValueTag tag) { writeByte(quint8(tag)); }
    // A class, component or property name; at most 255 bytes of code page 1251.
    void writeShortString(const QString &text);
    void writeEndOfList() { writeByte(0); }

    // In the smallest of tags 2, 3 and 4 that holds the value.
    void writeInteger(qint32 value);
    void writeIntegerAs(ValueTag tag, qint32 value);
    // Tag 6 or 12 when every character has a code page 1251 byte, else tag 20 (UTF-8), so nothing turns to
    // '?'.
    void writeString(const QString &text);
    // Bytes already in code page 1251 (an RTF text), as tag 6 or 12.
    void writeAnsiString(const QByteArray &bytes);
    // The given string tag exactly, with the body as raw bytes (UTF-16LE for tag 18).
    void writeStringAs(ValueTag tag, const QByteArray &body);
    void writeIdent(const QString &name);
    void writeBool(bool value) { writeTag(value ? ValueTag::True : ValueTag::False); }

    void flush();
    // Bytes handed to the writer so far, flushed or not.
    qint64 written() const { return m_written; }

    static ValueTag smallestIntegerTag(qint32 value);

    // The bytes that `write` writes to a writer over memory.
    static QByteArray bytesOf(const std::function<void(PropertyWriter &)> &write);

private:
    void writeLength(qsizetype length);

    QIODevice *m_device;
    QByteArray m_buffer;
    qint64 m_written = 0;
    bool m_failed = false;
};

} // namespace docset

#include "docset/propertystream.h"

#include "codepage/cp1251.h"

#include <QBuffer>
#include <QStringDecoder>
#include <QtEndian>

#include <cstring>
#include <limits>

namespace docset {

bool isKnownTag(quint8 tag) {
    switch (ValueTag(tag)) {
    case ValueTag::Null:
    case ValueTag::List:
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
    case ValueTag::String:
    case ValueTag::Ident:
    case ValueTag::False:
    case ValueTag::True:
    case ValueTag::LString:
    case ValueTag::Collection:
    case ValueTag::WString:
    case ValueTag::Utf8String:
        return true;
    }
    return false;
}

EStreamError::EStreamError(const QString &message)
    : std::runtime_error(message.toStdString()) {}

// ---- PropertyReader ----

void PropertyReader::fail(const QString &what) const {
    fail(what, m_pos);
}

void PropertyReader::fail(const QString &what, qsizetype at) const {
    throw EStreamError(QStringLiteral("%1 at byte %2.").arg(what).arg(at));
}

const char *PropertyReader::take(qsizetype count) {
    if (count > m_data.size() - m_pos)
        fail(QStringLiteral("The data ends too early: %1 more bytes are needed").arg(count));
    const char *bytes = m_data.data() + m_pos;
    m_pos += count;
    return bytes;
}

quint8 PropertyReader::readByte() {
    return quint8(*take(1));
}

QByteArray PropertyReader::readShortString() {
    return readShortStringView().toByteArray();
}

QByteArrayView PropertyReader::readShortStringView() {
    const quint8 length = readByte();
    return QByteArrayView(take(length), length);
}

ValueTag PropertyReader::readTag() {
    const qsizetype at = m_pos;
    const quint8 tag = readByte();
    if (!isKnownTag(tag))
        fail(QStringLiteral("Unknown value tag %1").arg(tag), at);
    return ValueTag(tag);
}

ValueTag PropertyReader::peekTag() {
    const qsizetype at = m_pos;
    const ValueTag tag = readTag();
    m_pos = at;
    return tag;
}

bool PropertyReader::readEndOfList() {
    if (m_pos < m_data.size() && m_data[m_pos] == 0) {
        ++m_pos;
        return true;
    }
    if (atEnd())
        fail(QStringLiteral("The data ends inside a list"));
    return false;
}

qint32 PropertyReader::readIntegerBody(ValueTag tag) {
    switch (tag) {
    case ValueTag::Int8:
        return qint8(readByte());
    case ValueTag::Int16:
        return qFromLittleEndian<qint16>(take(2));
    case ValueTag::Int32:
        return qFromLittleEndian<qint32>(take(4));
    default:
        fail(QStringLiteral("An integer was expected, not value tag %1").arg(int(tag)), m_pos - 1);
    }
}

qint32 PropertyReader::readLength() {
    const qsizetype at = m_pos;
    const qint32 length = qFromLittleEndian<qint32>(take(4));
    if (length < 0)
        fail(QStringLiteral("Negative length %1").arg(length), at);
    return length;
}

QByteArray PropertyReader::readStringBody(ValueTag tag) {
    const qsizetype at = m_pos;
    qsizetype bytes = 0;
    switch (tag) {
    case ValueTag::String:
    case ValueTag::Ident:
        bytes = readByte();
        break;
    case ValueTag::LString:
    case ValueTag::Utf8String:
        bytes = readLength();
        break;
    case ValueTag::WString:
        bytes = qsizetype(readLength()) * 2;
        break;
    default:
        fail(QStringLiteral("A string was expected, not value tag %1").arg(int(tag)), m_pos - 1);
    }
    if (bytes > m_data.size() - m_pos)
        fail(QStringLiteral("A string of %1 bytes runs past the end of the data").arg(bytes), at);
    return QByteArray(take(bytes), bytes);
}

QString PropertyReader::decodeString(ValueTag tag, const QByteArray &body) {
    switch (tag) {
    case ValueTag::WString: {
        QString text(body.size() / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(qFromLittleEndian<quint16>(body.constData() + 2 * i));
        return text;
    }
    case ValueTag::Utf8String:
        return QString::fromUtf8(body);
    default:
        return cp1251::decode(body);
    }
}

QString PropertyReader::readString() {
    const ValueTag tag = readTag();
    const qsizetype at = m_pos;
    const QByteArray body = readStringBody(tag);
    if (tag == ValueTag::Ident)
        fail(QStringLiteral("A string was expected, not an identifier"), at - 1);
    if (tag == ValueTag::Utf8String) {
        // Malformed UTF-8 would come back as replacement characters: the text would not be what was stored.
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QString text = decoder.decode(body);
        if (decoder.hasError())
            fail(QStringLiteral("Malformed UTF-8 string"), at);
        return text;
    }
    return decodeString(tag, body);
}

QByteArray PropertyReader::readAnsiString() {
    const qsizetype at = m_pos;
    if (const ValueTag tag = peekTag(); tag == ValueTag::String || tag == ValueTag::LString) {
        readTag();
        return readStringBody(tag);
    }
    const QString text = readString();
    if (!cp1251::canEncode(text))
        fail(QStringLiteral("The text holds characters outside code page 1251"), at);
    return cp1251::encode(text);
}

QByteArray PropertyReader::readIdent() {
    const qsizetype at = m_pos;
    if (readTag() != ValueTag::Ident)
        fail(QStringLiteral("An identifier was expected"), at);
    return readStringBody(ValueTag::Ident);
}

qint32 PropertyReader::readInteger() {
    return readIntegerBody(readTag());
}

bool PropertyReader::readBool() {
    const qsizetype at = m_pos;
    const ValueTag tag = readTag();
    if (tag != ValueTag::False && tag != ValueTag::True)
        fail(QStringLiteral("True or False was expected"), at);
    return tag == ValueTag::True;
}

PropertyReader::ItemHead PropertyReader::readItemHead(const QString &what) {
    const qsizetype at = m_pos;
    ItemHead head;
    ValueTag tag = readTag();
    if (tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32) {
        head.indexTag = tag;
        head.index = readIntegerBody(tag);
        tag = readTag();
    }
    if (tag != ValueTag::List)
        fail(what, at);
    return head;
}

void PropertyReader::skipValue() {
    skipValue(readTag(), 0);
}

void PropertyReader::skipValue(ValueTag tag, int depth) {
    switch (tag) {
    case ValueTag::Null:
    case ValueTag::False:
    case ValueTag::True:
        return;
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
        readIntegerBody(tag);
        return;
    case ValueTag::String:
    case ValueTag::Ident:
    case ValueTag::LString:
    case ValueTag::WString:
    case ValueTag::Utf8String:
        readStringBody(tag);
        return;
    case ValueTag::List:
        if (depth >= maxDepth)
            fail(QStringLiteral("Values are nested too deeply"));
        while (!readEndOfList())
            skipValue(readTag(), depth + 1);
        return;
    case ValueTag::Collection:
        if (depth >= maxDepth)
            fail(QStringLiteral("Values are nested too deeply"));
        while (!readEndOfList()) {
            readItemHead(QStringLiteral("A collection item was expected"));
            while (!readEndOfList()) {
                readShortString();
                skipValue(readTag(), depth + 1);
            }
        }
        return;
    }
}

// ---- PropertyWriter ----

namespace {
constexpr qsizetype bufferSize = 64 * 1024;
}

PropertyWriter::PropertyWriter(QIODevice *device)
    : m_device(device) {
    m_buffer.reserve(bufferSize);
}

void PropertyWriter::writeByte(quint8 byte) {
    m_buffer.append(char(byte));
    ++m_written;
    if (m_buffer.size() >= bufferSize)
        flush();
}

void PropertyWriter::writeRaw(QByteArrayView bytes) {
    m_buffer.append(bytes);
    m_written += bytes.size();
    if (m_buffer.size() >= bufferSize)
        flush();
}

void PropertyWriter::flush() {
    if (m_failed)
        throw EStreamError(QStringLiteral("The stream could not be written."));
    qsizetype done = 0;
    while (done < m_buffer.size()) {
        const qint64 n = m_device ? m_device->write(m_buffer.constData() + done, m_buffer.size() - done) : -1;
        if (n <= 0) {
            m_failed = true;
            m_buffer.clear();
            throw EStreamError(QStringLiteral("The stream could not be written."));
        }
        done += qsizetype(n);
    }
    m_buffer.clear();
}

QByteArray PropertyWriter::bytesOf(const std::function<void(PropertyWriter &)> &write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    PropertyWriter writer(&buffer);
    write(writer);
    writer.flush();
    return bytes;
}

void PropertyWriter::writeShortString(const QString &text) {
    const QByteArray bytes = cp1251::encode(text);
    if (bytes.size() > 255 || !cp1251::canEncode(text))
        throw EStreamError(QStringLiteral("The name \"%1\" cannot be stored.").arg(text));
    writeByte(quint8(bytes.size()));
    writeRaw(bytes);
}

ValueTag PropertyWriter::smallestIntegerTag(qint32 value) {
    if (value >= std::numeric_limits<qint8>::min() && value <= std::numeric_limits<qint8>::max())
        return ValueTag::Int8;
    if (value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max())
        return ValueTag::Int16;
    return ValueTag::Int32;
}

void PropertyWriter::writeInteger(qint32 value) {
    writeIntegerAs(smallestIntegerTag(value), value);
}

void PropertyWriter::writeIntegerAs(ValueTag tag, qint32 value) {
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    writeTag(tag);
    writeRaw(QByteArrayView(bytes, tag == ValueTag::Int8 ? 1 : tag == ValueTag::Int16 ? 2 : 4));
}

void PropertyWriter::writeLength(qsizetype length) {
    if (length > std::numeric_limits<qint32>::max())
        throw EStreamError(QStringLiteral("A string of %1 bytes is too long to be stored.").arg(length));
    char bytes[4];
    qToLittleEndian<qint32>(qint32(length), bytes);
    writeRaw(QByteArrayView(bytes, 4));
}

void PropertyWriter::writeStringAs(ValueTag tag, const QByteArray &body) {
    if ((tag == ValueTag::String || tag == ValueTag::Ident) && body.size() > 255)
        throw EStreamError(
            QStringLiteral("A string of %1 bytes does not fit a short string.").arg(body.size()));
    writeTag(tag);
    if (tag == ValueTag::String || tag == ValueTag::Ident)
        writeByte(quint8(body.size()));
    else
        writeLength(tag == ValueTag::WString ? body.size() / 2 : body.size());
    writeRaw(body);
}

void PropertyWriter::writeAnsiString(const QByteArray &bytes) {
    writeStringAs(bytes.size() <= 255 ? ValueTag::String : ValueTag::LString, bytes);
}

void PropertyWriter::writeString(const QString &text) {
    if (cp1251::canEncode(text))
        writeAnsiString(cp1251::encode(text));
    else
        writeStringAs(ValueTag::Utf8String, text.toUtf8());
}

void PropertyWriter::writeIdent(const QString &name) {
    if (!cp1251::canEncode(name))
        throw EStreamError(QStringLiteral("The name \"%1\" cannot be stored.").arg(name));
    writeStringAs(ValueTag::Ident, cp1251::encode(name));
}

} // namespace docset

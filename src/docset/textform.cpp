#include "docset/textform.h"

#include "codepage/cp1251.h"
#include "docset/propertystream.h"

#include <QStringList>
#include <QtEndian>

#include <limits>

namespace docset::textform {

namespace {

// Names the notation gives a meaning of its own; a property or identifier of that name is written as a
// string.
bool isReservedWord(QStringView word) {
    static const char *const reserved[] = {"object", "end",   "item", "True", "False", "int8",
                                           "int16",  "int32", "long", "utf8", "utf16", "ident"};
    for (const char *r : reserved) {
        if (word == QLatin1String(r))
            return true;
    }
    return false;
}

bool isWordStart(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('_');
}

bool isWordChar(QChar c) {
    return isWordStart(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
}

bool isPlainWord(QStringView text) {
    if (text.isEmpty() || !isWordStart(text.front()) || isReservedWord(text))
        return false;
    for (QChar c : text) {
        if (!isWordChar(c))
            return false;
    }
    return true;
}

// The pieces of a quoted string, each at most about this long, and broken after every line feed.
constexpr qsizetype pieceLength = 72;

QStringList quotedPieces(QStringView text) {
    QStringList pieces;
    QString piece = QStringLiteral("\"");
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '"' || u == '\\') {
            piece += QLatin1Char('\\');
            piece += c;
        } else if (u == '\n') {
            piece += QLatin1String("\\n");
        } else if (u == '\r') {
            piece += QLatin1String("\\r");
        } else if (u == '\t') {
            piece += QLatin1String("\\t");
        } else if (u >= 0x20 && u < 0x7F) {
            piece += c;
        } else {
            piece += QLatin1String("\\u{") +
                     QString::number(u, 16).toUpper().rightJustified(4, QLatin1Char('0')) + QLatin1Char('}');
        }
        if (piece.size() >= pieceLength || u == '\n') {
            pieces.append(piece + QLatin1Char('"'));
            piece = QStringLiteral("\"");
        }
    }
    if (piece.size() > 1 || pieces.isEmpty())
        pieces.append(piece + QLatin1Char('"'));
    return pieces;
}

class Printer {
public:
    explicit Printer(QByteArrayView data)
        : m_reader(data) {}

    QString print() {
        record(0, 0);
        if (!m_reader.atEnd())
            m_reader.fail(QStringLiteral("Data follows the record"));
        return m_out;
    }

private:
    void line(int indent, const QString &text) {
        m_out += QString(indent * 2, QLatin1Char(' '));
        m_out += text;
        m_out += QLatin1Char('\n');
    }

    static QString joinedName(const QByteArray &bytes) {
        const QString name = cp1251::decode(bytes);
        return isPlainWord(name) ? name : quotedPieces(name).join(QLatin1String(" + "));
    }

    void record(int indent, int depth) {
        const qsizetype at = m_reader.pos();
        const QByteArray className = m_reader.readShortString();
        if (className.isEmpty())
            m_reader.fail(QStringLiteral("A record has no class name"), at);
        const QByteArray name = m_reader.readShortString();
        line(indent, QStringLiteral("object %1: %2").arg(joinedName(name), joinedName(className)));
        properties(indent + 1, depth);
        while (!m_reader.readEndOfList()) {
            if (depth >= PropertyReader::maxDepth)
                m_reader.fail(QStringLiteral("Records are nested too deeply"));
            record(indent + 1, depth + 1);
        }
        line(indent, QStringLiteral("end"));
    }

    void properties(int indent, int depth) {
        while (!m_reader.readEndOfList()) {
            const QByteArray name = m_reader.readShortString();
            value(indent, joinedName(name) + QStringLiteral(" = "), m_reader.readTag(), depth);
        }
    }

    QString integer(ValueTag tag) { return integer(tag, m_reader.readIntegerBody(tag)); }

    static QString integer(ValueTag tag, qint32 number) {
        if (tag == PropertyWriter::smallestIntegerTag(number))
            return QString::number(number);
        const char *width = tag == ValueTag::Int8 ? "int8" : tag == ValueTag::Int16 ? "int16" : "int32";
        return QStringLiteral("%1(%2)").arg(QLatin1String(width)).arg(number);
    }

    void string(int indent, const QString &prefix, ValueTag tag) {
        const qsizetype at = m_reader.pos();
        const QByteArray body = m_reader.readStringBody(tag);
        QString text = PropertyReader::decodeString(tag, body);
        if (tag == ValueTag::Utf8String && text.toUtf8() != body)
            m_reader.fail(QStringLiteral("Malformed UTF-8 string"), at);
        const char *wrapper = nullptr;
        if (tag == ValueTag::Ident) {
            if (isPlainWord(text)) {
                line(indent, prefix + text);
                return;
            }
            wrapper = "ident";
        } else if (tag == ValueTag::LString && body.size() <= 255) {
            wrapper = "long";
        } else if (tag == ValueTag::Utf8String) {
            wrapper = "utf8";
        } else if (tag == ValueTag::WString) {
            wrapper = "utf16";
        }
        QStringList pieces = quotedPieces(text);
        if (wrapper) {
            pieces.first().prepend(QLatin1String(wrapper) + QLatin1Char('('));
            pieces.last().append(QLatin1Char(')'));
        }
        line(indent, prefix + pieces.first());
        for (qsizetype i = 1; i < pieces.size(); ++i)
            line(indent + 1, QStringLiteral("+ ") + pieces.at(i));
    }

    void value(int indent, const QString &prefix, ValueTag tag, int depth) {
        switch (tag) {
        case ValueTag::Null:
            m_reader.fail(QStringLiteral("A value was expected"), m_reader.pos() - 1);
        case ValueTag::False:
        case ValueTag::True:
            line(indent, prefix + (tag == ValueTag::True ? QStringLiteral("True") : QStringLiteral("False")));
            return;
        case ValueTag::Int8:
        case ValueTag::Int16:
        case ValueTag::Int32:
            line(indent, prefix + integer(tag));
            return;
        case ValueTag::String:
        case ValueTag::Ident:
        case ValueTag::LString:
        case ValueTag::WString:
        case ValueTag::Utf8String:
            string(indent, prefix, tag);
            return;
        case ValueTag::List:
            if (depth >= PropertyReader::maxDepth)
                m_reader.fail(QStringLiteral("Values are nested too deeply"));
            if (m_reader.readEndOfList()) {
                line(indent, prefix + QStringLiteral("()"));
                return;
            }
            line(indent, prefix + QStringLiteral("("));
            do {
                value(indent + 1, QString(), m_reader.readTag(), depth + 1);
            } while (!m_reader.readEndOfList());
            line(indent, QStringLiteral(")"));
            return;
        case ValueTag::Collection:
            if (depth >= PropertyReader::maxDepth)
                m_reader.fail(QStringLiteral("Values are nested too deeply"));
            if (m_reader.readEndOfList()) {
                line(indent, prefix + QStringLiteral("<>"));
                return;
            }
            line(indent, prefix + QStringLiteral("<"));
            do {
                const PropertyReader::ItemHead item =
                    m_reader.readItemHead(QStringLiteral("A collection item was expected"));
                QString head = QStringLiteral("item");
                if (item.indexTag != ValueTag::Null)
                    head += QLatin1Char(' ') + integer(item.indexTag, item.index);
                line(indent + 1, head);
                properties(indent + 2, depth + 1);
                line(indent + 1, QStringLiteral("end"));
            } while (!m_reader.readEndOfList());
            line(indent, QStringLiteral(">"));
            return;
        }
    }

    PropertyReader m_reader;
    QString m_out;
};

// ---- Text to binary ----

struct Token {
    enum Kind { Word, Number, String, Punct, End } kind = End;
    QString text; // the word, the digits, the decoded string or the punctuation mark
    int line = 1;
};

class Parser {
public:
    Parser(QStringView text, PropertyWriter &writer)
        : m_text(text)
        , m_writer(writer) {
        advance();
    }

    void parse() {
        record(0);
        if (m_token.kind != Token::End)
            fail(QStringLiteral("Text follows the record's \"end\""));
    }

private:
    [[noreturn]] void fail(const QString &what) const {
        throw EStreamError(QStringLiteral("Line %1: %2.").arg(m_token.line).arg(what));
    }

    void advance() {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace()) {
            if (m_text[m_pos] == QLatin1Char('\n'))
                ++m_line;
            ++m_pos;
        }
        m_token = Token{};
        m_token.line = m_line;
        if (m_pos >= m_text.size())
            return;
        const QChar c = m_text[m_pos];
        const qsizetype start = m_pos;
        if (isWordStart(c)) {
            while (m_pos < m_text.size() && isWordChar(m_text[m_pos]))
                ++m_pos;
            m_token.kind = Token::Word;
        } else if (c.isDigit() ||
                   (c == QLatin1Char('-') && m_pos + 1 < m_text.size() && m_text[m_pos + 1].isDigit())) {
            ++m_pos;
            while (m_pos < m_text.size() && m_text[m_pos].isDigit())
                ++m_pos;
            m_token.kind = Token::Number;
        } else if (c == QLatin1Char('"')) {
            m_token.kind = Token::String;
            m_token.text = quoted();
            return;
        } else if (QStringView(u":=<>()+").contains(c)) {
            ++m_pos;
            m_token.kind = Token::Punct;
        } else {
            fail(QStringLiteral("Unexpected character U+%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0')));
        }
        m_token.text = m_text.mid(start, m_pos - start).toString();
    }

    QString quoted() {
        QString text;
        ++m_pos;
        while (true) {
            if (m_pos >= m_text.size() || m_text[m_pos] == QLatin1Char('\n'))
                fail(QStringLiteral("A string does not end on its line"));
            const QChar c = m_text[m_pos++];
            if (c == QLatin1Char('"'))
                return text;
            if (c != QLatin1Char('\\')) {
                text += c;
                continue;
            }
            if (m_pos >= m_text.size())
                fail(QStringLiteral("A string ends inside an escape"));
            const QChar e = m_text[m_pos++];
            if (e == QLatin1Char('n')) {
                text += QLatin1Char('\n');
            } else if (e == QLatin1Char('r')) {
                text += QLatin1Char('\r');
            } else if (e == QLatin1Char('t')) {
                text += QLatin1Char('\t');
            } else if (e == QLatin1Char('"') || e == QLatin1Char('\\')) {
                text += e;
            } else if (e == QLatin1Char('u') && m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('{')) {
                const qsizetype close = m_text.indexOf(QLatin1Char('}'), m_pos);
                bool ok = false;
                const QStringView hex = close < 0 ? QStringView() : m_text.mid(m_pos + 1, close - m_pos - 1);
                const uint unit = hex.size() >= 1 && hex.size() <= 4 ? hex.toUInt(&ok, 16) : 0;
                if (!ok)
                    fail(QStringLiteral("A \\u{…} escape needs one to four hexadecimal digits"));
                text += QChar(char16_t(unit));
                m_pos = close + 1;
            } else {
                fail(QStringLiteral("Unknown escape \\%1").arg(e));
            }
        }
    }

    bool isWord(const char *word) const {
        return m_token.kind == Token::Word && m_token.text == QLatin1String(word);
    }
    bool isPunct(char mark) const {
        return m_token.kind == Token::Punct && m_token.text == QLatin1Char(mark);
    }

    void expectPunct(char mark) {
        if (!isPunct(mark))
            fail(QStringLiteral("\"%1\" was expected").arg(QLatin1Char(mark)));
        advance();
    }

    void expectWord(const char *word) {
        if (!isWord(word))
            fail(QStringLiteral("\"%1\" was expected").arg(QLatin1String(word)));
        advance();
    }

    QString strings() {
        if (m_token.kind != Token::String)
            fail(QStringLiteral("A string was expected"));
        QString text = m_token.text;
        advance();
        while (isPunct('+')) {
            advance();
            if (m_token.kind != Token::String)
                fail(QStringLiteral("A string was expected after \"+\""));
            text += m_token.text;
            advance();
        }
        return text;
    }

    QString name() {
        if (m_token.kind == Token::Word) {
            QString text = m_token.text;
            advance();
            return text;
        }
        return strings();
    }

    void shortString(const QString &text, bool mayBeEmpty) {
        if ((!mayBeEmpty && text.isEmpty()) || !cp1251::canEncode(text) || text.size() > 255)
            fail(QStringLiteral("The name \"%1\" cannot be stored").arg(text));
        m_writer.writeShortString(text);
    }

    qint32 number() {
        if (m_token.kind != Token::Number)
            fail(QStringLiteral("A number was expected"));
        bool ok = false;
        const qint32 value = m_token.text.toInt(&ok);
        if (!ok)
            fail(QStringLiteral("The number %1 does not fit 32 bits").arg(m_token.text));
        advance();
        return value;
    }

    // A number, plain or with its width named; true if there was one.
    bool integer() {
        if (m_token.kind == Token::Number) {
            m_writer.writeInteger(number());
            return true;
        }
        for (const auto &[word, tag, low, high] : {
                 std::tuple{"int8", ValueTag::Int8, -128, 127},
                 std::tuple{"int16", ValueTag::Int16, -32768, 32767},
                 std::tuple{"int32", ValueTag::Int32, std::numeric_limits<int>::min(),
                            std::numeric_limits<int>::max()},
             }) {
            if (isWord(word)) {
                advance();
                expectPunct('(');
                const qint32 value = number();
                if (value < low || value > high)
                    fail(QStringLiteral("%1 does not fit %2").arg(value).arg(QLatin1String(word)));
                expectPunct(')');
                m_writer.writeIntegerAs(tag, value);
                return true;
            }
        }
        return false;
    }

    void record(int depth) {
        expectWord("object");
        const QString objectName = name();
        expectPunct(':');
        shortString(name(), false);
        shortString(objectName, true);
        properties(depth);
        while (isWord("object")) {
            if (depth >= PropertyReader::maxDepth)
                fail(QStringLiteral("Records are nested too deeply"));
            record(depth + 1);
        }
        m_writer.writeEndOfList();
        expectWord("end");
    }

    void properties(int depth) {
        while (!isWord("end") && !isWord("object")) {
            if (m_token.kind == Token::End)
                fail(QStringLiteral("The text ends before \"end\""));
            shortString(name(), false);
            expectPunct('=');
            value(depth);
        }
        m_writer.writeEndOfList();
    }

    void wrappedString(ValueTag tag) {
        advance();
        expectPunct('(');
        const QString text = strings();
        expectPunct(')');
        if (tag == ValueTag::WString) {
            QByteArray body(text.size() * 2, Qt::Uninitialized);
            for (qsizetype i = 0; i < text.size(); ++i)
                qToLittleEndian<quint16>(text[i].unicode(), body.data() + 2 * i);
            m_writer.writeStringAs(tag, body);
        } else if (tag == ValueTag::Utf8String) {
            m_writer.writeStringAs(tag, text.toUtf8());
        } else {
            if (!cp1251::canEncode(text) || (tag == ValueTag::Ident && text.size() > 255))
                fail(QStringLiteral("The string cannot be stored in code page 1251"));
            m_writer.writeStringAs(tag, cp1251::encode(text));
        }
    }

    void value(int depth) {
        if (integer())
            return;
        if (m_token.kind == Token::String) {
            m_writer.writeString(strings());
            return;
        }
        if (isPunct('(') || isPunct('<')) {
            if (depth >= PropertyReader::maxDepth)
                fail(QStringLiteral("Values are nested too deeply"));
            if (isPunct('('))
                list(depth);
            else
                collection(depth);
            return;
        }
        if (m_token.kind != Token::Word)
            fail(QStringLiteral("A value was expected"));
        if (isWord("True") || isWord("False")) {
            m_writer.writeBool(isWord("True"));
            advance();
        } else if (isWord("long")) {
            wrappedString(ValueTag::LString);
        } else if (isWord("utf8")) {
            wrappedString(ValueTag::Utf8String);
        } else if (isWord("utf16")) {
            wrappedString(ValueTag::WString);
        } else if (isWord("ident")) {
            wrappedString(ValueTag::Ident);
        } else {
            if (isReservedWord(m_token.text) || m_token.text.size() > 255)
                fail(QStringLiteral("\"%1\" cannot stand as an identifier").arg(m_token.text));
            m_writer.writeIdent(m_token.text);
            advance();
        }
    }

    void list(int depth) {
        advance();
        m_writer.writeTag(ValueTag::List);
        while (!isPunct(')')) {
            if (m_token.kind == Token::End)
                fail(QStringLiteral("The text ends inside a list"));
            value(depth + 1);
        }
        advance();
        m_writer.writeEndOfList();
    }

    void collection(int depth) {
        advance();
        m_writer.writeTag(ValueTag::Collection);
        while (!isPunct('>')) {
            expectWord("item");
            integer();
            m_writer.writeTag(ValueTag::List);
            properties(depth + 1);
            expectWord("end");
        }
        advance();
        m_writer.writeEndOfList();
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    Token m_token;
    PropertyWriter &m_writer;
};

} // namespace

QString toText(QByteArrayView record) {
    return Printer(record).print();
}

QByteArray toBinary(QStringView text) {
    return PropertyWriter::bytesOf([text](PropertyWriter &writer) { Parser(text, writer).parse(); });
}

} // namespace docset::textform

#include "rtf/rtfreader.h"

#include "codepage/cp1251.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>
#include <utility>
#include <vector>

namespace rtf {

namespace {

constexpr int maxDepth = 512;
constexpr int defaultHalfPoints = 24;
// Twenty-two inches: no page is wider, and no sane indent is larger.
constexpr int maxTwips = 31680;

// A property of the character formats that only tells faces apart to the document's format store.
constexpr int faceKey = QTextFormat::UserProperty;

enum class Destination { Text, FontTable, ColourTable, Skip };

struct CharState {
    int font = -1;
    int halfPoints = defaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int colour = 0;
};

struct ParaState {
    int leftIndent = 0;
    int firstIndent = 0;
    int rightIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct GroupState {
    CharState chars;
    ParaState para;
    int unicodeSkip = 1; // \ucN: fallback characters after each \uN
    Destination destination = Destination::Text;
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

qreal pixels(int twips) {
    return std::clamp(twips, -maxTwips, maxTwips) / 15.0;
}

class Reader {
public:
    Reader(QByteArrayView rtf, QTextDocument *document, const ReadOptions &options)
        : m_in(rtf)
        , m_document(document)
        , m_cursor(document)
        , m_options(options) {}

    ReadResult run() {
        m_document->clear();
        m_cursor = QTextCursor(m_document);
        qsizetype start = 0;
        while (start < m_in.size() && QChar::isSpace(uchar(m_in[start])))
            ++start;
        if (!m_in.sliced(start).startsWith("{\\rtf")) {
            fail(QStringLiteral("The text is not RTF"), start);
            return m_result;
        }
        m_pos = start;
        m_document->setUndoRedoEnabled(false);
        m_cursor.beginEditBlock();
        parse();
        flushText();
        m_cursor.setBlockFormat(blockFormat());
        m_cursor.endEditBlock();
        keepFirstSpaceBefore();
        return m_result;
    }

private:
    // Qt lays out no top margin for the first block of a frame, so the first paragraph's space before is
    // given to the document's frame instead (the block keeps it in its format, where the layout ignores it).
    void keepFirstSpaceBefore() {
        QTextFrame *root = m_document->rootFrame();
        QTextFrameFormat frame = root->frameFormat();
        frame.setTopMargin(m_document->documentMargin() + m_document->firstBlock().blockFormat().topMargin());
        root->setFrameFormat(frame);
    }

    void fail(const QString &error, qsizetype at) {
        if (m_result.ok) {
            m_result.ok = false;
            m_result.error = error;
            m_result.offset = at;
        }
    }

    GroupState &state() { return m_stack.back(); }

    void parse() {
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos];
            if (c == '\r' || c == '\n') { // line ends of the file, not of the document
                ++m_pos;
                continue;
            }
            // Only the first thing in a group may mark it ignorable (\*) or make it a destination.
            const bool groupStart = std::exchange(m_groupStart, false);
            const bool ignorable = std::exchange(m_ignorable, false);
            ++m_pos;
            if (c == '{') {
                if (int(m_stack.size()) >= maxDepth) {
                    fail(QStringLiteral("Groups are nested too deeply"), m_pos - 1);
                    return;
                }
                flushText();
                m_skipFallback = 0;
                m_stack.push_back(m_stack.empty() ? GroupState{} : state());
                m_groupStart = true;
            } else if (c == '}') {
                if (m_stack.empty())
                    return;
                flushText();
                endDestination();
                m_skipFallback = 0;
                m_stack.pop_back();
                if (m_stack.empty())
                    return trailing();
            } else if (c == '\\') {
                control(groupStart, ignorable);
            } else {
                if (m_stack.empty()) {
                    fail(QStringLiteral("Text stands outside the document's group"), m_pos - 1);
                    return;
                }
                character(cp1251::decodeByte(uchar(c)));
            }
        }
        if (!m_stack.empty())
            fail(QStringLiteral("The RTF text ends inside a group"), m_pos);
    }

    // The document's own group has closed: what follows is not part of it, so anything but blank space there
    // is text that would be lost.
    void trailing() {
        for (qsizetype i = m_pos; i < m_in.size(); ++i) {
            const char c = m_in[i];
            if (c != 0 && !QChar::isSpace(uchar(c))) {
                fail(QStringLiteral("Text follows the document's group"), i);
                return;
            }
        }
    }

    void character(char16_t c) {
        if (m_skipFallback > 0) {
            --m_skipFallback;
            return;
        }
        switch (state().destination) {
        case Destination::Text:
            m_run += QChar(c);
            break;
        case Destination::FontTable:
            if (c == ';') {
                m_fontNamed = true;
                endFontName();
            } else {
                m_fontName += QChar(c);
                m_fontNamed = m_fontNamed || !QChar::isSpace(c);
            }
            break;
        case Destination::ColourTable:
            if (c == ';') {
                m_colours.push_back(m_colourSet ? m_colour : QColor());
                m_colour = QColor(0, 0, 0);
                m_colourSet = false;
            }
            break;
        case Destination::Skip:
            break;
        }
    }

    void control(bool groupStart, bool ignorable) {
        if (m_pos >= m_in.size()) {
            fail(QStringLiteral("The RTF text ends after a backslash"), m_pos - 1);
            return;
        }
        const char c = m_in[m_pos];
        if (!isLetter(c)) {
            ++m_pos;
            symbol(c, groupStart);
            return;
        }
        const qsizetype wordStart = m_pos;
        while (m_pos < m_in.size() && isLetter(m_in[m_pos]))
            ++m_pos;
        const QByteArrayView word = m_in.sliced(wordStart, m_pos - wordStart);
        bool hasParameter = false;
        bool negative = false;
        qint64 parameter = 0;
        if (m_pos < m_in.size() && m_in[m_pos] == '-' && m_pos + 1 < m_in.size() &&
            isDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            hasParameter = true;
            // Past ten digits the number is nonsense anyway; it stops growing instead of overflowing.
            if (parameter < 100000000000LL)
                parameter = parameter * 10 + (m_in[m_pos] - '0');
            ++m_pos;
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;
        const int value =
            int(std::clamp<qint64>(negative ? -parameter : parameter, -2147483647LL - 1, 2147483647LL));
        if (m_stack.empty()) {
            fail(QStringLiteral("A control word stands outside the document's group"), wordStart - 1);
            m_pos = m_in.size();
            return;
        }
        if (m_skipFallback > 0 && word != "bin") {
            --m_skipFallback;
            return;
        }
        controlWord(word, hasParameter, value, groupStart, ignorable, wordStart - 1);
    }

    void symbol(char c, bool groupStart) {
        if (m_stack.empty())
            return;
        switch (c) {
        case '\'': {
            if (m_pos + 2 > m_in.size()) {
                fail(QStringLiteral("The RTF text ends inside \\'hh"), m_pos - 2);
                m_pos = m_in.size();
                return;
            }
            const int high = hexDigit(m_in[m_pos]);
            const int low = hexDigit(m_in[m_pos + 1]);
            m_pos += 2;
            if (high >= 0 && low >= 0)
                character(cp1251::decodeByte(uchar(high * 16 + low)));
            else
                fail(QStringLiteral("\\' is not followed by two hexadecimal digits"), m_pos - 4);
            return;
        }
        case '*':
            // It marks its own group, and only as that group's first word: the word after it still counts as
            // the first, and nothing else carries the mark any further.
            if (groupStart) {
                m_ignorable = true;
                m_groupStart = true;
            } else {
                fail(QStringLiteral("\\* stands elsewhere than at the start of a group"), m_pos - 2);
            }
            return;
        case '~':
            character(0x00A0);
            return;
        case '_':
            character(0x2011);
            return;
        case '-': // an optional hyphen: a break the layout may use, shown as nothing
            return;
        case '\r':
        case '\n': // an escaped line end is a paragraph mark
            if (state().destination == Destination::Text)
                paragraph();
            return;
        default:
            character(char16_t(uchar(c)));
        }
    }

    void setDestination(Destination destination) {
        // Whatever a skipped group holds is skipped with it, tables included.
        if (state().destination == Destination::Skip)
            return;
        flushText();
        state().destination = destination;
        if (destination == Destination::FontTable) {
            m_fontName.clear();
            m_fontNamed = false;
        }
        if (destination == Destination::ColourTable) {
            m_colour = QColor(0, 0, 0);
            m_colourSet = false;
        }
    }

    void endDestination() {
        // A font entry may lack its closing ';'.
        if (state().destination == Destination::FontTable)
            endFontName();
    }

    void controlWord(QByteArrayView word, bool hasParameter, int value, bool groupStart, bool ignorable,
                     qsizetype at) {
        GroupState &s = state();
        const int flag = hasParameter ? value : 1;
        if (word == "bin") {
            // Binary data of the given length follows, whatever it holds.
            m_pos += std::min<qsizetype>(std::max(value, 0), m_in.size() - m_pos);
            return;
        }
        if (s.destination == Destination::Skip)
            return;

        // Destinations: each opens its group, and one anywhere else would swallow the text after it.
        const auto destination = [&](Destination d) {
            if (groupStart)
                return setDestination(d);
            fail(QStringLiteral("\\%1 stands elsewhere than at the start of a group")
                     .arg(QLatin1StringView(word.data(), word.size())),
                 at);
        };
        if (word == "fonttbl")
            return destination(Destination::FontTable);
        if (word == "colortbl")
            return destination(Destination::ColourTable);
        static const char *const skipped[] = {
            "stylesheet",        "info",       "pict",      "header",    "footer",
            "headerl",           "headerr",    "headerf",   "footerl",   "footerr",
            "footerf",           "footnote",   "object",    "fldinst",   "listtable",
            "listoverridetable", "rsidtbl",    "generator", "themedata", "colorschememapping",
            "latentstyles",      "datastore",  "xmlnstbl",  "filetbl",   "revtbl",
            "template",          "nonshppict", "mmathPr",   "pgdsctbl",  "bkmkstart",
            "bkmkend",           "annotation", "atnid",     "atnauthor"};
        for (const char *name : skipped) {
            if (word == name)
                return destination(Destination::Skip);
        }

        if (ignorable) {
            // {\*\word …} that this reader does not know: the whole group is left out.
            return setDestination(Destination::Skip);
        }

        if (s.destination == Destination::FontTable) {
            if (word == "f")
                m_tableFont = value;
            return;
        }
        if (s.destination == Destination::ColourTable) {
            const int component = std::clamp(value, 0, 255);
            if (word == "red")
                m_colour.setRed(component);
            else if (word == "green")
                m_colour.setGreen(component);
            else if (word == "blue")
                m_colour.setBlue(component);
            else
                return;
            m_colourSet = true;
            return;
        }

        if (word == "par" || word == "sect" || word == "page" || word == "row")
            return paragraph();
        if (word == "line")
            return character(QChar::LineSeparator);
        if (word == "tab" || word == "cell")
            return character('\t');
        if (word == "u") {
            character(char16_t(value < 0 ? value + 65536 : value));
            m_skipFallback = s.unicodeSkip;
            return;
        }
        static const std::pair<const char *, char16_t> specials[] = {
            {"emdash", 0x2014}, {"endash", 0x2013},    {"lquote", 0x2018},
            {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
            {"bullet", 0x2022}, {"emspace", 0x2003},   {"enspace", 0x2002},
        };
        for (const auto &[name, c] : specials) {
            if (word == name)
                return character(c);
        }

        flushText();
        if (word == "uc")
            s.unicodeSkip = std::clamp(value, 0, 16);
        else if (word == "deff")
            m_defaultFont = value;
        else if (word == "plain")
            s.chars = CharState{m_defaultFont};
        else if (word == "pard")
            s.para = ParaState{};
        else if (word == "f")
            s.chars.font = value;
        else if (word == "fs")
            s.chars.halfPoints = value > 0 ? std::min(value, 3276) : defaultHalfPoints;
        else if (word == "b")
            s.chars.bold = flag != 0;
        else if (word == "i")
            s.chars.italic = flag != 0;
        else if (word == "ul")
            s.chars.underline = flag != 0;
        else if (word == "ulnone")
            s.chars.underline = false;
        else if (word == "cf")
            s.chars.colour = value;
        else if (word == "li")
            s.para.leftIndent = value;
        else if (word == "fi")
            s.para.firstIndent = value;
        else if (word == "ri")
            s.para.rightIndent = value;
        else if (word == "sb")
            s.para.spaceBefore = value;
        else if (word == "sa")
            s.para.spaceAfter = value;
        else if (word == "ql")
            s.para.alignment = Qt::AlignLeft;
        else if (word == "qc")
            s.para.alignment = Qt::AlignHCenter;
        else if (word == "qr")
            s.para.alignment = Qt::AlignRight;
        else if (word == "qj")
            s.para.alignment = Qt::AlignJustify;
        // Every other control word changes nothing this reader shows.
    }

    // Enters the font name read so far, if any: checked without rescanning the name, which a table of many
    // small groups would otherwise do at every closing brace.
    void endFontName() {
        if (!m_fontNamed)
            return;
        m_fonts.insert(m_tableFont, m_fontName.trimmed());
        m_fontName.clear();
        m_fontNamed = false;
    }

    QTextCharFormat charFormat() const {
        const CharState &c = m_stack.empty() ? CharState{} : m_stack.back().chars;
        QTextCharFormat format;
        const auto font = m_fonts.constFind(c.font < 0 ? m_defaultFont : c.font);
        if (font != m_fonts.constEnd()) {
            const QString family = m_options.fontFamily ? m_options.fontFamily(*font) : *font;
            format.setFontFamilies({family});
            // The document keeps each distinct format once, looked up by a hash that sees only the type of a
            // list of families; the name as a string of its own gives formats of different faces different
            // hashes, or a text with many faces would be read in quadratic time.
            format.setProperty(faceKey, family);
        }
        format.setFontPointSize(c.halfPoints / 2.0);
        format.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(c.italic);
        format.setFontUnderline(c.underline);
        if (c.colour > 0 && std::size_t(c.colour) < m_colours.size() &&
            m_colours[std::size_t(c.colour)].isValid())
            format.setForeground(m_colours[std::size_t(c.colour)]);
        return format;
    }

    QTextBlockFormat blockFormat() const {
        const ParaState &p = m_stack.empty() ? m_lastPara : m_stack.back().para;
        QTextBlockFormat format;
        format.setLeftMargin(pixels(p.leftIndent));
        format.setTextIndent(pixels(p.firstIndent));
        format.setRightMargin(pixels(p.rightIndent));
        format.setTopMargin(pixels(p.spaceBefore));
        format.setBottomMargin(pixels(p.spaceAfter));
        format.setAlignment(p.alignment);
        return format;
    }

    void flushText() {
        if (!m_stack.empty())
            m_lastPara = m_stack.back().para;
        if (m_run.isEmpty())
            return;
        m_cursor.insertText(m_run, charFormat());
        m_run.clear();
    }

    void paragraph() {
        flushText();
        const QTextBlockFormat format = blockFormat();
        m_cursor.setBlockFormat(format);
        // The new block starts in the current character format, so an empty paragraph has the height of its
        // text size.
        m_cursor.insertBlock(format, charFormat());
    }

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    QTextDocument *m_document;
    QTextCursor m_cursor;
    const ReadOptions &m_options;
    ReadResult m_result;

    std::vector<GroupState> m_stack;
    ParaState m_lastPara;
    bool m_ignorable = false;  // the group's first word was \*
    bool m_groupStart = false; // nothing has come yet in the group just opened
    int m_skipFallback = 0;
    QString m_run;

    QHash<int, QString> m_fonts;
    int m_defaultFont = 0;
    int m_tableFont = 0;
    QString m_fontName;
    bool m_fontNamed = false; // m_fontName holds more than blank space, or an empty entry ended with ';'
    std::vector<QColor> m_colours;
    QColor m_colour;
    bool m_colourSet = false;
};

} // namespace

ReadResult read(QByteArrayView rtf, QTextDocument *document, const ReadOptions &options) {
    return Reader(rtf, document, options).run();
}

} // namespace rtf

#include "resources/appresources.h"
#include "rtf/rtfreader.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QtTest>

// The RTF reader: the formatting the reference document uses, Cyrillic from both escapes, paragraph and
// character properties, and malformed text that keeps what could be read.
class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void referenceDocumentKeepsItsFormatting();
    void cyrillicFromEscapes_data();
    void cyrillicFromEscapes();
    void paragraphPropertiesInPixels();
    void characterPropertiesFollowGroupsAndPlain();
    void malformedTextKeepsWhatWasRead_data();
    void malformedTextKeepsWhatWasRead();
};

namespace {

struct Fragment {
    QString text;
    QTextCharFormat format;
};

QList<Fragment> fragments(const QTextBlock &block) {
    QList<Fragment> list;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        list.append({it.fragment().text(), it.fragment().charFormat()});
    return list;
}

QString read(const QByteArray &rtf, QTextDocument &document, rtf::ReadResult *result = nullptr) {
    const rtf::ReadResult r = rtf::read(rtf, &document);
    if (result)
        *result = r;
    // Raw text keeps the no-break spaces and line separators that plain text turns into blanks and breaks.
    return document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

} // namespace

void TestRtfReader::referenceDocumentKeepsItsFormatting() {
    QFile file(QStringLiteral(LOGICUS_DOCUMENTS_DIR "/reference.rtf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTextDocument document;
    rtf::ReadOptions options;
    options.fontFamily = programFontFamily;
    const rtf::ReadResult result = rtf::read(file.readAll(), &document, options);
    QVERIFY2(result.ok, qPrintable(result.error));

    const QStringList headings = {"Назначение", "Задача", "Сложность", "Управление", "Подсказка"};
    const qreal indent = 284 / 15.0;
    for (int section = 0; section < headings.size(); ++section) {
        const QTextBlock heading = document.findBlockByNumber(section * 3);
        QCOMPARE(heading.text(), headings.at(section));
        QCOMPARE(heading.blockFormat().leftMargin(), 0.0);
        const QTextCharFormat headingFormat = fragments(heading).first().format;
        QCOMPARE(headingFormat.fontFamilies().toStringList(), QStringList({"Liberation Sans"}));
        QCOMPARE(headingFormat.fontWeight(), int(QFont::Bold));
        QCOMPARE(headingFormat.fontPointSize(), 12.0);

        const QTextBlock body = heading.next();
        QVERIFY(body.text().size() > 40);
        QCOMPARE(body.blockFormat().leftMargin(), indent);
        const QTextCharFormat bodyFormat = fragments(body).first().format;
        QCOMPARE(bodyFormat.fontFamilies().toStringList(), QStringList({"Liberation Serif"}));
        QCOMPARE(bodyFormat.fontWeight(), int(QFont::Normal));
        QCOMPARE(bodyFormat.fontPointSize(), 12.0);
        if (section + 1 < headings.size())
            QCOMPARE(body.next().text(), QString());
    }
    QCOMPARE(document.findBlockByNumber(1).text(),
             QStringLiteral("Программа предназначена для изучения логических операций."));
    QVERIFY(document.findBlockByNumber(7).text().contains(
        QStringLiteral("на втором — двух, на третьем — трех.")));

    const QList<Fragment> hint = fragments(document.findBlockByNumber(13));
    QCOMPARE(hint.size(), 3);
    QCOMPARE(hint.at(0).text, QStringLiteral("Кнопка "));
    QCOMPARE(hint.at(1).text, QStringLiteral("Подсказка"));
    QCOMPARE(hint.at(1).format.fontFamilies().toStringList(), QStringList({"Liberation Mono"}));
    QCOMPARE(hint.at(1).format.fontWeight(), int(QFont::Bold));
    QCOMPARE(hint.at(1).format.foreground().color(), QColor(0, 0, 128));
    QCOMPARE(hint.at(1).format.fontPointSize(), 12.0);
    QVERIFY(hint.at(2).text.startsWith(QStringLiteral(" выдает таблицу")));
    QCOMPARE(hint.at(2).format.fontFamilies().toStringList(), QStringList({"Liberation Serif"}));
    QCOMPARE(hint.at(2).format.fontWeight(), int(QFont::Normal));
    QVERIFY(!hint.at(2).format.hasProperty(QTextFormat::ForegroundBrush));
}

void TestRtfReader::cyrillicFromEscapes_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("\\'hh in code page 1251")
        << QByteArray("{\\rtf1 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2, \\'a8\\'b8}") << QStringLiteral("Привет, Ёё");
    QTest::newRow("raw code page 1251 bytes") << QByteArray("{\\rtf1 \xcf\xf0\xe8}") << QStringLiteral("При");
    QTest::newRow("\\u with one fallback")
        << QByteArray("{\\rtf1 \\u1055?\\u1088?a}") << QStringLiteral("Прa");
    QTest::newRow("\\uc2 skips two fallbacks")
        << QByteArray("{\\rtf1\\uc2 \\u1055\\'3f\\'3fa}") << QStringLiteral("Пa");
    QTest::newRow("\\uc0 skips none") << QByteArray("{\\rtf1\\uc0 \\u1055 x}") << QStringLiteral("Пx");
    QTest::newRow("\\uc ends with its group")
        << QByteArray("{\\rtf1 {\\uc3 \\u1055???}\\u1088?}") << QStringLiteral("Пр");
    QTest::newRow("negative \\u") << QByteArray("{\\rtf1 \\u-1008?}") << QString(QChar(0xFC10));
    QTest::newRow("negative \\u at its lowest")
        << QByteArray("{\\rtf1 \\u-32768?}") << QString(QChar(0x8000));
    QTest::newRow("symbols and special words")
        << QByteArray("{\\rtf1 a\\{b\\}c\\\\d\\~e\\emdash f\\tab g\\line h\\-i}")
        << QStringLiteral("a{b}c\\d\u00a0e—f\tg\u2028hi");
}

void TestRtfReader::cyrillicFromEscapes() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument document;
    rtf::ReadResult result;
    QCOMPARE(read(rtf, document, &result), text);
    QVERIFY(result.ok);
}

void TestRtfReader::paragraphPropertiesInPixels() {
    QTextDocument document;
    read("{\\rtf1\\pard\\qc\\sb240\\sa180\\li570\\fi-150\\ri30 a\\par\\pard\\qj b\\par\\pard c}", document);
    const QTextBlockFormat first = document.firstBlock().blockFormat();
    QCOMPARE(first.alignment(), Qt::AlignHCenter);
    QCOMPARE(first.topMargin(), 16.0);
    QCOMPARE(first.bottomMargin(), 12.0);
    QCOMPARE(first.leftMargin(), 38.0);
    QCOMPARE(first.textIndent(), -10.0);
    QCOMPARE(first.rightMargin(), 2.0);
    const QTextBlockFormat second = document.firstBlock().next().blockFormat();
    QCOMPARE(second.alignment(), Qt::AlignJustify);
    QCOMPARE(second.leftMargin(), 0.0);
    QCOMPARE(document.lastBlock().blockFormat().alignment(), Qt::AlignLeft);
    QCOMPARE(document.blockCount(), 3);
    // Qt draws no top margin for a frame's first block, so the first paragraph's space before is the frame's.
    QCOMPARE(document.rootFrame()->frameFormat().topMargin(), document.documentMargin() + 16.0);
    read("{\\rtf1\\sa180 a\\par b}", document);
    QCOMPARE(document.rootFrame()->frameFormat().topMargin(), document.documentMargin());
}

void TestRtfReader::characterPropertiesFollowGroupsAndPlain() {
    QTextDocument document;
    read("{\\rtf1\\deff1{\\fonttbl{\\f0{\\*\\panose 020b}Arial;}{\\f1\\froman Times New "
         "Roman;}}{\\colortbl;\\red255\\green0\\blue0;}{\\*\\unknown{\\fonttbl{\\f0 Courier;}}}"
         "\\fs30\\i\\ul\\cf1 a{\\b\\f0\\fs20 b}\\i0\\ulnone\\cf0 c\\plain d}",
         document);
    const QList<Fragment> list = fragments(document.firstBlock());
    QCOMPARE(list.size(), 4);
    const QTextCharFormat a = list.at(0).format;
    QVERIFY(a.fontItalic() && a.fontUnderline());
    QCOMPARE(a.foreground().color(), QColor(255, 0, 0));
    QCOMPARE(a.fontPointSize(), 15.0);
    QCOMPARE(a.fontFamilies().toStringList(), QStringList({"Times New Roman"}));
    const QTextCharFormat b = list.at(1).format;
    QCOMPARE(b.fontWeight(), int(QFont::Bold));
    QCOMPARE(b.fontFamilies().toStringList(), QStringList({"Arial"}));
    QCOMPARE(b.fontPointSize(), 10.0);
    const QTextCharFormat c = list.at(2).format;
    QVERIFY(!c.fontItalic() && !c.fontUnderline() && c.fontWeight() == QFont::Normal);
    QVERIFY(!c.hasProperty(QTextFormat::ForegroundBrush));
    QCOMPARE(c.fontPointSize(), 15.0);
    QCOMPARE(list.at(3).format.fontPointSize(), 12.0);
}

void TestRtfReader::malformedTextKeepsWhatWasRead_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error"); // empty: read without fault
    QTest::newRow("not RTF") << QByteArray("plain text") << QString() << "The text is not RTF";
    QTest::newRow("group left open") << QByteArray("{\\rtf1 abc") << "abc"
                                     << "The RTF text ends inside a group";
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 ab\\") << "ab"
                                          << "ends after a backslash";
    QTest::newRow("cut inside \\'hh") << QByteArray("{\\rtf1 ab\\'c") << "ab"
                                      << "ends inside \\'hh";
    QTest::newRow("groups nested too deeply") << QByteArray("{\\rtf1 a") + QByteArray(600, '{') << "a"
                                              << "Groups are nested too deeply";
    QTest::newRow("huge parameters are bounded")
        << QByteArray("{\\rtf1\\fs99999999999999\\li-9999999999\\uc999 x}") << "x" << QString();
    QTest::newRow("text after the document's group") << QByteArray("{\\rtf1 a}\r\n b") << "a"
                                                     << "Text follows the document's group";
    QTest::newRow("blank after the document's group") << QByteArray("{\\rtf1 a}\r\n") << "a" << QString();
    QTest::newRow("unknown words and destinations skipped")
        << QByteArray("{\\rtf1{\\*\\unknown hidden}{\\info{\\title T}}\\foo12 a{\\pict 0a0b}"
                      "{\\field{\\*\\fldinst HYPERLINK}{\\fldrslt b}}}")
        << "ab" << QString();
    QTest::newRow("\\bin skips its bytes") << QByteArray("{\\rtf1 a\\bin3 {}}b}") << "ab" << QString();
    QTest::newRow("\\bin past the data") << QByteArray("{\\rtf1 a\\bin999 xy") << "a"
                                         << "The RTF text ends inside a group";
    QTest::newRow("bad hex digits") << QByteArray("{\\rtf1 a\\'zzb}") << "ab"
                                    << "two hexadecimal digits";
    QTest::newRow("\\* marks its own group only")
        << QByteArray("{\\rtf1 A{\\*}B\\b C D}") << "ABC D" << QString();
    QTest::newRow("\\* before text") << QByteArray("{\\rtf1 A{\\* B}C}") << "A BC" << QString();
    QTest::newRow("\\* inside a group") << QByteArray("{\\rtf1 a\\*\\b b}") << "ab"
                                        << "\\* stands elsewhere than at the start of a group";
    QTest::newRow("destination inside a group") << QByteArray("{\\rtf1 a\\fonttbl b\\pict c}") << "abc"
                                                << "\\fonttbl stands elsewhere";
}

void TestRtfReader::malformedTextKeepsWhatWasRead() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QString, error);
    QTextDocument document;
    document.setPlainText(QStringLiteral("earlier text"));
    rtf::ReadResult result;
    QCOMPARE(read(rtf, document, &result), text);
    QCOMPARE(result.ok, error.isEmpty());
    QVERIFY2(result.error.contains(error), qPrintable(result.error));
    QVERIFY(result.offset <= rtf.size());
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"

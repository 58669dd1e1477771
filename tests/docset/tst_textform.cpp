#include "docset/docsrecord.h"
#include "docset/textform.h"
#include "fakeviews.h"

#include <QtTest>

using namespace docset;

// The text exchange form: its notation for a known record, records that go to text and back unchanged, and
// text that cannot be read.
class TestTextForm : public QObject {
    Q_OBJECT
private slots:
    void listReadsAsKnownText();
    void binaryToTextToBinaryKeepsEveryByte_data();
    void binaryToTextToBinaryKeepsEveryByte();
    void linesCarryTheListIntoAnother();
    void unreadableTextLeavesTheListAlone_data();
    void unreadableTextLeavesTheListAlone();
};

namespace {

const char *const macroLines[] = {"      MacroBack = <>", "      MacroDemo = <>", "      MacroNext = <>",
                                  "      MacroPrev = <>"};

void fillSample(TDocs &docs) {
    TDoc *first = docs.DocList().AddDoc(0);
    first->setTitle(QStringLiteral("Ёж \"1\""));
    first->setRtf("{\\rtf1 a\\par}\r\n");
    TDoc *second = docs.DocList().AddDoc(1);
    second->setVisible(false);
    second->setTag(-129);
    docs.setSelIndex(0);
}

} // namespace

void TestTextForm::listReadsAsKnownText() {
    TDocs docs;
    docs.setObjectName(QStringLiteral("Docs1"));
    fillSample(docs);
    QStringList expected{"object Docs1_Res: TDocsCompCont", "  List = <", "    item",
                         "      Title = \"\\u{0401}\\u{0436} \\\"1\\\"\""};
    for (const char *line : macroLines)
        expected << QLatin1String(line);
    expected << "      RTF = \"{\\\\rtf1 a\\\\par}\\r\\n\""
             << "    end"
             << "    item"
             << "      Level = 1";
    for (const char *line : macroLines)
        expected << QLatin1String(line);
    expected << "      Tag = -129"
             << "      Visible = False"
             << "    end"
             << "  >"
             << "  Selected = 0"
             << "end";
    QCOMPARE(docs.DocList().Lines(), expected);

    // A list without a component is named "Docs"; a component without a name still gives its own.
    TDocList alone;
    alone.AddDoc(0);
    QCOMPARE(alone.Lines().first(), QStringLiteral("object Docs: TDocsCompCont"));
    TDocs unnamed;
    unnamed.DocList().AddDoc(0);
    QCOMPARE(unnamed.DocList().Lines().first(), QStringLiteral("object _Res: TDocsCompCont"));
}

void TestTextForm::binaryToTextToBinaryKeepsEveryByte_data() {
    QTest::addColumn<QByteArray>("record");
    QByteArray everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte += char(i);
    TDocs docs;
    docs.setObjectName(QStringLiteral("Docs1"));
    fillSample(docs);
    docs.DocList().Item(1)->setRtf(everyByte + QByteArray(300, 'x'));
    docs.DocList().Item(1)->setTitle(QStringLiteral("Σ\tx"));
    QTest::newRow("document set record") << docsRecordBytes(docs);
    QTest::newRow("every other form of a value") << spelled(
        "04 'Test' 00 03 'Int' 04 05 00 00 00 04 'Long' 0C 02 00 00 00 'ab' 04 'Wide' 12 02 00 00 00 00 D8"
        " 41 00 04 'UTF8' 14 02 00 00 00 'ok' 05 'Ident' 07 0A 'Form7.Rich' 03 'Odd' 07 04 'a b!'"
        " 07 'My Prop' 07 03 'end' 04 'Flag' 08 04 'List' 01 02 01 06 00 01 00 09 00"
        " 04 'Coll' 0E 03 02 01 01 01 'x' 02 05 00 01 00 00"
        " 00 05 'TMemo' 00 00 00 00");
    QTest::newRow("every byte in a short string")
        << spelled("01 'T' 01 'n' 01 'S' 06 FF") + everyByte.left(255) + spelled("00 00");
}

void TestTextForm::binaryToTextToBinaryKeepsEveryByte() {
    QFETCH(QByteArray, record);
    QString text;
    try {
        text = textform::toText(record);
        QCOMPARE(textform::toBinary(text), record);
    } catch (const EStreamError &error) {
        QFAIL(error.what());
    }
    for (QChar c : text)
        QVERIFY2(c.unicode() < 0x7F && (c.unicode() >= 0x20 || c == QLatin1Char('\n')), qPrintable(text));
}

void TestTextForm::linesCarryTheListIntoAnother() {
    TDocs source;
    fillSample(source);
    TDocs target;
    target.DocList().AddDoc(0);
    int selections = 0;
    target.OnSelection.handler = [&](TDocs *, TDoc *) { ++selections; };
    target.DocList().setLines(source.DocList().Lines());
    QCOMPARE(containerRecordBytes(target.DocList()), containerRecordBytes(source.DocList()));
    QCOMPARE(target.SelIndex(), 0);
    QCOMPARE(selections, 0);
}

void TestTextForm::unreadableTextLeavesTheListAlone_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("detail");
    QTest::newRow("nothing") << QString() << "Line 1: \"object\" was expected.";
    QTest::newRow("string without its end")
        << "object Docs: TDocsCompCont\n  List = <\n  item Title = \"ab\nend"
        << "Line 3: A string does not end on its line.";
    QTest::newRow("unknown escape") << "object Docs: TDocsCompCont\n X = \"\\q\"\nend"
                                    << "Unknown escape \\q";
    QTest::newRow("number too wide for its mark") << "object Docs: TDocsCompCont\n X = int8(300)\nend"
                                                  << "Line 2: 300 does not fit int8.";
    QTest::newRow("number beyond 32 bits") << "object Docs: TDocsCompCont\n X = 4294967296\nend"
                                           << "does not fit 32 bits";
    QTest::newRow("missing end") << "object Docs: TDocsCompCont\n Selected = 0\n"
                                 << "The text ends before \"end\"";
    QTest::newRow("text after the end") << "object Docs: TDocsCompCont\nend\nend"
                                        << "Text follows the record";
    QTest::newRow("record of another class") << "object Docs: TDocs\nend"
                                             << "A TDocsCompCont record was expected";
    QTest::newRow("document that cannot be read")
        << "object Docs: TDocsCompCont\n List = <\n item\n Level = \"one\"\n end\n >\nend"
        << "An integer was expected, not value tag 6";
    QTest::newRow("lists nested too deeply")
        << "object Docs: TDocsCompCont\n X = " + QString(70, QLatin1Char('(')) +
               QString(70, QLatin1Char(')')) + "\nend"
        << "Values are nested too deeply";
}

void TestTextForm::unreadableTextLeavesTheListAlone() {
    QFETCH(QString, text);
    QFETCH(QString, detail);
    TDocs docs;
    fillSample(docs);
    const QByteArray before = containerRecordBytes(docs.DocList());
    try {
        docs.DocList().setLines(text.split(QLatin1Char('\n')));
        QFAIL("The text was read");
    } catch (const EDocList &error) {
        QCOMPARE(error.message(), QStringLiteral("Could not read internal TDocs component from stream."));
        QVERIFY2(error.detail().contains(detail), qPrintable(error.detail()));
    }
    QCOMPARE(containerRecordBytes(docs.DocList()), before);
}

QTEST_GUILESS_MAIN(TestTextForm)
#include "tst_textform.moc"

#include "docset/docsrecord.h"
#include "fakeviews.h"

#include <QThread>
#include <QtTest>

#include <limits>

using namespace docset;

// The binary property stream and the document set's record in it: tags and boundaries, the exact bytes of a
// record, corrupt and truncated input, and a device that fails.
class TestDocsRecord : public QObject {
    Q_OBJECT
private slots:
    void integersTakeTheSmallestTagAndRoundTrip_data();
    void integersTakeTheSmallestTagAndRoundTrip();
    void stringsRoundTripAtBoundaries_data();
    void stringsRoundTripAtBoundaries();
    void unicodeTagsAreRead_data();
    void unicodeTagsAreRead();
    void twoDocumentRecordHasTheStoredBytes();
    void noCurrentDocumentWritesNoSelected();
    void publishedPropertiesAreStoredInOrder();
    void corruptRecordsGiveClearErrors_data();
    void corruptRecordsGiveClearErrors();
    void errorWhileAddingKeepsTheDocumentsAdded();
    void readingListWithoutListIsNoDoclist();
    void failingDeviceIsReportedAndFailsTheRecord_data();
    void failingDeviceIsReportedAndFailsTheRecord();
    void longAndDeepListsReadShowAndGo_data();
    void longAndDeepListsReadShowAndGo();
};

namespace {

// Docs1 as the guidelines window holds it: its view, its place on the design surface, and `documents` empty
// documents.
void setUpDocs1(TDocs &docs, FakeRichView &view, int documents) {
    docs.setObjectName(QStringLiteral("Docs1"));
    docs.setRichEdit(&view);
    docs.Left = 30;
    docs.Top = 330;
    for (int i = 0; i < documents; ++i)
        docs.DocList().AddDoc(0);
}

const QByteArray macros =
    spelled("09 'MacroBack' 0E 00 09 'MacroDemo' 0E 00 09 'MacroNext' 0E 00 09 'MacroPrev' 0E 00");
const QByteArray head =
    spelled("05 'TDocs' 05 'Docs1' 08 'RichEdit' 07 09 'RichEdit1' 04 'Left' 02 1E 03 'Top' 03 4A 01");

// A record of Docs1 with the given items and tail after the list.
QByteArray record(const QByteArray &items, const QByteArray &tail = spelled("08 'Selected' 02 00 00 00")) {
    return head + spelled("04 'List' 0E") + items + spelled("00") + tail;
}

QByteArray item(const QByteArray &properties) {
    return spelled("01") + properties + spelled("00");
}

// A device that takes `limit` bytes and then refuses every write.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 limit)
        : m_limit(limit) {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override {
        const qint64 taken = qMin(size, m_limit - m_taken);
        if (taken <= 0)
            return -1;
        m_taken += taken;
        return taken;
    }

private:
    qint64 m_limit;
    qint64 m_taken = 0;
};

struct Reading {
    QStringList errors; // reported first, then the one raised
    int count = 0;
    int selIndex = -1;
};

Reading readInto(const QByteArray &bytes, TDocs &docs) {
    FakeRichView view;
    FakeReporter reporter;
    docs.setErrorReporter(&reporter);
    FormNames names;
    names.component = [&](const QString &name) -> QObject * {
        return name == view.objectName() ? &view : nullptr;
    };
    Reading result;
    try {
        PropertyReader reader(bytes);
        readDocsRecord(reader, docs, names);
    } catch (const std::runtime_error &error) {
        reporter.messages << QString::fromUtf8(error.what());
    }
    docs.setErrorReporter(nullptr);
    docs.setRichEdit(nullptr);
    result.errors = reporter.messages;
    result.count = docs.Count();
    result.selIndex = docs.SelIndex();
    return result;
}

} // namespace

void TestDocsRecord::integersTakeTheSmallestTagAndRoundTrip_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("-129 needs 16 bits") << -129 << spelled("03 7F FF");
    QTest::newRow("-128 fits 8 bits") << -128 << spelled("02 80");
    QTest::newRow("127 fits 8 bits") << 127 << spelled("02 7F");
    QTest::newRow("128 needs 16 bits") << 128 << spelled("03 80 00");
    QTest::newRow("-32768 fits 16 bits") << -32768 << spelled("03 00 80");
    QTest::newRow("32767 fits 16 bits") << 32767 << spelled("03 FF 7F");
    QTest::newRow("32768 needs 32 bits") << 32768 << spelled("04 00 80 00 00");
    QTest::newRow("-32769 needs 32 bits") << -32769 << spelled("04 FF 7F FF FF");
    QTest::newRow("smallest 32-bit") << std::numeric_limits<int>::min() << spelled("04 00 00 00 80");
    QTest::newRow("largest 32-bit") << std::numeric_limits<int>::max() << spelled("04 FF FF FF 7F");
}

void TestDocsRecord::integersTakeTheSmallestTagAndRoundTrip() {
    QFETCH(int, value);
    QFETCH(QByteArray, bytes);
    QCOMPARE(PropertyWriter::bytesOf([&](PropertyWriter &writer) { writer.writeInteger(value); }), bytes);
    PropertyReader reader(bytes);
    QCOMPARE(reader.readInteger(), value);
    QVERIFY(reader.atEnd());
}

void TestDocsRecord::stringsRoundTripAtBoundaries_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("start"); // tag and length
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("empty") << QString() << spelled("06 00") << QByteArray();
    QTest::newRow("255 bytes: short string")
        << QString(255, QLatin1Char('a')) << spelled("06 FF") << QByteArray(255, 'a');
    QTest::newRow("256 bytes: long string")
        << QString(256, QLatin1Char('b')) << spelled("0C 00 01 00 00") << QByteArray(256, 'b');
    QTest::newRow("Cyrillic in code page 1251")
        << QStringLiteral("Ёж №1") << spelled("06 05") << spelled("A8 E6 20 B9 31");
    QTest::newRow("outside code page 1251: UTF-8")
        << QStringLiteral("Σ→ж") << spelled("14 07 00 00 00") << QStringLiteral("Σ→ж").toUtf8();
}

void TestDocsRecord::stringsRoundTripAtBoundaries() {
    QFETCH(QString, text);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, body);
    const QByteArray bytes =
        PropertyWriter::bytesOf([&](PropertyWriter &writer) { writer.writeString(text); });
    QCOMPARE(bytes, start + body);
    PropertyReader reader(bytes);
    QCOMPARE(reader.readString(), text);
    QVERIFY(reader.atEnd());
}

void TestDocsRecord::unicodeTagsAreRead_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-16LE") << spelled("12 03 00 00 00 21 04 A9 03 41 00") << QStringLiteral("СΩA");
    QTest::newRow("UTF-16LE, empty") << spelled("12 00 00 00 00") << QString();
    QTest::newRow("UTF-8") << spelled("14 05 00 00 00 D0 A1 CE A9 41") << QStringLiteral("СΩA");
}

void TestDocsRecord::unicodeTagsAreRead() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    PropertyReader reader(bytes);
    QCOMPARE(reader.readString(), text);
    QVERIFY(reader.atEnd());
}

void TestDocsRecord::twoDocumentRecordHasTheStoredBytes() {
    const QByteArray rtf0 = "{\\rtf1\\ansi \\u1040?}";
    const QByteArray rtf1 = "{\\rtf1 " + QByteArray(250, 'b') + '}';
    const QByteArray stored = head + spelled("04 'List' 0E") + spelled("01") + macros +
                              spelled("03 'RTF' 06 14 '{\\rtf1\\ansi \\u1040?}' 00") + spelled("01") +
                              macros + spelled("03 'RTF' 0C 02 01 00 00") + rtf1 +
                              spelled("00 00 08 'Selected' 02 00 00 00");

    FakeRichView view;
    TDocs docs;
    setUpDocs1(docs, view, 2);
    docs.DocList().Item(0)->setRtf(rtf0);
    docs.DocList().Item(1)->setRtf(rtf1);
    docs.setSelIndex(0);
    QCOMPARE(docsRecordBytes(docs), stored);

    TDocs read;
    FakeRichView shown(QStringLiteral("design text"));
    FormNames names;
    names.component = [&](const QString &name) -> QObject * {
        return name == shown.objectName() ? &shown : nullptr;
    };
    PropertyReader reader(stored);
    readDocsRecord(reader, read, names);
    QVERIFY(reader.atEnd());
    QCOMPARE(read.objectName(), QStringLiteral("Docs1"));
    QCOMPARE(read.Count(), 2);
    QCOMPARE(read.SelIndex(), 0);
    QCOMPARE(read.RichEdit(), &shown);
    QCOMPARE(shown.text, QString::fromLatin1(rtf0));
    QCOMPARE(read.Left, 30);
    QCOMPARE(read.Top, 330);
    for (int i = 0; i < 2; ++i) {
        const TDoc *doc = read.DocList().Item(i);
        QCOMPARE(doc->rtf(), i == 0 ? rtf0 : rtf1);
        QCOMPARE(doc->Level(), 0);
        QCOMPARE(doc->Title(), QString());
        QCOMPARE(doc->Tag(), 0);
        QVERIFY(doc->Visible());
        QCOMPARE(doc->ImageIndex(), -1);
        QCOMPARE(doc->StateIndex(), -1);
    }
    QCOMPARE(docsRecordBytes(read), stored);
}

void TestDocsRecord::noCurrentDocumentWritesNoSelected() {
    FakeRichView view;
    TDocs docs;
    setUpDocs1(docs, view, 1);
    const QByteArray expected = record(item(macros), spelled("00 00"));
    QCOMPARE(docsRecordBytes(docs), expected);
    TDocs read;
    const Reading reading = readInto(expected, read);
    QCOMPARE(reading.errors, QStringList());
    QCOMPARE(reading.count, 1);
    QCOMPARE(reading.selIndex, -1);
}

void TestDocsRecord::publishedPropertiesAreStoredInOrder() {
    FakeRichView view;
    FakeTree tree;
    TDocs docs;
    docs.setObjectName(QStringLiteral("Docs2"));
    docs.Tag = -2;
    docs.setDocDisplay(&tree);
    docs.setForceVisible(true);
    docs.setRichEdit(&view);
    docs.setUpWhenBack(true);
    docs.OnChange.method = QStringLiteral("Changed");
    docs.OnSelection.method = QStringLiteral("Picked");
    TDoc *doc = docs.DocList().AddDoc(0);
    doc->setTitle(QStringLiteral("Справка"));
    doc->setTag(70000);
    TDoc *child = docs.DocList().AddDoc(1);
    child->setImageIndex(3);
    child->setStateIndex(-200);
    child->setVisible(false);
    child->setTitle(QStringLiteral("Σ"));
    docs.setSelIndex(1);
    const QByteArray expected =
        spelled("05 'TDocs' 05 'Docs2' 03 'Tag' 02 FE 0A 'DocDisplay' 07 09 'TreeView1' 0C 'ForceVisible' 09"
                " 08 'RichEdit' 07 09 'RichEdit1' 0A 'UpWhenBack' 09 08 'OnChange' 07 07 'Changed'"
                " 0B 'OnSelection' 07 06 'Picked' 04 'Left' 02 00 03 'Top' 02 00 04 'List' 0E"
                " 01 05 'Title' 06 07 D1 EF F0 E0 E2 EA E0") +
        macros +
        spelled("03 'Tag' 04 70 11 01 00 00 01 05 'Title' 14 02 00 00 00 CE A3 0A 'ImageIndex' 02 03") +
        spelled("05 'Level' 02 01") + macros +
        spelled("0A 'StateIndex' 03 38 FF 07 'Visible' 08 00 00 08 'Selected' 02 01 00 00");
    QCOMPARE(docsRecordBytes(docs), expected);

    TDocs read;
    FormNames names;
    names.component = [&](const QString &name) -> QObject * {
        return name == view.objectName()   ? static_cast<QObject *>(&view)
               : name == tree.objectName() ? &tree
                                           : nullptr;
    };
    QStringList called;
    names.method = [&](const QString &method) {
        return [&called, method](TDocs *, TDoc *) { called << method; };
    };
    PropertyReader reader(expected);
    readDocsRecord(reader, read, names);
    QCOMPARE(docsRecordBytes(read), expected);
    QCOMPARE(called.count(QStringLiteral("Picked")), 1);
    QCOMPARE(read.OnChange.method, QStringLiteral("Changed"));
}

void TestDocsRecord::corruptRecordsGiveClearErrors_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("count"); // documents afterwards; the reading starts with one
    const QByteArray plain = item(macros);
    QTest::newRow("empty input") << QByteArray()
                                 << "The data ends too early: 1 more bytes are needed at byte 0." << 1;
    QTest::newRow("truncated class name") << spelled("05 'TDo'") << "The data ends too early" << 1;
    QTest::newRow("another class") << spelled("06 'TForm1' 05 'Form1' 00 00") << "A TDocs record was expected"
                                   << 1;
    QTest::newRow("unknown property") << spelled("05 'TDocs' 05 'Docs1' 06 'Colour' 02 01 00 00")
                                      << "Unknown property \"Colour\" at byte 12." << 1;
    QTest::newRow("unknown value tag")
        << spelled("05 'TDocs' 05 'Docs1' 04 'Left' 05 00 00 00") << "Unknown value tag 5 at byte 17." << 1;
    QTest::newRow("identifier past the data") << spelled("05 'TDocs' 05 'Docs1' 08 'RichEdit' 07 FF 'Rich'")
                                              << "A string of 255 bytes runs past the end of the data" << 1;
    QTest::newRow("missing component") << spelled("05 'TDocs' 05 'Docs1' 08 'RichEdit' 07 05 'Memo1' 00 00")
                                       << "no suitable component named \"Memo1\"" << 1;
    QTest::newRow("child components") << spelled("05 'TDocs' 05 'Docs1' 00 05 'TMemo' 05 'Memo1' 00 00 00")
                                      << "A document set holds no components" << 1;
    QTest::newRow("list that is no collection is passed over")
        << head + spelled("04 'List' 02 05 08 'Selected' 02 00 00 00") << QString() << 1;
    QTest::newRow("negative long string length")
        << record(item(spelled("03 'RTF' 0C FF FF FF FF"))) << "Negative length -1 at byte" << 0;
    QTest::newRow("long string length past the data")
        << record(item(spelled("03 'RTF' 0C 00 00 00 7F")))
        << "A string of 2130706432 bytes runs past the end" << 0;
    QTest::newRow("UTF-16 count past the data") << record(item(spelled("05 'Title' 12 FF FF FF 7F 41 00")))
                                                << "A string of 4294967294 bytes runs past" << 0;
    QTest::newRow("malformed UTF-8") << record(item(spelled("05 'Title' 14 02 00 00 00 C3 28")))
                                     << "Malformed UTF-8 string" << 0;
    QTest::newRow("RTF outside code page 1251")
        << record(item(spelled("03 'RTF' 14 02 00 00 00 CE A3"))) << "outside code page 1251" << 0;
    QTest::newRow("unknown item property, rest still read")
        << record(plain + item(spelled("06 'Colour' 06 03 'red'")), spelled("08 'Selected' 02 00 00 00"))
        << "Document 1 has an unknown property \"Colour\"." << 0;
    QTest::newRow("item property of the wrong kind")
        << record(item(spelled("05 'Level' 06 01 '1'"))) << "An integer was expected, not value tag 6" << 0;
    QTest::newRow("non-empty demonstration sequence")
        << record(item(spelled("09 'MacroNext' 0E 01 03 'Cmd' 02 01 00 00")))
        << "Document 0 has a demonstration sequence in \"MacroNext\"" << 0;
    QTest::newRow("values nested too deeply")
        << record(item(spelled("03 'Tag'") + QByteArray(70, '\x01') + QByteArray(70, '\0')))
        << "Values are nested too deeply" << 0;
    QTest::newRow("item without its list tag")
        << record(spelled("02 00 06 01 'x'")) << "A document item was expected" << 0;
    QTest::newRow("data ends inside the list")
        << (head + spelled("04 'List' 0E 01") + macros) << "The data ends inside a list" << 0;
}

// Faults outside the list raise; faults among its documents are shown and go no further, leaving the list
// empty, and the properties after a fault that could be passed over are still read.
void TestDocsRecord::corruptRecordsGiveClearErrors() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QFETCH(int, count);
    TDocs docs;
    docs.DocList().AddDoc(0)->setTitle(QStringLiteral("old"));
    const Reading reading = readInto(bytes, docs);
    if (error.isEmpty()) {
        QCOMPARE(reading.errors, QStringList());
        QCOMPARE(reading.selIndex, 0);
    } else {
        QVERIFY2(!reading.errors.isEmpty() && reading.errors.first().contains(error),
                 qPrintable(reading.errors.join(QLatin1String(" | "))));
    }
    QCOMPARE(reading.count, count);
}

void TestDocsRecord::errorWhileAddingKeepsTheDocumentsAdded() {
    const QByteArray bytes =
        record(item(spelled("03 'RTF' 06 01 'a'")) + item(spelled("03 'RTF' 06 01 'b'")) + item(spelled("")));
    TDocs docs;
    docs.OnGetData.handler = [](TDocs *, TDoc *doc) {
        if (doc->Index() == 1)
            throw EDocList(QStringLiteral("No data for the second document."));
    };
    const Reading reading = readInto(bytes, docs);
    QCOMPARE(reading.errors, QStringList({"No data for the second document."}));
    QCOMPARE(reading.count, 2);
    QCOMPARE(docs.DocList().Item(0)->rtf(), QByteArray("a"));
    QCOMPARE(docs.DocList().Item(1)->rtf(), QByteArray());
    QCOMPARE(reading.selIndex, 0);
}

void TestDocsRecord::readingListWithoutListIsNoDoclist() {
    const QByteArray bytes = spelled("0E 00");
    PropertyReader reader(bytes);
    FakeReporter reporter;
    QVERIFY_THROWS_EXCEPTION(EDocList, readList(reader, nullptr, &reporter));
    try {
        readList(reader, nullptr, &reporter);
    } catch (const EDocList &error) {
        QCOMPARE(error.message(), QStringLiteral("No doclist."));
    }
}

void TestDocsRecord::failingDeviceIsReportedAndFailsTheRecord_data() {
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("fails");
    // Everything up to the name "List" is 51 bytes, its value 102, and the record ends at 166.
    QTest::newRow("fails before the list") << qint64(20) << QStringList() << true;
    QTest::newRow("fails within the list")
        << qint64(60) << QStringList({"Could not write DocList resource."}) << true;
    QTest::newRow("fails after the list") << qint64(51 + 102 + 3) << QStringList() << true;
    QTest::newRow("never fails") << qint64(1 << 20) << QStringList() << false;
}

void TestDocsRecord::failingDeviceIsReportedAndFailsTheRecord() {
    QFETCH(qint64, limit);
    QFETCH(QStringList, shown);
    QFETCH(bool, fails);
    FakeRichView view;
    FakeReporter reporter;
    TDocs docs;
    setUpDocs1(docs, view, 2);
    docs.setErrorReporter(&reporter);
    docs.setSelIndex(1);
    FailingDevice device(limit);
    PropertyWriter writer(&device);
    bool failed = false;
    try {
        writeDocsRecord(writer, docs);
        writer.flush();
    } catch (const EStreamError &) {
        failed = true;
    }
    QCOMPARE(failed, fails);
    QCOMPARE(reporter.messages, shown);
}

// A crafted record may nest every item one level deeper. Reading it, showing it in a tree and letting it go
// must not recurse once per level: all of it runs on a thread with a stack far smaller than the list is deep.
void TestDocsRecord::longAndDeepListsReadShowAndGo_data() {
    QTest::addColumn<QByteArray>("level");
    // Of the last document; −1: as many as there are documents before it, whose last is its Parent.
    QTest::addColumn<int>("lastLevel");
    QTest::addColumn<int>("parent");
    QTest::newRow("flat") << QByteArray() << 0 << -1;
    QTest::newRow("each asks for the deepest level") << spelled("05 'Level' 04 FF FF FF 7F") << -1 << -1;
    QTest::newRow("all below the first") << spelled("05 'Level' 02 01") << 1 << 0;
}

void TestDocsRecord::longAndDeepListsReadShowAndGo() {
    QFETCH(QByteArray, level);
    QFETCH(int, lastLevel);
    QFETCH(int, parent);
    constexpr int count = 5000;
    QByteArray items;
    for (int i = 0; i < count; ++i)
        items += item(level + macros);
    const QByteArray bytes = record(items);
    if (lastLevel < 0) {
        lastLevel = count - 1;
        parent = count - 2;
    }
    FakeTree tree;
    bool done = false;
    QThread *worker = QThread::create([&] {
        TDocs docs;
        docs.setDocDisplay(&tree);
        const Reading read = readInto(bytes, docs);
        docs.setDocDisplay(&tree);
        TDoc *last = docs.DocList().Item(count - 1);
        done = read.errors.isEmpty() && read.count == count && last->Level() == lastLevel &&
               docs.DocList().Items().at(count - 1).text() == QString(lastLevel, QLatin1Char('\t')) &&
               last->Parent() == docs.DocList().Item(parent) && tree.items.size() == count;
    });
    worker->setStackSize(128 * 1024);
    worker->start();
    QVERIFY(worker->wait(60000));
    delete worker;
    QVERIFY(done);
    QVERIFY(tree.items.isEmpty());
}

QTEST_GUILESS_MAIN(TestDocsRecord)
#include "tst_docsrecord.moc"

#include "resources/appresources.h"
#include "ui/controls/bevellabel.h"
#include "ui/controls/technicalline.h"
#include "ui/main/operationframes.h"
#include "ui/main/valuelist.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QTest>

class TestOperationFrames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerApplicationFonts(); }
    void controlsOfBothLayouts_data();
    void controlsOfBothLayouts();
    void framesFromTheModelKeepNameTagAndGivenValues();
    void valueListsOfferTwentyTwoPixelItems();
};

void TestOperationFrames::controlsOfBothLayouts_data() {
    QTest::addColumn<bool>("twoInput");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("fontHeight");
    QTest::addColumn<int>("lineType");
    const int none = -1;
    QTest::newRow("TFrame3 ComboBox1") << true << "ComboBox1" << QRect(0, 0, 91, 30) << 19 << none;
    QTest::newRow("TFrame3 ComboBox2") << true << "ComboBox2" << QRect(0, 100, 91, 30) << 19 << none;
    QTest::newRow("TFrame3 top line") << true << "LMDTechnicalLine1" << QRect(90, 15, 31, 51) << 0
                                      << int(TLMDTechnicalLine::lsTopLeftToBottomRight);
    QTest::newRow("TFrame3 bottom line") << true << "LMDTechnicalLine2" << QRect(90, 65, 31, 51) << 0
                                         << int(TLMDTechnicalLine::lsBottomLeftToTopRight);
    QTest::newRow("TFrame3 operation box") << true << "LMDLabel1" << QRect(120, 50, 101, 30) << 19 << none;
    QTest::newRow("TFrame3 equals sign") << true << "Label1" << QRect(227, 50, 16, 31) << 27 << none;
    QTest::newRow("TFrame4 ComboBox1") << false << "ComboBox1" << QRect(0, 20, 91, 30) << 19 << none;
    QTest::newRow("TFrame4 line") << false << "LMDTechnicalLine2" << QRect(90, 20, 31, 30) << 0
                                  << int(TLMDTechnicalLine::lsStraightLeftToRight);
    QTest::newRow("TFrame4 operation box") << false << "LMDLabel1" << QRect(120, 20, 101, 30) << 19 << none;
    QTest::newRow("TFrame4 equals sign") << false << "Label1" << QRect(227, 20, 16, 31) << 27 << none;
}

void TestOperationFrames::controlsOfBothLayouts() {
    QFETCH(bool, twoInput);
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(int, fontHeight);
    QFETCH(int, lineType);
    QScopedPointer<TOperationFrame> frame(twoInput ? static_cast<TOperationFrame *>(new TFrame3)
                                                   : static_cast<TOperationFrame *>(new TFrame4));
    auto *control = frame->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    if (fontHeight) {
        QCOMPARE(control->font().pixelSize(), fontHeight);
        QVERIFY(control->font().bold());
        QCOMPARE(QFontInfo(control->font()).family(), QStringLiteral("Liberation Mono"));
    }
    if (lineType >= 0) {
        auto *line = qobject_cast<TLMDTechnicalLine *>(control);
        QCOMPARE(int(line->lineType()), lineType);
        QCOMPARE(line->penWidth(), 3);
    }
    if (name == QLatin1String("Label1"))
        QCOMPARE(static_cast<QLabel *>(control)->text(), QStringLiteral("="));
}

void TestOperationFrames::framesFromTheModelKeepNameTagAndGivenValues() {
    QWidget area;
    engine::FrameModel model;
    model.frameClass = engine::FrameClass::TFrame3;
    model.name = QStringLiteral("Frame31");
    model.left = 260;
    model.top = 300;
    model.Tag = 13;
    model.ComboBox1 = {engine::lvTrue, false, {}};
    model.ComboBox2 = {engine::lvUnknown, true, {}};
    TOperationFrame *frame = createFrame(model, &area);
    QCOMPARE(frame->parentWidget(), &area);
    QCOMPARE(frame->objectName(), QStringLiteral("Frame31"));
    QCOMPARE(frame->geometry(), QRect(260, 300, 250, 130));
    QCOMPARE(frame->Tag, 13);
    QCOMPARE(frame->valueList(1)->currentIndex(), int(engine::lvTrue));
    QVERIFY(!frame->valueList(1)->isEnabled());
    QCOMPARE(frame->valueList(2)->currentIndex(), int(engine::lvUnknown));
    QVERIFY(frame->valueList(2)->isEnabled());
    // The pupil moves from the top list to the bottom one.
    QCOMPARE(frame->valueList(1)->nextInFocusChain(), static_cast<QWidget *>(frame->valueList(2)));

    model.frameClass = engine::FrameClass::TFrame4;
    model.name = QStringLiteral("Frame4");
    TOperationFrame *negation = createFrame(model, &area);
    QCOMPARE(negation->size(), QSize(250, 71));
    QVERIFY(!negation->valueList(2));
}

void TestOperationFrames::valueListsOfferTwentyTwoPixelItems() {
    TValueList list;
    list.refill({"?", "Ложь", "Истина"});
    list.setCurrentIndex(2);
    QCOMPARE(list.view()->sizeHintForRow(0), 22);
    list.refill({"?", "0", "1"});
    QCOMPARE(list.view()->sizeHintForRow(1), 22);
    QCOMPARE(list.currentIndex(), 2);
    QCOMPARE(list.currentText(), QStringLiteral("1"));
    QVERIFY(!list.isEditable());
}

QTEST_MAIN(TestOperationFrames)
#include "tst_operationframes.moc"

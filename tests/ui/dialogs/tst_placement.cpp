#include "ui/dialogs/placement.h"

#include <QTest>

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void centresFrameOnOwnerFrame_data();
    void centresFrameOnOwnerFrame();
};

void TestPlacement::centresFrameOnOwnerFrame_data() {
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QPoint>("topLeft");

    QTest::newRow("even differences") << QRect(100, 50, 800, 600) << QSize(400, 200) << QPoint(300, 250);
    QTest::newRow("odd difference truncated")
        << QRect(100, 50, 801, 601) << QSize(400, 200) << QPoint(300, 250);
    // (300 − 473) / 2 = −86 toward zero, not −87.
    QTest::newRow("dialog wider than owner truncates toward zero")
        << QRect(100, 100, 300, 200) << QSize(473, 299) << QPoint(14, 51);
    QTest::newRow("left and top clamped to 0") << QRect(0, 0, 300, 200) << QSize(472, 298) << QPoint(0, 0);
    QTest::newRow("owner partly off-screen")
        << QRect(-200, -100, 800, 600) << QSize(200, 100) << QPoint(100, 150);
    QTest::newRow("owner far off to the left")
        << QRect(-900, 20, 800, 600) << QSize(200, 100) << QPoint(0, 270);
    QTest::newRow("same size as owner") << QRect(37, 41, 500, 300) << QSize(500, 300) << QPoint(37, 41);
}

void TestPlacement::centresFrameOnOwnerFrame() {
    QFETCH(QRect, owner);
    QFETCH(QSize, dialog);
    QFETCH(QPoint, topLeft);
    QCOMPARE(dialogs::centredTopLeft(owner, dialog), topLeft);
}

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"

#include "ui/controls/picturebox.h"
#include "ui/controls/systemcolors.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

class TestPictureBox : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { applySystemColors(*qApp); }
    void drawsThePictureAndButtonFaceBeyondIt_data();
    void drawsThePictureAndButtonFaceBeyondIt();
    void aLargePictureStartsNoHelperThreads();
};

void TestPictureBox::drawsThePictureAndButtonFaceBeyondIt_data() {
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("three bytes a pixel, as the title is stored") << QImage::Format_BGR888;
    QTest::newRow("screen format") << QImage::Format_RGB32;
}

void TestPictureBox::drawsThePictureAndButtonFaceBeyondIt() {
    QFETCH(QImage::Format, format);
    QImage picture(4, 3, format);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            picture.setPixelColor(x, y, QColor(40 * x + 10, 60 * y + 5, 200 - 30 * x));

    PictureBox box;
    box.resize(6, 5);
    box.setPicture(picture);
    const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(6, 5));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const QRgb expected =
                x < 4 && y < 3 ? picture.pixel(x, y) : systemColor(SystemColor::ButtonFace).rgb();
            QVERIFY2(shown.pixel(x, y) == expected, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

namespace {

int pooledThreads() {
    int count = 0;
    const QStringList tasks =
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &task : tasks) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "Thread (pooled)")
            ++count;
    }
    return count;
}

} // namespace

// Drawn in one piece, a picture the title's size has Qt share the work out to helper threads that then stay
// idle for the whole run.
void TestPictureBox::aLargePictureStartsNoHelperThreads() {
    QImage title(617, 497, QImage::Format_BGR888);
    title.fill(QColor(30, 90, 40));
    PictureBox box;
    box.resize(617, 497);
    box.setPicture(title);
    const QImage shown = box.grab().toImage();
    QCOMPARE(shown.pixelColor(300, 400), QColor(30, 90, 40));
    QCOMPARE(pooledThreads(), 0);
}

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"

#include "ui/controls/faces.h"
#include "ui/controls/mmbutton.h"
#include "ui/controls/systemcolors.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QList<QImage> programFaces() {
    return {maskWhite(DrawButtonFace(150, 40, true, systemColor(SystemColor::ButtonFace))),
            maskWhite(DrawButtonFace(150, 40, false, systemColor(SystemColor::ButtonShadow)))};
}

// Bounding box of the pixels that differ from the same button drawn without a caption.
QRect captionBox(const QImage &with, const QImage &without) {
    QRect box;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestMMButton : public QObject {
    Q_OBJECT

private slots:
    void showsFaceZeroAtRestAndFaceOneWhilePressed() {
        const QList<QImage> faces = programFaces();
        TLMDMMButton button;
        button.setFaceList(&faces);
        button.resize(150, 40);
        const QImage rest = button.grab().toImage();
        QCOMPARE(rest.pixel(75, 20), systemColor(SystemColor::ButtonFace).rgb());
        QCOMPARE(rest.pixel(75, 2), systemColor(SystemColor::ButtonFace).rgb());
        button.setDown(true);
        const QImage pressed = button.grab().toImage();
        QCOMPARE(pressed.pixel(75, 20), systemColor(SystemColor::ButtonShadow).rgb());
        QCOMPARE(pressed.pixel(75, 2), systemColor(SystemColor::ButtonShadow).rgb());
        button.setDown(false);
        QCOMPARE(button.grab().toImage(), rest);
    }

    void faceIsCentredInALargerButton() {
        const QList<QImage> faces = programFaces();
        TLMDMMButton button;
        button.setFaceList(&faces);
        button.setBackgroundColor(systemColor(SystemColor::AppWorkspace));
        button.resize(160, 50);
        const QImage image = button.grab().toImage();
        QCOMPARE(image.pixel(5, 25), qRgb(0, 0, 0)); // outer outline's left edge, face at 5,5
        QCOMPARE(image.pixel(4, 25), systemColor(SystemColor::AppWorkspace).rgb());
    }

    void transparentCornersShowTheBackgroundColour() {
        const QList<QImage> faces = programFaces();
        TLMDMMButton button;
        button.setFaceList(&faces);
        button.setBackgroundColor(systemColor(SystemColor::AppWorkspace));
        button.resize(150, 40);
        const QImage image = button.grab().toImage();
        QCOMPARE(image.pixel(0, 0), systemColor(SystemColor::AppWorkspace).rgb());
        QCOMPARE(image.pixel(149, 39), systemColor(SystemColor::AppWorkspace).rgb());
    }

    void captionIsCentred() {
        const QList<QImage> faces = programFaces();
        TLMDMMButton button;
        button.setFaceList(&faces);
        button.resize(150, 40);
        const QImage without = button.grab().toImage();
        button.setText(QStringLiteral("Готово"));
        const QImage with = button.grab().toImage();
        const QRect box = captionBox(with, without);
        QVERIFY(!box.isEmpty());
        QVERIFY2(qAbs(box.center().x() - 74) <= 3, qPrintable(QString::number(box.center().x())));
        QVERIFY2(qAbs(box.center().y() - 19) <= 4, qPrintable(QString::number(box.center().y())));
        bool blackInk = false;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                blackInk |= with.pixel(x, y) == qRgb(0, 0, 0);
        QVERIFY(blackInk);
    }

    void disabledButtonLooksGreyed() {
        const QList<QImage> faces = programFaces();
        TLMDMMButton button;
        button.setFaceList(&faces);
        button.setText(QStringLiteral("Подсказка"));
        button.resize(150, 40);
        const QImage enabled = button.grab().toImage();
        button.setEnabled(false);
        const QImage disabled = button.grab().toImage();
        QVERIFY(enabled != disabled);
        auto countBlack = [](const QImage &image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += (image.pixel(x, y) & 0xffffffu) == 0;
            return n;
        };
        QVERIFY(countBlack(enabled) > 100);
        QCOMPARE(countBlack(disabled), 0);
        // The caption is drawn in the shadow grey.
        bool greyCaption = false;
        const QRect box = captionBox(disabled, [&] {
            TLMDMMButton plain;
            plain.setFaceList(&faces);
            plain.setEnabled(false);
            plain.resize(150, 40);
            return plain.grab().toImage();
        }());
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                greyCaption |= disabled.pixel(x, y) == systemColor(SystemColor::ButtonShadow).rgb();
        QVERIFY(greyCaption);
    }

    void focusFollowsTakesFocus() {
        TLMDMMButton button;
        QCOMPARE(button.focusPolicy(), Qt::StrongFocus);
        button.setTakesFocus(false);
        QCOMPARE(button.focusPolicy(), Qt::NoFocus);
        button.setTakesFocus(true);
        QCOMPARE(button.focusPolicy(), Qt::StrongFocus);
    }

    void clickedFiresOnReleaseNotOnPress() {
        const QList<QImage> faces = programFaces();
        TLMDMMButton button;
        button.setFaceList(&faces);
        button.resize(150, 40);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy clicked(&button, &QAbstractButton::clicked);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(75, 20));
        QVERIFY(button.isDown());
        QCOMPARE(clicked.count(), 0);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(75, 20));
        QCOMPARE(clicked.count(), 1);
        QVERIFY(!button.isDown());
    }

    void spaceClicksAFocusedButton() {
        TLMDMMButton button;
        button.resize(150, 40);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        button.setFocus();
        QSignalSpy clicked(&button, &QAbstractButton::clicked);
        QTest::keyClick(&button, Qt::Key_Space);
        QCOMPARE(clicked.count(), 1);
    }

    void sizeHintIsTheFaceSize() {
        const QList<QImage> faces = programFaces();
        TLMDMMButton button;
        button.setFaceList(&faces);
        QCOMPARE(button.sizeHint(), QSize(150, 40));
        QCOMPARE(button.faceList(), &faces);
    }
};

QTEST_MAIN(TestMMButton)
#include "tst_mmbutton.moc"

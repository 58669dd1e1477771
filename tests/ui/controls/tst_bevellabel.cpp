#include "ui/controls/bevellabel.h"
#include "ui/controls/shadowlabel.h"
#include "ui/controls/systemcolors.h"

#include <QAccessible>

#include <QtTest>

class TestBevelLabel : public QObject {
    Q_OBJECT

private slots:
    void drawsTwoNestedLoweredBevels() {
        TLMDBevelLabel label;
        label.resize(60, 40);
        const QImage image = label.grab().toImage();
        const QRgb shadow = systemColor(SystemColor::ButtonShadow).rgb();
        const QRgb light = systemColor(SystemColor::ButtonHighlight).rgb();
        const QRgb face = systemColor(SystemColor::ButtonFace).rgb();
        for (const int ring : {0, 1}) {
            QCOMPARE(image.pixel(30, ring), shadow);
            QCOMPARE(image.pixel(ring, 20), shadow);
            QCOMPARE(image.pixel(30, 39 - ring), light);
            QCOMPARE(image.pixel(59 - ring, 20), light);
        }
        QCOMPARE(image.pixel(30, 2), face);
        QCOMPARE(image.pixel(2, 20), face);
        QCOMPARE(image.pixel(57, 37), face);
        QCOMPARE(TLMDBevelLabel::captionArea(label.rect()), QRect(2, 2, 56, 36));
    }

    void captionIsCentredInTheWindowTextColour() {
        TLMDBevelLabel label;
        label.resize(80, 40);
        const QImage plain = label.grab().toImage();
        label.setText(QStringLiteral("XOR"));
        QCOMPARE(label.text(), QStringLiteral("XOR"));
        const QImage image = label.grab().toImage();
        QRect box;
        bool black = false;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 80; ++x) {
                if (image.pixel(x, y) != plain.pixel(x, y)) {
                    box |= QRect(x, y, 1, 1);
                    black |= image.pixel(x, y) == qRgb(0, 0, 0);
                }
            }
        }
        QVERIFY(black);
        QVERIFY(box.left() > 2 && box.right() < 77);
        QVERIFY2(qAbs(box.center().x() - 39) <= 2, qPrintable(QString::number(box.center().x())));
        QVERIFY2(qAbs(box.center().y() - 19) <= 3, qPrintable(QString::number(box.center().y())));
    }

    // An operation box that a screen reader cannot name leaves the pupil who uses one without the operation.
    void screenReadersReadTheShownText() {
        TLMDBevelLabel box(QStringLiteral("XOR"));
        TLMDShadowLabel title(QStringLiteral("Логикус"));
        for (QWidget *label : {static_cast<QWidget *>(&box), static_cast<QWidget *>(&title)}) {
            QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(label);
            QVERIFY(reader);
            QCOMPARE(reader->role(), QAccessible::StaticText);
            QCOMPARE(reader->text(QAccessible::Name), label->property("text").toString());
            QVERIFY(!reader->text(QAccessible::Name).isEmpty());
            label->setProperty("text", QStringLiteral("ИСКЛ.ИЛИ"));
            QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("ИСКЛ.ИЛИ"));
        }
    }
};

QTEST_MAIN(TestBevelLabel)
#include "tst_bevellabel.moc"

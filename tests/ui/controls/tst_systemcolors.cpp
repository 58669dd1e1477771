#include "loadedplugins.h"
#include "ui/controls/systemcolors.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyle>
#include <QtTest>

class TestSystemColors : public QObject {
    Q_OBJECT

private slots:
    void tableHoldsTheFixedRoles_data() {
        QTest::addColumn<int>("role");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("button face") << int(SystemColor::ButtonFace) << QColor(212, 208, 200);
        QTest::newRow("button shadow") << int(SystemColor::ButtonShadow) << QColor(128, 128, 128);
        QTest::newRow("button highlight") << int(SystemColor::ButtonHighlight) << QColor(255, 255, 255);
        QTest::newRow("selection highlight") << int(SystemColor::Highlight) << QColor(10, 36, 106);
        QTest::newRow("application workspace") << int(SystemColor::AppWorkspace) << QColor(128, 128, 128);
        QTest::newRow("window") << int(SystemColor::Window) << QColor(255, 255, 255);
        QTest::newRow("window text") << int(SystemColor::WindowText) << QColor(0, 0, 0);
    }
    void tableHoldsTheFixedRoles() {
        QFETCH(int, role);
        QFETCH(QColor, colour);
        QCOMPARE(systemColor(SystemColor(role)), colour);
    }

    void applicationPaletteFollowsTheTable_data() {
        QTest::addColumn<int>("group");
        QTest::newRow("active") << int(QPalette::Active);
        QTest::newRow("inactive") << int(QPalette::Inactive);
        QTest::newRow("disabled") << int(QPalette::Disabled);
    }
    void applicationPaletteFollowsTheTable() {
        QFETCH(int, group);
        applySystemColors(*qApp);
        const QPalette palette = QApplication::palette();
        const auto g = QPalette::ColorGroup(group);
        const QColor face = systemColor(SystemColor::ButtonFace);
        const QColor shadow = systemColor(SystemColor::ButtonShadow);
        QCOMPARE(palette.color(g, QPalette::Button), face);
        QCOMPARE(palette.color(g, QPalette::Window), face);
        QCOMPARE(palette.color(g, QPalette::Light), systemColor(SystemColor::ButtonHighlight));
        QCOMPARE(palette.color(g, QPalette::Dark), shadow);
        QCOMPARE(palette.color(g, QPalette::Mid), shadow);
        QCOMPARE(palette.color(g, QPalette::Highlight), systemColor(SystemColor::Highlight));
        QCOMPARE(palette.color(g, QPalette::HighlightedText), QColor(255, 255, 255));
        QCOMPARE(palette.color(g, QPalette::Base), systemColor(SystemColor::Window));
        const QColor text = g == QPalette::Disabled ? shadow : systemColor(SystemColor::WindowText);
        QCOMPARE(palette.color(g, QPalette::Text), text);
        QCOMPARE(palette.color(g, QPalette::WindowText), text);
        QCOMPARE(palette.color(g, QPalette::ButtonText), text);
    }

    void styleBecomesFusion() {
        applySystemColors(*qApp);
        auto *style = qobject_cast<QProxyStyle *>(QApplication::style());
        QVERIFY(style);
        QCOMPARE(style->baseStyle()->name().toLower(), QStringLiteral("fusion"));
    }

    // A menu bar asks for its overflow arrow as it is created; reading that picture must wait until the
    // arrow is drawn, or Qt loads every image-format plugin during the program's start-up.
    void menuBarLoadsNoImagePluginsUntilItsArrowIsDrawn() {
        applySystemColors(*qApp);
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("Настройка"));
        window.menuBar()->sizeHint();
        QVERIFY(!imageFormatPluginLoaded());

        const QIcon deferred =
            QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        const QIcon fusion = qobject_cast<QProxyStyle *>(QApplication::style())
                                 ->baseStyle()
                                 ->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QVERIFY(!deferred.isNull());
        QCOMPARE(deferred.availableSizes(), fusion.availableSizes());
        QCOMPARE(deferred.pixmap(16, 16).toImage(), fusion.pixmap(16, 16).toImage());
        QCOMPARE(QIcon(deferred).pixmap(16, 16, QIcon::Disabled).toImage(),
                 fusion.pixmap(16, 16, QIcon::Disabled).toImage());
    }
};

QTEST_MAIN(TestSystemColors)
#include "tst_systemcolors.moc"

#include "modalrunner.h"
#include "resources/appresources.h"
#include "ui/controls/mmbutton.h"
#include "ui/dialogs/messagesizing.h"
#include "ui/dialogs/messagewindow.h"

#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QTest>

namespace {

QImage styleIcon(QStyle::StandardPixmap which) {
    return QApplication::style()->standardIcon(which).pixmap(32, 32).toImage().convertToFormat(
        QImage::Format_ARGB32);
}

QImage shownIcon(const TForm8 &form) {
    return control<QLabel>(&form, "Image1")->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

int realWidth(const QString &text) {
    return QFontMetrics(programFont(QStringLiteral("Courier New"), 19, true)).horizontalAdvance(text);
}

} // namespace

class TestMessageWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutAsCreated();
    void initializeAndShowIsModalAndFitsTheText();
    void emptyTextGivesTwoBlanksWidth();
    void overlongLineCapsOuterWidthAtEightHundred_data();
    void overlongLineCapsOuterWidthAtEightHundred();
    void kindChoosesIcon_data();
    void kindChoosesIcon();
    void laterMessageDoesNotShowEarlierIcon();
    void markupInTextIsShownLiterally();
    void narrowerMessageStartsAtSameLeftEdge();
    void enterClosesWithAnyModifiers_data();
    void enterClosesWithAnyModifiers();
    void otherKeysDoNotClose_data();
    void otherKeysDoNotClose();
    void continueButtonCloses();
    void closeBoxCloses();

private:
    QWidget *m_main = nullptr;
    QList<QImage> m_faces;
    TForm8 *m_form = nullptr;
};

void TestMessageWindow::init() {
    m_main = new QWidget;
    m_main->setGeometry(100, 60, 792, 553);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
    m_faces = {QImage(150, 40, QImage::Format_ARGB32), QImage(150, 40, QImage::Format_ARGB32)};
    m_faces[0].fill(Qt::green);
    m_faces[1].fill(Qt::darkGreen);
    m_form = new TForm8(m_main, &m_faces);
}

void TestMessageWindow::cleanup() {
    delete m_form;
    delete m_main;
    m_form = nullptr;
    m_main = nullptr;
}

void TestMessageWindow::layoutAsCreated() {
    QCOMPARE(m_form->size(), QSize(510, 111));
    QCOMPARE(m_form->parentWidget(), m_main);
    QVERIFY(m_form->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!m_form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QCOMPARE(control<QLabel>(m_form, "Image1")->geometry(), QRect(69, 13, 32, 32));
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->geometry(), QRect(10, 58, 150, 40));
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->text(), QStringLiteral("Продолжить"));
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->focusPolicy(), Qt::NoFocus);
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->faceList(), &m_faces);
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->geometry(), QRect(170, 10, 330, 91));
    QVERIFY(control<QLabel>(m_form, "LMDSimpleLabel1")->wordWrap());
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->alignment(), Qt::AlignCenter);

    const QFont font = control<QLabel>(m_form, "LMDSimpleLabel1")->font();
    QCOMPARE(font.family(), programFont(QStringLiteral("Courier New"), 19, true).family());
    QCOMPARE(font.pixelSize(), 19);
    QVERIFY(font.bold());
}

void TestMessageWindow::initializeAndShowIsModalAndFitsTheText() {
    const QString text =
        QStringLiteral("Твой ответ неправилен.\r\nТы не учёл, что\r\n(Истина ИЛИ Ложь) = Истина");
    bool wasShown = false;
    bool modal = false;
    QString caption;
    QString labelText;
    int clientWidth = 0;
    int labelWidth = 0;
    int frame = 0;
    const bool stillShown = runModal(
        *m_form, [&] { m_form->InitializeAndShow(text, QStringLiteral("Неверно!"), 48); },
        [&] {
            wasShown = m_form->isVisible();
            modal = QApplication::activeModalWidget() == m_form;
            caption = m_form->windowTitle();
            labelText = control<QLabel>(m_form, "LMDSimpleLabel1")->text();
            clientWidth = m_form->width();
            labelWidth = control<QLabel>(m_form, "LMDSimpleLabel1")->width();
            frame = m_form->frameWidth();
        });
    QVERIFY(wasShown);
    QVERIFY(modal);
    QVERIFY(stillShown);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(caption, QStringLiteral("Неверно!"));
    QCOMPARE(labelText,
             QStringLiteral("Твой ответ неправилен.\nТы не учёл, что\n(Истина ИЛИ Ложь) = Истина"));
    // The third line is the longest by characters (26 against 22 and 15).
    const int measured = realWidth(QStringLiteral("(Истина ИЛИ Ложь) = Истина  "));
    QVERIFY(measured + 180 + frame <= 800);
    QCOMPARE(labelWidth, measured);
    QCOMPARE(clientWidth, measured + 180);
    QCOMPARE(m_form->height(), 111);
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->height(), 91);
}

void TestMessageWindow::emptyTextGivesTwoBlanksWidth() {
    m_form->prepare(QString(), QStringLiteral("x"), 0);
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->width(), realWidth(QStringLiteral("  ")));
    QCOMPARE(m_form->width(), realWidth(QStringLiteral("  ")) + 180);
}

void TestMessageWindow::overlongLineCapsOuterWidthAtEightHundred_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QMargins>("frame");
    const QString longLine = QString(90, QChar(u'ж'));
    QTest::newRow("no frame") << longLine << QMargins();
    QTest::newRow("a window manager's thin frame") << longLine << QMargins(1, 20, 1, 1);
    // 708 pixels inside, past 800 outside only by the frame, which is known before the first showing.
    QTest::newRow("the unfinished answer within a thick frame")
        << QStringLiteral(
               "Твой ответ неправилен.\r\nТы не учёл, что\r\nнеобходимо вычислить результаты всех операций.")
        << QMargins(48, 114, 48, 48);
}

void TestMessageWindow::overlongLineCapsOuterWidthAtEightHundred() {
    QFETCH(QString, text);
    QFETCH(QMargins, frame);
    m_form->setFrameSource([frame](QWidget &) { return frame; });
    int client = 0;
    int label = 0;
    runModal(
        *m_form, [&] { m_form->InitializeAndShow(text, QStringLiteral("x"), 64); },
        [&] {
            client = m_form->width();
            label = control<QLabel>(m_form, "LMDSimpleLabel1")->width();
        });
    QCOMPARE(frame.left() + client + frame.right(), 800);
    QCOMPARE(client - label, 180);
    QVERIFY(label < realWidth(dialogs::measuringString(text)));
}

void TestMessageWindow::kindChoosesIcon_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon"); // a QStyle::StandardPixmap, or -1 for none
    QTest::addColumn<QString>("spoken");
    QTest::newRow("16: error") << 16 << int(QStyle::SP_MessageBoxCritical) << QStringLiteral("Ошибка");
    QTest::newRow("32: question") << 32 << int(QStyle::SP_MessageBoxQuestion) << QStringLiteral("Вопрос");
    QTest::newRow("48: warning") << 48 << int(QStyle::SP_MessageBoxWarning)
                                 << QStringLiteral("Предупреждение");
    QTest::newRow("64: information") << 64 << int(QStyle::SP_MessageBoxInformation)
                                     << QStringLiteral("Сведения");
    QTest::newRow("0: none") << 0 << -1 << QString();
    QTest::newRow("1: none") << 1 << -1 << QString();
    QTest::newRow("17: none") << 17 << -1 << QString();
    QTest::newRow("-48: none") << -48 << -1 << QString();
}

void TestMessageWindow::kindChoosesIcon() {
    QFETCH(int, kind);
    QFETCH(int, icon);
    QFETCH(QString, spoken);
    // A warning first, so that a message without an icon must also drop the earlier icon's spoken name.
    m_form->prepare(QStringLiteral("Текст"), QStringLiteral("x"), 48);
    m_form->prepare(QStringLiteral("Текст"), QStringLiteral("x"), kind);
    QCOMPARE(control<QLabel>(m_form, "Image1")->accessibleName(), spoken);
    if (icon < 0) {
        QVERIFY(control<QLabel>(m_form, "Image1")->pixmap().isNull());
        return;
    }
    const QImage shown = shownIcon(*m_form);
    QCOMPARE(shown.size(), QSize(32, 32));
    QCOMPARE(shown, styleIcon(QStyle::StandardPixmap(icon)));
}

void TestMessageWindow::laterMessageDoesNotShowEarlierIcon() {
    m_form->prepare(QStringLiteral("a"), QStringLiteral("Неверно!"), 48);
    const QImage warning = shownIcon(*m_form);
    m_form->prepare(QStringLiteral("b"), QStringLiteral("Победа!"), 64);
    QVERIFY(shownIcon(*m_form) != warning);
    m_form->prepare(QStringLiteral("c"), QStringLiteral("Итог"), 0);
    QVERIFY(control<QLabel>(m_form, "Image1")->pixmap().isNull());
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Итог"));
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->text(), QStringLiteral("c"));
}

void TestMessageWindow::markupInTextIsShownLiterally() {
    m_form->prepare(QStringLiteral("<b>A</b> < B"), QStringLiteral("x"), 0);
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->textFormat(), Qt::PlainText);
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->width(),
             realWidth(QStringLiteral("<b>A</b> < B  ")));
}

void TestMessageWindow::narrowerMessageStartsAtSameLeftEdge() {
    QRect first;
    QRect second;
    runModal(
        *m_form,
        [&] {
            m_form->InitializeAndShow(QStringLiteral("Поздравляем с успехом!\r\nВаши очки: 100."),
                                      QStringLiteral("Победа!"), 64);
        },
        [&] { first = m_form->frameGeometry(); });
    runModal(
        *m_form, [&] { m_form->InitializeAndShow(QStringLiteral("Да"), QStringLiteral("x"), 48); },
        [&] { second = m_form->frameGeometry(); });
    QVERIFY(second.width() < first.width());
    QCOMPARE(second.topLeft(), first.topLeft());

    const QRect owner = m_main->frameGeometry();
    QCOMPARE(first.left(), std::max(0, owner.left() + (owner.width() - first.width()) / 2));
    QCOMPARE(first.top(), std::max(0, owner.top() + (owner.height() - first.height()) / 2));
}

void TestMessageWindow::enterClosesWithAnyModifiers_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Alt+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier | Qt::AltModifier);
}

void TestMessageWindow::enterClosesWithAnyModifiers() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    const bool stillShown = runModal(
        *m_form, [&] { m_form->InitializeAndShow(QStringLiteral("Текст"), QStringLiteral("x"), 48); },
        [&] { pressKey(*m_form, Qt::Key(key), Qt::KeyboardModifiers(modifiers)); });
    QVERIFY(!stillShown);
}

void TestMessageWindow::otherKeysDoNotClose_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("letter") << int(Qt::Key_A);
    QTest::newRow("Tab") << int(Qt::Key_Tab);
}

void TestMessageWindow::otherKeysDoNotClose() {
    QFETCH(int, key);
    const bool stillShown = runModal(
        *m_form, [&] { m_form->InitializeAndShow(QStringLiteral("Текст"), QStringLiteral("x"), 48); },
        [&] { pressKey(*m_form, Qt::Key(key)); });
    QVERIFY(stillShown);
}

void TestMessageWindow::continueButtonCloses() {
    const bool stillShown = runModal(
        *m_form, [&] { m_form->InitializeAndShow(QStringLiteral("Текст"), QStringLiteral("x"), 64); },
        [&] { QTest::mouseClick(control<TLMDMMButton>(m_form, "LMDMMButton1"), Qt::LeftButton); });
    QVERIFY(!stillShown);
}

void TestMessageWindow::closeBoxCloses() {
    bool accepted = false;
    const bool stillShown = runModal(
        *m_form, [&] { m_form->InitializeAndShow(QStringLiteral("Текст"), QStringLiteral("x"), 64); },
        [&] { accepted = m_form->windowHandle()->close(); });
    QVERIFY(accepted);
    QVERIFY(!stillShown);
}

QTEST_MAIN(TestMessageWindow)
#include "tst_messagewindow.moc"

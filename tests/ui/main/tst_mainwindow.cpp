#include "engine/checking.h"
#include "engine/hinttable.h"
#include "engine/logic.h"
#include "mainwindowsetup.h"
#include "resources/appresources.h"
#include "session/gamedata.h"
#include "ui/controls/bevellabel.h"
#include "ui/controls/mmbutton.h"
#include "ui/controls/picturebox.h"
#include "ui/controls/progress.h"
#include "ui/controls/systemcolors.h"
#include "ui/dialogs/aboutwindow.h"
#include "ui/dialogs/guidelineswindow.h"
#include "ui/dialogs/hintwindow.h"
#include "ui/dialogs/messagewindow.h"
#include "ui/main/mainwindow.h"
#include "ui/main/operationframes.h"
#include "ui/main/radiogroup.h"
#include "ui/main/soundoutput.h"
#include "ui/main/valuelist.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

using session::GameState;

namespace {

void flushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString widgetText(const QWidget *widget) {
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *box = qobject_cast<const QGroupBox *>(widget))
        return box->title();
    if (auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->currentText();
    return {};
}

QList<TOperationFrame *> liveFrames(const TForm1 &form) {
    return control(&form, "Panel1")->findChildren<TOperationFrame *>(QString(), Qt::FindDirectChildrenOnly);
}

// Keys come through the window, as they do from the keyboard: the window hands them to its focused control.
void pressKey(TForm1 *form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(form->windowHandle(), key, modifiers);
}

// A radio button reacts to clicks on its indicator and text, not on the empty rest of its row.
void pick(QRadioButton *item) {
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
}

class RecordingSound : public SoundOutput {
public:
    QStringList played;
    void play(const QString &name) override { played << name; }
};

// The right result of a frame as its lists stand.
int rightResult(const TOperationFrame *frame) {
    const auto a = engine::TLogicValue(frame->valueList(1)->currentIndex());
    if (!frame->isTwoInput())
        return engine::operationResult(engine::okNot, a);
    return engine::operationResult(engine::TOperationKind(frame->Tag % 10), a,
                                   engine::TLogicValue(frame->valueList(2)->currentIndex()));
}

QColor pixelAt(QWidget *widget, const QPoint &at) {
    return widget->grab().toImage().pixelColor(at);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void controlsStandWhereTheLayoutPutsThem_data();
    void controlsStandWhereTheLayoutPutsThem();
    void clientAreaIsFixedBelowTheMenu();
    void titlePictureIsShownPixelForPixel();
    void menuItemsAndTheirStartingStates();
    void unsuitableScreenShowsMessagesAndRequestsTermination();
    void windowsStatesFollowTheTable_data();
    void windowsStatesFollowTheTable();
    void everyExerciseLeavesExactlyItsOwnFrames();
    void answerBoxStandsAtItsPlaceAndResetsEachExercise();
    void oldFrameOutlivesTheEventThatReplacedIt();
    void notationChangeRelabelsTheLiveDiagram();
    void gameClockTicksFreezesAndResets();
    void lampsAndTheirHintFollowTheTotalTime();
    void progressSegmentsShowTheResultSlots();
    void keysActOnlyWhereTheStateListensForThem_data();
    void keysActOnlyWhereTheStateListensForThem();
    void theLevelKeyNeverReachesTheNewExercise_data();
    void theLevelKeyNeverReachesTheNewExercise();
    void enterInAFrameListAnswersOnceAndLeavesTheMessageOpen();
    void enterInAnOpenDropDownOnlyChoosesTheItem();
    void soundSwitchSilencesBothClips();
    void explanationComesInTheNotationOfTheMoment();
    void f1OpensTheReferenceInEveryState();
    void hiddenOrDisabledButtonsDoNothing();
    void startupScreenComesAfterTheWindowsFirstPaint();
    void screenReaderNamesFollowTheGame();
    void aWholeGameWithTheKeyboardAlone_data();
    void aWholeGameWithTheKeyboardAlone();
    void hintTableFitsItsTextsAndCountsEveryOpening_data();
    void hintTableFitsItsTextsAndCountsEveryOpening();
    void hintTableDrawsCellsCentredWithoutSelection();
    void hintTableNarrowsForEnglishKeepingItsLeftEdge();
    void tenthExerciseShowsTheScoreThenGameOver();

private:
    TForm1 *m_form = nullptr;
};

void TestMainWindow::initTestCase() {
    prepareMainWindowTests();
}

void TestMainWindow::init() {
    m_form = new TForm1;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestMainWindow::cleanup() {
    delete m_form;
    m_form = nullptr;
    flushDeferredDeletes();
}

void TestMainWindow::controlsStandWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("text");
    // The level prompt after start-up: the title picture is shown, the exercise area's controls hidden.
    const struct {
        const char *name, *parent;
        QRect geometry;
        bool visible, enabled;
        const char *text;
    } rows[] = {
        {"Panel1", "client", {3, 3, 617, 497}, true, true, ""},
        {"Image1", "Panel1", {0, 0, 617, 497}, true, true, ""},
        {"LMDLabel1", "Panel1", {20, 180, 581, 80}, false, true, "Вычисли результат логических операций"},
        {"ComboBox1", "Panel1", {510, 350, 91, 30}, false, true, "?"},
        {"GroupBox1", "Panel1", {20, 10, 581, 161}, false, true, "Обозначения"},
        {"RadioGroup1", "GroupBox1", {20, 25, 261, 121}, false, true, "Логические значения"},
        {"RadioGroup2", "GroupBox1", {300, 25, 261, 121}, false, true, "Логические операции"},
        {"LMDProgress1", "client", {4, 507, 615, 40}, true, true, ""},
        {"LMDBackPanel1", "client", {628, 3, 160, 544}, true, true, ""},
        {"Shape1", "LMDBackPanel1", {0, 0, 160, 544}, true, true, ""},
        {"Image6", "LMDBackPanel1", {10, 10, 40, 40}, true, true, ""},
        {"Image3", "LMDBackPanel1", {61, 10, 40, 40}, true, true, ""},
        {"Image5", "LMDBackPanel1", {111, 10, 40, 40}, true, true, ""},
        {"Image4", "LMDBackPanel1", {11, 60, 140, 40}, true, true, ""},
        {"LMDSimpleLabel1", "LMDBackPanel1", {41, 70, 80, 20}, true, true, "00:00"},
        {"Label2", "LMDBackPanel1", {40, 100, 81, 20}, true, true, "Время"},
        {"LMDMMButton1", "LMDBackPanel1", {5, 135, 150, 40}, true, false, "Подсказка"},
        {"Label5", "LMDBackPanel1", {2, 190, 155, 81}, true, true, "Выбери уровень сложности:"},
        {"LMDBackPanel3", "LMDBackPanel1", {2, 280, 155, 250}, true, true, ""},
        {"LMDMMButton2", "LMDBackPanel3", {2, 11, 150, 40}, false, true, "Да"},
        {"LMDMMButton3", "LMDBackPanel3", {2, 61, 150, 40}, false, true, "Нет"},
        {"LMDMMButton4", "LMDBackPanel3", {2, 11, 150, 40}, true, true, "1"},
        {"LMDMMButton5", "LMDBackPanel3", {2, 61, 150, 40}, true, true, "2"},
        {"LMDMMButton6", "LMDBackPanel3", {2, 111, 150, 40}, true, true, "3"},
        {"LMDMMButton7", "LMDBackPanel3", {2, 11, 150, 40}, false, true, "Готово"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << QString::fromLatin1(row.name) << QString::fromLatin1(row.parent)
                                << row.geometry << row.visible << row.enabled << QString::fromUtf8(row.text);
}

void TestMainWindow::controlsStandWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    QFETCH(QString, text);
    auto *widget = m_form->findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->isVisibleTo(m_form), visible);
    QCOMPARE(widget->isEnabled(), enabled);
    QCOMPARE(widgetText(widget), text);
}

void TestMainWindow::clientAreaIsFixedBelowTheMenu() {
    QCOMPARE(m_form->centralWidget()->size(), QSize(792, 553));
    QCOMPARE(m_form->centralWidget()->y(), m_form->menuWidget()->height());
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Логикус"));
    QCOMPARE(QFontInfo(m_form->font()).family(), QStringLiteral("Liberation Mono"));
    QCOMPARE(m_form->font().pixelSize(), 19);
    QVERIFY(m_form->font().bold());
    // Initial choices: "Нет/Да" and English names.
    QCOMPARE(control<TRadioGroup>(m_form, "RadioGroup1")->ItemIndex(), 1);
    QCOMPARE(control<TRadioGroup>(m_form, "RadioGroup2")->ItemIndex(), 1);
    QCOMPARE(control<TRadioGroup>(m_form, "RadioGroup1")->item(4)->text(), QStringLiteral("False/True"));
    QVERIFY(control<QTimer>(m_form, "Timer3")->isActive());
    QVERIFY(!control<QTimer>(m_form, "Timer1")->isActive());
    QCOMPARE(control<QTimer>(m_form, "Timer1")->interval(), 1000);
    QCOMPARE(control<QTimer>(m_form, "Timer1")->timerType(), Qt::PreciseTimer);
}

void TestMainWindow::titlePictureIsShownPixelForPixel() {
    const QImage shown =
        control<PictureBox>(m_form, "Image1")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage stored =
        QImage(QStringLiteral(":/pictures/title.bmp")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(617, 497));
    QCOMPARE(shown, stored);
}

void TestMainWindow::menuItemsAndTheirStartingStates() {
    QCOMPARE(control<QMenu>(m_form, "N1")->title(), QStringLiteral("Настройка"));
    QCOMPARE(control<QMenu>(m_form, "N4")->title(), QStringLiteral("Выбери уровень"));
    QCOMPARE(control<QAction>(m_form, "N11")->text(), QStringLiteral("Сложность &1"));
    QCOMPARE(control<QAction>(m_form, "N31")->text(), QStringLiteral("Сложность &3"));
    QCOMPARE(control<QAction>(m_form, "N10")->text(), QStringLiteral("Звук включен"));
    QVERIFY(control<QAction>(m_form, "N10")->isChecked());
    QCOMPARE(control<QAction>(m_form, "N6")->shortcut(), QKeySequence(Qt::Key_F1));
    const QList<QAction *> settings = control<QMenu>(m_form, "N1")->actions();
    QCOMPARE(settings.size(), 6);
    QVERIFY(settings.at(3)->isSeparator());
    QCOMPARE(settings.at(5), control<QAction>(m_form, "mnuExit"));
    const QList<QAction *> help = control<QMenu>(m_form, "N3")->actions();
    QCOMPARE(help.size(), 4);
    QCOMPARE(help.at(0), control<QAction>(m_form, "N12"));
    QVERIFY(help.at(2)->isSeparator());
    QCOMPARE(help.at(3)->text(), QStringLiteral("О программе"));
    QVERIFY(control<QMenu>(m_form, "N4")->isEnabled());
    QVERIFY(!control<QAction>(m_form, "N9")->isEnabled());
    QVERIFY(!control<QAction>(m_form, "N5")->isEnabled());

    control<QAction>(m_form, "N10")->trigger();
    QCOMPARE(control<QAction>(m_form, "N10")->text(), QStringLiteral("Звук выключен"));
    QVERIFY(!control<QAction>(m_form, "N10")->isChecked());
    control<QAction>(m_form, "N10")->trigger();
    QCOMPARE(control<QAction>(m_form, "N10")->text(), QStringLiteral("Звук включен"));
}

void TestMainWindow::unsuitableScreenShowsMessagesAndRequestsTermination() {
    const auto savedFacts = TForm1::screenFactsSource;
    const auto savedShow = TForm1::showScreenMessage;
    QStringList shown;
    TForm1::screenFactsSource = [] { return session::ScreenFacts{8, 799, 600}; };
    TForm1::showScreenMessage = [&](const QString &caption, const QString &text) {
        shown << caption + "|" + text;
    };
    TForm1 form;
    TForm1::screenFactsSource = savedFacts;
    TForm1::showScreenMessage = savedShow;

    QVERIFY(form.terminationRequested());
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown.at(0).startsWith(
        QStringLiteral("Неприемлемый режим экрана|Эта программа использует 16-разрядный")));
    QVERIFY(shown.at(1).contains(QStringLiteral("800х600")));
    // The rest of start-up still ran: faces drawn, level prompt set.
    QCOMPARE(form.drawnButtons().size(), 2);
    QCOMPARE(form.lampImages().size(), 6);
    QCOMPARE(form.game().state(), GameState::LevelPrompt);
    QVERIFY(!m_form->terminationRequested());
}

void TestMainWindow::windowsStatesFollowTheTable_data() {
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("level");
    QTest::newRow("start-up") << 0 << int(GameState::LevelPrompt) << 0;
    QTest::newRow("level 2 by button") << 1 << int(GameState::Playing) << 2;
    QTest::newRow("game ended") << 2 << int(GameState::GameOver) << 0;
    QTest::newRow("again: yes") << 3 << int(GameState::LevelPrompt) << 0;
}

void TestMainWindow::windowsStatesFollowTheTable() {
    QFETCH(int, steps);
    QFETCH(int, state);
    QFETCH(int, level);
    if (steps >= 1)
        QTest::mouseClick(control<TLMDMMButton>(m_form, "LMDMMButton5"), Qt::LeftButton);
    if (steps >= 2)
        control<QAction>(m_form, "N5")->trigger();
    if (steps >= 3)
        QTest::mouseClick(control<TLMDMMButton>(m_form, "LMDMMButton2"), Qt::LeftButton);

    const session::StateView expected = session::stateView(GameState(state), level);
    QCOMPARE(control<QLabel>(m_form, "Label5")->text(), QString(expected.statusText).replace("\r\n", "\n"));
    QCOMPARE(control<PictureBox>(m_form, "Image1")->isVisibleTo(m_form), expected.titlePicture);
    for (QWidget *widget : {static_cast<QWidget *>(control<QGroupBox>(m_form, "GroupBox1")),
                            static_cast<QWidget *>(control<QLabel>(m_form, "LMDLabel1")),
                            static_cast<QWidget *>(control<TValueList>(m_form, "ComboBox1"))})
        QCOMPARE(widget->isVisibleTo(m_form), !expected.titlePicture);
    for (QWidget *button :
         {control<TLMDMMButton>(m_form, "LMDMMButton4"), control<TLMDMMButton>(m_form, "LMDMMButton5"),
          control<TLMDMMButton>(m_form, "LMDMMButton6")})
        QCOMPARE(button->isVisibleTo(m_form), expected.levelButtons);
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton7")->isVisibleTo(m_form), expected.doneButton);
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton2")->isVisibleTo(m_form), expected.yesNoButtons);
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton3")->isVisibleTo(m_form), expected.yesNoButtons);
    QCOMPARE(control<TLMDMMButton>(m_form, "LMDMMButton1")->isEnabled(), expected.hintEnabled);
    QCOMPARE(control<QMenu>(m_form, "N4")->isEnabled(), expected.levelMenuEnabled);
    QCOMPARE(control<QAction>(m_form, "N9")->isEnabled(), expected.gameMenuItemsEnabled);
    QCOMPARE(control<QAction>(m_form, "N5")->isEnabled(), expected.gameMenuItemsEnabled);
    QCOMPARE(control<QTimer>(m_form, "Timer1")->isActive(), expected.clockRunning);
    flushDeferredDeletes();
    QCOMPARE(liveFrames(*m_form).isEmpty(), GameState(state) != GameState::Playing);
}

void TestMainWindow::everyExerciseLeavesExactlyItsOwnFrames() {
    for (int level = 1; level <= 3; ++level) {
        m_form->game().chooseLevel(level);
        for (int e = 1; e <= 10; ++e) {
            if (e > 1)
                m_form->NextExercise();
            flushDeferredDeletes();
            QList<TOperationFrame *> frames = liveFrames(*m_form);
            QCOMPARE(frames.size(), level);
            QStringList names;
            for (int slot = 1; slot <= level; ++slot) {
                TOperationFrame *frame = m_form->frame(slot);
                QVERIFY(frames.contains(frame));
                QVERIFY(frame->isVisibleTo(m_form));
                names << frame->objectName();
                QCOMPARE(frame->size(), frame->isTwoInput() ? QSize(250, 130) : QSize(250, 71));
                // Given inputs are disabled and show a value; open ones are enabled at "?".
                for (int list = 1; list <= (frame->isTwoInput() ? 2 : 1); ++list) {
                    TValueList *values = frame->valueList(list);
                    QCOMPARE(values->count(), 3);
                    QCOMPARE(values->isEnabled(), values->currentIndex() == engine::lvUnknown);
                }
            }
            if (level == 3)
                QCOMPARE(names, (QStringList{"Frame31", "Frame3", "Frame4"}));
            QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        }
        m_form->N5Click();
        flushDeferredDeletes();
        QVERIFY(liveFrames(*m_form).isEmpty());
        QVERIFY(!m_form->frame(1) && !m_form->frame(2) && !m_form->frame(3));
    }
}

void TestMainWindow::answerBoxStandsAtItsPlaceAndResetsEachExercise() {
    m_form->game().chooseLevel(1);
    QCOMPARE(control<TValueList>(m_form, "ComboBox1")->pos(), QPoint(385, 350));
    QCOMPARE(m_form->frame(1)->x(), 135);
    control<TValueList>(m_form, "ComboBox1")->setCurrentIndex(engine::lvTrue);
    m_form->NextExercise();
    QCOMPARE(control<TValueList>(m_form, "ComboBox1")->currentIndex(), int(engine::lvUnknown));
    QCOMPARE(control<TValueList>(m_form, "ComboBox1")->currentText(), QStringLiteral("?"));
    m_form->N5Click();
    m_form->game().chooseLevel(2);
    QCOMPARE(control<TValueList>(m_form, "ComboBox1")->pos(), QPoint(510, 350));
    QCOMPARE(control<QLabel>(m_form, "LMDLabel1")->text(),
             QStringLiteral("Вычисли результаты выполнения логических операций"));
}

void TestMainWindow::oldFrameOutlivesTheEventThatReplacedIt() {
    m_form->game().chooseLevel(2);
    QPointer<TOperationFrame> old = m_form->frame(1);
    m_form->NextExercise();
    // Out of sight and out of the exercise area at once, deleted only when the event loop gets control.
    QVERIFY(old);
    QVERIFY(!old->isVisible());
    QVERIFY(old->parentWidget() != control(m_form, "Panel1"));
    QVERIFY(old != m_form->frame(1));
    flushDeferredDeletes();
    QVERIFY(!old);
}

void TestMainWindow::notationChangeRelabelsTheLiveDiagram() {
    m_form->game().chooseLevel(3);
    TOperationFrame *last = m_form->frame(1);
    last->valueList(1)->setCurrentIndex(engine::lvTrue);
    QCOMPARE(last->valueList(1)->currentText(), QStringLiteral("Да"));
    const bool givenEnabled = m_form->frame(3)->valueList(1)->isEnabled();

    pick(control<TRadioGroup>(m_form, "RadioGroup1")->item(0));
    QCOMPARE(last->valueList(1)->currentText(), QStringLiteral("1"));
    QCOMPARE(last->valueList(2)->currentText(), QStringLiteral("?"));
    QCOMPARE(control<TValueList>(m_form, "ComboBox1")->itemText(1), QStringLiteral("0"));
    QCOMPARE(m_form->frame(3)->valueList(1)->isEnabled(), givenEnabled);

    pick(control<TRadioGroup>(m_form, "RadioGroup2")->item(0));
    QCOMPARE(m_form->frame(3)->operationBox()->text(), QStringLiteral("НЕ"));
    pick(control<TRadioGroup>(m_form, "RadioGroup1")->item(2));
    QCOMPARE(last->valueList(1)->currentText(), QStringLiteral("Истина"));
    // The next exercise comes in the notation and language then current.
    m_form->NextExercise();
    QCOMPARE(control<TValueList>(m_form, "ComboBox1")->itemText(2), QStringLiteral("Истина"));
    QCOMPARE(m_form->frame(3)->operationBox()->text(), QStringLiteral("НЕ"));
}

void TestMainWindow::gameClockTicksFreezesAndResets() {
    m_form->game().chooseLevel(1);
    QVERIFY(control<QTimer>(m_form, "Timer1")->isActive());
    m_form->Timer1Timer();
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->text(), QStringLiteral("00:01"));
    m_form->Timer1Timer();
    control<QAction>(m_form, "N5")->trigger();
    QVERIFY(!control<QTimer>(m_form, "Timer1")->isActive());
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->text(), QStringLiteral("00:02"));
    control<QAction>(m_form, "N21")->trigger();
    QCOMPARE(control<QLabel>(m_form, "LMDSimpleLabel1")->text(), QStringLiteral("00:00"));
    QCOMPARE(m_form->game().data().GameSeconds, 0);
}

void TestMainWindow::lampsAndTheirHintFollowTheTotalTime() {
    const auto lampIs = [this](QLabel *lamp, int image) {
        return lamp->pixmap().toImage() == QPixmap::fromImage(m_form->lampImages().at(image)).toImage();
    };
    QVERIFY(lampIs(control<QLabel>(m_form, "Image6"), 0) && lampIs(control<QLabel>(m_form, "Image3"), 2) &&
            lampIs(control<QLabel>(m_form, "Image5"), 4));
    m_form->Timer3Timer();
    QVERIFY(lampIs(control<QLabel>(m_form, "Image6"), 1));
    for (int i = 0; i < 4; ++i)
        m_form->Timer3Timer();
    for (QLabel *lamp : {control<QLabel>(m_form, "Image6"), control<QLabel>(m_form, "Image3"),
                         control<QLabel>(m_form, "Image5")})
        QCOMPARE(lamp->toolTip(), QStringLiteral("Общее время - 00:05"));
    while (m_form->totalSeconds() < 900)
        m_form->Timer3Timer();
    QVERIFY(lampIs(control<QLabel>(m_form, "Image6"), 1) && lampIs(control<QLabel>(m_form, "Image3"), 2));
    m_form->Timer3Timer();
    QVERIFY(lampIs(control<QLabel>(m_form, "Image6"), 0) && lampIs(control<QLabel>(m_form, "Image3"), 3) &&
            lampIs(control<QLabel>(m_form, "Image5"), 4));
    while (m_form->totalSeconds() < 1201)
        m_form->Timer3Timer();
    QVERIFY(lampIs(control<QLabel>(m_form, "Image3"), 2) && lampIs(control<QLabel>(m_form, "Image5"), 5));
    // A lit lamp is the lamp colour at its centre.
    QCOMPARE(m_form->lampImages().at(5).pixelColor(20, 20), QColor(255, 0, 0));
}

void TestMainWindow::progressSegmentsShowTheResultSlots() {
    // Bar i spans x = 4 + 61·i … in the widget (inside the one-pixel bevel), y = 4 … 35.
    const auto segment = [this](int i) {
        return pixelAt(control<TLMDProgress>(m_form, "LMDProgress1"), {4 + 61 * i + 29, 20});
    };
    for (int i = 0; i < 10; ++i)
        QCOMPARE(segment(i), systemColor(SystemColor::Highlight));
    m_form->game().chooseLevel(1);
    QCOMPARE(segment(0), QColor(255, 255, 255));
    QCOMPARE(segment(1), systemColor(SystemColor::Highlight));
    m_form->game().data().slot(1) = session::esRight;
    m_form->NextExercise();
    m_form->game().data().slot(2) = session::esWrong;
    m_form->NextExercise();
    QCOMPARE(segment(0), QColor(0, 255, 0));
    QCOMPARE(segment(1), QColor(255, 0, 0));
    QCOMPARE(segment(2), QColor(255, 255, 255));
    QCOMPARE(segment(9), systemColor(SystemColor::Highlight));
    // Ending the game keeps the colours, the current exercise still marked current.
    m_form->N5Click();
    QCOMPARE(segment(2), QColor(255, 255, 255));
    QCOMPARE(pixelAt(control<TLMDProgress>(m_form, "LMDProgress1"), {4 + 59, 20}),
             systemColor(SystemColor::ButtonFace));
}

void TestMainWindow::keysActOnlyWhereTheStateListensForThem_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("stateAfter");
    QTest::addColumn<int>("levelOrExercise");
    const int prompt = int(GameState::LevelPrompt), playing = int(GameState::Playing),
              over = int(GameState::GameOver), closed = -1;
    const int none = Qt::NoModifier, keypad = Qt::KeypadModifier, shift = Qt::ShiftModifier;
    // In the level prompt the last column is the level chosen; while playing, the exercise on the screen.
    QTest::newRow("prompt: 1") << prompt << int(Qt::Key_1) << none << playing << 1;
    QTest::newRow("prompt: Shift+1") << prompt << int(Qt::Key_1) << shift << playing << 1;
    QTest::newRow("prompt: 2") << prompt << int(Qt::Key_2) << none << playing << 2;
    QTest::newRow("prompt: 3 with Ctrl")
        << prompt << int(Qt::Key_3) << int(Qt::ControlModifier) << playing << 3;
    QTest::newRow("prompt: keypad 2") << prompt << int(Qt::Key_2) << keypad << prompt << 0;
    QTest::newRow("prompt: 4") << prompt << int(Qt::Key_4) << none << prompt << 0;
    QTest::newRow("prompt: Enter") << prompt << int(Qt::Key_Return) << none << prompt << 0;
    QTest::newRow("prompt: Escape") << prompt << int(Qt::Key_Escape) << none << prompt << 0;
    QTest::newRow("playing: Escape") << playing << int(Qt::Key_Escape) << none << playing << 1;
    QTest::newRow("playing: 2") << playing << int(Qt::Key_2) << none << playing << 1;
    QTest::newRow("playing: Enter answers") << playing << int(Qt::Key_Return) << none << playing << 2;
    QTest::newRow("playing: keypad Enter answers") << playing << int(Qt::Key_Enter) << keypad << playing << 2;
    QTest::newRow("playing: Shift+Enter answers") << playing << int(Qt::Key_Return) << shift << playing << 2;
    QTest::newRow("game over: 1") << over << int(Qt::Key_1) << none << over << 0;
    QTest::newRow("game over: 3") << over << int(Qt::Key_3) << none << over << 0;
    QTest::newRow("game over: Enter") << over << int(Qt::Key_Return) << none << prompt << 0;
    QTest::newRow("game over: keypad Enter") << over << int(Qt::Key_Enter) << keypad << prompt << 0;
    QTest::newRow("game over: Escape ends the program") << over << int(Qt::Key_Escape) << none << closed << 0;
}

void TestMainWindow::keysActOnlyWhereTheStateListensForThem() {
    QFETCH(int, state);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, stateAfter);
    QFETCH(int, levelOrExercise);
    if (GameState(state) != GameState::LevelPrompt)
        m_form->N11Click();
    if (GameState(state) == GameState::GameOver)
        m_form->N5Click();
    pressKey(m_form, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (stateAfter < 0) {
        QVERIFY(!m_form->isVisible());
        return;
    }
    QVERIFY(m_form->isVisible());
    QCOMPARE(int(m_form->game().state()), stateAfter);
    if (GameState(state) == GameState::LevelPrompt && levelOrExercise > 0)
        QCOMPARE(m_form->game().data().Level, levelOrExercise);
    if (GameState(state) == GameState::Playing)
        QCOMPARE(m_form->game().data().CurrentExercise, levelOrExercise);
}

void TestMainWindow::theLevelKeyNeverReachesTheNewExercise_data() {
    QTest::addColumn<int>("notation");
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("level");
    const char *notations[] = {"0/1", "Нет/Да", "Ложь/Истина", "No/Yes", "False/True"};
    for (int notation = 0; notation < 5; ++notation)
        for (const char *way : {"key", "menu", "button"})
            for (int level = 1; level <= 3; ++level)
                QTest::addRow("%s level %d by %s", notations[notation], level, way)
                    << notation << QString::fromLatin1(way) << level;
}

void TestMainWindow::theLevelKeyNeverReachesTheNewExercise() {
    QFETCH(int, notation);
    QFETCH(QString, way);
    QFETCH(int, level);
    // The way a pupil comes back to the prompt: a game ended, and Enter for "Да".
    control<TRadioGroup>(m_form, "RadioGroup1")->setItemIndex(notation);
    m_form->N11Click();
    m_form->N5Click();
    pressKey(m_form, Qt::Key_Return);
    QCOMPARE(m_form->game().state(), GameState::LevelPrompt);

    const Qt::Key digit = Qt::Key(Qt::Key_1 + level - 1);
    if (way == QLatin1String("key")) {
        pressKey(m_form, digit);
    } else if (way == QLatin1String("menu")) {
        // The submenu's access keys choose its items.
        control<QMenu>(m_form, "N4")->popup(m_form->mapToGlobal(QPoint(20, 20)));
        QTRY_VERIFY(QApplication::activePopupWidget() == control<QMenu>(m_form, "N4"));
        QTest::keyClick(control<QMenu>(m_form, "N4")->windowHandle(), digit);
    } else {
        TLMDMMButton *buttons[] = {control<TLMDMMButton>(m_form, "LMDMMButton4"),
                                   control<TLMDMMButton>(m_form, "LMDMMButton5"),
                                   control<TLMDMMButton>(m_form, "LMDMMButton6")};
        QTest::mouseClick(buttons[level - 1], Qt::LeftButton);
    }
    QCOMPARE(m_form->game().state(), GameState::Playing);
    QCOMPARE(m_form->game().data().Level, level);
    QList<TValueList *> open{control<TValueList>(m_form, "ComboBox1")};
    for (int list = 1; list <= (m_form->frame(1)->isTwoInput() ? 2 : 1); ++list)
        if (m_form->frame(1)->valueList(list)->isEnabled())
            open << m_form->frame(1)->valueList(list);
    QVERIFY(open.contains(m_form->focusWidget()));
    for (const TValueList *list : open)
        QCOMPARE(list->currentText(), QStringLiteral("?"));
}

void TestMainWindow::enterInAFrameListAnswersOnceAndLeavesTheMessageOpen() {
    TForm8 messages(m_form, &m_form->drawnButtons());
    m_form->setDialogs(nullptr, &messages, nullptr, nullptr);
    m_form->N21Click();
    QPointer<TValueList> open = m_form->frame(1)->valueList(1)->isEnabled() ? m_form->frame(1)->valueList(1)
                                                                            : m_form->frame(1)->valueList(2);
    open->setFocus();
    QVERIFY(open->hasFocus());
    int shown = 0;
    bool stillOpenAfterTheKey = false;
    QTimer::singleShot(0, &messages, [&] {
        ++shown;
        stillOpenAfterTheKey = messages.isVisible();
        control<TLMDMMButton>(&messages, "LMDMMButton1")->click();
    });
    pressKey(m_form, Qt::Key_Return);
    QCOMPARE(shown, 1);
    QVERIFY(stillOpenAfterTheKey);
    QCOMPARE(m_form->game().data().CurrentExercise, 2);
    QCOMPARE(m_form->game().data().slot(1), int(session::esWrong));
    // The list the key started in is deleted once the event loop gets control; nothing touches it after.
    flushDeferredDeletes();
    QVERIFY(!open);
    m_form->setDialogs(nullptr, nullptr, nullptr, nullptr);
}

void TestMainWindow::enterInAnOpenDropDownOnlyChoosesTheItem() {
    m_form->N11Click();
    control<TValueList>(m_form, "ComboBox1")->setFocus();
    const int values[] = {engine::lvFalse, engine::lvTrue};
    for (const int value : values) {
        control<TValueList>(m_form, "ComboBox1")->showPopup();
        QWidget *popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QTest::keyClick(popup->windowHandle(), Qt::Key_Down);
        if (value == engine::lvFalse) {
            // The window system gives an open list's keys to the list's own window.
            QTest::keyClick(popup->windowHandle(), Qt::Key_Return);
        } else {
            // Should one reach the main window, Qt hands it on to the open list all the same.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QApplication::sendEvent(m_form->windowHandle(), &press);
        }
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(control<TValueList>(m_form, "ComboBox1")->currentIndex(), value);
        QCOMPARE(m_form->game().data().CurrentExercise, 1);
    }
}

void TestMainWindow::soundSwitchSilencesBothClips() {
    RecordingSound sound;
    TForm8 messages(m_form, &m_form->drawnButtons());
    m_form->setSoundOutput(&sound);
    m_form->setDialogs(nullptr, &messages, nullptr, nullptr);
    QStringList heardWhileTheMessageWasOpen;
    const auto answerWrong = [&] {
        QTimer::singleShot(0, &messages, [&] {
            heardWhileTheMessageWasOpen = sound.played;
            control<TLMDMMButton>(&messages, "LMDMMButton1")->click();
        });
        control<QAction>(m_form, "N9")->trigger(); // the answer box is still at "?"
    };
    const auto answerRight = [&] {
        control<TValueList>(m_form, "ComboBox1")->setCurrentIndex(rightResult(m_form->frame(1)));
        control<TLMDMMButton>(m_form, "LMDMMButton7")->click();
    };
    m_form->N11Click();
    answerRight();
    answerWrong();
    QCOMPARE(sound.played, (QStringList{"Sound2", "Sound3"}));
    QCOMPARE(heardWhileTheMessageWasOpen, sound.played);
    QCOMPARE(m_form->game().data().slot(1), int(session::esRight));
    QCOMPARE(m_form->game().data().slot(2), int(session::esWrong));

    control<QAction>(m_form, "N10")->trigger();
    QCOMPARE(control<QAction>(m_form, "N10")->text(), QStringLiteral("Звук выключен"));
    QVERIFY(!control<QAction>(m_form, "N10")->isChecked());
    answerRight();
    answerWrong();
    QCOMPARE(sound.played.size(), 2);
    QCOMPARE(m_form->game().data().CurrentExercise, 5);

    control<QAction>(m_form, "N10")->trigger();
    QCOMPARE(control<QAction>(m_form, "N10")->text(), QStringLiteral("Звук включен"));
    QVERIFY(control<QAction>(m_form, "N10")->isChecked());
    answerWrong();
    QCOMPARE(sound.played.last(), QStringLiteral("Sound3"));
    m_form->setDialogs(nullptr, nullptr, nullptr, nullptr);
    m_form->setSoundOutput(nullptr);
}

void TestMainWindow::explanationComesInTheNotationOfTheMoment() {
    TForm8 messages(m_form, &m_form->drawnButtons());
    m_form->setDialogs(nullptr, &messages, nullptr, nullptr);
    m_form->N21Click();
    // Exercise 1 of level 2: a negation feeds one input of a two-input operation. Make it the worked example:
    // AND with the other input given true, the negation of false; the pupil enters false and false.
    TOperationFrame *final = m_form->frame(1);
    TOperationFrame *negation = m_form->frame(2);
    QVERIFY(final->isTwoInput() && !negation->isTwoInput());
    final->Tag = engine::okAnd;
    TValueList *fed = negation->Tag >= 10 ? final->valueList(2) : final->valueList(1);
    TValueList *given = negation->Tag >= 10 ? final->valueList(1) : final->valueList(2);
    given->setCurrentIndex(engine::lvTrue);
    negation->valueList(1)->setCurrentIndex(engine::lvFalse);
    fed->setCurrentIndex(engine::lvFalse);
    control<TValueList>(m_form, "ComboBox1")->setCurrentIndex(engine::lvFalse);
    pick(control<TRadioGroup>(m_form, "RadioGroup1")->item(2));
    pick(control<TRadioGroup>(m_form, "RadioGroup2")->item(0));
    QString text;
    QTimer::singleShot(0, &messages, [&] {
        text = control<QLabel>(&messages, "LMDSimpleLabel1")->text();
        QCOMPARE(messages.windowTitle(), QStringLiteral("Неверно!"));
        control<TLMDMMButton>(&messages, "LMDMMButton1")->click();
    });
    m_form->LMDMMButton7Click();
    QCOMPARE(text.replace("\n", "\r\n"),
             QStringLiteral("Твой ответ неправилен.\r\nТы не учёл, что\r\nНЕ Ложь = Истина"));
    m_form->setDialogs(nullptr, nullptr, nullptr, nullptr);
}

void TestMainWindow::f1OpensTheReferenceInEveryState() {
    TForm7 guidelines(m_form, &m_form->drawnButtons());
    m_form->setDialogs(&guidelines, nullptr, nullptr, nullptr);
    const std::function<void()> toState[] = {[] {}, [this] { m_form->N31Click(); },
                                             [this] { m_form->N5Click(); }};
    for (const auto &step : toState) {
        step();
        QString caption;
        QTimer::singleShot(0, &guidelines, [&] {
            caption = guidelines.isVisible() ? guidelines.windowTitle() : QString();
            control<TLMDMMButton>(&guidelines, "LMDMMButton1")->click();
        });
        pressKey(m_form, Qt::Key_F1);
        QCOMPARE(caption, QStringLiteral("Справочная информация"));
    }
    m_form->setDialogs(nullptr, nullptr, nullptr, nullptr);
}

void TestMainWindow::startupScreenComesAfterTheWindowsFirstPaint() {
    // Events seen by the main window and the start-up screen, in the order they came.
    class Log : public QObject {
    public:
        QStringList seen;
        bool eventFilter(QObject *watched, QEvent *event) override {
            if (event->type() == QEvent::Paint || event->type() == QEvent::Show)
                seen << watched->objectName() + (event->type() == QEvent::Paint ? " paint" : " show");
            return false;
        }
    } log;
    TForm1 form;
    TForm9 startup(&form);
    form.setDialogs(nullptr, nullptr, nullptr, &startup);
    form.installEventFilter(&log);
    startup.installEventFilter(&log);
    QTimer closer;
    connect(&closer, &QTimer::timeout, &startup, [&] {
        if (startup.isVisible())
            startup.done(QDialog::Accepted);
    });
    closer.start(10);
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(log.seen.contains("Form9 show"), 10000);
    const qsizetype shown = log.seen.indexOf("Form9 show");
    const qsizetype painted = log.seen.indexOf("Form1 paint");
    QVERIFY2(painted >= 0 && painted < shown, qPrintable(log.seen.join(", ")));
    QTRY_VERIFY(!startup.isVisible());
    form.setDialogs(nullptr, nullptr, nullptr, nullptr);
}

void TestMainWindow::hiddenOrDisabledButtonsDoNothing() {
    // Qt can hand a key to a button hidden while its window was inactive; such a click must change nothing.
    control<TLMDMMButton>(m_form, "LMDMMButton7")->click();
    control<TLMDMMButton>(m_form, "LMDMMButton2")->click();
    control<TLMDMMButton>(m_form, "LMDMMButton1")->click();
    QCOMPARE(m_form->game().state(), GameState::LevelPrompt);
    QCOMPARE(m_form->game().data().HintCount, 0);
    m_form->N21Click();
    for (TLMDMMButton *hidden :
         {control<TLMDMMButton>(m_form, "LMDMMButton2"), control<TLMDMMButton>(m_form, "LMDMMButton3"),
          control<TLMDMMButton>(m_form, "LMDMMButton4"), control<TLMDMMButton>(m_form, "LMDMMButton5"),
          control<TLMDMMButton>(m_form, "LMDMMButton6")})
        hidden->click();
    QCOMPARE(m_form->game().state(), GameState::Playing);
    QCOMPARE(m_form->game().data().Level, 2);
    QVERIFY(m_form->isVisible());
}

void TestMainWindow::screenReaderNamesFollowTheGame() {
    const auto spoken = [](QWidget *widget, QAccessible::Text text = QAccessible::Name) {
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(widget);
        return reader ? reader->text(text) : QString();
    };
    // A drop-down list's name on Linux is its value; what it is comes from the label it is the buddy of.
    const auto labelOf = [](QWidget *list) {
        const auto labels = QAccessible::queryAccessibleInterface(list)->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    };
    QCOMPARE(spoken(control<QLabel>(m_form, "Image6")), QStringLiteral("Зелёная лампа, не горит"));
    m_form->Timer3Timer();
    QCOMPARE(spoken(control<QLabel>(m_form, "Image6")), QStringLiteral("Зелёная лампа, горит"));
    QCOMPARE(spoken(control<QLabel>(m_form, "Image6"), QAccessible::Description),
             QStringLiteral("Общее время - 00:01"));
    QCOMPARE(spoken(control<PictureBox>(m_form, "Image1")), QStringLiteral("Печатная плата"));
    QCOMPARE(QAccessible::queryAccessibleInterface(control<PictureBox>(m_form, "Image1"))->role(),
             QAccessible::Graphic);

    m_form->N31Click();
    TOperationFrame *final = m_form->frame(1);
    const QString top = labelOf(final->valueList(1));
    QVERIFY2(top.startsWith(QStringLiteral("Результат операции ")) &&
                 top.contains(QStringLiteral("верхний вход")) &&
                 top.endsWith(QStringLiteral("выбери значение")),
             qPrintable(top));
    QCOMPARE(labelOf(m_form->frame(3)->valueList(1)), QStringLiteral("Вход операции NOT, дано"));
    QCOMPARE(spoken(m_form->frame(3)->valueList(1), QAccessible::Description),
             QStringLiteral("Значение дано в упражнении."));
    pick(control<TRadioGroup>(m_form, "RadioGroup2")->item(0));
    QCOMPARE(labelOf(m_form->frame(3)->valueList(1)), QStringLiteral("Вход операции НЕ, дано"));
    QCOMPARE(labelOf(control<TValueList>(m_form, "ComboBox1")), QStringLiteral("Ответ: результат операции ") +
                                                                    final->operationBox()->text() +
                                                                    QStringLiteral(", выбери значение"));
    QCOMPARE(spoken(m_form->frame(3)->operationBox()), QStringLiteral("НЕ"));

    QCOMPARE(spoken(control<TLMDProgress>(m_form, "LMDProgress1")), QStringLiteral("Ход игры"));
    control<TValueList>(m_form, "ComboBox1")->setCurrentIndex(rightResult(final));
    // Whatever the pupil chose, it was judged.
    m_form->frame(1)->valueList(1)->setCurrentIndex(engine::lvFalse);
    m_form->game().answer(true, QString());
    const QString summary =
        QStringLiteral("Упражнения: 1 — верно; 2 — решается сейчас; 3–10 — ещё не решались.");
    QCOMPARE(spoken(control<TLMDProgress>(m_form, "LMDProgress1"), QAccessible::Description), summary);
    QCOMPARE(control<TLMDProgress>(m_form, "LMDProgress1")->toolTip(), summary);
}

void TestMainWindow::aWholeGameWithTheKeyboardAlone_data() {
    QTest::addColumn<int>("level");
    QTest::newRow("level 1") << 1;
    QTest::newRow("level 2") << 2;
    QTest::newRow("level 3") << 3;
}

void TestMainWindow::aWholeGameWithTheKeyboardAlone() {
    QFETCH(int, level);
    TForm8 messages(m_form, &m_form->drawnButtons());
    m_form->setDialogs(nullptr, &messages, nullptr, nullptr);
    // Messages are closed with Enter too.
    QTimer closer;
    connect(&closer, &QTimer::timeout, &messages, [&messages] {
        if (messages.isVisible())
            QTest::keyClick(messages.windowHandle(), Qt::Key_Return);
    });
    closer.start(5);
    pressKey(m_form, Qt::Key(Qt::Key_0 + level));
    QCOMPARE(m_form->game().state(), GameState::Playing);
    for (int e = 1; e <= 10; ++e) {
        // The lists to fill, in the order Tab visits them from the one that has the focus.
        QList<QWidget *> order{m_form->focusWidget()};
        QVERIFY(order.first());
        while (order.size() < 4) {
            QWidget *next = order.last()->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled() || !next->isVisible())
                next = next->nextInFocusChain();
            if (!qobject_cast<TValueList *>(next) || order.contains(next))
                break;
            order << next;
        }
        QCOMPARE(order.last(), control<TValueList>(m_form, "ComboBox1"));
        // Work the diagram out: the feeding operations into the final one's inputs, then the answer. Every
        // other exercise, the answer is the wrong value.
        QMap<QWidget *, int> wanted;
        TOperationFrame *final = m_form->frame(1);
        for (int slot = 2; slot <= level; ++slot) {
            const TOperationFrame *feeding = m_form->frame(slot);
            wanted[final->valueList(final->isTwoInput() && feeding->Tag >= 10 ? 2 : 1)] =
                rightResult(feeding);
        }
        for (QWidget *list : order)
            if (list != control<TValueList>(m_form, "ComboBox1"))
                static_cast<TValueList *>(list)->setCurrentIndex(wanted.value(list));
        const int answer = rightResult(final);
        for (QWidget *list : order)
            if (list != control<TValueList>(m_form, "ComboBox1"))
                static_cast<TValueList *>(list)->setCurrentIndex(engine::lvUnknown);
        wanted[control<TValueList>(m_form, "ComboBox1")] = e % 2 ? answer : 3 - answer;
        for (QWidget *list : order) {
            QCOMPARE(m_form->focusWidget(), list);
            for (int down = 0; down < wanted.value(list); ++down)
                pressKey(m_form, Qt::Key_Down);
            QCOMPARE(static_cast<TValueList *>(list)->currentIndex(), wanted.value(list));
            if (list != order.last())
                pressKey(m_form, Qt::Key_Tab);
        }
        pressKey(m_form, Qt::Key_Return);
        QCOMPARE(m_form->game().data().slot(e), int(e % 2 ? session::esRight : session::esWrong));
    }
    QCOMPARE(m_form->game().state(), GameState::GameOver);
    pressKey(m_form, Qt::Key_Return);
    QCOMPARE(m_form->game().state(), GameState::LevelPrompt);
    m_form->setDialogs(nullptr, nullptr, nullptr, nullptr);
}

namespace {

// Opens the hint table with its button and runs `whileShown` inside it before closing it.
void openHint(TForm1 *form, TForm2 &hint, const std::function<void()> &whileShown) {
    QTimer::singleShot(0, &hint, [&] {
        whileShown();
        control<TLMDMMButton>(&hint, "LMDMMButton1")->click();
    });
    QTest::mouseClick(control<TLMDMMButton>(form, "LMDMMButton1"), Qt::LeftButton);
}

} // namespace

void TestMainWindow::hintTableFitsItsTextsAndCountsEveryOpening_data() {
    QTest::addColumn<int>("notation");
    QTest::addColumn<int>("language");
    QTest::newRow("0/1, Russian") << 0 << 0;
    QTest::newRow("0/1, English") << 0 << 1;
    QTest::newRow("False/True, Russian") << 4 << 0;
    QTest::newRow("False/True, English") << 4 << 1;
}

void TestMainWindow::hintTableFitsItsTextsAndCountsEveryOpening() {
    QFETCH(int, notation);
    QFETCH(int, language);
    TForm2 hint(m_form, &m_form->drawnButtons());
    m_form->setDialogs(nullptr, nullptr, &hint, nullptr);
    m_form->N11Click();
    pick(control<TRadioGroup>(m_form, "RadioGroup1")->item(notation));
    pick(control<TRadioGroup>(m_form, "RadioGroup2")->item(language));
    const int before = m_form->game().data().HintCount;
    int countWhileShown = -1;
    openHint(m_form, hint, [&] { countWhileShown = m_form->game().data().HintCount; });
    QCOMPARE(countWhileShown, before + 1);

    // Widths as the main window's font measures them: the wider of the header and the wider value text.
    const QFontMetrics metrics(m_form->font());
    const QString F = engine::ValueText(notation, engine::lvFalse),
                  T = engine::ValueText(notation, engine::lvTrue);
    const int v = std::max(metrics.horizontalAdvance(F), metrics.horizontalAdvance(T));
    int sum = 0;
    for (int column = 0; column < 6; ++column) {
        const QString header = control<QTableWidget>(&hint, "StringGrid1")->item(0, column)->text();
        const int width = std::max(v, metrics.horizontalAdvance(header)) + 5;
        QCOMPARE(control<QTableWidget>(&hint, "StringGrid1")->columnWidth(column), width + 1);
        sum += width;
    }
    QCOMPARE(control<QTableWidget>(&hint, "StringGrid1")->item(0, 5)->text(),
             language ? QStringLiteral("A XOR B") : QStringLiteral("A ИСКЛ.ИЛИ B"));
    QCOMPARE(control<QTableWidget>(&hint, "StringGrid1")->item(4, 5)->text(), F);
    QCOMPARE(control<QTableWidget>(&hint, "StringGrid1")->item(2, 2)->text(), T);
    QCOMPARE(control<QTableWidget>(&hint, "StringGrid1")->viewport()->size(), QSize(sum + 6, 125));
    QCOMPARE(hint.width(), control<QTableWidget>(&hint, "StringGrid1")->width() + 40);
    QCOMPARE(hint.height(), 233);

    openHint(m_form, hint, [] {});
    m_form->N5Click();
    QCOMPARE(m_form->game().data().HintCount, before + 2);
    m_form->setDialogs(nullptr, nullptr, nullptr, nullptr);
}

void TestMainWindow::hintTableDrawsCellsCentredWithoutSelection() {
    TForm2 hint(m_form, &m_form->drawnButtons());
    m_form->setDialogs(nullptr, nullptr, &hint, nullptr);
    m_form->N11Click();
    QImage grid;
    QRect header, value;
    openHint(m_form, hint, [&] {
        QTableWidget *table = control<QTableWidget>(&hint, "StringGrid1");
        // A selected, focused row must look like any other.
        table->setFocus();
        table->selectRow(2);
        header = table->visualRect(table->model()->index(0, 4));
        value = table->visualRect(table->model()->index(2, 0));
        grid = table->viewport()->grab().toImage();
    });
    QVERIFY(!grid.isNull());
    const auto inkBox = [&grid](const QRect &cell) {
        QRect box;
        for (int y = cell.top(); y < cell.bottom(); ++y)
            for (int x = cell.left(); x < cell.right(); ++x)
                if (qGray(grid.pixel(x, y)) < 100)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    for (const auto &[cell, background] : {std::pair{header, systemColor(SystemColor::ButtonFace)},
                                           std::pair{value, systemColor(SystemColor::Window)}}) {
        QCOMPARE(grid.pixelColor(cell.left() + 1, cell.top() + 1), background);
        QCOMPARE(grid.pixelColor(cell.right() - 1, cell.bottom() - 1), background);
        // The text's ink is centred in the cell, both ways, to within the glyphs' side bearings.
        const QRect ink = inkBox(cell.adjusted(0, 0, -1, -1));
        QVERIFY(!ink.isEmpty());
        QVERIFY2(qAbs((ink.left() - cell.left()) - (cell.right() - ink.right())) <= 3,
                 qPrintable(QStringLiteral("ink %1..%2 in %3..%4")
                                .arg(ink.left())
                                .arg(ink.right())
                                .arg(cell.left())
                                .arg(cell.right())));
        QVERIFY(qAbs((ink.top() - cell.top()) - (cell.bottom() - ink.bottom())) <= 4);
    }
    // The grid line between the cells is one pixel, neither cell's colour.
    QVERIFY(grid.pixelColor(header.right() + 1, header.center().y()) != systemColor(SystemColor::ButtonFace));
    m_form->setDialogs(nullptr, nullptr, nullptr, nullptr);
}

void TestMainWindow::hintTableNarrowsForEnglishKeepingItsLeftEdge() {
    TForm2 hint(m_form, &m_form->drawnButtons());
    m_form->setDialogs(nullptr, nullptr, &hint, nullptr);
    m_form->N11Click();
    pick(control<TRadioGroup>(m_form, "RadioGroup2")->item(0));
    QRect russian, english;
    openHint(m_form, hint, [&] { russian = hint.frameGeometry(); });
    pick(control<TRadioGroup>(m_form, "RadioGroup2")->item(1));
    openHint(m_form, hint, [&] { english = hint.frameGeometry(); });
    QVERIFY2(english.width() < russian.width(),
             qPrintable(QStringLiteral("%1 vs %2").arg(english.width()).arg(russian.width())));
    QCOMPARE(english.topLeft(), russian.topLeft());
    m_form->setDialogs(nullptr, nullptr, nullptr, nullptr);
}

void TestMainWindow::tenthExerciseShowsTheScoreThenGameOver() {
    TForm8 messages(m_form, &m_form->drawnButtons());
    m_form->setDialogs(nullptr, &messages, nullptr, nullptr);
    QString shownText;
    m_form->game().chooseLevel(1);
    for (int e = 1; e <= 9; ++e) {
        m_form->game().data().slot(e) = session::esRight;
        m_form->NextExercise();
    }
    m_form->game().data().slot(10) = session::esRight;
    QTimer::singleShot(0, &messages, [&] {
        shownText = control<QLabel>(&messages, "LMDSimpleLabel1")->text();
        QCOMPARE(messages.windowTitle(), QStringLiteral("Победа!"));
        control<TLMDMMButton>(&messages, "LMDMMButton1")->click();
    });
    m_form->NextExercise();
    QVERIFY(shownText.contains(QStringLiteral("Ваши очки: 400.")));
    QCOMPARE(m_form->game().state(), GameState::GameOver);
    m_form->setDialogs(nullptr, nullptr, nullptr, nullptr);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

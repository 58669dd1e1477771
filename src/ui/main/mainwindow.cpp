#include "ui/main/mainwindow.h"

#include "engine/checking.h"
#include "engine/exercise.h"
#include "engine/hinttable.h"
#include "engine/spoken.h"
#include "random/randomsource.h"
#include "resources/appresources.h"
#include "session/clocks.h"
#include "session/segmentcolors.h"
#include "session/spoken.h"
#include "ui/controls/bevellabel.h"
#include "ui/controls/faces.h"
#include "ui/controls/mmbutton.h"
#include "ui/controls/picturebox.h"
#include "ui/controls/progress.h"
#include "ui/controls/systemcolors.h"
#include "ui/dialogs/aboutwindow.h"
#include "ui/dialogs/guidelineswindow.h"
#include "ui/dialogs/hintwindow.h"
#include "ui/dialogs/messagewindow.h"
#include "ui/main/keys.h"
#include "ui/main/operationframes.h"
#include "ui/main/radiogroup.h"
#include "ui/main/soundoutput.h"
#include "ui/main/valuelist.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

using session::ActionButton;

namespace {

constexpr QSize ClientSize(792, 553);
const QColor Cream(255, 251, 240);
const QColor LampColors[6] = {{0, 128, 0},   {0, 255, 0}, {128, 128, 0},
                              {255, 255, 0}, {128, 0, 0}, {255, 0, 0}};

QFont courier(int pixelHeight) {
    return programFont(QStringLiteral("Courier New"), pixelHeight, true);
}

// Lines of the program's texts are separated by CR LF; Qt's labels break on LF alone.
QString displayText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The rounded background of the right-hand column.
class RoundedShape : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.setBrush(systemColor(SystemColor::AppWorkspace));
        const int corner = std::min(width(), height()) / 4;
        painter.drawRoundedRect(QRectF(0.5, 0.5, width() - 1, height() - 1), corner / 2.0, corner / 2.0);
    }
};

QLabel *pictureLabel(QWidget *parent, const QRect &bounds) {
    auto *label = new QLabel(parent);
    label->setGeometry(bounds);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QLabel *textLabel(QWidget *parent, const QRect &bounds, const QString &text, Qt::Alignment alignment) {
    auto *label = new QLabel(text, parent);
    label->setGeometry(bounds);
    label->setAlignment(alignment);
    label->setFont(courier(19));
    return label;
}

} // namespace

std::function<TForm1::ScreenFacts()> TForm1::screenFactsSource = [] {
    ScreenFacts facts;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        facts.bitsPerPixel = screen->depth();
        facts.width = screen->size().width();
        facts.height = screen->size().height();
    }
    return facts;
};

std::function<void(const QString &, const QString &)> TForm1::showScreenMessage = [](const QString &caption,
                                                                                     const QString &text) {
    QMessageBox box(QMessageBox::Critical, caption, displayText(text));
    // The check's text asks the pupil to press "ОК": the button must read exactly that.
    box.addButton(QStringLiteral("ОК"), QMessageBox::AcceptRole);
    box.exec();
};

QStringList TForm1::failingScreenChecks(const ScreenFacts &screen) {
    QStringList messages;
    const QString tail = QStringLiteral(
        "\r\nНажмите ОК, чтобы завершить работу, измените параметры экрана и запустите программу заново.");
    if (screen.bitsPerPixel < 16)
        messages << QStringLiteral("Эта программа использует 16-разрядный цвет (High color).") + tail;
    if (screen.width < 800 || screen.height < 600)
        messages << QStringLiteral("Эта программа использует разрешение экрана 800х600.") + tail;
    return messages;
}

// The window's widgets as the engine's relabelling sees them.
class TForm1::WidgetNotationTarget : public engine::NotationTarget {
public:
    explicit WidgetNotationTarget(TForm1 &form)
        : m_form(form) {}
    int valueNotation() const override { return m_form.RadioGroup1->ItemIndex(); }
    int operationLanguage() const override { return m_form.RadioGroup2->ItemIndex(); }
    void fillAnswerBox(const QStringList &texts) override { m_form.ComboBox1->refill(texts); }
    void fillFrameList(int slot, int list, const QStringList &texts) override {
        m_form.frame(slot)->valueList(list)->refill(texts);
    }
    bool hasFrame(int slot) const override { return m_form.frame(slot) != nullptr; }
    int frameTag(int slot) const override { return m_form.frame(slot)->Tag; }
    bool isTwoInputFrame(int slot) const override { return m_form.frame(slot)->isTwoInput(); }
    void setOperationLabel(int slot, const QString &text) override {
        TOperationFrame *frame = m_form.frame(slot);
        frame->LMDLabel1->setText(text);
        static const QFont operationFont = courier(19);
        if (frame->LMDLabel1->font() != operationFont)
            frame->LMDLabel1->setFont(operationFont);
    }

private:
    TForm1 &m_form;
};

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
    , m_game(*this)
    , m_draws(&RandomBelow) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Логикус"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(courier(19));
    createControls();
    createMenu();
    nameTheControls();
    setFixedSize(ClientSize.width(), ClientSize.height() + menuBar()->sizeHint().height());
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::setDialogs(TForm7 *form7, TForm8 *form8, TForm2 *form2, TForm9 *form9) {
    m_form7 = form7;
    m_form8 = form8;
    m_form2 = form2;
    m_form9 = form9;
}

void TForm1::createControls() {
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientSize);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    // Frames of a finished exercise wait here, out of the exercise area and never shown, until they are
    // deleted. A parentless widget would become a window of its own, which is far dearer to destroy.
    m_disposedFrames = new QWidget(client);
    m_disposedFrames->setObjectName(QStringLiteral("disposedFrames"));
    m_disposedFrames->hide();

    Panel1 = new QWidget(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(3, 3, 617, 497);

    Image1 = new PictureBox(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 617, 497);
    Image1->setPicture(loadProgramPicture(QStringLiteral(":/pictures/title.bmp")));

    LMDLabel1 = new QLabel(QStringLiteral("Вычисли результат логических операций"), Panel1);
    LMDLabel1->setObjectName(QStringLiteral("LMDLabel1"));
    LMDLabel1->setGeometry(20, 180, 581, 80);
    LMDLabel1->setAlignment(Qt::AlignCenter);
    LMDLabel1->setWordWrap(true);
    LMDLabel1->setFont(courier(27));

    ComboBox1 = new TValueList(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(engine::AnswerBoxLeft, engine::AnswerBoxTop, 91, 30);
    ComboBox1->refill({QStringLiteral("?"), QStringLiteral("Ложь"), QStringLiteral("Истина")});
    ComboBox1->setCurrentIndex(0);

    GroupBox1 = new TGroupBox(QStringLiteral("Обозначения"), Panel1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(20, 10, 581, 161);
    GroupBox1->setFont(courier(24));

    RadioGroup1 =
        new TRadioGroup(QStringLiteral("Логические значения"),
                        {QStringLiteral("0/1"), QStringLiteral("Нет/Да"), QStringLiteral("Ложь/Истина"),
                         QStringLiteral("No/Yes"), QStringLiteral("False/True")},
                        GroupBox1);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setFont(courier(19));
    RadioGroup1->setGeometry(20, 25, 261, 121);
    RadioGroup1->setItemIndex(1);
    connect(RadioGroup1, &TRadioGroup::clicked, this, &TForm1::RadioGroup1Click);

    RadioGroup2 = new TRadioGroup(QStringLiteral("Логические операции"),
                                  {QStringLiteral("По-русски"), QStringLiteral("По-английски")}, GroupBox1);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setFont(courier(19));
    RadioGroup2->setGeometry(300, 25, 261, 121);
    RadioGroup2->setItemIndex(1);
    connect(RadioGroup2, &TRadioGroup::clicked, this, &TForm1::RadioGroup2Click);

    LMDProgress1 = new TLMDProgress(client);
    LMDProgress1->setObjectName(QStringLiteral("LMDProgress1"));
    LMDProgress1->setGeometry(4, 507, 615, 40);
    // One bar per exercise, all drawn: the bar stands at 10 of 10.
    LMDProgress1->setMaxValue(10);
    LMDProgress1->setUserValue(10);
    LMDProgress1->setOnGetColor([this](int segment, QColor &color) { LMDProgress1GetColor(segment, color); });

    LMDBackPanel1 = new QWidget(client);
    LMDBackPanel1->setObjectName(QStringLiteral("LMDBackPanel1"));
    LMDBackPanel1->setGeometry(628, 3, 160, 544);

    Shape1 = new RoundedShape(LMDBackPanel1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(0, 0, 160, 544);

    Image6 = pictureLabel(LMDBackPanel1, {10, 10, 40, 40});
    Image6->setObjectName(QStringLiteral("Image6"));
    Image3 = pictureLabel(LMDBackPanel1, {61, 10, 40, 40});
    Image3->setObjectName(QStringLiteral("Image3"));
    Image5 = pictureLabel(LMDBackPanel1, {111, 10, 40, 40});
    Image5->setObjectName(QStringLiteral("Image5"));
    Image4 = pictureLabel(LMDBackPanel1, {11, 60, 140, 40});
    Image4->setObjectName(QStringLiteral("Image4"));

    LMDSimpleLabel1 = textLabel(LMDBackPanel1, {41, 70, 80, 20}, QStringLiteral("00:00"), Qt::AlignCenter);
    LMDSimpleLabel1->setObjectName(QStringLiteral("LMDSimpleLabel1"));
    Label2 = textLabel(LMDBackPanel1, {40, 100, 81, 20}, QStringLiteral("Время"), Qt::AlignCenter);
    Label2->setObjectName(QStringLiteral("Label2"));

    const auto makeButton = [this](QWidget *parent, const char *name, const QString &caption,
                                   const QPoint &at) {
        auto *button = new TLMDMMButton(parent);
        button->setObjectName(QLatin1String(name));
        button->setText(caption);
        button->setGeometry(at.x(), at.y(), 150, 40);
        button->setFont(courier(19));
        button->setFaceList(&m_drawnButtons);
        return button;
    };
    LMDMMButton1 = makeButton(LMDBackPanel1, "LMDMMButton1", QStringLiteral("Подсказка"), {5, 135});
    LMDMMButton1->setBackgroundColor(systemColor(SystemColor::AppWorkspace));
    LMDMMButton1->setEnabled(false);

    Label5 = textLabel(LMDBackPanel1, {2, 190, 155, 81}, QString(), Qt::AlignHCenter | Qt::AlignBottom);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setWordWrap(true);

    LMDBackPanel3 = new QWidget(LMDBackPanel1);
    LMDBackPanel3->setObjectName(QStringLiteral("LMDBackPanel3"));
    LMDBackPanel3->setGeometry(2, 280, 155, 250);

    LMDMMButton2 = makeButton(LMDBackPanel3, "LMDMMButton2", QStringLiteral("Да"), {2, 11});
    LMDMMButton3 = makeButton(LMDBackPanel3, "LMDMMButton3", QStringLiteral("Нет"), {2, 61});
    LMDMMButton4 = makeButton(LMDBackPanel3, "LMDMMButton4", QStringLiteral("1"), {2, 11});
    LMDMMButton5 = makeButton(LMDBackPanel3, "LMDMMButton5", QStringLiteral("2"), {2, 61});
    LMDMMButton6 = makeButton(LMDBackPanel3, "LMDMMButton6", QStringLiteral("3"), {2, 111});
    LMDMMButton7 = makeButton(LMDBackPanel3, "LMDMMButton7", QStringLiteral("Готово"), {2, 11});
    LMDMMButton2->hide();
    LMDMMButton3->hide();
    LMDMMButton7->hide();
    // A button acts only while the pupil can see and use it. Qt can still hand a key to a button that was
    // hidden while its window was inactive (the window remembers it as its focus), and Space on the hidden
    // "Да" must not end a game that is being played.
    const std::pair<TLMDMMButton *, void (TForm1::*)()> commands[] = {
        {LMDMMButton1, &TForm1::LMDMMButton1Click}, {LMDMMButton2, &TForm1::LMDMMButton2Click},
        {LMDMMButton3, &TForm1::LMDMMButton3Click}, {LMDMMButton4, &TForm1::N11Click},
        {LMDMMButton5, &TForm1::N21Click},          {LMDMMButton6, &TForm1::N31Click},
        {LMDMMButton7, &TForm1::LMDMMButton7Click},
    };
    for (const auto &entry : commands) {
        // Named copies: clang 14, which builds the sanitizer runs, cannot capture structured bindings.
        TLMDMMButton *button = entry.first;
        void (TForm1::*command)() = entry.second;
        connect(button, &QAbstractButton::clicked, this, [this, button, command] {
            if (button->isVisibleTo(this) && button->isEnabled())
                (this->*command)();
        });
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setTimerType(Qt::PreciseTimer);
    Timer3->setInterval(1000);
    connect(Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    Timer3->start();
}

void TForm1::nameTheControls() {
    const auto name = [](QWidget *widget, const QString &name, const QString &description) {
        if (!name.isEmpty())
            widget->setAccessibleName(name);
        widget->setAccessibleDescription(description);
    };
    // Labels and buttons are read by their own texts; the rest is named here.
    name(Panel1, QStringLiteral("Упражнение"), QStringLiteral("Схема логических операций"));
    name(Image1, QStringLiteral("Печатная плата"), QStringLiteral("Заставка программы Логикус"));
    name(LMDLabel1, QString(), QStringLiteral("Задание"));
    name(GroupBox1, QString(), QStringLiteral("Как записывать значения и называть операции"));
    name(RadioGroup1, QString(), QStringLiteral("Как записываются логические значения"));
    name(RadioGroup2, QString(), QStringLiteral("На каком языке названы логические операции"));
    LMDProgress1->setAccessibleName(QStringLiteral("Ход игры"));
    describeProgress();
    name(LMDBackPanel1, QStringLiteral("Панель игры"), QStringLiteral("Время, подсказка и кнопки игры"));
    name(Shape1, QStringLiteral("Фон панели"), QString());
    name(Image4, QStringLiteral("Часы"), QStringLiteral("Время текущей игры"));
    name(LMDSimpleLabel1, QString(), QStringLiteral("Время текущей игры, минуты и секунды"));
    name(LMDMMButton1, QString(),
         QStringLiteral("Таблица логических операций; каждая подсказка снижает счёт"));
    name(Label5, QString(), QStringLiteral("Состояние игры"));
    name(LMDBackPanel3, QStringLiteral("Кнопки игры"), QString());
    name(LMDMMButton2, QString(), QStringLiteral("Сыграть ещё раз"));
    name(LMDMMButton3, QString(), QStringLiteral("Закончить работу с программой"));
    name(LMDMMButton4, QString(), QStringLiteral("Уровень сложности 1: одна операция"));
    name(LMDMMButton5, QString(), QStringLiteral("Уровень сложности 2: две операции"));
    name(LMDMMButton6, QString(), QStringLiteral("Уровень сложности 3: три операции"));
    name(LMDMMButton7, QString(), QStringLiteral("Проверить ответ"));
    for (QLabel *lamp : {Image6, Image3, Image5})
        name(lamp, QString(), session::totalTimeHint(0));
    nameTheLists();
}

void TForm1::createMenu() {
    QMenuBar *bar = menuBar();
    // The menus speak in the desktop's menu font, not in the window's large Courier.
    const QFont menuFont = programFont(QStringLiteral("Arial"), 12, false);
    bar->setFont(menuFont);
    N1 = bar->addMenu(QStringLiteral("Настройка"));
    N1->setObjectName(QStringLiteral("N1"));
    N4 = N1->addMenu(QStringLiteral("Выбери уровень"));
    N4->setObjectName(QStringLiteral("N4"));
    N11 = N4->addAction(QStringLiteral("Сложность &1"), this, &TForm1::N11Click);
    N21 = N4->addAction(QStringLiteral("Сложность &2"), this, &TForm1::N21Click);
    N31 = N4->addAction(QStringLiteral("Сложность &3"), this, &TForm1::N31Click);
    N9 = N1->addAction(QStringLiteral("Готово"), this, &TForm1::N9Click);
    N5 = N1->addAction(QStringLiteral("Начать заново"), this, &TForm1::N5Click);
    N1->addSeparator();
    N10 = N1->addAction(QStringLiteral("Звук включен"), this, &TForm1::N10Click);
    N10->setCheckable(true);
    N10->setChecked(true);
    mnuExit = N1->addAction(QStringLiteral("Выход"), this, &TForm1::mnuExitClick);
    for (QMenu *menu : {N1, N4})
        menu->setFont(menuFont);

    N3 = bar->addMenu(QStringLiteral("Справка"));
    N3->setObjectName(QStringLiteral("N3"));
    N12 = N3->addAction(QStringLiteral("Методические указания"), this, &TForm1::N12Click);
    N6 = N3->addAction(QStringLiteral("Справка"), this, &TForm1::N6Click);
    N6->setShortcut(QKeySequence(Qt::Key_F1));
    // In every state, whichever of the program's windows the window system counts as active; Qt keeps it from
    // the main window while a dialog is open over it.
    N6->setShortcutContext(Qt::ApplicationShortcut);
    N3->addSeparator();
    N8 = N3->addAction(QStringLiteral("О программе"), this, &TForm1::N8Click);
    N3->setFont(menuFont);

    const std::pair<QAction *, const char *> names[] = {
        {N11, "N11"}, {N21, "N21"},         {N31, "N31"}, {N9, "N9"}, {N5, "N5"},
        {N10, "N10"}, {mnuExit, "mnuExit"}, {N12, "N12"}, {N6, "N6"}, {N8, "N8"}};
    for (const auto &[action, name] : names)
        action->setObjectName(QLatin1String(name));
    for (QAction *action : {N9, N5})
        action->setEnabled(false);
}

void TForm1::FormCreate() {
    for (const QString &message : failingScreenChecks(screenFactsSource())) {
        showScreenMessage(QStringLiteral("Неприемлемый режим экрана"), message);
        m_terminationRequested = true;
    }

    // Drawn for the screen's density, so that a high-density screen shows them crisp, not stretched.
    const qreal ratio = devicePixelRatioF();
    m_drawnButtons << maskWhite(DrawButtonFace(150, 40, true, systemColor(SystemColor::ButtonFace), ratio))
                   << maskWhite(
                          DrawButtonFace(150, 40, false, systemColor(SystemColor::ButtonShadow), ratio));
    for (const QColor &color : LampColors)
        m_lampImages << maskWhite(DrawButtonFace(40, 40, true, color, ratio));
    Image4->setPixmap(QPixmap::fromImage(maskWhite(DrawButtonFace(140, 40, false, Cream, ratio))));

    const session::LampImages off;
    showLamp(Image6, off.green);
    showLamp(Image3, off.yellow);
    showLamp(Image5, off.red);

    m_frames.fill(nullptr);
    LMDMMButton2Click();
}

void TForm1::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // Every key pressed in the window reaches its window-system window first, before Qt hands it to the
    // focused control: watching there sees each key exactly once, and decides where it goes after the
    // handler has run (eventFilter).
    if (!m_keyPreviewInstalled && windowHandle()) {
        windowHandle()->installEventFilter(this);
        m_keyPreviewInstalled = true;
    }
    // Without a window manager nothing activates the window; the first showing stands in for it.
    activateOnceDrawn();
}

void TForm1::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activateOnceDrawn();
}

bool TForm1::event(QEvent *event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        if (m_activationPending)
            QTimer::singleShot(0, this, &TForm1::FormActivate);
    }
    return handled;
}

void TForm1::activateOnceDrawn() {
    if (m_activated)
        return;
    // The start-up screen comes over the main window once the window is on the screen, not before: showing
    // it first would only keep the pupil waiting longer for the window.
    if (m_painted)
        QTimer::singleShot(0, this, &TForm1::FormActivate);
    else
        m_activationPending = true;
}

void TForm1::FormActivate() {
    if (m_activated)
        return;
    m_activated = true;
    if (m_form9)
        m_form9->exec();
}

void TForm1::LMDMMButton1Click() {
    ++m_game.data().HintCount;
    if (!m_form2)
        return;
    const int notation = RadioGroup1->ItemIndex();
    const QList<QStringList> rows = engine::hintTableRows(notation, RadioGroup2->ItemIndex());
    const QFontMetrics metrics(font());
    m_form2->fill(rows, engine::hintColumnWidths(rows.first(), notation, [&metrics](const QString &text) {
                      return metrics.horizontalAdvance(text);
                  }));
    m_form2->exec();
}

void TForm1::N6Click() {
    showDocument(QStringLiteral("Справочная информация"), 0);
}

void TForm1::N12Click() {
    showDocument(QStringLiteral("Методические указания"), 1);
}

void TForm1::showDocument(const QString &caption, int index) {
    if (!m_form7)
        return;
    m_form7->setWindowTitle(caption);
    m_form7->selectDocument(index);
    m_form7->exec();
}

void TForm1::N8Click() {
    if (m_form9)
        m_form9->showAsAboutBox();
}

void TForm1::N10Click() {
    N10->setText(N10->isChecked() ? QStringLiteral("Звук включен") : QStringLiteral("Звук выключен"));
}

void TForm1::RadioGroup1Click() {
    ApplyNotation();
}

void TForm1::RadioGroup2Click() {
    ApplyNotation();
}

void TForm1::ApplyNotation() {
    WidgetNotationTarget target(*this);
    engine::ApplyNotation(target);
    nameTheLists();
}

void TForm1::nameTheLists() {
    const int language = RadioGroup2->ItemIndex();
    const auto name = [&](TValueList *list, int slot, int number) {
        list->setSpokenName(engine::listSpokenName(m_model, slot, number, language),
                            engine::listSpokenDescription(m_model, slot, number));
    };
    name(ComboBox1, 0, 1);
    for (int slot = 1; slot <= 3; ++slot) {
        if (TOperationFrame *shown = frame(slot)) {
            shown->setAccessibleName(QStringLiteral("Операция ") + shown->LMDLabel1->text());
            for (int list = 1; list <= (shown->isTwoInput() ? 2 : 1); ++list)
                name(shown->valueList(list), slot, list);
        }
    }
}

void TForm1::Timer3Timer() {
    const session::LampImages before = session::lampImagesAfter(m_totalSeconds);
    ++m_totalSeconds;
    const QString hint = session::totalTimeHint(m_totalSeconds);
    for (QLabel *lamp : {Image6, Image3, Image5}) {
        lamp->setToolTip(hint);
        lamp->setAccessibleDescription(hint);
    }
    const session::LampImages now = session::lampImagesAfter(m_totalSeconds);
    // The timer runs from the window's creation, so it can tick while a screen check's message is still
    // open inside the creation handler, before the lamps are drawn.
    if (m_lampImages.size() < 6)
        return;
    const std::pair<QLabel *, int> lamps[] = {
        {Image6, before.green == now.green ? -1 : now.green},
        {Image3, before.yellow == now.yellow ? -1 : now.yellow},
        {Image5, before.red == now.red ? -1 : now.red},
    };
    for (const auto &[lamp, image] : lamps)
        if (image >= 0)
            showLamp(lamp, image);
}

void TForm1::showLamp(QLabel *lamp, int image) {
    lamp->setPixmap(QPixmap::fromImage(m_lampImages.at(image)));
    // Images come in pairs, off and lit, green, yellow and red.
    lamp->setAccessibleName(session::lampSpokenName(image / 2, image % 2 == 1));
}

void TForm1::LMDProgress1GetColor(int segment, QColor &color) const {
    if (segment < 0 || segment >= session::ExercisesPerGame)
        return;
    switch (session::segmentColorRole(m_game.data().ResultSlots.at(segment))) {
    case session::SegmentColorRole::SelectionHighlight:
        color = systemColor(SystemColor::Highlight);
        break;
    case session::SegmentColorRole::ButtonHighlight:
        color = systemColor(SystemColor::ButtonHighlight);
        break;
    case session::SegmentColorRole::Red:
        color = QColor(255, 0, 0);
        break;
    case session::SegmentColorRole::Green:
        color = QColor(0, 255, 0);
        break;
    case session::SegmentColorRole::Unchanged:
        break;
    }
}

void TForm1::BuildExercise(int level) {
    disposeFrames();
    ComboBox1->setCurrentIndex(engine::lvUnknown);
    ComboBox1->move(engine::AnswerBoxLeft, engine::AnswerBoxTop);

    engine::BuildExercise(m_model, level, m_game.data().CurrentExercise, m_draws, RadioGroup1->ItemIndex(),
                          RadioGroup2->ItemIndex());
    LMDLabel1->setText(m_model.taskHeading);
    for (int slot = 0; slot < 3; ++slot) {
        if (const auto &model = m_model.Frames[slot]) {
            m_frames[slot] = createFrame(*model, Panel1);
            m_frames[slot]->show();
        }
    }
    ComboBox1->move(m_model.answerLeft, engine::AnswerBoxTop);
    ApplyNotation();

    // Tab runs through the lists the pupil fills in the order they are worked out: the final operation's
    // inputs, top then bottom (the results of the operations that feed them), then the answer. The first of
    // them takes the focus, so that a pupil at the keyboard goes straight on with the new exercise.
    QList<QWidget *> open;
    if (const TOperationFrame *final = frame(1))
        for (int list = 1; list <= (final->isTwoInput() ? 2 : 1); ++list)
            if (final->valueList(list)->isEnabled())
                open << final->valueList(list);
    open << ComboBox1;
    for (qsizetype i = 1; i < open.size(); ++i)
        setTabOrder(open.at(i - 1), open.at(i));
    open.first()->setFocus(Qt::OtherFocusReason);
}

void TForm1::disposeFrames() {
    for (TOperationFrame *&frame : m_frames) {
        if (!frame)
            continue;
        // A key that the window's preview did not consume is still on its way to the focused list: the
        // frame goes out of sight and out of the exercise area now, and is deleted once that event is done.
        frame->hide();
        frame->setParent(m_disposedFrames);
        frame->deleteLater();
        frame = nullptr;
    }
}

TLMDMMButton *TForm1::actionButton(ActionButton button) const {
    switch (button) {
    case ActionButton::Yes:
        return LMDMMButton2;
    case ActionButton::No:
        return LMDMMButton3;
    case ActionButton::Level1:
        return LMDMMButton4;
    case ActionButton::Level2:
        return LMDMMButton5;
    case ActionButton::Level3:
        return LMDMMButton6;
    case ActionButton::Done:
        return LMDMMButton7;
    }
    return nullptr;
}

void TForm1::setStatusText(const QString &text) {
    Label5->setText(displayText(text));
}

void TForm1::setActionButtonVisible(ActionButton button, bool visible) {
    actionButton(button)->setVisible(visible);
}

void TForm1::setHintEnabled(bool enabled) {
    LMDMMButton1->setEnabled(enabled);
}

void TForm1::setLevelMenuEnabled(bool enabled) {
    N4->setEnabled(enabled);
}

void TForm1::setDoneMenuEnabled(bool enabled) {
    N9->setEnabled(enabled);
}

void TForm1::setRestartMenuEnabled(bool enabled) {
    N5->setEnabled(enabled);
}

void TForm1::setTitlePictureShown(bool shown) {
    GroupBox1->setVisible(!shown);
    LMDLabel1->setVisible(!shown);
    ComboBox1->setVisible(!shown);
    Image1->setVisible(shown);
}

void TForm1::setGameClockRunning(bool running) {
    if (running)
        Timer1->start();
    else
        Timer1->stop();
}

void TForm1::setClockText(const QString &text) {
    LMDSimpleLabel1->setText(text);
}

void TForm1::redrawProgress() {
    LMDProgress1->update();
    describeProgress();
}

void TForm1::describeProgress() {
    // The same words as a tooltip, for a pupil who cannot tell the segments' red from their green.
    const QString summary = session::progressSummary(m_game.data().ResultSlots);
    LMDProgress1->setToolTip(summary);
    LMDProgress1->setAccessibleDescription(summary);
}

void TForm1::showMessage(const QString &text, const QString &caption, int kind) {
    if (m_form8)
        m_form8->InitializeAndShow(text, caption, kind);
}

bool TForm1::soundOn() const {
    return N10->isChecked();
}

void TForm1::playSound(const QString &clip) {
    if (m_sound)
        m_sound->play(clip);
}

void TForm1::LMDMMButton7Click() {
    if (m_game.state() != session::GameState::Playing || !frame(1))
        return;
    engine::ExerciseValues exercise;
    exercise.answerBox = ComboBox1->currentIndex();
    for (int slot = 1; slot <= 3; ++slot) {
        if (const TOperationFrame *shown = frame(slot)) {
            engine::FrameValues &values = exercise.Frames[slot - 1].emplace();
            values.frameClass = shown->frameClass();
            values.Tag = shown->Tag;
            values.ComboBox1 = shown->ComboBox1->currentIndex();
            if (shown->isTwoInput())
                values.ComboBox2 = shown->valueList(2)->currentIndex();
        }
    }
    const engine::Judgement judgement = engine::JudgeExercise(
        exercise, m_game.data().Level, RadioGroup1->ItemIndex(), RadioGroup2->ItemIndex());
    m_game.AnswerExercise(judgement.right, judgement.explanation);
}

void TForm1::FormKeyDown(int key, Qt::KeyboardModifiers) {
    if (LMDMMButton2->isVisibleTo(this)) {
        if (key == vkReturn)
            LMDMMButton2Click();
        else if (key == vkEscape)
            LMDMMButton3Click();
        return;
    }
    if (LMDMMButton4->isVisibleTo(this)) {
        if (key == vkDigit1)
            N11Click();
        else if (key == vkDigit2)
            N21Click();
        else if (key == vkDigit3)
            N31Click();
        return;
    }
    if (LMDMMButton7->isVisibleTo(this) && key == vkReturn)
        LMDMMButton7Click();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && watched == windowHandle()) {
        // While a drop-down list is open its keys are its own: Enter there only chooses the item and does not
        // answer. Answering would judge the value the list held before the key and throw away the one the
        // pupil has just chosen. A window that a modal dialog blocks sees no keys at all.
        const QWidget *modal = QApplication::activeModalWidget();
        if (!QApplication::activePopupWidget() && (!modal || modal == this)) {
            auto *key = static_cast<QKeyEvent *>(event);
            auto *window = static_cast<QWindow *>(watched);
            // Without a window manager no window of the program is active once a dialog has gone away, and
            // the menu's shortcut then never sees F1; the key still comes here, to the window under the
            // pointer.
            if (N6->isEnabled() && QKeySequence(key->keyCombination()) == N6->shortcut()) {
                N6Click();
                return true;
            }
            const QPointer<QObject> pressedIn = window->focusObject();
            FormKeyDown(virtualKeyCode(*key), key->modifiers());
            if (window->focusObject() != pressedIn) {
                // The command has put the focus on a control of its own making, the first list of a new
                // exercise: the key belongs to the control it was pressed in and must not act there too (a
                // typed "1" would choose the item "1"). It still goes on, to where it was pressed.
                if (pressedIn)
                    QCoreApplication::sendEvent(pressedIn, key);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

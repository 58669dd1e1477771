#include "ui/main/mainwindow.h"
#include "ui_mainwindow.h"

#include "engine/checking.h"
#include "engine/exercise.h"
#include "engine/hinttable.h"
#include "random/randomsource.h"
#include "resources/appresources.h"
#include "session/clocks.h"
#include "session/spoken.h"
#include "ui/controls/faces.h"
#include "ui/controls/mmbutton.h"
#include "ui/controls/systemcolors.h"
#include "ui/dialogs/aboutwindow.h"
#include "ui/dialogs/guidelineswindow.h"
#include "ui/dialogs/hintwindow.h"
#include "ui/main/operationframes.h"
#include "ui/main/plainmessage.h"
#include "ui/main/soundoutput.h"
#include "ui/main/valuelist.h"
#include "ui/main/windowwatchers.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace {

const QColor Cream(255, 251, 240);
const QColor LampColors[6] = {{0, 128, 0},   {0, 255, 0}, {128, 128, 0},
                              {255, 255, 0}, {128, 0, 0}, {255, 0, 0}};

} // namespace

std::function<session::ScreenFacts()> TForm1::screenFactsSource = [] {
    session::ScreenFacts facts;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        facts.bitsPerPixel = screen->depth();
        facts.width = screen->size().width();
        facts.height = screen->size().height();
    }
    return facts;
};

std::function<void(const QString &, const QString &)> TForm1::showScreenMessage = [](const QString &caption,
                                                                                     const QString &text) {
    // On a screen that Qt's windows cannot paint (8 bits per pixel) a message box would stay black: the
    // window system draws the message itself there, and where it cannot, the console gets the message.
    if (!plainmessage::qtPaintsScreen()) {
        if (!plainmessage::show(caption, text))
            plainmessage::writeToConsole(caption, text);
        return;
    }
    // Lines of the program's texts are separated by CR LF; Qt's labels break on LF alone.
    QMessageBox box(QMessageBox::Critical, caption,
                    QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // The check's text asks the pupil to press "ОК": the button must read exactly that.
    box.addButton(QStringLiteral("ОК"), QMessageBox::AcceptRole);
    box.exec();
};

namespace {

using Slot = void (TForm1::*)();

// The slot that runs each command of the game, whichever button, key or menu item gives it.
constexpr std::pair<session::Command, Slot> CommandSlots[] = {
    {session::Command::Hint, &TForm1::LMDMMButton1Click},
    {session::Command::Answer, &TForm1::LMDMMButton7Click},
    {session::Command::Restart, &TForm1::N5Click},
    {session::Command::PlayAgain, &TForm1::LMDMMButton2Click},
    {session::Command::Quit, &TForm1::LMDMMButton3Click},
    {session::Command::Level1, &TForm1::N11Click},
    {session::Command::Level2, &TForm1::N21Click},
    {session::Command::Level3, &TForm1::N31Click},
};

Slot commandSlot(session::Command command) {
    for (const auto &[given, slot] : CommandSlots)
        if (given == command)
            return slot;
    return nullptr;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::TForm1>())
    , m_game(*this)
    , m_draws(&RandomBelow) {
    m_ui->setupUi(this);
    completeTheForm();
    connectCommands();
    new FirstActivation(this, [this] { FormActivate(); });
    new KeyPreview(this, m_ui->N6, [this](int key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); });
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::setDialogs(TForm7 *form7, TForm8 *form8, TForm2 *form2, TForm9 *form9) {
    m_form7 = form7;
    m_form8 = form8;
    m_form2 = form2;
    m_form9 = form9;
}

void TForm1::connectCommands() {
    // The menu and the notation choice are wired in the form.
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    // A button acts only in the states that show it and let it be used. Qt can still hand a key to a button
    // that was hidden while its window was inactive (the window remembers it as its focus), and Space on the
    // hidden "Да" must not end a game that is being played.
    using session::Command;
    const std::pair<TLMDMMButton *, Command> buttons[] = {
        {m_ui->LMDMMButton1, Command::Hint},   {m_ui->LMDMMButton2, Command::PlayAgain},
        {m_ui->LMDMMButton3, Command::Quit},   {m_ui->LMDMMButton4, Command::Level1},
        {m_ui->LMDMMButton5, Command::Level2}, {m_ui->LMDMMButton6, Command::Level3},
        {m_ui->LMDMMButton7, Command::Answer},
    };
    for (const auto &entry : buttons) {
        // A named copy: clang 14, which builds the sanitizer runs, cannot capture structured bindings.
        const Command command = entry.second;
        connect(entry.first, &QAbstractButton::clicked, this, [this, command] {
            if (session::commandActs(m_game.state(), command))
                (this->*commandSlot(command))();
        });
    }
}

void TForm1::FormCreate() {
    for (const QString &message : session::failingScreenChecks(screenFactsSource())) {
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
    m_ui->Image4->setPixmap(QPixmap::fromImage(maskWhite(DrawButtonFace(140, 40, false, Cream, ratio))));

    const session::LampImages off;
    showLamp(m_ui->Image6, off.green);
    showLamp(m_ui->Image3, off.yellow);
    showLamp(m_ui->Image5, off.red);

    m_frames.fill(nullptr);
    LMDMMButton2Click();
}

void TForm1::FormActivate() {
    if (m_form9)
        m_form9->exec();
}

void TForm1::LMDMMButton1Click() {
    if (!m_game.takeHint() || !m_form2)
        return;
    const int notation = m_ui->RadioGroup1->ItemIndex();
    const QList<QStringList> rows = engine::hintTableRows(notation, m_ui->RadioGroup2->ItemIndex());
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
    m_ui->N10->setText(m_ui->N10->isChecked() ? QStringLiteral("Звук включен")
                                              : QStringLiteral("Звук выключен"));
}

void TForm1::RadioGroup1Click() {
    ApplyNotation();
}

void TForm1::RadioGroup2Click() {
    ApplyNotation();
}

void TForm1::Timer3Timer() {
    const session::LampImages before = session::lampImagesAfter(m_totalSeconds);
    ++m_totalSeconds;
    const QString hint = session::totalTimeHint(m_totalSeconds);
    for (QLabel *lamp : {m_ui->Image6, m_ui->Image3, m_ui->Image5}) {
        lamp->setToolTip(hint);
        lamp->setAccessibleDescription(hint);
    }
    const session::LampImages now = session::lampImagesAfter(m_totalSeconds);
    // The timer runs from the window's creation, so it can tick while a screen check's message is still
    // open inside the creation handler, before the lamps are drawn.
    if (m_lampImages.size() < 6)
        return;
    const std::pair<QLabel *, int> lamps[] = {
        {m_ui->Image6, before.green == now.green ? -1 : now.green},
        {m_ui->Image3, before.yellow == now.yellow ? -1 : now.yellow},
        {m_ui->Image5, before.red == now.red ? -1 : now.red},
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

void TForm1::BuildExercise(int level) {
    disposeFrames();
    m_ui->ComboBox1->setCurrentIndex(engine::lvUnknown);
    m_ui->ComboBox1->move(engine::AnswerBoxLeft, engine::AnswerBoxTop);

    engine::BuildExercise(m_model, level, m_game.data().CurrentExercise, m_draws,
                          m_ui->RadioGroup1->ItemIndex(), m_ui->RadioGroup2->ItemIndex());
    m_ui->LMDLabel1->setText(m_model.taskHeading);
    for (int slot = 0; slot < 3; ++slot) {
        if (const auto &model = m_model.Frames[slot]) {
            m_frames[slot] = createFrame(*model, m_ui->Panel1);
            m_frames[slot]->show();
        }
    }
    m_ui->ComboBox1->move(m_model.answerLeft, engine::AnswerBoxTop);
    ApplyNotation();

    // Tab runs through the lists the pupil fills in the order they are worked out: the final operation's
    // inputs, top then bottom (the results of the operations that feed them), then the answer. The first of
    // them takes the focus, so that a pupil at the keyboard goes straight on with the new exercise.
    QList<QWidget *> open;
    if (const TOperationFrame *final = frame(1))
        for (int list = 1; list <= (final->isTwoInput() ? 2 : 1); ++list)
            if (final->valueList(list)->isEnabled())
                open << final->valueList(list);
    open << m_ui->ComboBox1;
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

void TForm1::LMDMMButton7Click() {
    if (m_game.state() != session::GameState::Playing || !frame(1))
        return;
    engine::ExerciseValues exercise;
    exercise.answerBox = m_ui->ComboBox1->currentIndex();
    for (int slot = 1; slot <= 3; ++slot) {
        if (const TOperationFrame *shown = frame(slot)) {
            engine::FrameValues &values = exercise.Frames[slot - 1].emplace();
            values.frameClass = shown->frameClass();
            values.Tag = shown->Tag;
            values.ComboBox1 = shown->valueList(1)->currentIndex();
            if (shown->isTwoInput())
                values.ComboBox2 = shown->valueList(2)->currentIndex();
        }
    }
    const engine::Judgement judgement = engine::JudgeExercise(
        exercise, m_game.data().Level, m_ui->RadioGroup1->ItemIndex(), m_ui->RadioGroup2->ItemIndex());
    m_game.answer(judgement.right, judgement.explanation);
}

void TForm1::FormKeyDown(int key, Qt::KeyboardModifiers) {
    if (const std::optional<session::Command> command = session::keyCommand(m_game.state(), key))
        (this->*commandSlot(*command))();
}

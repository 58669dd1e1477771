#include "ui/dialogs/aboutwindow.h"

#include "resources/appresources.h"
#include "ui/controls/progressfill.h"
#include "ui/controls/shadowlabel.h"
#include "ui/dialogs/version.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kTicksToFill = 10;
constexpr int kTickMs = 500;

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int pixelHeight) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(programFont(QStringLiteral("Courier New"), pixelHeight, true));
    return label;
}

} // namespace

QImage withLimeTransparent(const QImage &picture) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb lime = qRgb(0, 255, 0);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == lime)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

TForm9::TForm9(QWidget *owner, const QList<QImage> *drawnButtons)
    : FixedDialog(owner, QSize(472, 298), noTitleButtons()) {
    Q_UNUSED(drawnButtons);
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("О программе"));
    setFont(programFont(QStringLiteral("Courier New"), 19, true));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(10, 10, 96, 96);
    const QImage picture = loadProgramPicture(QStringLiteral(":/pictures/about.png"));
    if (!picture.isNull())
        Image1->setPixmap(QPixmap::fromImage(withLimeTransparent(picture)));
    Image1->setAccessibleName(QStringLiteral("Эмблема программы Логикус"));

    LMDSimpleLabel1 = new TLMDShadowLabel(this);
    LMDSimpleLabel1->setObjectName(QStringLiteral("LMDSimpleLabel1"));
    LMDSimpleLabel1->setFont(programFont(QStringLiteral("Courier New"), 32, true));
    LMDSimpleLabel1->setText(QStringLiteral("Логикус"));
    LMDSimpleLabel1->move(144, 22);

    LMDSimpleLabel2 = makeLabel(this, "LMDSimpleLabel2", QStringLiteral("Версия " LOGICUS_VERSION), 19);
    LMDSimpleLabel2->move(144, 72);
    LMDSimpleLabel2->adjustSize();

    LMDSimpleLabel3 = makeLabel(
        this, "LMDSimpleLabel3",
        QStringLiteral(
            "Обучающая программа-тренажер, знакомящая учеников с логическими выражениями и операциями"),
        19);
    LMDSimpleLabel3->setWordWrap(true);
    LMDSimpleLabel3->setAlignment(Qt::AlignCenter);
    LMDSimpleLabel3->setGeometry(8, 114, 457, 105);

    LMDSimpleLabel4 =
        makeLabel(this, "LMDSimpleLabel4", QStringLiteral("© Логикус, 2026. Лицензия GPL-3.0-or-later"), 15);
    LMDSimpleLabel4->move(10, 272);
    LMDSimpleLabel4->adjustSize();

    LMDProgressFill1 = new TLMDProgressFill(this);
    LMDProgressFill1->setObjectName(QStringLiteral("LMDProgressFill1"));
    LMDProgressFill1->setGeometry(19, 235, 433, 20);
    LMDProgressFill1->setPosition(0);
    LMDProgressFill1->setAccessibleName(QStringLiteral("Загрузка программы"));
    describeProgress();

    LMDButton1 = new QPushButton(QStringLiteral("ОК"), this);
    LMDButton1->setObjectName(QStringLiteral("LMDButton1"));
    LMDButton1->setGeometry(167, 229, 139, 33);
    LMDButton1->setFont(programFont(QStringLiteral("Courier New"), 19, true));
    // Enter and space press it while it has the focus (a push button takes Enter only when auto-default); the
    // window's key handling never presses a default button on its own.
    LMDButton1->setAutoDefault(true);
    LMDButton1->setFocusPolicy(Qt::StrongFocus);
    LMDButton1->hide();
    connect(LMDButton1, &QPushButton::clicked, this, &TForm9::LMDButton1Click);

    // Nothing but the button may hold the focus, so keys never reach another control.
    for (QWidget *control :
         {static_cast<QWidget *>(Image1), static_cast<QWidget *>(LMDSimpleLabel1),
          static_cast<QWidget *>(LMDSimpleLabel2), static_cast<QWidget *>(LMDSimpleLabel3),
          static_cast<QWidget *>(LMDSimpleLabel4), static_cast<QWidget *>(LMDProgressFill1)})
        control->setFocusPolicy(Qt::NoFocus);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    // The schedule is counted from the window's creation; a coarse timer could drift by a tick's 5 %.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TForm9::Timer1Timer);
    Timer1->start();
}

void TForm9::Timer1Timer() {
    ++m_ticks;
    if (m_ticks > kTicksToFill) {
        Timer1->stop();
        // Only the start-up screen ends by its timer; the about box waits for "ОК" whenever a tick comes.
        if (isVisible() && isStartupScreen())
            done(QDialog::Accepted);
        return;
    }
    LMDProgressFill1->setPosition(m_ticks * 10);
    describeProgress();
}

void TForm9::describeProgress() {
    LMDProgressFill1->setAccessibleDescription(QStringLiteral("Загружено %1 %").arg(m_ticks * 10));
}

void TForm9::showAsAboutBox() {
    m_aboutBox = true;
    LMDProgressFill1->hide();
    LMDButton1->show();
    LMDButton1->setFocus(Qt::OtherFocusReason);
    exec();
}

void TForm9::LMDButton1Click() {
    accept();
}

void TForm9::reject() {
    // Refused in both roles; see the class comment.
}

void TForm9::showEvent(QShowEvent *event) {
    FixedDialog::showEvent(event);
    if (isStartupScreen() && m_ticks > kTicksToFill) {
        // Shown as the start-up screen after its timer has already run out: nothing would ever close it, and
        // the pupil cannot, so it closes as soon as it has been shown.
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && isStartupScreen())
                done(QDialog::Accepted);
        });
    }
    if (!isStartupScreen())
        LMDButton1->setFocus(Qt::OtherFocusReason);
}

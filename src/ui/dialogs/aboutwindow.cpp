#include "ui/dialogs/aboutwindow.h"
#include "ui_aboutwindow.h"

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
    : FixedDialog(owner, QSize(472, 298), noTitleButtons())
    , m_ui(std::make_unique<Ui::Form9>()) {
    Q_UNUSED(drawnButtons);
    // Made in the window's font, as the layout was measured; a form's fonts have point sizes only.
    setFont(programFont(QStringLiteral("Courier New"), 19, true));
    m_ui->setupUi(this);

    const QImage picture = loadProgramPicture(QStringLiteral(":/pictures/about.png"));
    if (!picture.isNull())
        m_ui->Image1->setPixmap(QPixmap::fromImage(withLimeTransparent(picture)));
    // Pixel sizes again; the labels sized to their texts follow the fonts.
    m_ui->LMDSimpleLabel1->setFont(programFont(QStringLiteral("Courier New"), 32, true));
    m_ui->LMDSimpleLabel4->setFont(programFont(QStringLiteral("Courier New"), 15, true));
    m_ui->LMDSimpleLabel4->adjustSize();
    // The version is the build's.
    m_ui->LMDSimpleLabel2->setText(QStringLiteral("Версия " LOGICUS_VERSION));
    m_ui->LMDSimpleLabel2->adjustSize();
    describeProgress();
    connect(m_ui->LMDButton1, &QPushButton::clicked, this, &TForm9::LMDButton1Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    // The schedule is counted from the window's creation; a coarse timer could drift by a tick's 5 %.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TForm9::Timer1Timer);
    Timer1->start();
}

TForm9::~TForm9() = default;

void TForm9::Timer1Timer() {
    ++m_ticks;
    if (m_ticks > kTicksToFill) {
        Timer1->stop();
        // Only the start-up screen ends by its timer; the about box waits for "ОК" whenever a tick comes.
        if (isVisible() && isStartupScreen())
            done(QDialog::Accepted);
        return;
    }
    m_ui->LMDProgressFill1->setPosition(m_ticks * 10);
    describeProgress();
}

void TForm9::describeProgress() {
    m_ui->LMDProgressFill1->setAccessibleDescription(QStringLiteral("Загружено %1 %").arg(m_ticks * 10));
}

void TForm9::showAsAboutBox() {
    m_aboutBox = true;
    m_ui->LMDProgressFill1->hide();
    m_ui->LMDButton1->show();
    m_ui->LMDButton1->setFocus(Qt::OtherFocusReason);
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
        m_ui->LMDButton1->setFocus(Qt::OtherFocusReason);
}

// What the main window's form cannot say, set right after setupUi: pixel font heights, window flags, widget
// attributes, what is drawn or loaded at run time, and the timers.

#include "ui/main/mainwindow.h"
#include "ui_mainwindow.h"

#include "resources/appresources.h"
#include "session/clocks.h"
#include "ui/controls/mmbutton.h"
#include "ui/controls/systemcolors.h"

#include <QMenuBar>
#include <QTimer>

namespace {

constexpr QSize ClientSize(792, 553);

QFont courier(int pixelHeight) {
    return programFont(QStringLiteral("Courier New"), pixelHeight, true);
}

} // namespace

void TForm1::completeTheForm() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(courier(19));
    m_ui->LMDLabel1->setFont(courier(27));
    m_ui->GroupBox1->setFont(courier(24));
    m_ui->RadioGroup1->setFont(courier(19));
    m_ui->RadioGroup2->setFont(courier(19));
    // The menus speak in the desktop's menu font, not in the window's large Courier.
    const QFont menuFont = programFont(QStringLiteral("Arial"), 12, false);
    for (QWidget *menu : std::initializer_list<QWidget *>{m_ui->MainMenu1, m_ui->N1, m_ui->N4, m_ui->N3})
        menu->setFont(menuFont);

    m_ui->Image1->setPicture(loadProgramPicture(QStringLiteral(":/pictures/title.bmp")));
    for (QLabel *picture : {m_ui->Image6, m_ui->Image3, m_ui->Image5, m_ui->Image4})
        picture->setAttribute(Qt::WA_TranslucentBackground);
    for (QLabel *lamp : {m_ui->Image6, m_ui->Image3, m_ui->Image5})
        lamp->setAccessibleDescription(session::totalTimeHint(0));
    for (TLMDMMButton *button : m_ui->LMDBackPanel1->findChildren<TLMDMMButton *>())
        button->setFaceList(&m_drawnButtons);
    m_ui->LMDMMButton1->setBackgroundColor(systemColor(SystemColor::AppWorkspace));
    m_ui->LMDProgress1->setOnGetColor(
        [this](int segment, QColor &color) { LMDProgress1GetColor(segment, color); });
    describeProgress();
    nameTheLists();

    // Frames of a finished exercise wait here, out of the exercise area and never shown, until they are
    // deleted. A parentless widget would become a window of its own, which is far dearer to destroy.
    m_disposedFrames = new QWidget(m_ui->client);
    m_disposedFrames->setObjectName(QStringLiteral("disposedFrames"));
    m_disposedFrames->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    for (QTimer *timer : {Timer1, Timer3}) {
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(1000);
    }
    Timer3->start();

    setFixedSize(ClientSize.width(), ClientSize.height() + menuBar()->sizeHint().height());
}

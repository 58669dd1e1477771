#include "ui/dialogs/messagewindow.h"
#include "ui_messagewindow.h"

#include "resources/appresources.h"
#include "ui/controls/mmbutton.h"
#include "ui/dialogs/messagesizing.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QStyle>

namespace {

constexpr int kLabelTop = 10;
constexpr int kLabelHeight = 91;
constexpr int kIconSize = 32;

} // namespace

TForm8::TForm8(QWidget *owner, const QList<QImage> *drawnButtons)
    : FixedDialog(owner, QSize(510, 111), closeBoxOnly())
    , m_ui(std::make_unique<Ui::Form8>()) {
    // Made in the window's font, as the layout was measured; a form's fonts have point sizes only.
    setFont(programFont(QStringLiteral("Courier New"), 19, true));
    m_ui->setupUi(this);
    // The faces are drawn by the main window at start-up.
    m_ui->LMDMMButton1->setFaceList(drawnButtons);
    connect(m_ui->LMDMMButton1, &TLMDMMButton::clicked, this, &TForm8::LMDMMButton1Click);

    setClosesOnEnter(true);
    installKeyPreview();
}

TForm8::~TForm8() = default;

int TForm8::frameWidth() {
    const QMargins frame = outerFrame();
    return frame.left() + frame.right();
}

void TForm8::prepare(const QString &text, const QString &caption, int kind) {
    setWindowTitle(caption);
    // The label breaks lines at LF; a CR would show as a blank.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_ui->LMDSimpleLabel1->setText(shown);

    const QFontMetrics metrics(m_ui->LMDSimpleLabel1->font());
    const dialogs::MessageLayout layout = dialogs::messageLayout(
        text, [&metrics](const QString &s) { return metrics.horizontalAdvance(s); }, frameWidth());
    m_ui->LMDSimpleLabel1->setGeometry(dialogs::kLabelLeft, kLabelTop, layout.labelWidth, kLabelHeight);
    setClientWidth(layout.clientWidth);

    QStyle::StandardPixmap icon;
    QString meaning;
    switch (kind) {
    case kindError:
        icon = QStyle::SP_MessageBoxCritical;
        meaning = QStringLiteral("Ошибка");
        break;
    case kindQuestion:
        icon = QStyle::SP_MessageBoxQuestion;
        meaning = QStringLiteral("Вопрос");
        break;
    case kindWarning:
        icon = QStyle::SP_MessageBoxWarning;
        meaning = QStringLiteral("Предупреждение");
        break;
    case kindInformation:
        icon = QStyle::SP_MessageBoxInformation;
        meaning = QStringLiteral("Сведения");
        break;
    default:
        m_ui->Image1->clear();
        m_ui->Image1->setAccessibleName(QString());
        return;
    }
    m_ui->Image1->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(kIconSize, kIconSize));
    // The icon says what kind of message this is; a screen reader says it in words.
    m_ui->Image1->setAccessibleName(meaning);
}

void TForm8::InitializeAndShow(const QString &text, const QString &caption, int kind) {
    prepare(text, caption, kind);
    exec();
}

void TForm8::LMDMMButton1Click() {
    accept();
}

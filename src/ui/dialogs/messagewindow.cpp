#include "ui/dialogs/messagewindow.h"

#include "resources/appresources.h"
#include "ui/controls/mmbutton.h"
#include "ui/dialogs/messagesizing.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QStyle>

namespace {

constexpr int kClientHeight = 111;
constexpr int kCreatedClientWidth = 510;
constexpr int kLabelTop = 10;
constexpr int kLabelHeight = 91;
constexpr int kIconSize = 32;

} // namespace

TForm8::TForm8(QWidget *owner, const QList<QImage> *drawnButtons)
    : FixedDialog(owner, QSize(kCreatedClientWidth, kClientHeight), closeBoxOnly()) {
    setObjectName(QStringLiteral("Form8"));
    setFont(programFont(QStringLiteral("Courier New"), 19, true));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(69, 13, kIconSize, kIconSize);
    Image1->setAlignment(Qt::AlignCenter);

    LMDMMButton1 = new TLMDMMButton(this);
    LMDMMButton1->setObjectName(QStringLiteral("LMDMMButton1"));
    LMDMMButton1->setGeometry(10, 58, 150, 40);
    LMDMMButton1->setText(QStringLiteral("Продолжить"));
    LMDMMButton1->setFaceList(drawnButtons);
    LMDMMButton1->setTakesFocus(false);
    connect(LMDMMButton1, &TLMDMMButton::clicked, this, &TForm8::LMDMMButton1Click);

    LMDSimpleLabel1 = new QLabel(this);
    LMDSimpleLabel1->setObjectName(QStringLiteral("LMDSimpleLabel1"));
    // Plain text always: an explanation must never be taken for markup.
    LMDSimpleLabel1->setTextFormat(Qt::PlainText);
    LMDSimpleLabel1->setWordWrap(true);
    LMDSimpleLabel1->setAlignment(Qt::AlignCenter);
    LMDSimpleLabel1->setFocusPolicy(Qt::NoFocus);
    LMDSimpleLabel1->setGeometry(dialogs::kLabelLeft, kLabelTop,
                                 kCreatedClientWidth - dialogs::kLabelLeft - 10, kLabelHeight);
    LMDSimpleLabel1->setText(QStringLiteral("LMDSimpleLabel1"));

    setClosesOnEnter(true);
    installKeyPreview();
}

int TForm8::frameWidth() const {
    return frameGeometry().width() - width();
}

void TForm8::prepare(const QString &text, const QString &caption, int kind) {
    setWindowTitle(caption);
    // The label breaks lines at LF; a CR would show as a blank.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    LMDSimpleLabel1->setText(shown);

    // The frame's width is known only once the window exists on the window system.
    create();
    const QFontMetrics metrics(LMDSimpleLabel1->font());
    const dialogs::MessageLayout layout = dialogs::messageLayout(
        text, [&metrics](const QString &s) { return metrics.horizontalAdvance(s); }, frameWidth());
    LMDSimpleLabel1->setGeometry(dialogs::kLabelLeft, kLabelTop, layout.labelWidth, kLabelHeight);
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
        Image1->clear();
        Image1->setAccessibleName(QString());
        return;
    }
    Image1->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(kIconSize, kIconSize));
    // The icon says what kind of message this is; a screen reader says it in words.
    Image1->setAccessibleName(meaning);
}

void TForm8::InitializeAndShow(const QString &text, const QString &caption, int kind) {
    prepare(text, caption, kind);
    exec();
}

void TForm8::LMDMMButton1Click() {
    accept();
}

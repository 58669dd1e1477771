#include "guidelineswindow.h"

#include "appresources.h"
#include "mmbutton.h"

#include <QTextEdit>

TForm7::TForm7(QWidget *owner, const QList<QImage> *drawnButtons)
    : FixedDialog(owner, QSize(391, 380), closeBoxOnly()) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Методические указания"));
    setFont(programFont(QStringLiteral("Courier New"), 16, false));

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(10, 10, 371, 301);
    RichEdit1->setReadOnly(true);
    // Read-only still lets the pupil move through the text with the keyboard.
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setFocusPolicy(Qt::StrongFocus);

    LMDMMButton1 = new TLMDMMButton(this);
    LMDMMButton1->setObjectName(QStringLiteral("LMDMMButton1"));
    LMDMMButton1->setGeometry(125, 325, 150, 40);
    LMDMMButton1->setText(QStringLiteral("ОК"));
    LMDMMButton1->setFont(programFont(QStringLiteral("Courier New"), 19, true));
    LMDMMButton1->setFaceList(drawnButtons);
    LMDMMButton1->setTakesFocus(false);
    connect(LMDMMButton1, &TLMDMMButton::clicked, this, &TForm7::LMDMMButton1Click);

    setClosesOnEnter(true);
    installKeyPreview();
}

void TForm7::LMDMMButton1Click() {
    accept();
}

void TForm7::showEvent(QShowEvent *event) {
    FixedDialog::showEvent(event);
    RichEdit1->setFocus(Qt::OtherFocusReason);
}

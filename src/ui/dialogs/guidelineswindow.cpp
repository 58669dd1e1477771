#include "ui/dialogs/guidelineswindow.h"

#include "docset/docsrecord.h"
#include "resources/appresources.h"
#include "ui/controls/mmbutton.h"
#include "ui/docviews/messageboxreporter.h"
#include "ui/docviews/richeditview.h"

#include <QEvent>
#include <QResource>
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
    RichEdit1->setAccessibleName(windowTitle());
    RichEdit1->setAccessibleDescription(
        QStringLiteral("Текст документа; стрелки, Page Up и Page Down листают его, Enter закрывает окно"));

    LMDMMButton1 = new TLMDMMButton(this);
    LMDMMButton1->setObjectName(QStringLiteral("LMDMMButton1"));
    LMDMMButton1->setGeometry(125, 325, 150, 40);
    LMDMMButton1->setText(QStringLiteral("ОК"));
    LMDMMButton1->setFont(programFont(QStringLiteral("Courier New"), 19, true));
    LMDMMButton1->setFaceList(drawnButtons);
    LMDMMButton1->setTakesFocus(false);
    connect(LMDMMButton1, &TLMDMMButton::clicked, this, &TForm7::LMDMMButton1Click);

    auto *richEdit = new RichEditView(RichEdit1);
    m_reporter = std::make_unique<MessageBoxReporter>(this);
    Docs1 = new docset::TDocs(this);
    Docs1->setErrorReporter(m_reporter.get());
    readStoredLayout(richEdit);

    setClosesOnEnter(true);
    installKeyPreview();
}

TForm7::~TForm7() {
    // The component reports its documents as deleted as it goes; it must go while the reporter still exists.
    delete Docs1;
}

void TForm7::readStoredLayout(RichEditView *richEdit) {
    const QResource resource(QStringLiteral(":/layouts/guidelineswindow.bin"));
    const QByteArray record = resource.compressionAlgorithm() == QResource::NoCompression
                                  ? QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                                            qsizetype(resource.size()))
                                  : resource.uncompressedData();
    docset::FormNames names;
    names.component = [richEdit](const QString &name) -> QObject * {
        return name == richEdit->objectName() ? richEdit : nullptr;
    };
    try {
        docset::PropertyReader reader(record);
        docset::readDocsRecord(reader, *Docs1, names);
    } catch (const std::runtime_error &error) {
        m_reporter->showError(QString::fromUtf8(error.what()));
    }
}

void TForm7::LMDMMButton1Click() {
    accept();
}

void TForm7::changeEvent(QEvent *event) {
    FixedDialog::changeEvent(event);
    // The same box shows the reference text and the guidelines; a screen reader names it by what it shows.
    if (event->type() == QEvent::WindowTitleChange && RichEdit1)
        RichEdit1->setAccessibleName(windowTitle());
}

void TForm7::showEvent(QShowEvent *event) {
    FixedDialog::showEvent(event);
    RichEdit1->setFocus(Qt::OtherFocusReason);
}

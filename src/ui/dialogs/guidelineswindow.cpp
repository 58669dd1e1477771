#include "ui/dialogs/guidelineswindow.h"
#include "ui_guidelineswindow.h"

#include "docset/docsrecord.h"
#include "resources/appresources.h"
#include "ui/controls/mmbutton.h"
#include "ui/docviews/messageboxreporter.h"
#include "ui/docviews/richeditview.h"

#include <QEvent>
#include <QResource>
#include <QTextEdit>

TForm7::TForm7(QWidget *owner, const QList<QImage> *drawnButtons)
    : FixedDialog(owner, QSize(391, 380), closeBoxOnly())
    , m_ui(std::make_unique<Ui::Form7>()) {
    // Made in the window's font, as the layout was measured; a form's fonts have point sizes only.
    setFont(programFont(QStringLiteral("Courier New"), 16, false));
    m_ui->setupUi(this);
    m_ui->LMDMMButton1->setFont(programFont(QStringLiteral("Courier New"), 19, true));
    // The faces are drawn by the main window at start-up.
    m_ui->LMDMMButton1->setFaceList(drawnButtons);
    connect(m_ui->LMDMMButton1, &TLMDMMButton::clicked, this, &TForm7::LMDMMButton1Click);

    auto *richEdit = new RichEditView(m_ui->RichEdit1);
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
    if (event->type() == QEvent::WindowTitleChange && m_ui && m_ui->RichEdit1)
        m_ui->RichEdit1->setAccessibleName(windowTitle());
}

void TForm7::showEvent(QShowEvent *event) {
    FixedDialog::showEvent(event);
    m_ui->RichEdit1->setFocus(Qt::OtherFocusReason);
}

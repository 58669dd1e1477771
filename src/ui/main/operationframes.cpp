#include "ui/main/operationframes.h"
#include "ui_frame3.h"
#include "ui_frame4.h"

#include "resources/appresources.h"
#include "ui/controls/bevellabel.h"
#include "ui/main/valuelist.h"

#include <QLabel>

TOperationFrame::TOperationFrame(QWidget *parent)
    : QWidget(parent) {
    // Set before the form makes any child, so that no child sees a font change. The lists take their font
    // from the frame: a font set on a drop-down list makes it build its popup at once.
    setFont(programFont(QStringLiteral("Courier New"), 19, true));
}

void TOperationFrame::completeTheForm(TValueList *top, TValueList *bottom, TLMDBevelLabel *operation,
                                      QLabel *equals) {
    resize(engine::frameSize(frameClass()));
    m_top = top;
    m_bottom = bottom;
    m_operation = operation;
    // A form cannot say a font's pixel height.
    equals->setFont(programFont(QStringLiteral("Courier New"), 27, true));
}

TFrame3::TFrame3(QWidget *parent)
    : TOperationFrame(parent) {
    Ui::TFrame3 form;
    form.setupUi(this);
    completeTheForm(form.ComboBox1, form.ComboBox2, form.LMDLabel1, form.Label1);
}

TFrame4::TFrame4(QWidget *parent)
    : TOperationFrame(parent) {
    Ui::TFrame4 form;
    form.setupUi(this);
    completeTheForm(form.ComboBox1, nullptr, form.LMDLabel1, form.Label1);
}

TOperationFrame *createFrame(const engine::FrameModel &model, QWidget *area) {
    TOperationFrame *frame = nullptr;
    if (model.frameClass == engine::FrameClass::TFrame3)
        frame = new TFrame3(area);
    else
        frame = new TFrame4(area);
    frame->setObjectName(model.name);
    frame->move(model.left, model.top);
    frame->Tag = model.Tag;
    for (int list = 1; list <= (frame->isTwoInput() ? 2 : 1); ++list) {
        const engine::ValueListModel &values = list == 1 ? model.ComboBox1 : model.ComboBox2;
        TValueList *widget = frame->valueList(list);
        // Items come from ApplyNotation; until then the list holds placeholders in code order.
        widget->refill({QStringLiteral("?"), QString(), QString()});
        widget->setCurrentIndex(values.itemIndex);
        widget->setEnabled(values.enabled);
    }
    return frame;
}

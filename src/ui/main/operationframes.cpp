#include "ui/main/operationframes.h"

#include "resources/appresources.h"
#include "ui/controls/bevellabel.h"
#include "ui/controls/technicalline.h"
#include "ui/main/valuelist.h"

#include <QLabel>

namespace {

TValueList *makeValueList(QWidget *frame, const char *name, int top) {
    auto *list = new TValueList(frame);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(0, top, 91, 30);
    // The font comes from the frame: a font set on a drop-down list makes it build its popup at once.
    return list;
}

TLMDTechnicalLine *connector(QWidget *frame, const char *name, const QRect &bounds,
                             TLMDTechnicalLine::LineType type) {
    auto *line = new TLMDTechnicalLine(frame);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(bounds);
    line->setLineType(type);
    line->setPenWidth(3);
    return line;
}

} // namespace

TOperationFrame::TOperationFrame(QWidget *parent)
    : QWidget(parent) {
    // Set before any child exists, so that no child sees a font change.
    setFont(programFont(QStringLiteral("Courier New"), 19, true));
}

TValueList *TOperationFrame::valueList(int list) const {
    if (list == 2)
        return isTwoInput() ? static_cast<const TFrame3 *>(this)->ComboBox2 : nullptr;
    return ComboBox1;
}

void TOperationFrame::addCommonControls(int boxTop) {
    LMDLabel1 = new TLMDBevelLabel(this);
    LMDLabel1->setObjectName(QStringLiteral("LMDLabel1"));
    LMDLabel1->setGeometry(120, boxTop, 101, 30);

    Label1 = new QLabel(QStringLiteral("="), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(227, boxTop, 16, 31);
    Label1->setFont(programFont(QStringLiteral("Courier New"), 27, true));
}

TFrame3::TFrame3(QWidget *parent)
    : TOperationFrame(parent) {
    setObjectName(QStringLiteral("Frame3"));
    resize(engine::frameSize(engine::FrameClass::TFrame3));
    ComboBox1 = makeValueList(this, "ComboBox1", 0);
    ComboBox2 = makeValueList(this, "ComboBox2", 100);
    LMDTechnicalLine1 =
        connector(this, "LMDTechnicalLine1", {90, 15, 31, 51}, TLMDTechnicalLine::lsTopLeftToBottomRight);
    LMDTechnicalLine2 =
        connector(this, "LMDTechnicalLine2", {90, 65, 31, 51}, TLMDTechnicalLine::lsBottomLeftToTopRight);
    addCommonControls(50);
    setTabOrder(ComboBox1, ComboBox2);
}

TFrame4::TFrame4(QWidget *parent)
    : TOperationFrame(parent) {
    setObjectName(QStringLiteral("Frame4"));
    resize(engine::frameSize(engine::FrameClass::TFrame4));
    ComboBox1 = makeValueList(this, "ComboBox1", 20);
    LMDTechnicalLine2 =
        connector(this, "LMDTechnicalLine2", {90, 20, 31, 30}, TLMDTechnicalLine::lsStraightLeftToRight);
    addCommonControls(20);
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

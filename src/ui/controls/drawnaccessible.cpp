#include "drawnlabelaccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace {

class DrawnLabelAccessible : public QAccessibleWidget {
public:
    explicit DrawnLabelAccessible(QWidget *label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            // A name the program gives explicitly says more than the bare text.
            const QString given = widget()->accessibleName();
            return given.isEmpty() ? widget()->property("text").toString() : given;
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *drawnLabelFactory(const QString &className, QObject *object) {
    if ((className == QLatin1String("TLMDBevelLabel") || className == QLatin1String("TLMDShadowLabel")) &&
        object && object->isWidgetType())
        return new DrawnLabelAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void registerDrawnLabel() {
    static const bool installed = [] {
        QAccessible::installFactory(drawnLabelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void drawnLabelTextChanged(QWidget *label) {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

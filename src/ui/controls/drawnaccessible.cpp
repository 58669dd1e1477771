#include "drawnaccessible.h"

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

QAccessibleInterface *drawnControlFactory(const QString &className, QObject *object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("TLMDBevelLabel") || className == QLatin1String("TLMDShadowLabel"))
        return new DrawnLabelAccessible(widget);
    if (className == QLatin1String("PictureBox"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (className == QLatin1String("TLMDProgress") || className == QLatin1String("TLMDProgressFill"))
        return new QAccessibleWidget(widget, QAccessible::ProgressBar);
    return nullptr;
}

} // namespace

void registerDrawnControl() {
    static const bool installed = [] {
        QAccessible::installFactory(drawnControlFactory);
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

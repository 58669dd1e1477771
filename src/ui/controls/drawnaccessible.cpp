#include "ui/controls/drawnaccessible.h"

#include "ui/controls/drawnlabel.h"
#include "ui/controls/picturebox.h"
#include "ui/controls/progress.h"
#include "ui/controls/progressfill.h"

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

QAccessibleInterface *drawnControlFactory(const QString &, QObject *object) {
    if (auto *label = qobject_cast<DrawnLabel *>(object))
        return new DrawnLabelAccessible(label);
    if (auto *picture = qobject_cast<PictureBox *>(object))
        return new QAccessibleWidget(picture, QAccessible::Graphic);
    if (qobject_cast<TLMDProgress *>(object) || qobject_cast<TLMDProgressFill *>(object))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::ProgressBar);
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

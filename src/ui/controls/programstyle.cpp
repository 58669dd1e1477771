#include "ui/controls/programstyle.h"

#include <QIconEngine>
#include <QPointer>
#include <QStyleFactory>

namespace {

// Stands for a standard icon and asks the style for the real one the first time anything needs its pixels
// or sizes.
class DeferredStandardIcon : public QIconEngine {
public:
    DeferredStandardIcon(const QProxyStyle *style, QStyle::StandardPixmap which)
        : m_style(const_cast<QProxyStyle *>(style))
        , m_which(which) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return real().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return real().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return real().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return real().availableSizes(mode, state);
    }
    bool isNull() override { return real().isNull(); }
    QString key() const override { return QStringLiteral("DeferredStandardIcon"); }
    QIconEngine *clone() const override {
        auto *copy = new DeferredStandardIcon(m_style, m_which);
        copy->m_icon = m_icon;
        copy->m_loaded = m_loaded;
        return copy;
    }

private:
    const QIcon &real() {
        if (!m_loaded) {
            m_loaded = true;
            // The style may have been replaced and deleted since; the icon then stays empty.
            if (m_style)
                m_icon = m_style->baseStyle()->standardIcon(m_which);
        }
        return m_icon;
    }

    QPointer<QProxyStyle> m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
    bool m_loaded = false;
};

} // namespace

ProgramStyle::ProgramStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                 const QWidget *widget) const {
    switch (standardIcon) {
    case SP_ToolBarHorizontalExtensionButton:
    case SP_ToolBarVerticalExtensionButton:
        return QIcon(new DeferredStandardIcon(this, standardIcon));
    default:
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    }
}

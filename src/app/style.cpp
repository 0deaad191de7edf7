#include "app/style.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace fusefuda {

namespace {

// An icon of the style's that is asked of it when first drawn or measured.
class DeferredIcon : public QIconEngine {
public:
    DeferredIcon(QStyle *style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new DeferredIcon(*this); }
    QString key() const override { return QStringLiteral("fusefuda.deferred"); }
    // The style has every one of its pictures: asking is no reason to load.
    bool isNull() override { return false; }

private:
    QIcon &icon() {
        if (!loaded_ && style_) icon_ = style_->standardIcon(which_);
        loaded_ = true;
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    bool loaded_ = false;
    QIcon icon_;
};

}  // namespace

GameStyle::GameStyle(QStyle *base) : QProxyStyle(base) {}

QIcon GameStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                              const QWidget *widget) const {
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredIcon(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
}

}  // namespace fusefuda

#include "render/overlays.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <map>

#include "render/canvas.h"
#include "render/cards.h"
#include "render/painting.h"

namespace fusefuda {

namespace {

// The popup texts are few ("-50", "-30", "-20"), so each is drawn once for
// the window's scale, white on opaque black, and then copied like any other
// block. The text is laid out in board pixels and drawn at device pixels.
const QImage &popupText(int value, int scale) {
    static std::map<std::pair<int, int>, QImage> cache;
    const std::pair<int, int> key{value, scale};
    auto found = cache.find(key);
    if (found != cache.end()) return found->second;
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    const QString text = QString::number(value);
    const QFontMetrics metrics(font);
    const int width = std::min(std::max(metrics.horizontalAdvance(text), 1), kPopupWipeWidth);
    const int height = std::min(std::max(metrics.height(), 1), kPopupWipeHeight);
    QImage image(width * scale, height * scale, QImage::Format_RGB32);
    image.fill(0xFF000000u);
    if (scale != 1) image.setDevicePixelRatio(scale);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(QColor(255, 255, 255));
        painter.drawText(QRect(0, 0, width, height), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    return cache.emplace(key, image).first->second;
}

}  // namespace

void drawPopups(Context &ctx) {
    const GameState &g = ctx.g;
    if (!g.scoreDisplayOn) return;
    for (const ScorePopup &p : g.overlays.popups) {
        if (!p.active || p.valueIndex < 0 || p.valueIndex > 2) continue;
        const QImage &text = popupText(kTouchCost[p.valueIndex], scaleOf(ctx.s.window));
        const QSize size = logicalSize(text);
        windowBlt(ctx.s, p.x, p.y, size.width(), size.height(), text, 0, 0, SRCCOPY);
    }
}

void wipePopup(Context &ctx, const ScorePopup &p) {
    const GameState &g = ctx.g;
    if (g.scoreDisplayOn)
        canvasToWindow(ctx.s, p.x, p.y, kPopupWipeWidth, kPopupWipeHeight, p.x + g.viewX,
                       p.y + g.viewY);
    drawGroupInHand(ctx);
}

void drawSparkles(Context &ctx) {
    const GameState &g = ctx.g;
    if (!g.animationOn) return;
    for (const Sparkle &s : g.overlays.sparkles) {
        if (!s.active || s.frame < 0 || s.frame > 5) continue;
        const int x = s.x - g.viewX, y = s.y - g.viewY, frameTop = s.frame * kSparkleSize;
        canvasToWindow(ctx.s, x, y, kSparkleSize, kSparkleSize, s.x, s.y);
        windowBlt(ctx.s, x, y, kSparkleSize, kSparkleSize, ctx.s.sparkleImage, 0, frameTop,
                  SRCPAINT);
        windowBlt(ctx.s, x, y, kSparkleSize, kSparkleSize, ctx.s.sparkleMask, 0, frameTop,
                  SRCAND);
    }
}

void wipeSparkle(Context &ctx, const Sparkle &s) {
    const GameState &g = ctx.g;
    if (g.animationOn)
        canvasToWindow(ctx.s, s.x - g.viewX, s.y - g.viewY, kSparkleSize, kSparkleSize, s.x, s.y);
    drawGroupInHand(ctx);
}

}  // namespace fusefuda

#include "app/idle.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <malloc.h>
#include <map>

#include "game/deal.h"
#include "game/overlays.h"
#include "game/random.h"
#include "render/cards.h"
#include "render/focus.h"
#include "render/painting.h"

namespace fusefuda {

namespace {

constexpr int kPopupWipeWidth = 28;
constexpr int kPopupWipeHeight = 20;
constexpr int kSparkleSize = 30;

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

void agePopups(Context &ctx) {
    GameState &g = ctx.g;
    if (g.phases.popupPhase == g.phases.popupPhaseSeen) return;
    for (ScorePopup &p : g.overlays.popups) {
        if (!p.active) continue;
        if (++p.age < 3) continue;
        if (g.scoreDisplayOn == 1)
            windowBlt(ctx.s, p.x, p.y, kPopupWipeWidth, kPopupWipeHeight, ctx.s.board,
                      p.x + g.viewX, p.y + g.viewY, SRCCOPY);
        drawGroupInHand(ctx);
        p = ScorePopup{};
    }
    g.phases.popupPhaseSeen = g.phases.popupPhase;
}

void drawPopups(Context &ctx) {
    const GameState &g = ctx.g;
    if (g.scoreDisplayOn != 1) return;
    for (const ScorePopup &p : g.overlays.popups) {
        if (!p.visible || p.valueIndex < 0 || p.valueIndex > 2) continue;
        const QImage &text = popupText(g.touchCost[p.valueIndex], scaleOf(ctx.s.window));
        const QSize size = logicalSize(text);
        windowBlt(ctx.s, p.x, p.y, size.width(), size.height(), text, 0, 0, SRCCOPY);
    }
}

void ageSparkles(Context &ctx) {
    GameState &g = ctx.g;
    if (g.phases.sparklePhase == g.phases.sparklePhaseSeen) return;
    for (Sparkle &s : g.overlays.sparkles) {
        if (!s.stepping) continue;
        ++s.age;
        if (s.age >= 1 && s.age <= 4) ++s.frame;
        if (s.age < 5) continue;
        if (g.animationOn == 1)
            windowBlt(ctx.s, s.x - g.viewX, s.y - g.viewY, kSparkleSize, kSparkleSize,
                      ctx.s.board, s.x, s.y, SRCCOPY);
        drawGroupInHand(ctx);
        s = Sparkle{};
    }
    g.phases.sparklePhaseSeen = g.phases.sparklePhase;
}

void drawSparkles(Context &ctx) {
    const GameState &g = ctx.g;
    if (g.animationOn != 1) return;
    for (const Sparkle &s : g.overlays.sparkles) {
        if (!s.active || s.frame < 0 || s.frame > 5) continue;
        const int x = s.x - g.viewX, y = s.y - g.viewY, frameTop = s.frame * kSparkleSize;
        windowBlt(ctx.s, x, y, kSparkleSize, kSparkleSize, ctx.s.board, s.x, s.y, SRCCOPY);
        windowBlt(ctx.s, x, y, kSparkleSize, kSparkleSize, ctx.s.sparkleImage, 0, frameTop,
                  SRCPAINT);
        windowBlt(ctx.s, x, y, kSparkleSize, kSparkleSize, ctx.s.sparkleMask, 0, frameTop,
                  SRCAND);
    }
}

bool allSparkleSlotsBusy(const GameState &g) {
    for (const Sparkle &s : g.overlays.sparkles)
        if (!s.active) return false;
    return true;
}

}  // namespace

void flipPopupPhase(GameState &g) { g.phases.popupPhase = g.phases.popupPhase == 0 ? 1 : 0; }
void flipSparklePhase(GameState &g) { g.phases.sparklePhase = g.phases.sparklePhase == 0 ? 1 : 0; }

int spawnAmbientSparkles(GameState &g, int maxRounds) {
    const ColumnRange cols = columnsInPlay(g.level);
    int started = 0;
    for (int round = 0; round < maxRounds && !allSparkleSlotsBusy(g); ++round) {
        for (int c = cols.first; c <= cols.last; ++c) {
            for (int r = 0; r < kRows; ++r) {
                if (drawRandom(g) % 1000 >= 1) continue;
                const int jy = drawRandom(g) % 80;
                const int jx = drawRandom(g) % 40;
                const bool free = !allSparkleSlotsBusy(g);
                spawnSparkle(g, kHomeLeft + kHomePitchX * c + g.viewX + jx,
                             kHomeTop + kPitchY * r + g.viewY + jy, 0);
                if (free) ++started;
            }
        }
    }
    return started;
}

void idleStep(Play &play, Context &ctx) {
    GameState &g = ctx.g;
    if (g.dealPending) {
        dealScatter(play, g.level);
        g.dealPending = false;
        // The menu or dialog that asked for the game has just closed; what
        // it drew with is freed but lies between live blocks, where the
        // allocator keeps it: 0.7 MB after the File menu. A deal is rare and
        // slow beside the walk over the heap that hands it back.
        malloc_trim(0);
    }
    // The popups and sparkles wipe and draw over whatever lies there.
    if (g.phases.popupPhase != g.phases.popupPhaseSeen ||
        g.phases.sparklePhase != g.phases.sparklePhaseSeen)
        focusOverdrawn(ctx);
    agePopups(ctx);
    drawPopups(ctx);
    // A tick is when slots free up; refilling them then keeps a won board as
    // busy as a loop that never rests, without running one.
    const bool sparkleTick = g.phases.sparklePhase != g.phases.sparklePhaseSeen;
    ageSparkles(ctx);
    drawSparkles(ctx);
    if (g.gameOver) {
        // Newly started sparkles show their first frame now, not one tick late.
        if (spawnAmbientSparkles(g, sparkleTick ? kAmbientRoundsPerTick : 1) > 0)
            drawSparkles(ctx);
    }
    drawKeyFocus(ctx);
}

}  // namespace fusefuda

#include <gtest/gtest.h>

#include "app/idle.h"
#include "game/deal.h"
#include "game/overlays.h"
#include "game/random.h"
#include "render/cards.h"
#include "support/table.h"

using namespace fusefuda;
using fusefuda::testing::Table;

namespace {

// Surfaces with known, distinct patterns, so that every copy and raster
// operation leaves a recognisable result whatever the pictures look like.
void patternSurfaces(Surfaces &s) {
    for (int y = 0; y < s.board.height(); ++y) {
        auto *line = reinterpret_cast<uint32_t *>(s.board.scanLine(y));
        for (int x = 0; x < s.board.width(); ++x)
            line[x] = 0xFF000000u | uint32_t((x * 7) & 0xFF) << 16 | uint32_t((y * 3) & 0xFF) << 8 |
                      0x21u;
    }
    for (int y = 0; y < 180; ++y)
        for (int x = 0; x < 30; ++x) {
            s.sparkleImage.setPixel(x, y, ((x + y) % 3 == 0) ? 0xFFFFFFFFu : 0xFF000000u);
            s.sparkleMask.setPixel(x, y, ((x + y) % 3 == 0) ? 0xFFFFFF00u : 0xFFFFFFFFu);
        }
    s.window.fill(0xFF123456u);
    s.dirty = QRegion();
}

uint32_t pixel(const QImage &image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

// What a sparkle drawn at board (bx, by) with a frame looks like at (dx, dy).
uint32_t sparkleLook(const Surfaces &s, int bx, int by, int frame, int dx, int dy) {
    const uint32_t under = pixel(s.board, bx + dx, by + dy);
    return (under | pixel(s.sparkleImage, dx, frame * 30 + dy)) &
           pixel(s.sparkleMask, dx, frame * 30 + dy);
}

void tickPopups(Table &t) {
    flipPopupPhase(t.g());
    idleStep(t.play, t.ctx);
}

void tickSparkles(Table &t) {
    flipSparklePhase(t.g());
    idleStep(t.play, t.ctx);
}

}  // namespace

TEST(IdleStep, RunsThePendingDealOnce) {
    Table t;
    startNewGame(t.play, kBeginner, 99);
    ASSERT_EQ(t.g().dealPending, 1);
    idleStep(t.play, t.ctx);
    EXPECT_EQ(t.g().dealPending, 0);
    EXPECT_EQ(t.g().board.score, 1600);
    EXPECT_EQ(t.g().board.touchCount[6][0], 3);
    const uint32_t afterDeal = t.g().randomState;
    idleStep(t.play, t.ctx);
    EXPECT_EQ(t.g().randomState, afterDeal);  // no second scatter
}

TEST(IdleStep, DoesNothingWhenNothingIsDue) {
    Table t;
    t.deal(2);
    patternSurfaces(t.surfaces);
    const QImage before = t.surfaces.window.copy();
    const uint32_t random = t.g().randomState;
    for (int i = 0; i < 5; ++i) idleStep(t.play, t.ctx);
    EXPECT_TRUE(t.surfaces.dirty.isEmpty());
    EXPECT_EQ(t.surfaces.window, before);
    EXPECT_EQ(t.g().randomState, random);
}

TEST(PopupAgeing, ShownForThreeFlipsThenWipedFromTheCanvas) {
    Table t;
    t.deal(3);
    patternSurfaces(t.surfaces);
    t.g().scoreDisplayOn = 1;
    spawnScorePopup(t.play, 300, 200, 0);
    const ScorePopup &p = t.g().overlays.popups[0];
    ASSERT_EQ(p.active, 1);
    ASSERT_EQ(p.x, 280);

    idleStep(t.play, t.ctx);  // drawn at once, white on black
    bool white = false, black = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 28; ++x) {
            const uint32_t c = pixel(t.surfaces.window, 280 + x, 180 + y);
            white |= c == 0xFFFFFFFFu;
            black |= c == 0xFF000000u;
        }
    EXPECT_TRUE(white);
    EXPECT_TRUE(black);
    EXPECT_TRUE(t.surfaces.dirty.contains(QPoint(281, 181)));

    tickPopups(t);
    tickPopups(t);
    EXPECT_EQ(p.age, 2);
    EXPECT_EQ(p.active, 1);
    tickPopups(t);
    EXPECT_EQ(p.active, 0);
    EXPECT_EQ(p.x, 0);
    // The 28 x 20 block is the canvas again.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 28; ++x)
            ASSERT_EQ(pixel(t.surfaces.window, 280 + x, 180 + y),
                      pixel(t.surfaces.board, 280 + x + t.g().viewX, 180 + y + t.g().viewY));
}

TEST(PopupAgeing, SkippedFlipsAreNotCaughtUp) {
    Table t;
    t.deal(3);
    spawnScorePopup(t.play, 100, 100, 1);
    tickPopups(t);
    // Two flips while the idle step does not run (a modal dialog): the phase
    // is back at its seen value and that ageing is lost.
    flipPopupPhase(t.g());
    flipPopupPhase(t.g());
    idleStep(t.play, t.ctx);
    EXPECT_EQ(t.g().overlays.popups[0].age, 1);
    // Three flips unseen count as one.
    flipPopupPhase(t.g());
    flipPopupPhase(t.g());
    flipPopupPhase(t.g());
    idleStep(t.play, t.ctx);
    EXPECT_EQ(t.g().overlays.popups[0].age, 2);
    // Idle turns between flips do not age.
    idleStep(t.play, t.ctx);
    idleStep(t.play, t.ctx);
    EXPECT_EQ(t.g().overlays.popups[0].age, 2);
}

TEST(PopupAgeing, WithoutScoreDisplayNothingIsDrawnButPopupsStillExpire) {
    Table t;
    t.deal(3);
    patternSurfaces(t.surfaces);
    t.g().scoreDisplayOn = 0;
    const int32_t score = t.g().board.score;
    spawnScorePopup(t.play, 300, 200, 0);
    EXPECT_EQ(t.g().board.score, score - 50);
    const QImage before = t.surfaces.window.copy();
    for (int i = 0; i < 3; ++i) tickPopups(t);
    EXPECT_EQ(t.g().overlays.popups[0].active, 0);
    EXPECT_EQ(t.surfaces.window, before);
}

TEST(PopupAgeing, TenAtOnceAllExpireAndTheEleventhIsDropped) {
    Table t;
    t.deal(3);
    t.g().scoreDisplayOn = 1;
    for (int i = 0; i < 11; ++i) spawnScorePopup(t.play, 100 + 10 * i, 300, 2);
    for (int i = 0; i < kSlots; ++i) EXPECT_EQ(t.g().overlays.popups[i].x, 80 + 10 * i);
    for (int i = 0; i < 3; ++i) tickPopups(t);
    for (const ScorePopup &p : t.g().overlays.popups) EXPECT_EQ(p.active, 0);
}

TEST(SparkleAgeing, FramesStepOnEachFlipAndTheFifthFlipWipes) {
    Table t;
    t.deal(3);
    patternSurfaces(t.surfaces);
    const int bx = t.g().viewX + 200, by = t.g().viewY + 150;
    spawnSparkle(t.g(), bx, by, 0);
    const Sparkle &s = t.g().overlays.sparkles[0];
    for (int frame = 0; frame <= 4; ++frame) {
        if (frame > 0) tickSparkles(t);
        else idleStep(t.play, t.ctx);
        ASSERT_EQ(s.frame, frame);
        for (int dy = 0; dy < 30; dy += 7)
            for (int dx = 0; dx < 30; dx += 5)
                ASSERT_EQ(pixel(t.surfaces.window, 200 + dx, 150 + dy),
                          sparkleLook(t.surfaces, bx, by, frame, dx, dy))
                    << "frame " << frame;
    }
    tickSparkles(t);
    EXPECT_EQ(s.active + s.stepping + s.age + s.frame + s.x, 0);
    for (int dy = 0; dy < 30; ++dy)
        for (int dx = 0; dx < 30; ++dx)
            ASSERT_EQ(pixel(t.surfaces.window, 200 + dx, 150 + dy),
                      pixel(t.surfaces.board, bx + dx, by + dy));
}

TEST(SparkleAgeing, WithoutAnimationNothingIsDrawnButSparklesStillAge) {
    Table t;
    t.deal(3);
    patternSurfaces(t.surfaces);
    t.g().animationOn = 0;
    spawnSparkle(t.g(), t.g().viewX + 40, t.g().viewY + 40, 0);
    const QImage before = t.surfaces.window.copy();
    for (int i = 0; i < 4; ++i) tickSparkles(t);
    EXPECT_EQ(t.g().overlays.sparkles[0].frame, 4);
    tickSparkles(t);
    EXPECT_EQ(t.g().overlays.sparkles[0].stepping, 0);
    EXPECT_EQ(t.surfaces.window, before);
    EXPECT_TRUE(t.surfaces.dirty.isEmpty());
}

TEST(SparkleAgeing, ElevenSparklesKeepTheFirstTenAndMissedFlipsAreLost) {
    Table t;
    t.deal(3);
    for (int i = 0; i < 11; ++i) spawnSparkle(t.g(), 1000 + i, 700, 0);
    for (int i = 0; i < kSlots; ++i) EXPECT_EQ(t.g().overlays.sparkles[i].x, 1000 + i);
    tickSparkles(t);
    flipSparklePhase(t.g());
    flipSparklePhase(t.g());
    idleStep(t.play, t.ctx);
    for (const Sparkle &s : t.g().overlays.sparkles) EXPECT_EQ(s.age, 1);
}

TEST(SparkleAgeing, ASlotWhoseSparkleWasSwitchedOffStillAgesOut) {
    Table t;
    t.deal(3);
    spawnSparkle(t.g(), 1000, 700, 0);
    tickSparkles(t);
    clearSparklesActive(t.g());
    for (int i = 0; i < 3; ++i) tickSparkles(t);
    EXPECT_EQ(t.g().overlays.sparkles[0].stepping, 1);
    EXPECT_EQ(t.g().overlays.sparkles[0].frame, 4);
    tickSparkles(t);
    EXPECT_EQ(t.g().overlays.sparkles[0].stepping, 0);
}

TEST(WonBoard, EverySparkleTickRefillsAllTenSlotsInsideTheHomeCells) {
    Table t;
    t.deal(3);
    patternSurfaces(t.surfaces);
    t.g().gameOver = 1;
    seedRandom(t.g(), 2024);
    tickSparkles(t);
    const GameState &g = t.g();
    for (const Sparkle &s : g.overlays.sparkles) {
        ASSERT_EQ(s.active, 1);
        ASSERT_EQ(s.frame, 0);
        const int c = (s.x - g.viewX - 88) / 64, r = (s.y - g.viewY - 150) / kPitchY;
        EXPECT_GE(c, 4);
        EXPECT_LE(c, 8);
        EXPECT_GE(r, 0);
        EXPECT_LE(r, 3);
        EXPECT_LT(s.x - (88 + 64 * c + g.viewX), 40);
        EXPECT_LT(s.y - (150 + kPitchY * r + g.viewY), 80);
    }
    // A new sparkle shows its first frame at once.
    const Sparkle &first = g.overlays.sparkles[0];
    EXPECT_EQ(pixel(t.surfaces.window, first.x - g.viewX, first.y - g.viewY),
              sparkleLook(t.surfaces, first.x, first.y, 0, 0, 0));
    // Five ticks later they have all been replaced by fresh ones.
    for (int i = 0; i < 5; ++i) tickSparkles(t);
    for (const Sparkle &s : g.overlays.sparkles) {
        EXPECT_EQ(s.active, 1);
        EXPECT_EQ(s.age, 0);
    }
}

TEST(WonBoard, IdleTurnsBetweenTicksTakeOneRoundOnly) {
    Table t;
    t.deal(1);
    t.g().gameOver = 1;
    seedRandom(t.g(), 5);
    const uint32_t before = t.g().randomState;
    idleStep(t.play, t.ctx);  // no tick: one chance per card place, like one loop turn
    GameState probe;
    probe.level = kAdvanced;
    seedRandom(probe, 5);
    spawnAmbientSparkles(probe, 1);
    EXPECT_EQ(t.g().randomState, probe.randomState);
    EXPECT_NE(t.g().randomState, before);
}

TEST(Wipes, RedrawTheGroupInTheHandButNotAStaleCoveredOne) {
    Table t;
    t.deal(1, 31337);
    GameState &g = t.g();
    patternSurfaces(t.surfaces);
    // Card (0, 0) lies somewhere; put card (1, 0) exactly on top of it.
    g.board.cardRect[1][0] = g.board.cardRect[0][0];
    ASSERT_GT(g.board.stackLevel[1][0], g.board.stackLevel[0][0]);
    g.gesture.pressColumn = 0;  // the last press long ago, nothing in the hand now
    g.gesture.pressRow = 0;
    g.gesture.pressMode = kPressNone;
    spawnSparkle(g, 1000, 700, 0);
    for (int i = 0; i < 5; ++i) tickSparkles(t);
    const Rect &r = g.board.cardRect[0][0];
    const CardPicture coveredPicture = cardPicture(g, t.surfaces, 0, 0);
    const QImage window = t.surfaces.window.copy(r.left - g.viewX, r.top - g.viewY, 64, 102);
    const QImage covered = coveredPicture.surface->copy(coveredPicture.x, coveredPicture.y, 64, 102);
    EXPECT_NE(window, covered);

    // A group in the hand, not yet moved, is redrawn over the wiped block,
    // whether a sparkle or a cost goes.
    g.gesture.dragging = 1;
    g.gesture.dragMoved = 0;
    g.gesture.dragColumn = 0;
    g.gesture.dragRow = 0;
    spawnSparkle(g, r.left + 10, r.top + 10, 0);
    for (int i = 0; i < 5; ++i) tickSparkles(t);
    EXPECT_EQ(t.surfaces.window.copy(r.left - g.viewX, r.top - g.viewY, 64, 102), covered);
    g.scoreDisplayOn = 1;
    spawnScorePopup(t.play, r.left - g.viewX + 40, r.top - g.viewY + 40, 0);
    idleStep(t.play, t.ctx);
    for (int i = 0; i < 3; ++i) tickPopups(t);
    ASSERT_EQ(g.overlays.popups[0].active, 0);
    EXPECT_EQ(t.surfaces.window.copy(r.left - g.viewX, r.top - g.viewY, 64, 102), covered);
}

// libFuzzer target: the whole load of a play file, then play on what it let
// through. An input names one of five saved games (before the first game,
// fresh deals at each level, a game some way along) and a gesture under way
// when the file is opened, then up to 32 changes of single bytes of that file
// (three bytes of offset, one of value), then a script of up to 12 mouse
// events and commands (a few gestures) played on the loaded board through the
// game's own handlers.
// Changes to a real file reach what the loader's checks let through far more
// often than random files do; the play-file target covers any bytes. A
// refused file must leave the game exactly as it was with one message; an
// accepted one must give tables that the game can index and draw, and keep
// them so through any play.
#include <QGuiApplication>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "game/starting.h"
#include "game/undo.h"
#include "playfile/codec.h"
#include "playfile/playfile.h"
#include "randomplay/invariants.h"
#include "render/surfaces.h"
#include "support/quiet_shell.h"

using namespace fusefuda;

namespace {

// A small window, as a player may make it: what is drawn into it is clipped
// to it, so the card turns and carries that happen outside it cost nothing in
// pixels, while the game's handlers and the drawing onto the board canvas do
// all their work. At the opening size a card turn was a quarter of the time.
constexpr int kWidth = 320, kHeight = 240;
// Every step is checked against the invariants; a card turn alone draws 64
// frames.
constexpr size_t kScriptSteps = 12;
constexpr int kGestures = 5;
// The deals the saved games come from.
constexpr uint32_t kSeed = 4242;

// The gesture state a load must end, chosen by the script's first byte.
void startGesture(Play &play, uint8_t kind) {
    GameState &g = play.g;
    const Rect &at = g.board.cardRect[4][1];
    const int x = at.left - g.viewX + 10, y = at.top - g.viewY + 10;
    switch (kind % kGestures) {
    case 1: onLeftPress(play, x, y, false); onMouseMove(play, x + 3, y + 3); break;
    case 2: onRightPress(play, x, y); break;
    case 3: onRightPress(play, 2, 2); break;  // the bare board: the view is pulled
    case 4: onLeftPress(play, x, y, true); break;
    default: break;
    }
}

class FuzzFiles : public PlayFileWindow {
public:
    std::string chooseOpenPlayFile() override { return path; }
    std::string chooseSavePlayFile() override { return {}; }
    void showMessage(const std::string &text) override { messages.push_back(text); }
    void openScoreWindow() override {}
    void closeScoreWindow() override {}
    std::string path;
    std::vector<std::string> messages;
};

// A record on the surfaces of the small window, the rules drawn as the window
// draws them.
struct Wired : QuietTable {
    Wired(GameState &g, Surfaces &s) : QuietTable(g, s) {
        g.clientWidth = kWidth;
        g.clientHeight = kHeight;
    }
};

struct Table {
    Table() {
        setStartingValues(*start);
        createSurfaces(surfaces, 1, 1, kWidth, kHeight);
        files.path = "/proc/self/fd/" + std::to_string(memfd);
        // A game some way along: dealt, a few cards carried and peeked.
        Wired wired(*start, surfaces);
        Play &play = wired.play;
        startNewGame(play, kIntermediate, kSeed);
        dealScatter(play, kIntermediate);
        start->dealPending = false;
        for (int i = 0; i < 6; ++i) {
            const Rect &at = start->board.cardRect[2 + i][i % 4];
            const int x = at.left - start->viewX + 5, y = at.top - start->viewY + 5;
            onLeftPress(play, x, y, false);
            onMouseMove(play, x + 40, y + 25);
            onLeftRelease(play, x + 40, y + 25);
            onRightPress(play, x + 40, y + 25);
            onRightRelease(play, x + 40, y + 25);
        }
        const auto other = std::make_unique<GameState>();
        setStartingValues(*other);
        bases.push_back(encodePlayFile(captureRecord(*other)));
        for (int level = 1; level <= 3; ++level) {
            Wired fresh(*other, surfaces);
            startNewGame(fresh.play, levelFromNumber(level), kSeed);
            dealScatter(fresh.play, levelFromNumber(level));
            bases.push_back(encodePlayFile(captureRecord(*other)));
        }
        bases.push_back(encodePlayFile(captureRecord(*start)));
        for (const std::vector<uint8_t> &base : bases)
            if (base.size() != kPlayFileSize) std::abort();
        // The gesture is begun once here, not on every run: a peek alone
        // turns its card in 64 frames, and what it draws does not depend on
        // the input.
        for (int kind = 0; kind < kGestures; ++kind) {
            underWay[kind] = std::make_unique<GameState>(*start);
            Wired begun(*underWay[kind], surfaces);
            startGesture(begun.play, uint8_t(kind));
        }
    }
    // The saved games the inputs start from, and the one changed this run:
    // kept from run to run, so that no run allocates and clears a file's size.
    std::vector<std::vector<uint8_t>> bases;
    std::vector<uint8_t> file;
    std::unique_ptr<GameState> start = std::make_unique<GameState>();
    // The game some way along with each gesture under way.
    std::unique_ptr<GameState> underWay[kGestures];
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    Surfaces surfaces;
    FuzzFiles files;
    int memfd = ::memfd_create("fusefuda-load-fuzz", MFD_CLOEXEC);
};

Table &table() {
    static Table t;
    return t;
}

void playScript(Wired &wired, const uint8_t *script, size_t size) {
    GameState &g = wired.play.g;
    Play &play = wired.play;
    for (size_t i = 0; i + 3 <= size && i < 3 * kScriptSteps; i += 3) {
        const uint8_t op = script[i], a = script[i + 1], b = script[i + 2];
        int x = a * 4 - 20, y = b * 3 - 20;
        if (op & 0x80) {
            // at a card, wherever it lies
            const Rect &at = g.board.cardRect[a % kColumns][b % kRows];
            x = at.left - g.viewX + (op & 0x3F), y = at.top - g.viewY + (b & 0x3F) + 20;
        }
        switch (op % 11) {
        case 0: case 1: onMouseMove(play, x, y); break;
        case 2: onLeftPress(play, x, y, false); break;
        case 3: onLeftPress(play, x, y, true); break;
        case 4: onLeftRelease(play, x, y); break;
        case 5: onRightPress(play, x, y); break;
        case 6: onRightRelease(play, x, y); break;
        case 7: popUndo(play); break;
        case 8: reverseStacking(play); break;
        case 9: wired.ctx.s.dirty = QRegion(); break;
        default: onMouseMove(play, x, y); onLeftRelease(play, x, y); break;
        }
        if (g.gameStarted == 1) {
            const std::string broken = stress::brokenStructure(g);
            if (!broken.empty()) {
                std::fprintf(stderr, "after script step %zu: %s\n", i / 3, broken.c_str());
                std::abort();
            }
        }
    }
    wired.ctx.s.dirty = QRegion();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    table();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    Table &t = table();
    if (size < 3) return 0;
    std::vector<uint8_t> &file = t.file;
    file = t.bases[data[0] % t.bases.size()];
    const uint8_t gesture = data[1];
    const size_t changes = std::min<size_t>(data[2] % 33, (size - 3) / 4);
    for (size_t i = 0; i < changes; ++i) {
        const uint8_t *change = data + 3 + 4 * i;
        const size_t offset = (change[0] | change[1] << 8 | change[2] << 16) % kPlayFileSize;
        file[offset] = change[3];
    }
    const uint8_t *script = data + 3 + 4 * changes;
    const size_t scriptSize = size - 3 - 4 * changes;
    // Every saved game has the same length: the file is overwritten in place.
    if (::pwrite(t.memfd, file.data(), file.size(), 0) != ssize_t(file.size())) std::abort();

    GameState &g = *t.g;
    g = *t.underWay[gesture % kGestures];
    t.files.messages.clear();
    Wired wired(g, t.surfaces);
    const auto before = std::make_unique<Board>(boardAsKept(g));
    const Level level = g.level;
    const bool dragging = g.gesture.dragging;
    const PressMode pressMode = g.gesture.pressMode;

    loadPlayFile(wired.play, t.files);
    if (!t.files.messages.empty()) {
        if (t.files.messages.size() != 1) std::abort();
        if (!(boardAsKept(g) == *before) || g.level != level || g.gesture.dragging != dragging ||
            g.gesture.pressMode != pressMode)
            std::abort();
        return 0;
    }
    if (g.gesture.dragging != 0 || g.gesture.pressMode != kPressNone || g.gesture.panning != 0 ||
        g.undoStore.undoDepth != 0)
        std::abort();
    if (g.gameStarted == 1) {
        const std::string broken = stress::brokenStructure(g);
        if (!broken.empty()) {
            std::fprintf(stderr, "after the load: %s\n", broken.c_str());
            std::abort();
        }
    }
    playScript(wired, script, scriptSize);
    return 0;
}

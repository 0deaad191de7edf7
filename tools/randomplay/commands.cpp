#include "commands.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "game/board.h"
#include "game/deal.h"
#include "game/overlays.h"
#include "game/starting.h"
#include "game/undo.h"
#include "invariants.h"
#include "playfile/playfile.h"

namespace fusefuda::stress {

namespace {

const char *const kInputCannotOpen = "入力ファイルが開けません";
const char *const kReadFailed = "ファイルの読み込みに失敗しました";

// The board a command must leave unchanged, and the check that it did.
std::unique_ptr<Board> keep(const GameState &g) { return std::make_unique<Board>(boardAsKept(g)); }

}  // namespace

void Commands::newGame() {
    ++expect_.counts.newGames;
    const Level level = levelFromNumber(random_.between(1, 3));
    const uint32_t seed = uint32_t(random_.next() >> 33);
    trace_("new game", levelNumber(level), int(seed));
    startNewGame(table_.play, level, seed);
    const GameState &s = table_.g();
    if (s.gesture.dragging || s.gesture.pressMode != kPressNone || s.gesture.panning ||
        table_.shell.confined)
        fail("a gesture of the old game goes on into the new one");
    expect_.afterEvent();
}

void Commands::undo() {
    ++expect_.counts.undos;
    trace_("undo", table_.g().undoStore.undoDepth, 0);
    const std::unique_ptr<Board> want = expect_.takeUndo();
    const std::unique_ptr<Board> before = keep(table_.g());
    popUndo(table_.play);
    if (!want) {
        if (!(boardAsKept(table_.g()) == *before))
            fail("an undo with nothing to take back changed the board");
    } else {
        const std::string difference = firstDifference(*want, boardAsKept(table_.g()));
        if (!difference.empty()) fail("undo did not bring back its snapshot: " + difference);
    }
    expect_.afterEvent();
}

void Commands::reverse() {
    ++expect_.counts.reversals;
    std::unique_ptr<Board> before = keep(table_.g());
    trace_("reverse stacking", 0, 0);
    reverseStacking(table_.play);
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (table_.g().board.stackLevel[c][r] != kCards - 1 - before->stackLevel[c][r])
                fail("the reversal did not turn the stacking over");
    expect_.remember(std::move(before));
    expect_.afterEvent();
}

void Commands::changeOption() {
    GameState &s = table_.g();
    // A background is a large picture to load; players switch it seldom.
    int option = random_.below(9);
    if (option == 6 && random_.below(4) != 0) option = 8;
    trace_("option", option, 0);
    auto flip = [](bool &v) { v = !v; };
    switch (option) {
    case 0: flip(s.soundOn); break;
    case 1: flip(s.guideOn); break;
    case 2: flip(s.scoreDisplayOn); break;
    case 3:
        flip(s.animationOn);
        if (!s.animationOn) {
            clearSparklesActive(s);
            table_.shell.invalidateWindow();
        }
        break;
    case 4: flip(s.peekModeOn); break;
    case 5: flip(s.bgmOn); break;
    case 6:
        s.backgroundPattern = Background(random_.between(kBackgroundPattern1, kSeeThroughBackground));
        switchBackground(table_.surfaces, s.backgroundPattern);
        table_.shell.invalidateWindow();
        break;
    case 7:
        s.cardPattern = CardBacks(random_.between(kCardBacks1, kCardBacks2));
        switchBacks(table_.surfaces, s.cardPattern);
        table_.shell.invalidateWindow();
        break;
    default: table_.shell.invalidateWindow(); break;  // the window uncovered
    }
    expect_.afterEvent();
}

void Commands::save() {
    ++expect_.counts.saves;
    trace_("save", 0, 0);
    const GameState &s = table_.g();
    saved_.exists = true;
    saved_.level = s.level;
    saved_.gameOver = s.gameOver;
    saved_.scoreDisplayOn = s.scoreDisplayOn;
    // A load ends by bringing the sevens' group to the top.
    const auto scratch = std::make_unique<GameState>(s);
    raiseGroupInStack(*scratch, kSevensColumn, kRows - 1);
    *saved_.board = boardAsKept(*scratch);
    const std::unique_ptr<Board> before = keep(s);
    savePlayFile(table_.g(), table_.shell);
    if (!(boardAsKept(s) == *before)) fail("saving changed the board");
    expect_.afterEvent();
}

void Commands::load() {
    if (!saved_.exists) return save();
    ++expect_.counts.loads;
    trace_("load", 0, 0);
    table_.shell.openChoice = table_.shell.saveChoice;
    loadPlayFile(table_.play, table_.shell);
    const GameState &s = table_.g();
    const std::string difference = firstDifference(*saved_.board, boardAsKept(s));
    if (!difference.empty()) fail("the loaded game differs from the saved one: " + difference);
    if (s.level != saved_.level || s.gameOver != saved_.gameOver ||
        s.scoreDisplayOn != saved_.scoreDisplayOn)
        fail("the loaded header differs from the saved one");
    if (s.gesture.dragging || s.gesture.pressMode != kPressNone || s.gesture.panning)
        fail("a gesture goes on into the loaded game");
    expect_.forgetUndo(s.gameOver);
    expect_.afterEvent();
}

// A file cut short or missing is refused and changes nothing.
void Commands::loadBroken() {
    ++expect_.counts.refusedLoads;
    trace_("load a broken file", 0, 0);
    RandomPlayShell &shell = table_.shell;
    const std::string broken = folder_ + "/broken.pvq";
    const bool missing = !saved_.exists || random_.percent(30);
    if (missing) {
        std::filesystem::remove(broken);
    } else {
        std::ifstream in(shell.saveChoice, std::ios::binary);
        std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        bytes.resize(size_t(random_.below(int(bytes.size()))));
        std::ofstream(broken, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    const GameState &s = table_.g();
    const std::unique_ptr<Board> before = keep(s);
    const Gesture hand = s.gesture;
    const Level level = s.level;
    shell.openChoice = broken;
    loadPlayFile(table_.play, shell);
    const std::vector<std::string> want = {missing ? kInputCannotOpen : kReadFailed};
    if (shell.messages != want) fail("a broken file was not refused with its message");
    shell.messages.clear();
    if (!(boardAsKept(s) == *before) || s.gesture.dragging != hand.dragging ||
        s.gesture.pressMode != hand.pressMode || s.level != level)
        fail("a refused file changed the game");
    expect_.afterEvent();
}

}  // namespace fusefuda::stress

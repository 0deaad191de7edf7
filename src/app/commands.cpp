#include "app/commands.h"

#include <QAction>
#include <ctime>

#include "app/childwindows.h"
#include "app/mainwindow.h"
#include "audio/audio.h"
#include "dialogs/dialogs.h"
#include "game/deal.h"
#include "game/overlays.h"
#include "game/undo.h"
#include "playfile/playfile.h"

namespace fusefuda {

namespace {

struct Route {
    MenuCommand command;
    void (*handler)(Commands &);
};

constexpr Route kRoutes[] = {
    {kCmdBeginner, [](Commands &c) { c.newGame(kBeginner); }},
    {kCmdIntermediate, [](Commands &c) { c.newGame(kIntermediate); }},
    {kCmdAdvanced, [](Commands &c) { c.newGame(kAdvanced); }},
    {kCmdNewByNumber, [](Commands &c) { c.newGameByNumber(); }},
    {kCmdOpenPlayFile, [](Commands &c) { c.openPlayFile(); }},
    {kCmdSavePlayFile, [](Commands &c) { c.savePlayFile(); }},
    {kCmdExit, [](Commands &c) { c.exit(); }},
    {kCmdUndo, [](Commands &c) { c.undo(); }},
    {kCmdSwapLayers, [](Commands &c) { c.reverseStacking(); }},
    {kCmdSound, [](Commands &c) { c.toggleSound(); }},
    {kCmdGuide, [](Commands &c) { c.toggleGuide(); }},
    {kCmdShowScore, [](Commands &c) { c.toggleScoreDisplay(); }},
    {kCmdAnimation, [](Commands &c) { c.toggleAnimation(); }},
    {kCmdMusic, [](Commands &c) { c.toggleMusic(); }},
    {kCmdBackground1, [](Commands &c) { c.switchBackground(1); }},
    {kCmdBackground2, [](Commands &c) { c.switchBackground(2); }},
    {kCmdBackground3, [](Commands &c) { c.switchBackground(3); }},
    {kCmdSeeThrough, [](Commands &c) { c.switchBackground(kSeeThroughBackground); }},
    {kCmdCards1, [](Commands &c) { c.switchCards(1); }},
    {kCmdCards2, [](Commands &c) { c.switchCards(2); }},
    {kCmdPeekMode, [](Commands &c) { c.togglePeekMode(); }},
    {kCmdFourColour, [](Commands &c) { c.toggleFourColour(); }},
    {kCmdOverview, [](Commands &c) { c.toggleOverview(); }},
    {kCmdResume, [](Commands &c) { c.toggleResume(); }},
    {kCmdFullScreen, [](Commands &c) { c.toggleFullScreen(); }},
    {kCmdScores, [](Commands &c) { c.showHighScores(); }},
    {kCmdStatistics, [](Commands &c) { c.showStatistics(); }},
    {kCmdAbout, [](Commands &c) { c.showAbout(); }},
    {kCmdHowToPlay, [](Commands &c) { c.showHowToPlay(); }},
    {kCmdKeys, [](Commands &c) { c.showKeys(); }},
};

const Route *routeOf(int command) {
    for (const Route &route : kRoutes)
        if (route.command == command) return &route;
    return nullptr;
}

}  // namespace

Commands::Commands(MainWindow &window) : window_(window) {}

void Commands::connectMenu(const MenuActions &menu) {
    for (const Route &route : kRoutes)
        if (QAction *action = menu.entry(route.command))
            QObject::connect(action, &QAction::triggered, &window_,
                             [this, command = route.command] { run(command); });
}

void Commands::run(int command) {
    const Route *route = routeOf(command);
    if (!active_ || !route) return;
    // Every other command acts on the board in play: the overview steps
    // aside first, without moving the view.
    if (command != kCmdOverview && command != kCmdExit) window_.overview().close();
    window_.input().holdWhile([&] { route->handler(*this); });
    // Leaving needs no more drawing.
    if (command == kCmdExit) return;
    // New Game's keys follow the level just dealt or opened.
    window_.updateMenuMarks();
    window_.runIdle();
}

// Every new game is dealt from the calendar time in whole seconds.
void Commands::newGame(Level level) {
    startNewGame(window_.play(), level, uint32_t(std::time(nullptr)));
}
// The same deal as a new game started in the second the number names.
void Commands::newGameByNumber() {
    const GameState &g = window_.state();
    DealChoice choice{isPlayable(g.level) ? g.level : kBeginner,
                      g.dealNumbered ? g.dealNumber : 0};
    if (runDealNumberDialog(choice, &window_))
        startNewGame(window_.play(), choice.level, choice.number);
}

void Commands::openPlayFile() { loadPlayFile(window_.play(), window_); }
void Commands::savePlayFile() { fusefuda::savePlayFile(window_.state(), window_); }
void Commands::exit() { window_.requestQuit(); }
void Commands::undo() { popUndo(window_.play()); }
void Commands::reverseStacking() { fusefuda::reverseStacking(window_.play()); }

void Commands::toggleSound() {
    GameState &g = window_.state();
    g.soundOn = !g.soundOn;
    window_.updateMenuMarks();
}

void Commands::toggleGuide() {
    GameState &g = window_.state();
    g.guideOn = !g.guideOn;
    window_.updateMenuMarks();
}

void Commands::toggleScoreDisplay() {
    GameState &g = window_.state();
    g.scoreDisplayOn = !g.scoreDisplayOn;
    window_.updateMenuMarks();
    if (g.scoreDisplayOn)
        window_.childWindows().openScoreWindow();
    else
        window_.childWindows().closeScoreWindow();
}

// Sparkles on show vanish at once; those still stepping age out unseen.
void Commands::toggleAnimation() {
    GameState &g = window_.state();
    g.animationOn = !g.animationOn;
    window_.updateMenuMarks();
    if (!g.animationOn) {
        clearSparklesActive(g);
        window_.invalidateWindow();
    }
}

// The entry has no mark: the music either plays or it does not.
void Commands::toggleMusic() {
    GameState &g = window_.state();
    g.bgmOn = !g.bgmOn;
    if (g.bgmOn)
        resumeMusic(window_.audio());
    else
        stopMusic(window_.audio());
}

void Commands::switchBackground(int pattern) {
    window_.state().backgroundPattern = pattern;
    fusefuda::switchBackground(window_.surfaces(), pattern);
    window_.applyBackgroundKey();
    window_.invalidateWindow();
    window_.updateMenuMarks();
}

void Commands::switchCards(int pattern) {
    window_.state().cardPattern = pattern;
    switchBacks(window_.surfaces(), pattern);
    window_.invalidateWindow();
    window_.updateMenuMarks();
}

void Commands::togglePeekMode() {
    GameState &g = window_.state();
    g.peekModeOn = !g.peekModeOn;
    if (g.peekModeOn)
        window_.childWindows().openPeekWindow();
    else
        window_.childWindows().closePeekWindow();
    window_.updateMenuMarks();
}

// Every face at once, the peek window's picture with them.
void Commands::toggleFourColour() {
    GameState &g = window_.state();
    g.fourColourOn = !g.fourColourOn;
    switchFaces(window_.surfaces(), g.fourColourOn);
    window_.peekChanged();
    window_.invalidateWindow();
    window_.updateMenuMarks();
}

void Commands::toggleOverview() { window_.overview().toggle(); }

// Turned off, the game kept so far goes, and nothing more is written.
void Commands::toggleResume() {
    GameState &g = window_.state();
    g.resumeOn = !g.resumeOn;
    if (g.resumeOn)
        window_.resumeKeeper().settled();
    else
        window_.resumeKeeper().forget();
    window_.updateMenuMarks();
}

// The window follows the mark; the window system's own way out of full
// screen moves the mark back (MainWindow::changeEvent).
void Commands::toggleFullScreen() {
    GameState &g = window_.state();
    g.fullScreenOn = !g.fullScreenOn;
    window_.showFullScreenAsSet();
    window_.updateMenuMarks();
}

void Commands::showHighScores() { runHighScoreTable(window_.state(), &window_); }

// A reset is written at once, as a finished game is.
void Commands::showStatistics() {
    if (runStatisticsWindow(window_.state().statistics, &window_)) window_.saveSettings();
}
void Commands::showAbout() { runAboutBox(&window_); }
void Commands::showHowToPlay() { runHowToPlay(&window_); }
void Commands::showKeys() { runKeysHelp(&window_); }

}  // namespace fusefuda

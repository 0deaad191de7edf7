#include "app/commands.h"

#include <QAction>
#include <ctime>

#include "dialogs/dialogs.h"
#include "game/deal.h"
#include "game/overlays.h"
#include "game/undo.h"
#include "game/play.h"
#include "render/surfaces.h"

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
    {kCmdBackground1, [](Commands &c) { c.switchBackground(kBackgroundPattern1); }},
    {kCmdBackground2, [](Commands &c) { c.switchBackground(kBackgroundPattern2); }},
    {kCmdBackground3, [](Commands &c) { c.switchBackground(kBackgroundPattern3); }},
    {kCmdSeeThrough, [](Commands &c) { c.switchBackground(kSeeThroughBackground); }},
    {kCmdCards1, [](Commands &c) { c.switchCards(kCardBacks1); }},
    {kCmdCards2, [](Commands &c) { c.switchCards(kCardBacks2); }},
    {kCmdPeekMode, [](Commands &c) { c.togglePeekMode(); }},
    {kCmdFourColour, [](Commands &c) { c.toggleFourColour(); }},
    {kCmdOverview, [](Commands &c) { c.toggleOverview(); }},
    {kCmdResume, [](Commands &c) { c.toggleResume(); }},
    {kCmdFullScreen, [](Commands &c) { c.toggleFullScreen(); }},
    {kCmdZoomIn, [](Commands &c) { c.zoomBy(1); }},
    {kCmdZoomOut, [](Commands &c) { c.zoomBy(-1); }},
    {kCmdActualSize, [](Commands &c) { c.zoomTo(1); }},
    {kCmdFitBoard, [](Commands &c) { c.zoomTo(0); }},
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

Commands::Commands(Play &play, Surfaces &surfaces, CommandWindow &window)
    : play_(play), surfaces_(surfaces), window_(window) {}

void Commands::connectMenu(const MenuActions &menu) {
    for (const Route &route : kRoutes)
        if (QAction *action = menu.entry(route.command))
            QObject::connect(action, &QAction::triggered, &window_.widget(),
                             [this, command = route.command] { run(command); });
}

void Commands::run(int command) {
    const Route *route = routeOf(command);
    if (!active_ || !route) return;
    // Every other command acts on the board in play: the overview steps
    // aside first, without moving the view.
    if (command != kCmdOverview && command != kCmdExit) window_.closeOverview();
    window_.holdInputWhile([&] { route->handler(*this); });
    // Leaving needs no more drawing.
    if (command == kCmdExit) return;
    // New Game's keys follow the level just dealt or opened.
    window_.updateMenuMarks();
    window_.runIdle();
}

// Every new game is dealt from the calendar time in whole seconds.
void Commands::newGame(Level level) { startNewGame(play_, level, uint32_t(std::time(nullptr))); }
// The same deal as a new game started in the second the number names.
void Commands::newGameByNumber() {
    const GameState &g = play_.g;
    DealChoice choice{isPlayable(g.level) ? g.level : kBeginner,
                      g.dealNumbered ? g.dealNumber : 0};
    if (runDealNumberDialog(choice, &window_.widget()))
        startNewGame(play_, choice.level, choice.number);
}

void Commands::openPlayFile() { loadPlayFile(play_, window_); }
void Commands::savePlayFile() { fusefuda::savePlayFile(play_.g, window_); }
void Commands::exit() { window_.requestQuit(); }
void Commands::undo() { popUndo(play_); }
void Commands::reverseStacking() { fusefuda::reverseStacking(play_); }

void Commands::toggleSound() {
    GameState &g = play_.g;
    g.soundOn = !g.soundOn;
    window_.updateMenuMarks();
}

void Commands::toggleGuide() {
    GameState &g = play_.g;
    g.guideOn = !g.guideOn;
    window_.updateMenuMarks();
}

void Commands::toggleScoreDisplay() {
    GameState &g = play_.g;
    g.scoreDisplayOn = !g.scoreDisplayOn;
    window_.updateMenuMarks();
    if (g.scoreDisplayOn)
        window_.openScoreWindow();
    else
        window_.closeScoreWindow();
}

// Sparkles on show vanish at once; those still stepping age out unseen.
void Commands::toggleAnimation() {
    GameState &g = play_.g;
    g.animationOn = !g.animationOn;
    window_.updateMenuMarks();
    if (!g.animationOn) {
        clearSparklesActive(g);
        window_.invalidateWindow();
    }
}

// The entry has no mark: the music either plays or it does not.
void Commands::toggleMusic() {
    GameState &g = play_.g;
    g.bgmOn = !g.bgmOn;
    window_.playMusic(g.bgmOn);
}

void Commands::switchBackground(Background pattern) {
    play_.g.backgroundPattern = pattern;
    fusefuda::switchBackground(surfaces_, pattern);
    window_.applyBackgroundKey();
    window_.invalidateWindow();
    window_.updateMenuMarks();
}

void Commands::switchCards(CardBacks pattern) {
    play_.g.cardPattern = pattern;
    switchBacks(surfaces_, pattern);
    window_.invalidateWindow();
    window_.updateMenuMarks();
}

void Commands::togglePeekMode() {
    GameState &g = play_.g;
    g.peekModeOn = !g.peekModeOn;
    if (g.peekModeOn)
        window_.openPeekWindow();
    else
        window_.closePeekWindow();
    window_.updateMenuMarks();
}

// Every face at once, the peek window's picture with them.
void Commands::toggleFourColour() {
    GameState &g = play_.g;
    g.fourColourOn = !g.fourColourOn;
    switchFaces(surfaces_, g.fourColourOn);
    window_.peekChanged();
    window_.invalidateWindow();
    window_.updateMenuMarks();
}

void Commands::toggleOverview() { window_.toggleOverview(); }

// Turned off, the game kept so far goes, and nothing more is written.
void Commands::toggleResume() {
    GameState &g = play_.g;
    g.resumeOn = !g.resumeOn;
    if (g.resumeOn)
        window_.boardSettled();
    else
        window_.forgetKeptGame();
    window_.updateMenuMarks();
}

// The window follows the mark; the window system's own way out of full
// screen moves the mark back (MainWindow::changeEvent).
void Commands::toggleFullScreen() {
    GameState &g = play_.g;
    g.fullScreenOn = !g.fullScreenOn;
    window_.showFullScreenAsSet();
    window_.updateMenuMarks();
}

void Commands::showHighScores() { runHighScoreTable(play_.g, &window_.widget()); }

// A reset is written at once, as a finished game is.
void Commands::showStatistics() {
    if (runStatisticsWindow(play_.g.statistics, &window_.widget())) window_.saveSettings();
}
void Commands::showAbout() { runAboutBox(&window_.widget()); }
void Commands::showHowToPlay() { runHowToPlay(&window_.widget()); }
void Commands::showKeys() { runKeysHelp(&window_.widget()); }

}  // namespace fusefuda

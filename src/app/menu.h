// The main window's menu: its entries with their command numbers, and the
// check marks and greyed undo entry that follow the options.
#pragma once

#include <cstdint>

#include "game/GameState.h"

class QAction;
class QMenuBar;

namespace fusefuda {

enum MenuCommand : int {
    kCmdExit = 40001,
    kCmdAbout = 40002,
    kCmdScores = 40004,
    kCmdSwapLayers = 40008,
    kCmdShowScore = 40009,
    kCmdBeginner = 40010,
    kCmdIntermediate = 40011,
    kCmdAdvanced = 40012,
    kCmdOpenPlayFile = 40013,
    kCmdSavePlayFile = 40014,
    kCmdBackground1 = 40017,
    kCmdBackground2 = 40018,
    kCmdBackground3 = 40019,
    kCmdCards1 = 40020,
    kCmdCards2 = 40021,
    kCmdGuide = 40022,
    kCmdSound = 40023,
    kCmdMusic = 40024,
    kCmdSeeThrough = 40026,
    kCmdPeekMode = 40027,
    kCmdUndo = 40028,
    kCmdAnimation = 40029,
    kCmdNewByNumber = 40030,
    kCmdResume = 40031,
    kCmdStatistics = 40032,
    // Beyond the classic entries, apart from their numbers.
    kCmdFourColour = 40040,
    kCmdOverview = 40041,
    kCmdFullScreen = 40042,
    kCmdZoomIn = 40043,
    kCmdZoomOut = 40044,
    kCmdActualSize = 40045,
    kCmdFitBoard = 40046,
    kCmdHowToPlay = 40049,
    kCmdKeys = 40050,
};

constexpr int kFirstCommand = 40001;
constexpr int kCommandSlots = 50;  // 40001..40050

struct MenuActions {
    QAction *byCommand[kCommandSlots] = {};
    // The entry of a command number; null for numbers without one.
    QAction *entry(int command) const;
};

// Fills the menu bar with every entry. Each action carries its command number
// as its data; Commands connects it to its handler.
MenuActions buildMenu(QMenuBar *bar);

// Every check mark and the undo entry's greyed state, each set as a whole.
void setMenuMarks(const MenuActions &menu, const GameState &g);



}  // namespace fusefuda

#include "app/shortcuts.h"

#include <QAction>

#include "game/deal.h"

namespace fusefuda {

namespace {

constexpr int kNewGameLevels[] = {kCmdBeginner, kCmdIntermediate, kCmdAdvanced};

}  // namespace

const QList<MenuShortcut> &menuShortcuts() {
    static const QList<MenuShortcut> table = {
        // Its command is the level's, chosen when the keys are placed.
        {kCmdBeginner, QKeySequence::New, Qt::CTRL | Qt::Key_N},
        {kCmdOpenPlayFile, QKeySequence::Open, Qt::CTRL | Qt::Key_O},
        {kCmdSavePlayFile, QKeySequence::Save, Qt::CTRL | Qt::Key_S},
        {kCmdExit, QKeySequence::Quit, Qt::CTRL | Qt::Key_Q},
        {kCmdUndo, QKeySequence::Undo, Qt::CTRL | Qt::Key_Z},
        {kCmdOverview, QKeySequence::UnknownKey, QKeyCombination(Qt::Key_M)},
        // Desktops without a key of their own for it (X11's plain scheme)
        // still get the one most programs use.
        {kCmdFullScreen, QKeySequence::FullScreen, QKeyCombination(Qt::Key_F11)},
        {kCmdHowToPlay, QKeySequence::HelpContents, QKeyCombination(Qt::Key_F1)},
        // Ctrl and the key under + on most keyboards, beside the desktop's
        // own zoom keys.
        {kCmdZoomIn, QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Equal},
        {kCmdZoomOut, QKeySequence::ZoomOut, Qt::CTRL | Qt::Key_Minus},
        {kCmdActualSize, QKeySequence::UnknownKey, Qt::CTRL | Qt::Key_0},
        {kCmdFitBoard, QKeySequence::UnknownKey, Qt::CTRL | Qt::Key_9},
    };
    return table;
}

// Alt and Meta belong to the menu bar, whatever the key.
bool boardReads(QKeyCombination key) {
    if (key.keyboardModifiers() & (Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_J:
    case Qt::Key_P:
    case Qt::Key_R:
    case Qt::Key_7:
    case Qt::Key_M:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return true;
    default: return false;
    }
}

QList<QKeySequence> shortcutKeys(const MenuShortcut &shortcut) {
    QList<QKeySequence> keys = {QKeySequence(shortcut.key)};
    if (shortcut.standard == QKeySequence::UnknownKey) return keys;
    for (const QKeySequence &bound : QKeySequence::keyBindings(shortcut.standard))
        if (bound.count() == 1 && !boardReads(bound[0]) && !keys.contains(bound))
            keys << bound;
    return keys;
}

void giveShortcuts(const MenuActions &menu) {
    for (const MenuShortcut &shortcut : menuShortcuts()) {
        QAction *entry = menu.entry(shortcut.command);
        if (entry == nullptr) continue;
        entry->setShortcuts(shortcutKeys(shortcut));
        // Held down, a key would deal, undo or switch on every repeat.
        entry->setAutoRepeat(false);
    }
    for (int level : kNewGameLevels)
        if (QAction *entry = menu.entry(level)) entry->setAutoRepeat(false);
}

void placeNewGameKeys(const MenuActions &menu, const GameState &g) {
    const Level last = g.gameStarted && isPlayable(g.level) ? g.level : kBeginner;
    const int wanted = kNewGameLevels[statisticsSlot(last)];
    const QList<QKeySequence> keys = shortcutKeys(menuShortcuts().front());
    for (int command : kNewGameLevels)
        if (QAction *entry = menu.entry(command))
            entry->setShortcuts(command == wanted ? keys : QList<QKeySequence>{});
}

}  // namespace fusefuda

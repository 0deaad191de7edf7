// The menu's keys: the desktop's standard key for an entry where it names
// one, always with the key the game shows beside the entry, and never a key
// that the board reads itself.
#pragma once

#include <QKeySequence>
#include <QList>

#include "app/menu.h"

namespace fusefuda {

struct MenuShortcut {
    int command;
    // The desktop's name for what the entry does; UnknownKey for none.
    QKeySequence::StandardKey standard;
    // Shown beside the entry, and taken wherever the desktop binds the
    // standard key to something else or to nothing.
    QKeyCombination key;
};

// Every entry with keys, New Game's (which moves between the levels) first.
const QList<MenuShortcut> &menuShortcuts();

// Whether the board or the overview reads this key itself.
bool boardReads(QKeyCombination key);

// The entry's own key first, then the desktop's bindings of the standard key
// that the board does not read, each once.
QList<QKeySequence> shortcutKeys(const MenuShortcut &shortcut);

// Gives every entry of the table its keys, each acting once a press.
void giveShortcuts(const MenuActions &menu);
// New Game deals at the last level played (the beginner's before any game):
// its keys sit on that level's entry, shown there.
void placeNewGameKeys(const MenuActions &menu, const GameState &g);

}  // namespace fusefuda

// The modal dialogs, built but not yet run, and the name conversions of the
// high-score windows. The run functions of dialogs.h use these; tests drive
// the dialogs through them.
#pragma once

#include <QString>
#include <string>

#include "dialogs/templatedialog.h"
#include "game/GameState.h"

namespace fusefuda {

// A line of a help window: a key or a word in bold, and what it means. Both
// are Japanese source texts, looked up in the window's translation context.
struct HelpLine {
    const char *term;
    const char *text;
};
QString helpTable(const char *context, const HelpLine *lines, int count);
// A help window: the text beside the picture (none when it is null), OK.
QDialog *createHelpBox(QWidget *owner, const QString &title, const QString &text,
                       const QImage &picture = {});
// How to play: the goal, the costs, carrying, joining and peeking, beside a
// picture of a join drawn from the game's own cards.
QDialog *createHowToPlay(QWidget *owner);
QImage joinPicture();

// About box (template 103).
ModalDialog *createAboutBox(QWidget *owner);
// High-score table (template 118).
ModalDialog *createHighScoreTable(const GameState &g, QWidget *owner);
// Name entry (template 119): on OK, inserts the typed name and finalScore at
// nameEntryRank.
ModalDialog *createNameEntry(GameState &g, QWidget *owner);
// Score summary (template 108): the cards' counts and the finalScore that the
// game's end counted; on OK, offers the score to the table while it is still
// on the screen.
ModalDialog *createScoreSummary(GameState &g, QWidget *owner);

// When finalScore reaches the table, runs the name entry for the first entry
// it reaches; otherwise does nothing.
void offerHighScore(GameState &g, QWidget *owner);

// A stored name (code page 932 bytes) as shown on the screen.
QString nameForDisplay(const std::string &cp932Name);
// A typed name as the table stores it: code page 932, unrepresentable
// characters left out, at most nine bytes without half a double-byte
// character.
std::string nameFromEntry(const QString &typed);

}  // namespace fusefuda

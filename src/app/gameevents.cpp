#include "app/gameevents.h"

namespace fusefuda {

void GameEvents::boardChanged() {
    painter_.boardChanged();
    window_.invalidateWindow();
    window_.boardSettled();
}

void GameEvents::dropped(int id) {
    painter_.dropped(id);
    window_.boardSettled();
}

// The end of a peek or of a press that only raised a group.
void GameEvents::settled(int c, int r) {
    painter_.settled(c, r);
    window_.boardSettled();
}

void GameEvents::viewMoved() {
    painter_.viewMoved();
    window_.invalidateWindow();
}

void GameEvents::dealt() {
    painter_.dealt();
    if (scoreShown()) window_.showScore();
    window_.boardSettled();
}

void GameEvents::undone() {
    painter_.undone();
    if (scoreShown()) window_.showScore();
    window_.invalidateWindow();
    window_.boardSettled();
}

void GameEvents::undoDepthChanged() {
    painter_.undoDepthChanged();
    window_.updateMenuMarks();
}

void GameEvents::scored() {
    painter_.scored();
    window_.showScore();
}

void GameEvents::joined(int id, int neighbour) {
    painter_.joined(id, neighbour);
    if (soundOn()) window_.playEffect(kJoinSound);
}

void GameEvents::peeked(int c, int r) {
    painter_.peeked(c, r);
    if (soundOn()) window_.playEffect(kPeekSound);
}

void GameEvents::hoverLeft(int lastShown) {
    painter_.hoverLeft(lastShown);
    if (g_.peekModeOn) window_.peekChanged();
}

void GameEvents::hovered(int c, int r) {
    painter_.hovered(c, r);
    if (g_.peekModeOn) window_.peekChanged();
}

// The clear sound cuts off the join sound of the same drop; the summary then
// waits for the player.
void GameEvents::won() {
    painter_.won();
    if (soundOn()) window_.playEffect(kClearSound);
    window_.runScoreSummary();
}

}  // namespace fusefuda

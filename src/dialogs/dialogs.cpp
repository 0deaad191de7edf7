// Stand-in until the dialogs land.
#include "dialogs/dialogs.h"

namespace fusefuda {
void runAboutBox(QWidget *) {}
void runHighScoreTable(const GameState &, QWidget *) {}
void runScoreSummary(GameState &, QWidget *) {}
ScoreWindow::ScoreWindow(QWidget *owner) : QDialog(owner) {}
void ScoreWindow::setScore(int32_t) {}
PeekWindow::PeekWindow(QWidget *owner) : QDialog(owner) {}
void PeekWindow::setPicture(const QImage &) {}
}  // namespace fusefuda

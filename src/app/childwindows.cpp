#include "app/childwindows.h"

#include <algorithm>

#include "dialogs/dialogs.h"
#include "game/GameState.h"
#include "render/surfaces.h"

namespace fusefuda {

namespace {

constexpr QPoint kScoreWindowAt{896, 726};
constexpr QSize kScoreWindowSize{118, 34};
constexpr QPoint kPeekWindowAt{5, 640};

}  // namespace

void resizeOuter(QWidget *w, QSize outer) {
    const QSize frame = w->frameGeometry().size() - w->geometry().size();
    w->resize(std::max(outer.width() - frame.width(), 1),
              std::max(outer.height() - frame.height(), 1));
}

ChildWindows::ChildWindows(const GameState &g, Surfaces &surfaces, QWidget &owner)
    : g_(g), surfaces_(surfaces), owner_(owner) {}

void ChildWindows::showScore() {
    if (scoreWindow_) scoreWindow_->setScore(g_.board.score);
}

void ChildWindows::openScoreWindow() {
    if (!scoreWindow_) {
        scoreWindow_ = new ScoreWindow(&owner_);
        scoreWindow_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    scoreWindow_->setScore(g_.board.score);
    scoreWindow_->show();
    scoreWindow_->move(kScoreWindowAt);
    resizeOuter(scoreWindow_, kScoreWindowSize);
}

void ChildWindows::closeScoreWindow() { delete scoreWindow_.data(); }

void ChildWindows::openPeekWindow() {
    if (!surfaces_.unknownCard.isNull()) {
        surfaces_.peek = surfaces_.unknownCard.copy();
        surfaces_.peekFace = kNoCard;
    }
    if (!peekWindow_) peekWindow_ = new PeekWindow(&owner_);
    peekWindow_->setPicture(surfaces_.peek);
    peekWindow_->show();
    peekWindow_->move(kPeekWindowAt);
}

void ChildWindows::closePeekWindow() { delete peekWindow_.data(); }

void ChildWindows::peekChanged() {
    if (peekWindow_) peekWindow_->setPicture(surfaces_.peek);
}

QWidget *ChildWindows::scoreWindow() const { return scoreWindow_.data(); }
QWidget *ChildWindows::peekWindow() const { return peekWindow_.data(); }

}  // namespace fusefuda

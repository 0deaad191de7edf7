// The main window's two small companions: the score window, open while the
// score display is on, and the peek window of the peek mode. Each keeps its
// place on the screen.
#pragma once

#include <QPointer>
#include <QSize>

class QWidget;

namespace fusefuda {

// Sizes a top-level window so that its outer frame, once the window system has
// put one around it, has the given size.
void resizeOuter(QWidget *w, QSize outer);

struct GameState;
struct Surfaces;
class ScoreWindow;
class PeekWindow;

class ChildWindows {
public:
    ChildWindows(const GameState &g, Surfaces &surfaces, QWidget &owner);

    // The score window shows the current score (nothing when it is closed).
    void showScore();
    void openScoreWindow();
    void closeScoreWindow();

    // The peek window starts on the question-mark card.
    void openPeekWindow();
    void closePeekWindow();
    // The peek window's picture changed.
    void peekChanged();

    QWidget *scoreWindow() const;
    QWidget *peekWindow() const;

private:
    const GameState &g_;
    Surfaces &surfaces_;
    QWidget &owner_;
    QPointer<ScoreWindow> scoreWindow_;
    QPointer<PeekWindow> peekWindow_;
};

}  // namespace fusefuda

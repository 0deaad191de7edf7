// Puts what the game draws into the window framebuffer on the screen, at
// most once a refresh: the frame pacing, the mouse moves folded into frames,
// and the two ways to the screen (shared memory straight into an X11 window,
// or Qt's backing store through the board view's painter).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QRect>
#include <QRegion>
#include <QTimer>
#include <functional>
#include <memory>

#include "render/context.h"

namespace fusefuda {

class BoardView;
class ShmPresenter;

class Presenter : public QObject, public FramePacing {
public:
    // `window` is the top-level widget whose native window shows `view`.
    Presenter(Surfaces &surfaces, BoardView &view, QWidget &window);
    ~Presenter() override;

    // Once the native window exists: the framebuffer moves into memory the X
    // server shares, where it can, and the window's exposures are watched.
    void attach();

    // Takes the framebuffer's dirty area; it is shown within a refresh.
    void present();
    // Shows the dirty area at once: the flips draw frame by frame.
    void presentNow() override;
    // Blocks for a few milliseconds between the frames of a flip.
    void pause(int milliseconds) override;

    // Who handles the moves that frames fold together.
    void setMoveHandler(std::function<void(QPoint)> handler) { moveHandler_ = std::move(handler); }
    // A move to handle with the next frame; only the latest position counts.
    void foldMove(QPoint position);
    // Handles a move that is still waiting, at once.
    void handlePendingMove();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void requestFrame();
    void runFrame();
    void showUnshown();
    bool canPresentDirectly() const;

    Surfaces &surfaces_;
    BoardView &view_;
    QWidget &window_;
    std::function<void(QPoint)> moveHandler_;
    QTimer frameTimer_;
    QElapsedTimer lastFrame_;
    bool inFrame_ = false;
    QPoint pendingMove_;
    bool movePending_ = false;
    QRegion unshown_;  // drawn into the framebuffer, not yet on screen
    std::unique_ptr<ShmPresenter> shm_;  // null: present through Qt
    // Bounds of what was presented directly and is not yet in the backing store.
    QRect behindBackingStore_;
};

}  // namespace fusefuda

// The overview as a mode of the window: the whole board scaled into it, the
// view framed. While it is shown no card can be pressed, peeked or carried,
// and the popups and sparkles wait; a click puts the view there and returns
// to play, the command again or Escape returns without moving.
#pragma once

#include <QPoint>
#include <functional>

class QShortcut;
class QWidget;

namespace fusefuda {

struct Context;
struct Play;
class WindowReactions;

class OverviewMode {
public:
    // `owner` is the window whose Escape leaves the overview; `afterChange`
    // shows what the mode drew (the window's idle step).
    OverviewMode(Play &play, Context &ctx, WindowReactions &window, QWidget &owner,
                 std::function<void()> afterChange);

    bool shown() const { return shown_; }
    // The menu command, the key and the middle button: shows the overview,
    // or returns from it without moving.
    void toggle();
    // Shows it, unless something is in hand or a deal is on its way.
    void open();
    // Returns to play without moving the view; nothing when not shown.
    void close();
    // A press at window point p: the view goes there and play resumes.
    void click(QPoint p);
    // Draws it afresh over the window (after a full paint, a resize).
    void draw();

private:
    void setShown(bool shown);

    Play &play_;
    Context &ctx_;
    WindowReactions &window_;
    QShortcut *escape_;
    std::function<void()> afterChange_;
    bool shown_ = false;
};

}  // namespace fusefuda

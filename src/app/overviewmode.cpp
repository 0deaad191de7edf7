#include "app/overviewmode.h"

#include <QShortcut>
#include <QWidget>

#include "app/gameevents.h"
#include "game/overview.h"
#include "game/play.h"
#include "render/context.h"
#include "render/overview.h"

namespace fusefuda {

namespace {

// A group in hand, a held peek or press, or the view pull: the overview
// would hide what the gesture acts on.
bool somethingInHand(const GameState &g) {
    return g.gesture.dragging || g.gesture.pressMode != kPressNone || g.gesture.panning;
}

}  // namespace

OverviewMode::OverviewMode(Play &play, Context &ctx, WindowReactions &window, QWidget &owner,
                           std::function<void()> afterChange)
    : play_(play),
      ctx_(ctx),
      window_(window),
      escape_(new QShortcut(QKeySequence(Qt::Key_Escape), &owner)),
      afterChange_(std::move(afterChange)) {
    // Escape is the overview's only while it is shown; otherwise the key
    // goes wherever it would go without it.
    escape_->setEnabled(false);
    QObject::connect(escape_, &QShortcut::activated, &owner, [this] {
        close();
        if (afterChange_) afterChange_();
    });
}

void OverviewMode::toggle() {
    if (shown_)
        close();
    else
        open();
}

void OverviewMode::open() {
    if (shown_ || somethingInHand(play_.g) || play_.g.dealPending) return;
    setShown(true);
    draw();
}

void OverviewMode::close() {
    if (!shown_) return;
    setShown(false);
    window_.invalidateWindow();
}

void OverviewMode::click(QPoint p) {
    if (!shown_) return;
    const GameState &g = play_.g;
    const BoardPoint at = boardPointAt(overviewFrame(g), p.x(), p.y());
    setShown(false);
    centreViewOn(play_, at);
    // The view may not have moved (a click on the framed part): the board
    // comes back all the same.
    window_.invalidateWindow();
}

void OverviewMode::draw() {
    if (shown_) drawOverview(ctx_);
}

void OverviewMode::setShown(bool shown) {
    shown_ = shown;
    escape_->setEnabled(shown);
}

}  // namespace fusefuda

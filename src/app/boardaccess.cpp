#include "app/boardaccess.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <algorithm>

#include "app/boardview.h"
#include "game/keys.h"
#include "game/scoring.h"

namespace fusefuda {

namespace {

constexpr const char *kContext = "Speech";

QString said(const char *japanese) { return QCoreApplication::translate(kContext, japanese); }

const char *const kRanks[kColumns] = {
    QT_TRANSLATE_NOOP("Speech", "エース"),  QT_TRANSLATE_NOOP("Speech", "2"),
    QT_TRANSLATE_NOOP("Speech", "3"),       QT_TRANSLATE_NOOP("Speech", "4"),
    QT_TRANSLATE_NOOP("Speech", "5"),       QT_TRANSLATE_NOOP("Speech", "6"),
    QT_TRANSLATE_NOOP("Speech", "7"),       QT_TRANSLATE_NOOP("Speech", "8"),
    QT_TRANSLATE_NOOP("Speech", "9"),       QT_TRANSLATE_NOOP("Speech", "10"),
    QT_TRANSLATE_NOOP("Speech", "ジャック"), QT_TRANSLATE_NOOP("Speech", "クイーン"),
    QT_TRANSLATE_NOOP("Speech", "キング"),
};
const char *const kSuits[kRows] = {
    QT_TRANSLATE_NOOP("Speech", "スペード"),
    QT_TRANSLATE_NOOP("Speech", "クラブ"),
    QT_TRANSLATE_NOOP("Speech", "ハート"),
    QT_TRANSLATE_NOOP("Speech", "ダイヤ"),
};
const char *const kBacks[kSettled] = {
    QT_TRANSLATE_NOOP("Speech", "伏せたカード、未タッチ"),
    QT_TRANSLATE_NOOP("Speech", "伏せたカード、1回タッチ"),
    QT_TRANSLATE_NOOP("Speech", "伏せたカード、2回タッチ"),
};
const char *const kLevels[3] = {
    QT_TRANSLATE_NOOP("Speech", "上級"),
    QT_TRANSLATE_NOOP("Speech", "中級"),
    QT_TRANSLATE_NOOP("Speech", "初級"),
};

int groupSize(const GameState &g, int id) {
    int size = 0;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r) size += isMember(g, id, c, r);
    return size;
}

// The board view to a screen reader: its name is the focus card, its
// description the standing.
class BoardAccessible : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardView *view) : QAccessibleWidget(view, QAccessible::Canvas) {}
    QString text(QAccessible::Text t) const override {
        const BoardView *view = static_cast<const BoardView *>(widget());
        if (t == QAccessible::Name && view->speech) return view->speech(true);
        if (t == QAccessible::Description && view->speech) return view->speech(false);
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *boardAccessible(const QString &className, QObject *object) {
    if (className != QLatin1String("fusefuda::BoardView") || !object || !object->isWidgetType())
        return nullptr;
    return new BoardAccessible(static_cast<BoardView *>(object));
}

void tell(QObject *object, QAccessible::Event what) {
    QAccessibleEvent event(object, what);
    QAccessible::updateAccessibility(&event);
}

}  // namespace

QString focusCardSpeech(const GameState &g) {
    using T = QCoreApplication;
    if (!g.gameStarted || g.dealPending) return T::translate("Speech", "カードなし");
    if (g.gameOver)
        return T::translate("Speech", "クリア、得点 %1").arg(scoreFor(tallyTouches(g)));
    const int id = focusCard(g);
    const int c = cardColumn(id), r = cardRow(id);
    const int touches = g.board.touchCount[c][r];
    QString text = g.board.faceUp[c][r] || touches >= kSettled
                       ? T::translate("Speech", "%1の%2").arg(said(kSuits[r]), said(kRanks[c]))
                       : said(kBacks[touches]);
    if (touches >= kSpent) text += T::translate("Speech", "、使い切り");
    const int size = groupSize(g, id);
    if (size > 1) text += T::translate("Speech", "、%1枚のグループ").arg(size);
    if (g.keyFocus.carrying) text += T::translate("Speech", "、持ち上げ中");
    // The news first: the focus stayed where it was.
    if (g.keyFocus.deadEnds > 0)
        text = T::translate("Speech", "その方向にカードはありません、%1").arg(text);
    return text;
}

QString standingSpeech(const GameState &g) {
    using T = QCoreApplication;
    if (!g.gameStarted) return T::translate("Speech", "ゲーム前");
    const QString level = said(kLevels[std::clamp(g.level, 1, 3) - 1]);
    return T::translate("Speech", "%1、得点 %2").arg(level).arg(g.board.score);
}

BoardAccess::BoardAccess(const GameState &g, BoardView &view) : g_(g), view_(view) {
    view_.speech = [this](bool name) {
        return name ? focusCardSpeech(g_) : standingSpeech(g_);
    };
}

void BoardAccess::install() { QAccessible::installFactory(boardAccessible); }

void BoardAccess::follow() {
    if (!QAccessible::isActive()) return;
    const QString name = focusCardSpeech(g_), description = standingSpeech(g_);
    const int focus = focusCard(g_);
    if (focus != focus_ && view_.hasFocus()) {
        // Another card: as if the focus had moved, so the reader starts afresh.
        tell(&view_, QAccessible::Focus);
    } else if (name != name_ || g_.keyFocus.deadEnds > deadEnds_) {
        // Another arrow that way says so again.
        tell(&view_, QAccessible::NameChanged);
    }
    if (description != description_) tell(&view_, QAccessible::DescriptionChanged);
    name_ = name;
    description_ = description;
    focus_ = focus;
    deadEnds_ = g_.keyFocus.deadEnds;
}

}  // namespace fusefuda

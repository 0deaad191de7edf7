#include "app/boardaccess.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>
#include <QWindow>
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
// In the order of the statistics slots.
const char *const kLevels[3] = {
    QT_TRANSLATE_NOOP("Speech", "初級"),
    QT_TRANSLATE_NOOP("Speech", "中級"),
    QT_TRANSLATE_NOOP("Speech", "上級"),
};

int groupSize(const GameState &g, int id) {
    int size = 0;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r) size += isMember(g, id, c, r);
    return size;
}

// The focus card as an object of its own inside the board. A reader says
// whole the object that newly takes the focus, where it hears nothing of a
// name changed in place (Qt 6.4's bridge sends the change without the new
// name) nor of another card that looks the same; so every change of the card
// or of how it looks is a new object, and the one before it is dropped.
class CardAccessible : public QAccessibleInterface {
public:
    CardAccessible(BoardView *view, const QString &name, const GameState &g, int id)
        : view_(view), name_(name), g_(g), id_(id) {}
    bool isValid() const override { return !view_.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QList<std::pair<QAccessibleInterface *, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    // No description: the standing read after every card would bury it.
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? name_ : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    // Where the card lies now, which also tells a reader two cards of one
    // name apart.
    QRect rect() const override {
        if (!view_) return {};
        const QRect whole(view_->mapToGlobal(QPoint()), view_->size());
        if (!g_.gameStarted || g_.dealPending || g_.gameOver) return whole;
        const Rect &at = g_.board.cardRect[cardColumn(id_)][cardRow(id_)];
        // As large as the zoom shows it.
        const QPoint corner(at.left - g_.viewX, at.top - g_.viewY);
        return QRect(view_->mapToGlobal(view_->toWindow(corner)),
                     view_->mapToGlobal(view_->toWindow(corner + QPoint(kCardWidth, kCardHeight))) -
                         QPoint(1, 1));
    }
    // The client area's role, of which a reader says no word.
    QAccessible::Role role() const override { return QAccessible::Client; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.focused = view_ && view_->hasFocus();
        return s;
    }

private:
    QPointer<BoardView> view_;
    QString name_;
    const GameState &g_;
    int id_;
};

// The board view to a screen reader: its name is the focus card, its
// description the standing, and its one child the focus card's object.
class BoardAccessible : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardView *view) : QAccessibleWidget(view, QAccessible::Client) {}
    QString text(QAccessible::Text t) const override {
        const BoardView *view = static_cast<const BoardView *>(widget());
        if (t == QAccessible::Name && view->speech) return view->speech(true);
        if (t == QAccessible::Description && view->speech) return view->speech(false);
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return card() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override { return index == 0 ? card() : nullptr; }
    int indexOfChild(const QAccessibleInterface *child) const override {
        return child && child == card() ? 0 : -1;
    }
    QAccessibleInterface *focusChild() const override { return card(); }
    QAccessibleInterface *childAt(int x, int y) const override {
        QAccessibleInterface *c = card();
        return c && c->rect().contains(x, y) ? c : nullptr;
    }

private:
    QAccessibleInterface *card() const {
        const QAccessible::Id id = static_cast<const BoardView *>(widget())->cardAccessible;
        return id ? QAccessible::accessibleInterface(id) : nullptr;
    }
};

// What a reader says of the application: the game in a line, not the path
// of its executable, Qt's own choice.
class GameAccessible : public QAccessibleApplication {
public:
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description)
            return said(QT_TRANSLATE_NOOP("Speech", "伏せたカードを並べて完成させるジグソーパズル"));
        return QAccessibleApplication::text(t);
    }
};

QAccessibleInterface *accessibleOf(const QString &className, QObject *object) {
    if (className == QLatin1String("QApplication") && object == QCoreApplication::instance())
        return new GameAccessible;
    if (className != QLatin1String("fusefuda::BoardView") || !object || !object->isWidgetType())
        return nullptr;
    return new BoardAccessible(static_cast<BoardView *>(object));
}

}  // namespace

QString focusCardSpeech(const GameState &g) {
    using T = QCoreApplication;
    if (!g.gameStarted || g.dealPending) return T::translate("Speech", "カードなし");
    if (g.gameOver)
        return T::translate("Speech", "クリア、得点 %1").arg(g.finalScore);
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
    const QString level = said(kLevels[statisticsSlot(isPlayable(g.level) ? g.level : kAdvanced)]);
    return T::translate("Speech", "%1、得点 %2").arg(level).arg(g.board.score);
}

BoardAccess::BoardAccess(const GameState &g, BoardView &view, Teller tell)
    : g_(g), view_(view), tell_(tell) {
    view_.speech = [this](bool name) {
        return name ? focusCardSpeech(g_) : standingSpeech(g_);
    };
}

void BoardAccess::install() { QAccessible::installFactory(accessibleOf); }

BoardAccess::~BoardAccess() {
    if (view_.cardAccessible) QAccessible::deleteAccessibleInterface(view_.cardAccessible);
}

void BoardAccess::follow(bool listening) {
    if (!listening) return;
    const QString name = focusCardSpeech(g_), description = standingSpeech(g_);
    const int focus = focusCard(g_);
    // A further arrow with no card that way says so again.
    if (name != name_ || focus != focus_ || g_.keyFocus.deadEnds > deadEnds_) {
        const QAccessible::Id before = view_.cardAccessible;
        auto *card = new CardAccessible(&view_, name, g_, focus);
        view_.cardAccessible = QAccessible::registerAccessibleInterface(card);
        if (view_.hasFocus()) {
            QAccessibleEvent event(card, QAccessible::Focus);
            tell_(&event);
        }
        if (before) QAccessible::deleteAccessibleInterface(before);
    }
    // Not said (this Qt sends the change without the text): it tells a
    // reader that what it holds of the standing is stale.
    if (description != description_) {
        QAccessibleEvent event(&view_, QAccessible::DescriptionChanged);
        tell_(&event);
    }
    name_ = name;
    description_ = description;
    focus_ = focus;
    deadEnds_ = g_.keyFocus.deadEnds;
}

}  // namespace fusefuda

// What a screen reader is told: each change of the focus card or of its look
// as a newly focused object, and the application's line.
#include <gtest/gtest.h>

#include <QApplication>
#include <functional>

#include "app/boardaccess.h"
#include "app/boardview.h"
#include "app/language.h"
#include "support/table.h"

using namespace fusefuda;

namespace {
QString focused;  // the name of the object last focused; "" for none
void record(QAccessibleEvent *e) {
    if (e->type() == QAccessible::Focus) focused = e->accessibleInterface()->text(QAccessible::Name);
}
}  // namespace

TEST(BoardAccess, EachChangeOfTheCardOrItsLookIsANewlyFocusedObject) {
    BoardAccess::install();
    fusefuda::testing::Table t;
    t.deal(3);
    GameState &g = t.g();
    BoardView view(t.surfaces);
    BoardAccess access(g, view, record);
    view.show();
    QApplication::setActiveWindow(&view);
    view.setFocus();
    QAccessibleInterface *board = QAccessible::queryAccessibleInterface(&view);
    EXPECT_EQ(board->role(), QAccessible::Client);  // a reader says "canvas" of a canvas
    const std::pair<std::function<void()>, const char *> steps[] = {
        {[] {}, "スペードの7、4枚のグループ"},
        {[&] { g.keyFocus.column = kSevensColumn - 1; }, "伏せたカード、未タッチ"},
        {[&] { g.keyFocus.column = kSevensColumn + 1; }, "伏せたカード、未タッチ"},  // alike
        {[] {}, nullptr},
        {[&] { g.board.faceUp[kSevensColumn + 1][0] = 1; }, "スペードの8"},
        {[&] { g.board.score -= 50; }, nullptr},
    };
    for (const auto &[change, said] : steps) {
        focused.clear();
        change();
        access.follow(true);
        EXPECT_EQ(focused, said ? QString::fromUtf8(said) : QString());
        QAccessibleInterface *card = board->focusChild();
        EXPECT_EQ(card->text(QAccessible::Name), board->text(QAccessible::Name));
        EXPECT_EQ(card->text(QAccessible::Description), QString());
        EXPECT_EQ(card->role(), QAccessible::Client);
    }
}

TEST(BoardAccess, TheApplicationIsDescribedByTheGamesLine) {
    BoardAccess::install();
    for (const auto &[language, line] :
         {std::pair{InterfaceLanguage::Japanese, "伏せたカードを並べて完成させるジグソーパズル"},
          {InterfaceLanguage::English,
           "Face-down card jigsaw: find where every card belongs without looking too often"}}) {
        const auto translators = translatorsFor(language);
        for (const auto &tr : translators) QCoreApplication::installTranslator(tr.get());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(qApp)->text(QAccessible::Description),
                  QString::fromUtf8(line));
        for (const auto &tr : translators) QCoreApplication::removeTranslator(tr.get());
    }
}

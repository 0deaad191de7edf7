// What a screen reader is told: every change of the focus card or of how it
// looks as a newly focused object, and the application's description.
#include "app/boardaccess.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <functional>

#include "app/boardview.h"
#include "app/language.h"
#include "support/table.h"

using namespace fusefuda;
using fusefuda::testing::Table;

namespace {

QString focusedName;
int focusEvents = 0;
void record(QAccessibleEvent *event) {
    if (event->type() != QAccessible::Focus) return;
    ++focusEvents;
    focusedName = event->accessibleInterface()->text(QAccessible::Name);
}

}  // namespace

TEST(BoardAccess, EveryChangeOfTheCardOrOfItsLookIsANewlyFocusedObject) {
    BoardAccess::install();
    Table t;
    t.deal(3);
    BoardView view(t.surfaces);
    BoardAccess access(t.g(), view, record);
    view.show();
    QApplication::setActiveWindow(&view);
    view.setFocus();
    ASSERT_TRUE(view.hasFocus());
    QAccessibleInterface *board = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(board, nullptr);
    // The client area's role, of which a reader says no word ("canvas" it says).
    EXPECT_EQ(board->role(), QAccessible::Client);

    GameState &g = t.g();
    const struct {
        const char *what;
        std::function<void()> change;
        bool told;
        const char *name;
    } steps[] = {
        {"the sevens", [] {}, true, "スペードの7、4枚のグループ"},
        {"a back", [&] { g.keyFocus.column = kSevensColumn - 1; }, true, "伏せたカード、未タッチ"},
        {"another back alike", [&] { g.keyFocus.column = kSevensColumn + 1; }, true,
         "伏せたカード、未タッチ"},
        {"nothing", [] {}, false, "伏せたカード、未タッチ"},
        {"its face", [&] { g.board.faceUp[kSevensColumn + 1][0] = 1; }, true, "スペードの8"},
        {"the score", [&] { g.board.score -= 50; }, false, "スペードの8"},
    };
    QAccessible::Id card = 0;
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        focusEvents = 0;
        step.change();
        access.follow(true);
        EXPECT_EQ(focusEvents, step.told ? 1 : 0);
        if (step.told) {
            EXPECT_EQ(focusedName, QString::fromUtf8(step.name));
        }
        ASSERT_EQ(board->childCount(), 1);
        EXPECT_EQ(board->focusChild()->text(QAccessible::Name), QString::fromUtf8(step.name));
        // No description: the standing after every card would bury it.
        EXPECT_TRUE(board->focusChild()->text(QAccessible::Description).isEmpty());
        EXPECT_EQ(board->focusChild()->role(), QAccessible::Client);
        EXPECT_EQ(QAccessible::uniqueId(board->child(0)) != card, step.told);
        card = QAccessible::uniqueId(board->child(0));
    }
}

TEST(BoardAccess, TheApplicationIsDescribedByTheGamesLine) {
    BoardAccess::install();
    const struct {
        InterfaceLanguage language;
        const char *line;
    } rows[] = {
        {InterfaceLanguage::Japanese, "伏せたカードを並べて完成させるジグソーパズル"},
        {InterfaceLanguage::English,
         "Face-down card jigsaw: find where every card belongs without looking too often"},
    };
    for (const auto &row : rows) {
        const auto translators = translatorsFor(row.language);
        for (const auto &translator : translators) QCoreApplication::installTranslator(translator.get());
        QAccessibleInterface *app = QAccessible::queryAccessibleInterface(qApp);
        ASSERT_NE(app, nullptr);
        EXPECT_EQ(app->text(QAccessible::Description), QString::fromUtf8(row.line));
        for (const auto &translator : translators) QCoreApplication::removeTranslator(translator.get());
    }
}

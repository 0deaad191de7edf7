#include "app/menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>

#include "app/shortcuts.h"

namespace fusefuda {

namespace {

// The captions are the Japanese ones, marked for the translation tools and
// looked up when the menu is built.
constexpr const char *kContext = "Menu";

QString caption(const char *japanese) { return QCoreApplication::translate(kContext, japanese); }

template <typename Parent>
QMenu *addSubmenu(Parent *parent, const char *japanese) {
    return parent->addMenu(caption(japanese));
}

QAction *addEntry(MenuActions &menu, QMenu *parent, int command, const char *japanese,
                  bool checkable = false) {
    QAction *action = parent->addAction(caption(japanese));
    action->setData(command);
    // Checkable entries show a mark; the marks themselves always come from
    // setMenuMarks, never from Qt's own toggling.
    action->setCheckable(checkable);
    menu.byCommand[command - kFirstCommand] = action;
    return action;
}

// The family a font is drawn in: its own when installed, else the first of
// its substitutes that is.
QString installedFamily(const QFont &font) {
    if (QFontDatabase::hasFamily(font.family())) return font.family();
    for (const QString &family : QFont::substitutes(font.family()))
        if (QFontDatabase::hasFamily(family)) return family;
    return {};
}

// The bar's titles are the game's own, Japanese or English, and a Japanese
// font has every character of them: when the bar's font is one, it is told
// not to look for others. Making up that list of fallback fonts (fontconfig
// sorts every installed font for it) is the largest part of laying out the
// bar, which the window waits for before it appears. The menus, dialogs and
// players' names keep the fallbacks.
void drawTitlesInTheirOwnFont(QMenuBar *bar) {
    const QString family = installedFamily(bar->font());
    if (family.isEmpty() ||
        !QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese))
        return;
    QFont font = bar->font();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoFontMerging));
    bar->setFont(font);
}

}  // namespace

QAction *MenuActions::entry(int command) const {
    if (command < kFirstCommand || command >= kFirstCommand + kCommandSlots) return nullptr;
    return byCommand[command - kFirstCommand];
}

MenuActions buildMenu(QMenuBar *bar) {
    MenuActions menu;
    drawTitlesInTheirOwnFont(bar);

    QMenu *file = addSubmenu(bar, QT_TRANSLATE_NOOP("Menu", "ファイル(&F)"));
    QMenu *newGame = addSubmenu(file, QT_TRANSLATE_NOOP("Menu", "新規ゲーム(&N)"));
    addEntry(menu, newGame, kCmdBeginner, QT_TRANSLATE_NOOP("Menu", "初級(&L)"));
    addEntry(menu, newGame, kCmdIntermediate, QT_TRANSLATE_NOOP("Menu", "中級(&M)"));
    addEntry(menu, newGame, kCmdAdvanced, QT_TRANSLATE_NOOP("Menu", "上級(&T)"));
    addEntry(menu, file, kCmdNewByNumber,
             QT_TRANSLATE_NOOP("Menu", "番号を指定して新規ゲーム(&D)..."));
    addEntry(menu, file, kCmdOpenPlayFile, QT_TRANSLATE_NOOP("Menu", "プレイファイルを開く(&O)"));
    addEntry(menu, file, kCmdSavePlayFile,
             QT_TRANSLATE_NOOP("Menu", "プレイファイルを保存する(&S)"));
    file->addSeparator();
    addEntry(menu, file, kCmdExit, QT_TRANSLATE_NOOP("Menu", "終了(&X)"));

    QMenu *edit = addSubmenu(bar, QT_TRANSLATE_NOOP("Menu", "編集(&E)"));
    addEntry(menu, edit, kCmdUndo, QT_TRANSLATE_NOOP("Menu", "元に戻す(&U)"));
    edit->addSeparator();
    addEntry(menu, edit, kCmdSwapLayers, QT_TRANSLATE_NOOP("Menu", "カードの上下入れ替え(&U)"));

    QMenu *functions = addSubmenu(bar, QT_TRANSLATE_NOOP("Menu", "機能(&K)"));
    addEntry(menu, functions, kCmdSound, QT_TRANSLATE_NOOP("Menu", "効果音(&B)"), true);
    addEntry(menu, functions, kCmdGuide, QT_TRANSLATE_NOOP("Menu", "ガイド表示(&G)"), true);
    addEntry(menu, functions, kCmdShowScore, QT_TRANSLATE_NOOP("Menu", "スコア表示(&W)"), true);
    addEntry(menu, functions, kCmdAnimation, QT_TRANSLATE_NOOP("Menu", "アニメーション表示(&A)"),
             true);
    addEntry(menu, functions, kCmdMusic, QT_TRANSLATE_NOOP("Menu", "BGM再生・停止(&I)"));
    QMenu *background = addSubmenu(functions, QT_TRANSLATE_NOOP("Menu", "背景(&Z)"));
    addEntry(menu, background, kCmdBackground1, QT_TRANSLATE_NOOP("Menu", "パターン１(&1)"), true);
    addEntry(menu, background, kCmdBackground2, QT_TRANSLATE_NOOP("Menu", "パターン２(&2)"), true);
    addEntry(menu, background, kCmdBackground3, QT_TRANSLATE_NOOP("Menu", "パターン３(&3)"), true);
    addEntry(menu, background, kCmdSeeThrough, QT_TRANSLATE_NOOP("Menu", "透明(WinXP)(&4)"), true);
    QMenu *cards = addSubmenu(functions, QT_TRANSLATE_NOOP("Menu", "カード(&C)"));
    addEntry(menu, cards, kCmdCards1, QT_TRANSLATE_NOOP("Menu", "パターン１(&1)"), true);
    addEntry(menu, cards, kCmdCards2, QT_TRANSLATE_NOOP("Menu", "パターン２(&2)"), true);
    addEntry(menu, functions, kCmdPeekMode, QT_TRANSLATE_NOOP("Menu", "覗き見モード(&M)"), true);
    addEntry(menu, functions, kCmdFourColour, QT_TRANSLATE_NOOP("Menu", "4色のスート(&4)"), true);
    addEntry(menu, functions, kCmdResume, QT_TRANSLATE_NOOP("Menu", "前回のゲームを再開(&R)"), true);
    functions->addSeparator();
    // Also the middle button on the board; Escape leaves it too.
    addEntry(menu, functions, kCmdOverview, QT_TRANSLATE_NOOP("Menu", "全体表示(&O)"));
    addEntry(menu, functions, kCmdFullScreen, QT_TRANSLATE_NOOP("Menu", "全画面表示(&F)"), true);
    // Also Ctrl + wheel and a pinch on the board.
    addEntry(menu, functions, kCmdZoomIn, QT_TRANSLATE_NOOP("Menu", "拡大(&L)"));
    addEntry(menu, functions, kCmdZoomOut, QT_TRANSLATE_NOOP("Menu", "縮小(&S)"));
    addEntry(menu, functions, kCmdActualSize, QT_TRANSLATE_NOOP("Menu", "等倍(100%)(&D)"));
    addEntry(menu, functions, kCmdFitBoard, QT_TRANSLATE_NOOP("Menu", "ウィンドウに合わせる(&T)"));

    QMenu *other = addSubmenu(bar, QT_TRANSLATE_NOOP("Menu", "その他(&Y)"));
    addEntry(menu, other, kCmdScores, QT_TRANSLATE_NOOP("Menu", "スコア(&P)"));
    addEntry(menu, other, kCmdStatistics, QT_TRANSLATE_NOOP("Menu", "統計(&T)"));

    QMenu *help = addSubmenu(bar, QT_TRANSLATE_NOOP("Menu", "ヘルプ(&H)"));
    addEntry(menu, help, kCmdHowToPlay, QT_TRANSLATE_NOOP("Menu", "遊び方(&H)"));
    addEntry(menu, help, kCmdKeys, QT_TRANSLATE_NOOP("Menu", "キー操作(&K)"));
    addEntry(menu, help, kCmdAbout, QT_TRANSLATE_NOOP("Menu", "バージョン情報(&V)"));

    giveShortcuts(menu);
    return menu;
}

void setMenuMarks(const MenuActions &menu, const GameState &g) {
    auto mark = [&](int command, bool on) {
        if (QAction *action = menu.entry(command)) action->setChecked(on);
    };
    mark(kCmdSound, g.soundOn);
    mark(kCmdGuide, g.guideOn);
    mark(kCmdShowScore, g.scoreDisplayOn);
    mark(kCmdBackground1, g.backgroundPattern == kBackgroundPattern1);
    mark(kCmdBackground2, g.backgroundPattern == kBackgroundPattern2);
    mark(kCmdBackground3, g.backgroundPattern == kBackgroundPattern3);
    mark(kCmdSeeThrough, g.backgroundPattern == kSeeThroughBackground);
    mark(kCmdCards1, g.cardPattern == kCardBacks1);
    mark(kCmdCards2, g.cardPattern == kCardBacks2);
    mark(kCmdPeekMode, g.peekModeOn);
    mark(kCmdAnimation, g.animationOn);
    mark(kCmdFourColour, g.fourColourOn);
    mark(kCmdResume, g.resumeOn);
    mark(kCmdFullScreen, g.fullScreenOn);
    placeNewGameKeys(menu, g);
    if (QAction *undo = menu.entry(kCmdUndo)) undo->setEnabled(g.undoStore.undoDepth > 0);
}

}  // namespace fusefuda

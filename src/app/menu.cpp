#include "app/menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace fusefuda {

namespace {

QAction *addEntry(MenuActions &menu, QMenu *parent, int command, const QString &caption,
                  bool checkable = false) {
    QAction *action = parent->addAction(caption);
    action->setData(command);
    // Checkable entries show a mark; the marks themselves always come from
    // setMenuMarks, never from Qt's own toggling.
    action->setCheckable(checkable);
    menu.byCommand[command - kFirstCommand] = action;
    return action;
}

}  // namespace

QAction *MenuActions::entry(int command) const {
    if (command < kFirstCommand || command >= kFirstCommand + kCommandSlots) return nullptr;
    return byCommand[command - kFirstCommand];
}

MenuActions buildMenu(QMenuBar *bar) {
    MenuActions menu;

    QMenu *file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    QMenu *newGame = file->addMenu(QStringLiteral("新規ゲーム(&N)"));
    addEntry(menu, newGame, kCmdBeginner, QStringLiteral("初級(&L)"));
    addEntry(menu, newGame, kCmdIntermediate, QStringLiteral("中級(&M)"));
    addEntry(menu, newGame, kCmdAdvanced, QStringLiteral("上級(&T)"));
    addEntry(menu, file, kCmdOpenPlayFile, QStringLiteral("プレイファイルを開く(&O)"));
    addEntry(menu, file, kCmdSavePlayFile, QStringLiteral("プレイファイルを保存する(&S)"));
    file->addSeparator();
    addEntry(menu, file, kCmdExit, QStringLiteral("終了(&X)"));

    QMenu *edit = bar->addMenu(QStringLiteral("編集(&E)"));
    addEntry(menu, edit, kCmdUndo, QStringLiteral("元に戻す(&U)"));
    edit->addSeparator();
    addEntry(menu, edit, kCmdSwapLayers, QStringLiteral("カードの上下入れ替え(&U)"));

    QMenu *functions = bar->addMenu(QStringLiteral("機能(&K)"));
    addEntry(menu, functions, kCmdSound, QStringLiteral("効果音(&B)"), true);
    addEntry(menu, functions, kCmdGuide, QStringLiteral("ガイド表示(&G)"), true);
    addEntry(menu, functions, kCmdShowScore, QStringLiteral("スコア表示(&W)"), true);
    addEntry(menu, functions, kCmdAnimation, QStringLiteral("アニメーション表示(&A)"), true);
    addEntry(menu, functions, kCmdMusic, QStringLiteral("BGM再生・停止(&I)"));
    QMenu *background = functions->addMenu(QStringLiteral("背景(&Z)"));
    addEntry(menu, background, kCmdBackground1, QStringLiteral("パターン１(&1)"), true);
    addEntry(menu, background, kCmdBackground2, QStringLiteral("パターン２(&2)"), true);
    addEntry(menu, background, kCmdBackground3, QStringLiteral("パターン３(&3)"), true);
    addEntry(menu, background, kCmdSeeThrough, QStringLiteral("透明(WinXP)(&4)"), true);
    QMenu *cards = functions->addMenu(QStringLiteral("カード(&C)"));
    addEntry(menu, cards, kCmdCards1, QStringLiteral("パターン１(&1)"), true);
    addEntry(menu, cards, kCmdCards2, QStringLiteral("パターン２(&2)"), true);
    addEntry(menu, functions, kCmdPeekMode, QStringLiteral("覗き見モード(&M)"), true);

    QMenu *other = bar->addMenu(QStringLiteral("その他(&Y)"));
    addEntry(menu, other, kCmdScores, QStringLiteral("スコア(&P)"));

    QMenu *help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    addEntry(menu, help, kCmdAbout, QStringLiteral("バージョン情報(&V)"));

    return menu;
}

void setMenuMarks(const MenuActions &menu, const GameState &g) {
    auto mark = [&](int command, bool on) {
        if (QAction *action = menu.entry(command)) action->setChecked(on);
    };
    mark(kCmdSound, g.soundOn == 1);
    mark(kCmdGuide, g.guideOn == 1);
    mark(kCmdShowScore, g.scoreDisplayOn == 1);
    mark(kCmdBackground1, g.backgroundPattern == 1);
    mark(kCmdBackground2, g.backgroundPattern == 2);
    mark(kCmdBackground3, g.backgroundPattern == 3);
    mark(kCmdSeeThrough, g.backgroundPattern == 4);
    mark(kCmdCards1, g.cardPattern == 1);
    mark(kCmdCards2, g.cardPattern == 2);
    mark(kCmdPeekMode, g.peekModeOn == 1);
    mark(kCmdAnimation, g.animationOn == 1);
    if (QAction *undo = menu.entry(kCmdUndo)) undo->setEnabled(g.undoDepth > 0);
}

}  // namespace fusefuda

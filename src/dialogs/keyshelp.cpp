#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <memory>

#include "dialogs/builders.h"
#include "dialogs/dialogs.h"

namespace fusefuda {

namespace {

constexpr const char *kContext = "KeysHelp";

// The board's keys and the menu's, each with what it does.
constexpr HelpLine kKeyLines[] = {
    {QT_TRANSLATE_NOOP("KeysHelp", "矢印キー"),
     QT_TRANSLATE_NOOP("KeysHelp", "フォーカスを一番近いカードへ移す。持っているカードを運ぶ")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Tab / Shift + Tab"),
     QT_TRANSLATE_NOOP("KeysHelp", "フォーカスを読む順で次・前のカードへ移す")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Shift + 矢印キー"),
     QT_TRANSLATE_NOOP("KeysHelp", "持っているカードを大きく運ぶ")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Ctrl + 矢印キー"),
     QT_TRANSLATE_NOOP("KeysHelp", "盤面の表示を動かす")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Space / Enter"),
     QT_TRANSLATE_NOOP("KeysHelp",
                       "フォーカスのカードをグループごと持ち上げる。持っているカードを置く")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Esc"),
     QT_TRANSLATE_NOOP("KeysHelp", "持っているカードを持ち上げた場所に戻して置く")},
    {QT_TRANSLATE_NOOP("KeysHelp", "J"),
     QT_TRANSLATE_NOOP("KeysHelp",
                       "持っているカードを置く。半枚分以内に正しい隣のカードがあれば、その横に寄せる")},
    {QT_TRANSLATE_NOOP("KeysHelp", "P（押している間）"),
     QT_TRANSLATE_NOOP("KeysHelp", "フォーカスのカードを覗き見る")},
    {QT_TRANSLATE_NOOP("KeysHelp", "R"),
     QT_TRANSLATE_NOOP("KeysHelp", "フォーカスのカードのグループを前面に出す")},
    {QT_TRANSLATE_NOOP("KeysHelp", "7"),
     QT_TRANSLATE_NOOP("KeysHelp", "フォーカスを7のグループへ移す")},
    {QT_TRANSLATE_NOOP("KeysHelp", "M"),
     QT_TRANSLATE_NOOP("KeysHelp", "全体表示にする。もう一度押すと戻る")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Ctrl + N"),
     QT_TRANSLATE_NOOP("KeysHelp", "最後に遊んだレベルで新規ゲーム（初めは初級）")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Ctrl + O / Ctrl + S"),
     QT_TRANSLATE_NOOP("KeysHelp", "プレイファイルを開く／保存する")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Ctrl + Z"), QT_TRANSLATE_NOOP("KeysHelp", "元に戻す")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Ctrl + Q"), QT_TRANSLATE_NOOP("KeysHelp", "終了")},
    {QT_TRANSLATE_NOOP("KeysHelp", "F1"), QT_TRANSLATE_NOOP("KeysHelp", "遊び方")},
    {QT_TRANSLATE_NOOP("KeysHelp", "F11"),
     QT_TRANSLATE_NOOP("KeysHelp", "全画面表示に切り替える")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Ctrl + + / Ctrl + -"),
     QT_TRANSLATE_NOOP("KeysHelp", "盤面を拡大・縮小する（Ctrl + ホイール、ピンチでも）")},
    {QT_TRANSLATE_NOOP("KeysHelp", "Ctrl + 0 / Ctrl + 9"),
     QT_TRANSLATE_NOOP("KeysHelp", "等倍（100%）で表示する／盤面全体をウィンドウに合わせる")},
};

constexpr const char *kTitle = QT_TRANSLATE_NOOP("KeysHelp", "キー操作");

}  // namespace

QString helpTable(const char *context, const HelpLine *lines, int count) {
    const auto shown = [context](const char *japanese) {
        return QCoreApplication::translate(context, japanese).toHtmlEscaped();
    };
    QString text = QStringLiteral("<table cellspacing=\"4\">");
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(shown(lines[i].term), shown(lines[i].text));
    return text + QStringLiteral("</table>");
}

QDialog *createHelpBox(QWidget *owner, const QString &title, const QString &text,
                       const QImage &picture) {
    auto *dialog = new QDialog(owner);
    dialog->setWindowTitle(title);
    auto *layout = new QVBoxLayout(dialog);
    if (!picture.isNull()) {
        auto *shown = new QLabel(dialog);
        shown->setPixmap(QPixmap::fromImage(picture));
        shown->setAlignment(Qt::AlignHCenter);
        layout->addWidget(shown);
    }
    auto *words = new QLabel(text, dialog);
    words->setTextFormat(Qt::RichText);
    words->setWordWrap(true);
    // Wide enough for a line of a few words, and never narrower than the
    // picture above it.
    words->setMinimumWidth(std::max(picture.width(), words->fontMetrics().averageCharWidth() * 60));
    layout->addWidget(words);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return dialog;
}

void runKeysHelp(QWidget *owner) {
    std::unique_ptr<QDialog> box(
        createHelpBox(owner, QCoreApplication::translate(kContext, kTitle),
                      helpTable(kContext, kKeyLines, int(std::size(kKeyLines)))));
    box->exec();
}

}  // namespace fusefuda

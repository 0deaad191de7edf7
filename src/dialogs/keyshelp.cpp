#include <QCoreApplication>
#include <QMessageBox>

#include "dialogs/dialogs.h"

namespace fusefuda {

namespace {

// The board's keys, each with what it does.
struct KeyLine {
    const char *keys;
    const char *does;
};

constexpr KeyLine kKeyLines[] = {
    {QT_TRANSLATE_NOOP("KeysHelp", "矢印キー"),
     QT_TRANSLATE_NOOP("KeysHelp", "フォーカスを一番近いカードへ移す。持っているカードを運ぶ")},
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
};

constexpr const char *kTitle = QT_TRANSLATE_NOOP("KeysHelp", "キー操作");

// The text in the interface's language.
QString shown(const char *japanese) { return QCoreApplication::translate("KeysHelp", japanese); }

}  // namespace

void runKeysHelp(QWidget *owner) {
    QString text = QStringLiteral("<table cellspacing=\"4\">");
    for (const KeyLine &line : kKeyLines)
        text += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(shown(line.keys).toHtmlEscaped(), shown(line.does).toHtmlEscaped());
    text += QStringLiteral("</table>");
    QMessageBox box(QMessageBox::NoIcon, shown(kTitle), text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::RichText);
    box.exec();
}

}  // namespace fusefuda

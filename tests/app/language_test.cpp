// The interface language: which one the locale variables choose, and that the
// English one reaches every menu entry, the file choosers and the play-file
// messages.
#include "app/language.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <fstream>
#include <functional>
#include <map>
#include <optional>

#include "app/menu.h"
#include "dialogs/dialogunits.h"
#include "platform/filechooser.h"
#include "platform/messagebox.h"
#include "playfile/playfile.h"
#include "support/table.h"

using namespace fusefuda;

namespace {

constexpr InterfaceLanguage J = InterfaceLanguage::Japanese;
constexpr InterfaceLanguage E = InterfaceLanguage::English;

// Kana, kanji and full-width forms: what an English interface must not show.
bool hasJapanese(const QString &text) {
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) ||
            (c >= 0xFF00 && c <= 0xFFEF))
            return true;
    }
    return false;
}

// The English translation installed for the life of the object.
struct English {
    English() : translators(translatorsFor(E)) {
        for (const auto &t : translators) QCoreApplication::installTranslator(t.get());
    }
    ~English() {
        for (const auto &t : translators) QCoreApplication::removeTranslator(t.get());
    }
    std::vector<std::unique_ptr<QTranslator>> translators;
};

// Runs `look` on the modal window that `open` brings up, then closes it.
void whenModalOpens(const std::function<void()> &open, const std::function<void(QWidget *)> &look) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        seen = true;
        look(modal);
        if (auto *dialog = qobject_cast<QDialog *>(modal)) dialog->reject();
    });
    open();
    EXPECT_TRUE(seen) << "no modal window opened";
}

// Every entry of a menu and its submenus, by the menu it sits in.
void collectMenus(QMenu *menu, std::vector<QMenu *> &out) {
    out.push_back(menu);
    for (QAction *a : menu->actions())
        if (a->menu()) collectMenus(a->menu(), out);
}

QChar accessKey(const QString &caption) {
    const qsizetype amp = caption.indexOf('&');
    return amp >= 0 && amp + 1 < caption.size() ? caption.at(amp + 1).toLower() : QChar();
}

// Each caption English, with one access key that no other entry of its menu
// shares.
void expectEnglishWithDistinctKeys(const QList<QAction *> &entries, const QString &where) {
    std::map<QChar, QString> taken;
    for (QAction *a : entries) {
        if (a->isSeparator()) continue;
        const QString text = a->text();
        EXPECT_FALSE(hasJapanese(text)) << where.toStdString() << ": " << text.toStdString();
        EXPECT_EQ(text.count('&'), 1) << text.toStdString();
        const QChar key = accessKey(text);
        ASSERT_FALSE(key.isNull()) << text.toStdString();
        const auto [at, fresh] = taken.emplace(key, text);
        EXPECT_TRUE(fresh) << where.toStdString() << ": " << text.toStdString() << " and "
                           << at->second.toStdString() << " share the key "
                           << QString(key).toStdString();
    }
}

}  // namespace

TEST(Language, ChosenFromTheLocaleVariablesAsTheCLibraryReadsThem) {
    struct Case {
        LocaleVariables v;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        InterfaceLanguage expected;
    };
    const Case cases[] = {
        {{"", "", "", ""}, J},
        {{"", "", "", "C"}, J},
        {{"", "", "", "POSIX"}, J},
        {{"", "", "", "C.UTF-8"}, J},
        {{"", "", "", "ja_JP.UTF-8"}, J},
        {{"", "", "", "ja"}, J},
        {{"", "", "", "en_US.UTF-8"}, E},
        {{"", "", "", "de_DE.UTF-8"}, E},
        {{"", "", "", "zh_CN.UTF-8"}, E},
        // LANGUAGE goes first, its first entry that is not empty ...
        {{"ja", "", "", "en_US.UTF-8"}, J},
        {{":ja:en", "", "", "en_US.UTF-8"}, J},
        {{"fr:ja", "", "", "ja_JP.UTF-8"}, E},
        {{"en_GB:en", "", "", "C.UTF-8"}, E},
        // ... except in the C locale, where the C library ignores it.
        {{"en", "", "", "C"}, J},
        {{"en", "", "", ""}, J},
        {{"en", "POSIX", "", "en_US.UTF-8"}, J},
        // LC_ALL, then LC_MESSAGES, then LANG.
        {{"", "ja_JP.UTF-8", "en_US.UTF-8", "en_US.UTF-8"}, J},
        {{"", "C", "", "en_US.UTF-8"}, J},
        {{"", "", "en_US.UTF-8", "ja_JP.UTF-8"}, E},
        {{"", "", "ja_JP.UTF-8", "en_US.UTF-8"}, J},
    };
    for (const Case &c : cases)
        EXPECT_EQ(interfaceLanguageFor(c.v), c.expected)
            << "LANGUAGE=" << c.v.language << " LC_ALL=" << c.v.lcAll
            << " LC_MESSAGES=" << c.v.lcMessages << " LANG=" << c.v.lang;
}

TEST(Language, EnglishMenusHaveDistinctAccessKeysAndJapaneseStaysTheSource) {
    {
        English english;
        ASSERT_FALSE(english.translators.empty()) << "the English translation is not built in";
        QMenuBar bar;
        const MenuActions menu = buildMenu(&bar);
        expectEnglishWithDistinctKeys(bar.actions(), QStringLiteral("menu bar"));
        for (QAction *top : bar.actions()) {
            std::vector<QMenu *> menus;
            collectMenus(top->menu(), menus);
            for (QMenu *m : menus) expectEnglishWithDistinctKeys(m->actions(), m->title());
        }
        EXPECT_EQ(menu.entry(kCmdAbout)->text(), QStringLiteral("&About Fusefuda"));
    }
    // Without a translation the captions are the Japanese ones.
    QMenuBar bar;
    const MenuActions menu = buildMenu(&bar);
    EXPECT_EQ(bar.actions().at(0)->text(), QString::fromUtf8("ファイル(&F)"));
    EXPECT_EQ(menu.entry(kCmdAbout)->text(), QString::fromUtf8("バージョン情報(&V)"));
}

// The bar's titles are drawn without fallback fonts (the window appears
// sooner without the search for them), so the font must have each of their
// characters in either language; the menus themselves keep the fallbacks.
TEST(Language, MenuBarTitlesAreWhollyInTheBarsOwnFont) {
    for (const bool english : {false, true}) {
        std::optional<English> translation;
        if (english) translation.emplace();
        QMenuBar bar;
        bar.setFont(dialogFont());  // the application's font in the game
        buildMenu(&bar);
        ASSERT_TRUE(bar.font().styleStrategy() & QFont::NoFontMerging)
            << "no Japanese font for the dialog font (fonts-ipafont-gothic)";
        const QFontMetrics metrics(bar.font());
        for (QAction *top : bar.actions()) {
            for (const char32_t c : top->text().toUcs4())
                EXPECT_TRUE(metrics.inFontUcs4(c))
                    << top->text().toStdString() << ": U+" << std::hex << uint32_t(c);
            EXPECT_FALSE(top->menu()->font().styleStrategy() & QFont::NoFontMerging)
                << top->text().toStdString();
        }
    }
}

TEST(Language, FileChoosersAndPlayFileMessagesSpeakEnglish) {
    QTemporaryDir dir;
    const std::string junk = dir.filePath("junk.pvq").toStdString();
    std::ofstream(junk) << "not a play file";
    // The messages as the play-file commands give them: an open that fails,
    // a file that is not a play file, a save into a folder that is not there.
    fusefuda::testing::Table t;
    t.shell.openChoice = dir.filePath("missing.pvq").toStdString();
    loadPlayFile(t.play, t.shell);
    t.shell.openChoice = junk;
    loadPlayFile(t.play, t.shell);
    t.shell.saveChoice = dir.filePath("no/such/folder/x.pvq").toStdString();
    savePlayFile(t.g(), t.shell);
    ASSERT_EQ(t.shell.messages.size(), 3u);

    English english;
    QStringList shown;
    for (const std::string &message : t.shell.messages)
        whenModalOpens([&] { showMessageBox(nullptr, message); },
                       [&](QWidget *box) { shown << qobject_cast<QMessageBox *>(box)->text(); });
    EXPECT_EQ(shown, (QStringList{"The input file cannot be opened.", "Reading the file failed.",
                                  "The output file cannot be opened."}));

    QStringList titles, filters;
    for (auto choose : {&chooseSavePlayFile, &chooseOpenPlayFile})
        whenModalOpens([&] { choose(nullptr); },
                       [&](QWidget *w) {
                           auto *chooser = qobject_cast<QFileDialog *>(w);
                           ASSERT_NE(chooser, nullptr);
                           titles << chooser->windowTitle();
                           filters << chooser->nameFilters();
                       });
    EXPECT_EQ(titles, (QStringList{"Save Play File", "Open Play File"}));
    for (const QString &f : filters) EXPECT_FALSE(hasJapanese(f)) << f.toStdString();
}

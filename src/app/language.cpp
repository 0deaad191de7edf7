#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

namespace fusefuda {

namespace {

std::string variable(const char *name) {
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// "ja_JP.UTF-8" -> "ja", "en-GB" -> "en", "C.UTF-8" -> "C".
std::string languagePart(const std::string &name) {
    return name.substr(0, name.find_first_of("_.@-"));
}

// The first entry of a LANGUAGE list that is not empty.
std::string firstListed(const std::string &list) {
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        if (end > start) return list.substr(start, end - start);
        start = end + 1;
    }
    return {};
}

}  // namespace

LocaleVariables localeVariablesOfProcess() {
    return {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG")};
}

InterfaceLanguage interfaceLanguageFor(const LocaleVariables &v) {
    // The C library reads the locale of messages from the first of these
    // that is set, and lets LANGUAGE override it except in the C locale.
    // Qt's own uiLanguages() takes LANGUAGE even there, where a program that
    // prints its messages through the C library stays untranslated.
    const std::string &locale = !v.lcAll.empty()        ? v.lcAll
                                : !v.lcMessages.empty() ? v.lcMessages
                                                        : v.lang;
    if (locale.empty() || locale == "C" || locale == "POSIX") return InterfaceLanguage::Japanese;
    std::string chosen = firstListed(v.language);
    if (chosen.empty()) chosen = locale;
    const std::string language = languagePart(chosen);
    // C.UTF-8 names no language either.
    if (language == "ja" || language == "C" || language == "POSIX")
        return InterfaceLanguage::Japanese;
    return InterfaceLanguage::English;
}

std::vector<std::unique_ptr<QTranslator>> translatorsFor(InterfaceLanguage language) {
    std::vector<std::unique_ptr<QTranslator>> out;
    auto translator = std::make_unique<QTranslator>();
    if (language == InterfaceLanguage::English) {
        if (translator->load(QStringLiteral(":/i18n/fusefuda_en.qm")))
            out.push_back(std::move(translator));
    } else if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan),
                                QStringLiteral("qtbase"), QStringLiteral("_"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        out.push_back(std::move(translator));
    }
    return out;
}

}  // namespace fusefuda

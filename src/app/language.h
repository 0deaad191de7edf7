// The language of the interface. The texts in the source are the Japanese
// ones; an English translation, built from src/translations/fusefuda_en.ts,
// is carried in the executable and installed for players whose desktop
// speaks another language.
#pragma once

#include <QTranslator>
#include <memory>
#include <string>
#include <vector>

namespace fusefuda {

enum class InterfaceLanguage { Japanese, English };

// The locale variables that choose the language of messages.
struct LocaleVariables {
    std::string language;    // LANGUAGE: a colon-separated list
    std::string lcAll;       // LC_ALL
    std::string lcMessages;  // LC_MESSAGES
    std::string lang;        // LANG
};

LocaleVariables localeVariablesOfProcess();

// Japanese for a Japanese language and when no language is set (C, POSIX,
// C.UTF-8, nothing at all); English for every other language.
InterfaceLanguage interfaceLanguageFor(const LocaleVariables &variables);

// The translations a language needs, loaded but not installed: the game's
// own for English, Qt's own for Japanese (the file choosers and the message
// boxes' buttons). One that cannot be loaded is left out, and the interface
// shows the source texts where it has no translation.
std::vector<std::unique_ptr<QTranslator>> translatorsFor(InterfaceLanguage language);

}  // namespace fusefuda

// The program's message box: owned by the main window, the default caption,
// no icon, one OK button.
#pragma once

#include <string>

class QWidget;

namespace fusefuda {

// The translation context of the texts that message boxes show.
inline constexpr const char *kMessageContext = "Messages";

// The text is the Japanese one; the box shows its translation in the
// context kMessageContext, where QT_TRANSLATE_NOOP marks it.
void showMessageBox(QWidget *owner, const std::string &text);

}  // namespace fusefuda

// The program's message box: owned by the main window, the default caption,
// no icon, one OK button.
#pragma once

#include <string>

class QWidget;

namespace fusefuda {

void showMessageBox(QWidget *owner, const std::string &text);

}  // namespace fusefuda

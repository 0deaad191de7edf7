// The file choosers of the play-file commands.
#pragma once

#include <string>

class QWidget;

namespace fusefuda {

// Each returns the chosen path (UTF-8), or an empty string when cancelled.
std::string chooseOpenPlayFile(QWidget *owner);
std::string chooseSavePlayFile(QWidget *owner);

}  // namespace fusefuda

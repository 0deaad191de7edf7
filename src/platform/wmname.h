// The window's name as old X11 tools read it: WM_NAME, which Qt fills with
// the title in the locale's encoding, where _NET_WM_NAME carries it in UTF-8.
#pragma once

#include <QString>

class QWindow;

namespace fusefuda {

// Whether a WM_NAME of that kind holds the title: a STRING one holds only
// Latin-1, so any other title arrives there as a row of wrong letters.
bool legacyNameHolds(bool latin1Only, const QString &title);

// On X11, where the locale's encoding could not hold the title (the C
// locale, whose WM_NAME is a STRING), names the window `romanised` there
// instead; _NET_WM_NAME keeps the title. Elsewhere it does nothing.
void keepLegacyNameReadable(QWindow *window, const QString &title, const char *romanised);

}  // namespace fusefuda

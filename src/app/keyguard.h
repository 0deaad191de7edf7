// A key held down is one press, however long it is held and however the
// platform repeats it. Qt on Wayland flags its repeats; an X server asked
// for detectable repeats sends more presses of a key that never went up, and
// Qt flags none of them. Either way a repeat must not peek again, lift
// again, join again or confirm the next dialog: only the arrows step on with
// a held key, and a text field keeps the desktop's typing repeat.
#pragma once

#include <QObject>
#include <functional>
#include <map>

#include "platform/keyrepeat.h"

class QKeyEvent;

namespace fusefuda {

// The rule alone, over key events as they come.
class KeyGuard {
public:
    // Whether `event` (a press, its shortcut override or a release) repeats
    // a key held down and must be swallowed. `typing`: it goes to a text
    // field. One press may be asked about several times, as it travels from
    // a widget to its parents: it is known by its time and key.
    bool swallows(const QKeyEvent &event, bool typing);
    // Forgets the keys that are no longer down, by their native scan codes;
    // keys without one are forgotten.
    void keepHeld(const std::function<bool(quint32)> &held);
    // A held key's presses come at least this often (the first repeat after
    // the delay, the others faster). One that comes later is a new press of
    // a key whose release went astray, to another program, say.
    void setRepeatDelay(int ms) { gap_ = quint64(ms) * 3 / 2; }

private:
    struct Press {
        quint64 time;
        bool repeat;
    };
    std::map<quint64, Press> down_;  // key -> its last press
    quint64 gap_ = 990;                // X's default delay, and a half
};

// The guard over every key event of the application, with the window's
// text fields found and the keys held looked up as the application comes and
// goes (a key may go up while another program has the keyboard).
class KeyGuardFilter : public QObject {
public:
    KeyGuardFilter();
    ~KeyGuardFilter() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyGuard guard_;
    KeyReleaseWatch releases_{[this](unsigned code) {
        guard_.keepHeld([code](quint32 other) { return other != code; });
    }};
};

}  // namespace fusefuda

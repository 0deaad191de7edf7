// The X server's side of a held key. By default X repeats a held key as a
// release and a press; Qt marks the pair as a repeat only when the press is
// already queued as it handles the release, so a loaded machine sees a real
// release and a fresh press. Asked for detectable repeats, the server sends
// presses alone until the key goes up, which the application's key guard
// then knows as repeats of a key held down.
#pragma once

#include <QAbstractNativeEventFilter>
#include <bitset>
#include <functional>

namespace fusefuda {

// Asks for detectable repeats on Qt's own X connection and returns the
// server's repeat delay in milliseconds; 0 elsewhere.
int detectKeyRepeats();
// The X keycodes (Qt's native scan codes) held down now; false when the
// display is not an X server's.
bool heldKeys(std::bitset<256> &keys);

// Tells the X keycode of every key release this program is sent, those too
// that Qt drops because a modal window blocks theirs (a dialog that a press
// closed or opened); nothing elsewhere.
class KeyReleaseWatch : public QAbstractNativeEventFilter {
public:
    explicit KeyReleaseWatch(std::function<void(unsigned)> released);
    ~KeyReleaseWatch() override;
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override;

private:
    std::function<void(unsigned)> released_;
};

}  // namespace fusefuda

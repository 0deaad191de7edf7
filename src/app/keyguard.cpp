#include "app/keyguard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>
#include <bitset>

#include "platform/keyrepeat.h"

namespace fusefuda {

namespace {

// The physical key where the platform tells it, else Qt's key.
quint64 keyOf(const QKeyEvent &event) {
    if (event.nativeScanCode() != 0) return quint64(1) << 32 | event.nativeScanCode();
    return quint32(event.key());
}

bool mayRepeat(const QKeyEvent &event, bool typing) {
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete: return typing;
    default: break;
    }
    // Enter, Escape, Tab and shortcuts carry control characters or nothing.
    const QString text = event.text();
    return typing && !text.isEmpty() && text.at(0).isPrint();
}

// A text field takes typing: a widget that takes an input method. A key
// event goes to the window before its focus widget.
bool isTextField(QObject *receiver) {
    if (auto *window = qobject_cast<QWindow *>(receiver)) receiver = window->focusObject();
    auto *widget = qobject_cast<QWidget *>(receiver);
    return widget && widget->testAttribute(Qt::WA_InputMethodEnabled);
}

}  // namespace

bool KeyGuard::swallows(const QKeyEvent &event, bool typing) {
    const quint64 key = keyOf(event), time = event.timestamp();
    bool repeat = event.isAutoRepeat();
    if (event.type() == QEvent::KeyRelease) {
        if (!repeat) down_.erase(key);
    } else {
        // Each delivery of one press gets the verdict of its first.
        const auto [at, pressed] = down_.try_emplace(key, Press{time, false});
        if (!pressed && time != at->second.time)
            at->second = {time, time - at->second.time <= gap_};
        repeat = repeat || at->second.repeat;
    }
    return repeat && !mayRepeat(event, typing);
}

void KeyGuard::keepHeld(const std::function<bool(quint32)> &held) {
    std::erase_if(down_,
                  [&](const auto &key) { return !(key.first >> 32) || !held(quint32(key.first)); });
}

KeyGuardFilter::KeyGuardFilter() {
    if (const int delay = detectKeyRepeats()) guard_.setRepeatDelay(delay);
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] {
        std::bitset<256> keys;
        const bool known = heldKeys(keys);
        guard_.keepHeld([&](quint32 code) { return known && code < keys.size() && keys[code]; });
    });
}

KeyGuardFilter::~KeyGuardFilter() { qApp->removeEventFilter(this); }

bool KeyGuardFilter::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    if (!guard_.swallows(*static_cast<QKeyEvent *>(event), isTextField(watched))) return false;
    // An override taken keeps the key from a shortcut; the press that then
    // follows is swallowed in its turn.
    event->accept();
    return true;
}

}  // namespace fusefuda

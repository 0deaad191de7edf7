#!/usr/bin/env bash
# What a screen reader hears, read from outside the game over AT-SPI: a
# session bus of its own starts the accessibility bus (at-spi2-core) on
# demand, Qt is asked for its bridge, and focused.py reads the name of the
# focused object after keys move the focus and during and after a peek, in
# Japanese and in English, and the application's description.
#   a11y.sh FUSEFUDA_EXECUTABLE PROBE_EXECUTABLE
set -euo pipefail

source "$(dirname "$0")/steps.sh"
under_xvfb 1280x1024x24 "$0" "$@"
[ -n "${E2E_BUS:-}" ] || exec env E2E_BUS=1 dbus-run-session -- bash "$0" "$@"
sandbox "$(realpath "$1")" "$2"
reader="$(dirname "$(realpath "$0")")/focused.py"

# after ACTION KEY LINE PATTERN: once xdotool's ACTION (key, keydown, keyup)
# of KEY is done, the focused object's name (line 1) or description (2) matches.
hears() { "$reader" | sed -n "$1p" | grep -qxE "$2"; }
after() {
    xdotool "$1" "$2"
    poll 10 hears "$3" "$4" || fail "after $2, '$("$reader" | sed -n "$3p")', not '$4'"
}

# speak LANG SEVENS UNTOUCHED FACE ONCE STANDING LINE
speak() {
    settings $'SoundF=0\r\nbgmF=0\r\n'
    # A known deal: a card lies to the right of the sevens.
    start_game_at 1700000000 LC_ALL= LANG="$1" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 FUSEFUDA_COMMANDS=40010
    find_board "a11y-$1" 1 || fail "no board in $1"
    shot_until "a11y-deal-$1" 10 sevens "$x0" "$y0" 472 150 || fail "no deal in $1"
    xdotool windowfocus --sync "$main"
    after key 7 1 "$2"
    after key Right 1 "$3"
    after keydown p 1 "$4"
    after keyup p 1 "$5"
    poll 10 hears 2 "$6" || fail "the standing is '$("$reader" | sed -n 2p)', not '$6'"
    hears 3 "$7" || fail "the application's description is '$("$reader" | sed -n 3p)', not '$7'"
    note "$1: $2 / $3 / $5 / $6"
    kill -TERM "$pid"
    await_exit 20 "SIGTERM"
}

speak ja_JP.UTF-8 "スペードの7、4枚のグループ" "伏せたカード、未タッチ" \
    "(スペード|クラブ|ハート|ダイヤ)の[5689]" "伏せたカード、1回タッチ" "初級、得点 1550" \
    "伏せたカードを並べて完成させるジグソーパズル"
speak en_US.UTF-8 "seven of spades, in a group of 4" "face-down card, not touched" \
    "(five|six|eight|nine) of (spades|clubs|hearts|diamonds)" "face-down card, touched once" \
    "beginner, score 1550" \
    "Face-down card jigsaw: find where every card belongs without looking too often"
note "PASS"

#!/usr/bin/env bash
# The real game at QT_SCALE_FACTOR=2 on a 2560 x 1600 X screen: the window
# keeps its size in pixels, the deal shows the sevens from the pictures drawn
# at 2 device pixels a pixel (not the small ones blown up), a peek turns a
# card, and a beginner game played through carries and joins to its end.
#   scaled.sh FUSEFUDA_EXECUTABLE PROBE_EXECUTABLE DEAL_SOLVER
# E2E_ARTIFACTS=folder keeps the screenshots.
set -euo pipefail

source "$(dirname "$0")/steps.sh"
under_xvfb 2560x1600x24 "$0" "$@"
sandbox "$(realpath "$1")" "$2" "$3"
export QT_SCALE_FACTOR=2
scale=2
settings $'bgmF=0\r\nSoundF=0\r\n'

seed=1700000000
start_game_at "$seed"
geometry=$(xdotool getwindowgeometry "$main")
echo "$geometry" | grep -q "Geometry: 2048x1536" || fail "window not 1024 x 768 pixels at scale 2: $geometry"

find_board start 1 || fail "background 1 at scale 2 not shown before the first game"
note "client area at device ($x0, $y0)"

menu f n l
shot_until deal 10 sevens "$x0" "$y0" 472 150 || fail "the sevens are not dealt in their scale-2 pictures"
note "deal shows the sevens drawn at scale 2"

"$solver" 3 "$seed" 1024 $((768 - y0 / scale)) >"$work/moves.txt" || fail "the solver could not finish the deal"
# A peek at the card the first carry picks up: the press raises its group
# just as the carry's press would.
peek_at() {
    local before="$work/before-peek.png" crop="64x102+$(( $1 - 40 ))+$(( $2 - 40 ))"
    xdotool mousemove --sync "$1" "$2"
    import -window root "$before"
    xdotool mousedown 3
    turned() {
        import -window root "$work/peek.png" &&
            [ "$(compare -metric AE "$work/peek.png[$crop]" "${before}[$crop]" null: 2>&1)" -gt 500 ]
    }
    poll 10 turned || fail "a peek turned no card"
    xdotool mouseup 3
    note "a peek turned the card"
}
play_moves "$work/moves.txt" peek_at
poll 20 has_named_window "SCORE" || { shot stuck; fail "no score summary: the carries did not join every card"; }
shot won
note "carries and joins finished the game at scale 2"

kill -TERM "$pid"
await_exit 20 SIGTERM
grep -q $'^kanpa=1\r$' "$ini" || fail "settings not written"
note "PASS"

#!/usr/bin/env bash
# The real game at QT_SCALE_FACTOR=2 on a 2560 x 1600 X screen: the window
# keeps its size in pixels, the deal shows the sevens from the pictures drawn
# at 2 device pixels a pixel (not the small ones blown up), a peek turns a
# card, and a beginner game played through carries and joins to its end.
#   scaled.sh FUSEFUDA_EXECUTABLE PROBE_EXECUTABLE DEAL_SOLVER
# E2E_ARTIFACTS=folder keeps the screenshots.
set -euo pipefail

source "$(dirname "$0")/sandbox.sh"
under_xvfb 2560x1600x24 "$0" "$@"

exe=$(realpath "$1")
probe=$(realpath "$2")
solver=$(realpath "$3")
sandbox "$exe"
export QT_SCALE_FACTOR=2
printf '[Kov_Section]\r\nkanpa=1\r\nbgmF=0\r\nSoundF=0\r\n' > "$ini"
k=2

fail() { echo "scaled: FAIL: $*" >&2; exit 1; }
note() { echo "scaled: $*"; }
source "$(dirname "$0")/xdrive.sh"

shot() { import -window root "$work/$1.png"; }
shot_until() {
    local name=$1 seconds=$2 what=$3; shift 3
    local limit=$(( seconds * 4 ))
    for ((i = 0; i < limit; i++)); do
        shot "$name"
        if "$probe" --scale=$k "$what" "$work/$name.png" "$@" 2>"$work/probe.err"; then return 0; fi
        sleep 0.25
    done
    cat "$work/probe.err" >&2
    return 1
}
# The device point of a client point.
dx() { echo $(( x0 + $1 * k )); }
dy() { echo $(( y0 + $1 * k )); }

seed=1700000000
start_game env TZ=UTC FAKETIME="$(date -u -d "@$seed" '+%Y-%m-%d %H:%M:%S')" \
    FAKETIME_DONT_FAKE_MONOTONIC=1 LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
geometry=$(xdotool getwindowgeometry "$main")
echo "$geometry" | grep -q "Geometry: 2048x1536" || fail "window not 1024 x 768 pixels at scale 2: $geometry"

poll 10 bash -c "import -window root '$work/start.png' && '$probe' --scale=$k locate '$work/start.png' 1" ||
    fail "background 1 at scale 2 not shown before the first game"
read -r x0 y0 < <("$probe" --scale=$k locate "$work/start.png" 1)
note "client area at device ($x0, $y0)"

menu f n l
shot_until deal 10 sevens "$x0" "$y0" 472 150 || fail "the sevens are not dealt in their scale-2 pictures"
note "deal shows the sevens drawn at scale 2"

"$solver" 3 "$seed" 1024 $((768 - y0 / k)) >"$work/moves.txt" || fail "the solver could not finish the deal"
xdotool windowfocus --sync "$main"
peeked=0
while read -r what a b c d; do
    case "$what" in
    raise)
        xdotool mousemove --sync "$(dx "$a")" "$(dy "$b")"
        xdotool keydown shift click 1 keyup shift ;;
    drag)
        xdotool mousemove --sync "$(dx "$a")" "$(dy "$b")"
        if [ $peeked = 0 ]; then
            # A peek at the card the first carry picks up: the press raises
            # its group just as the carry's press would.
            before="$work/before-peek.png"; import -window root "$before"
            xdotool mousedown 3
            crop="64x102+$(( $(dx "$a") - 40 ))+$(( $(dy "$b") - 40 ))"
            turned() {
                import -window root "$work/peek.png" &&
                    [ "$(compare -metric AE "$work/peek.png[$crop]" "$before[$crop]" null: 2>&1)" -gt 500 ]
            }
            poll 10 turned || fail "a peek turned no card"
            xdotool mouseup 3
            peeked=1
            note "a peek turned the card"
        fi
        xdotool mousedown 1
        xdotool mousemove --sync "$(dx $(( (a + c) / 2 )))" "$(dy $(( (b + d) / 2 )))"
        xdotool mousemove --sync "$(dx "$c")" "$(dy "$d")"
        xdotool mouseup 1 ;;
    esac
done < <(grep -E '^(raise|drag) ' "$work/moves.txt")
poll 20 has_named_window "SCORE" || { shot stuck; fail "no score summary: the carries did not join every card"; }
shot won
note "carries and joins finished the game at scale 2"

kill -TERM "$pid"
poll 20 stopped || fail "SIGTERM did not end the program"
wait "$pid" || fail "exit status $?"
pid=""
grep -q $'^kanpa=1\r$' "$ini" || fail "settings not written"
note "PASS"

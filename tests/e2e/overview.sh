#!/usr/bin/env bash
# The overview in the real game (four-colour faces): the key and Escape, then
# the menu entry and a click, after which the sevens show where the rule says.
#   overview.sh FUSEFUDA_EXECUTABLE PROBE_EXECUTABLE ja_1|en_2 (language, scale)
set -euo pipefail

source "$(dirname "$0")/steps.sh"
scale=${3#*_}
if [ "$scale" = 2 ]; then screen=2560x1600x24; else screen=1280x1024x24; fi
under_xvfb "$screen" "$0" "$@"
sandbox "$(realpath "$1")" "$2"
if [ "$scale" = 2 ]; then export QT_SCALE_FACTOR=2; fi
# The locale, then the access keys of Options (機能) and Advanced (上級).
if [ "${3%_*}" = en ]; then set -- en_US o a; else set -- ja_JP k t; fi
settings $'bgmF=0\r\nSoundF=0\r\nFourColourF=1\r\n'
four_colour=1

start_game env -u LC_ALL LANG="$1.UTF-8"
find_board start 1 || fail "background 1 not shown before the first game"
menu f n "$3"
sevens_at() { shot_until "$1" 10 sevens "$x0" "$y0" "$2" "$3"; }
sevens_at deal 472 150 || fail "the advanced deal shows no sevens"
# Beside the board's picture the overview is black.
overview_shown() { shot ov && convert "$work/ov.png[1x1+$(dx 4)+$(dy 300)]" txt:- | grep -q '#000000'; }
xdotool windowfocus --sync "$main"
xdotool key m
poll 10 overview_shown || fail "the key showed no overview"
xdotool key Escape
sevens_at back 472 150 || fail "Escape did not return to the board where it was"

# A click where the rule puts the view at (400, 400): the reachable board (the
# view's limits plus the window) fitted into the window, centred.
w=1024 h=$((768 - y0 / scale))
bw=$((986 + w < 3000 ? 986 + w : 3000)) bh=$((840 + h < 1600 ? 840 + h : 1600))
if ((bw * h <= w * bh)); then fw=$((bw * h / bh)) fh=$h; else fw=$w fh=$((bh * w / bw)); fi
left=$(((w - fw) / 2)) top=$(((h - fh) / 2))
cx=$((left + (400 + w / 2) * fw / bw)) cy=$((top + (400 + h / 2) * fh / bh))
vx=$(((cx - left) * bw / fw - w / 2)) vy=$(((cy - top) * bh / fh - h / 2))
menu "$2" o
poll 10 overview_shown || fail "the menu entry showed no overview"
xdotool mousemove --sync "$(dx "$cx")" "$(dy "$cy")" click 1
sevens_at moved $((953 - vx)) $((577 - vy)) || fail "the click did not put the view at ($vx, $vy)"

kill -TERM "$pid"
await_exit 20 SIGTERM
grep -q $'^FourColourF=1\r$' "$ini" || fail "the four-colour option was not kept"
note "PASS: the view went to ($vx, $vy)"

#!/usr/bin/env bash
# A join carried at the fit zoom leaves the board as the same carry at 100 %:
# a fixed deal zoomed out with Ctrl + the wheel, the solver's first join made
# there with the mouse, Ctrl+0 and File, Exit; then the same deal again, the
# same join at 100 % and Exit. The two kept games must be the same bytes, and
# the settings keep 100 %.
#   zoom.sh FUSEFUDA_EXECUTABLE PROBE_EXECUTABLE DEAL_SOLVER
# E2E_ARTIFACTS=folder keeps the screenshots.
set -euo pipefail

source "$(dirname "$0")/steps.sh"
under_xvfb 1280x1024x24 "$0" "$@"
sandbox "$(realpath "$1")" "$2" "$3"
seed=1700000000
side="${kept%.pvq}.txt"

# deal NAME: the beginner deal of the fixed clock in a room with no kept game.
deal() {
    rm -rf "$(dirname "$kept")"
    settings $'SoundF=0\r\nbgmF=0\r\n'
    start_game_at "$seed"
    find_board "$1-start" 1 || fail "the board is not shown"
    menu f n l
    shot_until "$1-deal" 10 sevens "$x0" "$y0" 472 150 || fail "the fixed-clock deal is not shown"
    poll 10 test -f "$kept" || fail "no game kept after the deal"
    dealt=$(kept_score)
}
# The kept game's score (a digit pair at byte 16): the carry's first touch
# costs 50 points.
kept_score() { od -An -tu1 -j16 -N2 "$kept" | awk '{ print $1 + 256 * $2 }'; }
carried() { [ "$(kept_score)" = $((dealt - 50)) ] && grep -q "^zoom=$1"$'\r$' "$side"; }
# leave NAME: File, Exit; the kept game set aside as NAME.pvq.
leave() {
    menu f x
    await_exit 20 "File, Exit after the $1 carry"
    cp "$kept" "$work/$1.pvq" || fail "no game kept after the $1 carry"
}

deal zoomed
"$solver" 3 "$seed" 1024 $((768 - y0)) >"$work/solved.txt" || fail "the solver could not finish the deal"
sed '/^drag /q' "$work/solved.txt" >"$work/moves.txt"
# Each point of the moves as a window point at fit (columns 1, 2) and as the
# client point at 100 % of the board point that names (3, 4).
# shellcheck disable=SC2046
"$probe" atfit 1024 $((768 - y0)) $(cut -d' ' -f2- "$work/moves.txt") >"$work/fit.txt" ||
    fail "no window points at fit for the moves"
fit=$(head -1 "$work/fit.txt")
moves_at() {
    awk -v c="$1" 'NR == FNR { if (FNR > 1) { x[FNR - 1] = $c; y[FNR - 1] = $(c + 1) } next }
        { line = $1; for (i = 2; i < NF; i += 2) { n++; line = line " " x[n] " " y[n] } print line }' \
        "$work/fit.txt" "$work/moves.txt"
}
moves_at 1 >"$work/at-fit.txt"
moves_at 3 >"$work/at-100.txt"

# Down to fit and past it: the zoom stops there.
xdotool windowfocus --sync "$main" mousemove --sync "$(dx 500)" "$(dy 300)"
xdotool keydown ctrl click --repeat 16 --delay 20 5 keyup ctrl
play_moves "$work/at-fit.txt"
poll 10 carried "$fit" || { shot fit-stuck; fail "no carry kept at $fit %: $(grep -a zoom= "$side")"; }
shot fit-carried
note "the join carried at the fit zoom, $fit %"
xdotool key ctrl+0
leave zoomed
zoom=$(grep -a '^zoom=' "$ini" | tr -d '\r')
[ -z "$zoom" ] || [ "$zoom" = zoom=100 ] || fail "Ctrl+0 left the settings at $zoom"

deal plain
play_moves "$work/at-100.txt"
poll 10 carried 100 || fail "no carry kept at 100 %"
leave plain
cmp "$work/zoomed.pvq" "$work/plain.pvq" || fail "the carry at fit left another board than at 100 %"
note "PASS: the join at $fit % leaves the board of the join at 100 %"

#!/usr/bin/env bash
# The real game as a native Wayland client of a headless weston: it starts,
# deals an advanced game (see-through background, which uses the window's
# alpha there) and leaves through Exit, writing its settings, without a
# single warning. A headless compositor takes no input from outside, so the deal is
# asked for through FUSEFUDA_COMMANDS.
#   wayland.sh FUSEFUDA_EXECUTABLE
set -euo pipefail

source "$(dirname "$0")/sandbox.sh"
source "$(dirname "$0")/xdrive.sh"
sandbox "$(realpath "$1")"
weston_pid=""
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
    sandbox_cleanup
}
trap cleanup EXIT
unset DISPLAY
fail() { echo "wayland: FAIL: $*" >&2; [ -f "$work/out.log" ] && cat "$work/out.log" >&2; exit 1; }
note() { echo "wayland: $*"; }
printf '[Kov_Section]\r\nkanpa=1\r\nbgmF=0\r\nSoundF=0\r\nbackP=4\r\n' > "$ini"

command -v weston >/dev/null || fail "weston is not installed"
weston --backend=headless-backend.so --socket=fusefuda-e2e --idle-time=0 \
    >"$work/weston.log" 2>&1 &
weston_pid=$!
poll 20 test -S "$work/run/fusefuda-e2e" || { cat "$work/weston.log" >&2; fail "weston did not start"; }
export WAYLAND_DISPLAY=fusefuda-e2e

# Qt picks its Wayland platform from WAYLAND_DISPLAY alone, as on a desktop.
# An advanced deal, then Exit from the menu, which writes the settings.
FUSEFUDA_COMMANDS="40012 40001" "$work/bin/fusefuda" >"$work/out.log" 2>&1 &
pid=$!
native() { grep -q libqwayland "/proc/$pid/maps"; }
poll 20 native || fail "the game is not a Wayland client"
poll 30 stopped || fail "the game did not deal and leave"
wait "$pid" || fail "exit status $?"
pid=""
grep -q $'^kanpa=1\r$' "$ini" || fail "settings not written"
grep -q $'^backP=4\r$' "$ini" || fail "the see-through background was not kept"
[ "$(wc -l < "$ini")" = 19 ] || fail "settings file has $(wc -l < "$ini") lines"
if [ -s "$work/out.log" ]; then fail "the game printed on Wayland"; fi
note "PASS"

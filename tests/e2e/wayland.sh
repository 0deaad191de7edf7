#!/usr/bin/env bash
# The real game as a native Wayland client of a headless weston: it starts,
# deals an advanced game (see-through background, which uses the window's
# alpha there) and leaves through Exit, writing its settings, without a
# single warning. A headless compositor takes no input from outside, so the deal is
# asked for through FUSEFUDA_COMMANDS.
#   wayland.sh FUSEFUDA_EXECUTABLE
set -euo pipefail

source "$(dirname "$0")/steps.sh"
sandbox "$(realpath "$1")"
settings $'bgmF=0\r\nSoundF=0\r\nbackP=4\r\n'
under_weston

# Qt picks its Wayland platform from WAYLAND_DISPLAY alone, as on a desktop.
# An advanced deal, then Exit from the menu, which writes the settings. The
# whole run can take less than a tenth of a second, too short to catch the
# process in the act: libwayland's own log of the requests, kept apart from
# what the game prints, shows that it spoke Wayland.
WAYLAND_DEBUG=client FUSEFUDA_COMMANDS="40012 40001" "$work/bin/fusefuda" \
    >"$work/out.log" 2>"$work/wayland.log" &
pid=$!
await_exit 30 "an advanced deal and Exit"
grep -q $'^kanpa=1\r$' "$ini" || fail "settings not written"
grep -q $'^backP=4\r$' "$ini" || fail "the see-through background was not kept"
[ "$(classic_lines)" = 20 ] || fail "settings file has $(classic_lines) lines in its first section"
grep -q 'xdg_toplevel@[0-9]*\.set_title("伏せ札ジグソー")' "$work/wayland.log" ||
    fail "the game opened no window of its own on Wayland"
# Everything else the game wrote is a fault: the lines libwayland logs start
# with a time in brackets.
grep -v '^\[ *[0-9]*\.[0-9]*\] ' "$work/wayland.log" >>"$work/out.log" || true
if [ -s "$work/out.log" ]; then fail "the game printed on Wayland"; fi
note "PASS"

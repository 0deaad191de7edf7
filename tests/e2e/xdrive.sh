# Driving the running game with xdotool, shared by the end-to-end test, the
# package check and the measurement. Source it; it needs `fail MESSAGE`, and
# reads the game's process in $pid and its main window in $main.

# poll SECONDS COMMAND...: runs COMMAND until it succeeds, at most SECONDS.
poll() {
    local limit=$(( $1 * 20 )) i; shift
    for ((i = 0; i < limit; i++)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.05
    done
    return 1
}

visible_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | sort; }
window_count() { visible_windows | wc -l; }
count_at_most() { [ "$(window_count)" -le "$1" ]; }
count_above() { [ "$(window_count)" -gt "$1" ]; }
named_window() { xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -1; }
has_named_window() { [ -n "$(named_window "$1")" ]; }
lacks_named_window() { ! has_named_window "$1"; }
running() { kill -0 "$pid" 2>/dev/null; }
stopped() { ! running; }
# await_exit SECONDS WHAT: the game ends within SECONDS of WHAT (File, Exit,
# say), with status 0.
await_exit() {
    local status=0
    poll "$1" stopped || fail "$2 did not end the game"
    wait "$pid" || status=$?
    pid=""
    [ "$status" = 0 ] || fail "exit status $status after $2"
}

# menu KEY...: opens the menu with Alt and the first key, walks it with the
# others, each step waiting for the popup it opens, and waits for the menu to
# close behind the last.
menu() {
    local base keys="$*" depth=1
    base=$(window_count)
    xdotool windowfocus --sync "$main"
    xdotool key "alt+$1"; shift
    poll 10 count_above "$base" || fail "menu $keys did not open"
    while [ $# -gt 1 ]; do
        xdotool key "$1"; shift
        depth=$((depth + 1))
        poll 10 count_above $((base + depth - 1)) || fail "submenu of $keys did not open"
    done
    xdotool key "$1"
    poll 10 count_at_most "$base" || fail "menu $keys did not close"
}

# enter_path PATH COMMAND...: types PATH into the file chooser in focus and
# presses Return until COMMAND holds, twice at most: a completion list that
# opened while the path was typed takes the first Return.
enter_path() {
    local path=$1; shift
    xdotool type --delay 2 "$path"
    xdotool key Return
    poll 10 "$@" && return 0
    xdotool key Return
    poll 10 "$@"
}

# The steps every end-to-end run and the measurement share: the display (a
# fresh Xvfb or a headless weston), the game's room, starting it and finding
# its window, screenshots read by the probe, and the solver's moves played
# back. Source it; it brings the xdotool helpers (xdrive.sh) with it. A run
# that sets scale (device pixels a pixel) has its screenshots read and its
# client points placed at that scale.

source "$(dirname "${BASH_SOURCE[0]}")/xdrive.sh"
scale=${scale:-1}

# How a run reports, under its script's name: note says how far it got, fail
# says what went wrong, with what the game printed, and ends the run.
note() { echo "$(basename "$0" .sh): $*"; }
fail() {
    echo "$(basename "$0" .sh): FAIL: $*" >&2
    if [ -n "${work:-}" ] && [ -s "$work/out.log" ]; then cat "$work/out.log" >&2; fi
    exit 1
}

# under_xvfb SCREEN SCRIPT ARGS...: runs the calling script again inside a
# fresh Xvfb with a screen of that size (WIDTHxHEIGHTxDEPTH); returns at once
# when the script is already inside one. An X server resets itself whenever
# its last client leaves and turns new clients away meanwhile: a game started
# just after another has quit would find no display, so it never resets here.
under_xvfb() {
    local screen=$1; shift
    [ -n "${E2E_INSIDE:-}" ] && return 0
    exec env E2E_INSIDE=1 xvfb-run -a -s "-screen 0 $screen -nolisten tcp -noreset" bash "$@"
}

# under_weston: a headless weston of the sandbox's own for the game to be a
# native Wayland client of, stopped with the sandbox. A headless compositor
# takes no input from outside: such a run drives the game by
# FUSEFUDA_COMMANDS.
under_weston() {
    unset DISPLAY
    command -v weston >/dev/null || fail "weston is not installed"
    weston --backend=headless-backend.so --socket=fusefuda-e2e --idle-time=0 \
        >"$work/weston.log" 2>&1 &
    weston_pid=$!
    poll 20 test -S "$work/run/fusefuda-e2e" || { cat "$work/weston.log" >&2; fail "weston did not start"; }
    export WAYLAND_DISPLAY=fusefuda-e2e
}

# sandbox EXECUTABLE [PROBE [DEAL_SOLVER]]: a copy of the program (and its
# music, when it lies beside it) in a folder of its own, $work/bin, and a home
# of its own, so that no settings of the developer are read or touched. Sets $work (removed on
# exit, after its screenshots are kept in $E2E_ARTIFACTS when that is set),
# $ini, the game's settings file, $kept, the game it keeps for the next
# start, and $pid, the game's process once started,
# which is killed on exit. No language is set: the Japanese interface,
# whatever the caller's desktop speaks; the real window system, whatever the
# calling shell asked Qt for. The probe and the solver, when given, are
# $probe and $solver.
sandbox() {
    work=$(mktemp -d)
    pid="" weston_pid=""
    if [ $# -ge 2 ]; then probe=$(realpath "$2"); fi
    if [ $# -ge 3 ]; then solver=$(realpath "$3"); fi
    trap sandbox_cleanup EXIT
    mkdir -p "$work/bin" "$work/home" "$work/run"
    chmod 700 "$work/run"
    cp "$1" "$work/bin/fusefuda"
    if [ -f "$(dirname "$1")/fusefuda.mid" ]; then cp "$(dirname "$1")/fusefuda.mid" "$work/bin/"; fi
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
    export SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
    unset LANGUAGE QT_QPA_PLATFORM WAYLAND_DISPLAY
    ini="$work/bin/fusefuda.ini"
    kept="$work/home/.local/share/fusefuda/resume.pvq"
}

# The lines of the settings file's first section, the classic keys.
classic_lines() { awk 'NR > 1 && /^\[/ { exit } { n++ } END { print n }' "$ini"; }

sandbox_cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
    if [ -n "$weston_pid" ]; then kill "$weston_pid" 2>/dev/null || true; fi
    if [ -n "${E2E_ARTIFACTS:-}" ]; then
        mkdir -p "$E2E_ARTIFACTS"
        cp "$work"/*.png "$E2E_ARTIFACTS"/ 2>/dev/null || true
    fi
    rm -rf "$work"
}

# settings LINES: the game's settings file for the next start, with the
# About box taken as seen.
settings() { printf '[Kov_Section]\r\nkanpa=1\r\n%s' "$1" >"$ini"; }

# start_game [COMMAND-PREFIX...]: starts the sandboxed game (behind env, say)
# and waits for its main window; sets $pid and $main. A freshly started X
# server now and then turns its first clients away: Qt then gives up before
# any window, saying it could not connect. Only that is tried again, up to
# three times; any other end without a window fails with what the game wrote.
start_game() {
    local attempt
    for ((attempt = 1; ; attempt++)); do
        "$@" "$work/bin/fusefuda" >"$work/out.log" 2>&1 &
        pid=$!
        poll 20 game_window_or_gone
        has_named_window "伏せ札ジグソー" && break
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        pid=""
        if [ "$attempt" -ge 3 ] || ! grep -q "could not connect to display" "$work/out.log"; then
            fail "no main window"
        fi
    done
    main=$(named_window "伏せ札ジグソー")
}
game_window_or_gone() { has_named_window "伏せ札ジグソー" || ! kill -0 "$pid" 2>/dev/null; }

# start_game_at SEED [NAME=VALUE...]: start_game with the game's clock at SEED
# seconds, whose deal the solver knows, and those variables set.
start_game_at() {
    local seed=$1; shift
    start_game env TZ=UTC FAKETIME="$(date -u -d "@$seed" '+%Y-%m-%d %H:%M:%S')" \
        FAKETIME_DONT_FAKE_MONOTONIC=1 LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 "$@"
}

shot() { import -window root "$work/$1.png"; }
# shot_until NAME SECONDS PROBE-CHECK ARGS...: screenshots until the probe agrees
# (on faces of four suit colours when four_colour is set).
shot_until() {
    local name=$1 seconds=$2 what=$3 i; shift 3
    local limit=$(( seconds * 4 ))
    for ((i = 0; i < limit; i++)); do
        shot "$name"
        if "$probe" --scale="$scale" ${four_colour:+--four-colour} "$what" "$work/$name.png" "$@" \
            2>"$work/probe.err"; then return 0; fi
        sleep 0.25
    done
    cat "$work/probe.err" >&2
    return 1
}
# find_board NAME BACKGROUND: waits for a screenshot (NAME.png) that shows the
# client area over that background and sets x0, y0 to its corner in device
# pixels.
find_board() {
    poll 10 shows_board "$1" "$2" || return 1
    read -r x0 y0 < <("$probe" --scale="$scale" locate "$work/$1.png" "$2")
}
shows_board() { shot "$1" && "$probe" --scale="$scale" locate "$work/$1.png" "$2"; }

# The device point of a client point.
dx() { echo $(( x0 + $1 * scale )); }
dy() { echo $(( y0 + $1 * scale )); }

# drag X1 Y1 X2 Y2: a carry with the left button between two client points,
# by way of the middle.
drag() {
    xdotool mousemove --sync "$(dx "$1")" "$(dy "$2")"
    xdotool mousedown 1
    xdotool mousemove --sync "$(dx $(( ($1 + $3) / 2 )))" "$(dy $(( ($2 + $4) / 2 )))"
    xdotool mousemove --sync "$(dx "$3")" "$(dy "$4")"
    xdotool mouseup 1
}

# play_moves MOVES [BEFORE-FIRST-DRAG]: plays the raises and drags that the
# deal solver wrote to the file MOVES on the main window. The command given
# runs once, with the device point where the first drag will press.
play_moves() {
    local first=${2:-} what a b c d
    xdotool windowfocus --sync "$main"
    while read -r what a b c d; do
        case "$what" in
        raise)
            xdotool mousemove --sync "$(dx "$a")" "$(dy "$b")"
            xdotool keydown shift click 1 keyup shift ;;
        drag)
            if [ -n "$first" ]; then "$first" "$(dx "$a")" "$(dy "$b")"; first=""; fi
            drag "$a" "$b" "$c" "$d" ;;
        esac
    done < <(grep -E '^(raise|drag) ' "$1")
}

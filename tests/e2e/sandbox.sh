# The room every end-to-end run and the measurement give the game: source it.

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

# sandbox EXECUTABLE: a copy of the program (and its music, when it lies
# beside it) in a folder of its own, $work/bin, and a home of its own, so that
# no settings of the developer are read or touched. Sets $work (removed on
# exit, after its screenshots are kept in $E2E_ARTIFACTS when that is set),
# $ini, the game's settings file, and $pid, the game's process once started,
# which is killed on exit. No language is set: the Japanese interface,
# whatever the caller's desktop speaks; the real window system, whatever the
# calling shell asked Qt for.
sandbox() {
    work=$(mktemp -d)
    pid=""
    trap sandbox_cleanup EXIT
    mkdir -p "$work/bin" "$work/home" "$work/run"
    chmod 700 "$work/run"
    cp "$1" "$work/bin/fusefuda"
    if [ -f "$(dirname "$1")/fusefuda.mid" ]; then cp "$(dirname "$1")/fusefuda.mid" "$work/bin/"; fi
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
    export SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
    unset LANGUAGE QT_QPA_PLATFORM WAYLAND_DISPLAY
    ini="$work/bin/fusefuda.ini"
}

sandbox_cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
    if [ -n "${E2E_ARTIFACTS:-}" ]; then
        mkdir -p "$E2E_ARTIFACTS"
        cp "$work"/*.png "$E2E_ARTIFACTS"/ 2>/dev/null || true
    fi
    rm -rf "$work"
}

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

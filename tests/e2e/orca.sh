#!/usr/bin/env bash
# What a real screen reader says: Debian's Orca runs beside the game on the
# game's own session bus, speaking through speech-dispatcher's dummy voice,
# and its debug log's "SPEECH OUTPUT" lines are read back after each key: the
# board on entering it, a join's new group size, the sevens, an arrow's new
# card, a peek's face and the back after it, in Japanese and in English.
#   orca.sh FUSEFUDA_EXECUTABLE PROBE_EXECUTABLE DEAL_SOLVER
set -euo pipefail

source "$(dirname "$0")/steps.sh"
under_xvfb 1280x1024x24 "$0" "$@"
[ -n "${E2E_BUS:-}" ] || exec env E2E_BUS=1 dbus-run-session -- bash "$0" "$@"
sandbox "$(realpath "$1")" "$2" "$3"
reader="$(dirname "$(realpath "$0")")/focused.py"
command -v orca >/dev/null || fail "orca is not installed"
# Orca's own Python, the one its modules are installed for.
python=$(sed -n '1s/^#!//p' "$(command -v orca)")
seed=1700000000 orca_pid=""

# Speech goes to the dummy module, whose sound goes to libao's null driver.
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
printf '%s\n' 'AddModule "dummy" "sd_dummy" ""' 'DefaultModule dummy' \
    'AudioOutputMethod "libao"' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
echo default_driver=null >"$HOME/.libao"

# Orca opens its debug log block-buffered; written line by line, what it
# said can be read while it runs. Nothing else of Orca is changed.
launcher='import builtins, runpy, sys
plain = builtins.open
def line_buffered(file, mode="r", *rest, **named):
    if mode == "w" and not rest:
        named.setdefault("buffering", 1)
    return plain(file, mode, *rest, **named)
builtins.open = line_buffered
sys.argv.pop(0)
runpy.run_path(sys.argv[0], run_name="__main__")'

stop_orca() {
    if [ -n "$orca_pid" ]; then
        kill -TERM "$orca_pid" 2>/dev/null || true
        poll 10 orca_gone || kill -KILL "$orca_pid" 2>/dev/null || true
        wait "$orca_pid" 2>/dev/null || true
        orca_pid=""
    fi
    local speechd="$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid"
    if [ -s "$speechd" ]; then kill -TERM "$(cat "$speechd")" 2>/dev/null || true; fi
}
orca_gone() { ! kill -0 "$orca_pid" 2>/dev/null; }
trap 'stop_orca; sandbox_cleanup' EXIT

# The utterances logged after line $1 of the log, one a line, without the
# full stop Orca adds.
utterances() {
    tail -n +"$1" "$log" | sed -n "s/^.* - SPEECH OUTPUT: '\(.*\)'[{ ].*$/\1/p" | sed 's/\.$//'
}
says() { utterances "$1" | grep -qxE "$2"; }
mark() { echo $(($(wc -l <"$log") + 1)); }
# hear KEYS PATTERN: after xdotool key KEYS (or keydown/keyup p), Orca says
# an utterance that matches PATTERN, within 10 s.
hear() {
    local from; from=$(mark)
    case "$1" in
    down | up) xdotool "key$1" p ;;
    *) # shellcheck disable=SC2086
       xdotool key --delay 4 $1 ;;
    esac
    poll 10 says "$from" "$2" || fail "after $1, Orca said '$(utterances "$from" | tr '\n' '|')', not '$2'"
}

# speak LANG ENTRY STANDING JOINED SEVENS BACK FACE ONCE: the board as Orca
# says it on entering it (its name, then its description), after the join,
# the key 7, an arrow to the right, P held and P released.
speak() {
    local lang=$1
    log="$work/orca-$lang.log"
    : >"$log"
    # Key echo off, so that only what the game says is heard; no braille
    # display. Orca will not start while another of this user's runs.
    LANG=$lang LC_ALL='' "$python" -c "$launcher" "$(command -v orca)" --disable key-echo,braille \
        --debug-file "$log" >"$work/orca.out" 2>&1 &
    orca_pid=$!
    poll 20 says 1 ".+" || { cat "$work/orca.out" >&2; fail "Orca did not start in $lang"; }

    settings $'SoundF=0\r\nbgmF=0\r\n'
    start_game_at "$seed" LC_ALL= LANG="$lang" FUSEFUDA_COMMANDS=40010
    find_board "orca-$lang" 1 || fail "no board in $lang"
    shot_until "orca-deal-$lang" 10 sevens "$x0" "$y0" 472 150 || fail "no deal in $lang"
    xdotool windowfocus --sync "$main"
    poll 10 says 1 "$2" || fail "entering the board, Orca said '$(utterances 1 | tr '\n' '|')'"
    poll 10 says 1 "$3" || fail "Orca did not say the standing '$3'"

    # The solver's second move joins a card to the sevens: carried with the
    # arrows to its place, then J.
    "$solver" 3 "$seed" 1024 $((768 - y0)) keys >"$work/keys.txt" || fail "the solver found no keys"
    local first second
    first=$(sed -n '1s/^keys //p' "$work/keys.txt")
    second=$(sed -n '2s/^keys //p' "$work/keys.txt")
    [ "$first" = r ] && [ "${second##* }" = j ] || fail "the deal's first moves changed: $first / $second"
    xdotool key r
    hear "$second" "$4"
    hear 7 "$5"
    hear Right "$6"
    hear down "$7"
    hear up "$8"
    # What Orca said is what the board's object holds.
    [ "$("$reader" | sed -n 1p)" = "$8" ] || fail "the board's name is '$("$reader" | sed -n 1p)'"
    # The window's title and the standing once, on entering, not after
    # every card.
    local heard; heard=$(utterances 1)
    [ "$(grep -c "伏せ札ジグソー" <<<"$heard")" = 1 ] && [ "$(grep -cx "$3" <<<"$heard")" = 1 ] ||
        fail "Orca said too much: $(tr '\n' '|' <<<"$heard")"
    note "$lang: $(tr '\n' '|' <<<"$heard")"

    kill -TERM "$pid"
    await_exit 20 "SIGTERM"
    stop_orca
}

speak ja_JP.UTF-8 "スペードの7、4枚のグループ" "初級、得点 1600" ".+、5枚のグループ" \
    "スペードの7、5枚のグループ" "伏せたカード、未タッチ" "(スペード|クラブ|ハート|ダイヤ)の[0-9]+" \
    "伏せたカード、1回タッチ"
speak en_US.UTF-8 "seven of spades, in a group of 4" "beginner, score 1600" ".+, in a group of 5" \
    "seven of spades, in a group of 5" "face-down card, not touched" \
    "(five|six|eight|nine) of (spades|clubs|hearts|diamonds)" "face-down card, touched once"
note "PASS"

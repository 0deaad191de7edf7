#!/usr/bin/env bash
# Running cost of the real program under Xvfb, held against a floor: a bare
# Qt window of the game's size that follows the mouse and draws nothing
# (fusefuda_floor, built beside the probe). Both are started and driven the
# same way, turn about, and each figure is printed for both with their ratio,
# medians over several runs. Processor time and resident size come from
# /proc, a start is timed to the map of its window (fusefuda_mapwatch, also
# beside the probe), windows are found by xdotool. Not a test: it prints
# figures. Carries are at most 5 unless MEASURE_CARRY_RUNS says otherwise.
#   [MEASURE_RUNS=7] [MEASURE_CARRY_RUNS=5] [MEASURE_PARTS="launch memory carry idle won"] \
#       [MEASURE_SETTINGS=$'bgmF=0\r\n'] [MEASURE_SCALE=2] [MEASURE_ZOOM=50] [MEASURE_ZOOM_BESIDE=150] \
#       measure.sh FUSEFUDA_EXECUTABLE PROBE_EXECUTABLE
# The music file beside the executable is copied with it, as installed.
# MEASURE_SCALE runs both at QT_SCALE_FACTOR=N on a 2560 x 1600 screen (a
# 3840 x 2400 one at 3); MEASURE_ZOOM=N starts the game at N % (kept in its
# settings); MEASURE_SHOT=folder keeps screenshots of the
# advanced deal and of each carry's end there.
set -euo pipefail

source "$(dirname "$0")/steps.sh"
scale=${MEASURE_SCALE:-1}
screen=1280x1024x24
[ "$scale" = 2 ] && screen=2560x1600x24
[ "$scale" = 3 ] && screen=3840x2400x24
under_xvfb "$screen" "$0" "$@"
[ "$scale" = 1 ] || export QT_SCALE_FACTOR=$scale

probe=$(realpath "$2")
floor="$(dirname "$probe")/fusefuda_floor"
mapwatch="$(dirname "$probe")/fusefuda_mapwatch"
for tool in "$floor" "$mapwatch"; do
    [ -x "$tool" ] || { echo "measure: no $tool; build ${tool##*/}" >&2; exit 1; }
done
runs=${MEASURE_RUNS:-7}
sandbox "$(realpath "$1")"
hz=$(getconf CLK_TCK)
# Each launch starts afresh, as it did before games were kept between runs.
zoom=${MEASURE_ZOOM:-100}
# The game's own section: no game resumed, started at zoom Z.
fresh_at() { printf '[Fusefuda]\r\nresume=0\r\nzoom=%s\r\n' "$1"; }
no_resume="$(fresh_at "$zoom")"$'\n'

settings "${MEASURE_SETTINGS:-}$no_resume"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
# cpu_us: processor time of all the process's threads so far in microseconds,
# from the scheduler's clock (a tick of stat is 10 ms, 5 % of the floor's
# carry). Threads that end meanwhile drop out; none do while a carry runs.
cpu_us() { cat /proc/"$pid"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d\n", ns / 1000 }'; }
rss_mb() { awk '/VmRSS/ {printf "%.1f\n", $2 / 1024}' "/proc/$pid/status"; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
fail() { echo "measure: $*" >&2; exit 1; }
median() { sort -n | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

# launch game|floor: starts one of the two and waits for its window to be
# mapped, which fusefuda_mapwatch reports as it happens: the time from the
# start to the map, with nothing polling the display meanwhile. A launch that
# dies without a window is tried again, up to three times.
launch() {
    local t0 line mapped window watcher watch attempt program=$work/bin/fusefuda title="伏せ札ジグソー"
    [ "$1" = floor ] && program=$floor title=floor
    for ((attempt = 1; ; attempt++)); do
        # Bash forgets a coprocess's pid and pipe once it has ended: both are
        # kept at once.
        coproc WATCH { exec "$mapwatch" "$title"; }
        watcher=$WATCH_PID
        exec {watch}<&"${WATCH[0]}"
        read -r line <&"$watch" && [ "$line" = ready ] || fail "the map watcher did not start"
        mapped=""
        t0=${EPOCHREALTIME/./}
        "$program" >/dev/null 2>"$work/launch.err" &
        pid=$!
        until read -t 1 -r mapped window <&"$watch"; do
            mapped=""
            kill -0 "$pid" 2>/dev/null || break
        done
        exec {watch}<&-
        [ -n "$mapped" ] && break
        kill "$watcher" 2>/dev/null || true
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        pid=""
        [ $attempt -lt 3 ] || { echo "no window:" >&2; cat "$work/launch.err" >&2; exit 1; }
    done
    wait "$watcher" 2>/dev/null || true
    launch_ms=$(awk -v a="$mapped" -v b="$t0" 'BEGIN { printf "%.1f", (a - b) / 1000 }')
    main=$window
}

# thread_ns: "id name nanoseconds" for each thread, from the scheduler's own
# clock; a tick of stat is 10 ms, a tenth of a percent of a core over 10 s.
thread_ns() {
    local t
    for t in /proc/"$pid"/task/*; do
        echo "${t##*/} $(tr -s ' ' _ < "$t/comm") $(cut -d' ' -f1 "$t/schedstat")"
    done 2>/dev/null
}

# cpu_over SECONDS: processor time used meanwhile, in milliseconds; by_thread
# then tells it apart by thread.
cpu_over() {
    local a b; a=$(cpu_ticks); thread_ns > "$work/threads.0"
    sleep "$1"
    b=$(cpu_ticks); thread_ns > "$work/threads.1"
    echo $(( (b - a) * 1000 / hz ))
}

# by_thread SECONDS: each thread's share of the last cpu_over or carry in
# microseconds, and their sum as a share of a core.
by_thread() {
    awk -v s="$1" 'NR == FNR { was[$1] = $3; next }
        { us = int(($3 - was[$1]) / 1000); all += us; list = list sep $2 " " us; sep = ", " }
        END { printf "by thread (us): %s; all %d us = %.3f %% of a core", list, all, all / (s * 1e4) }' \
        "$work/threads.0" "$work/threads.1"
}

# The chooser takes the menu's place, so the menu is walked by hand.
open_play_file() {
    xdotool windowfocus --sync "$main"; xdotool key alt+f
    poll 10 count_above 1 || fail "menu f did not open"
    xdotool key o
    poll 10 has_named_window "プレイファイルを開く" || fail "no file chooser"
    xdotool windowfocus --sync "$(named_window "プレイファイルを開く")"
    enter_path "$1" lacks_named_window "プレイファイルを開く" || fail "the file chooser did not close"
}

quit() { kill -TERM "$pid"; wait "$pid" || true; pid=""; }
wanted() { [[ " ${MEASURE_PARTS:-launch memory carry idle won} " == *" $1 "* ]]; }

# report WHAT UNIT FLOOR_FILE GAME_FILE: the medians of both and their ratio,
# and the median of each run's own ratio: the floor drifts with the machine's
# state from minute to minute, and each game run is held against the floor
# run beside it.
report() {
    local f g
    f=$(median < "$3"); g=$(median < "$4")
    echo "$1 (median of $(wc -l < "$4")): floor $f $2, game $g $2, ratio $(ratio "$g" "$f")" \
        "(run by run $(paired_ratio "$3" "$4"))"
}
# paired_ratio FILE_A FILE_B: the median of the runs' own ratios, B over A.
paired_ratio() {
    paste "$1" "$2" | awk '$1 > 0 { printf "%.4f\n", $2 / $1 }' | median | xargs printf "%.2f"
}

# --- start to visible window, turn about with the floor ----------------------
# Once with SDL's dummy driver and once with no driver named, so that SDL
# looks for a sound device (there is none under the measurement).
if wanted launch; then
for audio in dummy none; do
    : > "$work/launch.floor"; : > "$work/launch.game"
    for ((run = 0; run < runs; run++)); do
        for who in floor game; do
            if [ "$audio" = none ]; then
                (unset SDL_AUDIODRIVER; launch "$who"; quit; echo "$launch_ms" >> "$work/launch.$who")
            else
                launch "$who"; quit; echo "$launch_ms" >> "$work/launch.$who"
            fi
        done
    done
    report "start to visible window, audio driver $audio" ms "$work/launch.floor" "$work/launch.game"
done
fi

# --- resident size after an advanced deal ------------------------------------
# The floor as it stands once shown; the game once an advanced game is dealt,
# with the music off and then on, the music file beside it either way.
if wanted memory; then
memory_runs=$(( runs < 3 ? runs : 3 ))
for music in 0 1; do
    settings "${MEASURE_SETTINGS:-}"$'bgmF='"$music"$'\r\n'"$no_resume"
    : > "$work/rss.floor"; : > "$work/rss.game"
    for ((run = 0; run < memory_runs; run++)); do
        launch floor; sleep 1; rss_mb >> "$work/rss.floor"; quit
        launch game; menu f n t; sleep 1; rss_mb >> "$work/rss.game"; quit
    done
    report "resident after an advanced deal, music $( [ $music = 1 ] && echo on || echo off)" MB \
        "$work/rss.floor" "$work/rss.game"
done
settings "${MEASURE_SETTINGS:-}$no_resume"
fi

# --- carrying at about 190 moves a second ------------------------------------
# The game carries a 16-card group of one of two shapes: compact, two rows
# high, or wide, a whole row joined to the sevens' column (13 cards wide and 4
# high), as late in an advanced game; the floor gets the same presses and
# moves. carry_once floor|compact|wide: one carry of 1900 moves, its share of
# a core appended to carry.WHAT, or to carry.RECORD when a second name is given.
carry_once() {
    local x0 y0 gx gy share record=${2:-$1}
    launch "$( [ "$1" = floor ] && echo floor || echo game)"
    if [ "$1" != floor ]; then
        sleep 0.5
        read -r x0 y0 <<< "$origin"
        open_play_file "$work/$1.pvq"
    else
        eval "$(xdotool getwindowgeometry --shell "$main")"
        x0=$X y0=$Y
    fi
    sleep 1
    # The client point on the group's first card, 60 x 140 from the start view
    # at 100 %; zoomed, the view stays as far as its limits for a client area
    # of 1008 x 709 window pixels allow, and the point is as far from it as
    # the zoom shows it.
    read -r gx gy < <(awk -v z="$zoom" -v k="$scale" 'function ceil(v) { return v == int(v) ? v : int(v) + 1 }
        function limit(v, m) { return v < 0 ? 0 : v > m ? m : v }
        BEGIN { vx = limit(481, 986 + 1008 - ceil(1008 * 100 / z)); vy = limit(427, 840 + 709 - ceil(709 * 100 / z))
                printf "%d %d\n", (541 - vx) * z / 100 * k, (567 - vy) * z / 100 * k }')
    xdotool mousemove --sync $((x0 + gx)) $((gy + y0))
    xdotool mousedown 1
    local moves=() k dx a b t0 t1
    for ((k = 0; k < 1900; k++)); do
        dx=$(( ((k % 40) < 20 ? (k % 20) * 5 : (20 - k % 20) * 5) * scale ))
        moves+=(mousemove $((x0 + gx + dx)) $((gy + y0)) sleep 0.005)
    done
    thread_ns > "$work/threads.0"; a=$(cpu_us); t0=$(now_ms)
    xdotool "${moves[@]}"
    t1=$(now_ms); b=$(cpu_us); thread_ns > "$work/threads.1"
    [ -n "${MEASURE_SHOT:-}" ] && import -window root "$MEASURE_SHOT/carry-$1-scale$scale.png"
    xdotool mouseup 1
    share=$(awk -v u=$((b - a)) -v w=$((t1 - t0)) 'BEGIN {printf "%.3f", u / (10 * w)}')
    echo "$share" >> "$work/carry.$record"
    echo "$record carry: 1900 moves in $((t1 - t0)) ms, $share % of a core, resident $(rss_mb) MB," \
        "load $(cut -d' ' -f1 /proc/loadavg)" >> "$work/carry.log"
    echo "    $(by_thread "$(awk -v w=$((t1 - t0)) 'BEGIN { print w / 1000 }')")" >> "$work/carry.log"
    quit
}
if wanted carry; then
# The client area's origin, found on the background at 100 %: the window opens
# at the same place every time.
settings "${MEASURE_SETTINGS:-}$(fresh_at 100)"$'\n'
launch game; sleep 0.5
import -window root "$work/start.png"
origin=$("$probe" --scale="$scale" locate "$work/start.png" 1)
quit
settings "${MEASURE_SETTINGS:-}$no_resume"
"$probe" groupfile "$work/compact.pvq"
"$probe" groupfile "$work/wide.pvq" wide
carry_runs=${MEASURE_CARRY_RUNS:-$(( runs < 5 ? runs : 5 ))}
# MEASURE_ZOOM_BESIDE=N also carries the compact group at N % in every round,
# so that its ratio to the compact carry at MEASURE_ZOOM is taken run by run,
# clear of the machine's drift between two measurements.
beside=${MEASURE_ZOOM_BESIDE:-}
: > "$work/carry.floor"; : > "$work/carry.compact"; : > "$work/carry.wide"; : > "$work/carry.beside"
for ((run = 0; run < carry_runs; run++)); do
    carry_once floor; carry_once compact; carry_once wide
    if [ -n "$beside" ]; then
        settings "${MEASURE_SETTINGS:-}$(fresh_at "$beside")"$'\n'
        (zoom=$beside; carry_once compact beside)
        settings "${MEASURE_SETTINGS:-}$no_resume"
    fi
done
report "carrying a 16-card group two rows high at about 190 moves a second" "% of a core" \
    "$work/carry.floor" "$work/carry.compact"
report "carrying a wide 16-card group (13 x 4)" "% of a core" "$work/carry.floor" "$work/carry.wide"
if [ -n "$beside" ]; then
    report "carrying the 16-card group at $beside %" "% of a core" "$work/carry.floor" \
        "$work/carry.beside"
    echo "the group at $beside % against at $zoom %: ratio" \
        "$(ratio "$(median < "$work/carry.beside")" "$(median < "$work/carry.compact")")" \
        "(run by run $(paired_ratio "$work/carry.compact" "$work/carry.beside"))"
fi
sed 's/^/    /' "$work/carry.log"
fi

# --- idle, before a game and after an advanced deal --------------------------
if wanted idle; then
launch game
sleep 1
echo "idle 10 s before a game: $(cpu_over 10) ms of processor time, resident $(rss_mb) MB"
echo "    $(by_thread 10)"
menu f n t
sleep 1
echo "idle 10 s after an advanced deal: $(cpu_over 10) ms, resident $(rss_mb) MB"
echo "    $(by_thread 10)"
[ -n "${MEASURE_SHOT:-}" ] && import -window root "$MEASURE_SHOT/advanced-deal-scale$scale.png"
quit
fi

# --- a won board with its sparkles ------------------------------------------
if wanted won; then
"$probe" wonfile "$work/won.pvq"
launch game
open_play_file "$work/won.pvq"
sleep 1
used=$(cpu_over 10)
echo "won board with sparkles, 10 s: ${used} ms = $(awk -v u=$used 'BEGIN {printf "%.2f", u / 100}') % of a core"
import -window root "${MEASURE_SHOT:-/tmp}/fusefuda-won.png" 2>/dev/null || true
quit
fi

#!/usr/bin/env bash
# Running cost of the real program under Xvfb, measured the way players'
# other card games are: processor time and resident size from /proc, the
# window found by xdotool. Not a test: it prints figures.
#   [MEASURE_SETTINGS=$'bgmF=0\r\n'] [MEASURE_PARTS="launch carry won"] \
#       [MEASURE_SCALE=2] measure.sh FUSEFUDA_EXECUTABLE PROBE_EXECUTABLE
# MEASURE_SCALE runs the game at QT_SCALE_FACTOR=N on a 2560 x 1600 screen
# (a 3840 x 2400 one at 3); MEASURE_SHOT=folder keeps a screenshot of the
# advanced deal there.
set -euo pipefail

scale=${MEASURE_SCALE:-1}
if [ -z "${MEASURE_INSIDE:-}" ]; then
    screen=1280x1024x24
    [ "$scale" = 2 ] && screen=2560x1600x24
    [ "$scale" = 3 ] && screen=3840x2400x24
    exec env MEASURE_INSIDE=1 xvfb-run -a -s "-screen 0 $screen -nolisten tcp" \
        bash "$0" "$@"
fi
[ "$scale" = 1 ] || export QT_SCALE_FACTOR=$scale

exe=$(realpath "$1")
probe=$(realpath "$2")
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/home" "$work/run"
chmod 700 "$work/run"
cp "$exe" "$work/bin/fusefuda"
[ -f "$(dirname "$exe")/fusefuda.mid" ] && cp "$(dirname "$exe")/fusefuda.mid" "$work/bin/"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
export SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
unset LANGUAGE
# The real window system, whatever the calling shell asked Qt for.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
printf '[Kov_Section]\r\nkanpa=1\r\n%s' "${MEASURE_SETTINGS:-}" > "$work/bin/fusefuda.ini"
hz=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
rss_mb() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status"; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
fail() { echo "measure: $*" >&2; exit 1; }
source "$(dirname "$0")/xdrive.sh"

# A freshly started Xvfb now and then turns the first clients away; a launch
# that dies without a window is tried again, up to three times.
launch() {
    local t0 attempt
    for ((attempt = 1; ; attempt++)); do
        t0=$(now_ms)
        "$work/bin/fusefuda" >/dev/null 2>"$work/launch.err" &
        pid=$!
        for ((tries = 0; tries < 5000; tries++)); do
            has_named_window "伏せ札ジグソー" && break 2
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.005
        done
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        pid=""
        [ $attempt -lt 3 ] || { echo "no window:" >&2; cat "$work/launch.err" >&2; exit 1; }
    done
    launch_ms=$(( $(now_ms) - t0 ))
    main=$(named_window "伏せ札ジグソー")
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

# by_thread SECONDS: each thread's share of the last cpu_over in microseconds,
# and their sum as a share of a core.
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
    xdotool type --delay 2 "$1"; xdotool key Return
    poll 10 lacks_named_window "プレイファイルを開く" || fail "the file chooser did not close"
}

quit() { kill -TERM "$pid"; wait "$pid" || true; pid=""; }
wanted() { [[ " ${MEASURE_PARTS:-launch carry won} " == *" $1 "* ]]; }

# --- launch, idle before a game, idle after an advanced deal -----------------
if wanted launch; then
best=999999
for run in 1 2 3 4 5; do
    launch; [ "$launch_ms" -lt "$best" ] && best=$launch_ms
    [ $run -lt 5 ] && quit
done
echo "launch to visible window: best of 5 ${best} ms"
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

# --- carrying a 13-card group at about 190 moves a second --------------------
if wanted carry; then
"$probe" groupfile "$work/group.pvq"
launch
sleep 0.5
import -window root "$work/start.png"
read -r x0 y_off < <("$probe" --scale="$scale" locate "$work/start.png" 1)
open_play_file "$work/group.pvq"
sleep 1
gx=$((60 * scale)); gy=$((140 * scale))  # client point on the group's first card
xdotool mousemove --sync $((x0 + gx)) $((gy + y_off))
xdotool mousedown 1
moves=()
for ((k = 0; k < 1900; k++)); do
    dx=$(( ((k % 40) < 20 ? (k % 20) * 5 : (20 - k % 20) * 5) * scale ))
    moves+=(mousemove $((x0 + gx + dx)) $((gy + y_off)) sleep 0.005)
done
a=$(cpu_ticks); t0=$(now_ms)
xdotool "${moves[@]}"
t1=$(now_ms); b=$(cpu_ticks)
xdotool mouseup 1
wall=$((t1 - t0)); used=$(( (b - a) * 1000 / hz ))
echo "carrying a 13-card group: 1900 moves in ${wall} ms ($(( 1900 * 1000 / wall )) a second), ${used} ms of processor time = $(awk -v u=$used -v w=$wall 'BEGIN {printf "%.1f", 100 * u / w}') % of a core, resident $(rss_mb) MB"
quit
fi

# --- a won board with its sparkles ------------------------------------------
if wanted won; then
"$probe" wonfile "$work/won.pvq"
launch
open_play_file "$work/won.pvq"
sleep 1
used=$(cpu_over 10)
echo "won board with sparkles, 10 s: ${used} ms = $(awk -v u=$used 'BEGIN {printf "%.2f", u / 100}') % of a core"
import -window root "${MEASURE_SHOT:-/tmp}/fusefuda-won.png" 2>/dev/null || true
quit
fi

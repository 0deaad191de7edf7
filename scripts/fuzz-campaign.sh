#!/usr/bin/env bash
# A long fuzzing campaign: every target until it has run at least FUZZ_RUNS
# executions (default ten million), all four side by side at the lowest
# priority, so that they take only what the machine has to spare. Corpora grow
# in build-fuzz/campaign/<target> and are kept between campaigns; findings
# land beside them. libFuzzer's progress and figures go to
# build-fuzz/campaign/<target>.log, a line per target to summary.log.
#
# Settings files near and past the reader's 4 MB limit cost a hundred ordinary
# ones; besides its ten million runs the settings target gets FUZZ_LARGE_RUNS
# (default 5000), first, on the same corpus with those enabled
# (settings_fuzz-large.log).
#
# AddressSanitizer keeps 16 MB of freed memory from reuse instead of 256: the
# settings target frees a few kilobytes a run, and with the larger quarantine
# every run touched fresh pages (a fifth of its time in page faults). A use
# after free is still caught for thousands of runs' worth of allocations.
#
# libFuzzer's timeout counts wall time, so a campaign stopped for a while
# (SIGSTOP, a suspended machine) would report the unit it was on as hung: the
# limit is 15 minutes, against 20 seconds in CI. Every run here takes well
# under a second.
set -euo pipefail
# The whole script is one block, read before any of it runs: bash otherwise
# reads a script as it goes, and a campaign outlives edits to this file.
{
cd "$(dirname "$0")/.."

runs=${FUZZ_RUNS:-10000000}
large_runs=${FUZZ_LARGE_RUNS:-5000}
out=${FUZZ_OUT:-build-fuzz}
cmake --preset fuzz -B "$out" >/dev/null
cmake --build "$out" -j "$(nproc)" --target fusefuda_fuzz
bin=$out/fuzz
mkdir -p "$out/campaign"

targets=(
    "cp932_fuzz --names 4096"
    "settings_fuzz --settings 4096"
    "playfile_fuzz --playfile 150000"
    "load_fuzz --load 4096"
)
# target, seed mode, largest input, runs, name of the log (the target's own
# unless given)
run() {
    local target=$1 mode=$2 maxlen=$3 count=$4 name=${5:-$1}
    local corpus="$out/campaign/$target" log="$out/campaign/$name.log"
    mkdir -p "$corpus" "$corpus-seeds"
    "$bin/make_seeds" "$mode" "$corpus-seeds"
    echo "$(date -u +%FT%TZ) $name: $count runs" >>"$out/campaign/summary.log"
    local status=0
    ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=16 QT_QPA_PLATFORM=offscreen nice -n 19 \
        "$bin/$target" "$corpus" "$corpus-seeds" -runs="$count" -max_len="$maxlen" \
        -timeout=900 -rss_limit_mb=2048 -detect_leaks=0 -print_final_stats=1 \
        -artifact_prefix="$out/campaign/$name-" >"$log" 2>&1 || status=$?
    grep -E '^(Done [0-9]+ runs|stat::number_of_executed_units|stat::average_exec_per_sec|==[0-9]+==ERROR|SUMMARY)' \
        "$log" | sed "s/^/$(date -u +%FT%TZ) $name: /" >>"$out/campaign/summary.log" || true
    return "$status"
}
campaign() {
    local target=$1 mode=$2 maxlen=$3 status=0
    if [ "$target" = settings_fuzz ] && [ "$large_runs" -gt 0 ]; then
        SETTINGS_FUZZ_LARGE=1 run "$target" "$mode" "$maxlen" "$large_runs" settings_fuzz-large ||
            status=1
    fi
    run "$target" "$mode" "$maxlen" "$runs" || status=1
    return "$status"
}

# FUZZ_TARGETS="load_fuzz cp932_fuzz" runs only those.
pids=()
for entry in "${targets[@]}"; do
    read -r target mode maxlen <<<"$entry"
    case " ${FUZZ_TARGETS:-$target} " in *" $target "*) ;; *) continue ;; esac
    campaign "$target" "$mode" "$maxlen" &
    pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
cat "$out/campaign/summary.log"
exit "$status"
}

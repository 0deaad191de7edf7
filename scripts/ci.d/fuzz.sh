#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each for a bounded
# time from corpora generated here: the play-file reader, the whole load of a
# play file with play on the loaded board, the settings file, and the code
# page 932 conversions of names.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${FUZZ_SECONDS:-28}
out=build-fuzz
cmake --preset fuzz -B "$out" >/dev/null
cmake --build "$out" -j "$(nproc)" --target fusefuda_fuzz
bin=$out/fuzz

# target, seed mode, largest input, share of the seconds in percent, and an
# environment setting. Settings files near the 4 MB limit cost a hundred
# ordinary ones: they get a run of their own, a fifth of the settings' time,
# on the corpus the ordinary run grew.
targets=(
    "playfile_fuzz --playfile 150000 100"
    "load_fuzz --load 4096 100"
    "settings_fuzz --settings 4096 80"
    "settings_fuzz --settings 4096 20 SETTINGS_FUZZ_LARGE=1"
    "cp932_fuzz --names 4096 100"
)
status=0
for entry in "${targets[@]}"; do
    read -r target mode maxlen share setting <<<"$entry"
    name=$target${setting:+-large}
    if [ -z "$setting" ]; then
        rm -rf "$out/$target-seeds" "$out/$target-corpus"
        mkdir -p "$out/$target-seeds" "$out/$target-corpus"
        "$bin/make_seeds" "$mode" "$out/$target-seeds"
    fi
    # Findings land in $out; a crash fails the step.
    echo "-- $name"
    log="$out/$name.log"
    time=$((seconds * share / 100))
    [ "$time" -ge 1 ] || time=1  # 0 would be no limit at all
    env ${setting:+"$setting"} ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=16 QT_QPA_PLATFORM=offscreen \
        "$bin/$target" "$out/$target-corpus" "$out/$target-seeds" \
        -max_total_time="$time" -max_len="$maxlen" -timeout=10 \
        -rss_limit_mb=2048 -detect_leaks=0 -print_final_stats=1 \
        -artifact_prefix="$out/$name-" >"$log" 2>&1 || {
        status=$?
        tail -n 40 "$log" >&2
        echo "fuzz: $name failed (see $log)" >&2
    }
    grep -E '^(INFO: seed corpus|Done [0-9]+ runs|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)' "$log" || true
done
exit "$status"

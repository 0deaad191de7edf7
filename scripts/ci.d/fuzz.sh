#!/usr/bin/env bash
# Builds the play file fuzz target with clang's libFuzzer and runs it for a
# bounded time from a corpus of valid files generated here.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${FUZZ_SECONDS:-60}
out=build-fuzz
mkdir -p "$out"
flags=(-std=c++20 -g -O1 -Wall -Wextra -Werror -Isrc)
sanitize=(-fsanitize=address,undefined -fno-sanitize-recover=all)

clang++ "${flags[@]}" fuzz/seeds.cpp src/playfile/codec.cpp -o "$out/make_seeds"
clang++ "${flags[@]}" -fsanitize=fuzzer "${sanitize[@]}" \
    fuzz/playfile_fuzz.cpp src/playfile/codec.cpp -o "$out/playfile_fuzz"

rm -rf "$out/seeds" "$out/corpus"
mkdir -p "$out/seeds" "$out/corpus"
"$out/make_seeds" "$out/seeds"

# Findings land in $out; a crash fails the step.
status=0
"$out/playfile_fuzz" "$out/corpus" "$out/seeds" \
    -max_total_time="$seconds" -max_len=150000 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$out/" >"$out/fuzz.log" 2>&1 || status=$?
grep -E '^(INFO: seed corpus|Done [0-9]+ runs|stat::|==[0-9]+==ERROR|SUMMARY)' "$out/fuzz.log" || true
if [ "$status" -ne 0 ]; then
    tail -n 40 "$out/fuzz.log" >&2
    echo "fuzz: the play file reader failed (see $out/fuzz.log)" >&2
    exit "$status"
fi

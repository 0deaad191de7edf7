#!/usr/bin/env bash
# Random play against the game's invariants from a seed that changes with
# every run (the log gives it, and a failure the command that replays it):
# 200,000 gestures in the optimised build, then 20,000 more under
# AddressSanitizer and UndefinedBehaviorSanitizer in the suite's sanitizer
# build, half of them on surfaces of two device pixels a pixel, as on a
# high-density screen. Under the sanitizers a gesture costs about 2.3 ms of processor time,
# so 200,000 of them there would take some eight minutes of this step's
# budget; longer sanitized runs are for a developer's machine
# (RANDOMPLAY_SANITIZED_GESTURES).
set -euo pipefail
cd "$(dirname "$0")/../.."

seed=${RANDOMPLAY_SEED:-$(date +%s)}
gestures=${RANDOMPLAY_GESTURES:-200000}
sanitized=${RANDOMPLAY_SANITIZED_GESTURES:-20000}
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs" --target fusefuda_randomplay
build/tools/randomplay/fusefuda_randomplay --seed "$seed" --gestures "$gestures"

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs" --target fusefuda_randomplay
build-sanitize/tools/randomplay/fusefuda_randomplay --seed "$((seed + 1))" --gestures "$((sanitized / 2))"
build-sanitize/tools/randomplay/fusefuda_randomplay --seed "$((seed + 2))" --gestures "$((sanitized / 2))" \
    --scale 2

#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the suite, the
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# end-to-end test of the real executable under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"

echo "== tests"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFUSEFUDA_SANITIZE=ON \
    -DFUSEFUDA_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -LE e2e

for extra in scripts/ci.d/*.sh; do
    [ -e "$extra" ] || continue
    echo "== $(basename "$extra" .sh)"
    bash "$extra"
done

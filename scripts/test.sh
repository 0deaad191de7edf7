#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the suite, the
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# end-to-end test of the real executable under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)

echo "== build"
cmake --preset default >/dev/null
cmake --build build -j "$jobs"

# Another build type and the other compiler: each optimises differently and
# warns about different things. The executable alone keeps this short.
echo "== release build with clang++"
cmake --preset release-clang >/dev/null
cmake --build build-release -j "$jobs" --target fusefuda

echo "== tests"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -LE e2e

for extra in scripts/ci.d/*.sh; do
    [ -e "$extra" ] || continue
    echo "== $(basename "$extra" .sh)"
    bash "$extra"
done

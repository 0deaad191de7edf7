#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the suite, the
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# end-to-end test of the real executable under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUSEFUDA_WERROR=ON >/dev/null
cmake --build build -j "$jobs"

# Another build type and the other compiler: each optimises differently and
# warns about different things. The executable alone keeps this short.
echo "== release build with clang++"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DFUSEFUDA_WERROR=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DFUSEFUDA_TESTS=OFF -DFUSEFUDA_BENCH=OFF >/dev/null
cmake --build build-release -j "$jobs" --target fusefuda

echo "== tests"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFUSEFUDA_SANITIZE=ON \
    -DFUSEFUDA_WERROR=ON -DFUSEFUDA_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -LE e2e

for extra in scripts/ci.d/*.sh; do
    [ -e "$extra" ] || continue
    echo "== $(basename "$extra" .sh)"
    bash "$extra"
done

#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the suite, the
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# end-to-end test of the real executable under Xvfb. Each build folder and
# its steps are named once, in CMakePresets.json.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

echo "== build and tests"
cmake --workflow --preset default

# Another build type and the other compiler: each optimises differently and
# warns about different things. The executable alone keeps this short.
echo "== release build with clang++"
cmake --workflow --preset release-clang

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset sanitize

for extra in scripts/ci.d/*.sh; do
    [ -e "$extra" ] || continue
    echo "== $(basename "$extra" .sh)"
    bash "$extra"
done

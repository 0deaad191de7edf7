#!/usr/bin/env bash
# The end-to-end test of the real executable under Xvfb; its screenshots are
# kept in artifacts/e2e.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --build build --target fusefuda fusefuda_e2e_probe
E2E_ARTIFACTS="$PWD/artifacts/e2e" bash tests/e2e/e2e.sh build/src/fusefuda \
    build/tests/e2e/fusefuda_e2e_probe

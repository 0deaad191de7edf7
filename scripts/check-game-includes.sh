#!/usr/bin/env bash
# The rules stand apart from the pixels: src/game (or the folder given, such as
# the rules' tests) includes nothing of the drawing, the window, the sound, the
# dialogs, the files or the pictures, and nothing of Qt or SDL. Prints each
# offending line; fails when there is one.
set -euo pipefail
shopt -s nullglob
game=${1:-"$(dirname "$0")/../src/game"}
found=$(grep -HnE '^[[:space:]]*#[[:space:]]*include' "$game"/*.h "$game"/*.cpp |
    grep -E '[<"](render|app|audio|dialogs|playfile|assets)/|[<"](Q[A-Za-z]|qt|SDL)' || true)
if [ -n "$found" ]; then
    echo "$game must not include these:" >&2
    echo "$found" >&2
    exit 1
fi

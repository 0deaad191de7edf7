#!/usr/bin/env bash
# The source layout's rule, which no compiler checks: every file of the code,
# the tools and the tests stays small enough to read in one sitting, and a
# file that grows past the limit is split by what it holds. The translation
# catalogue is lupdate's, one file whatever its length, and the pictures are
# data. Usage: check-layout.sh FOLDER... (default src tools tests).
set -euo pipefail
cd "$(dirname "$0")/.."
limit=400
folders=("$@")
[ ${#folders[@]} -gt 0 ] || folders=(src tools tests)

status=0
while IFS= read -r -d '' file; do
    lines=$(wc -l < "$file")
    if [ "$lines" -gt "$limit" ]; then
        echo "layout: $file has $lines lines (at most $limit)" >&2
        status=1
    fi
done < <(find "${folders[@]}" -type f ! -name '*.ts' ! -name '*.png' -print0)
[ "$status" = 0 ] && echo "layout: every file in ${folders[*]} has at most $limit lines"
exit "$status"

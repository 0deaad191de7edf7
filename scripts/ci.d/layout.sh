#!/usr/bin/env bash
# The source layout's rules, which no compiler checks: files in src/ stay
# small enough to read in one sitting, and a file that grows past the limit
# is split by what it holds. The translation catalogue is lupdate's, one
# file whatever its length. Usage: layout.sh [SOURCE_FOLDER] (default src).
set -euo pipefail
cd "$(dirname "$0")/../.."
folder=${1:-src}
limit=400

status=0
while IFS= read -r -d '' file; do
    lines=$(wc -l < "$file")
    if [ "$lines" -gt "$limit" ]; then
        echo "layout: $file has $lines lines (at most $limit)" >&2
        status=1
    fi
done < <(find "$folder" -type f ! -name '*.ts' -print0)
[ "$status" = 0 ] && echo "layout: every file in $folder has at most $limit lines"
exit "$status"

#!/usr/bin/env bash
# Checks every recording the session tests kept: each "<file>.seconds" beside a .wmv
# names how long the recording ran, and the file must read as one video and one audio
# stream of about that length.
#   check-recordings.sh <folder>
set -euo pipefail
folder=$1
checker=$(dirname "$0")/../testing/devices/check-capture.sh
found=0
while IFS= read -r -d '' note; do
  file=${note%.seconds}
  echo "== ${file#$folder/}"
  bash "$checker" "$file" "$(cat "$note")"
  found=$((found + 1))
done < <(find "$folder" -name '*.wmv.seconds' -print0 | sort -z)
[ "$found" -gt 0 ] || { echo "no recordings under $folder" >&2; exit 1; }
echo "$found recordings read"

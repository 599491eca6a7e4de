#!/usr/bin/env bash
# Checks every recording the session tests kept: each "<file>.seconds" beside a .wmv
# names how long the recording ran, and the file must read as one video and one audio
# stream of about that length. With a Mediscope command line after the folder, Mediscope
# (under Wine) must also read each file as two streams. A "<file>.playable" note asks
# only that the file, however short, plays through: ffprobe reads a stream and decodes
# every frame without an error.
#   check-recordings.sh <folder> [<command running Mediscope.exe>...]
set -euo pipefail
folder=$(cd "$1" && pwd)
shift
mediscope=("$@")
checker=$(dirname "$0")/../testing/devices/check-capture.sh
found=0
while IFS= read -r -d '' note; do
  file=${note%.seconds}
  echo "== ${file#$folder/}"
  bash "$checker" "$file" "$(cat "$note")"
  if [ ${#mediscope[@]} -gt 0 ]; then
    report=$("${mediscope[@]}" "Z:${file//\//\\}" 2>/dev/null | tr -d '\r')
    grep -q "This Windows Media file has 2 stream(s)" <<<"$report" \
      || { echo "Mediscope did not read two streams:" >&2; echo "$report" >&2; exit 1; }
    echo "Mediscope: $(grep -c 'Stream number' <<<"$report") streams"
  fi
  found=$((found + 1))
done < <(find "$folder" -name '*.wmv.seconds' -print0 | sort -z)
while IFS= read -r -d '' note; do
  file=${note%.playable}
  echo "== ${file#$folder/} (playable)"
  [ -s "$file" ] || { echo "no recording at $file" >&2; exit 1; }
  streams=$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 "$file" | wc -l)
  [ "$streams" -gt 0 ] || { echo "ffprobe finds no stream in $file" >&2; exit 1; }
  errors=$(ffprobe -v error -count_frames -show_entries stream=nb_read_frames -of csv=p=0 "$file" 2>&1 >/dev/null | wc -l)
  [ "$errors" -eq 0 ] || { echo "ffprobe reported $errors errors decoding $file" >&2; exit 1; }
  echo "plays: $streams streams"
  found=$((found + 1))
done < <(find "$folder" -name '*.wmv.playable' -print0 | sort -z)
[ "$found" -gt 0 ] || { echo "no recordings under $folder" >&2; exit 1; }
echo "$found recordings read"

#!/usr/bin/env bash
# Checks the writer's recording with ffprobe: one video and one audio stream, in that
# order, and a duration within 20% of the recorded length. With a disk size, the disk
# filled during the recording: the file is no larger than the disk and its duration is
# shorter than the recording, but not nothing.
#   check-capture.sh <file> <seconds> [<disk size in bytes>]
set -euo pipefail
file=$1 seconds=$2 disk=${3:-}
[ -s "$file" ] || { echo "no recording at $file" >&2; exit 1; }
types=$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 "$file" | tr '\n' ' ')
duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$file")
size=$(stat -c %s "$file")
echo "streams: $types; duration: $duration s (recorded $seconds s); $size bytes"
[ "$types" = "video audio " ] || { echo "expected a video and an audio stream" >&2; exit 1; }
if [ -n "$disk" ]; then
  [ "$size" -le "$disk" ] || { echo "the file is larger than the $disk-byte disk" >&2; exit 1; }
  awk -v d="$duration" -v s="$seconds" 'BEGIN { exit !(d > 0 && d < s) }' \
    || { echo "duration not between 0 and $seconds s" >&2; exit 1; }
else
  awk -v d="$duration" -v s="$seconds" 'BEGIN { exit !(d >= s * 0.8 && d <= s * 1.2) }' \
    || { echo "duration not within 20% of $seconds s" >&2; exit 1; }
fi
# Every packet decodes: ffprobe reports no error reading the frames.
errors=$(ffprobe -v error -count_frames -show_entries stream=nb_read_frames -of csv=p=0 "$file" 2>&1 >/dev/null | wc -l)
[ "$errors" -eq 0 ] || { echo "ffprobe reported $errors errors decoding the frames" >&2; exit 1; }

#!/usr/bin/env bash
# Makes the Windows Media test files with ffmpeg, and for each one the stream listing
# Mediscope must print, as ffprobe sees the same file.
#
#   make-test-media.sh <output folder>
#
# Writes <name>.wmv and <name>.expected for every case below, and cases.txt listing
# the names. <name>.expected holds the lines after the file name line, "\n"-separated.
set -euo pipefail
out=$1
mkdir -p "$out"
: > "$out/cases.txt.new"

# name | ffmpeg output options | stridable (ffmpeg indexes files with video only)
cases=(
  "wmv1-wmav1|-c:v wmv1 -c:a wmav1|true"
  "wmv2-wmav2|-c:v wmv2 -c:a wmav2|true"
  "msmpeg4-wmav2|-c:v msmpeg4 -c:a wmav2|true"
  "wmv2-only|-c:v wmv2 -an|true"
  "wmav2-only|-vn -c:a wmav2|false"
  "wmv1-two-audio|-map 0:v -map 1:a -map 1:a -c:v wmv1 -c:a wmav2|true"
)

# The codec line for ffprobe's codec tag (FOURCC text for video, format tag for audio).
codec_line() {
  case "$1" in
    0x0162) echo "Codec Name: Windows Media Audio V9" ;;
    0x0163) echo "Codec Name: Windows Media Audio V9 (Lossless Mode)" ;;
    0x0161) echo "Codec Name: Windows Media Audio V7/V8" ;;
    0x000a) echo "Codec Name: Windows Media Speech Codec V9" ;;
    0x0130) echo "Codec Name: ACELP.net" ;;
    WMV1) echo "Codec Name: Windows Media Video V7" ;;
    MSS1) echo "Codec Name: Windows Media Screen V7" ;;
    MSS2) echo "Codec Name: Windows Media Screen V9" ;;
    WMV2) echo "Codec Name: Windows Media Video V8" ;;
    WMV3) echo "Codec Name: Windows Media Video V9" ;;
    MP43) echo "Codec Name: Microsoft MPEG-4 Video Codec V3 " ;;
    MP4S) echo "Codec Name: ISO MPEG-4 Video V1" ;;
  esac
}

for entry in "${cases[@]}"; do
  IFS='|' read -r name options stridable <<< "$entry"
  file="$out/$name.wmv"
  # shellcheck disable=SC2086
  ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=176x144:rate=15 \
    -f lavfi -i sine=frequency=440:sample_rate=22050 -t 2 $options "$file"
  {
    echo ""
    echo "Is Protected (DRM): false"
    echo "Is Seekable: true"
    echo "Is Stridable: $stridable"
    echo ""
    count=$(ffprobe -v error -show_entries stream=index -of csv=p=0 "$file" | wc -l)
    echo "This Windows Media file has $count stream(s)"
    echo ""
    # The muxer numbers the streams from 1 in order.
    ffprobe -v error -show_entries stream=index,codec_type,codec_tag,codec_tag_string,bit_rate \
        -of compact=p=0:nk=0 "$file" |
    while IFS= read -r record; do
      # key=value fields separated by "|", in whatever order ffprobe writes them.
      declare -A field=()
      IFS='|' read -ra pairs <<< "$record"
      for pair in "${pairs[@]}"; do field[${pair%%=*}]=${pair#*=}; done
      index=${field[index]}; type=${field[codec_type]}; tag_string=${field[codec_tag_string]}
      tag=${field[codec_tag]}; rate=${field[bit_rate]}
      [ "$rate" = "N/A" ] && rate=0
      case "$type" in
        video) echo "Video Stream properties:"; key=$tag_string ;;
        audio) echo "Audio Stream properties:"; key=$(printf '0x%04x' "$tag") ;;
        *) continue ;;
      esac
      echo "Stream number: $((index + 1))"
      echo "Bitrate: $rate bps "
      line=$(codec_line "$key")
      [ -n "$line" ] && echo "$line"
      echo ""
    done
  } > "$out/$name.expected"
  echo "$name" >> "$out/cases.txt.new"
done
mv "$out/cases.txt.new" "$out/cases.txt"

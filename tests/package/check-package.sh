#!/usr/bin/env bash
# Checks the release zip as a Windows user gets it: it holds one folder named like the
# zip with exactly the listed files; unpacked, the console tools run from that folder
# under Wine (Mediscope prints its usage, kivora-skin lists Kivora's skin), and each
# program's README mention is there.
#   check-package.sh <zip> <contents.txt> <skin file> <work folder> <command running a program under Wine>...
set -euo pipefail
zip=$1 contents=$2 skin=$3 work=$4
shift 4
wine=("$@")
name=$(basename "$zip" .zip)

[ -f "$zip" ] || { echo "no package at $zip" >&2; exit 1; }

# Exactly the listed files, all inside the one folder.
python3 - "$zip" "$name" "$contents" <<'PY'
import sys, zipfile
zip_name, folder, contents = sys.argv[1:]
expected = sorted(f"{folder}/{line.strip()}" for line in open(contents) if line.strip())
actual = sorted(n for n in zipfile.ZipFile(zip_name).namelist() if not n.endswith("/"))
if actual != expected:
    print("the package holds:", *actual, "expected:", *expected, sep="\n  ", file=sys.stderr)
    sys.exit(1)
print(f"{len(actual)} files: " + ", ".join(n.split('/', 1)[1] for n in actual))
PY

rm -rf "$work"
mkdir -p "$work"
python3 -m zipfile -e "$zip" "$work"
folder="$work/$name"
cd "$folder"

for program in $(cat "$contents"); do
  case $program in
    *.exe) grep -q "^${program}" README.txt || { echo "README.txt does not describe $program" >&2; exit 1; } ;;
  esac
done
grep -q $'\r$' README.txt || { echo "README.txt does not have Windows line ends" >&2; exit 1; }

# Mediscope without arguments: its usage and exit code -1 (255 on this side).
set +e
usage=$("${wine[@]}" Mediscope.exe 2>&1 | tr -d '\r')
status=${PIPESTATUS[0]}
set -e
[ "$status" = 255 ] || { echo "Mediscope.exe without arguments ended with $status" >&2; exit 1; }
grep -q "^Mediscope <infile>" <<<"$usage" || { echo "no usage from Mediscope.exe:" >&2; echo "$usage" >&2; exit 1; }
echo "Mediscope.exe: usage printed"

# kivora-skin lists every member of Kivora's skin, the INI text among them.
listing=$("${wine[@]}" kivora-skin.exe list "Z:${skin//\//\\}" | tr -d '\r')
grep -qi "\.ini	[0-9]" <<<"$listing" || { echo "kivora-skin.exe list gave no INI member:" >&2; echo "$listing" >&2; exit 1; }
echo "kivora-skin.exe list: $(wc -l <<<"$listing") members"

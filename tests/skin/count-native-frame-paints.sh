#!/usr/bin/env bash
# Runs the skinned-window scenario under WINEDEBUG=trace+win and counts Wine's native
# frame paints ("nc_paint <window>" trace lines) of the windows it skins: there must be
# none. Usage: count-native-frame-paints.sh <wine-run> <build dir> <SkinTests.exe>
set -euo pipefail
wine_run=$1 build=$2 exe=$3
log=$(mktemp) out=$(mktemp)
trap 'rm -f "$log" "$out"' EXIT
"$wine_run" --build "$build" --env WINEDEBUG=trace+win "$exe" --gtest_filter=NativeFramePaints.Scenario >"$out" 2>"$log"
grep -q '\[  PASSED  \] 1 test' "$out" || { cat "$out"; exit 1; }
total=0
while read -r _ _ name handle; do
  n=$(grep -c "nc_paint $handle " "$log" || true)
  echo "$name $handle: $n native frame paints"
  total=$((total + n))
done < <(grep '^skinned window ' "$out")
[ "$(grep -c '^skinned window ' "$out")" -ge 4 ] || { echo "no windows announced"; exit 1; }
echo "nc_paint lines in the whole log: $(grep -c 'nc_paint' "$log" || true)"
[ "$total" -eq 0 ]

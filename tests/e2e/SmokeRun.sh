#!/usr/bin/env bash
# The whole program once, offscreen on the simulated bench: it starts its engines (their
# initialisation trace), shows a first picture, closes itself and exits with 0. It runs from a
# copy in a fresh directory, so no settings file of a build directory is read or written.
set -uo pipefail
program="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
cp "$program" "$dir/"

VELMORA2_AUDIO=sim QT_QPA_PLATFORM=offscreen VELMORA2_CLOSE_AFTER_MS=400 \
  timeout 60 "$dir/$(basename "$program")" 2>"$dir/stderr.txt"
status=$?
cat "$dir/stderr.txt"

fail() {
  echo "smoke: $1"
  exit 1
}
[ "$status" -eq 0 ] || fail "exit code $status"
for line in "[1]: result = 00000000" "[5]: result = 00000000" "velmora2: picture shown"; do
  grep -qF "$line" "$dir/stderr.txt" || fail "no line \"$line\""
done
echo "smoke: passed"

#!/usr/bin/env bash
# Runs the fuzz targets of build-asan/ (VELMORA2_FUZZERS) side by side, one core each, for the
# given number of seconds (default 60), each from a scratch copy of its seed corpus in
# fuzz/corpus/. Fails on a crash, leak or sanitizer report of either; the input that caused it is
# kept in build-asan/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
artifacts="$PWD/build-asan/artifacts"
mkdir -p "$artifacts"
scratch="$(mktemp -d /tmp/velmora2-fuzz.XXXXXX)"
trap 'rm -rf "$scratch"' EXIT

running=()
for pair in wav_reader_fuzz:wav settings_load_fuzz:settings; do
  target="${pair%%:*}"
  corpus="${pair##*:}"
  mkdir -p "$scratch/$corpus"
  echo "fuzz: $target for $seconds s"
  build-asan/fuzz/"$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$scratch/$corpus" "fuzz/corpus/$corpus" \
    >"$scratch/$target.log" 2>&1 &
  running+=("$!:$target")
done

failed=0
for entry in "${running[@]}"; do
  target="${entry#*:}"
  if wait "${entry%%:*}"; then
    echo "fuzz: $target"
    grep -E '^stat::number_of_executed_units|^Done' "$scratch/$target.log" || true
  else
    tail -n 40 "$scratch/$target.log"
    echo "fuzz: $target failed; the input is in $artifacts" >&2
    failed=1
  fi
done
exit "$failed"

#!/bin/sh
# Wall time of a whole network measurement on the simulated bench's real-time clock, as a user
# waits for it: the log sweep (4 s, 20 Hz .. 20 kHz) against the stepped sweep of 18 and 45 points.
# Usage: bench/sweep-wall-time.sh [BUILD_DIR]   (default: build)
set -eu
measure="${1:-build}/tools/measure/velmora2-measure"
for method in "--method log" "--points 18" "--points 45"; do
    start=$(date +%s.%N)
    # shellcheck disable=SC2086
    "$measure" sweep --sim --realtime $method >/dev/null 2>&1
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" -v m="$method" 'BEGIN { printf "sweep %s: %.2f s\n", m, b - a }'
done

#!/usr/bin/env bash
# Sets up, then runs the whole test suite: the normal build (with a PulseAudio loopback for the
# real-audio tests) and a ThreadSanitizer build of the engine tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

source scripts/pulse-loopback.sh
start_pulse_loopback
trap stop_pulse_loopback EXIT

ctest --test-dir build --output-on-failure -j2 --timeout 300

# The engine's threads once more under ThreadSanitizer (display-free libraries only).
if [ ! -f build-tsan/build.ninja ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA2_ENGINE_ONLY=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer"
fi
cmake --build build-tsan -j2
TSAN_OPTIONS="halt_on_error=1" ctest --test-dir build-tsan --output-on-failure -j2 -L engine --timeout 600

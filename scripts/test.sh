#!/usr/bin/env bash
# Sets up, then runs the whole test suite: the format check of our sources, the normal build
# (with a PulseAudio loopback for the real-audio tests, and the smoke run of the program itself),
# then the engine and display tests once more under ThreadSanitizer and
# UndefinedBehaviorSanitizer, then the fuzz targets for a minute each.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

echo "test: format check"
find . \( -path ./.git -o -path './build*' \) -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run -Werror

source scripts/pulse-loopback.sh
start_pulse_loopback
trap stop_pulse_loopback EXIT

ctest --test-dir build --output-on-failure -j2 --timeout 300

# The engine's threads and the views' arithmetic under the sanitizers (display-free libraries).
if [ ! -f build-san/build.ninja ]; then
  cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA2_ENGINE_ONLY=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread,undefined,float-cast-overflow -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
fi
cmake --build build-san -j2 --target engine_tests display_tests
TSAN_OPTIONS="halt_on_error=1" UBSAN_OPTIONS="print_stacktrace=1" \
  ctest --test-dir build-san --output-on-failure -j2 -L 'engine|display' --timeout 600

# The WAV reader and the settings loader under libFuzzer with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer (clang), 60 s each.
if [ ! -f build-fuzz/build.ninja ]; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVELMORA2_ENGINE_ONLY=ON -DVELMORA2_FUZZERS=ON
fi
cmake --build build-fuzz -j2 --target wav_reader_fuzz settings_load_fuzz
scripts/fuzz.sh 60

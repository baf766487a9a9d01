#!/usr/bin/env bash
# Sets up, then runs the whole test suite: the format check of our sources, the normal build
# (with a PulseAudio loopback for the real-audio tests, and the smoke run of the program itself),
# the engine and display tests once more under ThreadSanitizer and UndefinedBehaviorSanitizer,
# then every test under clang's address, leak and undefined-behaviour sanitizers and the fuzz
# targets for a minute, side by side.
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
# The dynamic-type check stays with the address-sanitizer pass: it probes memory through a pipe,
# and the thread sanitizer takes that pipe's reused descriptor numbers for races between threads.
# Both sanitizer builds are unity builds with line tables only: a report needs file and line, and
# the two builds then take a fraction of the compile and link time.
san_flags="-fsanitize=thread,undefined,float-cast-overflow -fno-sanitize=vptr"
san_flags+=" -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA2_ENGINE_ONLY=ON \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_CXX_FLAGS="$san_flags" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
cmake --build build-san -j2 --target engine_tests display_tests
TSAN_OPTIONS="halt_on_error=1" UBSAN_OPTIONS="print_stacktrace=1" \
  ctest --test-dir build-san --output-on-failure -j2 -L 'engine|display' --timeout 600

# Every test program once more, built with clang at the same warning level, under
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer (the Qt ones offscreen); the same
# build holds the fuzz targets for the WAV reader and the settings loader, run side by side for
# 60 s. The programs that load the sound and window libraries keep full stacks on every
# allocation, so that the third-party suppressions can see the library they name; the others,
# which load neither, keep the quick frame-pointer stacks. A frame that has returned stays
# poisoned, so a callback that outlives the object it points into is caught.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVELMORA2_FUZZERS=ON -DVELMORA2_BENCHMARKS=OFF -DCMAKE_UNITY_BUILD=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG"
cmake --build build-asan -j2
own_code_only='^(analysis|allocation|dataexport|dialogs|display|engine|panel|settings|structure|synthesis)$'
export LSAN_OPTIONS="suppressions=$PWD/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" QT_QPA_PLATFORM=offscreen
ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1" \
  ctest --test-dir build-asan --output-on-failure -j2 --timeout 600 -L "$own_code_only"
ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:fast_unwind_on_malloc=0" \
  ctest --test-dir build-asan --output-on-failure -j2 --timeout 600 -LE "$own_code_only"
scripts/fuzz.sh 60

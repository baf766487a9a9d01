#!/usr/bin/env bash
# Installs what the build, the tests and the instrument need (Debian packages, only when missing),
# then configures and builds into build/. Safe to run again; quick when there is nothing to do.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-l10n-tools qt6-tools-dev libgl-dev
  portaudio19-dev libasound2-dev libasound2-plugins pulseaudio pulseaudio-utils
  xvfb xauth x11-apps fonts-liberation fonts-noto-cjk
  libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev desktop-file-utils man-db appstream
  lintian
  clang libclang-rt-14-dev locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A German locale (decimal comma) lets the tests prove that files and read-outs never follow the
# user's locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "setup: could not generate de_DE.UTF-8"
fi

# A unity build (the sources of each library and test program compiled a few at a time as one
# unit) with line tables only (enough for a backtrace with files and lines): a fresh build takes
# less than half the time. For quick rebuilds while editing, or a debugger that shows variables,
# configure a tree of your own with -DCMAKE_UNITY_BUILD=OFF or -DCMAKE_BUILD_TYPE=Debug.
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
fi
cmake --build build -j2

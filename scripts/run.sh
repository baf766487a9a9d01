#!/usr/bin/env bash
# Sets up, then starts the instrument. Without a usable sound device it runs on the simulated
# bench; without a display it runs on a virtual one (Xvfb), so it still starts on a bare machine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

if [ -z "${VELMORA2_AUDIO:-}" ]; then
  if build/tools/velmora2-list-devices >/dev/null 2>&1; then
    export VELMORA2_AUDIO=portaudio
  else
    echo "run: no sound device found; using the simulated bench"
    export VELMORA2_AUDIO=sim
  fi
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display; starting on a virtual display (Xvfb)"
  exec xvfb-run -a -s "-screen 0 1024x768x24" build/app/velmora2 "$@"
fi
exec build/app/velmora2 "$@"

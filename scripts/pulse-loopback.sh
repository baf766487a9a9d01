# Sourced by the test script: a private PulseAudio daemon with a null sink, whose monitor is the
# default source, so that PortAudio's "default" device plays into it and captures what it played.
# The daemon is started and stopped by its own process id, kept in a file beside its socket so
# that a test may stop it and start a new one ("pulse-loopback.sh stop", "pulse-loopback.sh
# start", run with the test script's environment) and the test script still stops the last one.

pulse_pid=""

pulse_pid_file() {
  echo "${XDG_RUNTIME_DIR:-/nonexistent}/velmora2-pulse.pid"
}

start_pulse_loopback() {
  if ! command -v pulseaudio >/dev/null; then
    echo "pulse-loopback: pulseaudio is not installed; real-audio tests will be skipped" >&2
    return 0
  fi
  export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/velmora2-xdg.XXXXXX)}"
  chmod 700 "$XDG_RUNTIME_DIR"
  pulseaudio --daemonize=no -n --exit-idle-time=-1 --log-target=stderr --log-level=error \
    --load="module-null-sink sink_name=loop rate=48000" \
    --load=module-native-protocol-unix >>/tmp/velmora2-pulse.log 2>&1 &
  pulse_pid=$!
  echo "$pulse_pid" >"$(pulse_pid_file)"
  for _ in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! pactl info >/dev/null 2>&1; then
    echo "pulse-loopback: the daemon did not come up (see /tmp/velmora2-pulse.log)" >&2
    stop_pulse_loopback
    return 0
  fi
  pactl set-default-sink loop
  pactl set-default-source loop.monitor
  export VELMORA2_PULSE_LOOPBACK=1
}

stop_pulse_loopback() {
  local pid="$pulse_pid"
  if [ -f "$(pulse_pid_file)" ]; then
    pid="$(cat "$(pulse_pid_file)")"
    rm -f "$(pulse_pid_file)"
  fi
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    # Not always this shell's child: wait until it is gone.
    for _ in $(seq 1 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  pulse_pid=""
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-}" in
    start) start_pulse_loopback ;;
    stop) stop_pulse_loopback ;;
    *)
      echo "usage: pulse-loopback.sh start|stop (or source it)" >&2
      exit 2
      ;;
  esac
fi

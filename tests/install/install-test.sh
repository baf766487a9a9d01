#!/usr/bin/env bash
# Installs the build into a temporary prefix (or takes the prefix given, usable by the caller
# once this returns), makes the prefix read-only, and checks what the
# user of a system-wide install gets: every file in its place, the program starting from there,
# settings and recordings under the XDG directories, the tone files found, a valid desktop entry.
set -euo pipefail
build="$1"
work="$(mktemp -d /tmp/velmora2-install.XXXXXX)"
program_pid=""
prefix=""
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then kill "$program_pid"; fi
  chmod -R u+w "$work" ${prefix:+"$prefix"} 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "install test: $*" >&2; exit 1; }

# A prefix given (an unpacked package's usr) is checked as it is; else the build is installed.
if [ $# -ge 2 ]; then
  prefix="$2"
else
  prefix="$work/prefix"
  cmake --install "$build" --prefix "$prefix" >/dev/null
fi

expected=(bin/velmora2 bin/velmora2-list-devices bin/velmora2-files bin/velmora2-measure
  share/applications/velmora2.desktop share/icons/hicolor/scalable/apps/velmora2.svg
  share/man/man1/velmora2.1.gz share/man/man1/velmora2-measure.1.gz
  share/man/man1/velmora2-list-devices.1.gz share/man/man1/velmora2-files.1.gz
  share/doc/velmora2/copyright
  share/metainfo/org.velmora2.Velmora2.metainfo.xml)
tones=false
if [ -e "$build/app/sin1k.wav" ]; then
  tones=true
  expected+=(share/velmora2/sin1k.wav)
fi
for file in "${expected[@]}"; do
  [ -e "$prefix/$file" ] || fail "not installed: $file"
done
if find "$prefix" -name 'RECORD*' | grep -q .; then fail "a recording was installed"; fi
chmod -R a-w "$prefix"

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -p "$HOME"
places="$("$prefix/bin/velmora2-files" || true)"
echo "$places"
grep -qx "settings: $XDG_CONFIG_HOME/velmora2/Velmora2.INI" <<<"$places" ||
  fail "settings not under XDG_CONFIG_HOME"
grep -qx "recordings: $XDG_DATA_HOME/velmora2" <<<"$places" ||
  fail "recordings not under XDG_DATA_HOME"
if $tones; then
  grep -qx "tone sin1k.wav: $prefix/share/velmora2/sin1k.wav" <<<"$places" ||
    fail "the installed tone file is not found"
  # A tone file of the user's own comes before the installed one.
  mkdir -p "$XDG_DATA_HOME/velmora2"
  cp "$prefix/share/velmora2/sin1k.wav" "$XDG_DATA_HOME/velmora2/"
  grep -qx "tone sin1k.wav: $XDG_DATA_HOME/velmora2/sin1k.wav" \
    <<<"$("$prefix/bin/velmora2-files")" || fail "the user's tone file is not found first"
fi

# The installed program starts from the read-only prefix (offscreen, on the simulated bench).
VELMORA2_AUDIO=sim QT_QPA_PLATFORM=offscreen "$prefix/bin/velmora2" >/dev/null \
  2>"$work/program.err" &
program_pid=$!
for _ in $(seq 1 100); do
  grep -q '^\[3\]: result = 00000000$' "$work/program.err" && break
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
grep -q '^\[3\]: result = 00000000$' "$work/program.err" ||
  fail "the installed program did not start: $(cat "$work/program.err")"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""

# Every manual page formats without a warning.
for page in "$prefix"/share/man/man1/*.1.gz; do
  warnings="$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)" || fail "$page: $warnings"
  [ -z "$warnings" ] || fail "$page: $warnings"
done

# The AppStream metadata and the desktop entry it launches, as software centres read them.
appstreamcli validate-tree --no-net "$prefix" || fail "the AppStream metadata does not validate"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/velmora2.desktop"
fi
echo "install test: passed"

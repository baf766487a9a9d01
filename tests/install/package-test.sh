#!/usr/bin/env bash
# Builds the Debian package from the build tree (cpack -G DEB), checks its control fields,
# unpacks it into a fresh root and runs the install checks on that root's usr: the files where
# Debian expects them, the program starting from there. lintian, when installed, must find no
# error in the package.
set -euo pipefail
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d /tmp/velmora2-package.XXXXXX)"
cleanup() {
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package test: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) ||
  fail "cpack failed: $(cat "$work/cpack.log")"
deb="$(ls "$work"/package/*.deb)"
[ "$(dpkg-deb -f "$deb" Package)" = velmora2 ] || fail "the package is not named velmora2"
[ "$(dpkg-deb -f "$deb" Section)" = science ] || fail "the package is not in section science"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libportaudio2 libqt6widgets6; do
  grep -q "$library" <<<"$depends" || fail "no dependency on $library: $depends"
done

dpkg-deb -x "$deb" "$work/root"
"$here/install-test.sh" "$build" "$work/root/usr"

if command -v lintian >/dev/null; then
  lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" || fail "lintian found errors"
fi
echo "package test: passed"

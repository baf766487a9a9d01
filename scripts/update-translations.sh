#!/bin/sh
# Brings the translation file up to date with the texts marked VELMORA2_TEXT in the sources: new
# texts appear unfinished, texts no longer in the sources are dropped (or, with --keep-vanished,
# kept and marked vanished). Usage: scripts/update-translations.sh [--keep-vanished] [TS_FILE]
# (default: share/i18n/velmora2_en.ts). Needs lupdate (Debian qt6-l10n-tools).
set -eu
cd "$(dirname "$0")/.."
obsolete=-no-obsolete
if [ "${1:-}" = "--keep-vanished" ]; then
    obsolete=""
    shift
fi
ts=${1:-share/i18n/velmora2_en.ts}
lupdate=$(command -v lupdate-qt6 || echo /usr/lib/qt6/bin/lupdate)
[ -x "$lupdate" ] || { echo "update-translations: lupdate not found (Debian qt6-l10n-tools)" >&2; exit 1; }
messages=$(mktemp)
trap 'rm -f "$messages"' EXIT
status=0
"$lupdate" -silent -tr-function-alias QT_TR_NOOP=VELMORA2_TEXT -locations none $obsolete \
    -source-language ja -target-language en \
    analysis app audio dataexport dialogs display engine logsweep measurement panel platform \
    precision qt records settings synthesis tools wav -ts "$ts" 2>"$messages" || status=$?
# The marks stand outside classes on purpose (their context is the namespace): lupdate's notes
# about that are left out.
grep -v "lacks Q_OBJECT macro" "$messages" >&2 || true
exit "$status"

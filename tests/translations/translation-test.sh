#!/bin/sh
# The English translation file against the sources: lupdate brings a copy of it up to date with
# every text marked VELMORA2_TEXT, and the copy must have no unfinished message (a marked text
# without its English), no vanished one (a translation of a text no longer in the sources), and
# no context other than the two the program looks its texts up in.
set -eu
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp share/i18n/velmora2_en.ts "$work/check.ts"
scripts/update-translations.sh --keep-vanished "$work/check.ts"
status=0
if grep -q 'type="unfinished"' "$work/check.ts"; then
    echo "texts without an English translation (run scripts/update-translations.sh, then translate):"
    grep -B2 'type="unfinished"' "$work/check.ts" | grep '<source>' || true
    status=1
fi
if grep -q -E 'type="(vanished|obsolete)"' "$work/check.ts"; then
    echo "translations of texts no longer in the sources (run scripts/update-translations.sh):"
    grep -B2 -E 'type="(vanished|obsolete)"' "$work/check.ts" | grep '<source>' || true
    status=1
fi
contexts=$(grep -o "<name>[^<]*</name>" "$work/check.ts" | LC_ALL=C sort -u | tr "\n" " ")
if [ "$contexts" != "<name>velmora2::msg</name> <name>velmora2</name> " ]; then
    echo "texts marked outside the namespaces velmora2 and velmora2::msg: $contexts"
    status=1
fi
[ "$status" -eq 0 ] || exit 1
messages=$(grep -c '<message>' "$work/check.ts")
echo "$messages marked texts, all translated"
[ "$messages" -gt 100 ]

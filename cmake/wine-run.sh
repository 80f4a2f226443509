#!/bin/sh
# Runs one Windows program under wine64 for ctest: wine-run.sh PREFIX PROGRAM [ARGS...]
# Wine's helper processes inherit and outlive the program's pipes, so the output goes through a
# file: handing ctest's pipes straight to wine makes every test wait for them to close.
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$(dirname "$0")/wine-prefix.sh" "$prefix" || exit 1
out=$(mktemp)
/usr/lib/wine/wine64 "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc

#!/bin/sh
# Runs one Windows program, 32- or 64-bit, under wine64 for ctest: wine-run.sh PREFIX PROGRAM [ARGS...]
# Wine's helper processes inherit and outlive the program's pipes, so the output goes through a
# file: handing ctest's pipes straight to wine makes every test wait for them to close.
. "$(dirname "$0")/wine-env.sh"
prefix=$1
shift
export WINEPREFIX="$prefix"
"$(dirname "$0")/wine-prefix.sh" "$prefix" || exit 1
out=$(mktemp)
run() {
  /usr/lib/wine/wine64 "$@" </dev/null >"$out" 2>&1
}
run "$@"
rc=$?
# A program that failed without printing a byte never started (Wine occasionally loses a process
# start on a loaded machine); our programs always print. Try once more and say so.
if [ $rc -ne 0 ] && [ ! -s "$out" ]; then
  echo "wine-run: $1 exited $rc before printing anything; running it again"
  run "$@"
  rc=$?
fi
cat "$out"
rm -f "$out"
exit $rc

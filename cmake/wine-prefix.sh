#!/bin/sh
# Creates the project's Wine prefix once (about 10 s), safely when several callers race for it.
# The prefix is made with the 32-bit libraries on WINEDLLPATH, so that C:\windows\syswow64 is filled
# and 32-bit programs can run in it; a prefix made without them is made again.
. "$(dirname "$0")/wine-env.sh"
prefix=$1
ready="$prefix/.geran-ready-wow64"
[ -f "$ready" ] && exit 0
if [ ! -f "$GERAN_WINE_I386_DIR/i386-windows/kernel32.dll" ]; then
  echo "wine-prefix: Wine's 32-bit libraries are missing from $GERAN_WINE_I386_DIR; run ./dev setup" >&2
  exit 1
fi
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  [ -f "$ready" ] && exit 0
  rm -rf "$prefix"
  WINEPREFIX="$prefix" /usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1 || exit 1
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -w
  touch "$ready"
) 9>"$prefix.lock"

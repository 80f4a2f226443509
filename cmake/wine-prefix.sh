#!/bin/sh
# Creates the project's Wine prefix once (about 10 s), safely when several callers race for it.
# The prefix is made with the 32-bit libraries on WINEDLLPATH, so that C:\windows\syswow64 is filled
# and 32-bit programs can run in it; a prefix made without them is made again. Wine's automatic
# debugger is turned off in it: a program that crashes ends at once instead of hanging its test run
# in winedbg. The ready marker's name says what a ready prefix holds: a prefix made before the
# last change of that is made again.
. "$(dirname "$0")/wine-env.sh"
prefix=$1
ready="$prefix/.geran-ready-wow64-nodebugger"
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
  # An unhandled exception starts the AeDebug debugger command, Auto 1 without asking. An empty
  # command cannot be started, so Wine ends the crashed process straight away. Both registry views:
  # 32-bit programs read their own.
  for view in 64 32; do
    WINEPREFIX="$prefix" /usr/lib/wine/wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Debugger /t REG_SZ /d '' /f /reg:$view </dev/null >/dev/null 2>&1 || exit 1
  done
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -w
  touch "$ready"
) 9>"$prefix.lock"

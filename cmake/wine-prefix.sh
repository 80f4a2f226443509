#!/bin/sh
# Creates the project's Wine prefix once (about 10 s), safely when several callers race for it.
prefix=$1
[ -f "$prefix/.geran-ready" ] && exit 0
mkdir -p "$prefix"
(
  flock 9
  [ -f "$prefix/.geran-ready" ] && exit 0
  WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    /usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1 || exit 1
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -w
  touch "$prefix/.geran-ready"
) 9>"$prefix.lock"

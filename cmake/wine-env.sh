# The environment of every Wine command the project runs; sourced by ./dev and the cmake/wine-*.sh
# scripts, so ctest's runner needs nothing from the calling shell.
#
# wine64 runs 32-bit programs in its WoW64 mode, given Wine's own 32-bit PE libraries. Debian ships
# them in libwine:i386, which cannot be installed here (its Linux half is 32-bit): ./dev setup
# unpacks them into a cache outside the work tree, one folder per Wine version, so they survive
# `git clean` and a Wine upgrade fetches the matching set.
GERAN_CACHE_DIR=${GERAN_CACHE_DIR:-${XDG_CACHE_HOME:-${HOME:-/var/tmp}/.cache}/geran}
GERAN_WINE_VERSION=$(dpkg-query -W -f='${Version}' libwine 2>/dev/null || echo unknown)
GERAN_WINE_I386_DIR="$GERAN_CACHE_DIR/wine-i386-$GERAN_WINE_VERSION"
export WINEDLLPATH="$GERAN_WINE_I386_DIR" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

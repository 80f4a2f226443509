#!/bin/sh
# A repeatable fuzz run for ctest: run-from-seeds.sh WORK_DIR TARGET ARGS... runs TARGET with an
# emptied WORK_DIR as the corpus it writes to, then ARGS (seed folders, flags), so inputs found by
# earlier runs change nothing and the seed folders stay as committed.
work=$1
target=$2
shift 2
rm -rf "$work" && mkdir -p "$work" || exit 1
exec "$target" "$work" "$@"

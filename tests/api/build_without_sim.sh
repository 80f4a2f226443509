#!/usr/bin/env bash
# Builds the product DLL from a copy of the tree without sim/, to show that the product needs
# nothing from the simulator or the stand-ins: only its own sources and contracts/.
# usage: build_without_sim.sh SOURCE_DIR WORK_DIR TOOLCHAIN_FILE_NAME
set -euo pipefail
source_dir=$1 work=$2 toolchain=$3
rm -rf "$work"
mkdir -p "$work/tree"
tar -C "$source_dir" --exclude=./sim --exclude=./build --exclude=./dist --exclude=./.git -cf - . |
  tar -C "$work/tree" -xf -
cmake -S "$work/tree" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGERAN_PRODUCT_ONLY=ON \
  -DCMAKE_TOOLCHAIN_FILE="$work/tree/cmake/$toolchain" >/dev/null
cmake --build "$work/build" --target znGeranApiInterfaceDll
test -f "$work/build/bin/znGeranApiInterfaceDll.dll"

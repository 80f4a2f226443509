# Cross build of the shipped 32-bit binaries with mingw-w64 (posix threads variant).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(GERAN_TOOL_PREFIX i686-w64-mingw32)
# The Visual C++ import library's machine, as llvm-dlltool -m and lld-link /machine: name it.
set(GERAN_LLVM_MACHINE i386)
set(GERAN_LLD_MACHINE x86)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

# Cross build of the 64-bit twins that the tests run under wine64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(GERAN_TOOL_PREFIX x86_64-w64-mingw32)
# The Visual C++ import library's machine, as llvm-dlltool -m and lld-link /machine: name it.
set(GERAN_LLVM_MACHINE i386:x86-64)
set(GERAN_LLD_MACHINE x64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

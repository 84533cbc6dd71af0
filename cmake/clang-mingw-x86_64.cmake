# Cross-compiles for x86_64 Windows with Clang and lld, on the posix-thread MinGW-w64 runtime.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw-common.cmake)

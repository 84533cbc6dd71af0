# Cross-compiles for x86_64 Windows with the MinGW-w64 posix-thread compilers.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Cross-compiles for i686 Windows with the MinGW-w64 posix-thread compilers.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

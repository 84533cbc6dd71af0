# Cross-compiles for i686 Windows with Clang and lld, on the posix-thread MinGW-w64 runtime.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw-common.cmake)

# Shared part of the Clang toolchain files: Clang and lld for MinGW-w64, with the C++ runtime,
# libgcc and winpthread of the posix-thread MinGW-w64 GCC (the runtime of the GCC build).
set(CMAKE_SYSTEM_NAME Windows)
# CMAKE_SYSTEM_PROCESSOR is set by the file that includes this one.
set(TOOLCHAIN_PREFIX ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
# The MinGW-w64 binutils' archiver: it comes with the GCC the runtime is taken from, where
# llvm-ar needs a package of its own.
find_program(CMAKE_AR NAMES ${TOOLCHAIN_PREFIX}-ar)
find_program(CMAKE_RANLIB NAMES ${TOOLCHAIN_PREFIX}-ranlib)
set(CMAKE_SYSROOT /usr/${TOOLCHAIN_PREFIX})

# Clang looks for GCC's runtime in a folder named after a plain version number, and Debian's
# is named "12-posix": so the posix-thread GCC is asked where its runtime is.
execute_process(COMMAND ${TOOLCHAIN_PREFIX}-gcc-posix -print-libgcc-file-name
                OUTPUT_VARIABLE _tsumiki_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE _tsumiki_gcc_result ERROR_QUIET)
if(NOT _tsumiki_gcc_result EQUAL 0 OR NOT EXISTS "${_tsumiki_libgcc}")
  message(FATAL_ERROR "${CMAKE_CURRENT_LIST_FILE}: Clang builds with the C++ runtime of "
                      "${TOOLCHAIN_PREFIX}-gcc-posix, which is not installed (Debian: "
                      "g++-mingw-w64-${CMAKE_SYSTEM_PROCESSOR}-posix)")
endif()
get_filename_component(TSUMIKI_MINGW_GCC_DIR "${_tsumiki_libgcc}" DIRECTORY)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${TSUMIKI_MINGW_GCC_DIR}/include/c++
    ${TSUMIKI_MINGW_GCC_DIR}/include/c++/${TOOLCHAIN_PREFIX}
    ${TSUMIKI_MINGW_GCC_DIR}/include/c++/backward)

# GCC's runtime keeps thread-local variables (std::call_once's among them) in emulated
# thread-local storage, and Clang's code must reach them the same way.
set(CMAKE_C_FLAGS_INIT   "-femulated-tls")
set(CMAKE_CXX_FLAGS_INIT "-femulated-tls")

# lld; GCC's crtbegin.o (-B), which registers the i686 DWARF unwind tables (without it every
# throw on i686 ends in std::terminate); libstdc++ and libgcc (-L); winpthread (-pthread), as
# GCC's posix-thread driver links it. Windows programs here must run without any MinGW
# runtime DLL beside them (-static).
set(_tsumiki_link "-fuse-ld=lld -B${TSUMIKI_MINGW_GCC_DIR} -L${TSUMIKI_MINGW_GCC_DIR} -pthread -static")
set(CMAKE_EXE_LINKER_FLAGS_INIT    "${_tsumiki_link}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${_tsumiki_link}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${_tsumiki_link}")

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Programs built for Windows run under Wine on this machine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

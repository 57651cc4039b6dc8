# 32-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-i686, its posix-thread compilers). Used for the
# Qt-free tree; the test programs run under Wine:
#   cmake -S . -B build/mingw -G Ninja -DMELVORO_RUNTIME_ONLY=ON -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs and the module carry the compiler's runtime (libgcc, libstdc++, winpthread) inside, so they
# need no DLL of the compiler beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)

# Test programs (and the listing of their tests) run under Wine, quiet, in a Wine prefix of the build
# tree's own; no Mono or Gecko is asked for.
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml="
    WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix wine)

# The shipped Tallimo.exe and tallimo-cat.exe: 32-bit, win32-thread MinGW-w64 compilers, so that
# no winpthread (and its Vista-only imports) comes in and the programs load on Windows XP.
# Optimised for size across the whole program (link-time optimisation: what one file inlines of
# another, and what no caller reaches, is dropped), unused sections dropped, no symbols: the disc
# reads every byte at start. g++ 12 stops with an internal error (binds_to_current_def_p) when the
# program is optimised in several link-time partitions, and in its mod/ref pass: one partition,
# and that pass left out.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections -flto -fno-ipa-modref")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s -flto -flto-partition=one -fno-ipa-modref")

# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread
# model, which Qt's std::thread users need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVELO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARVELO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVELO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVELO_MINGW_TRIPLET}-windres)

# Headers and libraries from the MinGW tree and from the prefixes given (the
# cross-built Qt); programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TARVELO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file that needs only Windows' own DLLs: the C and C++ runtimes and
# winpthreads linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

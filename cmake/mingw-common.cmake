# The -posix compilers: std::thread and std::mutex need the posix thread model.
set(CMAKE_C_COMPILER ${SUITE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SUITE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SUITE_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SUITE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every .exe and .dll runs without the compiler's runtime DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Cross toolchain: Windows via Debian's mingw-w64. ORVANE_ARCH picks the
# target: x86_64 (the build that runs and is tested under 64-bit Wine here)
# or i686 (the 32-bit program folder, built the same way).
set(ORVANE_ARCH x86_64 CACHE STRING "Target processor: x86_64 or i686")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ORVANE_ARCH})
set(_tp ${ORVANE_ARCH}-w64-mingw32)
# "-posix" flavour: gives std::thread/std::mutex; winpthread is linked
# statically via -static below, so no extra DLL is needed.
set(CMAKE_C_COMPILER   ${_tp}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_tp}-g++-posix)
set(CMAKE_RC_COMPILER  ${_tp}-windres)
set(CMAKE_AR           /usr/bin/${_tp}-ar     CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${_tp}-ranlib CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/${_tp})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No libgcc_s / libstdc++ / libwinpthread DLLs at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# ctest / gtest_discover_tests prefix every test command with this. The
# 64-bit loader is named directly: this machine cannot run 32-bit Linux
# processes, so Debian's "wine" wrapper (which prefers wine32) is not used.
if(ORVANE_ARCH STREQUAL "x86_64")
  find_program(WINE_EXECUTABLE wine64 PATHS /usr/lib/wine REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_EXECUTABLE})
endif()

# Windows through MinGW-w64. POK_MINGW_ARCH picks the target: i686 is the
# product's real one; x86_64 is built only to keep the code pointer-size clean.
# The win32-thread compilers, whose runtime brings no threads library: the
# -posix ones link libwinpthread into every program, and it imports from
# kernel32 what Windows XP lacks. GoogleTest's one need of threads is met in
# tests/driver/gtest_port. -static keeps MinGW's DLLs out of the .scr so it
# runs from any folder.
if(NOT POK_MINGW_ARCH)
  set(POK_MINGW_ARCH i686)
endif()
set(triple ${POK_MINGW_ARCH}-w64-mingw32)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${POK_MINGW_ARCH})
set(CMAKE_C_COMPILER ${triple}-gcc-win32)
set(CMAKE_CXX_COMPILER ${triple}-g++-win32)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

if(POK_MINGW_ARCH STREQUAL "i686")
  # Doubles are doubles: x87 registers would keep 80-bit intermediates and
  # round differently from the design's double-precision arithmetic.
  set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
  set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
endif()

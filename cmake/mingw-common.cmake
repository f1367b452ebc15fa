# The posix-threads flavour of MinGW-w64 (GoogleTest needs std::mutex) unless
# the toolchain file asks for another (MINGW_THREADS); the programs link it
# statically, so no MinGW DLL is needed beside them.
if(NOT MINGW_THREADS)
  set(MINGW_THREADS posix)
endif()
set(CMAKE_C_COMPILER   ${MINGW_PREFIX}-gcc-${MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-${MINGW_THREADS})
set(CMAKE_RC_COMPILER  ${MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

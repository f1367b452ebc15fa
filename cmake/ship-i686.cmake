# Cross build for 32-bit Windows as it ships (tools/build-ship): the win32-threads
# flavour of MinGW-w64, whose runtime has no winpthreads. winpthreads imports
# kernel32 functions that Windows 95 and NT 3.51 do not have (GetTickCount64,
# AddVectoredExceptionHandler, ...), and the programs use no std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

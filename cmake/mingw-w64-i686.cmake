# Cross build for Windows (i686) with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
# Floating point on SSE2, as the x86_64 build does: on the x87 unit a float
# product keeps extended precision (GCC 12 keeps it past assignments in C++),
# so 3 x 0.335 would print 1.01 here and 1.00 there.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Cross-compiles for 32-bit Windows: TARVIN.exe as it ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

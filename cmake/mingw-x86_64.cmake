# Cross-compiles for 64-bit Windows: the Windows tests' build on machines whose
# Wine runs 64-bit programs only.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)

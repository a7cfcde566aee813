# Native build: the portable layer's unit tests, plus the Windows build nested
# in win32/ so that one ctest run covers both.

add_executable(native_tests tests/native/form1_test.cpp)
target_link_libraries(native_tests PRIVATE tarvin_core GTest::gmock_main)
gtest_discover_tests(native_tests)

option(TARVIN_WIN32 "Cross-build TARVIN.exe and its Wine tests" ON)
if(TARVIN_WIN32)
  # TARVIN.exe is a 32-bit program. Where this machine's Wine runs 64-bit
  # programs only, the Windows tests run a 64-bit build of the same sources.
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/tests/run-in-wine.sh --arch
                  OUTPUT_VARIABLE wine_arch OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(wine_arch STREQUAL "win64")
    message(STATUS "This machine runs no 32-bit programs: the Windows tests use a 64-bit build")
    set(windows_toolchain ${CMAKE_SOURCE_DIR}/cmake/mingw-x86_64.cmake)
  else()
    set(windows_toolchain ${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake)
  endif()
  include(ExternalProject)
  set(WIN32_BINARY_DIR ${CMAKE_BINARY_DIR}/win32)
  ExternalProject_Add(win32
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${WIN32_BINARY_DIR}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${windows_toolchain}
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    INSTALL_COMMAND ""
    BUILD_ALWAYS TRUE
    USES_TERMINAL_BUILD TRUE)
  # The Windows tests are all declared in the cross build's top directory.
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${WIN32_BINARY_DIR}/CTestTestfile.cmake)

  # The end-to-end rows for 64-bit Windows: the 32-bit TARVIN.exe as it
  # ships, under WoW64 in a 64-bit prefix, started by the end-to-end tests
  # from beside it. Where the Windows tests are a 64-bit build, a 32-bit
  # TARVIN.exe is built in tarvin32/ and the tests are copied beside it.
  set(wow64_tests ${WIN32_BINARY_DIR}/bin/e2e_tests.exe)
  if(wine_arch STREQUAL "win64")
    ExternalProject_Add(tarvin32
      SOURCE_DIR ${CMAKE_SOURCE_DIR}
      BINARY_DIR ${CMAKE_BINARY_DIR}/tarvin32
      CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
        -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
      # A make of its own, not a sub-make: the job slots of the outer make do
      # not reach this command.
      BUILD_COMMAND ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=MAKELEVEL
                    ${CMAKE_COMMAND} --build <BINARY_DIR> --target TARVIN
      INSTALL_COMMAND ${CMAKE_COMMAND} -E copy ${wow64_tests} <BINARY_DIR>/bin/
      DEPENDS win32
      BUILD_ALWAYS TRUE)
    set(wow64_tests ${CMAKE_BINARY_DIR}/tarvin32/bin/e2e_tests.exe)
  endif()
  add_test(NAME e2e_tests_on_64bit_windows
           COMMAND ${CMAKE_SOURCE_DIR}/tests/run-in-wine.sh --wow64 ${WIN32_BINARY_DIR}/wineprefix64
                   ${wow64_tests} --gtest_filter=Wow64/*)
  # Its windows share the virtual display with the other Wine tests': one at a time.
  set_tests_properties(e2e_tests_on_64bit_windows PROPERTIES
                       RESOURCE_LOCK wineprefix SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()

# The release build: two builds of the same sources in different folders give
# the same bytes, stripped and small. No Wine: it runs beside the Wine tests.
add_test(NAME release_reproducible
         COMMAND ${CMAKE_SOURCE_DIR}/tests/release/reproducible_build.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(release_reproducible PROPERTIES TIMEOUT 300)
